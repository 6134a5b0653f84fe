// The metafile player on metafiles written here: what it draws, checked on pixels.

#include "TestSupport.h"

#include "rtf/WmfPlayer.h"

#include <gtest/gtest.h>

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

QImage render(const QByteArray& data, QSize size = QSize(100, 100)) {
    WmfPicture picture;
    EXPECT_TRUE(picture.load(data));
    return renderWmfToImage(picture, size);
}

WmfWriter frame100() {
    return std::move(WmfWriter().windowOrg(0, 0).windowExt(100, 100));
}

// A small scene on a 1000 x 1000 window: a black square, a blue disc and a red diagonal.
WmfWriter scene() {
    WmfWriter w;
    w.windowOrg(0, 0).windowExt(1000, 1000);
    w.pen(5, 0, kBlack).brush(0, kBlack).select(0).select(1).rectangle(100, 100, 400, 400);
    w.brush(0, kBlue).select(2).ellipse(500, 500, 900, 900);
    w.pen(0, 30, kRed).select(3).moveTo(0, 1000).lineTo(1000, 0);
    return w;
}

TEST(WmfPlayerTest, DrawsTheWindowScaledToTheTarget) {
    const QImage img = render(scene().bytes());
    EXPECT_GT(coverage(img, QRect(15, 15, 20, 20), QColor(kBlack)), 0.99);
    EXPECT_GT(coverage(img, QRect(65, 65, 10, 10), QColor(kBlue)), 0.99);
    EXPECT_EQ(coverage(img, QRect(5, 50, 5, 5), QColor(kBlack)), 0.0);
    // The red line, 3 pixels wide, runs from the bottom left to the top right corner.
    for (const QPoint p : {QPoint(50, 49), QPoint(80, 19), QPoint(10, 89)}) {
        EXPECT_EQ(img.pixelColor(p), QColor(kRed)) << p.x();
        EXPECT_EQ(qAlpha(img.pixel(p.x() - 5, p.y())), 0);
    }
    // Behind a placeable header whose box is the window, the same picture.
    EXPECT_EQ(render(scene().placeableBytes(QRect(0, 0, 1000, 1000), 1440)), img);
}

// Which part of the target a one-shape picture covers, for each way of giving its frame.
TEST(WmfPlayerTest, TheFrameMapsOntoTheTarget) {
    const auto box = [](WmfWriter w) {
        w.pen(5, 0, kBlack).brush(0, kBlack).select(0).select(1);
        return w;
    };
    // clang-format off
    const std::pair<QByteArray, QRect> rows[] = {
        {box(WmfWriter()).rectangle(100, 100, 200, 200).placeableBytes(QRect(100, 100, 200, 100), 400), {0, 0, 100, 100}},
        {box(WmfWriter().mapMode(7).windowOrg(0, 0).windowExt(100, 100)).rectangle(0, 0, 100, 100).bytes(), {50, 0, 100, 100}}, // isotropic: centred
        {box(WmfWriter().mapMode(2)).moveTo(0, 100).rectangle(0, 0, 200, 50).bytes(), {0, 50, 200, 50}}, // y grows upwards
        // Twips, y upwards too (formula pictures): with no window, with a window given
        // after the mode (which has no effect there), and with one given before it.
        {box(WmfWriter().mapMode(6)).moveTo(0, 100).rectangle(0, 0, 200, 50).bytes(), {0, 50, 200, 50}},
        {box(WmfWriter().mapMode(6).windowOrg(0, 0).windowExt(200, 100)).moveTo(0, 100).rectangle(0, 0, 200, 50).bytes(), {0, 50, 200, 50}},
        {box(WmfWriter().windowOrg(0, 0).windowExt(200, 100).mapMode(6)).moveTo(0, 100).rectangle(0, 0, 200, 50).bytes(), {0, 50, 200, 50}},
        {box(WmfWriter().mapMode(6)).moveTo(200, 0).rectangle(0, 50, 100, 100).bytes(), {0, 0, 100, 50}}, // top left
        {box(WmfWriter().mapMode(4)).moveTo(0, 100).rectangle(0, 0, 200, 50).bytes(), {0, 50, 200, 50}}, // hundredths of an inch
        {box(WmfWriter()).rectangle(50, 0, 150, 50).moveTo(250, 100).bytes(), {0, 0, 100, 50}}, // no window: what is drawn
    };
    // clang-format on
    for (const auto& [data, ink] : rows) EXPECT_EQ(inkBounds(render(data, QSize(200, 100))), ink);
    WmfPicture placeable; // the first row's
    ASSERT_TRUE(placeable.load(rows[0].first));
    EXPECT_EQ(placeable.bounds(), QRectF(100, 100, 200, 100));
    EXPECT_EQ(placeable.sizeInches(), QSizeF(0.5, 0.25));
}

