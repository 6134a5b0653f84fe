// What the analysis window shows when the file of a series is removed, emptied,
// filled with rubbish or replaced by something that is no file, and when a good file
// comes back under the same name: the last good data stay, marked, and a report made
// from them says they no longer match their file.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <sys/stat.h>

#include "BenchFiles.h"
#include "ui/analysis/AnalysisWindow.h"
#include "ui/analysis/FileFollower.h"
#include "ui/analysis/ReportPdf.h"

using namespace eh::analysis;
using eh::test::readFile;
using eh::test::sweep;
using eh::test::writeFile;

namespace {

// Generous: the machine may be busy with other builds.
constexpr int kTimeoutMs = 10000;
// Past every retry of the follower: what is read after it is read only because the
// folder is watched.
constexpr int kLongAfterMs = FileFollower::kAttempts * FileFollower::kDelayMs + 500;

QString seriesText(const AnalysisWindow& w, int index) {
    return w.findChild<QComboBox*>(QStringLiteral("seriesBox"))->itemText(index);
}

QString statusText(const AnalysisWindow& w) {
    return w.findChild<QLabel*>(QStringLiteral("status"))->text();
}

// Whatever stands at `path`, removed.
void removeEntry(const QString& path) {
    if (QFileInfo(path).isDir() && !QFileInfo(path).isSymLink())
        QVERIFY(QDir().rmdir(path));
    else
        QVERIFY(QFile::remove(path));
}

using Breaking = std::function<void(const QString& path)>;

} // namespace

Q_DECLARE_METATYPE(Breaking)

class FollowedFileStatesTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    QByteArray tenRecords_; // sample 1 from 80 to 260 K, as the bench saves it
    QString path(const QString& name) const { return dir_.filePath(name); }

    // A window following its own copy of the ten records.
    QString openCopy(AnalysisWindow& w, const QString& name) {
        const QString file = path(name);
        writeFile(file, tenRecords_);
        if (!w.openFiles({file})) return {};
        return file;
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, path(QStringLiteral("config")));
        sweep(path(QStringLiteral("modelo.asc")), 1, 80, 260, 20);
        tenRecords_ = readFile(path(QStringLiteral("modelo.asc")));
        QCOMPARE(tenRecords_.count('\n'), 10);
    }

    // The counts in the status bar in Spanish: the singular for one, the plural for
    // none and for more.
    void statusCountsInTheSingularForOne() {
        AnalysisWindow w;
        const QString file = path(QStringLiteral("uno.asc"));
        writeFile(file, tenRecords_.left(tenRecords_.indexOf('\n') + 1) + QByteArray("2,x\r\n"));
        QVERIFY(w.openFiles({file}));
        QCOMPARE(statusText(w), QStringLiteral("1 serie, 1 registro, 1 línea rechazada · fichero al día"));
        const QString second = openCopy(w, QStringLiteral("diez.asc"));
        QVERIFY(!second.isEmpty());
        QCOMPARE(statusText(w),
                 QStringLiteral("2 series, 11 registros, 1 línea rechazada · ficheros al día"));
    }

    // Removed: said at once, the data kept; opened again meanwhile: refused with a
    // reason. Saved again by the bench long after: read, and up to date again.
    void removedThenSavedAgainLongAfter() {
        AnalysisWindow w;
        const QString file = openCopy(w, QStringLiteral("seguido.asc"));
        QVERIFY(!file.isEmpty());
        QCOMPARE(seriesText(w, 0), QStringLiteral("seguido.asc — al día"));
        QVERIFY2(statusText(w).endsWith(QStringLiteral("líneas rechazadas · fichero al día")),
                 qPrintable(statusText(w)));

        QVERIFY(QFile::remove(file));
        QTRY_COMPARE_WITH_TIMEOUT(w.fileState(0).status, FileStatus::Deleted, kTimeoutMs);
        QCOMPARE(seriesText(w, 0), QStringLiteral("seguido.asc — borrado"));
        QCOMPARE(statusText(w), QStringLiteral("1 serie, 10 registros, 0 líneas rechazadas · seguido.asc: "
                                               "borrado (se muestran los últimos datos leídos)"));
        QCOMPARE(w.analysis(0).data.records.size(), std::size_t(10));
        // What the student sees, kept for a look: the last data, marked as gone.
        w.resize(1024, 700);
        w.grab().save(QStringLiteral(TARVELO_SCREENSHOT_DIR "/analysis-file-gone.png"));
        QStringList errors;
        QVERIFY(!w.openFiles({file}, &errors));
        QCOMPARE(errors, QStringList{file + QStringLiteral(": no existe")});
        QCOMPARE(w.seriesCount(), 1);

        QTest::qWait(kLongAfterMs);
        sweep(file, 1, 300, 340, 20); // three records, through the bench's Salvar
        QTRY_COMPARE_WITH_TIMEOUT(w.analysis(0).data.records.size(), std::size_t(3), kTimeoutMs);
        QCOMPARE(w.fileState(0), FileState{});
        QCOMPARE(seriesText(w, 0), QStringLiteral("seguido.asc — al día"));
        QCOMPARE(statusText(w), QStringLiteral("1 serie, 3 registros, 0 líneas rechazadas · fichero al día"));
    }

    // Each way of breaking the file shows "ilegible" with its reason and keeps the last
    // good data; the bench saving the file again (a new file renamed into place) makes
    // the series up to date with the new data.
    void brokenThenSavedAgain_data() {
        QTest::addColumn<Breaking>("breakIt");
        QTest::addColumn<QString>("shown");
        QTest::newRow("emptied") << Breaking([](const QString& p) { writeFile(p, {}); })
                                 << QStringLiteral("ilegible: fichero vacío");
        QTest::newRow("rubbish") << Breaking([](const QString& p) { writeFile(p, "kdjf\n1,2,3\n"); })
                                 << QStringLiteral("ilegible: ningún registro aceptado (línea 2: se "
                                                   "esperaban 7 números y hay 3 campos)");
        QTest::newRow("blank lines") << Breaking([](const QString& p) { writeFile(p, "\n\r\n\n"); })
                                     << QStringLiteral("ilegible: ningún registro");
        QTest::newRow("link loop") << Breaking([](const QString& p) {
            QVERIFY(QFile::remove(p));
            QVERIFY(QFile::link(QFileInfo(p).fileName(), p)); // a link to itself
        }) << QStringLiteral("ilegible: bucle de enlaces simbólicos");
        QTest::newRow("link to nothing") << Breaking([](const QString& p) {
            QVERIFY(QFile::remove(p));
            QVERIFY(QFile::link(QStringLiteral("no-hay.asc"), p));
        }) << QStringLiteral("ilegible: el enlace lleva a un fichero que no existe");
        QTest::newRow("folder") << Breaking([](const QString& p) {
            QVERIFY(QFile::remove(p));
            QVERIFY(QDir().mkdir(p));
        }) << QStringLiteral("ilegible: es una carpeta");
        // A reader of a pipe waits for a writer: the window must not.
        QTest::newRow("named pipe") << Breaking([](const QString& p) {
            QVERIFY(QFile::remove(p));
            QCOMPARE(::mkfifo(QFile::encodeName(p).constData(), 0600), 0);
        }) << QStringLiteral("ilegible: no es un fichero normal");
    }
    void brokenThenSavedAgain() {
        QFETCH(Breaking, breakIt);
        QFETCH(QString, shown);
        AnalysisWindow w;
        const QString name = QStringLiteral("roto-%1.asc").arg(QTest::currentDataTag()).replace(' ', '-');
        const QString file = openCopy(w, name);
        QVERIFY(!file.isEmpty());
        breakIt(file);
        QTRY_COMPARE_WITH_TIMEOUT(seriesText(w, 0), name + QStringLiteral(" — ") + shown, kTimeoutMs);
        QCOMPARE(w.fileState(0).status, FileStatus::Unreadable);
        QCOMPARE(statusText(w), QStringLiteral("1 serie, 10 registros, 0 líneas rechazadas · %1: %2 (se "
                                               "muestran los últimos datos leídos)")
                                    .arg(name, shown));
        QCOMPARE(w.analysis(0).data.records.size(), std::size_t(10));

        removeEntry(file);
        sweep(file, 1, 300, 340, 20);
        QTRY_COMPARE_WITH_TIMEOUT(w.analysis(0).data.records.size(), std::size_t(3), kTimeoutMs);
        QTRY_COMPARE_WITH_TIMEOUT(seriesText(w, 0), name + QStringLiteral(" — al día"), kTimeoutMs);
    }

    // A report made while one of two files is gone says so on its first page and
    // beside the series; once the file is back, it says nothing of the kind.
    void reportWhileAFileIsGone() {
        AnalysisWindow w;
        const QString gone = openCopy(w, QStringLiteral("ida.asc"));
        QVERIFY(!openCopy(w, QStringLiteral("queda.asc")).isEmpty());
        QVERIFY(QFile::remove(gone));
        QTRY_COMPARE_WITH_TIMEOUT(w.fileState(0).status, FileStatus::Deleted, kTimeoutMs);
        QCOMPARE(w.fileState(1), FileState{});

        const auto series = w.plotSeries();
        QCOMPARE(series.at(0).label, QStringLiteral("ida.asc (borrado)"));
        QCOMPARE(series.at(1).label, QStringLiteral("queda.asc"));
        QCOMPARE(
            staleNotes(series),
            QStringList{QStringLiteral("Los datos de ida.asc no corresponden al fichero actual (borrado)")});
        QString error;
        QVERIFY2(w.writeReport(path(QStringLiteral("informe.pdf")), error), qPrintable(error));
        QVERIFY(readFile(path(QStringLiteral("informe.pdf"))).startsWith("%PDF"));

        writeFile(gone, "basura\n");
        QTRY_COMPARE_WITH_TIMEOUT(w.fileState(0).status, FileStatus::Unreadable, kTimeoutMs);
        QCOMPARE(
            staleNotes(w.plotSeries()),
            QStringList{QStringLiteral("Los datos de ida.asc no corresponden al fichero actual (ilegible: "
                                       "%1)")
                            .arg(w.fileState(0).reason)});
        QCOMPARE(w.plotSeries().at(0).label, QStringLiteral("ida.asc (ilegible)"));

        writeFile(gone, tenRecords_);
        QTRY_COMPARE_WITH_TIMEOUT(w.fileState(0), FileState{}, kTimeoutMs);
        QCOMPARE(staleNotes(w.plotSeries()), QStringList{});
        QCOMPARE(w.plotSeries().at(0).label, QStringLiteral("ida.asc"));
    }
};

QTEST_MAIN(FollowedFileStatesTest)
#include "FollowedFileStatesTest.moc"
