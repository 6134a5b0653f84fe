#pragma once
// What the bench tells a journal of its register, so that stored records outlive the
// program however it ends. The bench works the same without one.

#include <array>
#include <span>

namespace eh {

// One record as the register stores it: temperature, field, current and the three
// readings, in the data file's column order.
using RecordValues = std::array<float, 6>;

class RegisterJournal {
public:
    virtual ~RegisterJournal() = default;
    // `Acumular` stored a record: `records` is the register as it now stands, the new
    // record last. On disk before this returns.
    virtual void stored(std::span<const RecordValues> records) = 0;
    // The register was emptied (`Inicializar`) or saved: nothing is left to keep.
    virtual void settled() = 0;
};

} // namespace eh
