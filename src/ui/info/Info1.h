#pragma once
// `Info1`: how the switch box chooses between the resistivity and the Hall configuration.

#include "ui/info/HelpWindow.h"

namespace eh {

class Info1 : public HelpWindow {
    Q_OBJECT
public:
    explicit Info1(QWidget* parent = nullptr);
};

} // namespace eh
