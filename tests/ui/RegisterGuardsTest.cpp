// No measurement is lost without the user's word: closing the window and emptying the register ask first
// while stored measurements are unsaved, each answer does what it says, and a press on a full register is
// explained.
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <vector>

#include "UiTestSupport.h"
#include "ui/BenchWindow.h"
#include "ui/widgets/Readout.h"

using namespace eh;
using eh::test::child;
using eh::test::chooseFile;
using eh::test::click;
using eh::test::ModalWatchdog;
using eh::test::press;

namespace {

const QString kQuestion = QStringLiteral("Medidas sin guardar");
const QString kEmptying = QStringLiteral("Inicializar el registro");
const QString kSaveDialog = QStringLiteral("Seleccionar directorio y escribir el nombre del fichero");
const QString kError = QStringLiteral("MENSAJE DE ERROR");
const QString kFull = QStringLiteral("REGISTRO LLENO");

// Answers the modal windows that open, one step each, in order, and notes their titles. A step is a button's
// caption, "file:" and a name for the save dialog (under the test's folder, "/no/" being a folder that does
// not exist), "-Caption" to check that no such button is offered, or "close" for the close box.
class ModalScript {
public:
    ModalScript(QStringList steps, const QString& folder) : steps_(std::move(steps)), folder_(folder) {
        QObject::connect(&poll_, &QTimer::timeout, [this] { step(); });
        poll_.start(20);
    }
    QStringList titles;
    QStringList messages; // the texts of the message boxes

private:
    void step() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || handled_.contains(modal)) return;
        handled_ << modal;
        titles << modal->windowTitle();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) messages << box->text();
        const QString action = steps_.value(next_++, QStringLiteral("close"));
        if (action.startsWith(QStringLiteral("file:")))
            return chooseFile(qobject_cast<QFileDialog*>(modal), folder_ + action.mid(5));
        const bool absent = action.startsWith(QLatin1Char('-'));
        if (press(modal, absent ? action.mid(1) : action)) {
            QVERIFY2(!absent, qPrintable(action + " offered"));
            return;
        }
        QVERIFY2(absent || action == QStringLiteral("close"), qPrintable("no button " + action));
        modal->close();
    }

    QTimer poll_;
    QList<QPointer<QWidget>> handled_;
    QStringList steps_;
    qsizetype next_ = 0;
    QString folder_;
};

// The records stored before, the presses before, the last one ("close" for the window's close box), the
// answers to the windows that open, their titles, and the outcome: "closed", "open", or the count the
// register shows; the lines saved.
struct Case {
    const char* name;
    int stored;
    std::vector<const char*> before;
    const char* press;
    QStringList answers;
    QStringList titles;
    const char* outcome;
    int linesSaved = -1;
};

const std::vector<const char*> kOn = {"Bot_Inter"};
const std::vector<const char*> kOneUnsaved = {"Bot_Inter", "Acumular"};
const std::vector<const char*> kTwoUnsaved = {"Bot_Inter", "Acumular", "Acumular"};
const std::vector<const char*> kOneSaved = {"Bot_Inter", "Acumular", "Salvar"};

