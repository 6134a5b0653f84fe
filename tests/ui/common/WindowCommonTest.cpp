// What the windows share: lengths in twips turned into pixels, fonts named by their Windows
// families, and where a help window opens beside the bench window.
#include <QtTest>

#include "ui/common/Twips.h"
#include "ui/common/WindowFonts.h"
#include "ui/common/WindowPlacement.h"

using namespace eh;
Q_DECLARE_METATYPE(FontChoice)

class WindowCommonTest : public QObject {
    Q_OBJECT
private slots:
    void twips_data();
    void twips();
    void shapesFromTwips();
    void fonts_data();
    void fonts();
    void placement_data();
    void placement();
};

// 15 twips make a pixel; a length between two pixels goes to the nearer one, so the half pixel
// (7.5 twips past a whole one) is where the result steps up.
void WindowCommonTest::twips_data() {
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("pixels");
    QTest::newRow("nothing") << 0 << 0;
    QTest::newRow("just under half a pixel") << 7 << 0;
    QTest::newRow("just over half a pixel") << 8 << 1;
    QTest::newRow("one pixel") << 15 << 1;
    QTest::newRow("just under a pixel and a half") << 22 << 1;
    QTest::newRow("just over a pixel and a half") << 23 << 2;
    QTest::newRow("the narrowed sample bar, 4.33 pixels") << 65 << 4;
    QTest::newRow("the sample bar, 9 pixels") << 135 << 9;
    QTest::newRow("the bench's client width") << 11880 << 792;
}

void WindowCommonTest::twips() {
    QFETCH(int, twips);
    QFETCH(int, pixels);
    QCOMPARE(twipsToPixels(twips), pixels);
}

// Each coordinate goes where its name says: the theory window's text box, 240 by 120 twips from the
// corner, 9015 wide and 5535 high.
void WindowCommonTest::shapesFromTwips() {
    QCOMPARE(rectFromTwips(240, 120, 9015, 5535), QRect(16, 8, 601, 369));
    QCOMPARE(sizeFromTwips(9465, 6240), QSize(631, 416));
    QCOMPARE(pointFromTwips(2640, 23), QPoint(176, 2));
    QCOMPARE(lineFromTwips(2040, 3000, 2640, 8), QLine(136, 200, 176, 1));
}

void WindowCommonTest::fonts_data() {
    QTest::addColumn<FontChoice>("wanted");
    QTest::addColumn<QString>("family");
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    // clang-format off
    QTest::newRow("the default: captions and buttons") << FontChoice{} << "Liberation Sans" << 8.25 << false << false;
    QTest::newRow("a bold readout") << FontChoice{"Arial", 18, true, false} << "Liberation Sans" << 18.0 << true << false;
    QTest::newRow("the italic script") << FontChoice{"Comic Sans MS", 12, false, true} << "Comic Neue" << 12.0 << false << true;
    QTest::newRow("a serif family") << FontChoice{"Times New Roman", 9.75} << "Liberation Serif" << 9.75 << false << false;
    QTest::newRow("a family named in other letters") << FontChoice{"ms sans serif", 11.25} << "Liberation Sans" << 11.25 << false << false;
    QTest::newRow("a family without a stand-in") << FontChoice{"Wingdings", 10} << "Wingdings" << 10.0 << false << false;
    // clang-format on
}

// The family asked for, not the one a machine's fontconfig finds, so the verdict is the same everywhere.
void WindowCommonTest::fonts() {
    QFETCH(FontChoice, wanted);
    QFETCH(QString, family);
    QFETCH(qreal, points);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    const QFont font = windowFont(wanted);
    QCOMPARE(font.family(), family);
    QCOMPARE(font.pointSizeF(), points);
    QCOMPARE(font.bold(), bold);
    QCOMPARE(font.italic(), italic);
}

void WindowCommonTest::placement_data() {
    QTest::addColumn<QSize>("own");
    QTest::addColumn<QSize>("main");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QPoint>("expected");
    const QRect fullHd(0, 0, 1920, 1080);
    // clang-format off
    QTest::newRow("centred on the main window's size") << QSize(500, 400) << QSize(1000, 800) << fullHd << QPoint(250, 200);
    QTest::newRow("odd difference rounds towards the origin") << QSize(501, 401) << QSize(1000, 800) << fullHd << QPoint(249, 199);
    QTest::newRow("from the available area, not the screen") << QSize(500, 400) << QSize(1000, 800) << QRect(0, 40, 1920, 1040) << QPoint(250, 240);
    QTest::newRow("second screen to the right") << QSize(500, 400) << QSize(1000, 800) << QRect(1920, 0, 1280, 1024) << QPoint(2170, 200);
    QTest::newRow("larger than the main window stays on screen") << QSize(1200, 900) << QSize(1000, 800) << fullHd << QPoint(0, 0);
    QTest::newRow("only one side too large") << QSize(1200, 300) << QSize(1000, 800) << fullHd << QPoint(0, 250);
    QTest::newRow("pushed back from the right edge") << QSize(1000, 500) << QSize(3000, 1500) << fullHd << QPoint(920, 500);
    QTest::newRow("larger than the area keeps its top-left corner") << QSize(2000, 1200) << QSize(1000, 800) << QRect(100, 50, 1820, 1030) << QPoint(100, 50);
    QTest::newRow("main window larger than the area, own window fits") << QSize(600, 400) << QSize(4000, 3000) << fullHd << QPoint(1320, 680);
    // clang-format on
}

void WindowCommonTest::placement() {
    QFETCH(QSize, own);
    QFETCH(QSize, main);
    QFETCH(QRect, area);
    QFETCH(QPoint, expected);
    QCOMPARE(eh::helpWindowPosition(own, main, area), expected);
}

QTEST_MAIN(WindowCommonTest)
#include "WindowCommonTest.moc"
