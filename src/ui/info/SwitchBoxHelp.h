#pragma once
// The switch-box help window: how the switch box chooses between the resistivity and the Hall configuration.

#include "ui/info/HelpWindow.h"

namespace eh {

class SwitchBoxHelp : public HelpWindow {
    Q_OBJECT
public:
    explicit SwitchBoxHelp(QWidget* parent = nullptr);
};

} // namespace eh
