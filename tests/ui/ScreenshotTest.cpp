// Pictures of the bench window for a person to look at, written to the build folder:
// the window as it starts, and in the middle of a Hall measurement. The checks read
// the rendered pixels where the drawing and the lamps must show.
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QSet>
#include <QSlider>
#include <QTest>

#include "UiTestSupport.h"
#include "ui/BenchSurface.h"
#include "ui/MainWindow.h"
#include "ui/widgets/Readout.h"
#include "ui/widgets/SampleList.h"

using namespace eh;
using eh::test::child;
using eh::test::rgb;

namespace {

void click(const EH& window, const char* name) {
    QWidget* w = child<QWidget>(window, name);
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

QColor pixelAt(const QImage& image, const EH& window, const char* name, QPoint offset) {
    const QWidget* w = child<QWidget>(window, name);
    return image.pixelColor(w->mapTo(window.surface(), offset));
}

QString savePicture(const QImage& image, const char* file) {
    const QString path = QDir(QStringLiteral(TARVELO_SCREENSHOT_DIR)).filePath(QString::fromLatin1(file));
    return image.save(path) ? path : QString();
}

} // namespace

class ScreenshotTest : public QObject {
    Q_OBJECT
private slots:
    void startupWindow();
    void runningMeasurement();
    void sampleListOpen();
};

void ScreenshotTest::startupWindow() {
    EH window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QImage image = window.surface()->grab().toImage();
    QCOMPARE(image.size(), QSize(792, 573));
    QVERIFY(!savePicture(image, "bench-startup.png").isEmpty());

    // The drawing, in pixels: pole piece, coil, yoke, sample bar, cable, background.
    QCOMPARE(image.pixelColor(150, 300), rgb(128, 128, 128)); // left pole piece beside its coil
    QSet<QRgb> coil;
    for (int x = 82; x < 98; ++x) coil.insert(image.pixel(x, 300));
    QCOMPARE(coil, QSet<QRgb>({qRgb(192, 0, 0), qRgb(0, 0, 0)})); // red with black hatch lines
    QCOMPARE(image.pixelColor(60, 380), rgb(128, 128, 128));      // yoke, left limb
    QCOMPARE(image.pixelColor(193, 290), rgb(64, 64, 64));        // sample bar from x 192...
    QCOMPARE(image.pixelColor(195, 290), rgb(0, 0, 0));           // ...its right edge after 4 px
    QCOMPARE(image.pixelColor(198, 290), rgb(255, 224, 192));     // and no wider
    QCOMPARE(image.pixelColor(472, 100), rgb(0, 0, 0));           // thermometry cable going down
    QCOMPARE(image.pixelColor(10, 10), rgb(255, 224, 192));       // background
    // A cable piece painted on the current source panel, below its output terminal.
    QCOMPARE(pixelAt(image, window, "SSPanel3", QPoint(568 - 544, 445 - 336)), rgb(0, 0, 0));
    QCOMPARE(pixelAt(image, window, "SSPanel3", QPoint(570 - 544, 445 - 336)), rgb(192, 192, 192));
    // An unlit lamp in its off colour at its centre.
    QCOMPARE(pixelAt(image, window, "Led_Volt", QPoint(4, 4)), rgb(175, 0, 0));
    // The peach of the script frame.
    QCOMPARE(pixelAt(image, window, "Frame14", QPoint(100, 170)), rgb(255, 224, 192));
}

void ScreenshotTest::runningMeasurement() {
    EH window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (const char* name : {"Bot_Inter", "Bot_Volt_On", "Bot_Fuente_On", "Sube4", "Sube4", "Sube3",
                             "Bot_Crio_On", "Bot_Control_On", "Bot_Iman_On", "Conmuta_EH"})
        click(window, name);
    auto* slider = child<QSlider>(window, "Control_I_Iman");
    slider->setValue(600);
    click(window, "Bot_Derecha");
    QTest::qWait(1500);
    click(window, "Acumular");

    const QImage image = window.surface()->grab().toImage();
    QVERIFY(!savePicture(image, "bench-measuring.png").isEmpty());
    QCOMPARE(child<Readout>(window, "Medidas")->text(), QStringLiteral("001"));
    QVERIFY(child<Readout>(window, "Mide_I_Iman")->text() != QStringLiteral("0.00"));
    for (const char* lamp : {"Led_Inter", "Led_Volt", "Led_Fuente", "Led_Crio", "Led_Control", "Led_Iman"})
        QCOMPARE(pixelAt(image, window, lamp, QPoint(4, 4)), rgb(255, 0, 0));
}

// The sample list opened under its field: the window's corner with the list drawn
// where it pops up.
void ScreenshotTest::sampleListOpen() {
    EH window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* list = child<SampleList>(window, "Combo_Muestra");
    list->showPopup();
    QMenu* popup = list->popup();
    QVERIFY(popup);
    QTRY_VERIFY(popup->isVisible());
    QVERIFY(popup->width() >= list->width());

    const QRect area(list->mapTo(window.surface(), QPoint(-20, -10)), QSize(200, 110));
    QImage image = window.surface()->grab(area).toImage();
    {
        QPainter p(&image);
        const QPoint at = popup->mapToGlobal(QPoint(0, 0)) - window.surface()->mapToGlobal(area.topLeft());
        p.drawImage(at, popup->grab().toImage());
    }
    QVERIFY(!savePicture(image, "bench-sample-list-open.png").isEmpty());
    // The list's first line lies under the field, level with its left edge.
    QCOMPARE(popup->mapToGlobal(QPoint(0, 0)).x(), list->mapToGlobal(QPoint(0, 0)).x());
    QVERIFY(popup->mapToGlobal(QPoint(0, 0)).y() >= list->mapToGlobal(QPoint(0, list->height())).y());
    popup->close();
}

QTEST_MAIN(ScreenshotTest)
#include "ScreenshotTest.moc"
