// The metafile player on metafiles written here: what it draws, checked on pixels.

#include "TestSupport.h"

#include "rtf/WmfPlayer.h"

#include <gtest/gtest.h>

#include <QPainter>

namespace {

using eh::rtf::renderWmfToImage;
using eh::rtf::WmfPicture;
using eh::test::coverage;
using eh::test::inkBounds;
using eh::test::WmfWriter;

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kBlue = 0xFF0000FF;
constexpr QRgb kGreen = 0xFF00FF00;

class WmfPlayerTest : public ::testing::Test {
protected:
    void SetUp() override { eh::test::ensureApp(); }

    static QImage render(const QByteArray& data, QSize size = QSize(100, 100)) {
        WmfPicture picture;
        EXPECT_TRUE(picture.load(data));
        return renderWmfToImage(picture, size);
    }
    static WmfWriter frame100() { return std::move(WmfWriter().windowOrg(0, 0).windowExt(100, 100)); }
};

// A small scene: a black square, a blue disc and a red diagonal line.
WmfWriter scene() {
    WmfWriter w;
    w.windowOrg(0, 0).windowExt(1000, 1000);
    w.pen(5, 0, kBlack).brush(0, kBlack).select(0).select(1).rectangle(100, 100, 400, 400);
    w.brush(0, kBlue).select(2).ellipse(500, 500, 900, 900);
    w.pen(0, 30, kRed).select(3).moveTo(0, 1000).lineTo(1000, 0);
    return w;
}

TEST_F(WmfPlayerTest, DrawsShapesScaledFromTheWindowToTheTarget) {
    const QImage img = render(scene().bytes());
    EXPECT_GT(coverage(img, QRect(15, 15, 20, 20), QColor(kBlack)), 0.99);
    EXPECT_GT(coverage(img, QRect(65, 65, 10, 10), QColor(kBlue)), 0.99);
    EXPECT_EQ(coverage(img, QRect(5, 50, 5, 5), QColor(kBlack)), 0.0);
    EXPECT_EQ(qAlpha(img.pixel(95, 60)), 0);
    // The red line, 3 pixels wide, runs from the bottom left to the top right corner.
    for (const QPoint p : {QPoint(50, 49), QPoint(80, 19), QPoint(10, 89)}) {
        EXPECT_EQ(img.pixelColor(p), QColor(kRed)) << p.x();
        EXPECT_EQ(qAlpha(img.pixel(p.x() - 5, p.y())), 0);
    }
}

TEST_F(WmfPlayerTest, PlaceableHeaderGivesTheFrameAndTheSize) {
    // Without any window record, the placeable box is the frame.
    WmfWriter w;
    w.pen(5, 0, kBlack).brush(0, kBlack).select(0).select(1).rectangle(100, 100, 200, 200);
    const QByteArray data = w.placeableBytes(QRect(100, 100, 200, 100), 400);
    WmfPicture picture;
    ASSERT_TRUE(picture.load(data));
    EXPECT_EQ(picture.bounds(), QRectF(100, 100, 200, 100));
    EXPECT_DOUBLE_EQ(picture.sizeInches().width(), 0.5);
    EXPECT_DOUBLE_EQ(picture.sizeInches().height(), 0.25);
    const QImage img = renderWmfToImage(picture, QSize(200, 100));
    EXPECT_EQ(inkBounds(img), QRect(0, 0, 100, 100));
}

TEST_F(WmfPlayerTest, BareAndPlaceableFormsDrawAlike) {
    const WmfWriter w = scene();
    EXPECT_EQ(render(w.bytes()), render(w.placeableBytes(QRect(0, 0, 1000, 1000), 1440)));
}

TEST_F(WmfPlayerTest, IsotropicModeKeepsTheAspectRatio) {
    WmfWriter w;
    w.mapMode(7).windowOrg(0, 0).windowExt(100, 100);
    w.pen(5, 0, kBlack).brush(0, kBlack).select(0).select(1).rectangle(0, 0, 100, 100);
    const QImage img = render(w.bytes(), QSize(200, 100));
    EXPECT_EQ(inkBounds(img), QRect(50, 0, 100, 100));
}

TEST_F(WmfPlayerTest, UnknownRecordsAreSkipped) {
    WmfWriter plain = scene();
    WmfWriter padded;
    padded.windowOrg(0, 0).windowExt(1000, 1000).record(0x7777, {1, 2, 3});
    padded.pen(5, 0, kBlack).brush(0, kBlack).select(0).select(1).record(0x0626, {15, 2, 0});
    padded.rectangle(100, 100, 400, 400).brush(0, kBlue).select(2).ellipse(500, 500, 900, 900);
    padded.pen(0, 30, kRed).select(3).moveTo(0, 1000).lineTo(1000, 0);
    EXPECT_EQ(render(plain.bytes()), render(padded.bytes()));
}

// A 1 x 2 bitmap, red above blue. DIB rows run from the bottom up, so blue comes first.
QByteArray redOverBlue() {
    QByteArray dib = QByteArray::fromHex("28000000"
                                         "01000000"
                                         "02000000"
                                         "0100"
                                         "1800") +
                     QByteArray(24, '\0');
    return dib + QByteArray::fromHex("ff000000"
                                     "0000ff00"); // 24-bit rows padded to 4 bytes
}

QByteArray stretchDib() { // the whole 100 x 100 frame
    const QByteArray p = QByteArray::fromHex("2000cc00"
                                             "0000"
                                             "0200"
                                             "0100"
                                             "0000"
                                             "0000"
                                             "6400"
                                             "6400"
                                             "0000"
                                             "0000");
    return p + redOverBlue();
}

// Blanks turned a quarter counter-clockwise: only their opaque green box shows.
WmfWriter& upward(WmfWriter& w) {
    return w.font(-20, "Arial", 0, 400, 900).select(2).bkMode(2).bkColor(kGreen).textAlign(24);
}

struct RecordRow {
    const char* record;
    void (*draw)(WmfWriter& w);
    QPoint at;     // (-1, -1): anywhere
    QRgb expected; // 0: nothing drawn there
};

bool near(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) <
               60 &&
           qAlpha(a) > 200;
}

