#pragma once
// The cryostat help window: the cryostat and the sample holder at the tip of its cold finger.

#include "ui/info/HelpWindow.h"

namespace eh {

class CryostatHelp : public HelpWindow {
    Q_OBJECT
public:
    explicit CryostatHelp(QWidget* parent = nullptr);
};

} // namespace eh
