#include "app/analysis/HeadlessRun.h"

#include <ostream>
#include <vector>

#include "datafile/OutputFile.h"
#include "datafile/SameFile.h"

namespace eh::analysis {
namespace {

enum class Kind { Table, Fits, Report };

struct Output {
    Kind kind;
    const char* option;
    std::string path;
    std::string bytes;
};

// The outputs asked for, in the order they are written.
std::vector<Output> requestedOutputs(const AnalysisOptions& o) {
    std::vector<Output> out;
    for (const Output& candidate :
         {Output{Kind::Table, "--tabla", o.tableFile, {}}, Output{Kind::Fits, "--ajustes", o.fitsFile, {}},
          Output{Kind::Report, "--informe", o.reportFile, {}}})
        if (!candidate.path.empty()) out.push_back(candidate);
    return out;
}

// The bytes of one output; false with the reason on `err`.
bool make(Output& o, const Analysis& a, const AnalysisOptions& options, const ReportMaker& report,
          std::ostream& err) {
    switch (o.kind) {
    case Kind::Table:
        o.bytes = tableCsv(a.data.records, a.derived, options.style);
        return true;
    case Kind::Fits:
        o.bytes = fitsCsv(a.fits, options.style);
        return true;
    case Kind::Report:
        break;
    }
    if (!report) {
        err << "tarvelo-analisis: este programa no puede escribir informes\n";
        return false;
    }
    std::string error;
    if (report(a, o.bytes, error)) return true;
    err << "tarvelo-analisis: " << error << '\n';
    return false;
}

// False, with the reason on `err`, when an output would be written over the data or
// over another output, by whatever spelling of its name.
bool outputsAreDistinct(const std::vector<Output>& outputs, const std::string& data, std::ostream& err) {
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        const Output& o = outputs[i];
        if (sameFile(o.path, data)) {
            err << "tarvelo-analisis: " << o.option << ' ' << o.path << " es el propio fichero de datos "
                << data << ": no se escribe nada\n";
            return false;
        }
        for (std::size_t j = 0; j < i; ++j)
            if (sameFile(o.path, outputs[j].path)) {
                err << "tarvelo-analisis: " << outputs[j].option << ' ' << outputs[j].path << " y "
                    << o.option << ' ' << o.path << " son el mismo fichero: no se escribe nada\n";
                return false;
            }
    }
    return true;
}

void reportProblems(const Analysis& a, std::ostream& err) {
    for (const Rejection& r : a.data.rejected)
        err << a.path << ": línea " << r.line << ": " << r.reason << '\n';
    if (!a.data.rejected.empty()) err << a.path << ": " << rejectionSummary(a.data) << '\n';
}

void reportNotes(const Analysis& a, std::ostream& err) {
    for (std::size_t i = 0; i < a.derived.size(); ++i)
        if (a.derived[i].onePolarity)
            err << a.path << ": línea " << a.data.records[i].line << ": una polaridad\n";
    for (std::size_t i = 0; i < a.derived.size(); ++i)
        if (!a.derived[i].note.empty())
            err << a.path << ": línea " << a.data.records[i].line << ": " << a.derived[i].note << '\n';
    for (const FitResult& f : a.fits)
        if (!f.value) err << "ajuste " << fitName(f.kind) << ": " << f.note << '\n';
}

} // namespace

int runHeadless(const AnalysisOptions& options, std::ostream& err, const ReportMaker& report) {
    Analysis a;
    a.path = options.dataFiles.at(0);
    std::vector<Output> outputs = requestedOutputs(options);
    if (!outputsAreDistinct(outputs, a.path, err)) return 2;

    std::string error;
    if (!readDataFile(a.path, a.data, error)) {
        err << "tarvelo-analisis: " << error << '\n';
        return 1;
    }
    reportProblems(a, err);
    if (a.data.records.empty()) {
        err << "tarvelo-analisis: " << a.path << ": ningún registro aceptado\n";
        return 1;
    }
    a.sample = options.sample.value_or(guessSample(a.data.records));
    a.sampleCode = options.sampleCode;
    analyse(a, options.fits);
    reportNotes(a, err);

    // Everything is made before anything is written: a report that cannot be made
    // leaves no table behind either.
    for (Output& o : outputs)
        if (!make(o, a, options, report, err)) return 1;
    bool ok = true;
    for (const Output& o : outputs)
        if (const auto reason = writeOutputFile(o.path, o.bytes)) {
            err << "tarvelo-analisis: no se puede escribir " << o.path << ": " << *reason << '\n';
            ok = false;
        }
    return ok ? 0 : 1;
}

} // namespace eh::analysis
