// Operating the bench window with the mouse and the keyboard: every control reaches
// its bench event, and the window shows what the bench made of it.
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <vector>

#include "UiTestSupport.h"
#include "ui/BenchSurface.h"
#include "ui/MainWindow.h"
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
using eh::test::rgb;

namespace {

QString textOf(const EH& window, const char* name) {
    return child<Readout>(window, name)->text();
}

// One press of a control, after the presses that make it usable, and what the user
// sees then: a readout's text, a lamp lit ("on"), a two-state button "down" or "up",
// or the window that opens (its title, or the chapter it shows) and the button that
// answers it (closed by its close box when none is named).
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
    {"Image1", {}, "", "INFORMACIÓN SOBRE EL CONMUTADOR"},
    {"Image2", {}, "", "INFORMACIÓN SOBRE EL CRIOSTATO"},
    {"Image3", {}, "", "INFORMACIÓN SOBRE EL ELECTROIMÁN"},
    {"Image4", {}, "", "INFORMACIÓN SOBRE LAS MUESTRAS"},
    {"Image5", {}, "", "INFORMACIÓN SOBRE LA INTERFAZ "},
    {"Label6", {}, "", "Acerca de Tarvelo"},
    {"Label1", {}, "", "Intro.rtf"},
    {"Label2", {}, "", "EH.rtf"},
    {"Label3", {}, "", "EH-2p.rtf"},
    {"Label4", {}, "", "Medidas.rtf"},
    {"Label5", {}, "", "Discusion.rtf"},
};
// clang-format on

// What a window opened by a press was: its title, or the chapter a theory window shows.
QString describe(QWidget* modal) {
    if (auto* theory = qobject_cast<Teoria*>(modal)) return QFileInfo(theory->chapterPath()).fileName();
    return modal->windowTitle();
}

void answer(QWidget* modal, const char* button) {
    if (button)
        for (QPushButton* b : modal->findChildren<QPushButton*>())
            if (b->text() == QString::fromUtf8(button)) return b->click();
    modal->close();
}

enum class Press { Mouse, Keyboard };

// Presses `route.press` as the user would and checks what the window then shows.
void runRoute(const Route& route, Press how) {
    EH w;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    for (const char* name : route.before) click(w, name);
    ModalWatchdog watchdog;
    QString opened;
    const auto watcher = onNextModal(
        [&opened, &route](QWidget* modal) {
            opened = describe(modal);
            answer(modal, route.answer);
        },
        &w);
    QWidget* target = child<QWidget>(w, route.press);
    QVERIFY2(target->isEnabled(), route.press);
    if (how == Press::Mouse) {
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
        QCOMPARE(lamp->fillColor(), rgb(255, 0, 0));
    else
        QCOMPARE(qobject_cast<LatchButton*>(shown)->isLatched(), expected == QStringLiteral("down"));
}

std::unique_ptr<EH> shownWindow() {
    auto w = std::make_unique<EH>();
    w->show();
    if (!QTest::qWaitForWindowExposed(w.get())) qFatal("the bench window did not show");
    return w;
}

// The controls a user can operate: whatever kind of widget takes a press or a key.
QList<QWidget*> controlsOf(const EH& w) {
    QList<QWidget*> controls;
    for (QWidget* c : w.findChildren<QWidget*>())
        if (qobject_cast<BenchButton*>(c) || qobject_cast<LatchButton*>(c) || qobject_cast<InfoIcon*>(c) ||
            qobject_cast<LinkLabel*>(c) || qobject_cast<SampleList*>(c) || qobject_cast<QSlider*>(c))
            controls << c;
    return controls;
}

// The instrument panel, frame or icon a control belongs to: its ancestor on the surface.
QWidget* placeOf(QWidget* control, const EH& w) {
    QWidget* place = control;
    while (place->parentWidget() && place->parentWidget() != static_cast<QWidget*>(w.surface()))
        place = place->parentWidget();
    return place;
}

} // namespace

class MainWindowEventsTest : public QObject {
    Q_OBJECT
private slots:
    void everyClickRoute_data();
    void everyClickRoute();
    void everyKeyRoute_data() { everyClickRoute_data(); }
    void everyKeyRoute();
    void tabReachesEveryControlOnce();
    void everyControlAndReadoutHasAHint();
    void magnetSliderAndPolarity();
    void sampleListChoosesOnlyFromTheList();
    void sampleListKeysAndDisabledState();
    void timersKeepRunningBehindAHelpWindow();
};

void MainWindowEventsTest::everyClickRoute_data() {
    QTest::addColumn<int>("row");
    for (int i = 0; i < int(std::size(kRoutes)); ++i) QTest::addRow("%s %d", kRoutes[i].press, i) << i;
}

void MainWindowEventsTest::everyClickRoute() {
    QFETCH(int, row);
    // The comma-locale run of this test names the separator it must see.
    if (const QByteArray wanted = qgetenv("TARVELO_EXPECT_DECIMAL_SEPARATOR"); !wanted.isEmpty())
        QCOMPARE(QLocale::system().decimalPoint(), QString::fromLatin1(wanted));
    runRoute(kRoutes[row], Press::Mouse);
}

