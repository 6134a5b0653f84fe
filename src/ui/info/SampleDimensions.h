#pragma once

#include <string>

namespace eh {

// What the samples window shows of the selected sample; lengths in centimetres. An
// unknown sample is shown by its code, never by its number in the catalogue.
struct SampleDimensions {
    int number = 1;
    float longitud = 0;
    float anchura = 0;
    float grosor = 0;
    std::string code; // the unknown sample's code ("TWSH-3NKM"); empty for a catalogued one
};

} // namespace eh
