#include "model/Reading.h"

namespace eh {

TaggedNumber computeReading(std::int16_t conmutador, float iFuente, float rMuestra, float rHall, float bIman,
                            std::int16_t polaridad, float grosor) {
    switch (conmutador) {
    case 1:
        return TaggedNumber::single(static_cast<float>(double{iFuente} * rMuestra / 1000.0));
    case 2:
        return TaggedNumber::dbl((iFuente / 1000.0) * (rHall / 1e6) * (bIman / 1e4) * polaridad /
                                 (grosor / 100.0));
    default:
        return TaggedNumber::int16(0);
    }
}

} // namespace eh
