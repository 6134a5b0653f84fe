#include "ui/widgets/Pictures.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOption>

namespace eh {
namespace {

const QColor kContactRed(255, 0, 0);
const QColor kInfoBlue(0, 0, 200);

// Strokes as a vector drawing has them: butt ends and mitred corners.
QPen strokePen(const QColor& color, qreal width, Qt::PenJoinStyle join = Qt::MiterJoin) {
    return QPen(color, width, Qt::SolidLine, Qt::FlatCap, join);
}

void paintContacts(QPainter& p, bool hall) {
    p.fillRect(QRectF(0, 0, 25, 22), QColor(192, 192, 192));
    p.setBrush(Qt::NoBrush);
    QPainterPath v;
    v.moveTo(2, 4);
    v.lineTo(7, 17);
    v.lineTo(12, 4);
    p.setPen(strokePen(kContactRed, 2.2));
    p.drawPath(v);

    QPainterPath letter;
    if (hall) { // h: a stem and an arch
        letter.moveTo(15, 3);
        letter.lineTo(15, 17);
        letter.moveTo(15, 11.5);
        letter.cubicTo(16, 9.5, 17.5, 9, 19, 9);
        letter.cubicTo(20.5, 9, 21.5, 10, 21.5, 12);
        letter.lineTo(21.5, 17);
    } else { // r: a stem and a shoulder
        letter.moveTo(15, 17);
        letter.lineTo(15, 9);
        letter.moveTo(15, 11.5);
        letter.cubicTo(16, 9.5, 18, 8.8, 21, 9.2);
    }
    p.setPen(strokePen(kContactRed, 2));
    p.drawPath(letter);
}

void paintInfo(QPainter& p) {
    QPainterPath bubble;
    bubble.moveTo(16, 2.5);
    bubble.cubicTo(8.3, 2.5, 2.5, 7.4, 2.5, 13.5);
    bubble.cubicTo(2.5, 17.3, 4.8, 20.6, 8.4, 22.6);
    bubble.lineTo(6.5, 29.5);
    bubble.lineTo(13.6, 24.3);
    bubble.cubicTo(14.4, 24.4, 15.2, 24.5, 16, 24.5);
    bubble.cubicTo(23.7, 24.5, 29.5, 19.6, 29.5, 13.5);
    bubble.cubicTo(29.5, 7.4, 23.7, 2.5, 16, 2.5);
    bubble.closeSubpath();
    p.setPen(strokePen(Qt::black, 1.2, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(bubble);

    p.setPen(Qt::NoPen);
    p.setBrush(kInfoBlue);
    p.drawEllipse(QPointF(16, 7.6), 2.1, 2.1);
    const QPolygonF stem({{12.6, 11},
                          {17.8, 11},
                          {17.8, 19.2},
                          {19.6, 19.2},
                          {19.6, 21.2},
                          {12.6, 21.2},
                          {12.6, 19.2},
                          {14.4, 19.2},
                          {14.4, 13},
                          {12.6, 13}});
    p.drawPolygon(stem);
}

void paintSign(QPainter& p, bool plus) {
    p.fillRect(QRectF(0, 0, 13, 13), Qt::white);
    p.setPen(strokePen(Qt::black, 1));
    p.setBrush(Qt::white);
    if (!plus) {
        p.drawRect(QRectF(1.5, 4.5, 10, 4));
        return;
    }
    const QPolygonF cross({{4.5, 1.5},
                           {8.5, 1.5},
                           {8.5, 4.5},
                           {11.5, 4.5},
                           {11.5, 8.5},
                           {8.5, 8.5},
                           {8.5, 11.5},
                           {4.5, 11.5},
                           {4.5, 8.5},
                           {1.5, 8.5},
                           {1.5, 4.5},
                           {4.5, 4.5}});
    p.drawPolygon(cross);
}

// The same drawing as the icon installed for the desktop.
void paintAppIcon(QPainter& p) {
    QPainterPath tile;
    tile.addRoundedRect(QRectF(4, 4, 120, 120), 18, 18);
    p.setPen(strokePen(QColor(160, 96, 48), 3));
    p.setBrush(QColor(255, 224, 192));
    p.drawPath(tile);

    const QColor yoke(128, 128, 128);
    p.setPen(Qt::NoPen);
    p.setBrush(yoke);
    p.drawPolygon(
        QPolygonF({{20, 40}, {34, 40}, {34, 98}, {94, 98}, {94, 40}, {108, 40}, {108, 112}, {20, 112}}));
    p.drawRect(QRectF(28, 52, 30, 34));
    p.drawRect(QRectF(70, 52, 30, 34));

    p.setPen(strokePen(Qt::black, 1.5));
    p.setBrush(QColor(192, 0, 0));
    p.drawRect(QRectF(30, 30, 20, 64));
    p.drawRect(QRectF(78, 30, 20, 64));
    p.setPen(strokePen(Qt::black, 1.2));
    for (qreal x : {36, 42, 84, 90}) p.drawLine(QPointF(x, 31), QPointF(x, 93));

    p.setBrush(QColor(64, 64, 64));
    p.drawRect(QRectF(61, 48, 6, 42));
    p.setPen(strokePen(Qt::black, 3));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({{64, 48}, {64, 14}, {112, 14}}));
    p.setPen(strokePen(Qt::black, 1.5));
    p.setBrush(QColor(64, 64, 64));
    p.drawEllipse(QPointF(112, 14), 5, 5);
}

class PictureIconEngine : public QIconEngine {
public:
    explicit PictureIconEngine(Picture picture) : picture_(picture) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        paintPicture(*painter, picture_, rect);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        QPixmap pm(size);
        pm.fill(Qt::transparent);
        {
            QPainter p(&pm);
            paintPicture(p, picture_, QRectF(QPointF(0, 0), size));
        }
        if (mode == QIcon::Normal) return pm;
        QStyleOption option;
        option.palette = QApplication::palette();
        QStyle* style = QApplication::style();
        return style ? style->generatedIconPixmap(mode, pm, &option) : pm;
    }

    QIconEngine* clone() const override { return new PictureIconEngine(picture_); }
    QString key() const override { return QStringLiteral("tarvelo-picture"); }

private:
    Picture picture_;
};

} // namespace

Picture pictureNamed(QStringView name) {
    if (name == u"info") return Picture::Info;
    if (name == u"minus") return Picture::Minus;
    if (name == u"plus") return Picture::Plus;
    if (name == u"conmuta_ro") return Picture::ResistivityContacts;
    if (name == u"conmuta_eh") return Picture::HallContacts;
    return Picture::None;
}

QSize pictureBox(Picture picture) {
    switch (picture) {
    case Picture::Info:
        return {32, 32};
    case Picture::Minus:
    case Picture::Plus:
        return {13, 13};
    case Picture::ResistivityContacts:
    case Picture::HallContacts:
        return {25, 22};
    case Picture::AppIcon:
        return {128, 128};
    case Picture::None:
        break;
    }
    return {};
}

void paintPicture(QPainter& painter, Picture picture, const QRectF& target) {
    const QSize box = pictureBox(picture);
    if (box.isEmpty() || target.isEmpty()) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(target.topLeft());
    painter.scale(target.width() / box.width(), target.height() / box.height());
    switch (picture) {
    case Picture::Info:
        paintInfo(painter);
        break;
    case Picture::Minus:
    case Picture::Plus:
        paintSign(painter, picture == Picture::Plus);
        break;
    case Picture::ResistivityContacts:
    case Picture::HallContacts:
        paintContacts(painter, picture == Picture::HallContacts);
        break;
    case Picture::AppIcon:
        paintAppIcon(painter);
        break;
    case Picture::None:
        break;
    }
    painter.restore();
}

QIcon pictureIcon(Picture picture) {
    if (picture == Picture::None) return {};
    return QIcon(new PictureIconEngine(picture));
}

} // namespace eh
