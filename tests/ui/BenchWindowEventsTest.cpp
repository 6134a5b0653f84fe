// Operating the bench window with the mouse and the keyboard: every control reaches its bench event, and the
// window shows what the bench made of it.
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QSlider>
#include <QTest>
#include <vector>

#include "UiTestSupport.h"
#include "ui/BenchSurface.h"
#include "ui/BenchWindow.h"
#include "ui/theory/Teoria.h"
#include "ui/widgets/BenchButton.h"
#include "ui/widgets/InfoIcon.h"
#include "ui/widgets/LatchButton.h"
#include "ui/widgets/Led.h"
#include "ui/widgets/LinkLabel.h"
#include "ui/widgets/Readout.h"
#include "ui/widgets/SampleList.h"

using namespace eh;
using eh::test::child;
using eh::test::click;
using eh::test::localized;
using eh::test::ModalWatchdog;
using eh::test::onNextModal;

namespace {

QString textOf(const BenchWindow& window, const char* name) {
    return child<Readout>(window, name)->text();
}

// One press of a control, after the presses that make it usable, and what the user sees then: a readout's
// text, a lamp lit ("on"), a two-state button "down" or "up", or the window that opens (its title, or the
// chapter it shows) and the button that answers it (closed by its close box when none is named).
struct Route {
    const char* press;
    std::vector<const char*> before;
    const char* shows;    // widget to look at, or "" when a window opens
    const char* expected; // text, "on", "down", "up", a window title or a chapter file
    const char* answer = nullptr;
};

const char* const kSaveTitle = "Seleccionar directorio y escribir el nombre del fichero";
const std::vector<const char*> kCurrent11111 = {"Bot_Fuente_On", "Sube1", "Sube2", "Sube3", "Sube4", "Sube5"};

// clang-format off
const Route kRoutes[] = {
    {"Bot_Crio_On", {}, "Led_Crio", "on"},
    {"Bot_Control_On", {}, "Display_T_Consigna", "300.0"},
    {"SubeT1", {"Bot_Control_On"}, "Display_T_Consigna", "300.1"},
    {"SubeT2", {"Bot_Control_On"}, "Display_T_Consigna", "301.0"},
    {"SubeT3", {"Bot_Control_On"}, "Display_T_Consigna", "310.0"},
    {"SubeT4", {"Bot_Control_On"}, "Display_T_Consigna", "400.0"},
    {"BajaT1", {"Bot_Control_On"}, "Display_T_Consigna", "299.9"},
    {"BajaT2", {"Bot_Control_On"}, "Display_T_Consigna", "299.0"},
    {"BajaT3", {"Bot_Control_On"}, "Display_T_Consigna", "290.0"},
    {"BajaT4", {"Bot_Control_On"}, "Display_T_Consigna", "200.0"},
    {"Bot_Fuente_On", {}, "Led_Fuente", "on"},
    {"Sube1", {"Bot_Fuente_On"}, "Display_Fuente", "00.001"},
    {"Sube2", {"Bot_Fuente_On"}, "Display_Fuente", "00.010"},
    {"Sube3", {"Bot_Fuente_On"}, "Display_Fuente", "00.100"},
    {"Sube4", {"Bot_Fuente_On"}, "Display_Fuente", "01.000"},
    {"Sube5", {"Bot_Fuente_On"}, "Display_Fuente", "10.000"},
    {"Baja1", kCurrent11111, "Display_Fuente", "11.110"},
    {"Baja2", kCurrent11111, "Display_Fuente", "11.101"},
    {"Baja3", kCurrent11111, "Display_Fuente", "11.011"},
    {"Baja4", kCurrent11111, "Display_Fuente", "10.111"},
    {"Baja5", kCurrent11111, "Display_Fuente", "01.111"},
    {"Bot_Volt_On", {}, "Led_Volt", "on"},
    {"Conmuta_Ro", {}, "Conmuta_Ro", "down"},
    {"Conmuta_EH", {"Conmuta_Ro"}, "Conmuta_Ro", "up"},
    {"Conmuta_EH", {}, "Conmuta_EH", "down"},
    {"Bot_Iman_On", {}, "Led_Iman", "on"},
    {"Bot_Izquierda", {"Bot_Iman_On"}, "Bot_Izquierda", "down"},
    {"Bot_Derecha", {"Bot_Iman_On", "Bot_Izquierda"}, "Bot_Izquierda", "up"},
    {"Bot_Derecha", {"Bot_Iman_On"}, "Bot_Derecha", "down"},
    {"Bot_Inter", {}, "Led_Inter", "on"},
    {"Acumular", {"Bot_Inter", "Acumular"}, "Medidas", "002"},
    {"Reset", {"Bot_Inter", "Acumular"}, "Medidas", "000", "Inicializar"},
    {"Salvar", {"Bot_Inter"}, "", kSaveTitle},
    {"Image1", {}, "", "INFORMACIÓN SOBRE EL CONMUTADOR", "Cerrar"},
    {"Image2", {}, "", "INFORMACIÓN SOBRE EL CRIOSTATO", "Cerrar"},
    {"Image3", {}, "", "INFORMACIÓN SOBRE EL ELECTROIMÁN", "Cerrar"},
    {"Image4", {}, "", "INFORMACIÓN SOBRE LAS MUESTRAS", "Cerrar"},
    {"Image5", {}, "", "INFORMACIÓN SOBRE LA INTERFAZ ", "Cerrar"},
    {"Label6", {}, "", "Acerca de Tarvelo", "Aceptar"},
    {"Label1", {}, "", "Intro.rtf"},
    {"Label2", {}, "", "EH.rtf"},
    {"Label3", {}, "", "EH-2p.rtf"},
    {"Label4", {}, "", "Medidas.rtf"},
    {"Label5", {}, "", "Discusion.rtf"},
};
// clang-format on

std::unique_ptr<BenchWindow> shownWindow() {
    auto w = std::make_unique<BenchWindow>();
    w->show();
    if (!QTest::qWaitForWindowActive(w.get())) qFatal("the bench window did not show");
    return w;
}

} // namespace

