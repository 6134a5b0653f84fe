#include "rtf/WmfPlayback.h"

#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace eh::rtf::wmf {

namespace {

QRectF boxFrom(const Params& p, int firstWord) { // bottom, right, top, left
    return QRectF(QPointF(p.s16(firstWord + 3), p.s16(firstWord + 2)),
                  QPointF(p.s16(firstWord + 1), p.s16(firstWord)))
        .normalized();
}

Qt::PenStyle penStyle(int style) {
    switch (style & 0x0F) {
    case 1:
        return Qt::DashLine;
    case 2:
        return Qt::DotLine;
    case 3:
        return Qt::DashDotLine;
    case 4:
        return Qt::DashDotDotLine;
    case 5:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

Qt::BrushStyle hatchStyle(int hatch) {
    switch (hatch) {
    case 0:
        return Qt::HorPattern;
    case 1:
        return Qt::VerPattern;
    case 2:
        return Qt::FDiagPattern;
    case 3:
        return Qt::BDiagPattern;
    case 4:
        return Qt::CrossPattern;
    default:
        return Qt::DiagCrossPattern;
    }
}

} // namespace

QColor colorFromRef(std::uint32_t ref) {
    if ((ref >> 24) == 0x01) // a palette index: metafiles for documents have no palette
        return Qt::black;
    return QColor(int(ref & 0xFF), int((ref >> 8) & 0xFF), int((ref >> 16) & 0xFF));
}

void ObjectTable::add(Object object) {
    if (!free_.empty()) {
        const int slot = free_.top();
        free_.pop();
        slots_[size_t(slot)] = std::move(object);
    } else if (slots_.size() < size_t(kMaxObjects)) {
        slots_.emplace_back(std::move(object));
    }
}

const Object* ObjectTable::find(int index) const {
    if (index < 0 || size_t(index) >= slots_.size() || !slots_[size_t(index)]) return nullptr;
    return &*slots_[size_t(index)];
}

void ObjectTable::remove(int index) {
    if (!find(index)) return;
    slots_[size_t(index)].reset();
    free_.push(index);
}

Playback::Playback(const WmfPicture& picture, QPainter& painter, const QRectF& target, double budget)
    : picture_(picture), painter_(painter), target_(target), base_(painter.worldTransform()),
      budget_(budget) {
    dc_.windowOrg = picture.frameOrigin();
    dc_.windowExt = picture.frameExtent();
}

void Playback::run() {
    if (picture_.isNull() || target_.isEmpty()) return;
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::TextAntialiasing);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform);
    const QByteArray& data = picture_.data();
    for (const WmfPicture::Record& r : picture_.records()) {
        budget_ -= WmfPicture::kCostPerRecord;
        if (stopped_ || budget_ < 0) break;
        dispatch(r.function, Params(data.constData() + r.offset, r.size));
    }
    painter_.restore();
}

void Playback::dispatch(std::uint16_t function, const Params& p) {
    if (dispatchState(function, p) || dispatchObject(function, p)) return;
    dispatchDrawing(function, p);
}