void MainWindowEventsTest::everyKeyRoute() {
    QFETCH(int, row);
    runRoute(kRoutes[row], Press::Keyboard);
}

// With every instrument on, Tab visits each control once and comes back to the first;
// an instrument's controls follow each other, its own switch first.
void MainWindowEventsTest::tabReachesEveryControlOnce() {
    EH w;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    for (const char* name : {"Bot_Control_On", "Bot_Fuente_On", "Bot_Inter", "Bot_Iman_On"}) click(w, name);
    const QList<QWidget*> controls = controlsOf(w);
    QCOMPARE(controls.size(), 44);

    QWidget* first = child<QWidget>(w, "Bot_Crio_On");
    first->setFocus(Qt::TabFocusReason);
    QList<QWidget*> visited;
    for (int i = 0; i < controls.size(); ++i) {
        QWidget* focused = QApplication::focusWidget();
        if (qobject_cast<SampleList*>(focused->parentWidget())) focused = focused->parentWidget();
        QVERIFY2(controls.contains(focused), qPrintable(focused->objectName()));
        QVERIFY2(!visited.contains(focused), qPrintable(focused->objectName() + " reached twice"));
        visited << focused;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(QApplication::focusWidget(), first);

    QList<QWidget*> placesSeen;
    for (int i = 0; i < visited.size(); ++i) {
        QWidget* place = placeOf(visited[i], w);
        if (i > 0 && place == placeOf(visited[i - 1], w)) continue;
        QVERIFY2(!placesSeen.contains(place), qPrintable(place->objectName() + " visited in two parts"));
        placesSeen << place;
        // A panel with an On/Off switch is entered by it.
        for (QWidget* c : visited)
            if (placeOf(c, w) == place && c->objectName().startsWith(QStringLiteral("Bot_")) &&
                qobject_cast<BenchButton*>(c))
                QCOMPARE(visited[i]->objectName(), c->objectName());
    }
}

void MainWindowEventsTest::everyControlAndReadoutHasAHint() {
    EH w;
    QList<QWidget*> hinted = controlsOf(w);
    for (Readout* r : w.findChildren<Readout*>()) hinted << r;
    QCOMPARE(hinted.size(), 44 + 7);
    QSet<QString> hints;
    for (const QWidget* h : hinted) {
        QVERIFY2(h->toolTip().size() > 10, qPrintable(h->objectName()));
        hints.insert(h->toolTip());
    }
    QCOMPARE(hints.size(), hinted.size()); // each says what is its own
    for (const char* name : {"Display_Fuente", "Display_T_Medida", "Mide_I_Iman", "Display_Volt"})
        QVERIFY2(
            child<QWidget>(w, name)->toolTip().contains(QRegularExpression(QStringLiteral("en (mA|K|A|V)$"))),
            name);
}

void MainWindowEventsTest::magnetSliderAndPolarity() {
    const auto window = shownWindow();
    const EH& w = *window;
    auto* slider = child<QSlider>(w, "Control_I_Iman");

    // With the supply off the slider moves but the limit readout stays.
    QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(slider->width() - 4, slider->height() / 2));
    QCOMPARE(slider->value(), 5);
    QCOMPARE(w.model().widget(WidgetId::Control_I_Iman).value, 5);
    QCOMPARE(textOf(w, "Fija_I_Iman"), QStringLiteral("0.00"));

    click(w, "Bot_Iman_On");
    QCOMPARE(textOf(w, "Fija_I_Iman"), localized("0.05"));
    QVERIFY(child<QWidget>(w, "Bot_Derecha")->isEnabled());
    QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(slider->width() - 4, slider->height() / 2));
    QCOMPARE(textOf(w, "Fija_I_Iman"), localized("0.10"));
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_End);
    QCOMPARE(textOf(w, "Fija_I_Iman"), QStringLiteral("9.99"));
    QCOMPARE(w.model().I_Iman_Max, 10.0f);

    // Each polarity switch runs its own ramp timer, whose ticks move the coil current.
    click(w, "Bot_Derecha");
    QVERIFY(w.timer(WidgetId::Timer_Iman2).isActive());
    QVERIFY(!w.timer(WidgetId::Timer_Iman1).isActive());
    QTRY_VERIFY(textOf(w, "Mide_I_Iman") != QStringLiteral("0.00"));
    click(w, "Bot_Izquierda");
    QVERIFY(w.timer(WidgetId::Timer_Iman1).isActive());
    QVERIFY(!w.timer(WidgetId::Timer_Iman2).isActive());

    click(w, "Bot_Iman_On");
    QVERIFY(!child<QWidget>(w, "Bot_Izquierda")->isEnabled());
    QCOMPARE(textOf(w, "Mide_I_Iman"), QStringLiteral("0.00"));
}

