#pragma once

namespace eh {

// What the samples window shows of the selected sample; lengths in centimetres.
struct SampleDimensions {
    int number = 1;
    float longitud = 0;
    float anchura = 0;
    float grosor = 0;
};

} // namespace eh
