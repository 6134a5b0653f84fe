// The bench window as it stands after start-up: where every widget is, what it shows
// and how it looks.
#include <QLineEdit>
#include <QMenu>
#include <QSlider>
#include <QTest>

#include "UiTestSupport.h"
#include "ui/BenchSurface.h"
#include "ui/MainWindow.h"
#include "ui/widgets/BenchButton.h"
#include "ui/widgets/GroupFrame.h"
#include "ui/widgets/InfoIcon.h"
#include "ui/widgets/LatchButton.h"
#include "ui/widgets/Led.h"
#include "ui/widgets/LinkLabel.h"
#include "ui/widgets/Panel3D.h"
#include "ui/widgets/Readout.h"
#include "ui/widgets/SampleList.h"

using namespace eh;
using eh::test::child;
using eh::test::localized;
using eh::test::rgb;

namespace {

struct Placement {
    const char* name;
    const char* container;
    int left, top, width, height; // twips
};

// The bench drawing sheet, written out independently of the program's own table.
const Placement kPlacements[] = {
    {"SSPanel5", "BenchSurface", 120, 240, 1575, 855},
    {"SSPanel6", "BenchSurface", 120, 1320, 1575, 855},
    {"SSPanel2", "BenchSurface", 8160, 120, 3735, 1695},
    {"SSPanel8", "BenchSurface", 6720, 3120, 2295, 1575},
    {"SSPanel3", "BenchSurface", 8160, 5040, 3735, 1695},
    {"SSPanel7", "BenchSurface", 5880, 5160, 1695, 1455},
    {"SSPanel1", "BenchSurface", 360, 6360, 5295, 2295},
    {"SSPanel4", "BenchSurface", 8160, 7080, 3735, 1095},
    {"Led_Crio", "SSPanel5", 720, 240, 135, 135},
    {"Bot_Crio_On", "SSPanel5", 480, 480, 615, 255},
    {"Led_Control", "SSPanel2", 360, 360, 135, 135},
    {"Bot_Control_On", "SSPanel2", 120, 600, 615, 255},
    {"Frame5", "SSPanel2", 1080, 120, 1215, 855},
    {"Display_T_Medida", "Frame5", 120, 240, 975, 495},
    {"Frame4", "SSPanel2", 2400, 120, 1215, 855},
    {"Display_T_Consigna", "Frame4", 120, 240, 975, 495},
    {"SubeT4", "SSPanel2", 2520, 1080, 255, 255},
    {"SubeT3", "SSPanel2", 2760, 1080, 255, 255},
    {"SubeT2", "SSPanel2", 3000, 1080, 255, 255},
    {"SubeT1", "SSPanel2", 3240, 1080, 255, 255},
    {"BajaT4", "SSPanel2", 2520, 1320, 255, 255},
    {"BajaT3", "SSPanel2", 2760, 1320, 255, 255},
    {"BajaT2", "SSPanel2", 3000, 1320, 255, 255},
    {"BajaT1", "SSPanel2", 3240, 1320, 255, 255},
    {"Frame11", "SSPanel2", 240, 1080, 855, 495},
    {"Shape15", "Frame11", 240, 240, 135, 135},
    {"Shape14", "Frame11", 480, 240, 135, 135},
    {"Frame10", "SSPanel2", 1320, 1080, 855, 495},
    {"Shape13", "Frame10", 240, 240, 135, 135},
    {"Shape12", "Frame10", 480, 240, 135, 135},
    {"Frame15", "SSPanel8", 120, 120, 855, 735},
    {"Medidas", "Frame15", 120, 240, 615, 375},
    {"Acumular", "SSPanel8", 1200, 480, 975, 255},
    {"Reset", "SSPanel8", 1200, 840, 975, 255},
    {"Salvar", "SSPanel8", 1200, 1200, 975, 255},
    {"Led_Inter", "SSPanel8", 480, 960, 135, 135},
    {"Bot_Inter", "SSPanel8", 240, 1200, 615, 255},
    {"Led_Fuente", "SSPanel3", 360, 360, 135, 135},
    {"Bot_Fuente_On", "SSPanel3", 120, 600, 615, 255},
    {"Frame6", "SSPanel3", 2160, 120, 1455, 855},
    {"Display_Fuente", "Frame6", 120, 240, 1215, 495},
    {"Sube5", "SSPanel3", 2280, 1080, 255, 255},
    {"Sube4", "SSPanel3", 2520, 1080, 255, 255},
    {"Sube3", "SSPanel3", 2760, 1080, 255, 255},
    {"Sube2", "SSPanel3", 3000, 1080, 255, 255},
    {"Sube1", "SSPanel3", 3240, 1080, 255, 255},
    {"Baja5", "SSPanel3", 2280, 1320, 255, 255},
    {"Baja4", "SSPanel3", 2520, 1320, 255, 255},
    {"Baja3", "SSPanel3", 2760, 1320, 255, 255},
    {"Baja2", "SSPanel3", 3000, 1320, 255, 255},
    {"Baja1", "SSPanel3", 3240, 1320, 255, 255},
    {"Frame8", "SSPanel3", 120, 1080, 855, 495},
    {"Shape8", "Frame8", 240, 240, 135, 135},
    {"Shape9", "Frame8", 480, 240, 135, 135},
    {"Conmuta_Ro", "SSPanel7", 240, 360, 495, 375},
    {"Conmuta_EH", "SSPanel7", 960, 360, 495, 375},
    {"Frame13", "SSPanel7", 120, 840, 615, 495},
    {"Shape24", "Frame13", 120, 240, 135, 135},
    {"Shape25", "Frame13", 360, 240, 135, 135},
    {"Frame12", "SSPanel7", 960, 840, 615, 495},
    {"Shape23", "Frame12", 120, 240, 135, 135},
    {"Shape21", "Frame12", 360, 240, 135, 135},
    {"Bot_Izquierda", "SSPanel1", 2880, 120, 615, 255},
    {"Bot_Derecha", "SSPanel1", 4080, 120, 615, 255},
    {"Frame3", "SSPanel1", 2640, 480, 1095, 855},
    {"Mide_I_Iman", "Frame3", 120, 240, 855, 495},
    {"Frame1", "SSPanel1", 3840, 480, 1095, 855},
    {"Fija_I_Iman", "Frame1", 120, 240, 855, 495},
    {"Frame2", "SSPanel1", 2520, 1440, 2535, 735},
    {"Control_I_Iman", "Frame2", 120, 240, 2295, 375},
    {"Led_Iman", "SSPanel1", 480, 1560, 135, 135},
    {"Bot_Iman_On", "SSPanel1", 240, 1800, 615, 255},
    {"Frame9", "SSPanel4", 120, 480, 855, 495},
    {"Shape11", "Frame9", 240, 240, 135, 135},
    {"Shape10", "Frame9", 480, 240, 135, 135},
    {"Frame7", "SSPanel4", 1680, 120, 1935, 855},
    {"Display_Volt", "Frame7", 120, 240, 1695, 495},
    {"Bot_Volt_On", "SSPanel4", 960, 120, 615, 255},
    {"Led_Volt", "SSPanel4", 360, 240, 135, 135},
    {"Combo_Muestra", "BenchSurface", 7560, 2520, 1455, 375},
    {"Frame14", "BenchSurface", 9240, 2280, 2655, 2655},
    {"Image4", "BenchSurface", 6960, 2280, 480, 480},
    {"Image2", "BenchSurface", 2040, 2400, 480, 480},
    {"Image5", "BenchSurface", 6240, 3000, 480, 480},
    {"Image1", "BenchSurface", 5400, 4920, 480, 480},
    {"Image3", "BenchSurface", 120, 5760, 480, 480},
    {"Label6", "Frame14", 1560, 240, 975, 255},
    {"Label1", "Frame14", 120, 600, 1455, 255},
    {"Label2", "Frame14", 360, 960, 1455, 255},
    {"Label3", "Frame14", 360, 1320, 2175, 495},
    {"Label4", "Frame14", 120, 1920, 2415, 255},
    {"Label5", "Frame14", 120, 2280, 2415, 255},
};

QRect pixels(const Placement& p) {
    return {p.left / 15, p.top / 15, p.width / 15, p.height / 15};
}

void checkFont(const QWidget* w, const char* family, double points, bool bold, bool italic) {
    const QFont f = w->font();
    QCOMPARE(f.family(), QString::fromLatin1(family));
    QCOMPARE(f.pointSizeF(), points);
    QCOMPARE(f.bold(), bold);
    QCOMPARE(f.italic(), italic);
    // The family must really be installed, not only asked for.
    QCOMPARE(QFontInfo(f).family(), QString::fromLatin1(family));
}

} // namespace

class MainWindowLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void everyWidgetAtItsPlace();
    void windowAndSurface();
    void layoutStaysFixedWhenResized();
    void readoutsAfterStartup();
    void lampsButtonsAndListAfterStartup();
    void captionsAndColours();
    void fonts();
    void readoutTextsFitTheirBoxes();
    void picturesLoaded();
};

void MainWindowLayoutTest::everyWidgetAtItsPlace() {
    EH window;
    for (const Placement& p : kPlacements) {
        const QWidget* w = child<QWidget>(window, p.name);
        QVERIFY2(w->parentWidget(), p.name);
        QCOMPARE(w->parentWidget()->objectName(), QString::fromLatin1(p.container));
        if (w->geometry() != pixels(p))
            QFAIL(qPrintable(QStringLiteral("%1 at %2,%3 %4x%5")
                                 .arg(QLatin1String(p.name))
                                 .arg(w->x())
                                 .arg(w->y())
                                 .arg(w->width())
                                 .arg(w->height())));
    }
}

void MainWindowLayoutTest::windowAndSurface() {
    EH window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.objectName(), QStringLiteral("EH"));
    QCOMPARE(window.windowTitle(), QStringLiteral("SIMULACIÓN DE LAS MEDIDAS DE RESISTIVIDAD Y EFECTO HALL"));
    QCOMPARE(window.surface()->parentWidget(), &window);
    QCOMPARE(window.surface()->geometry(), window.rect());
    QCOMPARE(window.surface()->size(), QSize(792, 573));
    // A larger window (maximized) keeps the surface under the whole client area.
    window.resize(1000, 700);
    QTRY_COMPARE(window.surface()->geometry(), window.rect());
    QCOMPARE(window.surface()->palette().color(QPalette::Window), rgb(255, 224, 192));
    QVERIFY(window.surface()->autoFillBackground());
    // The start-up narrows the sample bar of the drawing.
    QCOMPARE(window.surface()->sampleWidthTwips(), 65);
    QCOMPARE(window.timer(WidgetId::Timer_Control).interval(), 120);
    QCOMPARE(window.timer(WidgetId::Timer_Iman1).interval(), 100);
    QCOMPARE(window.timer(WidgetId::Timer_Iman2).interval(), 100);
    for (auto id : {WidgetId::Timer_Control, WidgetId::Timer_Iman1, WidgetId::Timer_Iman2})
        QVERIFY(!window.timer(id).isActive());
}

