#include "TestSupport.h"

#include <QBuffer>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <cstdlib>

namespace eh::test {

namespace {

void appendWord(QByteArray& out, int v) {
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}

void appendColor(QByteArray& out, QRgb c) {
    appendWord(out, qRed(c) | (qGreen(c) << 8));
    appendWord(out, qBlue(c));
}

} // namespace

void ensureApp() {
    if (QGuiApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "rtf_tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: tearing the application down after main() has returned would
    // outlive the platform plugin.
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

WmfWriter& WmfWriter::recordBytes(std::uint16_t function, const QByteArray& params) {
    QByteArray p = params;
    if (p.size() % 2) p.append('\0');
    const int words = 3 + int(p.size() / 2);
    appendWord(records_, words & 0xFFFF);
    appendWord(records_, words >> 16);
    appendWord(records_, function);
    records_.append(p);
    maxRecordWords_ = std::max(maxRecordWords_, words);
    const int creators[] = {0x02FA, 0x02FB, 0x02FC, 0x00F7, 0x01F9, 0x0142, 0x06FF};
    for (int c : creators) objects_ += c == function;
    return *this;
}

WmfWriter& WmfWriter::record(std::uint16_t function, std::initializer_list<int> words) {
    QByteArray p;
    for (int w : words) appendWord(p, w);
    return recordBytes(function, p);
}

WmfWriter& WmfWriter::pen(int style, int width, QRgb color) {
    QByteArray p;
    appendWord(p, style);
    appendWord(p, width);
    appendWord(p, 0);
    appendColor(p, color);
    return recordBytes(0x02FA, p);
}

WmfWriter& WmfWriter::brush(int style, QRgb color, int hatch) {
    QByteArray p;
    appendWord(p, style);
    appendColor(p, color);
    appendWord(p, hatch);
    return recordBytes(0x02FC, p);
}

WmfWriter& WmfWriter::font(int height, const QByteArray& face, int charset, int weight, int escapement,
                           int width) {
    QByteArray p;
    appendWord(p, height);
    appendWord(p, width);
    appendWord(p, escapement);
    appendWord(p, escapement);
    appendWord(p, weight);
    p.append(char(0)).append(char(0)).append(char(0)).append(char(charset));
    p.append(char(0)).append(char(0)).append(char(0)).append(char(0));
    QByteArray name = face.left(31);
    name.append('\0');
    p.append(name);
    return recordBytes(0x02FB, p);
}

WmfWriter& WmfWriter::textOut(int x, int y, const QByteArray& text) {
    QByteArray p;
    appendWord(p, int(text.size()));
    p.append(text);
    if (text.size() % 2) p.append('\0');
    appendWord(p, y);
    appendWord(p, x);
    return recordBytes(0x0521, p);
}

WmfWriter& WmfWriter::extTextOut(int x, int y, const QByteArray& text, const QList<int>& dx) {
    QByteArray p;
    appendWord(p, y);
    appendWord(p, x);
    appendWord(p, int(text.size()));
    appendWord(p, 0);
    p.append(text);
    if (text.size() % 2) p.append('\0');
    for (int d : dx) appendWord(p, d);
    return recordBytes(0x0A32, p);
}

WmfWriter& WmfWriter::poly(std::uint16_t function, const QList<QPoint>& points) {
    QByteArray p;
    appendWord(p, int(points.size()));
    for (const QPoint& pt : points) {
        appendWord(p, pt.x());
        appendWord(p, pt.y());
    }
    return recordBytes(function, p);
}

WmfWriter& WmfWriter::colorRecord(std::uint16_t function, QRgb c) {
    QByteArray p;
    appendColor(p, c);
    return recordBytes(function, p);
}

QByteArray WmfWriter::bytes() const {
    QByteArray out;
    const int totalWords = 9 + int(records_.size() / 2) + 3;
    appendWord(out, 1);
    appendWord(out, 9);
    appendWord(out, 0x0300);
    appendWord(out, totalWords & 0xFFFF);
    appendWord(out, totalWords >> 16);
    appendWord(out, objects_);
    appendWord(out, maxRecordWords_ & 0xFFFF);
    appendWord(out, maxRecordWords_ >> 16);
    appendWord(out, 0);
    out.append(records_);
    appendWord(out, 3);
    appendWord(out, 0);
    appendWord(out, 0);
    return out;
}

QByteArray WmfWriter::placeableBytes(const QRect& bbox, int unitsPerInch) const {
    QByteArray head;
    appendWord(head, 0xCDD7);
    appendWord(head, 0x9AC6);
    appendWord(head, 0);
    appendWord(head, bbox.left());
    appendWord(head, bbox.top());
    appendWord(head, bbox.right() + 1);
    appendWord(head, bbox.bottom() + 1);
    appendWord(head, unitsPerInch);
    appendWord(head, 0);
    appendWord(head, 0);
    int checksum = 0;
    for (int i = 0; i < 10; ++i) checksum ^= (uchar(head[2 * i]) | (uchar(head[2 * i + 1]) << 8));
    appendWord(head, checksum);
    return head + bytes();
}

QByteArray toRtfHex(const QByteArray& data) {
    const QByteArray hex = data.toHex();
    QByteArray out;
    for (qsizetype i = 0; i < hex.size(); i += 64) out.append(hex.mid(i, 64)).append('\n');
    return out;
}

QByteArray pngBytes(const QImage& image) {
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return out;
}

QRect inkBounds(const QImage& image, QColor background) {
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    // Faint pixels (edges of smoothly scaled pictures, antialiasing) are not ink.
    const auto differs = [&](QRgb p) {
        if (background.alpha() == 0) return qAlpha(p) > 64;
        return std::abs(qRed(p) - background.red()) > 64 || std::abs(qGreen(p) - background.green()) > 64 ||
               std::abs(qBlue(p) - background.blue()) > 64;
    };
    QRect r;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (differs(img.pixel(x, y))) r = r.united(QRect(x, y, 1, 1));
    return r;
}

double coverage(const QImage& image, const QRect& r, QColor color, int tolerance) {
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    int hits = 0;
    int total = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            ++total;
            const QColor c = QColor::fromRgba(img.pixel(x, y));
            if (std::abs(c.red() - color.red()) <= tolerance &&
                std::abs(c.green() - color.green()) <= tolerance &&
                std::abs(c.blue() - color.blue()) <= tolerance &&
                std::abs(c.alpha() - color.alpha()) <= tolerance)
                ++hits;
        }
    }
    return total ? double(hits) / total : 0.0;
}

} // namespace eh::test

// The application exists before any test object: a QTextDocument made before it gets a
// default font without metrics, and every layout measured against it is wrong.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    eh::test::ensureApp();
    return RUN_ALL_TESTS();
}
