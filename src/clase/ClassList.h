#pragma once
// The class list a teacher gives: a student per line, "nombre" or "nombre;grupo" as a
// spreadsheet in Spanish saves it (a tab separates as well), UTF-8 with or without a
// byte-order mark. A first line "nombre" or "alumno" (with ";grupo") is a header.

#include <string>
#include <string_view>
#include <vector>

namespace eh::clase {

struct Student {
    int line = 0; // in the list, from 1
    std::string name;
    std::string group;
};

// More students than this make a key that takes minutes: a list that long is more
// likely a wrong file than one class, and a real one is split by group.
inline constexpr std::size_t kMaxStudents = 500;

struct ClassList {
    std::vector<Student> students;
    std::vector<std::string> notes; // blank lines skipped, for the user
};

// False with the reasons, one per line of the list that is wrong (repeated student,
// too many fields, no name, past kMaxStudents, not UTF-8), in `errors`.
bool parseClassList(std::string_view text, ClassList& out, std::vector<std::string>& errors);

} // namespace eh::clase
