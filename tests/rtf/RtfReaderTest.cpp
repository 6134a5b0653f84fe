// The RTF reader on small documents written here and on one a word processor saved:
// what control words set, what text and escapes read as, how groups keep formats.

#include "TestSupport.h"

#include "rtf/RtfFormats.h"
#include "rtf/RtfReader.h"

#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextDocument>

namespace {

using eh::test::fragments;

// Fonts 0-4 and colours 1 red, 2 black and 3 a colour with all three components.
const QByteArray kHead =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0"
    "{\\fonttbl{\\f0\\fswiss\\fcharset0 MS Sans Serif;}"
    "{\\f1\\froman\\fcharset2 Symbol;}{\\f2\\froman Times New Roman;}"
    "{\\f3\\fnil\\fcharset161 WP Greek Century;}{\\f4 Unlisted Face;}}"
    "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue0;\\red10\\green200\\blue30;}";

QString load(QTextDocument& doc, const QByteArray& rtf) {
    const eh::RtfLoadResult r = eh::loadRtf(rtf, doc);
    EXPECT_TRUE(r.ok) << rtf.constData() << ": " << r.error.toStdString();
    return doc.toRawText();
}

// What one control word sets: a property of the format of the fragment "x", or else of
// its paragraph's format; an invalid value: the property is not set.
TEST(RtfReaderTest, ControlWordsSetTheirProperty) {
    using F = QTextFormat;
    const double px = eh::rtf::documentDpi() / 1440; // per twip
    const QBrush red(QColor(255, 0, 0));
    const QBrush green(QColor(10, 200, 30));
    // clang-format off
    const struct { const char* rtf; int property; QVariant expected; } rows[] = {
        {"\\f0 x", F::FontFamilies, QStringList{"Liberation Sans"}},
        {"\\f2 x", F::FontFamilies, QStringList{"Liberation Serif"}},
        {"\\f4 x", F::FontFamilies, QStringList{"Unlisted Face"}},
        {"x", F::FontPointSize, 12.0},              {"\\fs20 x", F::FontPointSize, 10.0},
        {"\\fs21 x", F::FontPointSize, 10.5},       {"\\fs17 x", F::FontPointSize, 8.5},
        {"\\b x", F::FontWeight, QFont::Bold},      {"\\b\\b0 x", F::FontWeight, QFont::Normal},
        {"\\i x", F::FontItalic, true},             {"\\i\\i0 x", F::FontItalic, false},
        {"\\ul x", F::TextUnderlineStyle, QTextCharFormat::SingleUnderline},
        {"\\uldb x", F::TextUnderlineStyle, QTextCharFormat::SingleUnderline},
        {"\\ul\\ulnone x", F::TextUnderlineStyle, QTextCharFormat::NoUnderline},
        {"\\ulc1 x", F::TextUnderlineStyle, QTextCharFormat::NoUnderline},
        {"\\ul\\ulc1 x", F::TextUnderlineStyle, QTextCharFormat::SingleUnderline},
        {"\\strike x", F::FontStrikeOut, true},     {"\\cf1 x", F::ForegroundBrush, red},
        {"\\cf2 x", F::ForegroundBrush, QBrush(Qt::black)},
        {"\\cf3 x", F::ForegroundBrush, green},     {"\\cf0 x", F::ForegroundBrush, QVariant()},
        {"\\cf9 x", F::ForegroundBrush, QVariant()},
        {"\\cb3 x", F::BackgroundBrush, green},     {"\\highlight1 x", F::BackgroundBrush, red},
        {"\\super x", F::TextVerticalAlignment, QTextCharFormat::AlignSuperScript},
        {"\\sub x", F::TextVerticalAlignment, QTextCharFormat::AlignSubScript},
        {"\\sub\\nosupersub x", F::TextVerticalAlignment, QVariant()},
        {"\\up4 x", F::TextBaselineOffset, 100.0 / 6}, {"\\dn6\\fs16 x", F::TextBaselineOffset, -37.5},
        {"\\up x", F::TextBaselineOffset, 25.0},    {"\\dn x", F::TextBaselineOffset, -25.0},
        {"\\qc x", F::BlockAlignment, int(Qt::AlignHCenter)}, {"\\qr x", F::BlockAlignment, int(Qt::AlignRight)},
        {"\\qj x", F::BlockAlignment, int(Qt::AlignJustify)}, {"\\qc\\pard x", F::BlockAlignment, int(Qt::AlignLeft)},
        {"\\li1440\\fi-720 x", F::BlockLeftMargin, 1440 * px}, {"\\li1440\\fi-720 x", F::TextIndent, -720 * px},
        {"\\sb240 x", F::BlockTopMargin, 240 * px},  {"\\sa120 x", F::BlockBottomMargin, 120 * px},
        {"\\li-99999999999 x", F::BlockLeftMargin, -31680 * px},
        {"\\sl276\\slmult1 x", F::LineHeight, 115.0}, // percent
        {"\\sl-360 x", F::LineHeight, 360 * px},   {"\\sl-360 x", F::LineHeightType, QTextBlockFormat::FixedHeight},
        {"\\sl360 x", F::LineHeightType, QTextBlockFormat::MinimumHeight},
    };
    // clang-format on
    QTextDocument doc;
    for (const auto& row : rows) {
        load(doc, kHead + row.rtf + "\\par}");
        QTextCharFormat f;
        for (const auto& [text, format] : fragments(doc))
            if (text == "x") f = format;
        const QVariant got = f.hasProperty(row.property) ? f.property(row.property)
                                                         : doc.begin().blockFormat().property(row.property);
        if (row.expected.typeId() == QMetaType::Double)
            EXPECT_NEAR(got.toDouble(), row.expected.toDouble(), 1e-6) << row.rtf;
        else
            EXPECT_EQ(got, row.expected) << row.rtf;
    }
}

// What the text of a document reads as: \'hh in the document's code page or the font's
// character set, \u with its fallback, special characters, and destinations never shown.
TEST(RtfReaderTest, TextEscapesAndDestinations) {
    // clang-format off
    const std::pair<QByteArray, QString> rows[] = {
        {"{\\rtf1\\ansi \\'e9\\'80\\'93q\\'94}", u"é€“q”"_qs},
        {"{\\rtf1\\pc \\'82\\'a4\\'9b}", u"éñ¢"_qs},                   // IBM PC code page 437
        {"{\\rtf1\\pca \\'82\\'a4\\'9b}", u"éñø"_qs},                   // 850
        {"{\\rtf1\\mac \\'8e\\'96\\'a7}", u"éñß"_qs},                   // Mac Roman
        {"{\\rtf1\\ansi\\ansicpg1251 \\'c4\\'e0}", u"Да"_qs},
        {"{\\rtf1\\ansi\\ansicpg1253 \\'e1}", u"α"_qs},
        {kHead + "{\\f3 \\'e1\\'e2}}", u"αβ"_qs},                        // WP Greek Century: \fcharset161
        {kHead + "\\u945?\\uc2\\u946xy\\uc0\\u947 \\u-10179\\u-8704 }", u"αβγ😀"_qs},
        {kHead + "\\u945\\'3f!}", u"α!"_qs},
        {kHead + "a\\tab b\\line c\\par d\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote "
                 "\\{\\}\\\\\\~\\_\\-}", u"a\tb\u2028c\u2029d—–•‘’“”{}\\\u00A0\u2011\u00AD"_qs},
        {kHead + "{\\info{\\title Secret}{\\author Someone}}{\\stylesheet{\\s0\\f0 Normal;}{\\s1 heading 1;}}"
                 "{\\*\\unknowndest hidden {\\b deeper} text}{\\*\\generator Writer 1.0;}{\\header head}"
                 "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}"
                 "\\lang1034\\noproof\\unknownword42 visible{\\v hidden}}", u"linkvisible"_qs},
        // Escaped braces and \bin bytes inside a skipped group do not end it early.
        {kHead + "{\\*\\x a\\}b\\{c{d}}after}", u"after"_qs},
        {kHead + "{\\*\\x \\bin4 }}}}}after}", u"after"_qs},
        {kHead + "{\\f1 abDW\\'b6\\'b1\\'a5}{\\f0 ab}{\\f1\\u61537\\'61}}", u"αβΔΩ∂±∞abα"_qs}, // Symbol
    };
    // clang-format on
    QTextDocument doc;
    for (const auto& [rtf, text] : rows) EXPECT_EQ(load(doc, rtf), text) << rtf.constData();
    // Symbol-font letters (the last row) are shown in a font that has them.
    EXPECT_EQ(fragments(doc).front().second.fontFamilies().toStringList(), QStringList{"Liberation Serif"});
}

TEST(RtfReaderTest, NestedGroupsRestoreTheFormat) {
    QTextDocument doc;
    EXPECT_EQ(load(doc, kHead + "{\\b\\fs30 a{\\i b{\\plain c}d}e}f}"), "abcdef");
    QStringList got;
    for (const auto& [text, f] : fragments(doc))
        got << text + (f.fontWeight() == QFont::Bold ? "B" : "") + (f.fontItalic() ? "I" : "") +
                   QString::number(f.fontPointSize());
    EXPECT_EQ(got, QStringList({"aB15", "bBI15", "c12", "dBI15", "eB15", "f12"}));
}

TEST(RtfReaderTest, HangingIndentEndsAtATabStop) {
    QTextDocument doc;
    load(doc, kHead + "\\li1440\\fi-720 \\bullet\\tab item\\par}");
    const QTextBlockFormat b = doc.begin().blockFormat();
    ASSERT_FALSE(b.tabPositions().isEmpty());
    EXPECT_DOUBLE_EQ(b.tabPositions().first().position, b.leftMargin());
}

// A document as a common word processor saves it: style sheet, themes, revision ids,
// associated bidi properties, a formula object and a picture with a metafile fallback.
TEST(RtfReaderTest, ReadsAWordProcessorsDocument) {
    QTextDocument doc;
    const eh::RtfLoadResult r = eh::loadRtfFile(TARVELO_TEST_DATA_DIR "/word-sample.rtf", doc);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    const QChar obj = QChar::ObjectReplacementCharacter;
    EXPECT_EQ(doc.toPlainText(),
              u"Título del informe\nTexto normal, cursiva, negrita, ambas; el agua es H2O y el "
              u"área es x2; la resistividad es ρ = "_qs +
                  obj + ".\n" + obj + "\nFigura 1. Un paisaje.\n");
    QStringList got;
    for (const auto& [text, f] : fragments(doc))
        if (text == "cursiva" || text == "negrita" || text.startsWith("Figura") || text.startsWith("Texto"))
            got << text + (f.fontWeight() == QFont::Bold ? " B" : "") + (f.fontItalic() ? " I" : "") + " " +
                       f.fontFamilies().toStringList().value(0) + " " + QString::number(f.fontPointSize()) +
                       f.foreground().color().name();
    // \ai and \ab format right-to-left text only.
    EXPECT_EQ(got, QStringList({"Texto normal,  Liberation Sans 11#000000",
                                "cursiva I Liberation Sans 11#000000", "negrita B Liberation Sans 11#000000",
                                "Figura 1. Un paisaje. I Liberation Sans 9#000080"}));
    // The formula and the picture show; the picture's metafile fallback (magenta) does not.
    const QImage page = eh::test::render(doc, 600);
    EXPECT_EQ(eh::test::coverage(page, page.rect(), QColor(255, 0, 255), 30), 0.0);
    EXPECT_GT(eh::test::coverage(page, page.rect(), QColor(250, 210, 0), 30), 0.0005); // the sun
    const auto shown = eh::test::pictures(doc);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_FALSE(eh::test::inkBounds(shown[0].image).isEmpty());
    EXPECT_EQ(shown[1].image.size(), QSize(48, 32));
}

} // namespace
