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

TEST_F(WmfPlayerTest, WindowOriginAndNegativeExtentFlipTheYAxis) {
    WmfWriter w;
    w.windowOrg(-50, 50).windowExt(100, -100); // y grows upwards, origin in the middle
    w.pen(5, 0, kBlack).brush(0, kBlack).select(0).select(1).rectangle(10, 10, 40, 40);
    const QImage img = render(w.bytes());
    EXPECT_EQ(inkBounds(img), QRect(60, 10, 30, 30)); // upper right quadrant
}

TEST_F(WmfPlayerTest, IsotropicModeKeepsTheAspectRatio) {
    WmfWriter w;
    w.mapMode(7).windowOrg(0, 0).windowExt(100, 100);
    w.pen(5, 0, kBlack).brush(0, kBlack).select(0).select(1).rectangle(0, 0, 100, 100);
    const QImage img = render(w.bytes(), QSize(200, 100));
    EXPECT_EQ(inkBounds(img), QRect(50, 0, 100, 100));
}

TEST_F(WmfPlayerTest, SavedContextComesBackOnRestore) {
    WmfWriter w = frame100();
    w.pen(5, 0, kBlack).select(0).brush(0, kRed).select(1);
    w.saveDc().brush(0, kBlue).select(2).restoreDc(-1);
    w.rectangle(0, 0, 100, 100);
    const QImage img = render(w.bytes());
    EXPECT_GT(coverage(img, QRect(10, 10, 80, 80), QColor(kRed)), 0.99);
}

TEST_F(WmfPlayerTest, DeletedSlotsAreReusedLowestFirst) {
    WmfWriter w = frame100();
    w.pen(5, 0, kBlack).brush(0, kRed).brush(0, kBlue); // slots 0, 1, 2
    w.select(0).deleteObject(1).brush(0, kGreen);       // the green brush takes slot 1
    w.select(1).rectangle(0, 0, 50, 100).select(2).rectangle(50, 0, 100, 100);
    const QImage img = render(w.bytes());
    EXPECT_GT(coverage(img, QRect(5, 5, 40, 90), QColor(kGreen)), 0.99);
    EXPECT_GT(coverage(img, QRect(55, 5, 40, 90), QColor(kBlue)), 0.99);
}

TEST_F(WmfPlayerTest, NullBrushAndWidePenDrawOnlyTheOutline) {
    WmfWriter w = frame100();
    w.pen(0, 10, kBlack).brush(1, kRed).select(0).select(1).rectangle(20, 20, 80, 80);
    const QImage img = render(w.bytes());
    EXPECT_GT(coverage(img, QRect(17, 30, 6, 40), QColor(kBlack)), 0.95);
    EXPECT_EQ(qAlpha(img.pixel(50, 50)), 0);
}

TEST_F(WmfPlayerTest, PolygonFillsAndPolylineStrokes) {
    WmfWriter w = frame100();
    w.pen(5, 0, kBlack).brush(0, kBlue).select(0).select(1);
    w.polygon({{0, 0}, {100, 0}, {0, 100}}); // the upper left triangle
    w.pen(0, 4, kRed).select(2).polyline({{60, 90}, {90, 90}});
    const QImage img = render(w.bytes());
    EXPECT_GT(coverage(img, QRect(5, 5, 30, 30), QColor(kBlue)), 0.99);
    EXPECT_EQ(qAlpha(img.pixel(80, 70)), 0);
    EXPECT_GT(coverage(img, QRect(65, 89, 20, 2), QColor(kRed)), 0.95);
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

TEST_F(WmfTextTest, OpaqueBackgroundAndTextColour) {
    WmfWriter w = frame100();
    w.font(-30, "Arial").select(0).textColor(kRed).bkColor(kGreen).bkMode(2);
    w.textOut(10, 10, "x");
    const QImage opaque = render(w.bytes());
    EXPECT_GT(coverage(opaque, QRect(0, 0, 100, 100), QColor(kGreen), 10), 0.02);
    EXPECT_GT(coverage(opaque, QRect(0, 0, 100, 100), QColor(kRed), 60), 0.005);

    WmfWriter t = frame100();
    t.font(-30, "Arial").select(0).textColor(kRed).bkColor(kGreen).bkMode(1);
    t.textOut(10, 10, "x");
    EXPECT_EQ(coverage(render(t.bytes()), QRect(0, 0, 100, 100), QColor(kGreen), 10), 0.0);
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