TEST_F(WmfPlayerTest, EachRecordDrawsWhatItSays) {
    // On a 100 x 100 frame, a null pen, a red brush and black text unless a row changes them.
    // clang-format off
    const RecordRow rows[] = {
        {"Rectangle", [](WmfWriter& w) { w.rectangle(10, 10, 50, 50); }, {30, 30}, kRed},
        {"Rectangle outside", [](WmfWriter& w) { w.rectangle(10, 10, 50, 50); }, {70, 70}, 0},
        {"Ellipse centre", [](WmfWriter& w) { w.ellipse(0, 0, 100, 100); }, {50, 50}, kRed},
        {"Ellipse corner", [](WmfWriter& w) { w.ellipse(0, 0, 100, 100); }, {4, 4}, 0},
        {"RoundRect", [](WmfWriter& w) { w.record(0x061C, {40, 40, 90, 90, 10, 10}); }, {50, 50}, kRed},
        {"RoundRect corner", [](WmfWriter& w) { w.record(0x061C, {40, 40, 90, 90, 10, 10}); }, {11, 11}, 0},
        {"Polygon", [](WmfWriter& w) { w.polygon({{0, 0}, {100, 0}, {0, 100}}); }, {20, 20}, kRed},
        {"Polygon other half", [](WmfWriter& w) { w.polygon({{0, 0}, {100, 0}, {0, 100}}); }, {80, 80}, 0},
        {"Pie", [](WmfWriter& w) { w.record(0x081A, {0, 100, 50, 100, 100, 100, 0, 0}); }, {70, 30}, kRed},
        {"Pie other side", [](WmfWriter& w) { w.record(0x081A, {0, 100, 50, 100, 100, 100, 0, 0}); }, {30, 70}, 0},
        {"PatBlt", [](WmfWriter& w) { w.record(0x061D, {0x0021, 0x00F0, 50, 50, 0, 0}); }, {25, 25}, kRed},
        {"PatBlt blackness", [](WmfWriter& w) { w.record(0x061D, {0x0042, 0x0000, 50, 50, 0, 0}); }, {25, 25}, kBlack},
        {"Polyline", [](WmfWriter& w) { w.pen(0, 4, kBlue).select(2).polyline({{60, 90}, {90, 90}}); }, {75, 90}, kBlue},
        {"wide pen, null brush", [](WmfWriter& w) { w.pen(0, 10, kBlue).brush(1, kRed).select(2).select(3).rectangle(20, 20, 80, 80); }, {20, 50}, kBlue},
        {"null brush inside", [](WmfWriter& w) { w.pen(0, 10, kBlue).brush(1, kRed).select(2).select(3).rectangle(20, 20, 80, 80); }, {50, 50}, 0},
        {"SetBkMode opaque", [](WmfWriter& w) { w.bkColor(kGreen).bkMode(2).font(-30, "Arial").select(2).textOut(10, 10, "  "); }, {13, 20}, kGreen},
        {"window y up", [](WmfWriter& w) { w.windowOrg(-50, 50).windowExt(100, -100).rectangle(10, 10, 40, 40); }, {75, 25}, kRed},
        {"window y up, below", [](WmfWriter& w) { w.windowOrg(-50, 50).windowExt(100, -100).rectangle(10, 10, 40, 40); }, {75, 75}, 0},
        {"lowest free slot", [](WmfWriter& w) { w.brush(0, kGreen).deleteObject(0).brush(0, kBlue).select(0).rectangle(0, 0, 100, 100); }, {50, 50}, kBlue},
        {"LineTo", [](WmfWriter& w) { w.pen(0, 6, kBlue).select(2).moveTo(0, 50).lineTo(100, 50); }, {50, 50}, kBlue},
        {"StretchDIB top", [](WmfWriter& w) { w.recordBytes(0x0F43, stretchDib()); }, {50, 25}, kRed},
        {"StretchDIB bottom", [](WmfWriter& w) { w.recordBytes(0x0F43, stretchDib()); }, {50, 75}, kBlue},
        {"SetTextColor", [](WmfWriter& w) { w.textColor(kGreen).font(-60, "Arial").select(2).textOut(5, 5, "HH"); }, {-1, -1}, kGreen},
        {"text at 90 degrees", [](WmfWriter& w) { upward(w).textOut(50, 95, "            "); }, {45, 60}, kGreen},
        {"text at 90 degrees, right", [](WmfWriter& w) { upward(w).textOut(50, 95, "            "); }, {55, 60}, 0},
        {"text at 90 degrees, below", [](WmfWriter& w) { upward(w).textOut(50, 45, "            "); }, {45, 80}, 0},
        {"IntersectClipRect", [](WmfWriter& w) { w.record(0x0416, {50, 50, 0, 0}).rectangle(0, 0, 100, 100); }, {75, 75}, 0},
        {"SaveDC RestoreDC", [](WmfWriter& w) { w.saveDc().brush(0, kBlue).select(2).restoreDc(-1).rectangle(0, 0, 100, 100); }, {50, 50}, kRed},
        {"DeleteObject", [](WmfWriter& w) { w.brush(0, kBlue).select(2).deleteObject(2).rectangle(0, 0, 100, 100); }, {50, 50}, kBlue},
    };
    // clang-format on
    for (const RecordRow& row : rows) {
        WmfWriter w = frame100();
        w.pen(5, 0, kBlack).brush(0, kRed).select(0).select(1).bkMode(1);
        row.draw(w);
        const QImage img = render(w.bytes());
        bool anywhere = false;
        for (int y = 0; y < img.height() && row.at.x() < 0; ++y)
            for (int x = 0; x < img.width(); ++x) anywhere = anywhere || near(img.pixel(x, y), row.expected);
        const QRgb got = row.at.x() < 0 ? 0 : img.pixel(row.at);
        if (row.at.x() < 0)
            EXPECT_TRUE(anywhere) << row.record;
        else if (row.expected == 0)
            EXPECT_LT(qAlpha(got), 40) << row.record;
        else
            EXPECT_TRUE(near(got, row.expected))
                << row.record << " " << QColor::fromRgba(got).name().toStdString();
    }
}

