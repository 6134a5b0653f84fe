#pragma once
// Fonts of the windows, named by the Windows families of the original design and
// resolved to the free look-alikes installed with the program.

#include <QFont>

namespace eh {

struct FontChoice {
    const char* family = "MS Sans Serif";
    double points = 8.25;
    bool bold = false;
    bool italic = false;
};

QFont windowFont(const FontChoice& wanted);

// MS Sans Serif 8.25 pt: captions, buttons and everything not given a font of its own.
QFont defaultWindowFont();

} // namespace eh
