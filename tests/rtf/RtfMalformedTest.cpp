// The RTF reader on damaged and hostile input: a clear failure or a partial document,
// never a crash, a hang or unbounded memory.

#include "TestSupport.h"

#include "rtf/RtfReader.h"
#include "rtf/WmfPlayer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
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
    EXPECT_TRUE(r.error.contains("cut short"));
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

TEST_F(RtfMalformedTest, DeepNestingFailsClearly) {
    const QByteArray data =
        "{\\rtf1 top" + QByteArray(1'000'000, '{') + "deep" + QByteArray(1'000'000, '}') + "}";
    QElapsedTimer timer;
    timer.start();
    const eh::RtfLoadResult r = loadRtf(data, doc);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains("nested"));
    EXPECT_EQ(doc.toPlainText(), "top");
    EXPECT_LT(timer.elapsed(), 2000);
    // Depths that real documents use are fine.
    EXPECT_TRUE(loadRtf("{\\rtf1 " + QByteArray(100, '{') + "ok" + QByteArray(101, '}'), doc).ok);
    EXPECT_EQ(doc.toPlainText(), "ok");
}

TEST_F(RtfMalformedTest, PictureDataOverTheLimitIsDropped) {
    // 40 MiB of hex digits: more than a picture may hold.
    QByteArray data = "{\\rtf1 a{\\pict\\pngblip ";
    data += QByteArray(40 * 1024 * 1024, 'a');
    data += "}b}";
    EXPECT_TRUE(loadRtf(data, doc).ok);
    EXPECT_EQ(doc.toPlainText(), "ab");
}

TEST_F(RtfMalformedTest, RandomTokenSoupNeverCrashes) {
    static const char* const pieces[] = {"{",
                                         "}",
                                         "\\par ",
                                         "\\b ",
                                         "\\u945?",
                                         "\\'e9",
                                         "\\'z",
                                         "\\*\\x ",
                                         "\\pict",
                                         "\\pngblip ",
                                         "\\wmetafile8 ",
                                         "\\bin3 ",
                                         "\\object",
                                         "\\result",
                                         "\\fonttbl",
                                         "\\f1 ",
                                         ";",
                                         "\\colortbl",
                                         "\\red9",
                                         "text ",
                                         "0123456789abcdef",
                                         "\\uc3",
                                         "\\picwgoal99999",
                                         "\\sub ",
                                         "\\dn9 ",
                                         "\\plain",
                                         "\\\\",
                                         "\\{",
                                         "\\fs0 ",
                                         "\\cf7 ",
                                         "\\tx100 ",
                                         "\\qc",
                                         "\\'",
                                         "\\",
                                         "\r\n",
                                         "\\shppict",
                                         "\\nonshppict",
                                         "\\fcharset2 Symbol"};
    QRandomGenerator rng(2024);
    for (int round = 0; round < 2000; ++round) {
        QByteArray data = "{\\rtf1 ";
        const int n = int(rng.bounded(60));
        for (int i = 0; i < n; ++i) data += pieces[rng.bounded(int(std::size(pieces)))];
        loadRtf(data, doc); // any outcome will do, as long as it returns
    }
    SUCCEED();
}

TEST_F(RtfMalformedTest, SeedCorpusFilesLoadAndPlay) {
    const QDir rtfDir(QStringLiteral(TARVELO_FUZZ_CORPUS_DIR "/rtf"));
    const QDir wmfDir(QStringLiteral(TARVELO_FUZZ_CORPUS_DIR "/wmf"));
    const QStringList rtfFiles = rtfDir.entryList(QDir::Files);
    const QStringList wmfFiles = wmfDir.entryList(QDir::Files);
    ASSERT_FALSE(rtfFiles.isEmpty());
    ASSERT_FALSE(wmfFiles.isEmpty());
    for (const QString& name : rtfFiles) {
        const eh::RtfLoadResult r = eh::loadRtfFile(rtfDir.filePath(name), doc);
        EXPECT_TRUE(r.ok || !r.error.isEmpty()) << name.toStdString();
    }
    for (const QString& name : wmfFiles) {
        QFile f(wmfDir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        eh::rtf::WmfPicture p;
        if (p.load(f.readAll())) eh::rtf::renderWmfToImage(p, QSize(64, 64));
    }
}

} // namespace
