// The bench window as a user sees it, compared with pictures that were checked by eye
// against the bench's layout: at start-up, and in the middle of a measurement.
#include <QLineEdit>
#include <QSlider>
#include <QTest>

#include "GoldenImage.h"
#include "UiTestSupport.h"
#include "ui/BenchSurface.h"
#include "ui/MainWindow.h"
#include "ui/widgets/Readout.h"

using namespace eh;
using eh::test::child;
using eh::test::click;
using eh::test::compareWithGolden;
using eh::test::rgb;

namespace {

// The window is laid out in twips; its far panels end at 11895 by 8655 twips.
const QSize kLayoutPixels(793, 577);

void checkGolden(const QImage& image, const char* name) {
    const auto result = compareWithGolden(image, QString::fromLatin1(name));
    QVERIFY2(result.ok, qPrintable(result.message));
}

// Columns of `image` inside `area` that hold ink of colour `ink`, as runs of
// neighbouring columns: one run per glyph when the glyphs do not touch.
QList<std::pair<int, int>> inkRuns(const QImage& image, const QRect& area, QRgb ink) {
    QList<std::pair<int, int>> runs;
    int start = -1;
    for (int x = area.left(); x <= area.right() + 1; ++x) {
        bool any = false;
        for (int y = area.top(); x <= area.right() && y <= area.bottom() && !any; ++y) {
            const QRgb c = image.pixel(x, y);
            any =
                qAbs(qRed(c) - qRed(ink)) + qAbs(qGreen(c) - qGreen(ink)) + qAbs(qBlue(c) - qBlue(ink)) < 200;
        }
        if (any && start < 0) start = x;
        if (!any && start >= 0) {
            runs.append({start, x - 1});
            start = -1;
        }
    }
    return runs;
}

} // namespace

class BenchPicturesTest : public QObject {
    Q_OBJECT
private slots:
    void startupWindow();
    void measuringWindow();
    void wideReadoutTextIsNarrowedNotCut_data();
    void wideReadoutTextIsNarrowedNotCut();
    void windowHoldsTheWholeLayout();
    void anIdleWindowDoesNotRepaint();
};

void BenchPicturesTest::startupWindow() {
    EH window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.size(), kLayoutPixels);
    checkGolden(window.grab().toImage(), "bench-startup");
}

// Interface on with two stored readings, voltmeter on, 1.1 mA through the sample with
// the switch box latched on the resistivity contacts, the magnet supply on with its
// limit at 5 A and no coil connected; no timer runs, so the picture is always the same.
void BenchPicturesTest::measuringWindow() {
    EH window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (const char* name : {"Bot_Inter", "Bot_Volt_On", "Bot_Fuente_On", "Sube4", "Sube3", "Conmuta_Ro",
                             "Acumular", "Acumular", "Bot_Iman_On"})
        click(window, name);
    child<QSlider>(window, "Control_I_Iman")->setValue(500);
    QCOMPARE(child<Readout>(window, "Medidas")->text(), QStringLiteral("002"));
    checkGolden(window.grab().toImage(), "bench-measuring");
}

void BenchPicturesTest::wideReadoutTextIsNarrowedNotCut_data() {
    QTest::addColumn<QString>("readout");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("glyphs");
    // The coil current near the end of a ramp to 10 A, and the widest voltmeter text.
    QTest::newRow("coil current") << "Mide_I_Iman"
                                  << "10.00" << 5;
    QTest::newRow("limit") << "Fija_I_Iman"
                           << "10.00" << 5;
    QTest::newRow("voltmeter") << "Display_Volt"
                               << "-10.00000" << 9;
    QTest::newRow("fits as it is") << "Mide_I_Iman"
                                   << "9.99" << 4;
}

// Every glyph shows, separately, inside the border: a cut leading "1" would make
// 10.00 read as 0.00.
void BenchPicturesTest::wideReadoutTextIsNarrowedNotCut() {
    QFETCH(QString, readout);
    QFETCH(QString, text);
    QFETCH(int, glyphs);
    EH window;
    auto* r = child<Readout>(window, qPrintable(readout));
    r->setText(text);
    r->setTextColor(Qt::red);
    const QImage image = r->grab().toImage();
    const QRect inside = r->rect().adjusted(1, 1, -1, -1);
    const auto runs = inkRuns(image, inside, qRgb(255, 0, 0));
    QCOMPARE(runs.size(), glyphs);
    QVERIFY2(runs.front().first > inside.left(), "text touches the left border");
    QVERIFY2(runs.back().second < inside.right() + 1, "text touches the right border");
    // Right-aligned: the last glyph ends at the right, as it would without narrowing.
    QVERIFY(runs.back().second >= inside.right() - 4);
}

void BenchPicturesTest::windowHoldsTheWholeLayout() {
    EH window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.minimumSize(), kLayoutPixels);
    // Every panel, frame and icon lies inside the client area.
    for (const QWidget* w : window.surface()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        QVERIFY2(window.rect().contains(w->geometry()), qPrintable(w->objectName()));
    // It cannot be made smaller; made larger, nothing moves and the new room is peach.
    window.resize(600, 400);
    QCOMPARE(window.size(), kLayoutPixels);
    const QPoint panel = child<QWidget>(window, "SSPanel4")->pos();
    window.resize(1000, 700);
    QTRY_COMPARE(window.size(), QSize(1000, 700));
    QCOMPARE(child<QWidget>(window, "SSPanel4")->pos(), panel);
    const QImage image = window.grab().toImage();
    QCOMPARE(image.pixelColor(990, 690), rgb(255, 224, 192));
    QCOMPARE(image.pixelColor(900, 100), rgb(255, 224, 192));
    // The bench's timers tick at their fixed periods once started.
    QCOMPARE(window.timer(WidgetId::Timer_Control).interval(), 120);
    QCOMPARE(window.timer(WidgetId::Timer_Iman1).interval(), 100);
    QCOMPARE(window.timer(WidgetId::Timer_Iman2).interval(), 100);
}

// Counts the paint events of every widget but a text field (whose cursor blinks).
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !qobject_cast<QLineEdit*>(watched) &&
            !qobject_cast<QLineEdit*>(watched->parent()))
            ++paints;
        return false;
    }
};

// With no timer running nothing changes, so nothing is painted again: a widget that
// schedules a new paint from its own paint event keeps a core busy for ever.
void BenchPicturesTest::anIdleWindowDoesNotRepaint() {
    EH window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(200);
    PaintCounter counter;
    qApp->installEventFilter(&counter);
    window.surface()->repaint(); // one full paint, then silence
    const int afterOnePaint = counter.paints;
    QVERIFY(afterOnePaint > 0);
    QTest::qWait(500);
    qApp->removeEventFilter(&counter);
    QCOMPARE(counter.paints, afterOnePaint);
}

QTEST_MAIN(BenchPicturesTest)
#include "BenchPicturesTest.moc"
