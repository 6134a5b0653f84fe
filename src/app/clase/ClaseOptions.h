#pragma once
// The command line of tarvelo-clase: a command (crear, comprobar, corregir) and its
// options.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/CsvStyle.h"

namespace eh::clase {

enum class Command { Create, Check, Grade };

struct ClaseOptions {
    Command command = Command::Create;
    std::string listFile;              // crear --alumnos
    std::string keyFile;               // crear, corregir --clave
    std::optional<std::uint64_t> seed; // crear --semilla; drawn at random when not given
    std::string slipsFile;             // crear --fichas
    bool overwrite = false;            // crear --sobrescribir: an existing key or slips file may be replaced
    std::string code;                  // comprobar --codigo
    std::string dataFile;              // comprobar: the data file; corregir: the answers
    std::string gradesFile;            // corregir -o
    std::string tolerancesFile;        // corregir --tolerancias
    analysis::CsvStyle style = analysis::CsvStyle::CommaPoint; // --formato es
    bool help = false;
};

// Nothing on a bad command line, with the reason in Spanish in `error`.
std::optional<ClaseOptions> parseClaseOptions(const std::vector<std::string>& args, std::string& error);

extern const char* const kClaseUsage;

// The options of the command line; for --ayuda or a fault, nothing, with the usage or
// the fault printed and `status` set to the exit status (0 or 2).
std::optional<ClaseOptions> readClaseOptions(int argc, char** argv, int& status);

} // namespace eh::clase
