// The desktop services the bench asks for: message box, save dialog, busy pointer.
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "UiTestSupport.h"
#include "ui/DialogFilters.h"
#include "ui/QtBenchHost.h"
#include "ui/SpanishTranslations.h"

using namespace eh;
using eh::test::onNextModal;

namespace {

const char* const kFilter = "Todos los ficheros(*.*)|*.*|Ficheros de datos(*.ASC)|*.ASC";
const char* const kTitle = "Seleccionar directorio y escribir el nombre del fichero";

SaveDialogRequest dataFileRequest() {
    return SaveDialogRequest{kTitle, kFilter, 2, true};
}

// As if typed: the dialog does not overwrite the name field while it has the focus.
void chooseFile(QFileDialog* dialog, const QString& path) {
    if (QWidget* focused = dialog->focusWidget()) focused->clearFocus();
    dialog->selectFile(path);
}

// The folder a save dialog opens in and the text of its name field, as "folder|name".
QString startOf(QtBenchHost& host) {
    QString seen;
    eh::test::ModalWatchdog watchdog;
    const auto watcher = onNextModal([&seen](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        const auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        seen = QDir(dialog->directory()).canonicalPath() + QLatin1Char('|') + (name ? name->text() : "?");
        dialog->reject();
    });
    host.askSaveFileName(dataFileRequest());
    return seen;
}

} // namespace

class BenchHostTest : public QObject {
    Q_OBJECT
private slots:
    void filterPairsKeepTheirDescriptions();
    void messageBoxHasTitleTextAndOneButton();
    void saveDialogStartFolder();
    void saveDialogSettings();
    void saveDialogConfirmsOverwriting();
    void busyPointer();
};

void BenchHostTest::filterPairsKeepTheirDescriptions() {
    QCOMPARE(nameFiltersFromPairs(QString::fromLatin1(kFilter)),
             QStringList({"Todos los ficheros(*.*)", "Ficheros de datos(*.ASC)"}));
    // A description without its pattern gets it appended, as Qt needs it.
    QCOMPARE(nameFiltersFromPairs(QStringLiteral("Texto|*.txt|Datos (*.dat)|*.dat")),
             QStringList({"Texto (*.txt)", "Datos (*.dat)"}));
    // A dangling description or an empty pattern is no filter.
    QCOMPARE(nameFiltersFromPairs(QStringLiteral("Texto|*.txt|Solo")), QStringList({"Texto (*.txt)"}));
    QCOMPARE(nameFiltersFromPairs(QStringLiteral("Nada||Texto|*.txt")), QStringList({"Texto (*.txt)"}));
    QVERIFY(nameFiltersFromPairs(QString()).isEmpty());
}

void BenchHostTest::messageBoxHasTitleTextAndOneButton() {
    QtBenchHost host;
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::Critical;
    qsizetype buttons = 0;
    eh::test::ModalWatchdog watchdog;
    const auto watcher = onNextModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = box->buttons().size();
        QVERIFY(box->button(QMessageBox::Ok));
        box->button(QMessageBox::Ok)->click();
    });
    host.showMessage("Error 61: disco lleno", "MENSAJE DE ERROR");
    QCOMPARE(title, QStringLiteral("MENSAJE DE ERROR"));
    QCOMPARE(text, QStringLiteral("Error 61: disco lleno"));
    QCOMPARE(icon, QMessageBox::NoIcon);
    QCOMPARE(buttons, 1);
}

