// The class list as teachers save it, and the codes drawn from it.
#include <gtest/gtest.h>

#include <set>

#include "ClassOf30.h"
#include "clase/ClassCodes.h"
#include "clase/ClassList.h"

using namespace eh;
using namespace eh::clase;

namespace {

std::string joined(const std::vector<std::string>& lines) {
    std::string s;
    for (const std::string& l : lines) s += l + "\n";
    return s;
}

} // namespace

TEST(ClassList, WhatSpreadsheetsSaveAndWhatIsRefused) {
    struct Row {
        std::string text;
        std::vector<std::string> names; // read in order
        std::vector<std::string> groups;
        std::string error; // the start of the first error, empty when accepted
        std::size_t notes = 0;
    } rows[] = {
        // A byte-order mark, a header, semicolons, accents and CR LF.
        {"\xEF\xBB\xBFnombre;grupo\r\nAna Núñez;L1\r\nÍñigo Ortiz;L2\r\n",
         {"Ana Núñez", "Íñigo Ortiz"},
         {"L1", "L2"},
         "",
         0},
        // A name per line, no header, lines ended by CR only; a trailing separator.
        {"Ana\rBeatriz;\rCarlos", {"Ana", "Beatriz", "Carlos"}, {"", "", ""}, "", 0},
        // Tabs separate too; a comma belongs to the name; quotes hold a semicolon.
        {"Pérez, Ana\tB\n\"Ruiz; hijo\";A\n", {"Pérez, Ana", "Ruiz; hijo"}, {"B", "A"}, "", 0},
        // Blank lines are skipped with a note each.
        {"Ana\n\n   \nBea\n", {"Ana", "Bea"}, {"", ""}, "", 2},
        // "Alumno" is a header only on the first line.
        {"Alumno\nAna\n", {"Ana"}, {""}, "", 0},
        {"Ana\nAlumno\n", {"Ana", "Alumno"}, {"", ""}, "", 0},
        // The same name in another group is another student; in the same group it is not.
        {"Ana;L1\nAna;L2\n", {"Ana", "Ana"}, {"L1", "L2"}, "", 0},
        {"Ana;L1\nBea;L1\nAna;L1\n", {}, {}, "línea 3: «Ana» (L1) ya figura en la línea 1", 0},
        {"Ana;L1;extra\n", {}, {}, "línea 1: tiene 3 campos", 0},
        {";L1\n", {}, {}, "línea 1: falta el nombre", 0},
        {"Ana\nN\xFA\xF1"
         "ez\n",
         {},
         {},
         "línea 2: no es texto UTF-8",
         0}, // Latin-1
        {"\n\n", {}, {}, "la lista no tiene ningún alumno", 2},
    };
    for (const Row& r : rows) {
        ClassList list;
        std::vector<std::string> errors;
        const bool ok = parseClassList(r.text, list, errors);
        SCOPED_TRACE(r.text);
        EXPECT_EQ(ok, r.error.empty());
        if (!r.error.empty()) {
            ASSERT_FALSE(errors.empty());
            EXPECT_EQ(errors[0].substr(0, r.error.size()), r.error);
            continue;
        }
        std::vector<std::string> names, groups;
        for (const Student& s : list.students) {
            names.push_back(s.name);
            groups.push_back(s.group);
        }
        EXPECT_EQ(names, r.names);
        EXPECT_EQ(groups, r.groups);
        EXPECT_EQ(list.notes.size(), r.notes);
    }
}

TEST(ClassList, LineNumbersAndTheLimitOfAClass) {
    ClassList list;
    std::vector<std::string> errors;
    ASSERT_TRUE(parseClassList("nombre\n\nAna\nBea\n", list, errors));
    EXPECT_EQ(list.students[0].line, 3);
    EXPECT_EQ(list.students[1].line, 4);
    ASSERT_EQ(list.notes.size(), 1u);
    EXPECT_EQ(list.notes[0], "línea 2: vacía, se salta");

    for (std::size_t n : {kMaxStudents, kMaxStudents + 1, std::size_t{2000}}) {
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < n; ++i) lines.push_back("Alumno " + std::to_string(i));
        const bool ok = parseClassList(joined(lines), list, errors);
        EXPECT_EQ(ok, n <= kMaxStudents) << n;
        if (n > kMaxStudents) {
            ASSERT_EQ(errors.size(), 1u);
            EXPECT_EQ(errors[0], "línea 501: la lista pasa de 500 alumnos; divídala por grupos");
        }
    }
}

TEST(ClassCodes, PinnedForAClassOf30) {
    const std::vector<SampleCode> codes = classCodes(eh::test::classOf30(), 2026);
    const auto& pinned = eh::test::kClassOf30Codes;
    ASSERT_EQ(codes.size(), 30u);
    std::set<std::string> distinct;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        EXPECT_EQ(codes[i].text(), pinned[i]) << i;
        std::string error;
        const auto parsed = SampleCode::parse(codes[i].text(), error);
        ASSERT_TRUE(parsed) << error;
        EXPECT_EQ(parsed->version(), 1);
        distinct.insert(codes[i].text());
    }
    EXPECT_EQ(distinct.size(), 30u);
}

TEST(ClassCodes, FollowTheStudentNotTheListOrder) {
    std::vector<Student> students = eh::test::classOf30();
    const std::vector<SampleCode> codes = classCodes(students, 2026);
    // Reversed, and with a student added at the front: everyone keeps their code.
    std::vector<Student> reversed(students.rbegin(), students.rend());
    reversed.insert(reversed.begin(), Student{1, "Nuevo Alumno", "L1"});
    const std::vector<SampleCode> again = classCodes(reversed, 2026);
    for (std::size_t i = 0; i < students.size(); ++i) EXPECT_EQ(again[students.size() - i], codes[i]);
    // Another seed, another group or a changed accent: another code.
    EXPECT_NE(classCodes(students, 2027)[0], codes[0]);
    EXPECT_NE(classCodes({{1, students[0].name, "L2"}}, 2026)[0], codes[0]);
    EXPECT_NE(classCodes({{1, "Ana Belen Núñez", "L1"}}, 2026)[0], codes[0]);
}

TEST(ClassCodes, AClassOf500HasNoCodeTwice) {
    std::vector<Student> students;
    for (int i = 0; i < 500; ++i)
        students.push_back({i + 1, "Alumno " + std::to_string(i % 250), i < 250 ? "A" : "B"});
    const std::vector<SampleCode> codes = classCodes(students, 1);
    std::set<std::string> distinct;
    for (const SampleCode& c : codes) distinct.insert(c.text());
    EXPECT_EQ(distinct.size(), 500u);
}