bool Playback::dispatchState(std::uint16_t function, const Params& p) {
    switch (function) {
    case SetWindowOrg:
        if (dc_.mapMode < MapLoMetric || dc_.mapMode > MapTwips) dc_.windowOrg = QPointF(p.s16(1), p.s16(0));
        return true;
    case SetWindowExt:
        if ((dc_.mapMode < MapLoMetric || dc_.mapMode > MapTwips) && p.s16(0) != 0 && p.s16(1) != 0)
            dc_.windowExt = QSizeF(p.s16(1), p.s16(0));
        return true;
    case OffsetWindowOrg:
        dc_.windowOrg += QPointF(p.s16(1), p.s16(0));
        return true;
    case ScaleWindowExt: {
        const int xNum = p.s16(3), xDen = p.s16(2), yNum = p.s16(1), yDen = p.s16(0);
        if (xNum != 0 && xDen != 0 && yNum != 0 && yDen != 0)
            dc_.windowExt = QSizeF(dc_.windowExt.width() * xNum / xDen, dc_.windowExt.height() * yNum / yDen);
        return true;
    }
    case SetMapMode:
        dc_.mapMode = p.s16(0);
        if (dc_.mapMode >= MapLoMetric && dc_.mapMode <= MapTwips) {
            dc_.windowOrg = picture_.frameOrigin();
            dc_.windowExt = picture_.frameExtent();
        }
        return true;
    case SetBkMode:
        dc_.bkMode = p.s16(0);
        return true;
    case SetBkColor:
        dc_.bkColor = colorFromRef(p.u32(0));
        return true;
    case SetTextColor:
        dc_.textColor = colorFromRef(p.u32(0));
        return true;
    case SetTextAlign:
        dc_.textAlign = p.u16(0);
        return true;
    case SetPolyFillMode:
        dc_.fillRule = p.s16(0) == 2 ? Qt::WindingFill : Qt::OddEvenFill;
        return true;
    case MoveTo:
        dc_.position = QPointF(p.s16(1), p.s16(0));
        return true;
    case SaveDc:
        if (saved_.size() < size_t(kMaxSavedContexts)) saved_.push_back(dc_);
        return true;
    case RestoreDc:
        restoreContext(p.s16(0));
        return true;
    case IntersectClipRect: {
        const QRectF r = windowTransform().mapRect(boxFrom(p, 0));
        dc_.clip = dc_.clip ? dc_.clip->intersected(r) : r;
        return true;
    }
    default:
        return false;
    }
}

void Playback::restoreContext(int which) {
    // Negative: that many levels back; positive: the n-th saved context.
    const qsizetype depth = qsizetype(saved_.size());
    const qsizetype keep = which < 0 ? depth + which : qsizetype(which) - 1;
    if (which == 0 || keep < 0 || keep >= depth) return;
    dc_ = saved_[size_t(keep)];
    saved_.resize(size_t(keep));
}

bool Playback::dispatchObject(std::uint16_t function, const Params& p) {
    switch (function) {
    case CreatePenIndirect:
        objects_.add(Pen{p.u16(0), p.s16(1), colorFromRef(p.u32(3))});
        return true;
    case CreateBrushIndirect:
        objects_.add(Brush{p.u16(0), colorFromRef(p.u32(1)), p.u16(3)});
        return true;
    case CreateFontIndirect: {
        Font f;
        f.height = p.s16(0);
        f.width = p.s16(1);
        f.escapement = p.s16(2);
        f.weight = p.s16(4);
        f.italic = p.byte(10) != 0;
        f.underline = p.byte(11) != 0;
        f.strikeOut = p.byte(12) != 0;
        f.charset = p.byte(13);
        QByteArray face = p.bytes(18, 32);
        face.truncate(face.indexOf('\0') < 0 ? face.size() : face.indexOf('\0'));
        f.face = QString::fromLatin1(face);
        objects_.add(std::move(f));
        return true;
    }
    case CreatePalette:
    case CreatePatternBrush:
    case DibCreatePatternBrush:
    case CreateRegion:
        objects_.add(OtherObject{});
        return true;
    case SelectObject:
        selectObject(p.u16(0));
        return true;
    case DeleteObject:
        objects_.remove(p.u16(0));
        return true;
    default:
        return false;
    }
}

void Playback::selectObject(int index) {
    const Object* object = objects_.find(index);
    if (!object) return;
    if (const auto* pen = std::get_if<Pen>(object))
        dc_.pen = *pen;
    else if (const auto* brush = std::get_if<Brush>(object))
        dc_.brush = *brush;
    else if (const auto* font = std::get_if<Font>(object))
        dc_.font = *font;
}