void MainWindowLayoutTest::layoutStaysFixedWhenResized() {
    EH window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (const QSize size : {QSize(400, 300), QSize(1200, 900)}) {
        window.resize(size);
        QTRY_COMPARE(window.size(), size);
        for (const Placement& p : kPlacements)
            QCOMPARE(child<QWidget>(window, p.name)->geometry(), pixels(p));
        QCOMPARE(child<QWidget>(window, "Display_Volt")->font().pointSizeF(), 18.0);
    }
    // The extra room right of and below the layout shows the background.
    const QImage image = window.grab().toImage();
    QCOMPARE(image.pixelColor(1100, 850), rgb(255, 224, 192));
    QCOMPARE(image.pixelColor(850, 100), rgb(255, 224, 192));
}

void MainWindowLayoutTest::readoutsAfterStartup() {
    EH window;
    struct Expected {
        const char* name;
        const char* text;
        QColor color;
        Qt::Alignment align;
    };
    const QColor designGrey = rgb(128, 128, 128), offGrey = rgb(125, 125, 125);
    const Expected readouts[] = {
        {"Display_Fuente", "00.000", designGrey, Qt::AlignRight},
        {"Display_Volt", "00.00000", offGrey, Qt::AlignRight},
        {"Display_T_Medida", "000.0", designGrey, Qt::AlignRight},
        {"Display_T_Consigna", "000.0", designGrey, Qt::AlignRight},
        {"Fija_I_Iman", "0.00", offGrey, Qt::AlignRight},
        {"Mide_I_Iman", "0.00", offGrey, Qt::AlignRight},
        {"Medidas", "000", designGrey, Qt::AlignHCenter},
    };
    for (const Expected& e : readouts) {
        const auto* r = child<Readout>(window, e.name);
        QCOMPARE(r->text(), QString::fromLatin1(e.text));
        QCOMPARE(r->textColor(), e.color);
        QCOMPARE(r->alignment() & Qt::AlignHorizontal_Mask, e.align);
        QCOMPARE(r->palette().color(QPalette::Window), rgb(224, 224, 224));
    }
}

