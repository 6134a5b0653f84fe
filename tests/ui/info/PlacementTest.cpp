#include <QtTest>

#include "ui/info/Placement.h"

using eh::helpWindowPosition;

class PlacementTest : public QObject {
    Q_OBJECT
private slots:
    void position_data();
    void position();
};

void PlacementTest::position_data() {
    QTest::addColumn<QSize>("own");
    QTest::addColumn<QSize>("main");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QPoint>("expected");

    const QRect fullHd(0, 0, 1920, 1080);
    QTest::newRow("centred on the main window's size")
        << QSize(500, 400) << QSize(1000, 800) << fullHd << QPoint(250, 200);
    QTest::newRow("odd difference rounds towards the origin")
        << QSize(501, 401) << QSize(1000, 800) << fullHd << QPoint(249, 199);
    QTest::newRow("measured from the available area, not the screen")
        << QSize(500, 400) << QSize(1000, 800) << QRect(0, 40, 1920, 1040) << QPoint(250, 240);
    QTest::newRow("second screen to the right")
        << QSize(500, 400) << QSize(1000, 800) << QRect(1920, 0, 1280, 1024) << QPoint(2170, 200);
    QTest::newRow("larger than the main window stays on screen")
        << QSize(1200, 900) << QSize(1000, 800) << fullHd << QPoint(0, 0);
    QTest::newRow("only one side too large")
        << QSize(1200, 300) << QSize(1000, 800) << fullHd << QPoint(0, 250);
    QTest::newRow("pushed back from the right and bottom edges")
        << QSize(1000, 500) << QSize(3000, 1500) << fullHd << QPoint(920, 500);
    QTest::newRow("larger than the area keeps its top-left corner")
        << QSize(2000, 1200) << QSize(1000, 800) << QRect(100, 50, 1820, 1030) << QPoint(100, 50);
    QTest::newRow("main window larger than the area, own window fits")
        << QSize(600, 400) << QSize(4000, 3000) << fullHd << QPoint(1320, 680);
}

void PlacementTest::position() {
    QFETCH(QSize, own);
    QFETCH(QSize, main);
    QFETCH(QRect, area);
    QFETCH(QPoint, expected);
    const QPoint pos = helpWindowPosition(own, main, area);
    QCOMPARE(pos, expected);
    // Whatever the sizes, the title bar's corner is reachable.
    QVERIFY(area.contains(pos));
}

QTEST_APPLESS_MAIN(PlacementTest)
#include "PlacementTest.moc"
