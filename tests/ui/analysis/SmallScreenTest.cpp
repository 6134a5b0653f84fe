// The analysis window on a small screen: 1024×768, or twice that at a scale factor of
// two (the same 1024×768 in the window's units). It opens inside the screen's free area,
// whatever size it last had, and every control and result stays on screen.
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "BenchFiles.h"
#include "ui/analysis/AnalysisWindow.h"
#include "ui/analysis/PlotTab.h"
#include "ui/analysis/ScreenFit.h"

using namespace eh::analysis;

class SmallScreenTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    QString one_;

    QRect available() const { return QGuiApplication::primaryScreen()->availableGeometry(); }

    // Shown whole: a widget of some size, all of it inside the window's contents and
    // the window inside the screen.
    static void onScreen(const QWidget* w, const char* what) {
        const QWidget* window = w->window();
        QVERIFY2(w->isVisible() && w->width() > 10 && w->height() > 5, what);
        const QRect inWindow(w->mapTo(window, QPoint(0, 0)), w->size());
        QVERIFY2(window->rect().contains(inWindow), qPrintable(QStringLiteral("%1 at %2,%3 %4×%5 in %6×%7")
                                                                   .arg(QLatin1String(what))
                                                                   .arg(inWindow.x())
                                                                   .arg(inWindow.y())
                                                                   .arg(inWindow.width())
                                                                   .arg(inWindow.height())
                                                                   .arg(window->width())
                                                                   .arg(window->height())));
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QApplication::setFont(QFont(QStringLiteral("Liberation Sans"), 9)); // as the program sets it
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           dir_.filePath(QStringLiteral("config")));
        // The screen this run was given: 1024×768 in the window's units.
        QCOMPARE(available().size(), QSize(1024, 768));
        one_ = dir_.filePath(QStringLiteral("muestra1.asc"));
        eh::test::sweep(one_, 1, 300, 700, 20);
    }

    // Sizes and places worked by hand: the free area 1024×768 less 8 px of frame at the
    // sides and bottom and 32 px of title on top leaves 1008×728 from (8, 32).
    void fitsAWantedRectangleIntoTheFreeArea() {
        const QRect screen(0, 0, 1024, 768);
        const struct {
            QRect wanted, expected;
        } cases[] = {
            {{100, 100, 800, 600}, {100, 100, 800, 600}},  // fits: unchanged
            {{-88, -90, 1200, 780}, {8, 32, 1008, 728}},   // too large both ways
            {{300, 200, 1008, 600}, {8, 160, 1008, 600}},  // exactly as wide: moved left
            {{300, 200, 1009, 600}, {8, 160, 1008, 600}},  // one pixel wider: shrunk
            {{900, 700, 400, 300}, {616, 460, 400, 300}},  // off the bottom right
            {{1500, -400, 500, 400}, {516, 32, 500, 400}}, // on no screen at all
        };
        for (const auto& c : cases) QCOMPARE(fitToScreen(c.wanted, screen), c.expected);
        // A screen that does not start at the origin (a second monitor on the right).
        QCOMPARE(fitToScreen({0, 0, 1200, 780}, {1024, 0, 1024, 768}), QRect(1032, 32, 1008, 728));
    }

    void opensInsideTheScreenWhateverItsLastSize() {
        // A size kept from a larger screen, then none at all: both open inside.
        {
            AnalysisWindow big;
            big.setGeometry(40, 40, 1800, 1100);
            QSettings(QStringLiteral("Tarvelo"), QStringLiteral("tarvelo-analisis"))
                .setValue(QStringLiteral("geometry"), big.saveGeometry());
        }
        for (bool remembered : {true, false}) {
            if (!remembered) QSettings(QStringLiteral("Tarvelo"), QStringLiteral("tarvelo-analisis")).clear();
            AnalysisWindow w;
            QVERIFY(w.openFiles({one_}));
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            QVERIFY2(available().contains(w.geometry()),
                     qPrintable(
                         QStringLiteral("%1,%2 %3×%4").arg(w.x()).arg(w.y()).arg(w.width()).arg(w.height())));
            // Not shrunk to a corner either: most of the screen is used.
            QVERIFY(w.width() > 900 && w.height() > 650);
        }
    }

    // Every control of the top bar, each plot tab's fit panel and the status bar.
    void everyPanelIsReachable() {
        AnalysisWindow w;
        QVERIFY(w.openFiles({one_}));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        onScreen(w.findChild<QComboBox*>(QStringLiteral("seriesBox")), "serie");
        onScreen(w.findChild<QComboBox*>(QStringLiteral("sampleBox")), "muestra");
        onScreen(w.findChild<QCheckBox*>(QStringLiteral("weighted")), "ponderado");
        onScreen(w.statusBar(), "barra de estado");
        for (PlotKind kind : {PlotKind::Mobility, PlotKind::Gap, PlotKind::FieldHall}) {
            PlotTab* tab = w.shownPlotTab(kind);
            QApplication::processEvents();
            onScreen(tab->findChild<QLabel*>(QStringLiteral("results")), "resultados");
            for (const char* field : {"tMin", "tMax", "tField"})
                if (auto* box = tab->findChild<QDoubleSpinBox*>(QString::fromLatin1(field)))
                    onScreen(box, field);
        }
        // Every tab as it looks, left in the build folder to be looked at.
        const QString scale =
            w.devicePixelRatio() > 1 ? QStringLiteral("escala2") : QStringLiteral("1024x768");
        for (int i = 0; i < w.tabs()->count(); ++i) {
            w.tabs()->setCurrentIndex(i);
            QApplication::processEvents();
            QVERIFY(w.grab().save(
                QStringLiteral(TARVELO_SCREENSHOT_DIR "/analisis-%1-%2.png").arg(scale).arg(i)));
        }
        // The gap plot's results are the longest: two fits, each with its text.
        PlotTab* gap = w.shownPlotTab(PlotKind::Gap);
        QApplication::processEvents();
        auto* results = gap->findChild<QLabel*>(QStringLiteral("results"));
        QVERIFY(results->text().contains(QStringLiteral("E_g")));
        QVERIFY(results->heightForWidth(results->width()) <= results->height());
    }
};

QTEST_MAIN(SmallScreenTest)
#include "SmallScreenTest.moc"
