#include "app/clase/ClaseOptions.h"

#include <charconv>
#include <cstdio>
#include <map>

namespace eh::clase {

const char* const kClaseUsage =
    "Uso: tarvelo-clase crear --alumnos lista.csv --clave clave.csv [--semilla S]\n"
    "                         [--fichas fichas.pdf] [--formato es] [--sobrescribir]\n"
    "     tarvelo-clase comprobar --codigo K7QM-3XHD datos.asc\n"
    "     tarvelo-clase corregir --clave clave.csv [--tolerancias tol.csv] [--formato es]\n"
    "                            respuestas.csv -o notas.csv\n"
    "crear      da a cada alumno de la lista un código de muestra problema y escribe la\n"
    "           clave con lo que debe encontrar; con --fichas, una ficha por alumno para\n"
    "           imprimir y recortar. La misma lista y la misma semilla dan los mismos códigos.\n"
    "comprobar  dice si cada registro de un fichero de datos es lo que da la muestra del\n"
    "           código a su temperatura, campo y corriente.\n"
    "corregir   compara las respuestas (columna «codigo» y las magnitudes de la clave que\n"
    "           se quieran) con la clave, dentro de las tolerancias.\n"
    "  --formato es     separa con punto y coma y escribe coma decimal (hojas de cálculo en español)\n"
    "  --sobrescribir   reemplaza una clave o unas fichas que ya existan (sin ella, no se tocan)\n";

namespace {

const std::map<std::string, Command> kCommands = {
    {"crear", Command::Create}, {"comprobar", Command::Check}, {"corregir", Command::Grade}};

// The options each command takes a value for, and where the value goes.
std::string* valueSlot(ClaseOptions& o, const std::string& opt) {
    switch (o.command) {
    case Command::Create:
        if (opt == "--alumnos") return &o.listFile;
        if (opt == "--clave") return &o.keyFile;
        if (opt == "--fichas") return &o.slipsFile;
        break;
    case Command::Check:
        if (opt == "--codigo") return &o.code;
        break;
    case Command::Grade:
        if (opt == "--clave") return &o.keyFile;
        if (opt == "-o") return &o.gradesFile;
        if (opt == "--tolerancias") return &o.tolerancesFile;
        break;
    }
    return nullptr;
}

std::string missing(const ClaseOptions& o) {
    switch (o.command) {
    case Command::Create:
        if (o.listFile.empty()) return "falta --alumnos";
        if (o.keyFile.empty()) return "falta --clave";
        return {};
    case Command::Check:
        if (o.code.empty()) return "falta --codigo";
        if (o.dataFile.empty()) return "falta el fichero de datos";
        return {};
    case Command::Grade:
        if (o.keyFile.empty()) return "falta --clave";
        if (o.dataFile.empty()) return "falta el fichero de respuestas";
        if (o.gradesFile.empty()) return "falta -o notas.csv";
        return {};
    }
    return {};
}

} // namespace

std::optional<ClaseOptions> parseClaseOptions(const std::vector<std::string>& args, std::string& error) {
    ClaseOptions o;
    if (args.empty()) {
        error = "falta la orden: crear, comprobar o corregir";
        return std::nullopt;
    }
    if (args[0] == "--ayuda" || args[0] == "-h" || args[0] == "--help") {
        o.help = true;
        return o;
    }
    const auto command = kCommands.find(args[0]);
    if (command == kCommands.end()) {
        error = "«" + args[0] + "» no es una orden: crear, comprobar o corregir";
        return std::nullopt;
    }
    o.command = command->second;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& opt = args[i];
        if (opt == "--ayuda" || opt == "-h" || opt == "--help") {
            o.help = true;
            return o;
        }
        if (opt == "--sobrescribir" && o.command == Command::Create) {
            o.overwrite = true;
            continue;
        }
        if (opt.empty() || opt[0] != '-') {
            if (o.command == Command::Create || !o.dataFile.empty()) {
                error = "sobra «" + opt + "»";
                return std::nullopt;
            }
            o.dataFile = opt;
            continue;
        }
        const bool takesValue = opt == "--semilla" || opt == "--formato" || valueSlot(o, opt) != nullptr;
        if (!takesValue || (opt == "--semilla" && o.command != Command::Create) ||
            (opt == "--formato" && o.command == Command::Check)) {
            error = "la orden " + args[0] + " no tiene la opción " + opt;
            return std::nullopt;
        }
        if (i + 1 >= args.size() || args[i + 1].empty()) {
            error = "falta el valor de " + opt;
            return std::nullopt;
        }
        const std::string& value = args[++i];
        if (opt == "--semilla") {
            std::uint64_t seed = 0;
            const auto [ptr, ec] = std::from_chars(value.data(), value.data() + value.size(), seed);
            if (ec != std::errc{} || ptr != value.data() + value.size()) {
                error = "la semilla debe ser un número entero no negativo (hasta 18446744073709551615)";
                return std::nullopt;
            }
            o.seed = seed;
        } else if (opt == "--formato") {
            if (value != "es") {
                error = "el único formato es «es» (punto y coma y coma decimal)";
                return std::nullopt;
            }
            o.style = analysis::CsvStyle::SemicolonComma;
        } else {
            *valueSlot(o, opt) = value;
        }
    }
    error = missing(o);
    if (!error.empty()) return std::nullopt;
    return o;
}

std::optional<ClaseOptions> readClaseOptions(int argc, char** argv, int& status) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    auto options = parseClaseOptions(args, error);
    status = 0;
    if (options && options->help) {
        std::fputs(kClaseUsage, stdout);
        return std::nullopt;
    }
    if (!options) {
        std::fprintf(stderr, "tarvelo-clase: %s\n%s", error.c_str(), kClaseUsage);
        status = 2;
    }
    return options;
}

} // namespace eh::clase