// Where the dialog opens, and what its name field holds: never the name of a folder.
void BenchHostTest::saveDialogStartFolder() {
    QtBenchHost host;
    const QString home = QDir::homePath();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QVERIFY(documents.startsWith(home));
    QDir(documents).removeRecursively();
    QCOMPARE(startOf(host), QDir(home).canonicalPath() + QLatin1Char('|'));

    QVERIFY(QDir().mkpath(documents));
    QCOMPARE(startOf(host), QDir(documents).canonicalPath() + QLatin1Char('|'));

    // The folder of the last file chosen in this run, with that file's name offered;
    // gone, the documents folder again.
    auto folder = std::make_unique<QTemporaryDir>();
    const QString first = folder->path() + QStringLiteral("/serie1.ASC");
    {
        eh::test::ModalWatchdog watchdog;
        const auto watcher = onNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            chooseFile(dialog, first);
            static_cast<QDialog*>(dialog)->accept();
        });
        QCOMPARE(QString::fromStdString(host.askSaveFileName(dataFileRequest()).value()), first);
    }
    QCOMPARE(startOf(host), QDir(folder->path()).canonicalPath() + QStringLiteral("|serie1.ASC"));
    folder.reset();
    QCOMPARE(startOf(host), QDir(documents).canonicalPath() + QLatin1Char('|'));
}

// Settings of the dialog, and the chosen name given back exactly as typed.
void BenchHostTest::saveDialogSettings() {
    QtBenchHost host;
    QTemporaryDir folder;
    const QString target = folder.path() + QStringLiteral("/medidas sin extension");
    QFileDialog* seen = nullptr;
    eh::test::ModalWatchdog watchdog;
    const auto watcher = onNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog);
        seen = dialog;
        QCOMPARE(dialog->windowTitle(), QString::fromLatin1(kTitle));
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(dialog->nameFilters(), QStringList({"Todos los ficheros(*.*)", "Ficheros de datos(*.ASC)"}));
        QCOMPARE(dialog->selectedNameFilter(), QStringLiteral("Ficheros de datos(*.ASC)"));
        QVERIFY(!dialog->testOption(QFileDialog::DontConfirmOverwrite));
        // Qt's own captions in Spanish, like the rest of the program.
        const auto* buttons = dialog->findChild<QDialogButtonBox*>();
        QVERIFY(buttons);
        QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')),
                 QStringLiteral("Cancelar"));
        chooseFile(dialog, target);
        static_cast<QDialog*>(dialog)->accept();
    });
    const auto chosen = host.askSaveFileName(dataFileRequest());
    QVERIFY(seen);
    QVERIFY(chosen.has_value());
    // Exactly as typed: no extension from the selected filter.
    QCOMPARE(QString::fromStdString(*chosen), target);
}

void BenchHostTest::saveDialogConfirmsOverwriting() {
    QtBenchHost host;
    QTemporaryDir folder;
    const QString existing = folder.path() + QStringLiteral("/viejo.ASC");
    {
        QFile file(existing);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QString question;
    eh::test::ModalWatchdog watchdog;
    const auto watcher = onNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        const auto inner = onNextModal(
            [&question](QWidget* confirm) {
                question =
                    confirm->windowTitle() + QLatin1Char('|') + qobject_cast<QMessageBox*>(confirm)->text();
                qobject_cast<QMessageBox*>(confirm)->button(QMessageBox::No)->click();
            },
            dialog);
        chooseFile(dialog, existing);
        static_cast<QDialog*>(dialog)->accept(); // asks, is refused, and stays open
        QTimer::singleShot(0, dialog, &QDialog::reject);
    });
    QVERIFY(!host.askSaveFileName(dataFileRequest()).has_value());
    QVERIFY2(question.contains(QStringLiteral("viejo.ASC")), qPrintable(question));
    QVERIFY2(question.contains(QStringLiteral("ya existe")), qPrintable(question)); // asked in Spanish
}

void BenchHostTest::busyPointer() {
    QtBenchHost host;
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    host.setBusyPointer(true);
    QVERIFY(QGuiApplication::overrideCursor());
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    host.setBusyPointer(true); // once busy, stays balanced
    host.setBusyPointer(false);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    host.setBusyPointer(false);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

// A private home, so the dialog's documents folder is a fresh one.
int main(int argc, char* argv[]) {
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toLocal8Bit());
    QApplication app(argc, argv);
    eh::installSpanishTranslations(app);
    BenchHostTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "BenchHostTest.moc"
