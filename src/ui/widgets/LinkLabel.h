#pragma once
// A text link of the script frame: a caption that reports a click anywhere on it, and
// Enter or Space while it has the keyboard focus. A caption too long for its box is
// drawn narrowed rather than cut. Drawn by hand rather than by a label: a label that
// takes the keyboard focus keeps a whole text document for its caption.

#include <QWidget>

class QPainter;

#include "ui/widgets/ClickTracker.h"
#include "ui/widgets/FocusCue.h"

namespace eh {

class LinkLabel : public QWidget {
    Q_OBJECT
public:
    LinkLabel(const QString& caption, QWidget* parent = nullptr);

    QString text() const { return text_; }
    void setTextColor(const QColor& color);
    Qt::Alignment alignment() const { return align_; }
    void setAlignment(Qt::Alignment align);
    bool wordWrap() const { return wordWrap_; }
    void setWordWrap(bool on);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool wrapsToFit(const QPainter& p) const;

    QString text_;
    Qt::Alignment align_ = Qt::AlignLeft | Qt::AlignVCenter;
    bool wordWrap_ = false;
    ClickTracker click_;
    FocusCue focus_;
};

} // namespace eh
