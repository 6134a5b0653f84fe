// The metafile player on damaged and hostile input: it must refuse or draw what it can,
// in bounded time, and never read outside the data.

#include "TestSupport.h"

#include "rtf/WmfPlayer.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>

namespace {

using eh::rtf::renderWmfToImage;
using eh::rtf::WmfPicture;
using eh::test::coverage;
using eh::test::inkBounds;
using eh::test::WmfWriter;

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kRed = 0xFFFF0000;

QByteArray sample() {
    WmfWriter w;
    w.windowOrg(0, 0).windowExt(100, 100).font(-20, "Symbol", 2).select(0);
    w.pen(0, 3, kBlack).brush(0, kRed).select(1).select(2).rectangle(10, 10, 90, 90);
    w.textOut(20, 20, "abc").extTextOut(20, 50, "xyz", {5, 5, 5}).polygon({{0, 0}, {50, 0}, {0, 50}});
    return w.bytes();
}

TEST(WmfMalformedTest, RejectsDataWithoutAMetafileHeader) {
    WmfPicture p;
    QString error;
    EXPECT_FALSE(p.load(QByteArray(), &error));
    EXPECT_EQ(error, "not a Windows Metafile");
    EXPECT_FALSE(p.load("GIF89a this is not a metafile"));
    // A placeable key followed by garbage is not a metafile either.
    EXPECT_FALSE(p.load(QByteArray("\xD7\xCD\xC6\x9A", 4) + QByteArray(30, 'x')));
    EXPECT_TRUE(p.isNull());
    EXPECT_EQ(renderWmfToImage(p, QSize(10, 10)).pixelColor(5, 5).alpha(), 0);
}

TEST(WmfMalformedTest, EveryTruncationLoadsAndPlays) {
    const QByteArray data = sample();
    for (qsizetype n = 0; n <= data.size(); ++n) {
        WmfPicture p;
        if (p.load(data.left(n))) renderWmfToImage(p, QSize(50, 50));
    }
    WmfPicture full;
    ASSERT_TRUE(full.load(data));
    EXPECT_GT(coverage(renderWmfToImage(full, QSize(100, 100)), QRect(40, 60, 20, 20), QColor(kRed)), 0.9);
}

TEST(WmfMalformedTest, RecordSizesAreNotTrusted) {
    // The first record (at offset 18) claims a size far beyond the data, or a size of zero
    // that would loop on it: either ends the stream.
    for (const char* size : {"\xFF\xFF\xFF\x7F", "\0\0\0\0"}) {
        QByteArray data = sample();
        data.replace(18, 4, QByteArray(size, 4));
        WmfPicture p;
        ASSERT_TRUE(p.load(data));
        EXPECT_TRUE(p.records().empty());
    }
}

TEST(WmfMalformedTest, AbsurdParametersDrawNothingHarmful) {
    WmfWriter w;
    w.windowOrg(-32768, -32768).windowExt(1, 1); // enormous magnification
    w.font(32767, "Arial", 0, 32767, 3600).select(0).textOut(-32768, 32767, QByteArray(200, 'W'));
    w.pen(1, 32767, kBlack).select(1).polyline({{-32768, -32768}, {32767, 32767}, {-32768, 32767}});
    w.select(9999).deleteObject(-1).restoreDc(-100).restoreDc(50).restoreDc(0);
    w.record(0x0538, {30000, 5, 5}); // a polypolygon promising 30000 polygons
    w.record(0x0324, {32767, 1, 2}); // a polygon promising 32767 points
    w.record(0x0A32, {10, 10, 30000, 6, 0, 0, 0, 0});
    w.record(0x0F43, {0x20, 0xCC, 0, 100, 100, 0, 0, 100, 100, 0, 0, 40, 0, 30000, 0, 30000, 0});
    w.windowExt(0, 0).rectangle(0, 0, 10, 10);
    QElapsedTimer timer;
    timer.start();
    WmfPicture p;
    ASSERT_TRUE(p.load(w.bytes()));
    renderWmfToImage(p, QSize(300, 300));
    EXPECT_LT(timer.elapsed(), 5000);
}

// Fonts no formula needs, at every combination of height, width, escapement and face:
// the player must draw them without handing the font engine a glyph it cannot rasterise.
TEST(WmfMalformedTest, AbsurdFontsDrawWithoutFault) {
    const int heights[] = {-32768, -3000, -200, -1, 0, 1, 200, 32767};
    const int widths[] = {-32768, -17152, -12000, -1, 0, 1, 10000, 32767};
    const int escapements[] = {0, 1, -1, 900, 1800, 2700, 3599, -32768, 32767};
    int drawn = 0;
    for (const QByteArray face : {"Times New Roman", "Symbol", "Arial", "", "MT Extra", "No Such Face"}) {
        for (const int height : heights) {
            for (const int width : widths) {
                for (const int escapement : escapements) {
                    WmfWriter w;
                    w.windowOrg(0, 0).windowExt(1200, 300); // the frame of the crash input
                    w.font(height, face, 0, 700, escapement, width).select(0).textOut(20, 220, "R");
                    WmfPicture p;
                    ASSERT_TRUE(p.load(w.bytes()));
                    const QImage img = renderWmfToImage(p, QSize(96, 64));
                    ASSERT_EQ(img.size(), QSize(96, 64));
                    // Plausible sizes still show their letter.
                    if (height == -200 && std::abs(width) <= 10000) drawn += !inkBounds(img).isEmpty();
                }
            }
        }
    }
    EXPECT_EQ(drawn, 6 * 4 * 9);
}

// Found by fuzzing, kept in the fuzz corpus: formula text in an absurd font, and a face
// name no font has, so that fontconfig's stand-in (on some systems a TeX symbol font) was
// asked for glyphs at a stretch its engine cannot load. Both draw their letter.
TEST(WmfMalformedTest, TheCrashInputsDrawAtEverySize) {
    for (const char* name : {"metafile-text-crash.wmf", "fallback-font-crash.wmf"}) {
        QFile f(QStringLiteral(TARVELO_FUZZ_CORPUS_DIR "/wmf/") + name);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name;
        WmfPicture p;
        ASSERT_TRUE(p.load(f.readAll()));
        for (const QSize size : {QSize(96, 64), QSize(7, 300), QSize(640, 480)}) {
            const QImage img = renderWmfToImage(p, size);
            EXPECT_EQ(img.size(), size);
            EXPECT_FALSE(inkBounds(img).isEmpty()) << name << " " << size.width();
        }
    }
}

// The drawing budget, spent to the pixel: 1 000 000 for a target this small, 16 for each
// record and the target pixels each shape covers with two pixels around it. `extra` rows
// on the last rectangle put the spending just under, at or just over the budget.
TEST(WmfMalformedTest, DrawingBudgetHoldsExactlyAtItsValue) {
    for (const int extra : {-1, 0, 1}) {
        WmfWriter w;
        w.windowOrg(0, 0)
            .windowExt(100, 100)
            .pen(5, 0, kBlack)
            .brush(0, kBlack)
            .select(0)
            .select(1);                                             // 6 records: 96
        for (int i = 0; i < 99; ++i) w.rectangle(0, 0, 100, 100);   // 99 x (16 + 10000)
        w.brush(0, kRed).select(2).rectangle(6, 3, 90, 93 + extra); // 32 + 16 + 88 x (94 + extra)
        WmfPicture p;
        ASSERT_TRUE(p.load(w.bytes()));
        const QImage img = renderWmfToImage(p, QSize(100, 100));
        EXPECT_EQ(coverage(img, QRect(20, 20, 40, 40), QColor(kRed)) > 0.99, extra <= 0) << extra;
    }
}

TEST(WmfMalformedTest, ObjectTableHoldsExactlyItsSize) {
    // 16384 slots: the object made last is selectable only while it has a slot.
    for (const int objects : {16383, 16384, 16385}) {
        WmfWriter w;
        w.windowOrg(0, 0).windowExt(100, 100).pen(5, 0, kBlack).brush(0, kBlack).select(0).select(1);
        for (int i = 2; i < objects - 1; ++i) w.pen(5, 0, kBlack);
        w.brush(0, kRed).select(objects - 1).rectangle(0, 0, 100, 100);
        WmfPicture p;
        ASSERT_TRUE(p.load(w.bytes()));
        const QColor colour(objects <= 16384 ? kRed : kBlack);
        EXPECT_GT(coverage(renderWmfToImage(p, QSize(20, 20)), QRect(5, 5, 10, 10), colour), 0.99) << objects;
    }
}

TEST(WmfMalformedTest, DecodingABitmapIsPaidBeforeItStarts) {
    // A red `width` x 1010 bitmap drawn on a 2 x 2 target (budget 1 000 000): six records
    // (96) and the 4 target pixels it covers leave 999 900 = 990 x 1010 for decoding.
    for (const int width : {989, 990, 991}) {
        const QByteArray dib = eh::test::dibHeader(width, 1010, 8, 0, 1) + QByteArray::fromHex("0000ff00") +
                               QByteArray((qsizetype{width} + 3) / 4 * 4 * 1010, '\0');
        WmfWriter w;
        w.windowOrg(0, 0).windowExt(100, 100).bkMode(1).bkMode(1).bkMode(1);
        w.record(0x0F43, QList<int>{0x20, 0xCC, 0, 0, 0, 0, 0, 100, 100, 0, 0} + WmfWriter::words(dib));
        WmfPicture p;
        ASSERT_TRUE(p.load(w.bytes()));
        const QColor pixel = renderWmfToImage(p, QSize(2, 2)).pixelColor(1, 1);
        EXPECT_EQ(pixel, width <= 990 ? QColor(kRed) : QColor(0, 0, 0, 0)) << width;
    }
}

} // namespace
