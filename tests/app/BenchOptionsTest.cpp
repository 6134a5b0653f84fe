// The bench program's command line: an unknown sample's code, however typed, and the reasons a line is
// refused, in Spanish.
#include <gtest/gtest.h>

#include "app/BenchOptions.h"

using eh::parseBenchOptions;

namespace {

const std::string kMistyped =
    "no es válido: compruebe que ningún carácter está mal copiado ni hay dos cambiados de orden.";

struct Case {
    std::vector<std::string> args;
    bool accepted;
    std::string codeOrError;
};

} // namespace

TEST(BenchOptions, CodesAndRefusals) {
    const Case cases[] = {
        {{}, true, ""},
        {{"--codigo", "twsh 3nkm"}, true, "TWSH-3NKM"},
        {{"--codigo=TWSH-3NKM"}, true, "TWSH-3NKM"},
        {{"--codigo", "K7QM-3XHD"}, false, "código de muestra no válido: El código K7QM-3XHD " + kMistyped},
        {{"--codigo", "TWSH-3NMK"}, false, "código de muestra no válido: El código TWSH-3NMK " + kMistyped},
        {{"--codigo", "TWSH-3NKO"},
         false,
         "código de muestra no válido: El código no lleva el carácter «O»: los códigos no usan 0, 1, I, L ni "
         "O "
         "para que no se confundan."},
        {{"--codigo", ""}, false, "código de muestra no válido: Escriba el código de la muestra problema."},
        {{"--codigo"}, false, "falta el código de la muestra problema tras --codigo"},
        // A bad code anywhere stops the start, even beside a good one.
        {{"--codigo", "TWSH-3NMK", "--codigo", "TWSH-3NKM"},
         false,
         "código de muestra no válido: El código TWSH-3NMK " + kMistyped},
        {{"--muestra", "1"}, false, "opción desconocida: --muestra"},
        {{"TWSH-3NKM"}, false, "opción desconocida: TWSH-3NKM"},
    };
    for (const Case& c : cases) {
        std::string error;
        const auto options = parseBenchOptions(c.args, error);
        ASSERT_EQ(options.has_value(), c.accepted) << ::testing::PrintToString(c.args) << " " << error;
        EXPECT_EQ(c.accepted ? options->sampleCode : error, c.codeOrError)
            << ::testing::PrintToString(c.args);
    }
}

TEST(BenchOptions, HelpStopsAtOnce) {
    for (const char* ask : {"--ayuda", "-h", "--help"}) {
        std::string error;
        const auto options = parseBenchOptions({ask, "--codigo", "K7QM-3XHD"}, error);
        ASSERT_TRUE(options.has_value()) << ask;
        EXPECT_TRUE(options->help) << ask;
    }
}
