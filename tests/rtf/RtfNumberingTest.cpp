// Numbered and bulleted paragraphs of the older kind (\pn): the numbers a reader sees,
// in their order, once each whether or not the writer also gave them as text.

#include "TestSupport.h"

#include "rtf/RtfNumbering.h"
#include "rtf/RtfReader.h"

#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextDocument>

namespace {

using eh::rtf::formatNumber;
using eh::rtf::NumberFormat;

QString read(QTextDocument& doc, const QByteArray& rtf) {
    const eh::RtfLoadResult r = eh::loadRtf(rtf, doc);
    EXPECT_TRUE(r.ok) << rtf.constData() << ": " << r.error.toStdString();
    return doc.toPlainText();
}

// The same two lists, one written with the numbers a word processor showed ({\pntext})
// and one with the numbering alone.
TEST(RtfNumberingTest, ListsReadTheSameWithAndWithoutTheWritersNumbers) {
    const QString expected = u"Pasos:\n1.\tAlpha\n2.\tBeta\n3.\tGamma\nMaterial:\n•\tMuestra\n•\tImán\n"_qs;
    for (const char* name : {"list-pn.rtf", "list-pntext.rtf"}) {
        QTextDocument doc;
        const eh::RtfLoadResult r = eh::loadRtfFile(QStringLiteral(TARVELO_TEST_DATA_DIR "/") + name, doc);
        ASSERT_TRUE(r.ok) << name;
        EXPECT_EQ(doc.toPlainText(), expected) << name;
    }
}

// One numbering per row over short paragraphs "a", "b", "c"...: `words` go into the
// first paragraph's {\*\pn} group; later paragraphs keep it unless they say \pard.
TEST(RtfNumberingTest, NumbersFollowTheFormatAndTheCount) {
    // clang-format off
    const std::pair<QByteArray, QString> rows[] = {
        {"{\\*\\pn\\pnlvlbody\\pndec{\\pntxta .}}a\\par b\\par c\\par}", "1.\ta\n2.\tb\n3.\tc\n"},
        {"{\\*\\pn\\pnlvlbody\\pnucltr\\pnstart25{\\pntxta )}}a\\par b\\par c\\par}", "Y)\ta\nZ)\tb\nAA)\tc\n"},
        {"{\\*\\pn\\pnlvlbody\\pnlcltr{\\pntxtb (}{\\pntxta )}}a\\par b\\par}", "(a)\ta\n(b)\tb\n"},
        {"{\\*\\pn\\pnlvlbody\\pnucrm\\pnstart3{\\pntxta .}}a\\par b\\par c\\par}", "III.\ta\nIV.\tb\nV.\tc\n"},
        {"{\\*\\pn\\pnlvlbody\\pnlcrm\\pnstart8}a\\par b\\par c\\par}", "viii\ta\nix\tb\nx\tc\n"},
        {"{\\*\\pn\\pnlvlbody\\pnstart0}a\\par b\\par}", "0\ta\n1\tb\n"},
        // A bullet written in Symbol, one in the text's font, one not given.
        {"{\\*\\pn\\pnlvlblt\\pnf1{\\pntxtb \\'b7}}a\\par b\\par}", u"•\ta\n•\tb\n"_qs},
        {"{\\*\\pn\\pnlvlblt{\\pntxtb \\'96}}a\\par}", u"–\ta\n"_qs},
        {"{\\*\\pn\\pnlvlblt}a\\par}", u"•\ta\n"_qs},
        // A paragraph inside the list without a number, then one that counts on.
        {"{\\*\\pn\\pnlvlbody\\pndec}a\\par{\\*\\pn\\pnlvlcont}b\\par{\\*\\pn\\pnlvlbody\\pndec}c\\par}", "1\ta\nb\n2\tc\n"},
        // A plain paragraph ends the list; the next list starts again.
        {"{\\*\\pn\\pnlvlbody\\pndec}a\\par b\\par\\pard c\\par{\\*\\pn\\pnlvlbody\\pndec}d\\par}", "1\ta\n2\tb\nc\n1\td\n"},
        // Empty paragraphs show no number and take none; the document's last one neither.
        {"{\\*\\pn\\pnlvlbody\\pndec}a\\par\\par b\\par}", "1\ta\n\n2\tb\n"},
        // The writer's own numbers win, also when the numbering is given first.
        {"{\\*\\pn\\pnlvlbody\\pndec{\\pntxta .}}{\\pntext 7.\\tab}a\\par{\\pntext 8.\\tab}b\\par}", "7.\ta\n8.\tb\n"},
        {"{\\*\\pn\\pnlvlbody\\pndec}{\\listtext 1)\\tab}a\\par}", "1)\ta\n"},
        // Text before and after the number: 32 characters each at most.
        {"{\\*\\pn\\pnlvlbody{\\pntxtb " + QByteArray(32, 'x') + "}{\\pntxta " + QByteArray(33, 'y') + "}}a\\par}",
         QString(32, 'x') + "1" + QString(32, 'y') + "\ta\n"},
        // A text box in the middle of the list: the list goes on around it, the box's
        // text is not numbered.
        {"{\\*\\pn\\pnlvlbody\\pndec}a\\par b{\\shp{\\*\\shpinst{\\shptxt x\\par y}}} c\\par{\\shp{\\*\\shpinst{\\shptxt z}}}d\\par e\\par}",
         "1\ta\n2\tb\nx\ny\n c\nz\n3\td\n4\te\n"},
        // No level: a numbering group that numbers nothing.
        {"{\\*\\pn\\pndec{\\pntxta .}}a\\par}", "a\n"},
    };
    // clang-format on
    const QByteArray head = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}}\\pard ";
    QTextDocument doc;
    for (const auto& [body, text] : rows) EXPECT_EQ(read(doc, head + body), text) << body.constData();
}

