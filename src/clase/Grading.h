#pragma once
// The students' answers against the key, quantity by quantity, within tolerances the
// teacher can change.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "clase/AnswerKey.h"
#include "clase/CsvText.h"

namespace eh::clase {

// A quantity's tolerance: a share of the key's value (relative) or an amount in the
// quantity's own unit (absolute).
struct Tolerance {
    double amount = 0;
    bool relative = false;
};

// The quantities a student may hand in: the doping type, the doping and the results.
std::vector<std::string> gradedQuantities();

// The defaults (see the README's grading section for why each):
//  rho, R_H, density and mu_H at 300 K: 3 % — the student's "300 K" record may lie a
//    kelvin off (up to 0.8 % in rho and mu_H, whose lattice part goes as T^-2.33 for
//    holes), and their own current and field add their share; the bench's readings
//    themselves are good to 1e-6;
//  doping: 5 %, as read from the plateau of R_H, where freeze-out below and
//    intrinsic carriers above leave a few per cent when the student reads it off its
//    centre;
//  band gaps: 0.03 eV, what a fit over the student's own range and step reaches (the
//    two methods themselves differ by up to 0.1 eV: each is graded against its own);
//  mobility exponent: 0.08, half the distance from 1.66 to 1.5;
//  T_rho_max: 10 K, the step of a plain sweep, on a flat maximum;
//  T_inversion: 5 K, half the step of a plain sweep on a sharp sign change.
std::map<std::string, Tolerance> defaultTolerances();

// Reads a table "magnitud,tolerancia" whose tolerances are "3%" (relative) or a
// number (absolute); the quantities it names replace the defaults in `tolerances`.
// False with a message per faulty line.
bool parseTolerances(std::string_view text, std::map<std::string, Tolerance>& tolerances,
                     std::vector<std::string>& errors);

enum class Mark { Ok, OutOfTolerance, Missing, NotANumber, NotInKey };
const char* markText(Mark mark); // "ok", "fuera de tolerancia", "falta", ...

struct GradedQuantity {
    std::string quantity;
    std::string answer, key; // as written; numbers with seven digits
    std::optional<double> deviation, relativeDeviation;
    Tolerance tolerance;
    Mark mark = Mark::Missing;
};

struct GradedStudent {
    int line = 0; // in the answers
    const KeyRow* key = nullptr;
    std::vector<GradedQuantity> quantities;
    int ok() const;
};

struct Grading {
    std::vector<GradedStudent> students;
    std::vector<std::string> problems; // rows left out, cells not read: with their lines
    bool complete() const { return problems.empty(); }
};

// Grades every answer row whose code is in the key. A table without a `codigo`
// column, or with a column that is no quantity of the key, grades nothing: false with
// the reason in `error`.
bool gradeAnswers(std::string_view answersText, const std::vector<KeyRow>& key,
                  const std::map<std::string, Tolerance>& tolerances, Grading& out, std::string& error);

// The grades as CSV: per student and quantity a line, then the student's total.
std::string gradesCsv(const Grading& grading, CsvStyle style);

} // namespace eh::clase
