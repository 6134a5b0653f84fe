#pragma once
// The interface help window: the measurement interface and its register.

#include "ui/info/HelpWindow.h"

namespace eh {

class InterfaceHelp : public HelpWindow {
    Q_OBJECT
public:
    explicit InterfaceHelp(QWidget* parent = nullptr);
};

} // namespace eh
