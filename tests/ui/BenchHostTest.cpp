// The desktop services the bench asks for: save dialog and busy pointer (its message box shows in the
// register tests).
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "UiTestSupport.h"
#include "ui/DialogFilters.h"
#include "ui/QtBenchHost.h"
#include "ui/SpanishTranslations.h"

using namespace eh;
using eh::test::chooseFile;
using eh::test::ModalWatchdog;
using eh::test::onNextModal;

namespace {

const SaveDialogRequest kDataFile{"Seleccionar directorio y escribir el nombre del fichero",
                                  "Todos los ficheros(*.*)|*.*|Ficheros de datos(*.ASC)|*.ASC",
                                  2,
                                  true,
                                  {}};

// The folder a save dialog opens in and the text of its name field, as "folder|name".
QString startOf(QtBenchHost& host, const SaveDialogRequest& request = kDataFile) {
    QString seen;
    ModalWatchdog watchdog;
    const auto watcher = onNextModal([&seen](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        const auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        seen = QDir(dialog->directory()).canonicalPath() + QLatin1Char('|') + (name ? name->text() : "?");
        dialog->reject();
    });
    host.askSaveFileName(request);
    return seen;
}

SaveDialogRequest suggesting(const char* name) {
    SaveDialogRequest request = kDataFile;
    request.suggestedName = name;
    return request;
}

} // namespace

class BenchHostTest : public QObject {
    Q_OBJECT
private slots:
    void filterPairsKeepTheirDescriptions();
    void saveDialog();
    void suggestedName();
    void busyPointer();
};

void BenchHostTest::filterPairsKeepTheirDescriptions() {
    // A description without its pattern gets it appended, as Qt needs it; a dangling description or an empty
    // pattern is no filter.
    QCOMPARE(nameFiltersFromPairs(QStringLiteral("Texto|*.txt|Datos (*.dat)|*.dat|Nada||Solo")),
             QStringList({"Texto (*.txt)", "Datos (*.dat)"}));
}

// Where the dialog opens and what its name field holds (never the name of a folder), its settings, and the
// chosen name given back exactly as typed.
void BenchHostTest::saveDialog() {
    QtBenchHost host;
    const QString home = QDir::homePath();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QVERIFY(documents.startsWith(home));
    QDir(documents).removeRecursively();
    QCOMPARE(startOf(host), QDir(home).canonicalPath() + QLatin1Char('|'));
    QVERIFY(QDir().mkpath(documents));
    QCOMPARE(startOf(host), QDir(documents).canonicalPath() + QLatin1Char('|'));

    auto folder = std::make_unique<QTemporaryDir>();
    const QString typed = folder->path() + QStringLiteral("/medidas sin extension");
    {
        ModalWatchdog watchdog;
        const auto watcher = onNextModal([&typed](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QCOMPARE(dialog->nameFilters(),
                     QStringList({"Todos los ficheros(*.*)", "Ficheros de datos(*.ASC)"}));
            QCOMPARE(dialog->selectedNameFilter(), QStringLiteral("Ficheros de datos(*.ASC)"));
            // Qt's own captions in Spanish, like the rest of the program.
            const auto* buttons = dialog->findChild<QDialogButtonBox*>();
            QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')),
                     QStringLiteral("Cancelar"));
            chooseFile(dialog, typed);
        });
        QCOMPARE(QString::fromStdString(host.askSaveFileName(kDataFile).value_or("")), typed);
    }
    // Then the folder of the last file chosen in this run, with that file's name offered.
    QCOMPARE(startOf(host), QDir(folder->path()).canonicalPath() + QStringLiteral("|medidas sin extension"));

    // An existing file is only replaced when the user agrees (here he does not).
    QFile existing(typed);
    QVERIFY(existing.open(QIODevice::WriteOnly));
    QString question;
    {
        ModalWatchdog watchdog;
        const auto watcher = onNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            const auto inner = onNextModal(
                [&question](QWidget* confirm) {
                    auto* box = qobject_cast<QMessageBox*>(confirm);
                    question = box->text();
                    box->button(QMessageBox::No)->click();
                },
                dialog);
            chooseFile(dialog, typed); // asks, is refused, and stays open
            QTimer::singleShot(0, dialog, &QDialog::reject);
        });
        QVERIFY(!host.askSaveFileName(kDataFile).has_value());
    }
    // Asked in Spanish, naming the file.
    QVERIFY2(question.contains(QStringLiteral("medidas sin extension")) && question.contains("ya existe"),
             qPrintable(question));

    // The folder gone, the documents folder again.
    folder.reset();
    QCOMPARE(startOf(host), QDir(documents).canonicalPath() + QLatin1Char('|'));
}

// A suggested name fills the name field, unless the last file chosen holds it (a second file of the same
// sample keeps the name the student gave the first one).
void BenchHostTest::suggestedName() {
    QtBenchHost host;
    const QString documents =
        QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).canonicalPath();
    QVERIFY(!documents.isEmpty());
    QCOMPARE(startOf(host, suggesting("TWSH-3NKM.ASC")), documents + QStringLiteral("|TWSH-3NKM.ASC"));

    QTemporaryDir folder;
    const QString own = folder.path() + QStringLiteral("/twsh-3nkm a 300 K.ASC");
    {
        ModalWatchdog watchdog;
        const auto watcher =
            onNextModal([&own](QWidget* modal) { chooseFile(qobject_cast<QFileDialog*>(modal), own); });
        QCOMPARE(QString::fromStdString(host.askSaveFileName(suggesting("TWSH-3NKM.ASC")).value_or("")), own);
    }
    const QString there = QDir(folder.path()).canonicalPath();
    QCOMPARE(startOf(host, suggesting("TWSH-3NKM.ASC")), there + QStringLiteral("|twsh-3nkm a 300 K.ASC"));
    QCOMPARE(startOf(host, suggesting("6F4T-8VWM.ASC")), there + QStringLiteral("|6F4T-8VWM.ASC"));
    QCOMPARE(startOf(host), there + QStringLiteral("|twsh-3nkm a 300 K.ASC"));
}

void BenchHostTest::busyPointer() {
    QtBenchHost host;
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    host.setBusyPointer(true);
    QVERIFY(QGuiApplication::overrideCursor() &&
            QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor);
    host.setBusyPointer(true); // once busy, stays balanced
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
