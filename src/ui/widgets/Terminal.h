#pragma once
// A binding post of the schematic: a dark grey circle where a cable ends.

#include "ui/widgets/Led.h"

namespace eh {

class Terminal : public Led {
    Q_OBJECT
public:
    explicit Terminal(QWidget* parent = nullptr) : Led(QColor(64, 64, 64), parent) {}
};

} // namespace eh
