// The plots as a working tool, on files made by the bench itself: the band-gap plot
// opens on its fit range finely enough to drag a range to the kelvin, fit lines lie
// above the markers, zoom and pan never touch a fit, a click leaves a record out and
// undo puts it back, the copy reads right in a Spanish spreadsheet, exports carry the
// fit results, and each tab is rendered for a look.
#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QLogValueAxis>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <QValueAxis>
#include <cmath>
#include <stdexcept>

#include "BenchFiles.h"
#include "ui/analysis/AnalysisWindow.h"
#include "ui/analysis/ChartExport.h"
#include "ui/analysis/FitText.h"
#include "ui/analysis/PlotTab.h"
#include "ui/analysis/RangeChartView.h"

using namespace eh::analysis;
using eh::test::readFile;
using eh::test::sweep;

namespace {

const FitResult& fitOf(const AnalysisWindow& w, FitKind kind, int series = 0) {
    for (const FitResult& f : w.analysis(series).fits)
        if (f.kind == kind) return f;
    throw std::logic_error("no such fit");
}

// Where a value of the plot lies in the view's viewport.
QPoint viewportPos(RangeChartView* view, QPointF value) {
    QChart* chart = view->chart();
    return view->mapFromScene(chart->mapToScene(chart->mapToPosition(value, chart->series().front())));
}

// The fits and ranges a window holds, for comparing before and after.
struct FitState {
    Range gap, mobility;
    std::vector<std::optional<double>> values;
    std::vector<std::size_t> used;
    bool operator==(const FitState& o) const {
        return gap.minK == o.gap.minK && gap.maxK == o.gap.maxK && mobility.minK == o.mobility.minK &&
               mobility.maxK == o.mobility.maxK && values == o.values && used == o.used;
    }
};
FitState fitState(const AnalysisWindow& w) {
    FitState s{w.settings().gap, w.settings().mobility, {}, {}};
    for (const FitResult& f : w.analysis(0).fits) {
        s.values.push_back(f.value);
        s.used.push_back(f.used.size());
    }
    return s;
}

} // namespace

class PlotTabTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    QString one_, two_; // full sweeps of sample 1 and sample 2
    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

    // A window of 1024x768 with the files open and the tab of `kind` drawn.
    static PlotTab* shown(AnalysisWindow& w, PlotKind kind) {
        w.resize(1024, 768);
        w.show();
        if (!QTest::qWaitForWindowExposed(&w)) return nullptr;
        PlotTab* tab = w.shownPlotTab(kind);
        QApplication::processEvents();
        for (RangeChartView* v : tab->views())
            if (!QTest::qWaitFor([v] { return v->chart()->plotArea().width() > 100; })) return nullptr;
        return tab;
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, path("config"));
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        one_ = path("muestra1.asc");
        two_ = path("muestra2.asc");
        sweep(one_, 1, 80, 760, 10);
        sweep(two_, 2, 80, 760, 10);
    }

    // Both band-gap panels open on 500-800 K with a margin, where a pixel is worth less
    // than 2 K even at the hot end (dT = T^2/1000 d(1000/T)); the whole range is one
    // step away, down to the coldest record.
    void gapOpensOnItsFitRangeFinely() {
        AnalysisWindow w;
        QVERIFY(w.openFiles({one_}));
        PlotTab* tab = shown(w, PlotKind::Gap);
        QVERIFY(tab);
        QCOMPARE(tab->views().size(), std::size_t(2));
        for (RangeChartView* view : tab->views()) {
            auto* x = qobject_cast<QValueAxis*>(view->chart()->axes(Qt::Horizontal).front());
            QVERIFY(x);
            QVERIFY2(x->min() < 1000.0 / 800 && x->max() > 1000.0 / 500,
                     qPrintable(QStringLiteral("%1 %2").arg(x->min()).arg(x->max())));
            const double perPixel = (x->max() - x->min()) / view->chart()->plotArea().width();
            const double kelvinPerPixel = 800.0 * 800.0 / 1000 * perPixel;
            QVERIFY2(kelvinPerPixel < 2, qPrintable(QString::number(kelvinPerPixel)));
        }
        tab->showWhole();
        auto* x = qobject_cast<QValueAxis*>(tab->view()->chart()->axes(Qt::Horizontal).front());
        QVERIFY2(x->max() >= 1000.0 / 80, qPrintable(QString::number(x->max())));
        tab->resetView();
        QVERIFY(x->max() < 1000.0 / 400);
    }

    // At a marker the fit passes through, the pixel has the colour of the line, not of
    // the marker; beyond the range the line goes on dashed.
    void fitLinesLieAboveTheMarkers() {
        for (PlotKind kind : {PlotKind::Gap, PlotKind::Mobility}) {
            AnalysisWindow w;
            QVERIFY(w.openFiles({one_}));
            PlotTab* tab = shown(w, kind);
            QVERIFY(tab);
            const PlotPanel& panel = tab->panels().front();
            QLineSeries* solid = nullptr;
            std::vector<QLineSeries*> dashed;
            for (QAbstractSeries* s : panel.chart->series())
                if (auto* l = qobject_cast<QLineSeries*>(s);
                    l && l->type() == QAbstractSeries::SeriesTypeLine)
                    l->pen().style() == Qt::DashLine ? dashed.push_back(l) : void(solid = l);
            QVERIFY(solid && !dashed.empty());
            // Solid across the temperatures the fit used, dashed only beyond them.
            const FitResult& f =
                fitOf(w, kind == PlotKind::Gap ? FitKind::GapSigma : FitKind::MobilityExponent);
            double lo = 1e9, hi = 0;
            for (std::size_t k : f.used) {
                lo = std::min(lo, w.analysis(0).data.records[k].temperatureK);
                hi = std::max(hi, w.analysis(0).data.records[k].temperatureK);
            }
            QVERIFY(lo >= f.range.minK && hi <= f.range.maxK && hi - lo > 100);
            auto kelvin = [&](double x) { return kind == PlotKind::Gap ? 1000 / x : x; };
            for (QLineSeries* l : dashed)
                for (const QPointF& p : l->points())
                    QVERIFY2(kelvin(p.x()) <= lo + 1e-6 || kelvin(p.x()) >= hi - 1e-6,
                             qPrintable(QString::number(kelvin(p.x()))));
            for (const QPointF& p : solid->points())
                QVERIFY(kelvin(p.x()) >= lo - 1e-6 && kelvin(p.x()) <= hi + 1e-6);
            // The marker nearest the middle of the solid line.
            const QPointF middle = solid->at(solid->count() / 2);
            const QPointF onLine = panel.chart->mapToPosition(middle, solid);
            QPointF best;
            double nearest = 1e9;
            for (const MarkedPoints& m : panel.points)
                for (const QPointF& p : m.series->points()) {
                    const QPointF at = panel.chart->mapToPosition(p, m.series);
                    const double d = std::hypot(at.x() - onLine.x(), at.y() - onLine.y());
                    if (d < nearest) nearest = d, best = p;
                }
            QVERIFY2(nearest < 40, qPrintable(QString::number(nearest)));
            // The line's own point straight above or below that marker's centre.
            const double bx = best.x();
            QPointF lineAt;
            for (int i = 1; i < solid->count(); ++i)
                if ((solid->at(i - 1).x() - bx) * (solid->at(i).x() - bx) <= 0) {
                    const QPointF a = solid->at(i - 1), b = solid->at(i);
                    lineAt = QPointF(bx, a.y() + (b.y() - a.y()) * (bx - a.x()) / (b.x() - a.x()));
                }
            RangeChartView* view = tab->view();
            const QPoint markerPx = viewportPos(view, best), linePx = viewportPos(view, lineAt);
            QVERIFY2(std::abs(markerPx.y() - linePx.y()) <= 3, "the fit misses its own marker");
            const QImage image = view->viewport()->grab().toImage();
            const QColor seen = image.pixelColor(linePx);
            const QColor line = solid->pen().color();
            QVERIFY2(std::abs(seen.red() - line.red()) + std::abs(seen.green() - line.green()) +
                             std::abs(seen.blue() - line.blue()) <
                         60,
                     qPrintable(seen.name() + QStringLiteral(" instead of ") + line.name()));
        }
    }

    // The wheel, a Shift drag, a Ctrl drag and the reset move the view and nothing else:
    // no range, no fit, no step to undo changes.
    void zoomPanAndResetLeaveTheFitsAlone() {
        AnalysisWindow w;
        QVERIFY(w.openFiles({one_}));
        PlotTab* tab = shown(w, PlotKind::Gap);
        QVERIFY(tab);
        RangeChartView* view = tab->view();
        const FitState before = fitState(w);
        const ViewRange initial = tab->panels().front().initial;
        const QPoint centre =
            view->mapFromScene(view->chart()->mapToScene(view->chart()->plotArea().center()));
        auto changed = [&] { return !(viewOf(view->chart()) == initial); };

        QWheelEvent wheel(centre, view->viewport()->mapToGlobal(centre), {}, QPoint(0, 240), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view->viewport(), &wheel);
        QVERIFY(changed());
        const ViewRange zoomed = viewOf(view->chart());
        QVERIFY((zoomed.xMax - zoomed.xMin) < (initial.xMax - initial.xMin) / 1.4); // 1.25^2 closer
        QVERIFY(fitState(w) == before);

        tab->resetView();
        QVERIFY(!changed());
        QTest::mousePress(view->viewport(), Qt::LeftButton, Qt::ShiftModifier, centre - QPoint(60, 40));
        QTest::mouseMove(view->viewport(), centre + QPoint(60, 40));
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, Qt::ShiftModifier, centre + QPoint(60, 40));
        QVERIFY(changed());
        QVERIFY(fitState(w) == before);

        tab->resetView();
        QTest::mousePress(view->viewport(), Qt::LeftButton, Qt::ControlModifier, centre);
        QTest::mouseMove(view->viewport(), centre + QPoint(80, 0));
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, Qt::ControlModifier, centre + QPoint(80, 0));
        const ViewRange panned = viewOf(view->chart());
        QVERIFY(panned.xMin < initial.xMin); // dragged right: smaller 1000/T comes in
        QVERIFY(std::fabs((panned.xMax - panned.xMin) - (initial.xMax - initial.xMin)) < 1e-9);
        QVERIFY(fitState(w) == before);
        QCOMPARE(w.undoStack()->count(), 0);

        tab->resetView();
        QVERIFY(!changed());
        QVERIFY(fitState(w) == before);
    }

    // A click on a marker inside the fit range leaves its record out: the fit uses one
    // point fewer, the marker is hollow, the panel lists it; undo puts it back, redo
    // takes it out again, a second click puts it back. Range changes undo too.
    void aClickLeavesARecordOutAndUndoPutsItBack() {
        AnalysisWindow w;
        QVERIFY(w.openFiles({one_}));
        PlotTab* tab = shown(w, PlotKind::Gap);
        QVERIFY(tab);
        const std::size_t used = fitOf(w, FitKind::GapSigma).used.size();
        // The record at 650 K.
        const auto& records = w.analysis(0).data.records;
        std::size_t record = 0;
        while (record < records.size() && std::fabs(records[record].temperatureK - 650) > 0.5) ++record;
        QVERIFY(record < records.size());
        auto clickRecord = [&] {
            const double lnSigma = std::log(*w.analysis(0).derived[record].sigmaSCm);
            const QPoint at = viewportPos(tab->view(), QPointF(1000 / records[record].temperatureK, lnSigma));
            QTest::mouseClick(tab->view()->viewport(), Qt::LeftButton, {}, at);
        };
        auto isUsed = [&](FitKind kind) {
            const auto& u = fitOf(w, kind).used;
            return std::find(u.begin(), u.end(), record) != u.end();
        };
        QVERIFY(isUsed(FitKind::GapSigma) && isUsed(FitKind::GapHall));
        clickRecord();
        QVERIFY(!isUsed(FitKind::GapSigma) && !isUsed(FitKind::GapHall)); // out of every fit
        QCOMPARE(fitOf(w, FitKind::GapSigma).used.size(), used - 1);
        const QString listed = tab->findChild<QLabel*>(QStringLiteral("results"))->text();
        QVERIFY2(listed.contains(
                     QStringLiteral("Fuera de los ajustes: n.º %1 (650 K)").arg(records[record].number)),
                 qPrintable(listed));
        bool hollow = false;
        for (const MarkedPoints& m : tab->panels().front().points)
            if (m.records == std::vector<std::size_t>{record})
                hollow =
                    m.series->color() == QColor(Qt::white) && m.series->name().contains("fuera del ajuste");
        QVERIFY(hollow);

        w.undoStack()->undo();
        QVERIFY(isUsed(FitKind::GapSigma));
        QCOMPARE(fitOf(w, FitKind::GapSigma).used.size(), used);
        w.undoStack()->redo();
        QVERIFY(!isUsed(FitKind::GapSigma));
        clickRecord(); // on the hollow marker
        QVERIFY(isUsed(FitKind::GapSigma));
        QCOMPARE(w.undoStack()->count(), 2);

        // A range typed in, undone and redone.
        tab->findChild<QDoubleSpinBox*>(QStringLiteral("tMin"))->setValue(600);
        QCOMPARE(w.settings().gap.minK, 600.0);
        w.undoStack()->undo();
        QCOMPARE(w.settings().gap.minK, 500.0);
        QCOMPARE(tab->findChild<QDoubleSpinBox*>(QStringLiteral("tMin"))->value(), 500.0);
        w.undoStack()->redo();
        QCOMPARE(w.settings().gap.minK, 600.0);
    }

    // The Editar menu works on the shown plot: Ctrl+Z takes a range change back, Ctrl+Y
    // or the menu's Rehacer makes it again, Ctrl+C copies that plot's points; on the
    // Datos tab the plot copies are off.
    void editMenuUndoesAndCopiesTheShownPlot() {
        AnalysisWindow w;
        QVERIFY(w.openFiles({one_}));
        PlotTab* tab = shown(w, PlotKind::Mobility);
        QVERIFY(tab);
        auto* undo = w.findChild<QAction*>(QStringLiteral("undo"));
        auto* redo = w.findChild<QAction*>(QStringLiteral("redo"));
        auto* copy = w.findChild<QAction*>(QStringLiteral("copyData"));
        QVERIFY(undo && redo && copy);
        QVERIFY(!undo->isEnabled());
        tab->findChild<QDoubleSpinBox*>(QStringLiteral("tMin"))->setValue(150);
        QCOMPARE(w.settings().mobility.minK, 150.0);
        QVERIFY(undo->isEnabled());
        QCOMPARE(undo->shortcut(), QKeySequence(QKeySequence::Undo));
        undo->trigger();
        QCOMPARE(w.settings().mobility.minK, 100.0);
        redo->trigger();
        QCOMPARE(w.settings().mobility.minK, 150.0);
        QApplication::clipboard()->clear();
        QCOMPARE(copy->shortcut(), QKeySequence(QKeySequence::Copy));
        copy->trigger();
        QVERIFY2(QApplication::clipboard()->text().startsWith(QStringLiteral("serie\tT (K)\tμ_H")),
                 qPrintable(QApplication::clipboard()->text().left(40)));
        w.tabs()->setCurrentIndex(0);
        QVERIFY(!copy->isEnabled());
        w.tabs()->setCurrentIndex(1 + int(PlotKind::Mobility));
        QVERIFY(copy->isEnabled());
    }

    // The copy of the visible points: tab-separated, decimal comma, no thousands
    // separator, only what the zoomed view shows, every number read back right by a
    // Spanish reader.
    void copiedDataReadRightInSpanish() {
        AnalysisWindow w;
        QVERIFY(w.openFiles({one_}));
        PlotTab* tab = shown(w, PlotKind::Resistivity);
        QVERIFY(tab);
        setView(tab->view()->chart(), {295, 505, 1e-3, 1e3}); // 300 to 500 K
        tab->copyData();
        const QStringList rows = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(rows.front(), QStringLiteral("serie\tT (K)\tρ (Ω·cm)"));
        const QLocale spanish(QLocale::Spanish, QLocale::Spain);
        const QRegularExpression cell(QStringLiteral("^-?[0-9]+(,[0-9]+)?(e[-+][0-9]+)?$"),
                                      QRegularExpression::CaseInsensitiveOption);
        std::vector<double> temperatures;
        for (qsizetype i = 1; i < rows.size(); ++i) {
            const QStringList cells = rows[i].split('\t');
            QCOMPARE(cells.size(), 3);
            QVERIFY(cells[0].startsWith(QStringLiteral("muestra1.asc")));
            for (int c : {1, 2}) QVERIFY2(cell.match(cells[c]).hasMatch(), qPrintable(cells[c]));
            bool ok = false;
            temperatures.push_back(spanish.toDouble(cells[1], &ok));
            QVERIFY(ok);
            const double rho = spanish.toDouble(cells[2], &ok);
            QVERIFY(ok && rho > 1e-3 && rho < 1e3);
        }
        // Both band-gap panels, each under its own header in plain text.
        PlotTab* gap = shown(w, PlotKind::Gap);
        QVERIFY(gap);
        gap->copyData();
        const QString gapText = QApplication::clipboard()->text();
        QVERIFY2(gapText.contains(QStringLiteral("serie\t1000/T (1/K)\tln σ\n")),
                 qPrintable(gapText.left(80)));
        QVERIFY2(gapText.contains(QStringLiteral("\n\nserie\t1000/T (1/K)\tln(|R_H|T^3/2)\n")),
                 qPrintable(gapText));
        // The sweep's records from 300 to 500 K in steps of 10 K: 21 of them.
        QCOMPARE(temperatures.size(), std::size_t(21));
        std::sort(temperatures.begin(), temperatures.end());
        for (std::size_t k = 0; k < temperatures.size(); ++k)
            QVERIFY(std::fabs(temperatures[k] - (300 + 10.0 * k)) < 0.6);
    }

    // Exports carry the fit results: an SVG of the band gap holds both results with
    // their points and ranges, and its tick labels are all plain or all powers of ten.
    void exportsCarryTheFitResults() {
        AnalysisWindow w;
        QVERIFY(w.openFiles({one_}));
        QString error;
        QVERIFY2(w.exportPlot(PlotKind::Gap, path("gap.svg"), error), qPrintable(error));
        const QString svg = QString::fromUtf8(readFile(path("gap.svg")));
        for (FitKind kind : {FitKind::GapSigma, FitKind::GapHall}) {
            const FitResult& f = fitOf(w, kind);
            // The text may be cut into runs where the font changes, not inside a number.
            const QString value = valueWithUncertainty(*f.value, *f.uncertainty);
            QVERIFY2(svg.contains(value), qPrintable(value));
            QVERIFY(svg.contains(QStringLiteral("%1 puntos entre 500 y 800 K").arg(f.used.size())));
        }
        QVERIFY(svg.contains(QStringLiteral(">T (K)<"))); // the temperature scale on top

        QVERIFY2(w.exportPlot(PlotKind::Resistivity, path("rho.svg"), error), qPrintable(error));
        const QString rho = QString::fromUtf8(readFile(path("rho.svg")));
        QRegularExpression number(QStringLiteral(">\\s*([0-9][0-9,]*(e[-+][0-9]+)?)\\s*<"));
        int plain = 0, powers = 0;
        for (auto it = number.globalMatch(rho); it.hasNext();)
            (it.next().captured(2).isEmpty() ? plain : powers)++;
        QVERIFY2(plain + powers >= 4, qPrintable(QStringLiteral("%1 %2").arg(plain).arg(powers)));
        QVERIFY2(plain == 0 || powers == 0,
                 qPrintable(QStringLiteral("%1 plain, %2 powers").arg(plain).arg(powers)));
    }

    // Every fit has its residuals under its plot, one per point it used, and an ordinary
    // least-squares line leaves residuals that sum to zero.
    void residualsOfEveryFit() {
        AnalysisWindow w;
        QVERIFY(w.openFiles({one_}));
        for (PlotKind kind : {PlotKind::Gap, PlotKind::Mobility}) {
            PlotTab* tab = shown(w, kind);
            QVERIFY(tab);
            const FitKind fits[] = {kind == PlotKind::Gap ? FitKind::GapSigma : FitKind::MobilityExponent,
                                    FitKind::GapHall};
            for (std::size_t p = 0; p < tab->panels().size(); ++p) {
                QChart* residuals = tab->panels()[p].residuals;
                QVERIFY(residuals && tab->residualView(p)->isVisible());
                auto* points = qobject_cast<QScatterSeries*>(residuals->series().front());
                QCOMPARE(std::size_t(points->count()), fitOf(w, fits[p]).used.size());
                double sum = 0, largest = 0;
                for (const QPointF& r : points->points())
                    sum += r.y(), largest = std::max(largest, std::fabs(r.y()));
                QVERIFY(largest > 0);
                QVERIFY2(std::fabs(sum) < 1e-9 * points->count() + 1e-6 * largest,
                         qPrintable(QString::number(sum)));
            }
        }
        PlotTab* rho = shown(w, PlotKind::Resistivity);
        QVERIFY(!rho->panels().front().residuals && !rho->residualView(0)->isVisible());
    }

    // A record whose "+" Hall reading was left from another field (0.03 V beside
    // -0.28 V) gets a marker of its own shape; sample 1's records of mixed conduction,
    // still fitted, keep the plain one. The legend draws each entry in its series' shape.
    void warnedRecordsHaveTheirOwnMarker() {
        QFile in(one_);
        QVERIFY(in.open(QIODevice::ReadOnly));
        QStringList lines = QString::fromLatin1(in.readAll()).split(QLatin1Char('\n'));
        QStringList fields = lines[20].split(QLatin1Char(','));
        QCOMPARE(fields.size(), 7);
        fields[5] = QStringLiteral("0.03");
        lines[20] = fields.join(QLatin1Char(','));
        const QString stale = path("stale.asc");
        QFile out(stale);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(lines.join(QLatin1Char('\n')).toLatin1());
        out.close();
        AnalysisWindow w;
        QVERIFY(w.openFiles({stale}));
        PlotTab* tab = shown(w, PlotKind::Hall);
        QVERIFY(tab);
        const Analysis& a = w.analysis(0);
        QVERIFY(a.derived[20].warnings & kHallMismatch);
        QVERIFY(a.derived.back().warnings & kMixedConduction);
        int warnedSeries = 0;
        for (const MarkedPoints& m : tab->panels().front().points) {
            const bool warned = m.series->markerShape() == QScatterSeries::MarkerShapeRotatedRectangle;
            warnedSeries += warned;
            if (warned) QCOMPARE(m.records, std::vector<std::size_t>{20});
            for (std::size_t k : m.records) QCOMPARE(k == 20, warned);
        }
        QCOMPARE(warnedSeries, 1);
        QCOMPARE(tab->chart()->legend()->markerShape(), QLegend::MarkerShapeFromSeries);
    }

    // The axes switch between logarithmic and linear where both make sense, the same
    // points plotted either way; the band gap's logarithms against 1/T do not switch.
    // The image copied is the plots as shown.
    void axesSwitchScaleAndTheImageIsCopied() {
        AnalysisWindow w;
        QVERIFY(w.openFiles({one_}));
        PlotTab* tab = shown(w, PlotKind::Resistivity);
        QVERIFY(tab);
        auto count = [&] {
            qsizetype n = 0;
            for (const MarkedPoints& m : tab->panels().front().points) n += m.series->count();
            return n;
        };
        const qsizetype points = count();
        QVERIFY(qobject_cast<QLogValueAxis*>(verticalAxis(tab->chart())));
        tab->setScales({false, false});
        QVERIFY(qobject_cast<QValueAxis*>(verticalAxis(tab->chart())));
        QCOMPARE(count(), points);
        tab->setScales({true, true});
        QVERIFY(qobject_cast<QLogValueAxis*>(horizontalAxis(tab->chart())));
        QCOMPARE(count(), points);

        PlotTab* gap = shown(w, PlotKind::Gap);
        gap->setScales({true, true});
        QVERIFY(qobject_cast<QValueAxis*>(verticalAxis(gap->chart())));

        QApplication::clipboard()->clear();
        gap->copyImage();
        const QImage image = QApplication::clipboard()->image();
        QVERIFY(!image.isNull());
        QVERIFY(image.height() >= 2 * gap->view()->height()); // both panels, not one
    }

    // An error bar is drawn only where it stands out of its marker: a ±0.01 on an axis
    // of 0 to 100 over some 200 pixels is a fiftieth of a pixel; on 0.9 to 1.1 it is
    // ten pixels, more than the half marker of 3.5.
    void errorBarsOnlyWhereTheyShow() {
        QChart* chart = newChart(QStringLiteral("barras"));
        QScatterSeries* points =
            addMarkers(chart, QStringLiteral("p"), Qt::blue, QScatterSeries::MarkerShapeCircle, 7);
        points->append(5, 1);
        attachAxes(chart, QStringLiteral("x"), false, QStringLiteral("y"), false);
        // Given at construction: a view made empty owns a chart of its own, which
        // setChart() would let go of without deleting.
        QChartView view(chart);
        view.resize(400, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QTRY_VERIFY(chart->plotArea().height() > 150);
        auto* bars = new ErrorBars(chart, Qt::blue, {{5, 1, 0.01}}, 7);
        setView(chart, {0, 10, 0, 100});
        QCOMPARE(bars->visibleCount(), 0);
        setView(chart, {0, 10, 0.9, 1.1});
        QCOMPARE(bars->visibleCount(), 1);
        setView(chart, {6, 10, 0.9, 1.1}); // the point out of sight
        QCOMPARE(bars->visibleCount(), 0);
    }

    // Each tab at 1024x768 with both samples open, saved for a look (run with
    // QT_SCALE_FACTOR=2 for the large screen).
    void screenshots() {
        AnalysisWindow w;
        QVERIFY(w.openFiles({one_, two_}));
        const QString scale =
            QString::number(qgetenv("QT_SCALE_FACTOR").isEmpty() ? 1 : qgetenv("QT_SCALE_FACTOR").toDouble());
        for (PlotKind kind : kAllPlots) {
            QVERIFY(shown(w, kind));
            QTest::qWait(50);
            const QString file =
                QStringLiteral(TARVELO_SCREENSHOT_DIR "/plot-%1-x%2.png").arg(plotFileName(kind), scale);
            QVERIFY(w.grab().save(file));
        }
        // A field series of sample 1 at 300 K: one record per magnet current, as a
        // student collects them in one register.
        QByteArray field;
        for (int amps = 2; amps <= 10; amps += 2) {
            sweep(path("uno.asc"), 1, 300, 300, 10, amps);
            const QByteArray line = readFile(path("uno.asc"));
            field += QByteArray::number(amps / 2) + line.mid(line.indexOf(','));
        }
        eh::test::writeFile(path("campo.asc"), field);
        AnalysisWindow f;
        QVERIFY(f.openFiles({path("campo.asc")}));
        QVERIFY(shown(f, PlotKind::FieldHall));
        QTest::qWait(50);
        QVERIFY(f.grab().save(QStringLiteral(TARVELO_SCREENSHOT_DIR "/plot-VH_B-campo-x%1.png").arg(scale)));
    }
};

QTEST_MAIN(PlotTabTest)
#include "PlotTabTest.moc"
