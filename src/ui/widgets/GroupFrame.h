#pragma once
// A group frame: etched border with the caption set into its top edge.

#include <QColor>
#include <QWidget>

#include "ui/widgets/CableStubs.h"

namespace eh {

class GroupFrame : public QWidget {
    Q_OBJECT
public:
    GroupFrame(const QString& caption, const QColor& captionColor, QWidget* parent = nullptr);

    QString caption() const { return caption_; }
    QColor captionColor() const { return palette().color(QPalette::WindowText); }
    // Without one, the frame shows its container's background.
    void setBackground(const QColor& color);
    CableStubs& cableStubs() { return stubs_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    CableStubs stubs_;
};

} // namespace eh
