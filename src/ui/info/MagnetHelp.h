#pragma once
// The electromagnet help window: the electromagnet, its exponential current ramps and its field.

#include "ui/info/HelpWindow.h"

namespace eh {

class MagnetHelp : public HelpWindow {
    Q_OBJECT
public:
    explicit MagnetHelp(QWidget* parent = nullptr);
};

} // namespace eh