// A 1 x 2 bitmap of two palette colours, red above blue: DIB rows run from the bottom
// up, so blue comes first. StretchDIB draws rows `sourceY` (from the bottom) to
// `sourceY + rows` over the frame.
WmfWriter& stretchDib(WmfWriter& w, int sourceY, int rows) {
    const QByteArray dib =
        eh::test::dibHeader(1, 2, 8, 0, 2) + QByteArray::fromHex("ff0000000000ff000000000001000000");
    return w.record(0x0F43,
                    QList<int>{0x20, 0xCC, 0, rows, 1, sourceY, 0, 100, 100, 0, 0} + WmfWriter::words(dib));
}

// Blanks turned a quarter counter-clockwise: only their opaque green box shows.
WmfWriter& upward(WmfWriter& w) {
    return w.font(-20, "Arial", 0, 400, 900).select(2).bkMode(2).bkColor(kGreen).textAlign(24);
}

bool near(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) <
               60 &&
           qAlpha(a) > 200;
}

TEST(WmfPlayerTest, EachRecordDrawsWhatItSays) {
    using W = WmfWriter;
    // On a 100 x 100 frame, a null pen, a red brush and black text unless a row changes
    // them; the colour at `at` ((-1, -1): anywhere; 0: nothing drawn there).
    // clang-format off
    const struct { const char* record; void (*draw)(W& w); QPoint at; QRgb expected; } rows[] = {
        {"Rectangle", [](W& w) { w.rectangle(10, 30, 50, 90); }, {20, 80}, kRed},
        {"Rectangle, outside", [](W& w) { w.rectangle(10, 30, 50, 90); }, {40, 20}, 0},
        {"Ellipse centre", [](W& w) { w.ellipse(0, 0, 100, 100); }, {50, 50}, kRed},
        {"Ellipse corner", [](W& w) { w.ellipse(0, 0, 100, 100); }, {4, 4}, 0},
        {"RoundRect", [](W& w) { w.record(0x061C, {40, 40, 90, 90, 10, 10}); }, {50, 50}, kRed},
        {"RoundRect corner", [](W& w) { w.record(0x061C, {40, 40, 90, 90, 10, 10}); }, {11, 11}, 0},
        {"Polygon", [](W& w) { w.polygon({{0, 0}, {100, 0}, {100, 50}}); }, {80, 20}, kRed},
        {"Polygon, outside", [](W& w) { w.polygon({{0, 0}, {100, 0}, {100, 50}}); }, {20, 80}, 0},
        {"Pie", [](W& w) { w.record(0x081A, {0, 100, 50, 100, 100, 100, 0, 0}); }, {70, 30}, kRed},
        {"Pie other side", [](W& w) { w.record(0x081A, {0, 100, 50, 100, 100, 100, 0, 0}); }, {30, 70}, 0},
        {"PatBlt", [](W& w) { w.record(0x061D, {0x0021, 0x00F0, 50, 50, 0, 0}); }, {25, 25}, kRed},
        {"PatBlt blackness", [](W& w) { w.record(0x061D, {0x0042, 0x0000, 50, 50, 0, 0}); }, {25, 25}, kBlack},
        {"Polyline", [](W& w) { w.pen(0, 4, kBlue).select(2).polyline({{60, 90}, {90, 90}}); }, {75, 90}, kBlue},
        {"wide pen, null brush", [](W& w) { w.pen(0, 10, kBlue).brush(1, kRed).select(2).select(3).rectangle(20, 20, 80, 80); }, {20, 50}, kBlue},
        {"null brush inside", [](W& w) { w.pen(0, 10, kBlue).brush(1, kRed).select(2).select(3).rectangle(20, 20, 80, 80); }, {50, 50}, 0},
        {"SetBkMode opaque", [](W& w) { w.bkColor(kGreen).bkMode(2).font(-30, "Arial").select(2).textOut(10, 10, "  "); }, {13, 20}, kGreen},
        {"window y up", [](W& w) { w.windowOrg(-50, 50).windowExt(100, -100).rectangle(10, 10, 40, 40); }, {75, 25}, kRed},
        {"window y up, below", [](W& w) { w.windowOrg(-50, 50).windowExt(100, -100).rectangle(10, 10, 40, 40); }, {75, 75}, 0},
        {"lowest free slot", [](W& w) { w.brush(0, kGreen).deleteObject(0).brush(0, kBlue).select(0).rectangle(0, 0, 100, 100); }, {50, 50}, kBlue},
        {"LineTo", [](W& w) { w.pen(0, 6, kBlue).select(2).moveTo(0, 50).lineTo(100, 50); }, {50, 50}, kBlue},
        {"StretchDIB top", [](W& w) { stretchDib(w, 0, 2); }, {50, 25}, kRed},
        {"StretchDIB bottom", [](W& w) { stretchDib(w, 0, 2); }, {50, 75}, kBlue},
        {"StretchDIB bottom row", [](W& w) { stretchDib(w, 0, 1); }, {50, 25}, kBlue},
        {"SetTextColor", [](W& w) { w.textColor(kGreen).font(-60, "Arial").select(2).textOut(5, 5, "HH"); }, {-1, -1}, kGreen},
        {"text at 90 degrees", [](W& w) { upward(w).textOut(50, 95, "            "); }, {45, 60}, kGreen},
        {"text at 90 degrees, right", [](W& w) { upward(w).textOut(50, 95, "            "); }, {55, 60}, 0},
        {"text at 90 degrees, below", [](W& w) { upward(w).textOut(50, 45, "            "); }, {45, 80}, 0},
        {"IntersectClipRect", [](W& w) { w.record(0x0416, {50, 50, 0, 0}).rectangle(0, 0, 100, 100); }, {75, 75}, 0},
        {"SaveDC RestoreDC", [](W& w) { w.saveDc().brush(0, kBlue).select(2).restoreDc(-1).rectangle(0, 0, 100, 100); }, {50, 50}, kRed},
        {"DeleteObject", [](W& w) { w.brush(0, kBlue).select(2).deleteObject(2).rectangle(0, 0, 100, 100); }, {50, 50}, kBlue},
        {"unknown records", [](W& w) { w.record(0x7777, {1, 2, 3}).record(0x0626, {15, 2, 0}).rectangle(0, 0, 100, 100); }, {50, 50}, kRed},
    };
    // clang-format on
    for (const auto& row : rows) {
        WmfWriter w = frame100();
        w.pen(5, 0, kBlack).brush(0, kRed).select(0).select(1).bkMode(1);
        row.draw(w);
        const QImage img = render(w.bytes());
        if (row.at.x() < 0) {
            EXPECT_FALSE(inkBounds(img, [&](QColor c) { return near(c.rgba(), row.expected); }).isEmpty())
                << row.record;
        } else {
            const QRgb got = img.pixel(row.at);
            EXPECT_TRUE(row.expected ? near(got, row.expected) : qAlpha(got) < 40)
                << row.record << " " << QColor::fromRgba(got).name(QColor::HexArgb).toStdString();
        }
    }
}

