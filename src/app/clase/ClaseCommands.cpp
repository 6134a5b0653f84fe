#include "app/clase/ClaseCommands.h"

#include <ostream>
#include <random>
#include <sys/stat.h>

#include "analysis/DataReader.h"
#include "clase/ClassCodes.h"
#include "clase/ClassList.h"
#include "clase/Grading.h"
#include "clase/KeyFile.h"
#include "clase/KeyMeasurement.h"
#include "clase/RecordCheck.h"
#include "datafile/OutputFile.h"
#include "datafile/SameFile.h"

namespace eh::clase {
namespace {

constexpr const char* kProgram = "tarvelo-clase: ";

struct Named {
    const char* option;
    std::string path;
};

// False, with the reason on `err`, when an output is an input or another output.
bool distinct(const std::vector<Named>& inputs, const std::vector<Named>& outputs, std::ostream& err) {
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        for (const Named& in : inputs)
            if (sameFile(outputs[i].path, in.path)) {
                err << kProgram << outputs[i].option << ' ' << outputs[i].path << " es el fichero de "
                    << in.option << ' ' << in.path << ": no se escribe nada\n";
                return false;
            }
        for (std::size_t j = 0; j < i; ++j)
            if (sameFile(outputs[i].path, outputs[j].path)) {
                err << kProgram << outputs[j].option << ' ' << outputs[j].path << " y " << outputs[i].option
                    << ' ' << outputs[i].path << " son el mismo fichero: no se escribe nada\n";
                return false;
            }
    }
    return true;
}

bool exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

bool writeAll(const std::vector<std::pair<Named, std::string>>& files, std::ostream& err) {
    bool ok = true;
    for (const auto& [named, bytes] : files)
        if (const auto reason = writeOutputFile(named.path, bytes)) {
            err << kProgram << "no se puede escribir " << named.path << ": " << *reason << '\n';
            ok = false;
        }
    return ok;
}

void printAll(const std::string& file, const std::vector<std::string>& messages, std::ostream& err) {
    for (const std::string& m : messages) err << file << ": " << m << '\n';
}

std::uint64_t randomSeed() {
    std::random_device device;
    // Nine decimal digits: short enough to note down, many enough for a year of classes.
    return std::uniform_int_distribution<std::uint64_t>(100000000, 999999999)(device);
}

} // namespace

int runCreate(const ClaseOptions& o, std::ostream& out, std::ostream& err, const SlipsMaker& slips) {
    std::vector<Named> outputs{{"--clave", o.keyFile}};
    if (!o.slipsFile.empty()) outputs.push_back({"--fichas", o.slipsFile});
    if (!distinct({{"--alumnos", o.listFile}}, outputs, err)) return 2;
    if (!o.overwrite)
        for (const Named& n : outputs)
            if (exists(n.path)) {
                err << kProgram << n.path
                    << " ya existe: no se toca (use --sobrescribir para reemplazarlo)\n";
                return 2;
            }
    if (!o.slipsFile.empty() && !slips) {
        err << kProgram << "este programa no puede escribir fichas en PDF\n";
        return 1;
    }
    std::string text, error;
    if (!readWholeFile(o.listFile, text, error)) {
        err << kProgram << error << '\n';
        return 1;
    }
    ClassList list;
    std::vector<std::string> errors;
    const bool listOk = parseClassList(text, list, errors);
    printAll(o.listFile, list.notes, err);
    if (!listOk) {
        printAll(o.listFile, errors, err);
        err << kProgram << "la lista tiene errores: no se escribe nada\n";
        return 1;
    }
    const std::uint64_t seed = o.seed.value_or(randomSeed());
    const std::vector<SampleCode> codes = classCodes(list.students, seed);
    std::vector<KeyRow> key;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const Student& s = list.students[i];
        key.push_back(
            {s.line, s.name, s.group, codes[i], deriveUnknownSample(codes[i]), measureResults(codes[i])});
    }
    std::vector<std::pair<Named, std::string>> files{{outputs[0], keyCsv(key, o.style)}};
    if (!o.slipsFile.empty()) {
        std::string bytes;
        if (!slips(key, bytes, error)) {
            err << kProgram << error << '\n';
            return 1;
        }
        files.emplace_back(outputs[1], std::move(bytes));
    }
    if (!writeAll(files, err)) return 1;
    out << key.size() << (key.size() == 1 ? " alumno" : " alumnos") << ", semilla " << seed
        << " (con --semilla " << seed << " la misma lista da los mismos códigos)\n";
    return 0;
}

