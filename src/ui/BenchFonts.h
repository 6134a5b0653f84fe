#pragma once
// Fonts of the bench, named by the Windows families of the original design and
// resolved to the free look-alikes installed with the program.

#include <QFont>

namespace eh {

struct FontSpec {
    const char* family = "MS Sans Serif";
    double points = 8.25;
    bool bold = false;
    bool italic = false;
};

QFont benchFont(const FontSpec& wanted);

// MS Sans Serif 8.25 pt: captions, On/Off buttons and everything not listed otherwise.
QFont defaultBenchFont();

} // namespace eh
