// The bench window as a user sees it, compared with pictures that were checked by eye against the bench's
// layout: at start-up, and in the middle of a measurement.
#include <QLineEdit>
#include <QSlider>
#include <QTest>

#include "GoldenImage.h"
#include "UiTestSupport.h"
#include "ui/BenchSurface.h"
#include "ui/BenchWindow.h"
#include "ui/widgets/Readout.h"

using namespace eh;
using eh::test::child;
using eh::test::click;
using eh::test::goldenMismatch;

namespace {

// The window is laid out in twips; its far panels end at 11895 by 8655 twips.
const QSize kLayoutPixels(793, 577);
const QColor kPeach(255, 224, 192);

// Counts the paint events of every widget but a text field (whose cursor blinks).
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !qobject_cast<QLineEdit*>(watched) &&
            !qobject_cast<QLineEdit*>(watched->parent()))
            ++paints;
        return false;
    }
};

} // namespace

class BenchPicturesTest : public QObject {
    Q_OBJECT
private slots:
    void startupWindowHoldsTheWholeLayout();
    void measuringWindow();
    void wideReadoutTextIsNarrowedNotCut_data();
    void wideReadoutTextIsNarrowedNotCut();
    void anIdleWindowDoesNotRepaint();
};

void BenchPicturesTest::startupWindowHoldsTheWholeLayout() {
    BenchWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.size(), kLayoutPixels);
    QCOMPARE(window.minimumSize(), kLayoutPixels);
    const QString mismatch = goldenMismatch(window.grab().toImage(), QStringLiteral("bench-startup"));
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));

    // Every panel, frame and icon lies inside the client area; made larger, the window moves nothing and the
    // new room is peach.
    for (const QWidget* w : window.surface()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        QVERIFY2(window.rect().contains(w->geometry()), qPrintable(w->objectName()));
    const QPoint panel = child<QWidget>(window, "SSPanel4")->pos();
    window.resize(1000, 700);
    QTRY_COMPARE(window.size(), QSize(1000, 700));
    QCOMPARE(child<QWidget>(window, "SSPanel4")->pos(), panel);
    const QImage image = window.grab().toImage();
    QCOMPARE(image.pixelColor(990, 690), kPeach);
    QCOMPARE(image.pixelColor(900, 100), kPeach);
}

// Interface on with two stored readings, voltmeter on, 1.1 mA through the sample with the switch box latched
// on the resistivity contacts, the magnet supply on with its limit at 5 A and no coil connected; no timer
// runs, so the picture is always the same.
void BenchPicturesTest::measuringWindow() {
    BenchWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (const char* name : {"Bot_Inter", "Bot_Volt_On", "Bot_Fuente_On", "Sube4", "Sube3", "Conmuta_Ro",
                             "Acumular", "Acumular", "Bot_Iman_On"})
        click(window, name);
    child<QSlider>(window, "Control_I_Iman")->setValue(500);
    QCOMPARE(child<Readout>(window, "Medidas")->text(), QStringLiteral("002"));
    const QString mismatch = goldenMismatch(window.grab().toImage(), QStringLiteral("bench-measuring"));
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void BenchPicturesTest::wideReadoutTextIsNarrowedNotCut_data() {
    QTest::addColumn<QString>("readout");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("glyphs");
    // The coil current near the end of a ramp to 10 A, and the widest voltmeter text.
    // clang-format off
    QTest::newRow("coil current") << "Mide_I_Iman" << "10.00" << 5;
    QTest::newRow("limit") << "Fija_I_Iman" << "10.00" << 5;
    QTest::newRow("voltmeter") << "Display_Volt" << "-10.00000" << 9;
    QTest::newRow("fits as it is") << "Mide_I_Iman" << "9.99" << 4;
    // clang-format on
}

// Every glyph shows, separately, clear of the left border and right-aligned as it would be without narrowing:
// a cut leading "1" would make 10.00 read as 0.00.
void BenchPicturesTest::wideReadoutTextIsNarrowedNotCut() {
    QFETCH(QString, readout);
    QFETCH(QString, text);
    QFETCH(int, glyphs);
    BenchWindow window;
    auto* r = child<Readout>(window, qPrintable(readout));
    r->setText(text);
    r->setTextColor(Qt::red);
    const QImage image = r->grab().toImage();
    const QRect inside = r->rect().adjusted(1, 1, -1, -1);
    // Runs of neighbouring columns holding red ink: one run per glyph.
    QList<std::pair<int, int>> runs;
    for (int x = inside.left(); x <= inside.right(); ++x) {
        bool ink = false;
        for (int y = inside.top(); y <= inside.bottom() && !ink; ++y) {
            const QColor c = image.pixelColor(x, y);
            ink = qAbs(c.red() - 255) + c.green() + c.blue() < 200;
        }
        if (ink && (runs.isEmpty() || runs.back().second != x - 1)) runs.append({x, x});
        if (ink) runs.back().second = x;
    }
    QCOMPARE(runs.size(), glyphs);
    QVERIFY2(runs.front().first > inside.left(), "text touches the left border");
    QVERIFY(runs.back().second >= inside.right() - 4);
}

// With no timer running nothing changes, so nothing is painted again: a widget that schedules a new paint
// from its own paint event keeps a core busy for ever.
void BenchPicturesTest::anIdleWindowDoesNotRepaint() {
    BenchWindow window;
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
