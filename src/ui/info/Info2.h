#pragma once
// `Info2`: the electromagnet, its exponential current ramps and its field.

#include "ui/info/HelpWindow.h"

namespace eh {

class Info2 : public HelpWindow {
    Q_OBJECT
public:
    explicit Info2(QWidget* parent = nullptr);
};

} // namespace eh
