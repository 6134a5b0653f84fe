// What the user sees at the start after an ended session: one message box naming
// the rescued files, and none at the start after that.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "app/RecoveryNotice.h"
#include "register/Recovery.h"

class RecoveryNoticeTest : public QObject {
    Q_OBJECT
private slots:
    void rescuedFilesAreNamedOnce();
};

void RecoveryNoticeTest::rescuedFilesAreNamedOnce() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString folder = dir.path() + QStringLiteral("/Tarvelo");
    const auto first = eh::saveRecovery(folder.toStdString(), "1,301,9000,10,2.5,-1.25,1.25\r\n", 1796000000);
    const auto second =
        eh::saveRecovery(folder.toStdString(), "1,302,9000,10,2.5,-1.25,1.25\r\n", 1796003600);
    QVERIFY(first && second);

    QWidget window;
    window.resize(900, 600);
    window.show();
    int boxes = 0;
    QString title, text;
    // Looks at the box from inside its own loop, keeps a picture of it and presses OK;
    // a box that never comes or never goes fails the test instead of hanging it.
    QTimer look;
    connect(&look, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) return;
        ++boxes;
        title = box->windowTitle();
        text = box->text();
        QCOMPARE(box->objectName(), QStringLiteral("RecoveryNotice"));
        QCOMPARE(box->buttons().size(), 1);
        box->grab().save(QStringLiteral(TARVELO_SCREENSHOT_DIR "/recovery-notice.png"));
        box->button(QMessageBox::Ok)->click();
    });
    look.start(20);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    watchdog.start(20000);

    eh::announceRescuedMeasurements(&window, folder);
    QVERIFY2(watchdog.isActive(), "the notice was not dismissed");
    QCOMPARE(boxes, 1);
    QCOMPARE(title, QStringLiteral("Medidas recuperadas"));
    QVERIFY(
        text.contains(QString::fromStdString(*first) + QLatin1Char('\n') + QString::fromStdString(*second)));

    eh::announceRescuedMeasurements(&window, folder);
    QCOMPARE(boxes, 1); // told once
}

QTEST_MAIN(RecoveryNoticeTest)
#include "RecoveryNoticeTest.moc"