// The number leads the paragraph in the paragraph's first format, also before a picture.
TEST(RtfNumberingTest, NumberLeadsTheParagraphInItsFirstFormat) {
    QTextDocument doc;
    read(doc, "{\\rtf1{\\*\\pn\\pnlvlbody\\pndec{\\pntxta .}}{\\b a}b\\par}");
    const QTextBlock first = doc.begin();
    ASSERT_TRUE(first.isValid());
    const auto run = first.begin().fragment();
    EXPECT_EQ(run.text(), "1.\ta");
    EXPECT_EQ(run.charFormat().fontWeight(), QFont::Bold);

    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    const QByteArray picture = eh::test::pict("\\pngblip", eh::test::encoded(red));
    EXPECT_EQ(read(doc, "{\\rtf1{\\*\\pn\\pnlvlbody\\pndec{\\pntxta .}}" + picture + "a\\par " + picture +
                            "\\par}"),
              QStringLiteral("1.\t") + QChar::ObjectReplacementCharacter + "a\n2.\t" +
                  QChar::ObjectReplacementCharacter + "\n");
}

TEST(RtfNumberingTest, FormatsOfNumbers) {
    // clang-format off
    const struct { int value; NumberFormat format; const char* text; } rows[] = {
        {1, NumberFormat::Decimal, "1"},          {105, NumberFormat::Decimal, "105"},
        {1, NumberFormat::UpperLetter, "A"},      {26, NumberFormat::UpperLetter, "Z"},
        {27, NumberFormat::UpperLetter, "AA"},    {52, NumberFormat::UpperLetter, "ZZ"},
        {53, NumberFormat::UpperLetter, "AAA"},   {28, NumberFormat::LowerLetter, "bb"},
        {4, NumberFormat::UpperRoman, "IV"},      {9, NumberFormat::UpperRoman, "IX"},
        {14, NumberFormat::UpperRoman, "XIV"},    {40, NumberFormat::UpperRoman, "XL"},
        {90, NumberFormat::UpperRoman, "XC"},     {400, NumberFormat::UpperRoman, "CD"},
        {1994, NumberFormat::UpperRoman, "MCMXCIV"}, {3999, NumberFormat::UpperRoman, "MMMCMXCIX"},
        {4000, NumberFormat::UpperRoman, "4000"}, {49, NumberFormat::LowerRoman, "xlix"},
        {0, NumberFormat::UpperRoman, "0"},       {0, NumberFormat::UpperLetter, "0"},
    };
    // clang-format on
    for (const auto& row : rows)
        EXPECT_EQ(formatNumber(row.value, row.format), row.text) << row.value << " " << int(row.format);
}

} // namespace
