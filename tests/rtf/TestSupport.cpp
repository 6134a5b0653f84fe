#include "TestSupport.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>

#include <gtest/gtest.h>

#include <cmath>

namespace eh::test {

namespace {

void appendWord(QByteArray& out, int v) {
    out.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
}

} // namespace

QList<int> WmfWriter::words(const QByteArray& bytes) {
    QList<int> out;
    for (qsizetype i = 0; i < bytes.size(); i += 2)
        out << (uchar(bytes[i]) | (i + 1 < bytes.size() ? uchar(bytes[i + 1]) << 8 : 0));
    return out;
}

WmfWriter& WmfWriter::recordBytes(std::uint16_t function, const QByteArray& params) {
    const int size = 3 + int(params.size() + 1) / 2; // in words, with the header
    appendWord(records_, size);
    appendWord(records_, size >> 16);
    appendWord(records_, function);
    records_ += params;
    if (params.size() % 2) records_ += '\0';
    return *this;
}

WmfWriter& WmfWriter::record(std::uint16_t function, const QList<int>& words) {
    QByteArray p;
    for (int w : words) appendWord(p, w);
    return recordBytes(function, p);
}

WmfWriter& WmfWriter::font(int height, const QByteArray& face, int charset, int weight, int escapement,
                           int width) {
    return record(0x02FB, QList<int>{height, width, escapement, escapement, weight, 0, charset << 8, 0, 0} +
                              words(face.left(31) + '\0'));
}

WmfWriter& WmfWriter::poly(std::uint16_t function, const QList<QPoint>& points) {
    QList<int> p{int(points.size())};
    for (const QPoint& pt : points) p << pt.x() << pt.y();
    return record(function, p);
}

QByteArray WmfWriter::bytes() const {
    QByteArray out;
    const int total = 9 + int(records_.size() / 2) + 3;
    for (int w : {1, 9, 0x0300, total & 0xFFFF, total >> 16, 0, 0, 0, 0}) appendWord(out, w);
    out += records_;
    for (int w : {3, 0, 0}) appendWord(out, w); // end of file
    return out;
}

QByteArray WmfWriter::placeableBytes(const QRect& box, int unitsPerInch) const {
    QList<int> head{0xCDD7,           0x9AC6,       0, box.left(), box.top(), box.right() + 1,
                    box.bottom() + 1, unitsPerInch, 0, 0};
    int checksum = 0;
    for (int w : head) checksum ^= w & 0xFFFF;
    QByteArray out;
    for (int w : head << checksum) appendWord(out, w);
    return out + bytes();
}

QByteArray dibHeader(int width, int height, int bits, int compression, int colours) {
    QByteArray out;
    for (int v : {40, width, height, 1 | bits << 16, compression, 0, 0, 0, colours, 0}) {
        appendWord(out, v & 0xFFFF);
        appendWord(out, (v >> 16) & 0xFFFF);
    }
    return out;
}

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return out;
}

std::vector<std::pair<QString, QTextCharFormat>> fragments(const QTextDocument& doc) {
    std::vector<std::pair<QString, QTextCharFormat>> out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            out.emplace_back(it.fragment().text(), it.fragment().charFormat());
    return out;
}

std::vector<Shown> pictures(const QTextDocument& doc) {
    std::vector<Shown> out;
    for (const auto& [text, f] : fragments(doc)) {
        if (!f.isImageFormat()) continue;
        const QTextImageFormat img = f.toImageFormat();
        out.push_back({doc.resource(QTextDocument::ImageResource, QUrl(img.name())).value<QImage>(),
                       QSizeF(img.width(), img.height())});
    }
    return out;
}

QImage render(QTextDocument& doc, int width, int height) {
    doc.setTextWidth(width);
    QImage img(width, height > 0 ? height : int(std::ceil(doc.size().height())),
               QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter painter(&img);
    doc.drawContents(&painter, QRectF(img.rect()));
    return img;
}

QRect inkBounds(const QImage& image, const std::function<bool(QColor)>& match) {
    QRect r;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (match(image.pixelColor(x, y))) r = r.united(QRect(x, y, 1, 1));
    return r;
}

double coverage(const QImage& image, const QRect& r, QColor color, int tolerance) {
    int hits = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            hits += std::abs(c.red() - color.red()) <= tolerance &&
                    std::abs(c.green() - color.green()) <= tolerance &&
                    std::abs(c.blue() - color.blue()) <= tolerance &&
                    std::abs(c.alpha() - color.alpha()) <= tolerance;
        }
    }
    return r.isEmpty() ? 0.0 : double(hits) / (r.width() * r.height());
}

} // namespace eh::test

// The application exists before any test object: a QTextDocument made before it gets a
// default font without metrics, and every layout measured against it is wrong.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: tearing the application down after main() has returned would
    // outlive the platform plugin.
    static int appArgc = 1;
    new QGuiApplication(appArgc, argv);
    return RUN_ALL_TESTS();
}
