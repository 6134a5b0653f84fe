// The RTF reader on small documents written here: formatting, escapes, groups and
// destinations.

#include "TestSupport.h"

#include "rtf/RtfFormats.h"
#include "rtf/RtfReader.h"

#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

namespace {

using eh::loadRtf;

class RtfReaderTest : public ::testing::Test {
protected:
    void SetUp() override { eh::test::ensureApp(); }

    QString loadRaw(const QByteArray& rtf) {
        load(rtf);
        return doc.toRawText();
    }
    QString load(const QByteArray& rtf) {
        const eh::RtfLoadResult r = loadRtf(rtf, doc);
        EXPECT_TRUE(r.ok) << r.error.toStdString();
        return doc.toPlainText();
    }
    // The format of the fragment whose text starts with `text`.
    QTextCharFormat formatOf(const QString& text) const {
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                if (it.fragment().text().startsWith(text)) return it.fragment().charFormat();
        ADD_FAILURE() << "no fragment starting with " << text.toStdString();
        return {};
    }
    std::vector<std::pair<QString, QTextCharFormat>> fragments() const {
        std::vector<std::pair<QString, QTextCharFormat>> out;
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                out.emplace_back(it.fragment().text(), it.fragment().charFormat());
        return out;
    }

    QTextDocument doc;
};

const QByteArray kHead = "{\\rtf1\\ansi\\ansicpg1252\\deff0"
                         "{\\fonttbl{\\f0\\fswiss\\fcharset0 MS Sans Serif;}"
                         "{\\f1\\froman\\fcharset2 Symbol;}{\\f2\\froman Times New Roman;}"
                         "{\\f3\\fnil\\fcharset161 WP Greek Century;}{\\f4 Unlisted Face;}}"
                         "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue0;}";

// What one control word sets, read back from the fragment "x" (or the first paragraph).
enum class Prop {
    Family,
    Points,
    Bold,
    Italic,
    Underline,
    Strike,
    Colour,
    Back,
    Script,
    Offset,
    Align,
    Margin
};

struct WordRow {
    const char* rtf;
    Prop prop;
    QVariant expected;
};

QVariant property(const QTextDocument& doc, Prop prop, double dpi) {
    const QTextBlock block = doc.begin();
    QTextCharFormat f;
    for (QTextBlock b = block; b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().text() == "x") f = it.fragment().charFormat();
    const QTextBlockFormat bf = block.blockFormat();
    switch (prop) {
    case Prop::Family:
        return f.fontFamilies().toStringList().value(0);
    case Prop::Points:
        return f.fontPointSize();
    case Prop::Bold:
        return f.fontWeight() == QFont::Bold;
    case Prop::Italic:
        return f.fontItalic();
    case Prop::Underline:
        return f.fontUnderline();
    case Prop::Strike:
        return f.fontStrikeOut();
    case Prop::Colour:
        return f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color() : QVariant();
    case Prop::Back:
        return f.hasProperty(QTextFormat::BackgroundBrush) ? f.background().color() : QVariant();
    case Prop::Script:
        return int(f.verticalAlignment());
    case Prop::Offset:
        return f.baselineOffset();
    case Prop::Align:
        return int(bf.alignment() & Qt::AlignHorizontal_Mask);
    case Prop::Margin:
        return QList<QVariant>{bf.leftMargin() * 1440 / dpi, bf.textIndent() * 1440 / dpi,
                               bf.topMargin() * 1440 / dpi, bf.bottomMargin() * 1440 / dpi};
    }
    return {};
}

TEST_F(RtfReaderTest, ControlWordsSetTheirProperty) {
    const double dpi = eh::rtf::documentDpi();
    const QColor green(10, 200, 30);
    using L = QList<QVariant>;
    // The document's colour table: 1 red, 2 black, 3 a colour with all three components.
    const QByteArray head = kHead.chopped(1) + "\\red10\\green200\\blue30;}";
    // clang-format off
    const WordRow rows[] = {
        {"\\f0 x", Prop::Family, "Liberation Sans"},    {"\\f2 x", Prop::Family, "Liberation Serif"},
        {"\\f4 x", Prop::Family, "Unlisted Face"},      {"x", Prop::Points, 12.0},
        {"\\fs20 x", Prop::Points, 10.0},               {"\\fs21 x", Prop::Points, 10.5},
        {"\\fs17 x", Prop::Points, 8.5},                {"\\b x", Prop::Bold, true},
        {"\\b\\b0 x", Prop::Bold, false},               {"\\i x", Prop::Italic, true},
        {"\\i\\i0 x", Prop::Italic, false},             {"\\ul x", Prop::Underline, true},
        {"\\uldb x", Prop::Underline, true},            {"\\ul\\ulnone x", Prop::Underline, false},
        {"\\ulc1 x", Prop::Underline, false},           {"\\ul\\ulc1 x", Prop::Underline, true},
        {"\\strike x", Prop::Strike, true},             {"\\cf1 x", Prop::Colour, QColor(255, 0, 0)},
        {"\\cf3 x", Prop::Colour, green},               {"\\cf0 x", Prop::Colour, QVariant()},
        {"\\cf9 x", Prop::Colour, QVariant()},          {"\\cb3 x", Prop::Back, green},
        {"\\highlight1 x", Prop::Back, QColor(255, 0, 0)},
        {"\\super x", Prop::Script, int(QTextCharFormat::AlignSuperScript)},
        {"\\sub x", Prop::Script, int(QTextCharFormat::AlignSubScript)},
        {"\\sub\\nosupersub x", Prop::Script, int(QTextCharFormat::AlignNormal)},
        {"\\up4 x", Prop::Offset, 100.0 / 6},           {"\\dn6\\fs16 x", Prop::Offset, -37.5},
        {"\\up x", Prop::Offset, 25.0},                 {"\\dn x", Prop::Offset, -25.0},
        {"\\qc x", Prop::Align, int(Qt::AlignHCenter)}, {"\\qr x", Prop::Align, int(Qt::AlignRight)},
        {"\\qj x", Prop::Align, int(Qt::AlignJustify)}, {"\\qc\\pard x", Prop::Align, int(Qt::AlignLeft)},
        {"\\li1440\\fi-720\\sb240\\sa120 x", Prop::Margin, L{1440.0, -720.0, 240.0, 120.0}},
        {"\\li-99999999999 x", Prop::Margin, L{-31680.0, 0.0, 0.0, 0.0}},
    };
    // clang-format on
    for (const WordRow& row : rows) {
        load(head + row.rtf + "\\par}");
        const QVariant got = property(doc, row.prop, dpi);
        if (row.expected.typeId() == QMetaType::Double)
            EXPECT_NEAR(got.toDouble(), row.expected.toDouble(), 1e-6) << row.rtf;
        else if (row.expected.typeId() == QMetaType::QVariantList)
            for (int i = 0; i < 4; ++i)
                EXPECT_NEAR(got.toList().value(i).toDouble(), row.expected.toList()[i].toDouble(), 0.01)
                    << row.rtf << " " << i;
        else
            EXPECT_EQ(got, row.expected) << row.rtf;
    }
}

// What \'hh means: the document's code page, or the current font's character set.
TEST_F(RtfReaderTest, CodePagesAndUnicodeEscapes) {
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
    };
    // clang-format on
    for (const auto& [rtf, text] : rows) EXPECT_EQ(load(rtf), text) << rtf.constData();
}

