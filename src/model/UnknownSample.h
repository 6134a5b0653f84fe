#pragma once
// The unknown sample a code names: which bar of the catalogue's germanium the student
// measures. The sample follows from the code alone, the same on every machine and in
// every later version of the program (a new derivation gets a new code version).
//
// Derivation, version 1. The seven leading symbols of the code, read as a number in
// base 31 (first symbol least significant), seed a splitmix64 sequence; its 64-bit
// outputs, in this order, give:
//   1. the conduction type: "N" for an even output, "P" for an odd one;
//   2. the dopant, equally likely among the shallow donors (P, As, Sb) or acceptors
//      (B, Al, Ga, In) of germanium, with its ionisation energy in meV:
//        donors    P 12.0, As 12.7, Sb 9.6;
//        acceptors B 10.4, Al 10.2, Ga 10.8, In 11.2;
//      from C. Kittel, Introduction to Solid State Physics, 8th ed. (Wiley, 2005),
//      ch. 8, the tables of donor and acceptor ionisation energies in germanium
//      (S. M. Sze and K. K. Ng, Physics of Semiconductor Devices, 3rd ed., Wiley,
//      2007, ch. 1, give the same levels in their figure of impurity energies in Ge);
//   3. the doping, log-uniform between 2e15 and 2e16 cm^-3, rounded to three
//      significant digits. With the bench's transport model every sample in this
//      range shows the three regions between 50 and 760 K: at 50 K at least 5 % of
//      the carriers are frozen out even for the shallowest dopant (Sb at 2e15 loses
//      5.1 %, deeper dopants and higher doping more); near room temperature the
//      carrier density equals the doping within 0.01 % (the extrinsic plateau the
//      doping is read from); at 760 K the intrinsic density, 8.6e17, is at least
//      40 times the doping, and it passes the doping below 550 K, so the band gap
//      can be fitted on the intrinsic side. Lower doping would hide the freeze-out
//      at 50 K, higher doping would push the intrinsic region out of the gap fit;
//   4. the bar's width, uniform in 0.100..0.250 cm, rounded to 0.001 cm;
//   5. the length between the resistivity contacts, 3 to 5 widths, rounded to
//      0.001 cm;
//   6. the thickness, uniform in 0.0080..0.0200 cm, rounded to 0.0005 cm.
// A uniform number in [0, 1) is the top 53 bits of an output times 2^-53; a choice
// among k is floor(k times that). Every other constant of the row, the band gap
// included, is the catalogue's germanium: the gap does not vary between samples.

#include <string>

#include "model/SampleCatalogue.h"
#include "model/SampleCode.h"

namespace eh {

struct UnknownSample {
    std::string Tipo;    // "N" or "P"
    std::string dopant;  // chemical symbol
    float ionisationMeV; // the dopant's ionisation energy
    float dopingCm3;     // donor or acceptor concentration
    float lengthCm;      // between the resistivity voltage contacts
    float widthCm;
    float thicknessCm;
};

// The range the doping is drawn from, cm^-3.
inline constexpr double kUnknownDopingMin = 2e15;
inline constexpr double kUnknownDopingMax = 2e16;

// The sample of a valid code (SampleCode::parse accepts only derivable versions).
UnknownSample deriveUnknownSample(const SampleCode& code);

// The catalogue row of a sample: the catalogue's material with this bar's type,
// dopant, doping and dimensions; the other type's doping is zero.
SampleRow unknownSampleRow(const UnknownSample& sample);

} // namespace eh