void MainWindowEventsTest::sampleListChoosesOnlyFromTheList() {
    const auto window = shownWindow();
    const EH& w = *window;
    auto* list = child<SampleList>(w, "Combo_Muestra");
    QCOMPARE(w.model().Muestra_Sel, 1);

    // The drop button opens the list under the field.
    const QPoint button(list->width() - 6, list->height() / 2);
    QTest::mouseClick(list, Qt::LeftButton, {}, button);
    QMenu* popup = list->popup();
    QVERIFY(popup);
    QTRY_VERIFY(popup->isVisible());
    QCOMPARE(popup->actions().size(), 2);
    QVERIFY(popup->geometry().top() >= list->mapToGlobal(QPoint(0, list->height())).y());
    const QRect second = popup->actionGeometry(popup->actions().at(1));
    QTest::mouseClick(popup, Qt::LeftButton, {}, second.center());
    QTRY_VERIFY(!popup->isVisible());
    QCOMPARE(w.model().Muestra_Sel, 2);
    QCOMPARE(list->lineEdit()->text(), QStringLiteral("Muestra  2"));

    // Typing the text of the other item, even with Enter and leaving the field,
    // selects nothing.
    list->lineEdit()->setFocus();
    list->lineEdit()->selectAll();
    QTest::keyClicks(list->lineEdit(), QStringLiteral("Muestra  1"));
    QTest::keyClick(list->lineEdit(), Qt::Key_Return);
    child<QWidget>(w, "Control_I_Iman")->setFocus();
    QApplication::processEvents();
    QCOMPARE(list->lineEdit()->text(), QStringLiteral("Muestra  1"));
    QCOMPARE(w.model().Muestra_Sel, 2);
    QCOMPARE(list->count(), 2);

    // An arrow key chooses from the list like the mouse does.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Up);
    QCOMPARE(w.model().Muestra_Sel, 1);
}

void MainWindowEventsTest::sampleListKeysAndDisabledState() {
    SampleList list;
    list.resize(120, 25);
    list.setContents({QStringLiteral("a"), QStringLiteral("b")}, QStringLiteral("Elija"));
    QSignalSpy chosen(&list, &SampleList::itemChosen);
    QCOMPARE(list.currentIndex(), -1);
    QCOMPARE(list.fieldText(), QStringLiteral("Elija"));

    // From the prompt Up does nothing and Down takes the first item; past the ends
    // nothing more is chosen.
    QTest::keyClick(&list, Qt::Key_Up);
    QCOMPARE(chosen.count(), 0);
    QTest::keyClick(&list, Qt::Key_Down);
    QTest::keyClick(&list, Qt::Key_Down);
    QTest::keyClick(&list, Qt::Key_Down);
    QCOMPARE(chosen.count(), 2);
    QCOMPARE(chosen.at(1).at(0).toInt(), 1);
    QCOMPARE(list.fieldText(), QStringLiteral("b"));

    // F4 opens the list, and a press on the drop button while it is open closes it.
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QTest::keyClick(&list, Qt::Key_F4);
    QMenu* popup = list.popup();
    QVERIFY(popup);
    QTRY_VERIFY(popup->isVisible());
    const QPoint onButton =
        popup->mapFromGlobal(list.mapToGlobal(QPoint(list.width() - 6, list.height() / 2)));
    QTest::mouseClick(popup, Qt::LeftButton, {}, onButton);
    QTRY_VERIFY(!popup->isVisible());
    QTest::qWait(50);
    QVERIFY(!popup->isVisible());
    QCOMPARE(chosen.count(), 2);

    // Typing changes the field only.
    list.lineEdit()->setText(QStringLiteral("a"));
    QCOMPARE(list.currentIndex(), 1);
    QCOMPARE(chosen.count(), 2);

    // Disabled, it neither opens nor chooses.
    list.setEnabled(false);
    list.showPopup();
    QVERIFY(!list.popup() || !list.popup()->isVisible());
    QTest::keyClick(&list, Qt::Key_Up);
    QCOMPARE(chosen.count(), 2);

    // An empty list has nothing to open.
    list.setEnabled(true);
    list.setContents({}, QStringLiteral("Elija"));
    list.showPopup();
    QVERIFY(!list.popup() || !list.popup()->isVisible());
}

// The thermal timer's ticks, delivered by the event loop, move the temperature even
// while a help window holds the user's input.
void MainWindowEventsTest::timersKeepRunningBehindAHelpWindow() {
    const auto window = shownWindow();
    const EH& w = *window;
    click(w, "Bot_Crio_On");
    click(w, "Bot_Control_On");
    QString before, during;
    ModalWatchdog watchdog;
    const auto watcher = onNextModal(
        [&](QWidget* modal) {
            before = textOf(w, "Display_T_Medida");
            QTest::qWait(600);
            during = textOf(w, "Display_T_Medida");
            modal->close();
        },
        window.get());
    click(w, "Image2");
    QVERIFY(!before.isEmpty());
    QVERIFY(during != before);
    QVERIFY(w.model().T_Medida < 300.0f); // the cryogenerator cools the sample
    click(w, "Bot_Crio_On");
    click(w, "Bot_Control_On");
    QVERIFY(!w.timer(WidgetId::Timer_Control).isActive());
}

QTEST_MAIN(MainWindowEventsTest)
#include "MainWindowEventsTest.moc"
