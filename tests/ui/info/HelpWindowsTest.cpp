#include <QtTest>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

#include <functional>

#include "ui/info/Acerca.h"
#include "ui/info/FormulaWidget.h"
#include "ui/info/HelpWindows.h"
#include "ui/info/Info1.h"
#include "ui/info/Info2.h"
#include "ui/info/Info3.h"
#include "ui/info/Info4.h"
#include "ui/info/Info5.h"
#include "ui/info/Placement.h"

using Opener = std::function<void(QWidget*)>;
Q_DECLARE_METATYPE(Opener)

namespace {

const eh::SampleDimensions kSample1{1, 0.3f, 0.2f, 0.01f};
const eh::SampleDimensions kSample2{2, 0.4f, 0.25f, 0.015f};

// What a test saw of the modal window while it was open.
struct Seen {
    QPointer<QDialog> window;
    QString title;
    QSize clientSize;
    QRect frame;
    QString buttonText;
    QMap<QString, QString> labels;
    QMap<QString, bool> labelVisible;
    bool wasModal = false;
};

enum class CloseBy { Command1, CloseBox };

// Opens a window with `open`, records it once it is showing, lets `inspect` look at it, then
// closes it as a user would. A watchdog closes any stray modal window so that a failure
// cannot hang the run.
Seen runOpen(const Opener& open, QWidget* mainWindow, CloseBy how,
             const std::function<void(QDialog*)>& inspect = {}) {
    Seen seen;
    QTimer::singleShot(50, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        seen.window = dialog;
        seen.wasModal = dialog->isModal();
        seen.title = dialog->windowTitle();
        seen.clientSize = dialog->size();
        seen.frame = dialog->frameGeometry();
        if (auto* button = dialog->findChild<QPushButton*>(QStringLiteral("Command1")))
            seen.buttonText = button->text();
        for (QLabel* label : dialog->findChildren<QLabel*>()) {
            seen.labels[label->objectName()] = label->text();
            seen.labelVisible[label->objectName()] = label->isVisible();
        }
        if (inspect) inspect(dialog);
        if (how == CloseBy::Command1) {
            if (auto* button = dialog->findChild<QPushButton*>(QStringLiteral("Command1")))
                QTest::mouseClick(button, Qt::LeftButton);
        } else {
            dialog->close(); // what the title-bar close box does
        }
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        if (QWidget* w = QApplication::activeModalWidget()) w->close();
    });
    watchdog.start(5000);
    open(mainWindow);
    return seen;
}

QString outputPath(const QString& name) {
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + name + QStringLiteral(".png");
}

int countPixels(const QImage& image, QRect area, const std::function<bool(QRgb)>& pred) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (pred(image.pixel(x, y))) ++n;
    return n;
}

bool isWhite(QRgb c) {
    return c == qRgb(255, 255, 255);
}
bool isDark(QRgb c) {
    return qGray(c) < 100;
}

} // namespace

class HelpWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void opensModallyAndClosesWithCommand1_data();
    void opensModallyAndClosesWithCommand1();
    void textsKeepTheirBlanksAndQuotes();
    void everyLabelTextFitsItsRectangle();
    void samplesWindowShowsTheSelectedSample();
    void placedFromTheMainWindowSizeNotItsPosition();
    void drawingsAndFormulasArePainted();
    void cleanupTestCase();

private:
    QWidget* main_ = nullptr;
};

void HelpWindowsTest::initTestCase() {
    main_ = new QWidget;
    main_->setWindowTitle(QStringLiteral("main"));
    main_->resize(700, 520);
    main_->move(40, 30);
    main_->show();
    QVERIFY(QTest::qWaitForWindowExposed(main_));
}

void HelpWindowsTest::cleanupTestCase() {
    delete main_;
}

void HelpWindowsTest::opensModallyAndClosesWithCommand1_data() {
    QTest::addColumn<Opener>("open");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QString>("button");

    const QString cerrar = QStringLiteral("Cerrar");
    QTest::newRow("info1") << Opener(eh::showInfo1) << QStringLiteral("INFORMACIÓN SOBRE EL CONMUTADOR")
                           << QSize(610, 445) << cerrar;
    QTest::newRow("info2") << Opener(eh::showInfo2) << QStringLiteral("INFORMACIÓN SOBRE EL ELECTROIMÁN")
                           << QSize(487, 409) << cerrar;
    QTest::newRow("info3") << Opener([](QWidget* m) { eh::showInfo3(m, kSample1); })
                           << QStringLiteral("INFORMACIÓN SOBRE LAS MUESTRAS") << QSize(539, 351) << cerrar;
    QTest::newRow("info4") << Opener(eh::showInfo4) << QStringLiteral("INFORMACIÓN SOBRE EL CRIOSTATO")
                           << QSize(538, 496) << cerrar;
    QTest::newRow("info5") << Opener(eh::showInfo5) << QStringLiteral("INFORMACIÓN SOBRE LA INTERFAZ ")
                           << QSize(544, 299) << cerrar;
    QTest::newRow("acerca") << Opener(eh::showAcerca) << QStringLiteral("Acerca de Tarvelo")
                            << QSize(325, 258) << QStringLiteral("Aceptar");
}

