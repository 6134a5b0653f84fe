// The metafile player on damaged and hostile input: it must refuse or draw what it can,
// in bounded time, and never read outside the data.

#include "TestSupport.h"

#include "rtf/WmfPlayer.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QRandomGenerator>

namespace {

using eh::rtf::renderWmfToImage;
using eh::rtf::WmfPicture;
using eh::test::coverage;
using eh::test::WmfWriter;

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kRed = 0xFFFF0000;

class WmfMalformedTest : public ::testing::Test {
protected:
    void SetUp() override { eh::test::ensureApp(); }
};

QByteArray sample() {
    WmfWriter w;
    w.windowOrg(0, 0).windowExt(100, 100).font(-20, "Symbol", 2).select(0);
    w.pen(0, 3, kBlack).brush(0, kRed).select(1).select(2).rectangle(10, 10, 90, 90);
    w.textOut(20, 20, "abc").extTextOut(20, 50, "xyz", {5, 5, 5}).polygon({{0, 0}, {50, 0}, {0, 50}});
    return w.bytes();
}

TEST_F(WmfMalformedTest, RejectsDataWithoutAMetafileHeader) {
    WmfPicture p;
    QString error;
    EXPECT_FALSE(p.load(QByteArray(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(p.load("GIF89a this is not a metafile"));
    // A placeable key followed by garbage is not a metafile either.
    EXPECT_FALSE(p.load(QByteArray("\xD7\xCD\xC6\x9A", 4) + QByteArray(30, 'x')));
    EXPECT_TRUE(p.isNull());
    EXPECT_TRUE(renderWmfToImage(p, QSize(10, 10)).pixelColor(5, 5).alpha() == 0);
}

TEST_F(WmfMalformedTest, EveryTruncationLoadsAndPlays) {
    const QByteArray data = sample();
    for (qsizetype n = 0; n <= data.size(); ++n) {
        WmfPicture p;
        if (p.load(data.left(n))) renderWmfToImage(p, QSize(50, 50));
    }
    WmfPicture full;
    ASSERT_TRUE(full.load(data));
    EXPECT_GT(coverage(renderWmfToImage(full, QSize(100, 100)), QRect(40, 60, 20, 20), QColor(kRed)), 0.9);
}

TEST_F(WmfMalformedTest, RecordSizesAreNotTrusted) {
    QByteArray data = sample();
    // The first record (SetWindowOrg at offset 18) claims a size far beyond the data.
    data[18] = '\xFF';
    data[19] = '\xFF';
    data[20] = '\xFF';
    data[21] = '\x7F';
    WmfPicture p;
    ASSERT_TRUE(p.load(data));
    EXPECT_TRUE(p.records().empty());
    // A record of size zero ends the stream instead of looping on it.
    QByteArray zero = sample();
    zero[18] = zero[19] = zero[20] = zero[21] = '\0';
    ASSERT_TRUE(p.load(zero));
    EXPECT_TRUE(p.records().empty());
}

TEST_F(WmfMalformedTest, AbsurdParametersDrawNothingHarmful) {
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

TEST_F(WmfMalformedTest, TooManyObjectsAndSavedContextsAreCapped) {
    WmfWriter w;
    w.windowOrg(0, 0).windowExt(100, 100);
    for (int i = 0; i < 20000; ++i) w.brush(0, kRed);
    for (int i = 0; i < 1000; ++i) w.saveDc();
    w.select(16383).pen(5, 0, kBlack).select(16384).rectangle(0, 0, 100, 100);
    WmfPicture p;
    ASSERT_TRUE(p.load(w.bytes()));
    // The last slot holds a red brush; the pen beyond the table was never made.
    const QImage img = renderWmfToImage(p, QSize(20, 20));
    EXPECT_GT(coverage(img, QRect(5, 5, 10, 10), QColor(kRed)), 0.99);
}

TEST_F(WmfMalformedTest, DrawingWorkIsBounded) {
    // Thousands of shapes covering the whole frame: after a fixed amount of coverage the
    // rest is dropped, so the final red square never shows.
    WmfWriter w;
    w.windowOrg(0, 0).windowExt(100, 100).pen(5, 0, kBlack).brush(0, kBlack).select(0).select(1);
    for (int i = 0; i < 5000; ++i) w.ellipse(-10, -10, 110, 110);
    w.brush(0, kRed).select(2).rectangle(0, 0, 100, 100);
    WmfPicture p;
    ASSERT_TRUE(p.load(w.bytes()));
    QElapsedTimer timer;
    timer.start();
    const QImage img = renderWmfToImage(p, QSize(1000, 1000));
    EXPECT_LT(timer.elapsed(), 10000);
    EXPECT_EQ(coverage(img, QRect(400, 400, 100, 100), QColor(kRed)), 0.0);
    EXPECT_GT(coverage(img, QRect(400, 400, 100, 100), QColor(kBlack)), 0.99);
}

TEST_F(WmfMalformedTest, RandomRecordStreamsNeverCrash) {
    QRandomGenerator rng(12345);
    const QByteArray head = WmfWriter().bytes().left(18);
    const std::uint16_t functions[] = {0x020B, 0x020C, 0x02FA, 0x02FB, 0x02FC, 0x012D, 0x01F0,
                                       0x0521, 0x0A32, 0x0324, 0x0325, 0x0538, 0x041B, 0x0418,
                                       0x061C, 0x0817, 0x081A, 0x0830, 0x0F43, 0x0B41, 0x0940,
                                       0x061D, 0x0127, 0x001E, 0x0416, 0x0103, 0x0410};
    for (int round = 0; round < 300; ++round) {
        QByteArray data = head;
        const int records = 1 + int(rng.bounded(20));
        for (int r = 0; r < records; ++r) {
            const int words = 3 + int(rng.bounded(40));
            QByteArray rec(2 * words, '\0');
            for (auto& c : rec) c = char(rng.bounded(256));
            rec[0] = char(words);
            rec[1] = rec[2] = rec[3] = 0;
            const std::uint16_t f = functions[rng.bounded(int(std::size(functions)))];
            rec[4] = char(f & 0xFF);
            rec[5] = char(f >> 8);
            data.append(rec);
        }
        WmfPicture p;
        ASSERT_TRUE(p.load(data));
        renderWmfToImage(p, QSize(64, 64));
    }
}

} // namespace
