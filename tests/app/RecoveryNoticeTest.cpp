// What the user sees at the start after an ended session: one message box naming
// the rescued files, and none at the start after that.
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>

#include "UiTestSupport.h"
#include "app/RecoveryNotice.h"
#include "datafile/Recovery.h"

using eh::test::ModalWatchdog;
using eh::test::onNextModal;

class RecoveryNoticeTest : public QObject {
    Q_OBJECT
private slots:
    void rescuedFilesAreNamedOnce();
    void unusableDataFolderIsSaid();
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
    // a box that never comes fails the comparisons, one that never goes the watchdog.
    const ModalWatchdog watchdog(20000);
    const auto answer = onNextModal([&](QWidget* modal) {
        ++boxes;
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box != nullptr);
        title = box->windowTitle();
        text = box->text();
        QCOMPARE(box->objectName(), QStringLiteral("RecoveryNotice"));
        QCOMPARE(box->buttons().size(), 1);
        box->grab().save(QStringLiteral(TARVELO_SCREENSHOT_DIR "/recovery-notice.png"));
        box->button(QMessageBox::Ok)->click();
    });

    eh::announceRescuedMeasurements(&window, {folder});
    QCOMPARE(boxes, 1);
    QCOMPARE(title, QStringLiteral("Medidas recuperadas"));
    QVERIFY(
        text.contains(QString::fromStdString(*first) + QLatin1Char('\n') + QString::fromStdString(*second)));

    const auto again = onNextModal([&](QWidget* modal) {
        ++boxes;
        modal->close();
    });
    eh::announceRescuedMeasurements(&window, {folder});
    QCOMPARE(boxes, 1); // told once
}

void RecoveryNoticeTest::unusableDataFolderIsSaid() {
    QWidget window;
    window.show();
    QString title, text;
    const ModalWatchdog watchdog(20000);
    const auto answer = onNextModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box != nullptr);
        title = box->windowTitle();
        text = box->text();
        QCOMPARE(box->buttons().size(), 1);
        box->button(QMessageBox::Ok)->click();
    });
    eh::warnAboutDataFolder(&window,
                            QStringLiteral("No se puede usar la carpeta de datos /d/Tarvelo (x).\nY."));
    QCOMPARE(title, QStringLiteral("CARPETA DE DATOS"));
    // Both lines, each kept whole.
    QVERIFY(text.contains(QStringLiteral("No se puede usar la carpeta de datos /d/Tarvelo (x).\nY.")));
    QVERIFY(text.contains(QStringLiteral("white-space:pre")));
}

QTEST_MAIN(RecoveryNoticeTest)
#include "RecoveryNoticeTest.moc"
