// Documents made to exhaust the reader: each kind is generated here at the largest size
// the reader accepts, then loaded, laid out and its first screen painted as the theory
// window does. None may crash, and each stays within time and memory a desktop program
// can afford; the limits that make it so are checked where they act.

#include "TestSupport.h"

#include "rtf/RtfReader.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QPainter>
#include <QTextDocument>

#include <sys/resource.h>

#include <functional>

namespace {

using eh::test::toRtfHex;
using eh::test::WmfWriter;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// Far above what any kind takes here (well under 2 s each on the build machine, under
// 10 s in an unoptimised sanitizer build); only a reader that lost its bounds comes near.
constexpr qint64 kWatchdogMs = kSanitized ? 60000 : 15000;
constexpr long kMaxResidentKb = 300 * 1024;

long peakResidentKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A 1-pixel-wide header claiming `width` x `height` 8-bit pixels, compressed so that a
// few bytes stand for all of them (run-length: end of bitmap at once).
QByteArray rleDib(int width, int height) {
    QByteArray dib(40, '\0');
    auto put32 = [&](int at, quint32 v) {
        for (int i = 0; i < 4; ++i) dib[at + i] = char((v >> (8 * i)) & 0xFF);
    };
    put32(0, 40);
    put32(4, quint32(width));
    put32(8, quint32(height));
    dib[12] = 1;
    dib[14] = 8;
    put32(16, 1); // BI_RLE8
    put32(20, 2);
    put32(32, 2);
    dib += QByteArray::fromHex("0000ff00ffffff00"
                               "0001");
    return dib;
}

// A StretchDIB record drawing `dib` over the whole 100 x 100 frame.
QByteArray stretchDibParams(const QByteArray& dib, int width, int height) {
    QByteArray p;
    for (int w : {0x0020, 0x00CC, 0, height, width, 0, 0, 100, 100, 0, 0})
        p.append(char(w & 0xFF)).append(char(w >> 8 & 0xFF));
    return p + dib;
}

QByteArray solidPng(int width, int height) {
    QImage img(width, height, QImage::Format_RGB32);
    img.fill(Qt::darkCyan);
    return eh::test::pngBytes(img);
}

QByteArray fillTo(const QByteArray& head, const QByteArray& unit, qint64 size) {
    QByteArray out = head;
    out.reserve(size);
    while (out.size() + unit.size() + 1 <= size) out += unit;
    return out + "}";
}

struct Kind {
    const char* name;
    std::function<QByteArray()> make;
};

class HostileDocumentTest : public ::testing::TestWithParam<Kind> {};

TEST_P(HostileDocumentTest, LoadsLaysOutAndPaintsItsFirstScreenWithinBounds) {
    const QByteArray data = GetParam().make();
    ASSERT_LE(data.size(), eh::kMaxRtfSize);
    QElapsedTimer timer;
    timer.start();
    QTextDocument doc;
    const eh::RtfLoadResult result = eh::loadRtf(data, doc);
    const qint64 loadMs = timer.elapsed();
    EXPECT_TRUE(result.ok || !result.error.isEmpty());
    // The theory window's text area, its first screen.
    doc.setTextWidth(585);
    QImage screen(601, 369, QImage::Format_ARGB32_Premultiplied);
    screen.fill(Qt::white);
    QPainter painter(&screen);
    doc.drawContents(&painter, QRectF(screen.rect()));
    painter.end();
    const qint64 totalMs = timer.elapsed();
    std::printf("%s: %lld bytes, load %lld ms, first screen %lld ms, peak %ld MB\n", GetParam().name,
                qint64(data.size()), loadMs, totalMs, peakResidentKb() / 1024);
    EXPECT_LT(totalMs, kWatchdogMs);
    if (!kSanitized) EXPECT_LT(peakResidentKb(), kMaxResidentKb);
}

QByteArray pictureRow(const QByteArray& pict, const QByteArray& shift, int count) {
    QByteArray body = "{\\rtf1\\ansi x";
    for (int i = 0; i < count; ++i) body += "{" + shift + " " + pict + "}";
    return body + "}";
}

const Kind kKinds[] = {
    {"tall picture raised",
     [] {
         return pictureRow("{\\pict\\pngblip\\picwgoal1440\\pichgoal15 " + toRtfHex(solidPng(4096, 4096)) +
                               "}",
                           "\\up200", 3);
     }},
    {"tall picture lowered",
     [] {
         return pictureRow("{\\pict\\pngblip\\picwgoal15\\pichgoal15 " + toRtfHex(solidPng(64, 4096)) + "}",
                           "\\dn200", 200);
     }},
    {"repeated bitmap record",
     [] {
         WmfWriter w;
         w.windowOrg(0, 0).windowExt(100, 100);
         const QByteArray record = stretchDibParams(rleDib(2000, 2000), 2000, 2000);
         for (int i = 0; i < 2000; ++i) w.recordBytes(0x0F43, record);
         return pictureRow("{\\pict\\wmetafile8\\picwgoal1440\\pichgoal1440 " + toRtfHex(w.bytes()) + "}", "",
                           1);
     }},
    {"many drawn pictures",
     [] {
         WmfWriter w;
         w.windowOrg(0, 0).windowExt(100, 100).brush(0, 0xFF0000FF).select(0);
         for (int i = 0; i < 200; ++i) w.ellipse(-10, -10, 110, 110);
         const QByteArray pict =
             "{\\pict\\wmetafile8\\picwgoal4000\\pichgoal4000 " + toRtfHex(w.bytes()) + "}";
         return fillTo("{\\rtf1\\ansi ", pict, eh::kMaxRtfSize);
     }},
    {"much text",
     [] {
         return fillTo("{\\rtf1\\ansi ",
                       "Texto de un cap\\'edtulo muy largo con {\\b negrita} y {\\i cursiva}. ",
                       eh::kMaxRtfSize);
     }},
    {"many paragraphs", [] { return fillTo("{\\rtf1\\ansi ", "\\par ", eh::kMaxRtfSize); }},
};

INSTANTIATE_TEST_SUITE_P(Kinds, HostileDocumentTest, ::testing::ValuesIn(kKinds),
                         [](const ::testing::TestParamInfo<Kind>& info) {
                             QString name = QString::fromLatin1(info.param.name);
                             name.replace(' ', '_');
                             return name.toStdString();
                         });

} // namespace