class WmfTextTest : public WmfPlayerTest {
protected:
    // A line of text 30 logical units high at (x, y) with the given alignment.
    static QImage text(const QByteArray& face, int charset, const QByteArray& s, int align = 0, int x = 10,
                       int y = 10) {
        WmfWriter w = frame100();
        w.font(-30, face, charset).select(0).bkMode(1).textColor(kBlack).textAlign(align);
        w.textOut(x, y, s);
        return render(w.bytes());
    }
};

TEST_F(WmfTextTest, SymbolFontLettersAreGreek) {
    const QImage symbolA = text("Symbol", 2, "a");
    const QImage alpha = text("Times New Roman", 161, "\xE1"); // alpha in Windows-1253
    const QImage latinA = text("Times New Roman", 0, "a");
    EXPECT_FALSE(inkBounds(symbolA).isEmpty());
    EXPECT_EQ(symbolA, alpha);
    EXPECT_NE(symbolA, latinA);
}

TEST_F(WmfTextTest, AlignmentPlacesTheTextAroundItsReferencePoint) {
    const QRect left = inkBounds(text("Arial", 0, "HH", 0x18, 50, 60)); // baseline, left
    const QRect right = inkBounds(text("Arial", 0, "HH", 0x18 | 2, 50, 60));
    const QRect centre = inkBounds(text("Arial", 0, "HH", 0x18 | 6, 50, 60));
    const QRect top = inkBounds(text("Arial", 0, "HH", 0, 50, 20));
    ASSERT_FALSE(left.isEmpty());
    EXPECT_GE(left.left(), 50);
    EXPECT_LE(right.right(), 50);
    EXPECT_LT(centre.left(), 50);
    EXPECT_GT(centre.right(), 50);
    EXPECT_NEAR(left.bottom(), 59, 1); // capitals sit on the baseline
    EXPECT_GE(top.top(), 20);
    EXPECT_NEAR(left.height(), right.height(), 1);
}

TEST_F(WmfTextTest, ExtTextOutPlacesCharactersByTheirAdvances) {
    WmfWriter w = frame100();
    w.font(-20, "Arial").select(0).bkMode(1).textAlign(0);
    w.extTextOut(0, 10, "II", {80, 10}); // the second I lands at x = 80
    const QRect ink = inkBounds(render(w.bytes()));
    EXPECT_GE(ink.right(), 80);
    EXPECT_LE(ink.left(), 6);
}

TEST_F(WmfTextTest, FontHeightFollowsTheWindowScale) {
    WmfWriter small = frame100();
    small.font(-20, "Arial").select(0).bkMode(1).textOut(10, 10, "H");
    WmfWriter large = frame100();
    large.font(-40, "Arial").select(0).bkMode(1).textOut(10, 10, "H");
    const int h1 = inkBounds(render(small.bytes())).height();
    const int h2 = inkBounds(render(large.bytes())).height();
    EXPECT_NEAR(h2, 2 * h1, 2);
    EXPECT_NEAR(inkBounds(render(small.bytes(), QSize(200, 200))).height(), 2 * h1, 2);
}

} // namespace
