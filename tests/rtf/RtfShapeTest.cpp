// Drawing shapes and old-style drawing objects in teachers' documents: their properties
// are never text, the text of their text boxes shows once, where the shape stands.

#include "TestSupport.h"

#include "rtf/RtfReader.h"

#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextDocument>

namespace {

QString loadFile(QTextDocument& doc, const char* name) {
    const eh::RtfLoadResult r = eh::loadRtfFile(QStringLiteral(TARVELO_TEST_DATA_DIR "/") + name, doc);
    EXPECT_TRUE(r.ok) << name << ": " << r.error.toStdString();
    return doc.toPlainText();
}

// Each document was written for the case it names; the text is what a reader sees, with
// a text box's paragraphs between the paragraphs around it.
TEST(RtfShapeTest, ShapesReadAsTheirTextBoxesAlone) {
    // clang-format off
    const std::pair<const char*, QString> rows[] = {
        // Properties of a rectangle and a line, one of them a sentence ("wzDescription").
        {"shape-properties.rtf", u"Antes y después.\n"_qs},
        // A text box anchored inside a sentence; its fallback drawing object repeats the text.
        {"shape-textbox.rtf", u"Como muestra la figura,\nFigura 1. El cuadro\nla segunda línea\n la resistividad baja.\nFin\n"_qs},
        // A group of two text boxes and a line; the group's fallback repeats both texts.
        {"shape-group.rtf", u"Esquema:\nFuente\nMultímetro\nFin\n"_qs},
        // An old-style drawing object with a text box, then one without.
        {"drawing-object.rtf", u"Antes\nCuadro antiguo\ndespués\n"_qs},
    };
    // clang-format on
    QTextDocument doc;
    for (const auto& [name, text] : rows) EXPECT_EQ(loadFile(doc, name), text) << name;
}

// Shape properties in documents written here: names and values of every kind never show,
// whatever group holds them.
TEST(RtfShapeTest, PropertiesNeverShow) {
    // clang-format off
    const std::pair<QByteArray, QString> rows[] = {
        {"{\\rtf1 a{\\shp{\\*\\shpinst{\\sp{\\sn fFilled}{\\sv 0}}{\\sp{\\sn fFilled}{\\sv 0}}}}b}", "ab"},
        // Without \* before \shpinst, and properties outside any shape.
        {"{\\rtf1 a{\\shp{\\shpinst{\\sp{\\sn wzName}{\\sv Cuadro de texto 2}}}}b}", "ab"},
        {"{\\rtf1 a{\\sp{\\sn gtextUNICODE}{\\sv Texto}}b{\\sp{\\sn fLine}{\\sv 1}}c}", "abc"},
        // A value holding a group, escapes and Unicode, and a picture as a value.
        {"{\\rtf1 a{\\shp{\\*\\shpinst{\\sp{\\sn wzDescription}{\\sv {\\b Peso} \\'e9\\u945?}}"
         "{\\sp{\\sn pib}{\\sv {\\pict\\pngblip 00}}}}}b}", "ab"},
        // Old-style drawing objects: a rectangle, a line, a callout.
        {"{\\rtf1 a{\\*\\do\\dobxcolumn\\dprect\\dpx0\\dpy0\\dpxsize100\\dpysize100}"
         "{\\*\\do\\dpline\\dpptx0\\dppty0\\dpptx10\\dppty0}{\\*\\do\\dpcallout\\dpcoa-90}b}", "ab"},
    };
    // clang-format on
    QTextDocument doc;
    for (const auto& [rtf, text] : rows) {
        ASSERT_TRUE(eh::loadRtf(rtf, doc).ok) << rtf.constData();
        EXPECT_EQ(doc.toPlainText(), text) << rtf.constData();
    }
}

// Where a text box's text goes: in paragraphs of its own, the paragraph around it broken
// only where something stands on that side.
TEST(RtfShapeTest, TextBoxesStandInParagraphsOfTheirOwn) {
    // clang-format off
    const std::pair<QByteArray, QString> rows[] = {
        {"{\\rtf1 a{\\shp{\\*\\shpinst{\\shptxt b}}}c}", "a\nb\nc"},
        {"{\\rtf1 {\\shp{\\*\\shpinst{\\shptxt b\\par}}}c}", "b\nc"},
        {"{\\rtf1 a\\par{\\shp{\\*\\shpinst{\\shptxt b}}}\\par c}", "a\nb\n\nc"},
        {"{\\rtf1 a{\\*\\do\\dptxbx{\\dptxbxtext b}}c}", "a\nb\nc"},
        // Groups inside the box break nothing; a property among them shows nothing.
        {"{\\rtf1 a{\\shp{\\*\\shpinst{\\shptxt {\\b b}{\\sp{\\sn x}{\\sv y}}{\\i c}}}}d}", "a\nbc\nd"},
        // The text of a box outside any shape is not a box.
        {"{\\rtf1 a{\\shptxt x}{\\dptxbxtext y}b}", "ab"},
    };
    // clang-format on
    QTextDocument doc;
    for (const auto& [rtf, text] : rows) {
        ASSERT_TRUE(eh::loadRtf(rtf, doc).ok) << rtf.constData();
        EXPECT_EQ(doc.toPlainText(), text) << rtf.constData();
    }
}

// A text box keeps the formats it was written with: its own paragraph alignment and its
// bold words; the paragraph it interrupts keeps its own.
TEST(RtfShapeTest, TextBoxKeepsItsFormats) {
    QTextDocument doc;
    loadFile(doc, "shape-textbox.rtf");
    QStringList got;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        got << b.text() + (b.blockFormat().alignment() & Qt::AlignHCenter ? " C" : "");
    EXPECT_EQ(got, QStringList({"Como muestra la figura,", "Figura 1. El cuadro C", "la segunda línea C",
                                " la resistividad baja.", "Fin", ""}));
    QStringList bold;
    for (const auto& [text, f] : eh::test::fragments(doc))
        if (f.fontWeight() == QFont::Bold) bold << text;
    EXPECT_EQ(bold, QStringList{"Figura 1."});
}

// A picture shape shows its picture once: from its result, since the shape itself shows
// no text; the copy among its properties is not shown again.
TEST(RtfShapeTest, PictureShapeShowsItsPictureOnce) {
    QImage red(8, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    const QByteArray picture = eh::test::pict("\\pngblip\\picw8\\pich4", eh::test::encoded(red));
    const QByteArray rtf =
        "{\\rtf1 a{\\shp{\\*\\shpinst{\\sp{\\sn shapeType}{\\sv 75}}{\\sp{\\sn pib}{\\sv " + picture +
        "}}}{\\shprslt " + picture + "}}b}";
    QTextDocument doc;
    ASSERT_TRUE(eh::loadRtf(rtf, doc).ok);
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("a") + QChar::ObjectReplacementCharacter + "b");
    EXPECT_EQ(eh::test::pictures(doc).size(), 1u);
}

} // namespace
