// The RTF reader on damaged and hostile input: a clear failure or a partial document,
// never a crash, a hang or unbounded memory.

#include "TestSupport.h"

#include "rtf/RtfReader.h"
#include "rtf/WmfPlayer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>

namespace {

using eh::loadRtf;
using eh::test::toRtfHex;
using eh::test::WmfWriter;

class RtfMalformedTest : public ::testing::Test {
protected:
    void SetUp() override { eh::test::ensureApp(); }
    QTextDocument doc;
};

// A document with a bit of everything the reader handles.
QByteArray fullDocument() {
    WmfWriter w;
    w.windowOrg(0, 0).windowExt(100, 50).font(-30, "Symbol", 2).select(0).textOut(5, 5, "ab");
    QImage img(4, 4, QImage::Format_RGB32);
    img.fill(Qt::blue);
    return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}}"
           "{\\colortbl;\\red1\\green2\\blue3;}{\\*\\generator x;}\\pard\\qc {\\b\\i T\\'e9st}\\par "
           "{\\f1 a}\\u945?{\\object{\\*\\objclass Equation.3}{\\result{\\pict\\wmetafile8"
           "\\picwgoal600\\pichgoal300 " +
           toRtfHex(w.bytes()) +
           "}}}"
           "{\\pict\\pngblip " +
           toRtfHex(eh::test::pngBytes(img)) + "}\\par}";
}

TEST_F(RtfMalformedTest, EmptyOrForeignInputIsRefused) {
    for (const QByteArray& data : {QByteArray(), QByteArray("   \r\n"), QByteArray("hello"),
                                   QByteArray("{\\rt"), QByteArray("\x89PNG\r\n\x1a\n")}) {
        doc.setPlainText("old");
        const eh::RtfLoadResult r = loadRtf(data, doc);
        EXPECT_FALSE(r.ok);
        EXPECT_FALSE(r.error.isEmpty());
        EXPECT_TRUE(doc.isEmpty());
    }
}

TEST_F(RtfMalformedTest, CutShortDocumentsKeepWhatWasRead) {
    const eh::RtfLoadResult r = loadRtf("{\\rtf1 Hello {\\b world", doc);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "se corta antes de su final");
    EXPECT_EQ(doc.toPlainText(), "Hello world");

    // Every prefix of a full document loads without harm; only the whole one is complete.
    const QByteArray data = fullDocument();
    for (qsizetype n = 0; n < data.size(); ++n) EXPECT_FALSE(loadRtf(data.left(n), doc).ok) << n;
    EXPECT_TRUE(loadRtf(data, doc).ok);
}

TEST_F(RtfMalformedTest, UnbalancedBraces) {
    EXPECT_TRUE(loadRtf("{\\rtf1 a}}}}b{", doc).ok); // nothing after the document counts
    EXPECT_EQ(doc.toPlainText(), "a");
    EXPECT_FALSE(loadRtf("{\\rtf1 {{{ a {\\b b", doc).ok);
    EXPECT_EQ(doc.toPlainText(), " a b");
}

TEST_F(RtfMalformedTest, BadEscapesAreDropped) {
    EXPECT_TRUE(loadRtf("{\\rtf1 x\\'zzy\\'4}", doc).ok);
    EXPECT_EQ(doc.toPlainText(), "xzzy4");
    EXPECT_FALSE(loadRtf("{\\rtf1 x\\'", doc).ok);
    EXPECT_EQ(doc.toPlainText(), "x");
    EXPECT_FALSE(loadRtf("{\\rtf1 x\\", doc).ok);
}

TEST_F(RtfMalformedTest, AbsurdNumbersAreClamped) {
    const QByteArray data = "{\\rtf1{\\fonttbl{\\f-5 Neg;}{\\f99999999999 Big;}}\\fs2147483647 a\\fs-40 b"
                            "\\li-99999999999999999999\\sl-2147483647\\up99999 c\\u2147483647\\u-2147483647"
                            "{\\uc999999\\u65 dddd}\\par\\cf-1\\cb99999 e\\tx-5\\tx99999999 f}";
    EXPECT_TRUE(loadRtf(data, doc).ok);
    EXPECT_TRUE(doc.toPlainText().startsWith("abc"));
    EXPECT_TRUE(doc.toPlainText().endsWith("ef"));
}

