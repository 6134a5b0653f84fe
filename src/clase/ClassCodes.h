#pragma once
// One sample code per student, from the student's name, group and the class's seed
// alone: the same list and seed give the same codes whatever the order of the list,
// and adding a student changes nobody else's code.

#include <cstdint>
#include <vector>

#include "clase/ClassList.h"
#include "model/SampleCode.h"

namespace eh::clase {

// Derivation: FNV-1a (64 bits) over the seed's eight bytes (least significant first),
// the name, a unit separator (0x1F), the group and the attempt number's byte seeds a
// splitmix64 sequence; the first output gives the first symbol among the values that
// name derivation 1 (0, 4, ..., 28), the next six outputs the other symbols (each
// modulo 31). A code already given to an earlier student of the list is drawn again
// with the next attempt number.
std::vector<SampleCode> classCodes(const std::vector<Student>& students, std::uint64_t seed);

} // namespace eh::clase
