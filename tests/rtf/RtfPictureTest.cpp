// Pictures in RTF: PNG, JPEG and metafile data, their display size, embedded objects
// shown through their result picture, and pictures moved off the baseline.

#include "TestSupport.h"

#include "rtf/RtfFormats.h"
#include "rtf/RtfReader.h"

#include <gtest/gtest.h>

#include <QTextDocument>

namespace {

using eh::test::coverage;
using eh::test::pict;
using eh::test::WmfWriter;

constexpr QRgb kBlack = 0xFF000000;

QByteArray redImage(const char* format = "PNG") {
    QImage img(20, 10, QImage::Format_RGB32);
    img.fill(Qt::red);
    return eh::test::encoded(img, format);
}

// A formula-like metafile: a black bar across the middle of a 1000 x 500 frame.
QByteArray formulaWmf(const QByteArray& words) {
    WmfWriter w;
    w.windowOrg(0, 0).windowExt(1000, 500);
    w.pen(5, 0, kBlack).brush(0, kBlack).select(0).select(1).rectangle(100, 200, 900, 300);
    return pict("\\wmetafile8" + words, w.bytes());
}

TEST(RtfPictureTest, EachPictureShowsAtItsSize) {
    const double dpi = eh::rtf::documentDpi();
    const QByteArray red = redImage();
    const QByteArray object =
        "{\\object\\objemb{\\*\\objclass Equation.3}\\objw1440\\objh720{\\*\\objdata 0105}"
        "{\\result" +
        formulaWmf("\\picwgoal1440\\pichgoal720") + "}}";
    // The display size in twips; an empty one: nothing is shown.
    // clang-format off
    const std::pair<QByteArray, QSizeF> rows[] = {
        {pict("\\pngblip\\picw20\\pich10\\picwgoal600\\pichgoal300", red), {600, 300}},
        {pict("\\pngblip\\picwgoal600\\pichgoal300\\picscalex50\\picscaley200", red), {300, 600}},
        {pict("\\pngblip", red), {300, 150}}, // a bitmap without a goal size: its pixels at 96 an inch
        {pict("\\pngblip\\picwgoal-100\\pichgoal-5\\picw-3\\pich-3", red), {300, 150}},
        {"{\\pict\\pngblip\\bin" + QByteArray::number(red.size()) + " " + red + "}", {300, 150}},
        {pict("\\jpegblip", redImage("JPEG")), {300, 150}},
        {formulaWmf("\\picw1764\\pich882\\picwgoal1440\\pichgoal720"), {1440, 720}},
        {formulaWmf("\\picw2540\\pich1270"), {1440, 720}}, // hundredths of a millimetre
        {object, {1440, 720}},
        {"{\\object{\\objclass Equation.3}{\\objdata 0105}}", {}}, // no result: nothing, even outside \*
        {"{\\*\\shppict" + pict("\\pngblip", red) + "}{\\nonshppict" + formulaWmf("") + "}", {300, 150}},
        {"{\\pict\\emfblip 0100000058000000}", {}},
        {"{\\pict\\pngblip 89504e47zz0d0a}", {}},   // not hex
        {"{\\pict\\pngblip 89504e470d0a1a0a}", {}}, // a PNG cut short
        {"{\\pict\\wmetafile8 0100090000}", {}},
        {pict("\\pngblip\\picwgoal2147483647\\pichgoal2147483647\\picscalex999999", red), {4096 * 1440 / dpi, 40.96 * 1440 / dpi}},
    };
    // clang-format on
    QTextDocument doc;
    for (const auto& [data, twips] : rows) {
        const std::string name = data.left(50).toStdString();
        EXPECT_TRUE(eh::loadRtf("{\\rtf1\\ansi a " + data + " b}", doc).ok) << name;
        const auto shown = eh::test::pictures(doc);
        ASSERT_EQ(shown.size(), twips.isEmpty() ? 0u : 1u) << name;
        EXPECT_EQ(doc.toPlainText(), twips.isEmpty() ? "a  b" : u"a \uFFFC b"_qs);
        if (twips.isEmpty()) continue;
        EXPECT_NEAR(shown[0].size.width(), twips.width() * dpi / 1440, 0.01) << name;
        EXPECT_NEAR(shown[0].size.height(), twips.height() * dpi / 1440, 0.01) << name;
        const QImage& img = shown[0].image;
        if (data.contains("blip")) { // bitmaps keep their pixels; the document scales them
            EXPECT_EQ(img.size(), QSize(20, 10));
            EXPECT_NEAR(img.pixelColor(10, 5).red(), 255, 30);
        } else { // metafiles are drawn at the size shown: the bar in the middle fifth
            EXPECT_EQ(img.size(), shown[0].size.toSize());
            const int w = img.width(), h = img.height();
            EXPECT_GT(coverage(img, QRect(w / 5, h * 45 / 100, w * 3 / 5, h / 20 + 1), QColor(kBlack)), 0.95);
            EXPECT_EQ(coverage(img, QRect(w / 5, h * 7 / 10, w * 3 / 5, h / 10), QColor(kBlack)), 0.0);
        }
    }
}

// A figure drawn for print, with three times the pixels the screen gives it: reduced
// once, smoothly, so that a pattern of one-pixel lines turns grey rather than into a
// random choice of black and white columns.
TEST(RtfPictureTest, APrintResolutionFigureIsReducedSmoothly) {
    QImage stripes(300, 200, QImage::Format_RGB32);
    for (int x = 0; x < stripes.width(); ++x)
        for (int y = 0; y < stripes.height(); ++y) stripes.setPixel(x, y, x % 2 ? 0xFFFFFFFF : kBlack);
    const QByteArray png = eh::test::encoded(stripes, "PNG");
    QTextDocument doc;
    // One inch wide: a third of the pixels at 100 dpi or so.
    ASSERT_TRUE(
        eh::loadRtf("{\\rtf1\\ansi " + pict("\\pngblip\\picwgoal1440\\pichgoal960", png) + "}", doc).ok);
    const auto shown = eh::test::pictures(doc);
    ASSERT_EQ(shown.size(), 1u);
    const QImage& img = shown[0].image;
    EXPECT_EQ(img.size(), (shown[0].size * img.devicePixelRatio()).toSize());
    for (const QPoint p : {QPoint(img.width() / 3, img.height() / 2), QPoint(img.width() / 2 + 1, 5)})
        EXPECT_NEAR(img.pixelColor(p).red(), 128, 50) << p.x();
}

TEST(RtfPictureTest, LoweredAndRaisedPicturesAreMovedOffTheBaseline) {
    WmfWriter w;
    w.windowOrg(0, 0).windowExt(100, 100).pen(5, 0, kBlack).brush(0, kBlack);
    w.select(0).select(1).rectangle(0, 0, 100, 100);
    const QByteArray box = pict("\\wmetafile8\\picwgoal600\\pichgoal600", w.bytes());
    const double dpi = eh::rtf::documentDpi();
    // A black box beside a red capital whose bottom marks the baseline: on it, lowered
    // by 10 pt and raised by 10 pt.
    QTextDocument doc;
    for (const QByteArray word : {"", "\\dn20", "\\up20"}) {
        ASSERT_TRUE(eh::loadRtf("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\fs48 {\\cf1 H}{" + word + " " +
                                    box + "}}",
                                doc)
                        .ok);
        const QImage img = eh::test::render(doc, 400);
        const QRect red = eh::test::inkBounds(img, [](QColor c) { return c.red() > 160 && c.green() < 100; });
        const QRect black = eh::test::inkBounds(img, [](QColor c) { return c.lightness() < 60; });
        ASSERT_FALSE(red.isEmpty());
        EXPECT_NEAR(black.height(), 600 * dpi / 1440, 1.5);
        const int shift = word.isEmpty() ? 0 : word.startsWith("\\up") ? 20 : -20;
        EXPECT_NEAR(black.bottom() - red.bottom(), -shift / 2.0 * dpi / 72.0, 1.5) << shift;
    }
}

} // namespace
