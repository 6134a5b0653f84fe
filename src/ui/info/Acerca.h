#pragma once
// `Acerca`: what the program is, its version, licence and release date.

#include "ui/info/HelpWindow.h"

namespace eh {

class Acerca : public HelpWindow {
    Q_OBJECT
public:
    explicit Acerca(QWidget* parent = nullptr);
};

} // namespace eh
