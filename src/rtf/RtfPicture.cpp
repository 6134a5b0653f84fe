#include "rtf/RtfPicture.h"

#include "rtf/Dib.h"
#include "rtf/WmfPlayer.h"

#include <QGuiApplication>

#include <algorithm>
#include <cmath>

namespace eh::rtf {

namespace {

constexpr double kMaxDisplaySide = 4096;
constexpr double kTwipsPerInch = 1440;

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The picture's size in twips when the document gives no \picwgoal/\pichgoal.
QSizeF naturalTwips(const RtfPicture& pic, const QSizeF& imagePixels, const WmfPicture* wmf) {
    if (pic.format == RtfPicture::Format::Wmf) {
        if (pic.width > 0 && pic.height > 0) // 0.01 mm
            return QSizeF(pic.width, pic.height) * (kTwipsPerInch / 2540.0);
        if (wmf && !wmf->sizeInches().isEmpty()) return wmf->sizeInches() * kTwipsPerInch;
        return wmf ? wmf->bounds().size() : QSizeF();
    }
    const QSizeF px = pic.width > 0 && pic.height > 0 ? QSizeF(pic.width, pic.height) : imagePixels;
    return px * (kTwipsPerInch / 96.0);
}

QSizeF displaySize(const RtfPicture& pic, const QSizeF& natural, double dpi) {
    QSizeF twips(pic.goalWidth > 0 ? pic.goalWidth : natural.width(),
                 pic.goalHeight > 0 ? pic.goalHeight : natural.height());
    const auto scale = [](int percent) { return percent > 0 ? std::min(percent, 10000) / 100.0 : 1.0; };
    twips = QSizeF(twips.width() * scale(pic.scaleX), twips.height() * scale(pic.scaleY));
    QSizeF px = twips * (dpi / kTwipsPerInch);
    if (!(px.width() >= 1 && px.height() >= 1)) // also catches NaN
        return {};
    if (px.width() > kMaxDisplaySide || px.height() > kMaxDisplaySide)
        px.scale(kMaxDisplaySide, kMaxDisplaySide, Qt::KeepAspectRatio);
    return px.expandedTo(QSizeF(1, 1));
}

} // namespace

void RtfPicture::appendHex(std::string_view text) {
    for (char c : text) {
        if (broken) return;
        if (c == ' ' || c == '\t') continue;
        const int v = hexValue(c);
        if (v < 0 || data.size() >= kMaxDataSize) {
            broken = true;
            return;
        }
        if (pendingNibble_ < 0) {
            pendingNibble_ = v;
        } else {
            data.append(char(pendingNibble_ * 16 + v));
            pendingNibble_ = -1;
        }
    }
}

void RtfPicture::appendBinary(std::string_view bytes) {
    if (broken) return;
    if (data.size() + qsizetype(bytes.size()) > kMaxDataSize) {
        broken = true;
        return;
    }
    data.append(bytes.data(), qsizetype(bytes.size()));
}

std::optional<PictureImage> decodePicture(const RtfPicture& pic, double dpi, PictureBudget& budget) {
    if (pic.broken || pic.data.isEmpty() || budget.pictures <= 0 || budget.pixels <= 0) return std::nullopt;
    --budget.pictures;
    PictureImage out;
    switch (pic.format) {
    case RtfPicture::Format::Png:
    case RtfPicture::Format::Jpeg:
    case RtfPicture::Format::Dib: {
        out.image = pic.format == RtfPicture::Format::Dib
                        ? decodeDib(pic.data, budget.pixels)
                        : readImageLimited(pic.data, nullptr, budget.pixels);
        if (out.image.isNull()) return std::nullopt;
        out.displaySize = displaySize(pic, naturalTwips(pic, out.image.size(), nullptr), dpi);
        break;
    }
    case RtfPicture::Format::Wmf: {
        WmfPicture wmf;
        if (!wmf.load(pic.data)) return std::nullopt;
        out.displaySize = displaySize(pic, naturalTwips(pic, {}, &wmf), dpi);
        // Drawn for the screen's own pixels: sharp on a high-density screen too.
        const double ratio = qGuiApp ? std::clamp(qGuiApp->devicePixelRatio(), 1.0, 4.0) : 1.0;
        const QSize pixels = (out.displaySize * ratio).toSize().expandedTo(QSize(1, 1));
        if (out.displaySize.isEmpty() || qint64(pixels.width()) * pixels.height() > budget.pixels)
            return std::nullopt;
        out.image = renderWmfToImage(wmf, pixels, &budget.drawing);
        out.image.setDevicePixelRatio(ratio);
        break;
    }
    default:
        return std::nullopt;
    }
    if (out.image.isNull() || out.displaySize.isEmpty()) return std::nullopt;
    budget.pixels -= qint64(out.image.width()) * out.image.height();
    if (budget.pixels < 0) return std::nullopt;
    return out;
}

} // namespace eh::rtf