TEST_F(RtfMalformedTest, HugeBinCountsStopAtTheEndOfInput) {
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(loadRtf("{\\rtf1 a{\\pict\\pngblip\\bin999999999999999 xyz}}", doc).ok);
    EXPECT_EQ(doc.toPlainText(), "a");
    EXPECT_TRUE(loadRtf("{\\rtf1 a{\\pict\\pngblip\\bin-5 }b}", doc).ok);
    EXPECT_EQ(doc.toPlainText(), "ab");
    EXPECT_TRUE(loadRtf("{\\rtf1 a\\bin3 {}}b}", doc).ok); // \bin in text: raw bytes skipped
    EXPECT_EQ(doc.toPlainText(), "ab");
    EXPECT_LT(timer.elapsed(), 2000);
}

// Each of the reader's limits, tried one under, at and one over its value: the first two
// are accepted whole, the third is not (and what came before it stays).
struct LimitRow {
    const char* limit;
    qint64 value;
    QByteArray (*make)(qint64 n);
    bool (*whole)(const QTextDocument& doc, const eh::RtfLoadResult& r, qint64 n);
};

QByteArray nested(qint64 depth) { // the document's own group counts as one
    return "{\\rtf1 a" + QByteArray(depth - 1, '{') + "b" + QByteArray(depth, '}');
}
QByteArray ofSize(qint64 size) { // filler in a skipped group costs no layout
    const QByteArray head = "{\\rtf1 a{\\*\\x \\bin";
    qint64 filler = 0;
    for (int digits = 1; digits < 12; ++digits) {
        filler = size - head.size() - 1 - 3 - digits;
        if (QByteArray::number(filler).size() == digits) break;
    }
    return head + QByteArray::number(filler) + " " + QByteArray(filler, 'z') + "}b}";
}
QByteArray pictureData(qint64 size) { // a PNG followed by bytes its reader ignores
    const QByteArray png = eh::test::pngBytes(QImage(4, 4, QImage::Format_RGB32)) + QByteArray(size, '\0');
    return "{\\rtf1 a{\\pict\\pngblip\\bin" + QByteArray::number(size) + " " + png.left(size) + "}b}";
}
QByteArray pictures(qint64 count) {
    const QByteArray png = toRtfHex(eh::test::pngBytes(QImage(1, 1, QImage::Format_RGB32)));
    QByteArray out = "{\\rtf1 ";
    for (qint64 i = 0; i < count; ++i) out += "{\\pict\\pngblip " + png + "}";
    return out + "}";
}
QByteArray picturePixels(qint64 height) { // one picture of 4096 x height pixels
    QImage img(4096, int(height), QImage::Format_Indexed8);
    img.setColorTable({qRgb(0, 0, 255)});
    img.fill(0);
    return "{\\rtf1 a{\\pict\\pngblip\\picwgoal15\\pichgoal15 " + toRtfHex(eh::test::pngBytes(img)) + "}b}";
}
QByteArray paragraphs(qint64 count) {
    QByteArray out = "{\\rtf1 ";
    for (qint64 i = 0; i < count; ++i) out += "\\par ";
    return out + "}";
}
QByteArray characters(qint64 count) {
    return "{\\rtf1 " + QByteArray(count, 'c') + "}";
}
QByteArray runs(qint64 count) { // alternate bold and plain runs of one letter
    QByteArray out = "{\\rtf1 ";
    for (qint64 i = 0; i < count; ++i) out += i % 2 ? "\\b0 r" : "\\b r";
    return out + "}";
}
int images(const QTextDocument& doc) {
    int n = 0;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) n += it.fragment().charFormat().isImageFormat();
    return n;
}