void Playback::dispatchDrawing(std::uint16_t function, const Params& p) {
    switch (function) {
    case LineTo: {
        const QPointF to(p.s16(1), p.s16(0));
        if (beginShape(QRectF(dc_.position, to).normalized(), false)) painter_.drawLine(dc_.position, to);
        dc_.position = to;
        break;
    }
    case Polyline:
        drawPolygons(p, false, false);
        break;
    case Polygon:
        drawPolygons(p, true, false);
        break;
    case PolyPolygon:
        drawPolygons(p, true, true);
        break;
    case Rectangle:
    case Ellipse:
    case RoundRect:
        drawBox(function, p);
        break;
    case Arc:
    case Pie:
    case Chord:
        drawArc(function, p);
        break;
    case TextOut:
        textOut(p);
        break;
    case ExtTextOut:
        extTextOut(p);
        break;
    case PatBlt:
        patBlt(p);
        break;
    case StretchDib:
    case DibStretchBlt:
    case DibBitBlt:
        drawBitmap(function, p);
        break;
    default:
        break; // records without a visible effect here are skipped
    }
}

QTransform Playback::windowTransform() const {
    const QSizeF ext = dc_.windowExt;
    if (ext.width() == 0 || ext.height() == 0) return QTransform();
    double sx = target_.width() / ext.width();
    double sy = target_.height() / ext.height();
    double dx = 0;
    double dy = 0;
    if (dc_.mapMode == MapIsotropic) { // same scale both ways, centred
        const double s = std::min(std::abs(sx), std::abs(sy));
        dx = (target_.width() - s * std::abs(ext.width())) / 2;
        dy = (target_.height() - s * std::abs(ext.height())) / 2;
        sx = std::copysign(s, sx);
        sy = std::copysign(s, sy);
    }
    return QTransform(sx, 0, 0, sy, target_.left() + dx - dc_.windowOrg.x() * sx,
                      target_.top() + dy - dc_.windowOrg.y() * sy);
}

bool Playback::charge(const QRectF& targetRect) {
    const QRectF visible = targetRect.intersected(target_);
    return chargePixels(visible.width() * visible.height());
}

bool Playback::chargePixels(double pixels) {
    budget_ -= pixels;
    if (budget_ < 0) stopped_ = true;
    return !stopped_;
}

bool Playback::beginShape(const QRectF& logicalBounds, bool withBrush) {
    const QTransform t = windowTransform();
    const double penMargin = std::abs(dc_.pen.width * t.m11()) + 2;
    if (!charge(t.mapRect(logicalBounds).adjusted(-penMargin, -penMargin, penMargin, penMargin)))
        return false;
    painter_.setWorldTransform(base_);
    painter_.setClipRect(dc_.clip ? dc_.clip->intersected(target_) : target_);
    painter_.setWorldTransform(t, true);
    painter_.setPen(makePen());
    painter_.setBrush(withBrush ? makeBrush() : QBrush());
    return true;
}

QPen Playback::makePen() const {
    const Qt::PenStyle style = penStyle(dc_.pen.style);
    if (style == Qt::NoPen) return QPen(Qt::NoPen);
    const double scale = std::abs(windowTransform().m11());
    double width = dc_.pen.width;
    const double deviceWidth = width * scale;
    const double maxWidth = std::max(target_.width(), target_.height());
    QPen pen(dc_.pen.color);
    if (deviceWidth <= 1.0) {
        pen.setWidth(0); // the device's thinnest line, as GDI draws thin pens
        pen.setStyle(style);
        return pen;
    }
    if (deviceWidth > maxWidth) width = maxWidth / scale;
    pen.setWidthF(width);
    pen.setStyle(Qt::SolidLine); // GDI draws wide pens solid
    const int cap = dc_.pen.style & 0x0F00;
    pen.setCapStyle(cap == 0x0100 ? Qt::SquareCap : cap == 0x0200 ? Qt::FlatCap : Qt::RoundCap);
    const int join = dc_.pen.style & 0xF000;
    pen.setJoinStyle(join == 0x1000 ? Qt::BevelJoin : join == 0x2000 ? Qt::MiterJoin : Qt::RoundJoin);
    return pen;
}

