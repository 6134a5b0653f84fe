// The RTF reader on small documents written here: formatting, escapes, groups and
// destinations.

#include "TestSupport.h"

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

TEST_F(RtfReaderTest, FormattingRunsBoldItalicUnderlineFontSizeColour) {
    EXPECT_EQ(load(kHead + "\\f0\\fs20 Plain {\\b bold} {\\i italic} {\\ul under}\\ulnone  "
                           "{\\strike gone}\\par\\f2\\fs32\\cf1 Red big\\par}"),
              "Plain bold italic under gone\nRed big\n");
    const QTextCharFormat plain = formatOf("Plain");
    EXPECT_EQ(plain.fontFamilies().toStringList(), QStringList{"Liberation Sans"});
    EXPECT_DOUBLE_EQ(plain.fontPointSize(), 10.0);
    EXPECT_EQ(plain.fontWeight(), QFont::Normal);
    EXPECT_FALSE(plain.fontItalic());
    EXPECT_EQ(formatOf("bold").fontWeight(), QFont::Bold);
    EXPECT_TRUE(formatOf("italic").fontItalic());
    EXPECT_TRUE(formatOf("under").fontUnderline());
    EXPECT_TRUE(formatOf("gone").fontStrikeOut());
    const QTextCharFormat red = formatOf("Red");
    EXPECT_EQ(red.fontFamilies().toStringList(), QStringList{"Liberation Serif"});
    EXPECT_DOUBLE_EQ(red.fontPointSize(), 16.0);
    EXPECT_EQ(red.foreground().color(), QColor(255, 0, 0));
    // Faces the substitution table does not know are passed on unchanged.
    load(kHead + "\\f4 x}");
    EXPECT_EQ(formatOf("x").fontFamilies().toStringList(), QStringList{"Unlisted Face"});
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

TEST_F(RtfReaderTest, SubscriptsSuperscriptsAndLoweredText) {
    EXPECT_EQ(load(kHead + "H{\\sub 2}O x{\\super 2}{\\nosupersub n} R{\\dn6\\fs16 L}\\up4 u}"),
              "H2O x2n RLu");
    const auto runs = fragments();
    ASSERT_EQ(runs.size(), 7u);
    const QStringList texts = {"H", "2", "O x", "2", "n R", "L", "u"};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(runs[size_t(i)].first, texts[i]);
    EXPECT_EQ(runs[1].second.verticalAlignment(), QTextCharFormat::AlignSubScript);
    EXPECT_EQ(runs[2].second.verticalAlignment(), QTextCharFormat::AlignNormal);
    EXPECT_EQ(runs[3].second.verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(runs[4].second.verticalAlignment(), QTextCharFormat::AlignNormal);
    // \dn6 (3 pt) in 8 pt text lowers it by 3/8 of its size; \up4 in 12 pt raises by 1/6.
    EXPECT_NEAR(runs[5].second.baselineOffset(), -37.5, 0.01);
    EXPECT_NEAR(runs[6].second.baselineOffset(), 100.0 / 6, 0.01);
    EXPECT_DOUBLE_EQ(runs[6].second.fontPointSize(), 12.0);
}

TEST_F(RtfReaderTest, ParagraphAlignmentAndIndents) {
    load(kHead + "\\qc centred\\par\\pard\\qr right\\par\\pard\\qj\\li1440\\fi-720\\sb240 "
                 "justified\\par\\pard left}");
    QTextBlock b = doc.begin();
    EXPECT_EQ(b.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    b = b.next();
    EXPECT_EQ(b.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    b = b.next();
    EXPECT_EQ(b.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
    EXPECT_GT(b.blockFormat().leftMargin(), 0.0);
    EXPECT_DOUBLE_EQ(b.blockFormat().textIndent(), -b.blockFormat().leftMargin() / 2);
    EXPECT_GT(b.blockFormat().topMargin(), 0.0);
    // The hanging indent's end is where a tab after a bullet goes.
    ASSERT_FALSE(b.blockFormat().tabPositions().isEmpty());
    EXPECT_DOUBLE_EQ(b.blockFormat().tabPositions().first().position, b.blockFormat().leftMargin());
    b = b.next();
    EXPECT_EQ(b.text(), "left");
    EXPECT_EQ(b.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
}

TEST_F(RtfReaderTest, CodePageAndUnicodeEscapes) {
    EXPECT_EQ(load(kHead + "caf\\'e9 \\'80 \\'93q\\'94}"), QString::fromUtf8("café € “q”"));
    // \u with its stand-in characters skipped, per \uc; negative numbers wrap around.
    EXPECT_EQ(load(kHead + "\\u945?\\uc2\\u946xy\\uc0\\u947 \\u-10179\\u-8704 }"), QString::fromUtf8("αβγ😀"));
    EXPECT_EQ(load(kHead + "\\u945\\'3f!}"), QString::fromUtf8("α!"));
    // The document's code page decides what \'hh means.
    EXPECT_EQ(load("{\\rtf1\\ansi\\ansicpg1251 \\'c4\\'e0}"), QString::fromUtf8("Да"));
    EXPECT_EQ(load("{\\rtf1\\ansi\\ansicpg1253 \\'e1}"), QString::fromUtf8("α"));
    EXPECT_EQ(load("{\\rtf1\\ansi \\'e1}"), QString::fromUtf8("á"));
    // ...and so does the character set of the current font.
    EXPECT_EQ(load(kHead + "{\\f3 \\'e1\\'e2}}"), QString::fromUtf8("αβ"));
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

TEST_F(RtfReaderTest, LoadRtfFileReportsUnreadableFiles) {
    const eh::RtfLoadResult r = eh::loadRtfFile("/nonexistent/Intro.rtf", doc);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains("/nonexistent/Intro.rtf"));
    EXPECT_TRUE(doc.isEmpty());
}

} // namespace
