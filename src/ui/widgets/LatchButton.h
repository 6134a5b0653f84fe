#pragma once
// A two-state picture button. It does not toggle itself: a click only reports the
// press, and whoever owns the state (the bench) says whether it now stands down.

#include <QPushButton>

namespace eh {

class LatchButton : public QPushButton {
    Q_OBJECT
public:
    LatchButton(const QString& picture, const QSize& pictureSize, QWidget* parent = nullptr);

    bool isLatched() const { return isChecked(); }
    void setLatched(bool down);

protected:
    void nextCheckState() override {}
};

}  // namespace eh
