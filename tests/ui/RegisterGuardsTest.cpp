// No measurement is lost without the user's word: closing the window and emptying the
// register ask first while stored measurements are unsaved, each answer does what it
// says, and a press on a full register is explained.
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "ui/MainWindow.h"
#include "ui/widgets/Readout.h"

using namespace eh;
using eh::test::child;
using eh::test::click;
using eh::test::ModalWatchdog;

namespace {

const QString kQuestion = QStringLiteral("Medidas sin guardar");
const QString kEmptying = QStringLiteral("Inicializar el registro");
const QString kSaveDialog = QStringLiteral("Seleccionar directorio y escribir el nombre del fichero");
const QString kError = QStringLiteral("MENSAJE DE ERROR");
const QString kFull = QStringLiteral("REGISTRO LLENO");

// Answers the modal windows that open, one step each, in order, and notes their
// titles. A step is a button's text, "file:ok" or "file:bad" for the save dialog (a
// writable path, or one in a folder that does not exist), "-Text" to check that no
// such button is offered and close the window, or "close" for the close box.
class ModalScript {
public:
    ModalScript(std::vector<std::string> steps, const QString& folder)
        : steps_(std::move(steps)), folder_(folder) {
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
        const std::string action = next_ < steps_.size() ? steps_[next_++] : "close";
        if (action.rfind("file:", 0) == 0) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog);
            const QString name =
                action == "file:ok" ? QStringLiteral("/serie.ASC") : QStringLiteral("/no/serie.ASC");
            if (QWidget* focused = dialog->focusWidget()) focused->clearFocus();
            dialog->selectFile(folder_ + name);
            return static_cast<QDialog*>(dialog)->accept();
        }
        const bool absent = action.front() == '-';
        const QString text = QString::fromStdString(absent ? action.substr(1) : action);
        for (QPushButton* b : modal->findChildren<QPushButton*>())
            if (b->text() == text) {
                QVERIFY2(!absent, qPrintable(text + " offered"));
                return b->click();
            }
        QVERIFY2(absent || action == "close", qPrintable("no button " + text));
        modal->close();
    }

    QTimer poll_;
    QList<QPointer<QWidget>> handled_;
    std::vector<std::string> steps_;
    std::size_t next_ = 0;
    QString folder_;
};

// The presses before, the last one ("close" for the window's close box), the answers
// to the windows that open, their titles, and the outcome: "closed", "open", or the
// count the register shows.
struct Case {
    const char* name;
    std::vector<const char*> before;
    const char* press;
    std::vector<std::string> answers;
    QStringList titles;
    const char* outcome;
    int linesSaved = -1;
};

const std::vector<const char*> kOneUnsaved = {"Bot_Inter", "Acumular"};
const std::vector<const char*> kTwoUnsaved = {"Bot_Inter", "Acumular", "Acumular"};
const std::vector<const char*> kOneSaved = {"Bot_Inter", "Acumular", "Salvar"};

// clang-format off
const Case kCases[] = {
    {"nothing stored", {}, "close", {}, {}, "closed"},
    {"interface on, nothing stored", {"Bot_Inter"}, "close", {}, {}, "closed"},
    {"everything saved", kOneSaved, "close", {"file:ok"}, {kSaveDialog}, "closed", 1},
    {"unsaved, cancel", kOneUnsaved, "close", {"Cancelar"}, {kQuestion}, "open"},
    {"unsaved, close box of the question", kOneUnsaved, "close", {"close"}, {kQuestion}, "open"},
    {"unsaved, discard", kOneUnsaved, "close", {"Cerrar sin guardar"}, {kQuestion}, "closed"},
    {"unsaved, save", kTwoUnsaved, "close", {"Guardar...", "file:ok"}, {kQuestion, kSaveDialog}, "closed", 2},
    {"unsaved, save cancelled", kTwoUnsaved, "close", {"Guardar...", "close"}, {kQuestion, kSaveDialog}, "open"},
    {"unsaved, save fails", kTwoUnsaved, "close", {"Guardar...", "file:bad", "close"}, {kQuestion, kSaveDialog, kError}, "open"},
    {"after a failed save", kOneSaved, "close", {"file:bad", "close", "Cerrar sin guardar"}, {kSaveDialog, kError, kQuestion}, "closed"},
    {"unsaved, interface off", {"Bot_Inter", "Acumular", "Bot_Inter"}, "close", {"-Guardar..."}, {kQuestion}, "open"},
    {"saved, then one more", {"Bot_Inter", "Acumular", "Salvar", "Acumular"}, "close", {"file:ok", "Cancelar"}, {kSaveDialog, kQuestion}, "open", 1},
    {"after Inicializar", {"Bot_Inter", "Acumular", "Reset"}, "close", {"Inicializar"}, {kEmptying}, "closed"},
    {"empty unsaved, cancel", kTwoUnsaved, "Reset", {"Cancelar"}, {kEmptying}, "002"},
    {"empty unsaved, confirm", kTwoUnsaved, "Reset", {"Inicializar"}, {kEmptying}, "000"},
    {"empty saved", kOneSaved, "Reset", {"file:ok"}, {kSaveDialog}, "000", 1},
    {"empty nothing stored", {"Bot_Inter"}, "Reset", {}, {}, "000"},
};
// clang-format on

int linesIn(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    return static_cast<int>(file.readAll().count("\r\n"));
}

} // namespace

class RegisterGuardsTest : public QObject {
    Q_OBJECT
private slots:
    void questionsBeforeLosingMeasurements_data();
    void questionsBeforeLosingMeasurements();
    void fullRegisterIsExplained_data();
    void fullRegisterIsExplained();
};

void RegisterGuardsTest::questionsBeforeLosingMeasurements_data() {
    QTest::addColumn<int>("row");
    for (int i = 0; i < int(std::size(kCases)); ++i) QTest::newRow(kCases[i].name) << i;
}

void RegisterGuardsTest::questionsBeforeLosingMeasurements() {
    QFETCH(int, row);
    const Case& c = kCases[row];
    QTemporaryDir folder;
    EH w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ModalWatchdog watchdog;
    ModalScript script(c.answers, folder.path());
    for (const char* name : c.before) click(w, name);
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
    QCOMPARE(linesIn(folder.path() + QStringLiteral("/serie.ASC")), c.linesSaved);
}

void RegisterGuardsTest::fullRegisterIsExplained_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QStringList>("titles");
    QTest::newRow("just under") << 98 << "099" << QStringList();
    QTest::newRow("at the last slot") << 99 << "100" << QStringList();
    QTest::newRow("full") << 100 << "100" << QStringList{kFull};
}

void RegisterGuardsTest::fullRegisterIsExplained() {
    QFETCH(int, stored);
    QFETCH(QString, shown);
    QFETCH(QStringList, titles);
    EH w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    click(w, "Bot_Inter");
    for (int i = 0; i < stored; ++i) w.model().Acumular_Click();
    ModalWatchdog watchdog;
    ModalScript script({"OK"}, QString());
    click(w, "Acumular");
    QCOMPARE(script.titles, titles);
    QCOMPARE(child<Readout>(w, "Medidas")->text(), shown);
    QCOMPARE(w.model().storedRecords(), qMin(stored + 1, 100));
    if (!titles.isEmpty()) {
        const QString message = script.messages.value(0);
        QVERIFY2(message.contains(QStringLiteral("100 medidas")), qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("\"Salvar\"")) &&
                     message.contains(QStringLiteral("\"Inicializar\"")),
                 qPrintable(message));
    }
}

QTEST_MAIN(RegisterGuardsTest)
#include "RegisterGuardsTest.moc"
