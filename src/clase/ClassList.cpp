#include "clase/ClassList.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "clase/CsvText.h"

namespace eh::clase {
namespace {

std::string lowerAscii(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

bool isHeader(const std::vector<std::string>& cells) {
    const std::string first = lowerAscii(cells[0]);
    if (first != "nombre" && first != "alumno" && first != "alumna") return false;
    return cells.size() == 1 || lowerAscii(cells[1]) == "grupo";
}

std::string at(int line) {
    return "línea " + std::to_string(line) + ": ";
}

} // namespace

bool parseClassList(std::string_view text, ClassList& out, std::vector<std::string>& errors) {
    out = {};
    errors.clear();
    std::vector<TextLine> lines;
    std::string error;
    if (!splitLines(text, lines, error)) {
        errors.push_back(error);
        return false;
    }
    std::map<std::pair<std::string, std::string>, int> seen;
    bool first = true;
    for (const TextLine& l : lines) {
        const char sep = l.text.find(';') != std::string::npos ? ';' : '\t';
        std::vector<std::string> cells = splitCells(l.text, sep);
        while (cells.size() > 1 && cells.back().empty()) cells.pop_back();
        if (cells.size() == 1 && cells[0].empty()) {
            out.notes.push_back(at(l.number) + "vacía, se salta");
            continue;
        }
        if (first && isHeader(cells)) {
            first = false;
            continue;
        }
        first = false;
        if (cells.size() > 2) {
            errors.push_back(at(l.number) + "tiene " + std::to_string(cells.size()) +
                             " campos; se esperan «nombre» o «nombre;grupo»");
            continue;
        }
        Student s{l.number, cells[0], cells.size() > 1 ? cells[1] : std::string{}};
        if (s.name.empty()) {
            errors.push_back(at(l.number) + "falta el nombre");
            continue;
        }
        const auto [it, fresh] = seen.emplace(std::make_pair(s.name, s.group), l.number);
        if (!fresh) {
            errors.push_back(at(l.number) + "«" + s.name + "»" +
                             (s.group.empty() ? "" : " (" + s.group + ")") + " ya figura en la línea " +
                             std::to_string(it->second));
            continue;
        }
        if (out.students.size() == kMaxStudents) {
            errors.push_back(at(l.number) + "la lista pasa de " + std::to_string(kMaxStudents) +
                             " alumnos; divídala por grupos");
            break;
        }
        out.students.push_back(std::move(s));
    }
    if (errors.empty() && out.students.empty()) errors.emplace_back("la lista no tiene ningún alumno");
    return errors.empty();
}

} // namespace eh::clase
