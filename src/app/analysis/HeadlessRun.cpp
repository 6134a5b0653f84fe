#include "app/analysis/HeadlessRun.h"

#include <ostream>

#include "datafile/OutputFile.h"

namespace eh::analysis {

int runHeadless(const AnalysisOptions& options, std::ostream& err, const ReportWriter& report) {
    Analysis a;
    a.path = options.dataFiles.at(0);
    std::string error;
    if (!readDataFile(a.path, a.data, error)) {
        err << "tarvelo-analisis: " << error << '\n';
        return 1;
    }
    for (const Rejection& r : a.data.rejected)
        err << a.path << ": línea " << r.line << ": " << r.reason << '\n';
    if (!a.data.rejected.empty()) err << a.path << ": " << rejectionSummary(a.data) << '\n';
    if (a.data.records.empty()) {
        err << "tarvelo-analisis: " << a.path << ": ningún registro aceptado\n";
        return 1;
    }
    a.sample = options.sample.value_or(guessSample(a.data.records));
    a.sampleCode = options.sampleCode;
    analyse(a, options.fits);
    for (std::size_t i = 0; i < a.derived.size(); ++i)
        if (a.derived[i].onePolarity)
            err << a.path << ": línea " << a.data.records[i].line << ": una polaridad\n";
    for (std::size_t i = 0; i < a.derived.size(); ++i)
        if (!a.derived[i].note.empty())
            err << a.path << ": línea " << a.data.records[i].line << ": " << a.derived[i].note << '\n';
    for (const FitResult& f : a.fits)
        if (!f.value) err << "ajuste " << fitName(f.kind) << ": " << f.note << '\n';

    bool ok = true;
    // The text is made only for a file asked for: a table of a million records is
    // not written for nothing.
    auto write = [&](const std::string& path, const auto& makeText) {
        if (path.empty()) return;
        if (const auto reason = writeOutputFile(path, makeText())) {
            err << "tarvelo-analisis: no se puede escribir " << path << ": " << *reason << '\n';
            ok = false;
        }
    };
    write(options.tableFile, [&] { return tableCsv(a.data.records, a.derived, options.style); });
    write(options.fitsFile, [&] { return fitsCsv(a.fits, options.style); });
    if (!options.reportFile.empty()) {
        if (!report) {
            err << "tarvelo-analisis: este programa no puede escribir informes\n";
            ok = false;
        } else if (!report(a, options.reportFile, error)) {
            err << "tarvelo-analisis: " << error << '\n';
            ok = false;
        }
    }
    return ok ? 0 : 1;
}

} // namespace eh::analysis