void MainWindowLayoutTest::lampsButtonsAndListAfterStartup() {
    EH window;
    for (const char* name : {"Led_Iman", "Led_Control", "Led_Volt", "Led_Fuente", "Led_Crio", "Led_Inter"})
        QCOMPARE(child<Led>(window, name)->fillColor(), rgb(175, 0, 0));
    for (const char* name : {"Shape8", "Shape15", "Shape24", "Shape10"})
        QCOMPARE(child<Led>(window, name)->fillColor(), rgb(64, 64, 64));

    for (const char* name :
         {"Baja1",  "Baja2",  "Baja3",    "Baja4",  "Baja5",  "Sube1",         "Sube2",      "Sube3",
          "Sube4",  "Sube5",  "BajaT1",   "BajaT2", "BajaT3", "BajaT4",        "SubeT1",     "SubeT2",
          "SubeT3", "SubeT4", "Acumular", "Reset",  "Salvar", "Bot_Izquierda", "Bot_Derecha"})
        QVERIFY2(!child<QWidget>(window, name)->isEnabled(), name);
    for (const char* name : {"Bot_Crio_On", "Bot_Control_On", "Bot_Fuente_On", "Bot_Volt_On", "Bot_Iman_On",
                             "Bot_Inter", "Conmuta_Ro", "Conmuta_EH", "Combo_Muestra", "Control_I_Iman"})
        QVERIFY2(child<QWidget>(window, name)->isEnabled(), name);
    for (const char* name : {"Conmuta_Ro", "Conmuta_EH", "Bot_Izquierda", "Bot_Derecha"})
        QVERIFY2(!child<LatchButton>(window, name)->isLatched(), name);

    for (const char* name :
         {"Bot_Crio_On", "Bot_Control_On", "Bot_Fuente_On", "Bot_Volt_On", "Bot_Iman_On", "Bot_Inter"})
        QCOMPARE(child<BenchButton>(window, name)->text(), QStringLiteral("On/Off"));
    QCOMPARE(child<BenchButton>(window, "Sube3")->text(), QStringLiteral("+"));
    QCOMPARE(child<BenchButton>(window, "BajaT2")->text(), QStringLiteral("-"));
    QCOMPARE(child<BenchButton>(window, "Reset")->text(), QStringLiteral("Inicializar"));
    QCOMPARE(child<BenchButton>(window, "Acumular")->captionColor(), rgb(192, 0, 0));

    const auto* list = child<SampleList>(window, "Combo_Muestra");
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->itemText(0), QStringLiteral("Muestra  1"));
    QCOMPARE(list->itemText(1), QStringLiteral("Muestra  2"));
    QCOMPARE(list->currentIndex(), -1);
    QCOMPARE(list->lineEdit()->text(), QStringLiteral("Muestras"));
    QCOMPARE(list->palette().color(QPalette::Base), rgb(224, 224, 224));

    const auto* slider = child<QSlider>(window, "Control_I_Iman");
    QCOMPARE(slider->orientation(), Qt::Horizontal);
    QCOMPARE(slider->minimum(), 0);
    QCOMPARE(slider->maximum(), 1000);
    QCOMPARE(slider->value(), 0);
    QCOMPARE(slider->singleStep(), 1);
    QCOMPARE(slider->pageStep(), 5);
}