QBrush Playback::makeBrush() const {
    switch (dc_.brush.style) {
    case 0:
        return QBrush(dc_.brush.color);
    case 1:
        return QBrush();
    case 2:
        return QBrush(dc_.brush.color, hatchStyle(dc_.brush.hatch));
    default:
        return QBrush(Qt::black, Qt::Dense4Pattern); // pattern brushes, approximated
    }
}

void Playback::drawPolygons(const Params& p, bool closed, bool poly) {
    std::vector<qsizetype> counts;
    qsizetype at = 1;
    if (poly) {
        const qsizetype n = std::min<qsizetype>(p.u16(0), p.words() - 1);
        for (qsizetype i = 0; i < n; ++i) counts.push_back(p.u16(1 + i));
        at = 1 + n;
    } else {
        counts.push_back(std::max<qsizetype>(0, p.s16(0)));
    }
    QPainterPath path;
    path.setFillRule(dc_.fillRule);
    for (qsizetype count : counts) {
        count = std::min(count, (p.words() - at) / 2);
        QPolygonF polygon;
        polygon.reserve(count);
        for (qsizetype i = 0; i < count; ++i, at += 2) polygon.append(QPointF(p.s16(at), p.s16(at + 1)));
        if (polygon.size() < 2) continue;
        if (closed) polygon.append(polygon.first());
        path.addPolygon(polygon);
    }
    if (path.isEmpty() || !beginShape(path.boundingRect(), closed)) return;
    if (closed)
        painter_.drawPath(path);
    else
        painter_.strokePath(path, painter_.pen());
}

void Playback::drawBox(std::uint16_t function, const Params& p) {
    const QRectF box = boxFrom(p, function == RoundRect ? 2 : 0);
    if (!beginShape(box, true)) return;
    if (function == Rectangle)
        painter_.drawRect(box);
    else if (function == Ellipse)
        painter_.drawEllipse(box);
    else
        painter_.drawRoundedRect(box, std::abs(p.s16(1)) / 2.0, std::abs(p.s16(0)) / 2.0);
}

void Playback::drawArc(std::uint16_t function, const Params& p) {
    const QRectF box = boxFrom(p, 4);
    if (box.width() <= 0 || box.height() <= 0) return;
    const QPointF c = box.center();
    // Angles as QPainterPath counts them: counter-clockwise with y pointing down.
    auto angleOf = [&](int x, int y) {
        return std::atan2(-(y - c.y()) / box.height(), (x - c.x()) / box.width()) * 180.0 / M_PI;
    };
    const double start = angleOf(p.s16(3), p.s16(2));
    double sweep = angleOf(p.s16(1), p.s16(0)) - start;
    if (sweep <= 0) sweep += 360;
    QPainterPath path;
    if (function == Pie)
        path.moveTo(c);
    else
        path.arcMoveTo(box, start);
    path.arcTo(box, start, sweep);
    if (function != Arc) path.closeSubpath();
    if (!beginShape(box, function != Arc)) return;
    if (function == Arc)
        painter_.strokePath(path, painter_.pen());
    else
        painter_.drawPath(path);
}

} // namespace eh::rtf::wmf

namespace eh::rtf {

double WmfPicture::drawingBudget(const QSizeF& target) {
    return std::max(kMinimumDrawingBudget, kCoverageBudget * std::abs(target.width() * target.height()));
}

void WmfPicture::play(QPainter& painter, const QRectF& target, double* budget) const {
    const double own = drawingBudget(target.size());
    const double start = budget ? std::min(own, *budget) : own;
    wmf::Playback playback(*this, painter, target, start);
    playback.run();
    if (budget) *budget -= start - std::max(0.0, playback.budgetLeft());
}

QImage renderWmfToImage(const WmfPicture& picture, const QSize& size, double* budget) {
    if (size.isEmpty() || size.width() > kMaxRenderSide || size.height() > kMaxRenderSide) return {};
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return {};
    image.fill(Qt::transparent);
    QPainter painter(&image);
    picture.play(painter, QRectF(QPointF(0, 0), QSizeF(size)), budget);
    return image;
}

} // namespace eh::rtf