TEST_F(RtfReaderTest, NestedGroupsRestoreTheFormat) {
    EXPECT_EQ(load(kHead + "{\\b a{\\i b{\\plain c}d}e}f}"), "abcdef");
    EXPECT_EQ(formatOf("a").fontWeight(), QFont::Bold);
    EXPECT_TRUE(formatOf("b").fontItalic());
    EXPECT_EQ(formatOf("b").fontWeight(), QFont::Bold);
    EXPECT_EQ(formatOf("c").fontWeight(), QFont::Normal);
    EXPECT_DOUBLE_EQ(formatOf("c").fontPointSize(), 12.0); // \plain: the default 12 pt
    EXPECT_TRUE(formatOf("d").fontItalic());
    EXPECT_FALSE(formatOf("e").fontItalic());
    EXPECT_EQ(formatOf("f").fontWeight(), QFont::Normal);
}

TEST_F(RtfReaderTest, HangingIndentEndsAtATabStop) {
    load(kHead + "\\li1440\\fi-720 \\bullet\\tab item\\par}");
    const QTextBlockFormat b = doc.begin().blockFormat();
    ASSERT_FALSE(b.tabPositions().isEmpty());
    EXPECT_DOUBLE_EQ(b.tabPositions().first().position, b.leftMargin());
}

TEST_F(RtfReaderTest, SymbolFontLettersBecomeGreek) {
    EXPECT_EQ(load(kHead + "{\\f1 abDW\\'b6\\'b1\\'a5}{\\f0 ab}{\\f1\\u61537\\'61}}"),
              QString::fromUtf8("αβΔΩ∂±∞abα"));
    EXPECT_EQ(formatOf(QString::fromUtf8("α")).fontFamilies().toStringList(),
              QStringList{"Liberation Serif"});
}

TEST_F(RtfReaderTest, SpecialCharactersAndControlSymbols) {
    EXPECT_EQ(loadRaw(kHead + "a\\tab b\\line c\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote"
                              "\\rdblquote \\{\\}\\\\\\~\\_}"),
              QString::fromUtf8("a\tb\u2028c—–•‘’“”{}\\\u00A0\u2011"));
}

TEST_F(RtfReaderTest, UnknownAndInvisibleDestinationsAreSkippedWhole) {
    EXPECT_EQ(load(kHead + "{\\info{\\title Secret}{\\author Someone}}"
                           "{\\stylesheet{\\s0\\f0 Normal;}{\\s1 heading 1;}}"
                           "{\\*\\unknowndest hidden {\\b deeper} text}"
                           "{\\*\\generator Writer 1.0;}{\\header head}"
                           "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}"
                           "\\lang1034\\langfe1033\\langnp1034\\noproof\\unknownword42 visible"
                           "{\\v hidden}}"),
              "linkvisible");
}

TEST_F(RtfReaderTest, AllBracesAndEscapesInsideSkippedGroupsAreHonoured) {
    // Escaped braces inside a skipped group must not end it early.
    EXPECT_EQ(load(kHead + "{\\*\\x a\\}b\\{c{d}}after}"), "after");
    // \bin inside a skipped group: its bytes are skipped even when they hold braces.
    EXPECT_EQ(load(kHead + "{\\*\\x \\bin4 }}}}}after}"), "after");
}

TEST_F(RtfReaderTest, ColourTableWithAutomaticEntryAndLoadingReplacesTheDocument) {
    load(kHead + "{\\cf0 auto}{\\cf2 black}{\\cf9 missing}}");
    EXPECT_FALSE(formatOf("auto").hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_EQ(formatOf("black").foreground().color(), QColor(0, 0, 0));
    EXPECT_FALSE(formatOf("missing").hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_EQ(load(kHead + "second}"), "second");
}

} // namespace
