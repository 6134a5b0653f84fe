// Following a shown file: written in place, replaced by renaming, removed for good,
// and a file the reader could not read yet.
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

#include "ui/analysis/FileFollower.h"

using eh::analysis::FileFollower;

namespace {

void writeFile(const QString& path, const QByteArray& content) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}

} // namespace

class FileFollowerTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

private slots:
    // A change in place is offered once, after the pause; a file renamed over the
    // followed one is offered too and stays followed, so its next change is seen.
    void writtenInPlaceAndReplaced() {
        const QString file = path("datos.asc");
        writeFile(file, "1\n");
        FileFollower follower;
        follower.follow(file);
        QSignalSpy changed(&follower, &FileFollower::filesChanged);
        QSignalSpy gone(&follower, &FileFollower::fileGone);

        writeFile(file, "2\n");
        QTRY_COMPARE_WITH_TIMEOUT(changed.count(), 1, 5000);
        QCOMPARE(changed.at(0).at(0).toStringList(), QStringList{file});

        writeFile(path("nuevo.tmp"), "3\n");
        QCOMPARE(std::rename(qPrintable(path("nuevo.tmp")), qPrintable(file)), 0);
        QTRY_COMPARE_WITH_TIMEOUT(changed.count(), 2, 5000);
        QVERIFY(follower.follows(file));
        writeFile(file, "4\n");
        QTRY_COMPARE_WITH_TIMEOUT(changed.count(), 3, 5000);
        QTest::qWait(600); // nothing more comes of these three changes
        QCOMPARE(changed.count(), 3);
        QCOMPARE(gone.count(), 0);
    }

    // A removed file is looked for eight times a quarter of a second apart, then
    // reported gone once; it was never offered to be read.
    void removedForGood() {
        const QString file = path("borrado.asc");
        writeFile(file, "1\n");
        FileFollower follower;
        follower.follow(file);
        QSignalSpy changed(&follower, &FileFollower::filesChanged);
        QSignalSpy gone(&follower, &FileFollower::fileGone);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(QFile::remove(file));
        QTRY_COMPARE_WITH_TIMEOUT(gone.count(), 1, 8000);
        // Coarse timers may fire up to 5 % early.
        QVERIFY2(clock.elapsed() >= 1900, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(gone.at(0).at(0).toString(), file);
        QTest::qWait(600);
        QCOMPARE(gone.count(), 1);
        QCOMPARE(changed.count(), 0);
    }

    // A reader that cannot read the file yet asks for it again and gets it again,
    // until it stops asking.
    void retriedWhileTheReaderAsks() {
        const QString file = path("a-medias.asc");
        writeFile(file, "1\n");
        FileFollower follower;
        follower.follow(file);
        int offers = 0;
        connect(&follower, &FileFollower::filesChanged, this, [&](const QStringList& paths) {
            if (++offers < 3) follower.retry(paths.value(0));
        });
        QSignalSpy gone(&follower, &FileFollower::fileGone);
        writeFile(file, "2\n");
        QTRY_COMPARE_WITH_TIMEOUT(offers, 3, 5000);
        QTest::qWait(600);
        QCOMPARE(offers, 3);
        QCOMPARE(gone.count(), 0);
    }
};

QTEST_GUILESS_MAIN(FileFollowerTest)
#include "FileFollowerTest.moc"
