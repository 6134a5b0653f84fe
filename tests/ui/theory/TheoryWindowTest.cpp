#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

#include "ui/theory/ChapterFiles.h"
#include "ui/theory/Teoria.h"
#include "ui/theory/TheoryWindow.h"

using namespace eh;

namespace {

void write(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

// What the modal window that showTeoria opens shows: its title and its text (a message
// box's message, or the text of a theory window). The window is closed once read; one
// that stays open for 10 s aborts the test instead of hanging it.
QStringList showAndClose(const QString& fileName) {
    QStringList shown;
    QElapsedTimer waited;
    waited.start();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (waited.elapsed() > 10000) qFatal("a modal window did not close");
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        shown = {modal->windowTitle()};
        if (auto* box = qobject_cast<QMessageBox*>(modal)) shown << box->text();
        if (auto* window = qobject_cast<Teoria*>(modal)) shown << window->text()->toPlainText();
        modal->close();
    });
    poll.start(20);
    showTeoria(nullptr, fileName);
    return shown;
}

} // namespace

class TheoryWindowTest : public QObject {
    Q_OBJECT
private slots:
    void chaptersAreLookedUpBesideTheProgramThenInstalledThenWorkingDir() {
        QTemporaryDir root;
        const QString prog = root.filePath("bin"), share = root.filePath("share/tarvelo"),
                      cwd = root.filePath("work");
        QDir().mkpath(prog);
        QCOMPARE(locateChapter("EH.rtf", prog, cwd), QString());
        for (const QString& dir : {cwd, share, prog}) {
            write(dir + "/EH.rtf", "{\\rtf1 x}");
            QCOMPARE(locateChapter("EH.rtf", prog, cwd), dir + "/EH.rtf");
        }
        QCOMPARE(locateChapter("Intro.rtf", prog, cwd), QString());
    }

    void everyChapterLoadsAndReadsAsText() {
        QDir::setCurrent(TARVELO_CHAPTERS_DIR);
        for (const QString name : {"Intro.rtf", "EH.rtf", "EH-2p.rtf", "Medidas.rtf", "Discusion.rtf"}) {
            Teoria window;
            QString error;
            QVERIFY2(window.loadChapter(locateChapter(name), &error), qPrintable(name + ": " + error));
            QVERIFY(!window.isDamaged());
            QCOMPARE(window.windowTitle(), QStringLiteral("INTRODUCCIÓN TEÓRICA "));
            QVERIFY(window.text()->isReadOnly());
            QVERIFY2(window.text()->toPlainText().size() > 1500, qPrintable(name));
            QCOMPARE(window.size(), QSize(631, 416));
            QCOMPARE(window.text()->geometry(), QRect(16, 8, 601, 369));
            window.grab().save(
                QString(TARVELO_SCREENSHOT_DIR "/teoria-%1.png").arg(QFileInfo(name).baseName()));
        }
    }

    // A chapter that is missing or gives nothing is reported in a message box; one damaged
    // after some of it was read is shown under one line naming the file and the damage.
    void whatAChapterShowsWhenItIsDamaged_data() {
        QTest::addColumn<QByteArray>("content"); // null: no file
        QTest::addColumn<QStringList>("shown");
        const QString error = QStringLiteral("MENSAJE DE ERROR");
        const QString notice = QStringLiteral("El fichero EH.rtf está dañado: %1.\n");
        QFile eh(TARVELO_CHAPTERS_DIR "/EH.rtf");
        QVERIFY(eh.open(QIODevice::ReadOnly));
        const QByteArray chapter = eh.readAll().trimmed();
        QVERIFY(chapter.endsWith('}'));
        Teoria intact;
        QVERIFY(intact.loadChapter(TARVELO_CHAPTERS_DIR "/EH.rtf", nullptr));
        const QString title = intact.windowTitle();
        QTest::newRow("missing") << QByteArray() << QStringList{error, "No se encuentra el fichero EH.rtf"};
        QTest::newRow("not RTF") << QByteArray("esto no es RTF")
                                 << QStringList{error, "No se puede leer el fichero EH.rtf"};
        QTest::newRow("nothing before the cut")
            << QByteArray("{\\rtf1 ") << QStringList{error, "No se puede leer el fichero EH.rtf"};
        QTest::newRow("cut inside the font table")
            << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}")
            << QStringList{error, "No se puede leer el fichero EH.rtf"};
        QTest::newRow("nested too deep")
            << "{\\rtf1 Texto le\\'eddo." + QByteArray(300, '{') + "x"
            << QStringList{title, notice.arg("tiene grupos anidados a más de 256 niveles") + "Texto leído."};
        QTest::newRow("last brace missing")
            << chapter.chopped(1)
            << QStringList{title, notice.arg("se corta antes de su final") + intact.text()->toPlainText()};
    }
    void whatAChapterShowsWhenItIsDamaged() {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, shown);
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        if (!content.isNull()) write(dir.filePath("EH.rtf"), content);
        QCOMPARE(showAndClose("EH.rtf"), shown);
    }
};

QTEST_MAIN(TheoryWindowTest)
#include "TheoryWindowTest.moc"
