#include "app/BenchOptions.h"

#include <cstdio>

#include "model/SampleCode.h"

namespace eh {

const char* const kBenchUsage =
    "Uso: tarvelo [--codigo CÓDIGO]\n"
    "Abre el banco de medidas de resistividad y efecto Hall. Con el código de una muestra\n"
    "problema (--codigo TWSH-3NKM) el banco mide esa muestra; el código se recuerda para\n"
    "las siguientes veces, y puede cambiarse en la ventana de información de las muestras.\n";

std::optional<BenchOptions> parseBenchOptions(const std::vector<std::string>& args, std::string& error) {
    BenchOptions o;
    const std::string codeOption = "--codigo";
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--ayuda" || arg == "-h" || arg == "--help") {
            o.help = true;
            return o;
        }
        std::string value;
        if (arg == codeOption) {
            if (i + 1 >= args.size()) {
                error = "falta el código de la muestra problema tras --codigo";
                return std::nullopt;
            }
            value = args[++i];
        } else if (arg.rfind(codeOption + "=", 0) == 0) {
            value = arg.substr(codeOption.size() + 1);
        } else {
            error = "opción desconocida: " + arg;
            return std::nullopt;
        }
        std::string reason;
        const auto code = SampleCode::parse(value, reason);
        if (!code) {
            error = "código de muestra no válido: " + reason;
            return std::nullopt;
        }
        o.sampleCode = code->text();
    }
    return o;
}

std::optional<BenchOptions> readBenchOptions(const std::vector<std::string>& args, int& exitStatus) {
    std::string error;
    auto options = parseBenchOptions(args, error);
    if (!options) {
        std::fprintf(stderr, "tarvelo: %s\n%s", error.c_str(), kBenchUsage);
        exitStatus = 2;
        return std::nullopt;
    }
    if (options->help) {
        std::fputs(kBenchUsage, stdout);
        exitStatus = 0;
        return std::nullopt;
    }
    return options;
}

} // namespace eh