int runCheck(const ClaseOptions& o, std::ostream& out, std::ostream& err) {
    std::string error;
    const auto code = SampleCode::parse(o.code, error);
    if (!code) {
        err << kProgram << error << '\n';
        return 2;
    }
    analysis::DataSet data;
    if (!analysis::readDataFile(o.dataFile, data, error)) {
        err << kProgram << error << '\n';
        return 1;
    }
    for (const analysis::Rejection& r : data.rejected)
        err << o.dataFile << ": línea " << r.line << ": " << r.reason << '\n';
    const CheckReport report = checkRecords(*code, data.records);
    out << o.dataFile << ": " << report.matching << " de " << report.records
        << " registros coinciden con la muestra " << code->text() << '\n';
    for (const Mismatch& m : report.mismatches)
        out << o.dataFile << ": línea " << m.line << ": " << m.reason << '\n';
    if (!data.rejected.empty())
        out << o.dataFile << ": " << data.rejected.size() << " líneas no son registros del banco\n";
    out << verdictText(report, code->text()) << '\n';
    return report.verdict == Verdict::Consistent && data.rejected.empty() ? 0 : 1;
}

int runGrade(const ClaseOptions& o, std::ostream& out, std::ostream& err) {
    std::vector<Named> inputs{{"--clave", o.keyFile}, {"de respuestas", o.dataFile}};
    if (!o.tolerancesFile.empty()) inputs.push_back({"--tolerancias", o.tolerancesFile});
    if (!distinct(inputs, {{"-o", o.gradesFile}}, err)) return 2;
    std::string text, error;
    std::vector<std::string> errors;
    std::map<std::string, Tolerance> tolerances = defaultTolerances();
    if (!o.tolerancesFile.empty()) {
        if (!readWholeFile(o.tolerancesFile, text, error)) {
            err << kProgram << error << '\n';
            return 1;
        }
        if (!parseTolerances(text, tolerances, errors)) {
            printAll(o.tolerancesFile, errors, err);
            err << kProgram << "las tolerancias tienen errores: no se corrige nada\n";
            return 1;
        }
    }
    std::vector<KeyRow> key;
    if (!readWholeFile(o.keyFile, text, error)) {
        err << kProgram << error << '\n';
        return 1;
    }
    if (!parseKey(text, key, errors)) {
        printAll(o.keyFile, errors, err);
        err << kProgram << "la clave tiene errores: no se corrige nada\n";
        return 1;
    }
    if (!readWholeFile(o.dataFile, text, error)) {
        err << kProgram << error << '\n';
        return 1;
    }
    Grading grading;
    if (!gradeAnswers(text, key, tolerances, grading, error)) {
        err << o.dataFile << ": " << error << '\n' << kProgram << "no se corrige nada\n";
        return 1;
    }
    printAll(o.dataFile, grading.problems, err);
    if (!writeAll({{{"-o", o.gradesFile}, gradesCsv(grading, o.style)}}, err)) return 1;
    for (const GradedStudent& s : grading.students)
        out << s.key->code.text() << ' ' << s.key->student << ": " << s.ok() << " de " << s.quantities.size()
            << " bien\n";
    return grading.complete() ? 0 : 1;
}

int runClase(const ClaseOptions& options, std::ostream& out, std::ostream& err, const SlipsMaker& slips) {
    switch (options.command) {
    case Command::Create:
        return runCreate(options, out, err, slips);
    case Command::Check:
        return runCheck(options, out, err);
    case Command::Grade:
        break;
    }
    return runGrade(options, out, err);
}

} // namespace eh::clase