void HelpWindowsTest::opensModallyAndClosesWithCommand1() {
    QFETCH(Opener, open);
    QFETCH(QString, caption);
    QFETCH(QSize, client);
    QFETCH(QString, button);

    const QString name = QString::fromLatin1(QTest::currentDataTag());
    const Seen seen = runOpen(open, main_, CloseBy::Command1,
                              [&](QDialog* d) { QVERIFY(d->grab().save(outputPath(name))); });
    QVERIFY2(seen.title == caption, qPrintable(seen.title));
    QVERIFY(seen.wasModal);
    QCOMPARE(seen.clientSize, client);
    QCOMPARE(seen.buttonText, button);
    QVERIFY2(seen.window.isNull(), "window survives its closing");
    QVERIFY(!QApplication::activeModalWidget());
}

void HelpWindowsTest::textsKeepTheirBlanksAndQuotes() {
    eh::Info2 info2;
    eh::Info5 info5;
    auto text = [](QWidget& w, const char* name) {
        return w.findChild<QLabel*>(QString::fromLatin1(name))->text();
    };
    QVERIFY(text(info2, "Label1").contains(QStringLiteral("interruptores \" - \" y \"+\"  conectan")));
    QVERIFY(text(info2, "Label2").startsWith(QStringLiteral("Al conectar o desconectar  las")));
    QVERIFY(text(info5, "Label4").endsWith(QStringLiteral("indicados arriba. ")));
    QVERIFY(text(info5, "Label5").startsWith(QStringLiteral("El  botón \"Inicializar\"")));
}

void HelpWindowsTest::everyLabelTextFitsItsRectangle() {
    QList<QDialog*> windows{new eh::Info1, new eh::Info2, new eh::Info3(kSample2),
                            new eh::Info4, new eh::Info5, new eh::Acerca};
    QStringList cut;
    for (QDialog* w : windows) {
        for (QLabel* label : w->findChildren<QLabel*>()) {
            const QFontMetrics fm(label->font());
            const QRect needed = fm.boundingRect(QRect(0, 0, label->width(), 10000),
                                                 int(label->alignment()) | Qt::TextWordWrap, label->text());
            // Every wrapped line shows whole, descenders included.
            const int visibleHeight = needed.height();
            int widestWord = 0;
            for (const QString& word : label->text().split(QLatin1Char(' ')))
                widestWord = std::max(widestWord, fm.horizontalAdvance(word));
            if (visibleHeight > label->height() || widestWord > label->width())
                cut << w->windowTitle() + " " + label->objectName() + " needs " +
                           QString::number(visibleHeight) + " of " + QString::number(label->height());
        }
        // Fonts resolve to installed families, not to a fallback.
        QVERIFY(
            w->findChild<QLabel*>(QStringLiteral("Label1"))->fontInfo().family().startsWith("Liberation"));
    }
    qDeleteAll(windows);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
}

void HelpWindowsTest::samplesWindowShowsTheSelectedSample() {
    const Opener open1 = [](QWidget* m) { eh::showInfo3(m, kSample1); };
    const Opener open2 = [](QWidget* m) { eh::showInfo3(m, kSample2); };

    const Seen first = runOpen(open1, main_, CloseBy::CloseBox);
    QCOMPARE(first.labels.value("Label1"), QStringLiteral("Dimensiones de la muestra   1"));
    QCOMPARE(first.labels.value("Label3"), QStringLiteral("Longitud = .3 cm"));
    QCOMPARE(first.labels.value("Label4"), QStringLiteral("Anchura = .2 cm"));
    QCOMPARE(first.labels.value("Label5"), QStringLiteral("Grosor = .01 cm"));
    for (const char* name : {"Label1", "Label3", "Label4", "Label5"}) QVERIFY(first.labelVisible.value(name));
    QVERIFY2(first.window.isNull(), "the close box leaves the window alive");

    // Reopened after the close box with another sample: built afresh.
    const Seen second = runOpen(open2, main_, CloseBy::CloseBox);
    QCOMPARE(second.labels.value("Label1"), QStringLiteral("Dimensiones de la muestra   2"));
    QCOMPARE(second.labels.value("Label3"), QStringLiteral("Longitud = .4 cm"));
    QCOMPARE(second.labels.value("Label4"), QStringLiteral("Anchura = .25 cm"));
    QCOMPARE(second.labels.value("Label5"), QStringLiteral("Grosor = .015 cm"));
    QVERIFY(second.window.isNull());

    const Seen third = runOpen(open1, main_, CloseBy::Command1);
    QCOMPARE(third.labels.value("Label1"), QStringLiteral("Dimensiones de la muestra   1"));
    QCOMPARE(third.labels.value("Label5"), QStringLiteral("Grosor = .01 cm"));
    // The caption labels of the drawing are untouched.
    QCOMPARE(third.labels.value("Label6"), QStringLiteral("Longitud"));
}