class BenchWindowEventsTest : public QObject {
    Q_OBJECT
private slots:
    void everyRoute_data();
    void everyRoute();
    void tabOrderAndHints();
    void magnetSliderAndPolarity();
    void sampleList();
    void helpWindowHoldsTheInputNotTheTimers();
};

void BenchWindowEventsTest::everyRoute_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("keyboard");
    for (const bool keyboard : {false, true})
        for (int i = 0; i < int(std::size(kRoutes)); ++i)
            QTest::addRow("%s %d %s", kRoutes[i].press, i, keyboard ? "key" : "click") << i << keyboard;
}

// Presses a control as the user would, with the mouse or the keyboard, and checks what the window then shows:
// a window that opens by its title, or the chapter it shows.
void BenchWindowEventsTest::everyRoute() {
    QFETCH(int, row);
    QFETCH(bool, keyboard);
    const Route& route = kRoutes[row];
    // The comma-locale run of this test names the separator it must see.
    if (const QByteArray wanted = qgetenv("TARVELO_EXPECT_DECIMAL_SEPARATOR"); !wanted.isEmpty())
        QCOMPARE(QLocale::system().decimalPoint(), QString::fromLatin1(wanted));
    const auto window = shownWindow();
    const BenchWindow& w = *window;
    for (const char* name : route.before) click(w, name);
    ModalWatchdog watchdog;
    QString opened;
    const auto watcher = onNextModal(
        [&opened, &route](QWidget* modal) {
            auto* theory = qobject_cast<Teoria*>(modal);
            opened = theory ? QFileInfo(theory->chapterPath()).fileName() : modal->windowTitle();
            if (!route.answer || !eh::test::press(modal, QString::fromUtf8(route.answer))) modal->close();
        },
        window.get());
    QWidget* target = child<QWidget>(w, route.press);
    QVERIFY2(target->isEnabled(), route.press);
    if (!keyboard) {
        // A press dragged off the control and released outside is no click.
        QTest::mousePress(target, Qt::LeftButton, {}, target->rect().center());
        QTest::mouseRelease(target, Qt::LeftButton, {}, QPoint(-2, -2));
        QVERIFY2(opened.isEmpty(), qPrintable(opened));
        click(w, route.press);
    } else {
        target->setFocus(Qt::TabFocusReason);
        QVERIFY2(target->hasFocus(), route.press);
        const bool opens = qobject_cast<InfoIcon*>(target) || qobject_cast<LinkLabel*>(target);
        QTest::keyClick(target, opens ? Qt::Key_Return : Qt::Key_Space);
    }
    const QString expected = QString::fromUtf8(route.expected);
    if (*route.shows == '\0') {
        QCOMPARE(opened, expected);
        return;
    }
    QTest::qWait(60); // a question that should not have come would be seen by now
    QCOMPARE(opened, route.answer ? QStringLiteral("Inicializar el registro") : QString());
    QWidget* shown = child<QWidget>(w, route.shows);
    if (auto* readout = qobject_cast<Readout*>(shown))
        QCOMPARE(readout->text(), localized(expected));
    else if (auto* lamp = qobject_cast<Led*>(shown))
        QCOMPARE(lamp->fillColor(), QColor(255, 0, 0));
    else
        QCOMPARE(qobject_cast<LatchButton*>(shown)->isLatched(), expected == QStringLiteral("down"));
}

