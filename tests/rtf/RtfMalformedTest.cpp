// The RTF reader on damaged and hostile input: a clear failure or a partial document,
// never a crash, a hang or unbounded memory.

#include "TestSupport.h"

#include "rtf/RtfPicture.h"
#include "rtf/RtfReader.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>

#include <sys/resource.h>

namespace {

using eh::loadRtf;
using eh::test::encoded;
using eh::test::pict;
using eh::test::WmfWriter;

constexpr qint64 MiB = qint64{1024} * 1024;

QByteArray repeat(const QByteArray& unit, qint64 n) {
    return "{\\rtf1 " + unit.repeated(n) + "}";
}
QByteArray nested(qint64 depth) { // the document's own group counts as one
    return "{\\rtf1 a" + QByteArray(depth - 1, '{') + "b" + QByteArray(depth, '}');
}
QByteArray ofSize(qint64 size) { // "ab" around filler in a skipped group, which costs no layout
    const QByteArray head = "{\\rtf1 a{\\*\\x \\bin";
    const qint64 filler = size - head.size() - 16 - 1 - 3;
    return head + QByteArray::number(filler).rightJustified(16, '0') + " " + QByteArray(filler, 'z') + "}b}";
}

// One row per kind of damage: the reason given (none: the document is whole) and the
// text kept, which is what came before the damage.
TEST(RtfMalformedTest, DamageIsNamedAndWhatCameBeforeStays) {
    const char* notRtf = "no es un documento RTF";
    const char* cut = "se corta antes de su final";
    // clang-format off
    const struct { QByteArray data; const char* error; QString text; } rows[] = {
        {"", notRtf, ""}, {"   \r\n", notRtf, ""}, {"hello", notRtf, ""}, {"{\\rt", notRtf, ""},
        {"\x89PNG\r\n\x1a\n", notRtf, ""},
        {"{\\rtf1 Hello {\\b world", cut, "Hello world"},
        {"{\\rtf1 a}}}}b{", "", "a"}, // nothing after the document counts
        {"{\\rtf1 {{{ a {\\b b", cut, " a b"},
        {"{\\rtf1 x\\'zzy\\'4}", "", "xzzy4"}, // bad escapes stand for nothing
        {"{\\rtf1 x\\'", cut, "x"},
        {"{\\rtf1 x\\", cut, "x"},
        {"{\\rtf1 a{\\pict\\pngblip\\bin999999999999999 xyz}}", cut, "a"},
        {"{\\rtf1 a{\\pict\\pngblip\\bin-5 }b}", "", "ab"},
        {"{\\rtf1 a\\bin3 {}}b}", "", "ab"}, // \bin in text: raw bytes skipped
        {"{\\rtf1{\\fonttbl{\\f-5 Neg;}{\\f99999999999 Big;}}\\fs2147483647 a\\fs-40 b\\li-99999999999999999999"
         "\\sl-2147483647\\up99999 c\\u2147483647\\u-2147483647{\\uc999999\\u65 dddd}\\par\\cf-1\\cb99999 e"
         "\\tx-5\\tx99999999 f}", "", "abcA\nef"},
        {nested(257), "tiene grupos anidados a más de 256 niveles", "a"},
        {repeat("\\par ", 100'001), "es demasiado largo y se ha omitido el resto", QString(100'000, u'\n')},
        {ofSize(8 * MiB + 1), "ocupa más de 8 MB, demasiado para un documento", ""},
    };
    // clang-format on
    QTextDocument doc;
    for (const auto& row : rows) {
        doc.setPlainText("old");
        const eh::RtfLoadResult r = loadRtf(row.data, doc);
        EXPECT_EQ(r.error, QString::fromUtf8(row.error)) << row.data.left(60).constData();
        EXPECT_EQ(r.ok, r.error.isEmpty());
        EXPECT_EQ(doc.toPlainText(), row.text) << row.data.left(60).constData();
    }
}

// A document with a bit of everything the reader handles: every prefix of it loads
// without harm, and only the whole one is complete.
TEST(RtfMalformedTest, EveryPrefixOfADocumentLoads) {
    WmfWriter w;
    w.windowOrg(0, 0).windowExt(100, 50).font(-30, "Symbol", 2).select(0).textOut(5, 5, "ab");
    const QByteArray data =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}}"
        "{\\colortbl;\\red1\\green2\\blue3;}{\\*\\generator x;}\\pard\\qc {\\b\\i T\\'e9st}\\par "
        "{\\f1 a}\\u945?{\\object{\\*\\objclass Equation.3}{\\result" +
        pict("\\wmetafile8\\picwgoal600\\pichgoal300", w.bytes()) + "}}" +
        pict("\\pngblip", encoded(QImage(4, 4, QImage::Format_RGB32))) + "\\par}";
    QTextDocument doc;
    for (qsizetype n = 0; n < data.size(); ++n) EXPECT_FALSE(loadRtf(data.left(n), doc).ok) << n;
    EXPECT_TRUE(loadRtf(data, doc).ok);
}

