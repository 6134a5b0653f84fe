#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

#include "ui/MainWindow.h"
#include "ui/theory/ChapterFiles.h"
#include "ui/theory/Teoria.h"
#include "ui/theory/TheoryWindow.h"

using namespace eh;

namespace {

const QStringList kChapters{"Intro.rtf", "EH.rtf", "EH-2p.rtf", "Medidas.rtf", "Discusion.rtf"};

void touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("{\\rtf1 x}");
}

// Runs `action` against whatever modal window shows up while `open` runs, then closes it.
struct ModalProbe {
    QString title, text, chapter;
    bool teoria = false;
    void arm() {
        QTimer::singleShot(50, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return;
            title = modal->windowTitle();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) text = box->text();
            if (auto* window = qobject_cast<Teoria*>(modal)) {
                teoria = true;
                chapter = QFileInfo(window->chapterPath()).fileName();
            }
            modal->close();
        });
    }
};

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
        touch(cwd + "/EH.rtf");
        QCOMPARE(locateChapter("EH.rtf", prog, cwd), cwd + "/EH.rtf");
        touch(share + "/EH.rtf");
        QCOMPARE(locateChapter("EH.rtf", prog, cwd), share + "/EH.rtf");
        touch(prog + "/EH.rtf");
        QCOMPARE(locateChapter("EH.rtf", prog, cwd), prog + "/EH.rtf");
        QCOMPARE(locateChapter("Intro.rtf", prog, cwd), QString());
    }

    void everyChapterLoadsAndReadsAsText() {
        QDir::setCurrent(TARVELO_CHAPTERS_DIR);
        for (const QString& name : kChapters) {
            Teoria window;
            QString error;
            const QString path = locateChapter(name);
            QVERIFY2(!path.isEmpty(), qPrintable(name));
            QVERIFY2(window.loadChapter(path, &error), qPrintable(name + ": " + error));
            QCOMPARE(window.windowTitle(), QStringLiteral("INTRODUCCIÓN TEÓRICA "));
            QVERIFY(window.text()->isReadOnly());
            QVERIFY2(window.text()->toPlainText().size() > 1500, qPrintable(name));
            QCOMPARE(window.size(), QSize(631, 416));
            QCOMPARE(window.text()->geometry(), QRect(16, 8, 601, 369));
            window.grab().save(
                QString(TARVELO_SCREENSHOT_DIR "/teoria-%1.png").arg(QFileInfo(name).baseName()));
        }
    }

    void missingChapterIsReportedAndNoWindowOpens() {
        QTemporaryDir empty;
        QDir::setCurrent(empty.path());
        ModalProbe probe;
        probe.arm();
        showTeoria(nullptr, "Discusion.rtf");
        QCOMPARE(probe.title, QStringLiteral("MENSAJE DE ERROR"));
        QVERIFY(probe.text.contains("Discusion.rtf"));
        QVERIFY(!probe.teoria);
    }

    void unreadableChapterIsReportedToo() {
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        QFile f(dir.filePath("Medidas.rtf"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("esto no es RTF");
        f.close();
        ModalProbe probe;
        probe.arm();
        showTeoria(nullptr, "Medidas.rtf");
        QCOMPARE(probe.title, QStringLiteral("MENSAJE DE ERROR"));
        QVERIFY(probe.text.contains("Medidas.rtf"));
    }

    // A chapter damaged after some of it was read is shown, under one line naming the
    // file and the damage; one that gives nothing is refused as an unreadable file is.
    void damagedChapterShowsWhatWasReadUnderANotice_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("notice"); // empty: nothing to show, a message box instead
        QFile eh(TARVELO_CHAPTERS_DIR "/EH.rtf");
        QVERIFY(eh.open(QIODevice::ReadOnly));
        QByteArray chapter = eh.readAll().trimmed();
        QVERIFY(chapter.endsWith('}'));
        chapter.chop(1);
        const QString tail = QStringLiteral(".");
        QTest::newRow("last brace missing")
            << chapter << "El fichero EH.rtf está dañado: se corta antes de su final" + tail;
        QTest::newRow("nested too deep")
            << "{\\rtf1 Texto le\\'eddo." + QByteArray(300, '{') + "x"
            << "El fichero EH.rtf está dañado: tiene grupos anidados a más de 256 niveles" + tail;
        QTest::newRow("nothing before the cut") << QByteArray("{\\rtf1 ") << QString();
        QTest::newRow("cut inside the font table")
            << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}") << QString();
    }
    void damagedChapterShowsWhatWasReadUnderANotice() {
        QFETCH(QByteArray, content);
        QFETCH(QString, notice);
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        QFile f(dir.filePath("EH.rtf"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();
        QString shownText;
        ModalProbe probe;
        QTimer::singleShot(50, [&] {
            if (auto* window = qobject_cast<Teoria*>(QApplication::activeModalWidget())) {
                shownText = window->text()->toPlainText();
                window->grab().save(QString(TARVELO_SCREENSHOT_DIR "/teoria-damaged-%1.png")
                                        .arg(QString(QTest::currentDataTag()).replace(' ', '-')));
            }
        });
        probe.arm();
        showTeoria(nullptr, "EH.rtf");
        if (notice.isEmpty()) {
            QCOMPARE(probe.title, QStringLiteral("MENSAJE DE ERROR"));
            QCOMPARE(probe.text, QStringLiteral("No se puede leer el fichero EH.rtf"));
            QVERIFY(!probe.teoria);
            return;
        }
        QVERIFY(probe.teoria);
        const QStringList lines = shownText.split('\n');
        QCOMPARE(lines.first(), notice);
        if (QTest::currentDataTag() == QByteArray("last brace missing")) {
            // Everything the intact chapter holds follows the notice.
            Teoria intact;
            QString error;
            QVERIFY(intact.loadChapter(TARVELO_CHAPTERS_DIR "/EH.rtf", &error));
            QVERIFY(!intact.isDamaged());
            QCOMPARE(shownText.mid(notice.size() + 1), intact.text()->toPlainText());
        } else {
            QCOMPARE(lines.at(1), QString::fromUtf8("Texto leído."));
        }
    }

    void chapterOpensModallyAndIsDestroyedWhenClosed() {
        QDir::setCurrent(TARVELO_CHAPTERS_DIR);
        for (int round = 0; round < 2; ++round) {
            ModalProbe probe;
            probe.arm();
            showTeoria(nullptr, kChapters[round]);
            QVERIFY(probe.teoria);
            QCOMPARE(probe.title, QStringLiteral("INTRODUCCIÓN TEÓRICA "));
            QVERIFY(!QApplication::activeModalWidget());
        }
    }

    void eachLinkOfTheMainWindowOpensItsChapter() {
        QDir::setCurrent(TARVELO_CHAPTERS_DIR);
        EH bench;
        bench.show();
        const std::pair<const char*, const char*> links[] = {{"Label1", "Intro.rtf"},
                                                             {"Label2", "EH.rtf"},
                                                             {"Label3", "EH-2p.rtf"},
                                                             {"Label4", "Medidas.rtf"},
                                                             {"Label5", "Discusion.rtf"}};
        for (const auto& [label, file] : links) {
            QWidget* link = bench.findChild<QWidget*>(label);
            QVERIFY2(link, label);
            ModalProbe probe;
            probe.arm();
            QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(5, 5));
            QVERIFY2(probe.teoria, label);
            QCOMPARE(probe.chapter, QString(file));
            QCOMPARE(probe.title, QStringLiteral("INTRODUCCIÓN TEÓRICA "));
        }
    }
};

QTEST_MAIN(TheoryWindowTest)
#include "TheoryWindowTest.moc"
