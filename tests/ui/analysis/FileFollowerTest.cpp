// Following a shown file: written in place, replaced by renaming, removed and written
// again long after, a file the reader could not read, and other files of its folder.
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

// Longer than all the attempts together: what comes after it is seen only because the
// file's folder is watched.
constexpr int kLongAfterMs = FileFollower::kAttempts * FileFollower::kDelayMs + 500;

} // namespace

class FileFollowerTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

private slots:
    // A change in place is offered once, after the pause; a file renamed over the
    // followed one is offered too and is followed in its turn, so its next change in
    // place is seen.
    void writtenInPlaceAndReplaced() {
        const QString file = path("datos.asc");
        writeFile(file, "1\n");
        FileFollower follower;
        follower.follow(file);
        QSignalSpy changed(&follower, &FileFollower::filesChanged);

        writeFile(file, "2\n");
        QTRY_COMPARE_WITH_TIMEOUT(changed.count(), 1, 5000);
        QCOMPARE(changed.at(0).at(0).toStringList(), QStringList{file});

        // The replaced file is still open elsewhere, so it lives on, and so would a
        // watch left on it.
        QFile stillOpen(file);
        QVERIFY(stillOpen.open(QIODevice::ReadOnly));
        writeFile(path("nuevo.tmp"), "3\n");
        QCOMPARE(std::rename(qPrintable(path("nuevo.tmp")), qPrintable(file)), 0);
        QTRY_COMPARE_WITH_TIMEOUT(changed.count(), 2, 5000);
        QCOMPARE(changed.at(1).at(0).toStringList(), QStringList{file});
        QVERIFY(follower.watchesFile(file));
        writeFile(file, "4\n");
        QTRY_COMPARE_WITH_TIMEOUT(changed.count(), 3, 5000);
        QTest::qWait(600); // nothing more comes of these three changes
        QCOMPARE(changed.count(), 3);
    }

    // A removed file is offered (so the reader can say it is gone), no longer watched
    // itself; written again under its name long after, it is offered and watched again.
    void removedAndWrittenAgainLongAfter() {
        const QString file = path("borrado.asc");
        writeFile(file, "1\n");
        FileFollower follower;
        follower.follow(file);
        QSignalSpy changed(&follower, &FileFollower::filesChanged);
        QVERIFY(QFile::remove(file));
        QTRY_COMPARE_WITH_TIMEOUT(changed.count(), 1, 5000);
        QCOMPARE(changed.at(0).at(0).toStringList(), QStringList{file});
        QVERIFY(!follower.watchesFile(file));
        QTest::qWait(kLongAfterMs);
        QCOMPARE(changed.count(), 1);

        writeFile(file, "2\n");
        QTRY_COMPARE_WITH_TIMEOUT(changed.count(), 2, 5000);
        QCOMPARE(changed.at(1).at(0).toStringList(), QStringList{file});
        QTRY_VERIFY_WITH_TIMEOUT(follower.watchesFile(file), 5000);
        writeFile(file, "3\n"); // in place: seen through the file's own watch again
        QTRY_COMPARE_WITH_TIMEOUT(changed.count(), 3, 5000);
    }

    // A reader that cannot read the file asks for it again and gets it again after the
    // pause, until it stops asking or the attempts run out; then nothing more comes
    // until the file changes again.
    void retriedWhileTheReaderAsks_data() {
        QTest::addColumn<int>("asks");
        QTest::addColumn<int>("offers");
        QTest::newRow("asks twice") << 2 << 3;
        QTest::newRow("asks one less than the attempts")
            << FileFollower::kAttempts - 1 << FileFollower::kAttempts;
        QTest::newRow("asks always") << 1000 << FileFollower::kAttempts;
    }
    void retriedWhileTheReaderAsks() {
        QFETCH(int, asks);
        QFETCH(int, offers);
        const QString file = path("a-medias.asc");
        writeFile(file, "1\n");
        FileFollower follower;
        follower.follow(file);
        int offered = 0;
        connect(&follower, &FileFollower::filesChanged, this, [&](const QStringList& paths) {
            if (offered++ < asks) follower.retry(paths.value(0));
        });
        QElapsedTimer clock;
        clock.start();
        writeFile(file, "2\n");
        QTRY_COMPARE_WITH_TIMEOUT(offered, offers, 10000);
        // Each offer after the pause (coarse timers may fire up to 5 % early).
        QVERIFY2(clock.elapsed() >= offers * FileFollower::kDelayMs * 95 / 100,
                 qPrintable(QString::number(clock.elapsed())));
        QTest::qWait(4 * FileFollower::kDelayMs);
        QCOMPARE(offered, offers);
        writeFile(file, "3\n");
        QTRY_COMPARE_WITH_TIMEOUT(offered, offers + 1, 5000);
    }

    // Other files coming and going in the folder, as the bench's temporary file does,
    // offer nothing; a followed file of the same folder is offered alone.
    void otherFilesOfTheFolder() {
        const QString file = path("uno.asc"), other = path("dos.asc");
        writeFile(file, "1\n");
        writeFile(other, "1\n");
        FileFollower follower;
        follower.follow(file);
        follower.follow(other);
        QSignalSpy changed(&follower, &FileFollower::filesChanged);
        writeFile(path("ajeno.tmp"), "x\n");
        QVERIFY(QFile::remove(path("ajeno.tmp")));
        QTest::qWait(4 * FileFollower::kDelayMs);
        QCOMPARE(changed.count(), 0);
        writeFile(path("otro.tmp"), "2\n");
        QCOMPARE(std::rename(qPrintable(path("otro.tmp")), qPrintable(other)), 0);
        QTRY_COMPARE_WITH_TIMEOUT(changed.count(), 1, 5000);
        QCOMPARE(changed.at(0).at(0).toStringList(), QStringList{other});
    }
};

QTEST_GUILESS_MAIN(FileFollowerTest)
#include "FileFollowerTest.moc"