// clang-format off
const Case kCases[] = {
    {"nothing stored", 0, {}, "close", {}, {}, "closed"},
    {"interface on, nothing stored", 0, kOn, "close", {}, {}, "closed"},
    {"everything saved", 0, kOneSaved, "close", {"file:/serie.ASC"}, {kSaveDialog}, "closed", 1},
    {"unsaved, cancel", 0, kOneUnsaved, "close", {"Cancelar"}, {kQuestion}, "open"},
    {"unsaved, close box of the question", 0, kOneUnsaved, "close", {"close"}, {kQuestion}, "open"},
    {"unsaved, discard", 0, kOneUnsaved, "close", {"Cerrar sin guardar"}, {kQuestion}, "closed"},
    {"unsaved, save", 0, kTwoUnsaved, "close", {"Guardar...", "file:/serie.ASC"}, {kQuestion, kSaveDialog}, "closed", 2},
    {"unsaved, save cancelled", 0, kTwoUnsaved, "close", {"Guardar...", "close"}, {kQuestion, kSaveDialog}, "open"},
    {"unsaved, save fails", 0, kTwoUnsaved, "close", {"Guardar...", "file:/no/serie.ASC", "close"}, {kQuestion, kSaveDialog, kError}, "open"},
    {"after a failed save", 0, kOneSaved, "close", {"file:/no/serie.ASC", "close", "Cerrar sin guardar"}, {kSaveDialog, kError, kQuestion}, "closed"},
    {"unsaved, interface off", 0, {"Bot_Inter", "Acumular", "Bot_Inter"}, "close", {"-Guardar..."}, {kQuestion}, "open"},
    {"saved, then one more", 0, {"Bot_Inter", "Acumular", "Salvar", "Acumular"}, "close", {"file:/serie.ASC", "Cancelar"}, {kSaveDialog, kQuestion}, "open", 1},
    {"after Inicializar", 0, {"Bot_Inter", "Acumular", "Reset"}, "close", {"Inicializar"}, {kEmptying}, "closed"},
    {"empty unsaved, cancel", 0, kTwoUnsaved, "Reset", {"Cancelar"}, {kEmptying}, "002"},
    {"empty unsaved, confirm", 0, kTwoUnsaved, "Reset", {"Inicializar"}, {kEmptying}, "000"},
    {"empty saved", 0, kOneSaved, "Reset", {"file:/serie.ASC"}, {kSaveDialog}, "000", 1},
    {"empty nothing stored", 0, kOn, "Reset", {}, {}, "000"},
    {"register just under full", 98, kOn, "Acumular", {}, {}, "099"},
    {"register at the last slot", 99, kOn, "Acumular", {}, {}, "100"},
    {"register full", 100, kOn, "Acumular", {"OK"}, {kFull}, "100"},
};
// clang-format on

} // namespace

class RegisterGuardsTest : public QObject {
    Q_OBJECT
private slots:
    void questionsBeforeLosingMeasurements_data();
    void questionsBeforeLosingMeasurements();
};

void RegisterGuardsTest::questionsBeforeLosingMeasurements_data() {
    QTest::addColumn<int>("row");
    for (int i = 0; i < int(std::size(kCases)); ++i) QTest::newRow(kCases[i].name) << i;
}

void RegisterGuardsTest::questionsBeforeLosingMeasurements() {
    QFETCH(int, row);
    const Case& c = kCases[row];
    QTemporaryDir folder;
    BenchWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ModalWatchdog watchdog;
    ModalScript script(c.answers, folder.path());
    for (const char* name : c.before) click(w, name);
    for (int i = 0; i < c.stored; ++i) w.model().Acumular_Click();
    const QString outcome = QString::fromLatin1(c.outcome);
    if (QString::fromLatin1(c.press) == QStringLiteral("close")) {
        const bool closed = w.close();
        QCOMPARE(closed ? QStringLiteral("closed") : QStringLiteral("open"), outcome);
        QCOMPARE(w.isVisible(), !closed);
    } else {
        click(w, c.press);
        QCOMPARE(child<Readout>(w, "Medidas")->text(), outcome);
    }
    QCOMPARE(script.titles, c.titles);
    QFile saved(folder.path() + QStringLiteral("/serie.ASC"));
    QCOMPARE(saved.open(QIODevice::ReadOnly) ? int(saved.readAll().count("\r\n")) : -1, c.linesSaved);
    // A full register is explained: why, and what to press instead.
    const QRegularExpression why(QStringLiteral("100 medidas.*\"Salvar\".*\"Inicializar\""));
    QVERIFY2(!c.titles.contains(kFull) || why.match(script.messages.value(0)).hasMatch(),
             qPrintable(script.messages.value(0)));
}

QTEST_MAIN(RegisterGuardsTest)
#include "RegisterGuardsTest.moc"
