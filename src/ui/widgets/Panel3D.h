#pragma once
// An instrument panel: raised grey slab with its caption inside, along the top edge.

#include <QFrame>

#include "ui/widgets/CableStubs.h"

namespace eh {

class Panel3D : public QFrame {
    Q_OBJECT
public:
    Panel3D(const QString& caption, Qt::Alignment captionPlace, QWidget* parent = nullptr);

    QString caption() const { return caption_; }
    Qt::Alignment captionPlace() const { return place_; }
    CableStubs& cableStubs() { return stubs_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int captionLeft(const QRect& area, int width) const;
    QRect captionRoom(const QRect& area, int width, int height) const;

    QString caption_;
    Qt::Alignment place_;
    CableStubs stubs_;
};

} // namespace eh