// With every instrument on, Tab visits each control once and comes back to the first; an instrument's
// controls follow each other, its own switch first. Each control and readout has a hint of its own.
void BenchWindowEventsTest::tabOrderAndHints() {
    const auto window = shownWindow();
    const BenchWindow& w = *window;
    for (const char* name : {"Bot_Control_On", "Bot_Fuente_On", "Bot_Inter", "Bot_Iman_On"}) click(w, name);
    // The controls a user can operate: whatever kind of widget takes a press or a key.
    QList<QWidget*> controls;
    for (QWidget* c : w.findChildren<QWidget*>())
        if (qobject_cast<BenchButton*>(c) || qobject_cast<LatchButton*>(c) || qobject_cast<InfoIcon*>(c) ||
            qobject_cast<LinkLabel*>(c) || qobject_cast<SampleList*>(c) || qobject_cast<QSlider*>(c))
            controls << c;
    QCOMPARE(controls.size(), 44);
    QWidget* first = child<QWidget>(w, "Bot_Crio_On");
    first->setFocus(Qt::TabFocusReason);
    QList<QWidget*> visited;
    for (int i = 0; i < controls.size(); ++i) {
        QWidget* focused = QApplication::focusWidget();
        if (qobject_cast<SampleList*>(focused->parentWidget())) focused = focused->parentWidget();
        QVERIFY2(controls.contains(focused) && !visited.contains(focused), qPrintable(focused->objectName()));
        visited << focused;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(QApplication::focusWidget(), first);

    // The instrument panel, frame or icon a control belongs to: its ancestor on the surface.
    const auto placeOf = [&w](QWidget* control) {
        while (control->parentWidget() != static_cast<const QWidget*>(w.surface()))
            control = control->parentWidget();
        return control;
    };
    QList<QWidget*> places;
    for (QWidget* c : visited) {
        QWidget* place = placeOf(c);
        if (!places.isEmpty() && places.last() == place) continue;
        QVERIFY2(!places.contains(place), qPrintable(place->objectName() + " visited in two parts"));
        places << place;
        for (QWidget* onOff : visited) // a panel with an On/Off switch is entered by it
            if (placeOf(onOff) == place && onOff->objectName().startsWith(QStringLiteral("Bot_")) &&
                qobject_cast<BenchButton*>(onOff))
                QCOMPARE(c->objectName(), onOff->objectName());
    }

    QSet<QString> hints;
    for (QWidget* h : w.findChildren<QWidget*>())
        if (controls.contains(h) || qobject_cast<Readout*>(h)) hints << h->toolTip();
    hints.remove(QString());
    QCOMPARE(hints.size(), 44 + 7);
}

void BenchWindowEventsTest::magnetSliderAndPolarity() {
    const auto window = shownWindow();
    const BenchWindow& w = *window;
    auto* slider = child<QSlider>(w, "Control_I_Iman");
    const QPoint rightOfKnob(slider->width() - 4, slider->height() / 2);

    // With the supply off the slider moves but the limit readout stays.
    QTest::mouseClick(slider, Qt::LeftButton, {}, rightOfKnob);
    QCOMPARE(w.model().widget(WidgetId::Control_I_Iman).value, 5);
    QCOMPARE(textOf(w, "Fija_I_Iman"), QStringLiteral("0.00"));

    click(w, "Bot_Iman_On");
    QCOMPARE(textOf(w, "Fija_I_Iman"), localized("0.05"));
    QTest::mouseClick(slider, Qt::LeftButton, {}, rightOfKnob);
    QCOMPARE(textOf(w, "Fija_I_Iman"), localized("0.10"));
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_End);
    QCOMPARE(textOf(w, "Fija_I_Iman"), QStringLiteral("9.99"));
    QCOMPARE(w.model().I_Iman_Max, 10.0f);

    // Each polarity switch runs its own ramp timer, whose ticks move the coil current.
    click(w, "Bot_Derecha");
    QVERIFY(w.timer(WidgetId::Timer_Iman2).isActive() && !w.timer(WidgetId::Timer_Iman1).isActive());
    QTRY_VERIFY(textOf(w, "Mide_I_Iman") != QStringLiteral("0.00"));
    click(w, "Bot_Izquierda");
    QVERIFY(w.timer(WidgetId::Timer_Iman1).isActive() && !w.timer(WidgetId::Timer_Iman2).isActive());

    click(w, "Bot_Iman_On");
    QVERIFY(!child<QWidget>(w, "Bot_Izquierda")->isEnabled());
    QCOMPARE(textOf(w, "Mide_I_Iman"), QStringLiteral("0.00"));
}

