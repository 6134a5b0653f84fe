// A document as a common word processor saves it (style sheet, themes, revision ids,
// associated bidi properties, a formula object and a picture with its metafile
// fallback), and the placement of lowered pictures, checked on a rendering.

#include "TestSupport.h"

#include "rtf/RtfReader.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>

namespace {

using eh::test::coverage;
using eh::test::inkBounds;
using eh::test::WmfWriter;

// The smallest rectangle holding the pixels that `match`.
template <typename Match> QRect boundsWhere(const QImage& image, Match match) {
    QRect r;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (match(image.pixelColor(x, y))) r = r.united(QRect(x, y, 1, 1));
    return r;
}

class RtfWordSampleTest : public ::testing::Test {
protected:
    void SetUp() override { eh::test::ensureApp(); }

    std::vector<std::pair<QString, QTextCharFormat>> fragments() const {
        std::vector<std::pair<QString, QTextCharFormat>> out;
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                out.emplace_back(it.fragment().text(), it.fragment().charFormat());
        return out;
    }
    QTextCharFormat formatOf(const QString& text) const {
        for (const auto& [t, f] : fragments())
            if (t == text) return f;
        ADD_FAILURE() << "no fragment " << text.toStdString();
        return {};
    }
    QImage render(int width) {
        doc.setTextWidth(width);
        QImage img(doc.size().toSize(), QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::white);
        QPainter p(&img);
        doc.drawContents(&p);
        return img;
    }

    QTextDocument doc;
};

TEST_F(RtfWordSampleTest, RendersTextFormattingAndPictures) {
    const eh::RtfLoadResult r = eh::loadRtfFile(TARVELO_TEST_DATA_DIR "/word-sample.rtf", doc);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    const QChar obj = QChar::ObjectReplacementCharacter;
    EXPECT_EQ(doc.toPlainText(),
              QString::fromUtf8("Título del informe\nTexto normal, cursiva, negrita, ambas; el agua "
                                "es H2O y el área es x2; la resistividad es ρ = ") +
                  obj + ".\n" + obj + "\nFigura 1. Un paisaje.\n");

    const QTextBlock title = doc.begin();
    EXPECT_EQ(title.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(formatOf(QString::fromUtf8("Título del informe")).fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(formatOf(QString::fromUtf8("Título del informe")).fontPointSize(), 14.0);
    const QTextBlock body = title.next();
    EXPECT_EQ(body.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
    EXPECT_EQ(body.blockFormat().lineHeightType(), int(QTextBlockFormat::ProportionalHeight));
    EXPECT_DOUBLE_EQ(body.blockFormat().lineHeight(), 115.0);

    EXPECT_TRUE(formatOf("cursiva").fontItalic());
    EXPECT_EQ(formatOf("cursiva").fontWeight(), QFont::Normal); // \ai is for bidi text only
    EXPECT_EQ(formatOf("negrita").fontWeight(), QFont::Bold);
    EXPECT_TRUE(formatOf("ambas").fontItalic());
    EXPECT_EQ(formatOf("ambas").fontWeight(), QFont::Bold);
    EXPECT_EQ(formatOf("Texto normal, ").fontFamilies().toStringList(), QStringList{"Liberation Sans"});
    EXPECT_DOUBLE_EQ(formatOf("Texto normal, ").fontPointSize(), 11.0);
    int scripts = 0;
    for (const auto& [text, f] : fragments()) {
        if (text == "2" && f.verticalAlignment() == QTextCharFormat::AlignSubScript) scripts += 1;
        if (text == "2" && f.verticalAlignment() == QTextCharFormat::AlignSuperScript) scripts += 10;
    }
    EXPECT_EQ(scripts, 11);
    const QTextCharFormat caption = formatOf("Figura 1. Un paisaje.");
    EXPECT_EQ(caption.foreground().color(), QColor(0, 0, 128));
    EXPECT_DOUBLE_EQ(caption.fontPointSize(), 9.0);

    // The formula and the picture show; the picture's metafile fallback (magenta) does not.
    const QImage page = render(600);
    EXPECT_EQ(coverage(page, page.rect(), QColor(255, 0, 255), 30), 0.0);
    EXPECT_GT(coverage(page, page.rect(), QColor(250, 210, 0), 30), 0.0005); // the sun
    std::vector<QImage> pictures;
    for (const auto& [text, f] : fragments())
        if (f.isImageFormat())
            pictures.push_back(
                doc.resource(QTextDocument::ImageResource, QUrl(f.toImageFormat().name())).value<QImage>());
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_FALSE(inkBounds(pictures[0]).isEmpty());
    EXPECT_EQ(pictures[1].size(), QSize(48, 32));
}

TEST_F(RtfWordSampleTest, LoweredAndRaisedPicturesAreMovedOffTheBaseline) {
    WmfWriter w;
    w.windowOrg(0, 0).windowExt(100, 100).pen(5, 0, 0xFF000000).brush(0, 0xFF000000);
    w.select(0).select(1).rectangle(0, 0, 100, 100);
    const QByteArray box =
        "{\\pict\\wmetafile8\\picwgoal600\\pichgoal600 " + eh::test::toRtfHex(w.bytes()) + "}";
    const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
    // A black box on the baseline, one lowered by 10 pt and one raised by 10 pt, each
    // beside a red capital whose bottom marks the baseline.
    for (const int shift : {0, -20, 20}) {
        const QByteArray word =
            shift < 0 ? "\\dn" + QByteArray::number(-shift) : "\\up" + QByteArray::number(shift);
        ASSERT_TRUE(eh::loadRtf("{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;}\\fs48 {\\cf1 H}{" + word +
                                    " " + box + "}}",
                                doc)
                        .ok);
        const QImage img = render(400);
        const QRect red = boundsWhere(img, [](QColor c) { return c.red() > 160 && c.green() < 100; });
        const QRect black = boundsWhere(img, [](QColor c) { return c.lightness() < 60; });
        ASSERT_FALSE(red.isEmpty());
        ASSERT_FALSE(black.isEmpty());
        EXPECT_NEAR(black.height(), 600 * dpi / 1440, 1.5);
        EXPECT_NEAR(black.bottom() - red.bottom(), -shift / 2.0 * dpi / 72.0, 1.5) << shift;
    }
}

} // namespace