// A line of text 30 logical units high at (x, y) with the given alignment.
QImage text(const QByteArray& face, int charset, const QByteArray& s, int align = 0, int x = 10, int y = 10) {
    WmfWriter w = frame100();
    w.font(-30, face, charset).select(0).bkMode(1).textColor(kBlack).textAlign(align).textOut(x, y, s);
    return render(w.bytes());
}

TEST(WmfTextTest, SymbolFontLettersAreGreek) {
    const QImage symbolA = text("Symbol", 2, "a");
    EXPECT_FALSE(inkBounds(symbolA).isEmpty());
    EXPECT_EQ(symbolA, text("Times New Roman", 161, "\xE1")); // alpha in Windows-1253
    EXPECT_NE(symbolA, text("Times New Roman", 0, "a"));
}

TEST(WmfTextTest, AlignmentPlacesTheTextAroundItsReferencePoint) {
    const QRect left = inkBounds(text("Arial", 0, "HH", 0x18, 50, 60)); // baseline, left
    const QRect right = inkBounds(text("Arial", 0, "HH", 0x18 | 2, 50, 60));
    const QRect centre = inkBounds(text("Arial", 0, "HH", 0x18 | 6, 50, 60));
    ASSERT_FALSE(left.isEmpty());
    EXPECT_GE(left.left(), 50);
    EXPECT_LE(right.right(), 50);
    EXPECT_LT(centre.left(), 50);
    EXPECT_GT(centre.right(), 50);
    EXPECT_NEAR(left.bottom(), 59, 1); // capitals sit on the baseline
    EXPECT_GE(inkBounds(text("Arial", 0, "HH", 0, 50, 20)).top(), 20);
    EXPECT_NEAR(left.height(), right.height(), 1);
}

TEST(WmfTextTest, ExtTextOutPlacesCharactersByTheirAdvances) {
    WmfWriter w = frame100();
    w.font(-20, "Arial").select(0).bkMode(1).extTextOut(0, 10, "II", {80, 10}); // the second I at x = 80
    const QRect ink = inkBounds(render(w.bytes()));
    EXPECT_GE(ink.right(), 80);
    EXPECT_LE(ink.left(), 6);
}

TEST(WmfTextTest, FontHeightFollowsTheWindowScale) {
    const auto letter = [](int height) {
        return frame100().font(height, "Arial").select(0).bkMode(1).textOut(10, 10, "H").bytes();
    };
    const int h1 = inkBounds(render(letter(-20))).height();
    EXPECT_NEAR(inkBounds(render(letter(-40))).height(), 2 * h1, 2);
    EXPECT_NEAR(inkBounds(render(letter(-20), QSize(200, 200))).height(), 2 * h1, 2);
}

} // namespace
