// Pictures in RTF: PNG, JPEG and metafile data, their display size, and embedded
// objects shown through their result picture.

#include "TestSupport.h"

#include "rtf/RtfReader.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QScreen>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>

namespace {

using eh::test::coverage;
using eh::test::inkBounds;
using eh::test::toRtfHex;
using eh::test::WmfWriter;

constexpr QRgb kBlack = 0xFF000000;

struct ShownImage {
    QImage image;
    QSizeF size;
};

class RtfPictureTest : public ::testing::Test {
protected:
    void SetUp() override {
        eh::test::ensureApp();
        dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
    }
    std::vector<ShownImage> load(const QByteArray& body) {
        const eh::RtfLoadResult r = eh::loadRtf("{\\rtf1\\ansi " + body + "}", doc);
        EXPECT_TRUE(r.ok) << r.error.toStdString();
        std::vector<ShownImage> out;
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat f = it.fragment().charFormat();
                if (!f.isImageFormat()) continue;
                const QTextImageFormat img = f.toImageFormat();
                out.push_back({doc.resource(QTextDocument::ImageResource, QUrl(img.name())).value<QImage>(),
                               QSizeF(img.width(), img.height())});
            }
        }
        return out;
    }
    double px(double twips) const { return twips * dpi / 1440.0; }

    QTextDocument doc;
    double dpi = 96;
};

QImage redImage() {
    QImage img(20, 10, QImage::Format_RGB32);
    img.fill(Qt::red);
    return img;
}

QByteArray pngPict(const QByteArray& props) {
    return "{\\pict\\pngblip" + props + " " + toRtfHex(eh::test::pngBytes(redImage())) + "}";
}

// A formula-like metafile: a black bar across the middle of a 1000 x 500 frame.
QByteArray formulaWmf() {
    WmfWriter w;
    w.windowOrg(0, 0).windowExt(1000, 500);
    w.pen(5, 0, kBlack).brush(0, kBlack).select(0).select(1).rectangle(100, 200, 900, 300);
    w.font(-200, "Symbol", 2).select(2).bkMode(1).textOut(100, 0, "a");
    return w.bytes();
}

TEST_F(RtfPictureTest, PngAtItsGoalSizeAndScale) {
    auto shown = load("before " + pngPict("\\picw20\\pich10\\picwgoal600\\pichgoal300") + " after");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].image.size(), QSize(20, 10));
    EXPECT_EQ(shown[0].image.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_NEAR(shown[0].size.width(), px(600), 0.01);
    EXPECT_NEAR(shown[0].size.height(), px(300), 0.01);
    EXPECT_EQ(doc.toPlainText(), QString("before ") + QChar::ObjectReplacementCharacter + " after");

    shown = load(pngPict("\\picwgoal600\\pichgoal300\\picscalex50\\picscaley200"));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NEAR(shown[0].size.width(), px(300), 0.01);
    EXPECT_NEAR(shown[0].size.height(), px(600), 0.01);

    // Without goal sizes a bitmap keeps its pixel size at 96 pixels an inch.
    shown = load(pngPict(""));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NEAR(shown[0].size.width(), px(300), 0.01);
}

TEST_F(RtfPictureTest, BinaryPictureDataAndJpeg) {
    const QByteArray png = eh::test::pngBytes(redImage());
    auto shown = load("{\\pict\\pngblip\\picwgoal300\\pichgoal150\\bin" + QByteArray::number(png.size()) +
                      " " + png + "}");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].image.size(), QSize(20, 10));

    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(redImage().save(&buffer, "JPEG"));
    shown = load("{\\pict\\jpegblip " + toRtfHex(jpeg) + "}");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_GT(shown[0].image.pixelColor(10, 5).red(), 200);
}

TEST_F(RtfPictureTest, MetafileRenderedAtTheSizeAsked) {
    auto shown = load("{\\pict\\wmetafile8\\picw1764\\pich882\\picwgoal1440\\pichgoal720 " +
                      toRtfHex(formulaWmf()) + "}");
    ASSERT_EQ(shown.size(), 1u);
    const QSize expected = QSizeF(px(1440), px(720)).toSize();
    EXPECT_EQ(shown[0].image.size(), expected);
    const QImage& img = shown[0].image;
    // The bar covers the middle fifth of the height, from 10 % to 90 % of the width.
    const int w = img.width();
    const int h = img.height();
    EXPECT_GT(coverage(img, QRect(w / 5, h * 45 / 100, w * 3 / 5, h / 20 + 1), QColor(kBlack)), 0.95);
    EXPECT_EQ(coverage(img, QRect(w / 5, h * 7 / 10, w * 3 / 5, h / 10), QColor(kBlack)), 0.0);

    // With only \picw/\pich (hundredths of a millimetre) the size follows from them.
    shown = load("{\\pict\\wmetafile8\\picw2540\\pich1270 " + toRtfHex(formulaWmf()) + "}");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NEAR(shown[0].size.width(), dpi, 0.01);
    EXPECT_NEAR(shown[0].size.height(), dpi / 2, 0.01);
}

TEST_F(RtfPictureTest, EquationObjectShowsItsResultPicture) {
    const QByteArray object = "x {\\object\\objemb{\\*\\objclass Equation.3}\\objw1440\\objh720"
                              "{\\*\\objdata 01050000020000000b0000004571756174696f6e2e33000000}"
                              "{\\result{\\pict\\wmetafile8\\picwgoal1440\\pichgoal720 " +
                              toRtfHex(formulaWmf()) + "}}} y";
    auto shown = load(object);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_FALSE(inkBounds(shown[0].image).isEmpty());
    EXPECT_EQ(doc.toPlainText(), QString("x ") + QChar::ObjectReplacementCharacter + " y");

    // Without a result nothing of the object shows, even data outside \*.
    shown = load("x {\\object{\\objclass Equation.3}{\\objdata 0105}} y");
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(doc.toPlainText(), "x  y");
}

TEST_F(RtfPictureTest, ModernPictureIsShownAndItsFallbackIsNot) {
    auto shown = load("{\\*\\shppict" + pngPict("\\picwgoal300\\pichgoal150") +
                      "}"
                      "{\\nonshppict{\\pict\\wmetafile8 " +
                      toRtfHex(formulaWmf()) + "}}");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].image.size(), QSize(20, 10));
}

TEST_F(RtfPictureTest, UnsupportedAndBrokenPicturesAreLeftOut) {
    EXPECT_TRUE(load("a{\\pict\\emfblip 0100000058000000}b").empty());
    EXPECT_TRUE(load("a{\\pict\\pngblip 89504e47zz0d0a}b").empty());
    EXPECT_TRUE(load("a{\\pict\\pngblip 89504e470d0a1a0a}b").empty()); // cut-off PNG
    EXPECT_TRUE(load("a{\\pict\\wmetafile8 0100090000}b").empty());
    EXPECT_EQ(doc.toPlainText(), "ab");
}

TEST_F(RtfPictureTest, AbsurdPictureSizesAreCapped) {
    auto shown = load(pngPict("\\picwgoal2147483647\\pichgoal2147483647\\picscalex999999"));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_LE(shown[0].size.width(), 4096.0);
    EXPECT_LE(shown[0].size.height(), 4096.0);
    EXPECT_TRUE(load(pngPict("\\picwgoal-100\\pichgoal-5\\picw-3\\pich-3")).size() <= 1u);
}

} // namespace