TEST_F(RtfMalformedTest, EveryLimitHoldsExactlyAtItsValue) {
    using R = eh::RtfLoadResult;
    using D = QTextDocument;
    constexpr qint64 MiB = 1024 * 1024;
    // clang-format off
    const LimitRow rows[] = {
        {"nesting depth", 256, nested, [](const D& d, const R& r, qint64) { return r.ok && d.toPlainText() == "ab"; }},
        {"file size", 8 * MiB, ofSize, [](const D& d, const R& r, qint64) { return r.ok && d.toPlainText() == "ab"; }},
        {"picture data", 4 * MiB, pictureData, [](const D& d, const R&, qint64) { return images(d) == 1; }},
        {"pictures", 1000, pictures, [](const D& d, const R&, qint64 n) { return images(d) == n; }},
        {"picture pixels", 4096, picturePixels, [](const D& d, const R&, qint64) { return images(d) == 1; }},
        {"pieces", 100'000, paragraphs, [](const D& d, const R& r, qint64 n) { return r.ok && d.blockCount() == n + 1; }},
        {"characters", 4 * MiB, characters, [](const D& d, const R& r, qint64 n) { return r.ok && d.characterCount() == n + 1; }},
        {"runs in a paragraph", 1000, runs, [](const D& d, const R&, qint64) { return d.blockCount() == 1; }},
    };
    // clang-format on
    for (const LimitRow& row : rows) {
        for (const qint64 n : {row.value - 1, row.value, row.value + 1}) {
            const eh::RtfLoadResult r = loadRtf(row.make(n), doc);
            EXPECT_EQ(row.whole(doc, r, n), n <= row.value) << row.limit << " " << n;
            EXPECT_EQ(r.error.isEmpty(), r.ok) << row.limit << " " << n;
        }
    }
}

TEST_F(RtfMalformedTest, TheErrorNamesTheDamage) {
    // clang-format off
    const std::pair<QByteArray, QString> rows[] = {
        {"{\\rtf1 a{\\b b", "se corta antes de su final"},
        {nested(257), "tiene grupos anidados a más de 256 niveles"},
        {paragraphs(100'001), "es demasiado largo y se ha omitido el resto"},
        {ofSize(8 * 1024 * 1024 + 1), "ocupa más de 8 MB, demasiado para un documento"},
        {"hola", "no es un documento RTF"},
    };
    // clang-format on
    for (const auto& [data, error] : rows) EXPECT_EQ(loadRtf(data, doc).error, error);
}

TEST_F(RtfMalformedTest, AFileOverTheLimitIsRefusedWithoutBeingRead) {
    QTemporaryDir dir;
    QFile big(dir.filePath("EH.rtf"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(4LL * 1024 * 1024 * 1024)); // sparse: reading it would take gigabytes
    big.close();
    doc.setPlainText("old");
    const eh::RtfLoadResult r = eh::loadRtfFile(big.fileName(), doc);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "ocupa más de 8 MB, demasiado para un documento");
    EXPECT_TRUE(doc.isEmpty());
    const eh::RtfLoadResult missing = eh::loadRtfFile(dir.filePath("nada.rtf"), doc);
    EXPECT_FALSE(missing.ok);
    EXPECT_TRUE(missing.error.startsWith("no se puede abrir")) << missing.error.toStdString();
}

// Inputs that once crashed the program, kept in the fuzz corpus too.
TEST_F(RtfMalformedTest, FormulaTextWithAnAbsurdFontShowsItsPicture) {
    const eh::RtfLoadResult r = eh::loadRtfFile(TARVELO_FUZZ_CORPUS_DIR "/rtf/metafile-text-crash.rtf", doc);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(doc.toPlainText(), QString::fromUtf8("Capítulo con una fórmula: ") +
                                     QChar::ObjectReplacementCharacter + " fin.\n");
    doc.setTextWidth(585);
    QImage screen(601, 100, QImage::Format_ARGB32_Premultiplied);
    screen.fill(Qt::white);
    QPainter painter(&screen);
    doc.drawContents(&painter);
}

} // namespace
