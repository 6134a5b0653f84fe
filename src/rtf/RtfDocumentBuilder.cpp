#include "rtf/RtfDocumentBuilder.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QTextBlock>
#include <QTextImageFormat>
#include <QUrl>

#include <algorithm>
#include <atomic>
#include <cmath>

namespace eh::rtf {

RtfDocumentBuilder::RtfDocumentBuilder(QTextDocument& doc) : doc_(doc), cursor_(&doc) {
    cursor_.movePosition(QTextCursor::End);
    cursor_.beginEditBlock();
}

RtfDocumentBuilder::~RtfDocumentBuilder() {
    cursor_.endEditBlock();
}

bool RtfDocumentBuilder::reservePiece() {
    if (full_ || pieces_ >= kMaxPieces) {
        full_ = true;
        return false;
    }
    ++pieces_;
    return true;
}

bool RtfDocumentBuilder::reserve(qint64 characters) {
    if (full_ || characters_ + characters > kMaxCharacters) {
        full_ = true;
        return false;
    }
    characters_ += characters;
    return true;
}

void RtfDocumentBuilder::insertText(const QString& text, const QTextCharFormat& format) {
    if (text.isEmpty() || !reservePiece() || !reserve(text.size())) return;
    if (++paragraphRuns_ > kMaxRunsPerParagraph) {
        const QTextBlockFormat block = cursor_.blockFormat();
        endParagraph(block, cursor_.blockCharFormat());
        paragraphRuns_ = 1;
    }
    cursor_.insertText(text, format);
}

void RtfDocumentBuilder::endParagraph(const QTextBlockFormat& block, const QTextCharFormat& mark) {
    if (!reservePiece() || !reserve(1)) return;
    // Each format change is an edit of its own; most paragraphs change nothing.
    if (cursor_.blockFormat() != block) cursor_.setBlockFormat(block);
    if (cursor_.blockCharFormat() != mark) cursor_.setBlockCharFormat(mark);
    cursor_.insertBlock(block, mark);
    paragraphRuns_ = 0;
}

namespace {

// The picture at its display size with transparent rows added above and below. Rows are
// added in display pixels: a tall bitmap shown small would otherwise need its own height
// scaled up in padding. Null when the result would cost more than `pixelBudget`.
QImage padded(const QImage& image, const QSizeF& display, double top, double bottom, qint64& pixelBudget) {
    const int topRows = qRound(top);
    const int bottomRows = qRound(bottom);
    if (topRows <= 0 && bottomRows <= 0) return image;
    const QSize shown = display.toSize().expandedTo(QSize(1, 1));
    const qint64 cost = qint64(shown.width()) * (shown.height() + topRows + bottomRows);
    if (cost > pixelBudget) return {};
    pixelBudget -= cost;
    QImage out(shown.width(), shown.height() + topRows + bottomRows, QImage::Format_ARGB32_Premultiplied);
    if (out.isNull()) return {};
    out.fill(Qt::transparent);
    QPainter painter(&out);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(QPoint(0, topRows), shown), image);
    painter.end();
    return out;
}

// A picture with more pixels than the screen gives it (a figure drawn for print) is
// reduced smoothly once: the text layout would scale it down pixel by pixel, which
// breaks thin lines and small lettering.
QImage reducedForScreen(const QImage& pixels, const QSizeF& size) {
    const double ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    const QSize target = (size * ratio).toSize();
    if (target.isEmpty() || pixels.width() <= target.width() || pixels.height() <= target.height())
        return pixels;
    QImage out = pixels.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    out.setDevicePixelRatio(ratio);
    return out;
}

} // namespace

void RtfDocumentBuilder::insertImage(const PictureImage& picture, const QTextCharFormat& format, double shift,
                                     qint64& pixelBudget) {
    if (full_) return;
    QTextImageFormat image;
    image.merge(format);
    image.clearProperty(QTextFormat::TextBaselineOffset);
    QSizeF size = picture.displaySize;
    QImage pixels = picture.image;
    if (shift > 0) {
        // Raised: sits on the baseline with empty space under it.
        pixels = padded(pixels, size, 0, shift, pixelBudget);
        size.rheight() += shift;
        image.setVerticalAlignment(QTextCharFormat::AlignBaseline);
    } else if (shift < 0) {
        // Lowered: the layout gives descent only to middle-aligned objects, half the height
        // less half an x-height; padding above or below makes that descent the one asked.
        const double lowered = -shift;
        const double h = size.height();
        const double k = QFontMetrics(image.font()).xHeight() / 2.0;
        const double below = h - k - 2 * lowered;
        const double above = below >= 0 ? 0 : -below;
        pixels = padded(pixels, size, above, std::max(0.0, below), pixelBudget);
        size.rheight() += std::abs(below);
        image.setVerticalAlignment(QTextCharFormat::AlignMiddle);
    } else {
        image.setVerticalAlignment(QTextCharFormat::AlignBaseline);
    }
    if (pixels.isNull() || !reservePiece() || !reserve(1)) return;
    pixels = reducedForScreen(pixels, size);
    // Names are never reused, not even across documents: a pixmap cached for an
    // earlier document under the same name would otherwise be shown.
    static std::atomic<quint64> serial{0};
    const QUrl name(QStringLiteral("rtf-picture:%1").arg(++serial));
    doc_.addResource(QTextDocument::ImageResource, name, pixels);
    image.setName(name.toString());
    image.setWidth(size.width());
    image.setHeight(size.height());
    cursor_.insertImage(image);
}

void RtfDocumentBuilder::finish(const QTextBlockFormat& block, const QTextCharFormat& mark) {
    cursor_.setBlockFormat(block);
    if (cursor_.block().length() <= 1) cursor_.setBlockCharFormat(mark);
}

} // namespace eh::rtf
