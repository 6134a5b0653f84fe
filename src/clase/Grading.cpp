#include "clase/Grading.h"

#include <cctype>
#include <cmath>
#include <set>

#include "analysis/CsvOutput.h"
#include "model/SampleCode.h"

namespace eh::clase {
namespace {

using analysis::formatNumber;

std::string at(int line) {
    return "línea " + std::to_string(line) + ": ";
}

// The key's value of a quantity as text ("n", "2.5e+15", "" when it has none) and as
// a number.
struct KeyValue {
    std::string text;
    std::optional<double> number;
};

KeyValue keyValue(const KeyRow& k, const std::string& quantity) {
    if (quantity == kTypeColumn) return {typeLetter(k.sample), std::nullopt};
    if (quantity == kDopingColumn)
        return {formatNumber(k.sample.dopingCm3, CsvStyle::CommaPoint), k.sample.dopingCm3};
    for (std::size_t q = 0; q < kResultCount; ++q)
        if (kResultNames[q] == quantity)
            return {formatNumber(k.results[q], CsvStyle::CommaPoint), k.results[q]};
    return {};
}

GradedQuantity gradeOne(const KeyRow& k, const std::string& quantity, const std::string& cell, CsvStyle style,
                        const Tolerance& tol) {
    GradedQuantity g;
    g.quantity = quantity;
    g.answer = cell;
    g.tolerance = tol;
    const KeyValue kv = keyValue(k, quantity);
    g.key = kv.text;
    if (quantity == kTypeColumn) {
        std::string typed = cell;
        for (char& c : typed) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        g.mark = cell.empty() ? Mark::Missing : typed == kv.text ? Mark::Ok : Mark::OutOfTolerance;
        return g;
    }
    if (!kv.number) { // nothing to find (an n-type bar's R_H keeps its sign): an answer is wrong
        g.mark = cell.empty() ? Mark::Ok : Mark::NotInKey;
        return g;
    }
    if (cell.empty()) {
        g.mark = Mark::Missing;
        return g;
    }
    const auto value = parseNumber(cell, style);
    if (!value) {
        g.mark = Mark::NotANumber;
        return g;
    }
    g.answer = formatNumber(value, CsvStyle::CommaPoint);
    g.deviation = *value - *kv.number;
    if (*kv.number != 0) g.relativeDeviation = *g.deviation / std::fabs(*kv.number);
    const double allowed = tol.relative ? tol.amount * std::fabs(*kv.number) : tol.amount;
    g.mark = std::fabs(*g.deviation) <= allowed ? Mark::Ok : Mark::OutOfTolerance;
    return g;
}

bool parseToleranceCell(const std::string& cell, CsvStyle style, Tolerance& t) {
    std::string s = cell;
    t.relative = !s.empty() && s.back() == '%';
    if (t.relative) s.pop_back();
    const auto n = parseNumber(s, style);
    if (!n || !(*n > 0)) return false;
    t.amount = t.relative ? *n / 100 : *n;
    return true;
}

} // namespace

std::vector<std::string> gradedQuantities() {
    std::vector<std::string> q{std::string(kTypeColumn), std::string(kDopingColumn)};
    for (std::string_view n : kResultNames) q.emplace_back(n);
    return q;
}

std::map<std::string, Tolerance> defaultTolerances() {
    return {{std::string(kTypeColumn), {0, false}}, {std::string(kDopingColumn), {0.05, true}},
            {"rho_300_ohm_cm", {0.03, true}},       {"RH_300_cm3_C", {0.03, true}},
            {"densidad_300_cm3", {0.03, true}},     {"muH_300_cm2_Vs", {0.03, true}},
            {"gap_sigma_eV", {0.03, false}},        {"gap_hall_eV", {0.03, false}},
            {"exponente_movilidad", {0.08, false}}, {"T_rho_max_K", {10, false}},
            {"T_inversion_K", {5, false}}};
}

bool parseTolerances(std::string_view text, std::map<std::string, Tolerance>& tolerances,
                     std::vector<std::string>& errors) {
    errors.clear();
    CsvTable t;
    std::string error;
    if (!parseTable(text, t, error)) {
        errors.push_back(error);
        return false;
    }
    const int nameCol = columnIndex(t, "magnitud"), tolCol = columnIndex(t, "tolerancia");
    if (nameCol < 0 || tolCol < 0) {
        errors.push_back(at(t.headerLine) + "la cabecera debe tener las columnas «magnitud» y «tolerancia»");
        return false;
    }
    std::map<std::string, Tolerance> read = tolerances;
    for (const CsvRow& row : t.rows) {
        const std::string& name = row.cells[static_cast<std::size_t>(nameCol)];
        const std::string& cell = row.cells[static_cast<std::size_t>(tolCol)];
        if (!read.count(name) || name == kTypeColumn) {
            errors.push_back(at(row.line) + "«" + name + "» no es una magnitud con tolerancia");
            continue;
        }
        Tolerance tol;
        if (!parseToleranceCell(cell, t.style, tol)) {
            errors.push_back(at(row.line) + "la tolerancia «" + cell +
                             "» no es un número positivo (o un porcentaje como «3%»)");
            continue;
        }
        read[name] = tol;
    }
    if (!errors.empty()) return false;
    tolerances = read;
    return true;
}

const char* markText(Mark mark) {
    switch (mark) {
    case Mark::Ok:
        return "ok";
    case Mark::OutOfTolerance:
        return "fuera de tolerancia";
    case Mark::Missing:
        return "falta";
    case Mark::NotANumber:
        return "no es un número";
    case Mark::NotInKey:
        break;
    }
    return "la muestra no tiene esta magnitud";
}

int GradedStudent::ok() const {
    int n = 0;
    for (const GradedQuantity& q : quantities) n += q.mark == Mark::Ok;
    return n;
}

bool gradeAnswers(std::string_view answersText, const std::vector<KeyRow>& key,
                  const std::map<std::string, Tolerance>& tolerances, Grading& out, std::string& error) {
    out = {};
    CsvTable t;
    if (!parseTable(answersText, t, error)) return false;
    const int codeCol = columnIndex(t, "codigo");
    if (codeCol < 0) {
        error = at(t.headerLine) + "falta la columna «codigo»";
        return false;
    }
    std::vector<std::pair<int, std::string>> columns; // graded ones
    for (std::size_t c = 0; c < t.header.size(); ++c) {
        const std::string& name = t.header[c];
        if (name == "codigo" || name == "alumno" || name == "grupo") continue;
        if (!tolerances.count(name)) {
            error = at(t.headerLine) + "la columna «" + name + "» no es una magnitud de la clave";
            return false;
        }
        columns.emplace_back(static_cast<int>(c), name);
    }
    std::set<std::string> graded;
    for (const CsvRow& row : t.rows) {
        const std::string& typed = row.cells[static_cast<std::size_t>(codeCol)];
        if (typed.empty()) {
            out.problems.push_back(at(row.line) + "falta el código: la fila no se corrige");
            continue;
        }
        std::string reason;
        const auto code = SampleCode::parse(typed, reason);
        if (!code) {
            if (!reason.empty() && reason.back() == '.') reason.pop_back();
            out.problems.push_back(at(row.line) + reason + ": la fila no se corrige");
            continue;
        }
        const KeyRow* k = nullptr;
        for (const KeyRow& r : key)
            if (r.code == *code) k = &r;
        if (!k) {
            out.problems.push_back(at(row.line) + "el código " + code->text() +
                                   " no está en la clave: la fila no se corrige");
            continue;
        }
        if (!graded.insert(code->text()).second) {
            out.problems.push_back(at(row.line) + "el código " + code->text() +
                                   " ya tiene respuestas en otra fila: la fila no se corrige");
            continue;
        }
        GradedStudent s{row.line, k, {}};
        for (const auto& [col, name] : columns) {
            s.quantities.push_back(
                gradeOne(*k, name, row.cells[static_cast<std::size_t>(col)], t.style, tolerances.at(name)));
            if (s.quantities.back().mark == Mark::NotANumber)
                out.problems.push_back(at(row.line) + name + " «" + row.cells[static_cast<std::size_t>(col)] +
                                       "» no es un número: se corrige como mal");
        }
        out.students.push_back(std::move(s));
    }
    return true;
}

std::string gradesCsv(const Grading& grading, CsvStyle style) {
    std::string out = joinCells({"alumno", "grupo", "codigo", "magnitud", "respuesta", "clave", "desviacion",
                                 "desviacion_relativa", "tolerancia", "resultado"},
                                style);
    const auto number = [style](const std::string& commaPoint) {
        const auto v = parseNumber(commaPoint, CsvStyle::CommaPoint);
        return v ? formatNumber(v, style) : commaPoint;
    };
    for (const GradedStudent& s : grading.students) {
        const KeyRow& k = *s.key;
        for (const GradedQuantity& q : s.quantities) {
            std::string tol;
            if (q.quantity != kTypeColumn)
                tol = q.tolerance.relative ? formatNumber(q.tolerance.amount * 100, style) + "%"
                                           : formatNumber(q.tolerance.amount, style);
            out += joinCells({k.student, k.group, k.code.text(), q.quantity,
                              q.mark == Mark::NotANumber ? q.answer : number(q.answer), number(q.key),
                              formatNumber(q.deviation, style), formatNumber(q.relativeDeviation, style), tol,
                              markText(q.mark)},
                             style);
        }
        out += joinCells({k.student, k.group, k.code.text(), "total", "", "", "", "", "",
                          std::to_string(s.ok()) + " de " + std::to_string(s.quantities.size()) + " bien"},
                         style);
    }
    return out;
}

} // namespace eh::clase
