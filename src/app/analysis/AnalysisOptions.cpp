#include "app/analysis/AnalysisOptions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "analysis/Samples.h"
#include "model/SampleCode.h"

namespace eh::analysis {

const char* const kAnalysisUsage =
    "Uso: tarvelo-analisis [--muestra 1|2|CÓDIGO] [--tabla T.csv] [--ajustes A.csv] [--informe I.pdf]\n"
    "                      [--rango-gap 500:800] [--rango-movilidad 100:300]\n"
    "                      [--temperatura-campo 300] [--formato es] [--ponderado]\n"
    "                      [--incluir-avisos] [--alumno NOMBRE] [--grupo GRUPO] [datos.asc ...]\n"
    "Con --tabla, --ajustes o --informe analiza un fichero de datos sin ventana; sin ellos\n"
    "abre la ventana de análisis con los ficheros dados. Con el código de una muestra\n"
    "problema (--muestra TWSH-3NKM) toma de él las dimensiones de la barra.\n"
    "  --formato es   separa con punto y coma y escribe coma decimal (hojas de cálculo en español)\n"
    "  --ponderado    ajusta por mínimos cuadrados ponderados con las incertidumbres de los\n"
    "                 instrumentos (sin la opción, mínimos cuadrados ordinarios)\n"
    "  --alumno, --grupo  nombre del alumno y grupo que figuran en la primera página del informe\n"
    "  --incluir-avisos  usa en los ajustes de Hall los registros cuyas dos lecturas de Hall\n"
    "                 no corresponden a las mismas condiciones (por omisión quedan fuera)\n";

namespace {

std::optional<double> parsePositive(const std::string& text) {
    double v = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc{} || ptr != text.data() + text.size() || !std::isfinite(v) || v <= 0)
        return std::nullopt;
    return v;
}

} // namespace

std::optional<Range> parseRange(const std::string& text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) return std::nullopt;
    const auto lo = parsePositive(text.substr(0, colon));
    const auto hi = parsePositive(text.substr(colon + 1));
    if (!lo || !hi || *lo > *hi) return std::nullopt;
    return Range{*lo, *hi};
}

std::optional<AnalysisOptions> parseAnalysisOptions(const std::vector<std::string>& args,
                                                    std::string& error) {
    AnalysisOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& opt = args[i];
        if (opt == "--ayuda" || opt == "-h" || opt == "--help") {
            o.help = true;
            return o;
        }
        if (opt.empty() || opt[0] != '-' || opt == "-") {
            o.dataFiles.push_back(opt);
            continue;
        }
        if (opt == "--ponderado" || opt == "--incluir-avisos") {
            (opt == "--ponderado" ? o.fits.weighted : o.fits.includeWarned) = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            error = "falta el valor de " + opt;
            return std::nullopt;
        }
        const std::string& value = args[++i];
        const bool output = opt == "--tabla" || opt == "--ajustes" || opt == "--informe";
        if (output && value.empty()) {
            // An empty name would otherwise mean no output at all, and open the window.
            error = "falta el nombre del fichero de " + opt;
            return std::nullopt;
        }
        if (opt == "--tabla")
            o.tableFile = value;
        else if (opt == "--ajustes")
            o.fitsFile = value;
        else if (opt == "--informe")
            o.reportFile = value;
        else if (opt == "--alumno")
            o.student = value;
        else if (opt == "--grupo")
            o.group = value;
        else if (opt == "--muestra") {
            // Written as the number alone: "01" or "1.0" is not a sample's name.
            const std::vector<int> samples = analysableSamples();
            const auto named = std::find_if(samples.begin(), samples.end(),
                                            [&](int n) { return std::to_string(n) == value; });
            if (named != samples.end()) {
                o.sample = *named;
                o.sampleCode.clear();
            } else if (value.size() < kCodeLength) { // too short for a code: a mistaken number
                error = "la muestra debe ser " + analysableSamplesText();
                return std::nullopt;
            } else if (const auto code = SampleCode::parse(value, error)) {
                o.sampleCode = code->text();
                o.sample.reset();
            } else {
                error = "código de muestra no válido: " + error;
                return std::nullopt;
            }
        } else if (opt == "--rango-gap" || opt == "--rango-movilidad") {
            const auto range = parseRange(value);
            if (!range) {
                error = "rango no válido para " + opt + ": " + value + " (se espera MIN:MAX en K)";
                return std::nullopt;
            }
            (opt == "--rango-gap" ? o.fits.gap : o.fits.mobility) = *range;
        } else if (opt == "--temperatura-campo") {
            const auto t = parsePositive(value);
            if (!t) {
                error = "temperatura no válida: " + value;
                return std::nullopt;
            }
            o.fits.fieldTemperatureK = *t;
        } else if (opt == "--formato") {
            if (value == "es")
                o.style = CsvStyle::SemicolonComma;
            else if (value == "punto")
                o.style = CsvStyle::CommaPoint;
            else {
                error = "formato desconocido: " + value + " (es o punto)";
                return std::nullopt;
            }
        } else {
            error = "opción desconocida: " + opt;
            return std::nullopt;
        }
    }
    if (o.headless() && o.dataFiles.size() != 1) {
        error = o.dataFiles.empty() ? "falta el fichero de datos" : "sin ventana se analiza un solo fichero";
        return std::nullopt;
    }
    return o;
}

std::optional<AnalysisOptions> readAnalysisOptions(int argc, char** argv, int& exitStatus) {
    std::string error;
    auto options = parseAnalysisOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::fprintf(stderr, "tarvelo-analisis: %s\n%s", error.c_str(), kAnalysisUsage);
        exitStatus = 2;
        return std::nullopt;
    }
    if (options->help) {
        std::fputs(kAnalysisUsage, stdout);
        exitStatus = 0;
        return std::nullopt;
    }
    return options;
}

} // namespace eh::analysis