// The sample list chooses only from its items, with the mouse or the arrow keys.
void BenchWindowEventsTest::sampleList() {
    const auto window = shownWindow();
    const BenchWindow& w = *window;
    auto* list = child<SampleList>(w, "Combo_Muestra");
    const auto field = [list] { return list->lineEdit()->text(); };

    // From the prompt Up does nothing and Down takes the first item.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Up);
    QCOMPARE(field(), QStringLiteral("Muestras"));
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(field(), QStringLiteral("Muestra  1"));

    // The drop button opens the list under the field; a press on it while the list is open closes it, and one
    // on the second item chooses that.
    const QPoint button(list->width() - 6, list->height() / 2);
    QTest::mouseClick(list, Qt::LeftButton, {}, button);
    QMenu* popup = list->popup();
    QTRY_VERIFY(popup && popup->isVisible());
    QCOMPARE(popup->actions().size(), 2);
    QVERIFY(popup->geometry().top() >= list->mapToGlobal(QPoint(0, list->height())).y());
    QTest::mouseClick(popup, Qt::LeftButton, {}, popup->mapFromGlobal(list->mapToGlobal(button)));
    QTest::qWait(50);
    QVERIFY(!popup->isVisible());
    QTest::keyClick(list, Qt::Key_F4);
    QTRY_VERIFY(popup->isVisible());
    QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(popup->actions().at(1)).center());
    QTRY_COMPARE(w.model().Muestra_Sel, 2);
    QCOMPARE(field(), QStringLiteral("Muestra  2"));

    // Typing the text of the other item, even with Enter, and Down past the last item choose nothing; Up
    // chooses like the mouse.
    list->lineEdit()->selectAll();
    QTest::keyClicks(list->lineEdit(), QStringLiteral("Muestra  1"));
    QTest::keyClick(list->lineEdit(), Qt::Key_Return);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(w.model().Muestra_Sel, 2);
    QTest::keyClick(list, Qt::Key_Up);
    QCOMPARE(w.model().Muestra_Sel, 1);

    // Disabled, it neither opens nor chooses.
    list->setEnabled(false);
    list->showPopup();
    QVERIFY(!popup->isVisible());
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(w.model().Muestra_Sel, 1);
}

// A help window holds the user's input, not the timers: the thermal timer's ticks move the temperature
// meanwhile. The samples window shows the sample chosen on the bench.
void BenchWindowEventsTest::helpWindowHoldsTheInputNotTheTimers() {
    const auto window = shownWindow();
    BenchWindow& w = *window;
    click(w, "Bot_Crio_On");
    click(w, "Bot_Control_On");
    w.model().Combo_Muestra_Click(1);
    QString before, during;
    QStringList shown;
    QRect frame;
    ModalWatchdog watchdog;
    const auto watcher = onNextModal(
        [&](QWidget* modal) {
            before = textOf(w, "Display_T_Medida");
            QTest::qWait(600);
            during = textOf(w, "Display_T_Medida");
            frame = modal->frameGeometry();
            for (const char* name : {"Label1", "Label3", "Label4", "Label5"})
                shown << child<QLabel>(*modal, name)->text();
            modal->close();
        },
        window.get());
    click(w, "Image4");
    QVERIFY(!before.isEmpty() && during != before);
    QVERIFY(w.model().T_Medida < 300.0f); // the cryogenerator cools the sample
    // Sample 2 of the catalogue, written as the bench writes numbers.
    QCOMPARE(shown, QStringList({"Dimensiones de la muestra   2", "Longitud = .4 cm", "Anchura = .25 cm",
                                 "Grosor = .015 cm"}));
    // Centred on the bench window's size, wherever that is, in the screen's free area.
    const QSize room = w.frameGeometry().size() - frame.size();
    QCOMPARE(frame.topLeft(),
             w.screen()->availableGeometry().topLeft() + QPoint(room.width() / 2, room.height() / 2));
    click(w, "Bot_Crio_On");
    click(w, "Bot_Control_On");
    QVERIFY(!w.timer(WidgetId::Timer_Control).isActive());
}

QTEST_MAIN(BenchWindowEventsTest)
#include "BenchWindowEventsTest.moc"
