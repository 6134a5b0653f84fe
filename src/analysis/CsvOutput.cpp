#include "analysis/CsvOutput.h"

#include <charconv>
#include <cmath>

namespace eh::analysis {

const char* const kTableHeader =
    "registro,T_K,B_G,I_mA,Vr_V,Vmenos_V,Vmas_V,VH_V,rho_ohm_cm,sigma_S_cm,"
    "RH_cm3_C,tipo,densidad_cm3,muH_cm2_Vs,aviso,u_rho_ohm_cm,u_RH_cm3_C,u_muH_cm2_Vs";
const char* const kGapDifferenceName = "gap_diferencia";
const char* const kFitsHeader =
    "ajuste,valor,incertidumbre,unidad,puntos,T_min,T_max,R2,chi2_reducido,ordenada_V,u_ordenada_V,aviso";

std::string formatNumber(std::optional<double> value, CsvStyle style) {
    if (!value || !std::isfinite(*value)) return {}; // a cell is a number or nothing
    // As printf's "%.7g", without its locale and much faster (tables of a million rows).
    char buf[40];
    const auto result = std::to_chars(buf, buf + sizeof buf, *value, std::chars_format::general, 7);
    std::string s(buf, result.ptr);
    if (style == CsvStyle::SemicolonComma)
        for (char& c : s)
            if (c == '.') c = ',';
    return s;
}

namespace {

char separatorOf(CsvStyle style) {
    return style == CsvStyle::SemicolonComma ? ';' : ',';
}

// A text cell: quoted, with its quotes doubled, when it holds the separator, a quote
// or a line end; as it is otherwise.
void appendText(std::string& out, std::string_view text, char sep) {
    if (text.find_first_of(std::string{sep, '"', '\n', '\r'}) == std::string_view::npos) {
        out += text;
        return;
    }
    out += '"';
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

std::string header(const char* commaHeader, CsvStyle style) {
    std::string h = commaHeader;
    if (style == CsvStyle::SemicolonComma)
        for (char& c : h)
            if (c == ',') c = ';';
    return h + "\n";
}

} // namespace

std::string tableCsv(const std::vector<Record>& records, const std::vector<Derived>& derived,
                     CsvStyle style) {
    const char sep = separatorOf(style);
    std::string out = header(kTableHeader, style);
    out.reserve(out.size() + records.size() * 200);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const Record& r = records[i];
        const Derived& d = derived[i];
        const std::optional<double> cells[] = {r.number,   r.temperatureK, r.fieldG,  r.currentMa,
                                               r.vrV,      r.vMinusV,      r.vPlusV,  d.hallV,
                                               d.rhoOhmCm, d.sigmaSCm,     d.hallCm3C};
        for (std::size_t c = 0; c < std::size(cells); ++c) {
            if (c > 0) out += sep;
            out += formatNumber(cells[c], style);
        }
        out += sep;
        out += carrierLetter(d.carrier);
        out += sep;
        out += formatNumber(d.densityCm3, style);
        out += sep;
        out += formatNumber(d.mobilityCm2Vs, style);
        out += sep;
        if (d.warnings != 0) appendText(out, warningText(d.warnings), sep);
        for (const auto& u : {d.uRhoOhmCm, d.uHallCm3C, d.uMobilityCm2Vs}) {
            out += sep;
            out += formatNumber(u, style);
        }
        out += '\n';
    }
    return out;
}

namespace {

// The two band gaps' difference: what the choice of method moves the result by, an
// estimate of the method's systematic error. Its uncertainty is the two statistical
// ones combined.
void appendGapDifference(std::string& out, const std::vector<FitResult>& fits, CsvStyle style) {
    const FitResult* sigma = nullptr;
    const FitResult* hall = nullptr;
    for (const FitResult& f : fits) {
        if (f.kind == FitKind::GapSigma) sigma = &f;
        if (f.kind == FitKind::GapHall) hall = &f;
    }
    if (!sigma || !hall) return;
    const char sep = separatorOf(style);
    std::optional<double> value, uncertainty;
    if (sigma->value && hall->value) {
        value = *sigma->value - *hall->value;
        uncertainty = std::hypot(*sigma->uncertainty, *hall->uncertainty);
    }
    out += kGapDifferenceName;
    out += sep + formatNumber(value, style);
    out += sep + formatNumber(uncertainty, style);
    out += sep;
    out += "eV";
    out += sep; // no points of its own
    out += sep + formatNumber(sigma->range.minK, style);
    out += sep + formatNumber(sigma->range.maxK, style);
    out += std::string(5, sep);
    appendText(out,
               value ? "gap_sigma - gap_hall: estimación del error sistemático del método"
                     : "falta el resultado de gap_sigma o de gap_hall",
               sep);
    out += '\n';
}

} // namespace

std::string fitsCsv(const std::vector<FitResult>& fits, CsvStyle style) {
    const char sep = separatorOf(style);
    std::string out = header(kFitsHeader, style);
    for (const FitResult& f : fits) {
        out += fitName(f.kind);
        out += sep + formatNumber(f.value, style);
        out += sep + formatNumber(f.uncertainty, style);
        out += sep;
        out += fitUnit(f.kind);
        out += sep + std::to_string(f.used.size());
        out += sep + formatNumber(f.range.minK, style);
        out += sep + formatNumber(f.range.maxK, style);
        out += sep + formatNumber(f.line ? std::optional<double>(f.line->rSquared) : std::nullopt, style);
        out += sep + formatNumber(f.chi2Reduced, style);
        out += sep + formatNumber(f.intercept, style);
        out += sep + formatNumber(f.interceptUncertainty, style);
        out += sep;
        appendText(out, f.value ? f.warning : f.note + (f.warning.empty() ? "" : " / " + f.warning), sep);
        out += '\n';
    }
    appendGapDifference(out, fits, style);
    return out;
}

} // namespace eh::analysis
