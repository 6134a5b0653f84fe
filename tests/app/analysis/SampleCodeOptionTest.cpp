// The analysis told the unknown sample by its code: "--muestra" takes a code however
// typed, refuses one with a mistake with the reason, and the bar's dimensions come
// from the code.
#include <gtest/gtest.h>

#include "app/analysis/AnalysisOptions.h"

using namespace eh::analysis;

TEST(AnalysisOptions, SampleCode) {
    struct Row {
        std::vector<std::string> args;
        bool ok;
        const char* text; // the code kept, or the message
    } rows[] = {
        {{"--muestra", "twsh 3nkm", "--ajustes", "a", "d"}, true, "TWSH-3NKM"},
        {{"--muestra", "TWSH-3NKM", "--muestra", "2", "--ajustes", "a", "d"}, true, ""},
        {{"--muestra", "TWSH-3NMK", "--ajustes", "a", "d"},
         false,
         "código de muestra no válido: El código TWSH-3NMK no es válido: compruebe que ningún carácter está "
         "mal "
         "copiado ni hay dos cambiados de orden."},
        {{"--muestra", "TWSH-3NKO", "--ajustes", "a", "d"},
         false,
         "código de muestra no válido: El código no lleva el carácter «O»: los códigos no usan 0, 1, I, L ni "
         "O "
         "para que no se confundan."},
        {{"--muestra", "3", "--ajustes", "a", "d"}, false, "la muestra debe ser 1 o 2"},
    };
    for (const Row& r : rows) {
        std::string error;
        const auto o = parseAnalysisOptions(r.args, error);
        ASSERT_EQ(o.has_value(), r.ok) << r.args[1] << " " << error;
        if (o)
            EXPECT_EQ(o->sampleCode, r.text);
        else
            EXPECT_EQ(error, r.text);
    }
    std::string error;
    const auto o = parseAnalysisOptions({"--muestra", "TWSH-3NKM", "--tabla", "t", "d"}, error);
    ASSERT_TRUE(o) << error;
    EXPECT_FALSE(o->sample); // the type is for the data to tell
}

// The bar of "TWSH-3NKM": 0.753 by 0.235 by 0.017 cm.
TEST(AnalysisOptions, DimensionsFromTheCode) {
    const Geometry g = unknownSampleGeometry("TWSH-3NKM");
    EXPECT_EQ(std::tuple(float(g.lengthCm), float(g.widthCm), float(g.thicknessCm)),
              std::tuple(0.753f, 0.235f, 0.017f));
    EXPECT_THROW(unknownSampleGeometry("TWSH-3NMK"), std::invalid_argument);
}