// Each of the reader's limits, tried one under, at and one over its value: the first two
// are accepted whole, the third is not (and what came before it stays).
TEST(RtfMalformedTest, EveryLimitHoldsExactlyAtItsValue) {
    using D = QTextDocument;
    const QByteArray png = encoded(QImage(4, 4, QImage::Format_RGB32));
    // clang-format off
    const struct { const char* limit; qint64 value; QByteArray (*make)(qint64 n); bool (*whole)(const D&, bool ok, qint64 n); } rows[] = {
        {"nesting depth", 256, nested, [](const D& d, bool ok, qint64) { return ok && d.toPlainText() == "ab"; }},
        {"picture data", 4 * MiB, [](qint64 n) { // a PNG followed by bytes its reader ignores
            return "{\\rtf1 {\\pict\\pngblip\\bin" + QByteArray::number(n) + " " + (encoded(QImage(4, 4, QImage::Format_RGB32)) + QByteArray(n, '\0')).left(n) + "}}"; },
         [](const D& d, bool, qint64) { return eh::test::pictures(d).size() == 1; }},
        {"pictures", 1000, [](qint64 n) { return repeat(pict("\\pngblip", encoded(QImage(1, 1, QImage::Format_RGB32))), n); },
         [](const D& d, bool, qint64 n) { return qint64(eh::test::pictures(d).size()) == n; }},
        {"picture pixels", 4096, [](qint64 n) { // 4096 x n pixels
            QImage img(4096, int(n), QImage::Format_Indexed8);
            img.setColorTable({qRgb(0, 0, 255)});
            img.fill(0);
            return repeat(pict("\\pngblip\\picwgoal15\\pichgoal15", encoded(img)), 1); },
         [](const D& d, bool, qint64) { return eh::test::pictures(d).size() == 1; }},
        {"pieces", 100'000, [](qint64 n) { return repeat("\\par ", n); }, [](const D& d, bool ok, qint64 n) { return ok && d.blockCount() == n + 1; }},
        {"characters", 4 * MiB, [](qint64 n) { return repeat("c", n); }, [](const D& d, bool ok, qint64 n) { return ok && d.characterCount() == n + 1; }},
        {"runs in a paragraph", 1000, [](qint64 n) { return repeat("\\b r\\b0 r", n / 2).replace("}", n % 2 ? "\\b r}" : "}"); },
         [](const D& d, bool, qint64) { return d.blockCount() == 1; }},
    };
    // clang-format on
    QTextDocument doc;
    for (const auto& row : rows) {
        for (const qint64 n : {row.value - 1, row.value, row.value + 1}) {
            const eh::RtfLoadResult r = loadRtf(row.make(n), doc);
            EXPECT_EQ(row.whole(doc, r.ok, n), n <= row.value) << row.limit << " " << n;
            EXPECT_EQ(r.error.isEmpty(), r.ok) << row.limit << " " << n;
        }
    }
    // More picture data as hex digits than the limit allows cannot fit in a document: the
    // picture is filled directly.
    const qsizetype max = eh::rtf::RtfPicture::kMaxDataSize;
    eh::rtf::RtfPicture picture;
    for (const qsizetype size : {max - 1, max, max + 1}) {
        picture.appendHex(std::string(size == max - 1 ? 2 * size : 2, 'a'));
        EXPECT_EQ(picture.broken, size > max) << size;
        EXPECT_EQ(picture.data.size(), std::min(size, max));
    }
}

// The size limit holds for data and for files, which are measured before they are read.
TEST(RtfMalformedTest, FileSizeHoldsExactlyAtItsValue) {
    QTemporaryDir dir;
    QTextDocument doc;
    for (const qint64 n : {eh::kMaxRtfSize - 1, eh::kMaxRtfSize, eh::kMaxRtfSize + 1}) {
        const QByteArray data = ofSize(n);
        ASSERT_EQ(data.size(), n);
        QFile file(dir.filePath("EH.rtf"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(data);
        file.close();
        for (const bool fromFile : {false, true}) {
            doc.setPlainText("old");
            const eh::RtfLoadResult r = fromFile ? eh::loadRtfFile(file.fileName(), doc) : loadRtf(data, doc);
            EXPECT_EQ(r.ok, n <= eh::kMaxRtfSize) << n << " " << fromFile;
            EXPECT_EQ(doc.toPlainText(), r.ok ? "ab" : "") << n << " " << fromFile;
        }
    }
    const eh::RtfLoadResult missing = eh::loadRtfFile(dir.filePath("nada.rtf"), doc);
    EXPECT_TRUE(missing.error.startsWith("no se puede abrir")) << missing.error.toStdString();
}

// Found by fuzzing (and kept in the fuzz corpus): formula text in an absurd font.
TEST(RtfMalformedTest, FormulaTextWithAnAbsurdFontShowsItsPicture) {
    QTextDocument doc;
    const eh::RtfLoadResult r = eh::loadRtfFile(TARVELO_FUZZ_CORPUS_DIR "/rtf/metafile-text-crash.rtf", doc);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(doc.toPlainText(), u"Capítulo con una fórmula: \uFFFC fin.\n"_qs);
    eh::test::render(doc, 585, 100);
}

// Documents made to exhaust the reader, each at the largest size it accepts, loaded,
// laid out and their first screen painted as the theory window does, within the time
// and memory a desktop program can afford.
TEST(RtfMalformedTest, HostileDocumentsStayWithinTimeAndMemory) {
    WmfWriter bitmaps; // one bitmap record claiming 2000 x 2000 pixels in a few bytes, repeated
    bitmaps.windowOrg(0, 0).windowExt(100, 100);
    const QByteArray rle =
        eh::test::dibHeader(2000, 2000, 8, 1, 2) + QByteArray::fromHex("0000ff00ffffff000001");
    for (int i = 0; i < 2000; ++i)
        bitmaps.record(0x0F43,
                       QList<int>{0x20, 0xCC, 0, 2000, 2000, 0, 0, 100, 100, 0, 0} + WmfWriter::words(rle));
    WmfWriter ellipses;
    ellipses.windowOrg(0, 0).windowExt(100, 100).brush(0, 0xFF0000FF).select(0);
    for (int i = 0; i < 200; ++i) ellipses.ellipse(-10, -10, 110, 110);
    const auto filled = [](const QByteArray& unit) {
        return repeat(unit, (eh::kMaxRtfSize - 8) / unit.size());
    };
    QImage tall(4096, 4096, QImage::Format_RGB32);
    tall.fill(Qt::darkCyan);
    // clang-format off
    const std::pair<const char*, QByteArray> kinds[] = {
        {"tall picture raised", repeat("{\\up200 " + pict("\\pngblip\\picwgoal1440\\pichgoal15", encoded(tall)) + "}", 3)},
        {"tall pictures lowered", repeat("{\\dn200 " + pict("\\pngblip\\picwgoal15\\pichgoal15", encoded(tall.copy(0, 0, 64, 4096))) + "}", 200)},
        {"repeated bitmap record", repeat(pict("\\wmetafile8\\picwgoal1440\\pichgoal1440", bitmaps.bytes()), 1)},
        {"many drawn pictures", filled(pict("\\wmetafile8\\picwgoal4000\\pichgoal4000", ellipses.bytes()))},
        {"much text", filled("Texto de un cap\\'edtulo muy largo con {\\b negrita} y {\\i cursiva}. ")},
        {"many paragraphs", filled("\\par ")},
        {"numbered paragraphs", filled("{\\*\\pn\\pnlvlbody\\pnucrm\\pnstart3990{\\pntxtb " + QByteArray(40, 'x') +
                                       "}{\\pntxta " + QByteArray(40, 'y') + "}}a\\par ")},
        {"text boxes", filled("{\\shp{\\*\\shpinst{\\sp{\\sn a}{\\sv b}}{\\shptxt x}}"
                              "{\\shprslt{\\*\\do\\dptxbx{\\dptxbxtext x}}}}y")},
    };
    // clang-format on
#ifdef __SANITIZE_ADDRESS__
    const bool sanitized = true;
#else
    const bool sanitized = false;
#endif
    for (const auto& [name, data] : kinds) {
        ASSERT_LE(data.size(), eh::kMaxRtfSize) << name;
        QElapsedTimer timer;
        timer.start();
        QTextDocument doc;
        const eh::RtfLoadResult result = loadRtf(data, doc);
        EXPECT_EQ(result.ok, result.error.isEmpty()) << name;
        eh::test::render(doc, 585, 369);
        // Far above what any kind takes (under 2 s here, under 10 s with the sanitizers).
        EXPECT_LT(timer.elapsed(), sanitized ? 60000 : 15000) << name;
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        if (!sanitized) {
            EXPECT_LT(usage.ru_maxrss, 300 * 1024) << name; // kB
        }
    }
}

} // namespace
