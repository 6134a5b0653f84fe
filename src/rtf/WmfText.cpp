// Text records of the metafile player: TextOut and ExtTextOut with the selected font,
// text colour, background mode and alignment.

#include "rtf/Charsets.h"
#include "rtf/FontSubstitution.h"
#include "rtf/WmfPlayback.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>

#include <algorithm>
#include <cmath>

namespace eh::rtf::wmf {

namespace {

QString decodeText(const QByteArray& bytes, const Font& font) {
    if (isSymbolFontName(font.face)) return decodeBytes(bytes, kSymbolCodePage);
    // Other symbol-set fonts (Wingdings, MT Extra) have no Unicode mapping we know.
    if (font.charset == kSymbolCharset) return QString::fromLatin1(bytes);
    return decodeBytes(bytes, codePageForCharset(font.charset, kDefaultCodePage));
}

// The font for `font` with an em height of `emPixels` in the painter's coordinates.
QFont makeFont(const Font& font, double pixels, bool cellHeight, const QPaintDevice* device) {
    const QString face = font.face.isEmpty() ? QStringLiteral("MS Sans Serif") : font.face;
    QFont qfont(substituteFontFamily(face));
    qfont.setWeight(QFont::Weight(std::clamp(font.weight == 0 ? 400 : font.weight, 100, 900)));
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    qfont.setStrikeOut(font.strikeOut);
    const double dpi = device && device->logicalDpiY() > 0 ? device->logicalDpiY() : 96.0;
    if (cellHeight) { // GDI: a positive height counts the internal leading too
        qfont.setPointSizeF(100.0 * 72.0 / dpi);
        const QFontMetricsF fm(qfont, device);
        if (fm.ascent() + fm.descent() > 0) pixels *= 100.0 / (fm.ascent() + fm.descent());
    }
    qfont.setPointSizeF(pixels * 72.0 / dpi);
    return qfont;
}

} // namespace

TextSize boundedTextSize(const Font& font, double scaleY, double scaleX, const QSizeF& target) {
    // A formula's text is never taller than its picture; twice the larger side leaves
    // room for a glyph that overhangs, and the absolute cap keeps one glyph's bitmap small
    // enough for any font engine.
    const double limit = std::min(kMaxTextPixels, 2.0 * std::max(target.width(), target.height()));
    TextSize size;
    size.pixels = font.height == 0 ? kDefaultTextHeight * scaleY : std::abs(double(font.height)) * scaleY;
    size.pixels = std::min(size.pixels, limit);
    size.width = std::min(std::abs(double(font.width)) * scaleX, limit);
    return size;
}

void Playback::textOut(const Params& p) {
    const int count = std::max(0, int(p.s16(0)));
    const QByteArray bytes = p.bytes(2, count);
    const qsizetype at = 1 + (qsizetype(count) + 1) / 2;
    drawText(QPointF(p.s16(at + 1), p.s16(at)), bytes, {}, 0, QRectF());
}

void Playback::extTextOut(const Params& p) {
    const QPointF ref(p.s16(1), p.s16(0));
    const int count = std::max(0, int(p.s16(2)));
    const int options = p.u16(3);
    qsizetype at = 4;
    QRectF rect;
    if (options & (kEtoOpaque | kEtoClipped)) {
        rect = QRectF(QPointF(p.s16(4), p.s16(5)), QPointF(p.s16(6), p.s16(7))).normalized();
        at = 8;
    }
    const QByteArray bytes = p.bytes(2 * at, count);
    std::vector<int> dx;
    const qsizetype dxAt = at + (qsizetype(count) + 1) / 2;
    if (dxAt + count <= p.words()) {
        dx.reserve(size_t(count));
        for (int i = 0; i < count; ++i) dx.push_back(p.s16(dxAt + i));
    }
    drawText(ref, bytes, dx, options, rect);
}

void Playback::drawText(QPointF logicalRef, const QByteArray& bytes, const std::vector<int>& dx, int options,
                        const QRectF& logicalRect) {
    const QTransform t = windowTransform();
    painter_.setWorldTransform(base_);
    painter_.setClipRect(dc_.clip ? dc_.clip->intersected(target_) : target_);
    if ((options & kEtoOpaque) && !logicalRect.isEmpty()) {
        const QRectF r = t.mapRect(logicalRect);
        if (!charge(r)) return;
        painter_.fillRect(r, dc_.bkColor);
    }
    if ((options & kEtoClipped) && !logicalRect.isEmpty())
        painter_.setClipRect(t.mapRect(logicalRect), Qt::IntersectClip);
    const QString text = decodeText(bytes, dc_.font);
    const bool updateCp = dc_.textAlign & AlignUpdateCp;
    if (updateCp) logicalRef = dc_.position;
    const double scaleX = std::abs(t.m11());
    const TextSize size = boundedTextSize(dc_.font, std::abs(t.m22()), scaleX, target_.size());
    if (text.isEmpty() || size.pixels < kMinTextPixels) return;

    const QFont font = makeFont(dc_.font, size.pixels, dc_.font.height > 0, painter_.device());
    const QFontMetricsF fm(font, painter_.device());
    // A width asks for a narrower or wider face. Qt's own stretch hands the font engine
    // glyphs it may fail to rasterise once rotated, so the painter scales the text instead.
    double stretch = 1.0;
    if (size.width > 0 && fm.averageCharWidth() > 0)
        stretch = std::clamp(size.width / fm.averageCharWidth(), kMinStretch, kMaxStretch);
    const bool useDx = !dx.empty() && qsizetype(dx.size()) == text.size();
    double width = 0;
    if (useDx) {
        for (int d : dx) width += d * scaleX;
    } else {
        width = fm.horizontalAdvance(text) * stretch;
    }
    const int horizontal = dc_.textAlign & AlignHorizontalMask;
    const int vertical = dc_.textAlign & AlignVerticalMask;
    const double x0 = horizontal == AlignCenter ? -width / 2 : horizontal == AlignRight ? -width : 0;
    const double baseline = vertical == AlignBaseline ? 0
                            : vertical == AlignBottom ? -fm.descent()
                                                      : fm.ascent();
    const QPointF origin = t.map(logicalRef);
    const QRectF box(x0, baseline - fm.ascent(), width, fm.ascent() + fm.descent());
    if (!charge(box.translated(origin))) return;

    painter_.translate(origin);
    painter_.rotate(-dc_.font.escapement / 10.0);
    if (dc_.bkMode == kBkOpaque) painter_.fillRect(box, dc_.bkColor);
    painter_.scale(stretch, 1.0);
    painter_.setFont(font);
    painter_.setPen(dc_.textColor);
    if (useDx) {
        double x = x0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            painter_.drawText(QPointF(x / stretch, baseline), QString(text.at(i)));
            x += dx[size_t(i)] * scaleX;
        }
    } else {
        painter_.drawText(QPointF(x0 / stretch, baseline), text);
    }
    if (updateCp && t.m11() != 0) dc_.position.rx() += width / t.m11();
}

} // namespace eh::rtf::wmf
