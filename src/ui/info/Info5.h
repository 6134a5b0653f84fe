#pragma once
// `Info5`: the measurement interface and its register.

#include "ui/info/HelpWindow.h"

namespace eh {

class Info5 : public HelpWindow {
    Q_OBJECT
public:
    explicit Info5(QWidget* parent = nullptr);
};

} // namespace eh