void HelpWindowsTest::placedFromTheMainWindowSizeNotItsPosition() {
    const QRect area = main_->screen()->availableGeometry();
    const QSize mainFrame = main_->frameGeometry().size();
    const Seen atFirst = runOpen(eh::showInfo5, main_, CloseBy::Command1);
    QVERIFY(atFirst.frame.isValid());
    const QPoint expected = area.topLeft() + QPoint((mainFrame.width() - atFirst.frame.width()) / 2,
                                                    (mainFrame.height() - atFirst.frame.height()) / 2);
    QCOMPARE(atFirst.frame.topLeft(), expected);

    // Moving the main window does not move the help window.
    main_->move(160, 90);
    const Seen moved = runOpen(eh::showInfo5, main_, CloseBy::Command1);
    main_->move(40, 30);
    QCOMPARE(moved.frame.topLeft(), expected);
}

void HelpWindowsTest::drawingsAndFormulasArePainted() {
    eh::Info1 info1;
    const QImage g1 = info1.grab().toImage();
    QCOMPARE(g1.pixel(220, 200), qRgb(224, 224, 224)); // front face of the bar
    QCOMPARE(g1.pixel(184, 210), qRgb(128, 128, 128)); // contact A
    QCOMPARE(g1.pixel(345, 172), qRgb(128, 128, 128)); // contact B on the top edge
    QCOMPARE(g1.pixel(150, 200), qRgb(0, 0, 0));       // lead from A
    QCOMPARE(g1.pixel(400, 160), qRgb(192, 192, 192)); // top edge of the bar in perspective

    eh::Info3 info3(kSample1);
    const QImage g3 = info3.grab().toImage();
    QCOMPARE(g3.pixel(260, 215), qRgb(224, 224, 224));
    QCOMPARE(g3.pixel(380, 215), qRgb(128, 128, 128)); // right end contact
    QCOMPARE(g3.pixel(400, 200), qRgb(128, 128, 128)); // right side edge at x 6000 twips

    eh::Info4 info4;
    const QImage g4 = info4.grab().toImage();
    const QWidget* picture = info4.findChild<QWidget*>(QStringLiteral("Image1"));
    const QWidget* strip = info4.findChild<QWidget*>(QStringLiteral("Shape1"));
    QVERIFY(picture && strip);
    QVERIFY2(countPixels(g4, picture->geometry(), [](QRgb c) { return !isWhite(c); }) > 5000,
             "sample-holder picture missing");
    QCOMPARE(countPixels(g4, strip->geometry(), [](QRgb c) { return !isWhite(c); }), 0);

    for (QDialog* w : std::initializer_list<QDialog*>{&info1, new eh::Info2}) {
        const QImage g = w->grab().toImage();
        QSet<qreal> sizes;
        for (const eh::FormulaWidget* f : w->findChildren<eh::FormulaWidget*>()) {
            sizes.insert(f->formulaLayout().runs.front().font.pointSizeF());
            // Set large enough to read, yet inside its frame.
            const eh::formula::Layout& l = f->formulaLayout();
            QVERIFY2(l.width <= f->width() && l.ascent + l.descent <= f->height(),
                     qPrintable(f->objectName() + " overflows its frame"));
            for (const eh::formula::GlyphRun& run : l.runs)
                QVERIFY2(QFontInfo(run.font).pixelSize() >= 9, qPrintable(f->objectName() + ": " + run.text));
            QVERIFY2(countPixels(g, f->geometry(), isDark) > 40,
                     qPrintable(f->objectName() + " not painted"));
        }
        QCOMPARE(sizes.size(), 1); // one type size per window
        if (w != &info1) delete w;
    }
}

QTEST_MAIN(HelpWindowsTest)
#include "HelpWindowsTest.moc"