void MainWindowLayoutTest::captionsAndColours() {
    EH window;
    const std::pair<const char*, const char*> panels[] = {
        {"SSPanel5", "Criogenerador"},        {"SSPanel6", "Bomba de vacío"},
        {"SSPanel2", " Controlador T"},       {"SSPanel8", " Interfaz "},
        {"SSPanel3", " Fuente de Corriente"}, {"SSPanel7", "Conmutador"},
        {"SSPanel1", " Fuente Electroimán"},  {"SSPanel4", " Voltímetro"},
    };
    for (const auto& [name, caption] : panels) {
        const auto* panel = child<Panel3D>(window, name);
        QCOMPARE(panel->caption(), QString::fromUtf8(caption));
        QCOMPARE(panel->palette().color(QPalette::Window), rgb(192, 192, 192));
        QCOMPARE(panel->palette().color(QPalette::WindowText), rgb(192, 0, 0));
    }
    QCOMPARE(child<Panel3D>(window, "SSPanel5")->captionPlace(), Qt::AlignHCenter);
    QCOMPARE(child<Panel3D>(window, "SSPanel8")->captionPlace(), Qt::AlignRight);
    QCOMPARE(child<Panel3D>(window, "SSPanel2")->captionPlace(), Qt::AlignLeft);
    // The vacuum pump is a caption only.
    QVERIFY(child<Panel3D>(window, "SSPanel6")->findChildren<QWidget*>().isEmpty());

    const struct {
        const char* name;
        const char* caption;
        QColor color;
    } frames[] = {
        {"Frame5", "T Medida (K)", rgb(192, 0, 0)}, {"Frame4", "T Consigna (K)", rgb(192, 0, 0)},
        {"Frame11", " Salida", rgb(192, 0, 0)},     {"Frame10", "Entrada", rgb(192, 0, 0)},
        {"Frame15", "Medidas", rgb(192, 0, 0)},     {"Frame6", "I (mA)", rgb(192, 64, 0)},
        {"Frame8", " Salida", rgb(192, 0, 0)},      {"Frame13", "V", rgb(192, 0, 0)},
        {"Frame12", "I", rgb(192, 0, 0)},           {"Frame3", "I (A)", rgb(192, 0, 0)},
        {"Frame1", "I max (A)", rgb(192, 0, 0)},    {"Frame2", "Ajuste Intensidad", rgb(192, 0, 0)},
        {"Frame9", "Entrada", rgb(192, 0, 0)},      {"Frame7", "V (Volt)", rgb(192, 0, 0)},
        {"Frame14", "Guión", rgb(0, 0, 192)},
    };
    for (const auto& f : frames) {
        const auto* frame = child<GroupFrame>(window, f.name);
        QCOMPARE(frame->caption(), QString::fromUtf8(f.caption));
        QCOMPARE(frame->captionColor(), f.color);
    }
    QCOMPARE(child<GroupFrame>(window, "Frame14")->palette().color(QPalette::Window), rgb(255, 224, 192));

    const struct {
        const char* name;
        const char* caption;
        QColor color;
    } links[] = {
        {"Label6", "Acerca de...", rgb(0, 128, 0)},
        {"Label1", "1) Introducción", rgb(0, 0, 192)},
        {"Label2", "- Efecto Hall", rgb(0, 0, 192)},
        {"Label3", "- Muestras con dos tipos de portadores", rgb(0, 0, 192)},
        {"Label4", "2) Medidas a realizar", rgb(0, 0, 192)},
        {"Label5", "3) Interpretación", rgb(0, 0, 192)},
    };
    for (const auto& l : links) {
        const auto* link = child<LinkLabel>(window, l.name);
        QCOMPARE(link->text(), QString::fromUtf8(l.caption));
        QCOMPARE(link->palette().color(QPalette::WindowText), l.color);
    }
    QCOMPARE(child<LinkLabel>(window, "Label6")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    // The long link needs its second line inside its box.
    const auto* label3 = child<LinkLabel>(window, "Label3");
    QVERIFY(label3->wordWrap());
    QVERIFY(label3->heightForWidth(label3->width()) <= label3->height());
}

void MainWindowLayoutTest::fonts() {
    EH window;
    for (const char* name : {"Display_Fuente", "Display_Volt", "Display_T_Medida", "Display_T_Consigna",
                             "Fija_I_Iman", "Mide_I_Iman"})
        checkFont(child<QWidget>(window, name), "Liberation Sans", 18, true, false);
    checkFont(child<QWidget>(window, "Medidas"), "Liberation Sans", 15.75, true, false);
    checkFont(child<QWidget>(window, "Sube1"), "Liberation Sans", 9.75, false, false);
    checkFont(child<QWidget>(window, "BajaT4"), "Liberation Sans", 9.75, false, false);
    checkFont(child<QWidget>(window, "Bot_Volt_On"), "Liberation Sans", 8.25, false, false);
    checkFont(child<QWidget>(window, "SSPanel3"), "Liberation Sans", 8.25, false, false);
    checkFont(child<QWidget>(window, "Frame6"), "Liberation Sans", 8.25, false, false);
    checkFont(child<QWidget>(window, "Combo_Muestra"), "Liberation Sans", 11.25, false, false);
    checkFont(child<QWidget>(window, "Frame14"), "Comic Neue", 12, false, true);
    checkFont(child<QWidget>(window, "Label6"), "Comic Neue", 9, false, true);
    checkFont(child<QWidget>(window, "Label4"), "Liberation Sans", 9.75, false, false);
}

// The substitute fonts are not metrically identical to the originals everywhere;
// the widest text each readout ever shows must still fit inside its border.
void MainWindowLayoutTest::readoutTextsFitTheirBoxes() {
    EH window;
    const std::pair<const char*, const char*> widest[] = {
        {"Display_Volt", "-00.00000"},
        {"Display_Fuente", "00.000"},
        {"Display_T_Medida", "000.0"},
        {"Display_T_Consigna", "000.0"},
        {"Fija_I_Iman", "0.00"},
        {"Mide_I_Iman", "0.00"},
        {"Medidas", "000"},
    };
    for (const auto& [name, text] : widest) {
        const auto* r = child<Readout>(window, name);
        const int need = QFontMetrics(r->font()).horizontalAdvance(localized(QString::fromLatin1(text)));
        const int room = r->contentsRect().width();
        QVERIFY2(need <= room,
                 qPrintable(QStringLiteral("%1: %2 px for %3 px").arg(name).arg(need).arg(room)));
        QVERIFY(QFontMetrics(r->font()).height() <= r->contentsRect().height());
    }
}

namespace {

int pixelsOf(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += (image.pixel(x, y) & 0xffffff) == (colour & 0xffffff);
    return n;
}

} // namespace

void MainWindowLayoutTest::picturesLoaded() {
    EH window;
    for (const char* name : {"Image1", "Image2", "Image3", "Image4", "Image5"}) {
        auto* icon = child<InfoIcon>(window, name);
        QVERIFY2(icon->hasPicture(), name);
        QCOMPARE(icon->size(), QSize(32, 32));
        // The white bubble with the blue i.
        const QImage shown = icon->grab().toImage();
        QVERIFY2(pixelsOf(shown, qRgb(255, 255, 255)) > 200, name);
        QVERIFY2(pixelsOf(shown, qRgb(0, 0, 200)) > 25, name);
    }
    QImage letters[2];
    for (int i = 0; const char* name : {"Conmuta_Ro", "Conmuta_EH"}) {
        const auto* b = child<LatchButton>(window, name);
        QVERIFY(!b->icon().isNull());
        QCOMPARE(b->iconSize(), QSize(25, 22));
        letters[i] = b->icon().pixmap(b->iconSize()).toImage();
        QCOMPARE(letters[i].size(), QSize(25, 22));
        QVERIFY2(pixelsOf(letters[i], qRgb(255, 0, 0)) > 20, name); // red letters on grey
        QVERIFY2(pixelsOf(letters[i], qRgb(192, 192, 192)) > 300, name);
        // Disabled, the style greys the picture out: no pure red is left.
        const QImage greyed = b->icon().pixmap(b->iconSize(), QIcon::Disabled).toImage();
        QCOMPARE(pixelsOf(greyed, qRgb(255, 0, 0)), 0);
        ++i;
    }
    QVERIFY(letters[0] != letters[1]); // Vr and Vh differ
    QImage signs[2];
    for (int i = 0; const char* name : {"Bot_Izquierda", "Bot_Derecha"}) {
        const auto* b = child<LatchButton>(window, name);
        QCOMPARE(b->iconSize(), QSize(13, 13));
        signs[i] = b->icon().pixmap(b->iconSize()).toImage();
        QVERIFY2(pixelsOf(signs[i], qRgb(0, 0, 0)) > 10, name); // black outline on white
        ++i;
    }
    // The plus has the longer outline.
    QVERIFY(pixelsOf(signs[1], qRgb(0, 0, 0)) > pixelsOf(signs[0], qRgb(0, 0, 0)));

    // The window icon is drawn at whatever size the desktop asks for.
    const QIcon appIcon = window.windowIcon();
    QVERIFY(!appIcon.isNull());
    for (int side : {16, 32, 64}) {
        const QImage icon = appIcon.pixmap(QSize(side, side)).toImage();
        QCOMPARE(icon.size(), QSize(side, side));
        QVERIFY2(pixelsOf(icon, qRgb(255, 224, 192)) > side * side / 10, "peach tile");
        int red = 0;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                const QColor c = icon.pixelColor(x, y);
                red += c.red() > 120 && c.green() < 60 && c.blue() < 60;
            }
        QVERIFY2(red > side * side / 50, "red coils");
    }
}

QTEST_MAIN(MainWindowLayoutTest)
#include "MainWindowLayoutTest.moc"
