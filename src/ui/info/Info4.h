#pragma once
// `Info4`: the cryostat and the sample holder at the tip of its cold finger.

#include "ui/info/HelpWindow.h"

namespace eh {

class Info4 : public HelpWindow {
    Q_OBJECT
public:
    explicit Info4(QWidget* parent = nullptr);
};

} // namespace eh
