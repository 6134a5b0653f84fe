#include "ui/widgets/LatchButton.h"

#include <QIcon>
#include <QSignalBlocker>

namespace eh {

LatchButton::LatchButton(const QString& picture, const QSize& pictureSize, QWidget* parent)
    : QPushButton(parent) {
    setCheckable(true);
    setIcon(QIcon(picture));
    setIconSize(pictureSize);
    setFocusPolicy(Qt::NoFocus);
    setAutoDefault(false);
}

void LatchButton::setLatched(bool down) {
    const QSignalBlocker quiet(this);
    setChecked(down);
}

}  // namespace eh
