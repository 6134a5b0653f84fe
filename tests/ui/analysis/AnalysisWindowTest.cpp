// The analysis window on files made by the bench itself: opening, sample choice, fit
// ranges by fields and by dragging, following a file saved again, exports, report.
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QListWidget>
#include <QLocale>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <QScatterSeries>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "analysis/sweep/FileAnsweringHost.h"
#include "analysis/sweep/SweepRunner.h"
#include "ui/analysis/AnalysisWindow.h"
#include "ui/analysis/DataTab.h"
#include "ui/analysis/PlotTab.h"
#include "ui/analysis/RangeChartView.h"

using namespace eh::analysis;

namespace {

// A data file as the bench saves it, from a sweep driven through the bench's events.
QByteArray sweepFile(int sample, double from, double to, double step, double magnetA = 10) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("s.asc"));
    eh::sweep::SweepPlan plan;
    plan.sample = sample;
    plan.fromK = from;
    plan.toK = to;
    plan.stepK = step;
    plan.magnetA = magnetA;
    std::string error;
    eh::sweep::FileAnsweringHost host(path.toStdString());
    eh::BenchModel bench(host);
    eh::sweep::SweepRunner(bench, plan).run(eh::sweep::sweepTargets(plan, error));
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void writeFile(const QString& path, const QByteArray& content) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Page objects of a PDF ("/Type /Page", not the "/Type /Pages" tree).
int pdfPages(const QByteArray& pdf) {
    return int(QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

} // namespace

class AnalysisWindowTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    QString one_, two_; // sweeps of sample 1 and sample 2
    QString field_;     // sample 1 at 300 K with five magnet currents
    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        one_ = path("muestra1.asc");
        two_ = path("muestra2.asc");
        writeFile(one_, sweepFile(1, 80, 760, 20));
        writeFile(two_, sweepFile(2, 300, 500, 10));
        // One record per magnet current, renumbered into one file as a student would
        // collect them in one register.
        field_ = path("campo.asc");
        QByteArray field;
        int number = 0;
        for (double amps : {2.0, 4.0, 6.0, 8.0, 10.0}) {
            const QByteArray line = sweepFile(1, 300, 300, 10, amps);
            field += QByteArray::number(++number) + line.mid(line.indexOf(','));
        }
        writeFile(field_, field);
    }

    // The field series of sample 1 at 300 K gives back the bench's Hall coefficient,
    // about -3124 cm^3/C; at another temperature there is nothing to fit.
    void hallCoefficientFromTheFieldSeries() {
        AnalysisWindow w;
        QVERIFY(w.openFiles({field_}));
        auto fieldFit = [&] {
            for (const FitResult& f : w.analysis(0).fits)
                if (f.kind == FitKind::HallFromField) return f;
            return FitResult{};
        };
        QCOMPARE(fieldFit().used.size(), std::size_t(5));
        QVERIFY(fieldFit().value);
        QVERIFY2(qAbs(*fieldFit().value / -3124.5 - 1) < 0.003,
                 qPrintable(QString::number(*fieldFit().value)));
        auto* t = w.shownPlotTab(PlotKind::FieldHall)->findChild<QDoubleSpinBox*>(QStringLiteral("tField"));
        t->setValue(250);
        QCOMPARE(w.settings().fieldTemperatureK, 250.0);
        QVERIFY(!fieldFit().value);
        QCOMPARE(fieldFit().used.size(), std::size_t(0));
    }

    void opensFilesAndGuessesTheirSamples() {
        AnalysisWindow w;
        // A bad line is left out and listed; a missing file is reported, not opened.
        QByteArray withBadLine = readFile(two_);
        withBadLine.append("22,410,9000,diez,1,2,3\r\n");
        writeFile(path("con-error.asc"), withBadLine);
        QStringList errors;
        QVERIFY(!w.openFiles({one_, path("con-error.asc"), path("no-existe.asc")}, &errors));
        QCOMPARE(errors.size(), 1);
        QVERIFY(errors[0].contains(QStringLiteral("no-existe.asc")));
        QCOMPARE(w.seriesCount(), 2);
        QCOMPARE(w.analysis(0).sample, 1); // negative Hall voltage at its coldest record
        QCOMPARE(w.analysis(1).sample, 2); // positive
        // The last file opened is shown in the table, with its rejected line.
        const QAbstractItemModel* table = w.dataTab()->table()->model();
        QCOMPARE(table->rowCount(), int(w.analysis(1).data.records.size()));
        QCOMPARE(w.dataTab()->rejected()->count(), 1);
        QVERIFY(w.dataTab()->rejected()->item(0)->text().startsWith(QStringLiteral("línea 22:")));
        QVERIFY(table->headerData(8, Qt::Horizontal).toString().contains(QStringLiteral("Ω·cm")));
        // A cell shows the record's value: the first record's temperature.
        QCOMPARE(QLocale().toDouble(table->index(0, 1).data().toString()),
                 QString::number(w.analysis(1).data.records[0].temperatureK, 'g', 7).toDouble());
        // Opening the same file again reads it again instead of adding a series.
        QVERIFY(w.openFiles({one_}));
        QCOMPARE(w.seriesCount(), 2);
    }

    // A long file is plotted with a sample of its records (drawing every point would
    // take minutes) while the fits use them all.
    void longSeriesArePlottedSampled() {
        const QByteArray one = readFile(one_);
        QByteArray many;
        for (int i = 0; i < 150; ++i) many += one;
        writeFile(path("largo.asc"), many);
        AnalysisWindow w;
        QVERIFY(w.openFiles({path("largo.asc")}));
        const std::size_t records = w.analysis(0).data.records.size();
        QCOMPARE(records, std::size_t(150) * std::size_t(one.count('\n')));
        PlotTab* tab = w.shownPlotTab(PlotKind::Resistivity);
        const auto series = tab->chart()->series();
        QCOMPARE(series.size(), 1);
        const auto* points = qobject_cast<QScatterSeries*>(series.front());
        QVERIFY(points->count() >= 500 && points->count() <= 1000);
        for (const FitResult& f : w.analysis(0).fits)
            if (f.kind == FitKind::GapSigma) QCOMPARE(f.used.size() % 150, std::size_t(0));
    }

    // Files dropped on the window open as series.
    void dropsOpenFiles() {
        AnalysisWindow w;
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(one_), QUrl::fromLocalFile(two_)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &drop);
        QCOMPARE(w.seriesCount(), 2);
        // Something that is not a local file is not taken.
        QMimeData web;
        web.setUrls({QUrl(QStringLiteral("https://example.org/datos.asc"))});
        QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &web, Qt::LeftButton, Qt::NoModifier);
        refused.setAccepted(false);
        QApplication::sendEvent(&w, &refused);
        QVERIFY(!refused.isAccepted());
    }

    // The sample decides the geometry: rho scales with a d / L, which is 0.2*0.01/0.3
    // for sample 1 and 0.25*0.015/0.4 for sample 2.
    void changingTheSampleRecomputes() {
        AnalysisWindow w;
        QVERIFY(w.openFiles({two_}));
        const double rho2 = *w.analysis(0).derived[0].rhoOhmCm;
        auto* sampleBox = w.findChild<QComboBox*>(QStringLiteral("sampleBox"));
        QVERIFY(sampleBox);
        QCOMPARE(sampleBox->currentData().toInt(), 2);
        sampleBox->setCurrentIndex(sampleBox->findData(1));
        QCOMPARE(w.analysis(0).sample, 1);
        const double rho1 = *w.analysis(0).derived[0].rhoOhmCm;
        QVERIFY(qAbs(rho1 / rho2 - (0.2 * 0.01 / 0.3) / (0.25 * 0.015 / 0.4)) < 1e-6);
    }

    void rangeByTheFields() {
        AnalysisWindow w;
        QVERIFY(w.openFiles({one_}));
        PlotTab* tab = w.shownPlotTab(PlotKind::Mobility);
        auto* tMin = tab->findChild<QDoubleSpinBox*>(QStringLiteral("tMin"));
        auto* tMax = tab->findChild<QDoubleSpinBox*>(QStringLiteral("tMax"));
        QCOMPARE(tMin->value(), 100.0);
        QCOMPARE(tMax->value(), 300.0);
        tMin->setValue(150);
        tMax->setValue(400);
        QCOMPARE(w.settings().mobility.minK, 150.0);
        QCOMPARE(w.settings().mobility.maxK, 400.0);
        // The fit uses exactly the records from 150 to 400 K, ends included.
        std::size_t inside = 0;
        for (const auto& r : w.analysis(0).data.records)
            inside += r.temperatureK >= 150 && r.temperatureK <= 400;
        for (const FitResult& f : w.analysis(0).fits)
            if (f.kind == FitKind::MobilityExponent) QCOMPARE(f.used.size(), inside);
        // The gap fields are their own range.
        QCOMPARE(w.settings().gap.minK, 500.0);
    }

    void rangeByDraggingAcrossThePlot() {
        for (PlotKind kind : {PlotKind::Mobility, PlotKind::Gap}) {
            AnalysisWindow w;
            QVERIFY(w.openFiles({one_}));
            w.resize(1200, 800);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            PlotTab* tab = w.shownPlotTab(kind);
            w.tabs()->setCurrentWidget(tab);
            QApplication::processEvents();
            RangeChartView* view = tab->view();
            QVERIFY(view);
            QChart* chart = view->chart();
            // The chart lays out its plot area once the view has its size.
            QTRY_VERIFY(chart->plotArea().width() > 300 && view->viewport()->width() > 300);
            QAbstractSeries* series = chart->series().front();
            // Drag from the position of 200 K to that of 600 K (on the gap plot the
            // axis is 1000/T, so the drag runs the other way).
            auto at = [&](double t) {
                const double x = kind == PlotKind::Gap ? 1000 / t : t;
                const double y = kind == PlotKind::Gap ? 1.0 : 1000.0;
                const QPointF scene = chart->mapToScene(chart->mapToPosition(QPointF(x, y), series));
                return view->mapFromScene(scene);
            };
            const QPoint from = at(200), to = at(600);
            QTest::mousePress(view->viewport(), Qt::LeftButton, {}, from);
            QTest::mouseMove(view->viewport(), (from + to) / 2);
            QTest::mouseMove(view->viewport(), to);
            QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, to);
            const Range r = kind == PlotKind::Gap ? w.settings().gap : w.settings().mobility;
            // A pixel of the plot is worth a few kelvin at most.
            QVERIFY2(qAbs(r.minK - 200) < 200 * 0.02, qPrintable(QString::number(r.minK)));
            QVERIFY2(qAbs(r.maxK - 600) < 600 * 0.02, qPrintable(QString::number(r.maxK)));
            auto* tMin = tab->findChild<QDoubleSpinBox*>(QStringLiteral("tMin"));
            QCOMPARE(tMin->value(), r.minK);
        }
    }

    // The bench writes its file in place; other programs rename a new file over it.
    // Both are followed, and the ranges chosen stay.
    void followsAFileSavedAgain() {
        const QString followed = path("seguido.asc");
        const QByteArray full = readFile(one_);
        const QList<QByteArray> lines = full.split('\n');
        QByteArray firstTen;
        for (int i = 0; i < 10; ++i) firstTen += lines[i] + '\n';
        writeFile(followed, firstTen);
        AnalysisWindow w;
        QVERIFY(w.openFiles({followed}));
        QCOMPARE(w.analysis(0).data.records.size(), std::size_t(10));
        w.setRange(PlotKind::Gap, Range{450, 700});

        writeFile(followed, full); // in place, truncating, as the bench saves
        QTRY_COMPARE_WITH_TIMEOUT(w.analysis(0).data.records.size(), std::size_t(lines.size() - 1), 5000);

        const QString temp = path("seguido.tmp");
        writeFile(temp, firstTen);
        QVERIFY(::rename(temp.toLocal8Bit().constData(), followed.toLocal8Bit().constData()) == 0);
        QTRY_COMPARE_WITH_TIMEOUT(w.analysis(0).data.records.size(), std::size_t(10), 5000);
        // And once more, to show the watch survived the new inode.
        writeFile(followed, full);
        QTRY_COMPARE_WITH_TIMEOUT(w.analysis(0).data.records.size(), std::size_t(lines.size() - 1), 5000);
        // And saved by the bench itself, through its Salvar button: a new series of
        // sample 2, whose sample is guessed again since none was chosen.
        {
            eh::sweep::SweepPlan plan;
            plan.sample = 2;
            plan.fromK = plan.toK = 300;
            std::string error;
            eh::sweep::FileAnsweringHost host(followed.toStdString());
            eh::BenchModel bench(host);
            eh::sweep::SweepRunner(bench, plan).run(eh::sweep::sweepTargets(plan, error));
            QCOMPARE(host.messages, 0);
        }
        QTRY_COMPARE_WITH_TIMEOUT(w.analysis(0).data.records.size(), std::size_t(1), 5000);
        QCOMPARE(w.analysis(0).sample, 2);
        QCOMPARE(w.settings().gap.minK, 450.0);
        QCOMPARE(w.settings().gap.maxK, 700.0);
        QCOMPARE(w.shownPlotTab(PlotKind::Gap)->findChild<QDoubleSpinBox*>(QStringLiteral("tMin"))->value(),
                 450.0);
    }

    void exportsDecode() {
        AnalysisWindow w;
        QVERIFY(w.openFiles({one_, two_}));
        QString error;
        for (PlotKind kind : kAllPlots) {
            const QString png = path("g.png"), svg = path("g.svg"), pdf = path("g.pdf");
            QVERIFY2(w.exportPlot(kind, png, error), qPrintable(error));
            QVERIFY2(w.exportPlot(kind, svg, error), qPrintable(error));
            QVERIFY2(w.exportPlot(kind, pdf, error), qPrintable(error));
            QImage image(png);
            QVERIFY(!image.isNull());
            QCOMPARE(image.size(), QSize(2000, 1250));
            QSvgRenderer renderer(svg);
            QVERIFY(renderer.isValid());
            const QByteArray doc = readFile(pdf);
            QVERIFY(doc.startsWith("%PDF"));
            QCOMPARE(pdfPages(doc), 1);
        }
        QVERIFY(!w.exportPlot(PlotKind::Hall, path("g.bmp"), error));
        QVERIFY(error.contains(QStringLiteral(".png")));
    }

    // Both CSV conventions read back to the numbers of the records.
    void tableExportsInBothConventions() {
        AnalysisWindow w;
        QVERIFY(w.openFiles({one_}));
        const auto& records = w.analysis(0).data.records;
        struct Row {
            CsvStyle style;
            char separator, decimal;
        } rows[] = {{CsvStyle::CommaPoint, ',', '.'}, {CsvStyle::SemicolonComma, ';', ','}};
        for (const Row& r : rows) {
            QString error;
            QVERIFY2(w.exportTable(path("t.csv"), r.style, error), qPrintable(error));
            const QList<QByteArray> lines = readFile(path("t.csv")).trimmed().split('\n');
            QCOMPARE(lines.size(), int(records.size()) + 1);
            QVERIFY(lines[0].startsWith(r.separator == ',' ? "registro,T_K," : "registro;T_K;"));
            for (int i = 1; i < lines.size(); ++i) {
                const QList<QByteArray> cells = lines[i].split(r.separator);
                QCOMPARE(cells.size(), 14);
                QByteArray t = cells[1];
                if (r.decimal == ',') {
                    QVERIFY(!t.contains('.'));
                    t.replace(',', '.');
                }
                bool ok = false;
                QVERIFY(qAbs(t.toDouble(&ok) - records[std::size_t(i - 1)].temperatureK) < 1e-4);
                QVERIFY(ok);
            }
        }
    }

    void reportHasEveryPart() {
        AnalysisWindow w;
        QVERIFY(w.openFiles({one_, two_}));
        QString error;
        QVERIFY2(w.writeReport(path("informe.pdf"), error), qPrintable(error));
        const QByteArray doc = readFile(path("informe.pdf"));
        QVERIFY(doc.startsWith("%PDF"));
        // A summary page, five plots two to a page, and a table page per series.
        QVERIFY2(pdfPages(doc) >= 6, qPrintable(QString::number(pdfPages(doc))));
        AnalysisWindow empty;
        QVERIFY(!empty.writeReport(path("vacio.pdf"), error));
    }

    void headlessReportWithoutDisplay() {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        p.setProcessEnvironment(env);
        const QString report = path("cli.pdf"), table = path("cli.csv");
        p.start(QStringLiteral(TARVELO_ANALISIS_BIN),
                {QStringLiteral("--informe"), report, QStringLiteral("--tabla"), table, two_});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        QVERIFY(readFile(report).startsWith("%PDF"));
        QVERIFY(readFile(table).startsWith("registro,T_K,"));
        // An unwritable report fails with a message and a non-zero status.
        p.start(QStringLiteral(TARVELO_ANALISIS_BIN),
                {QStringLiteral("--informe"), path("no/such/folder/x.pdf"), two_});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 1);
        QVERIFY(p.readAllStandardError().contains("No se puede escribir"));
    }

    void remembersSizeAndRecentFiles() {
        {
            AnalysisWindow w;
            QVERIFY(w.openFiles({one_, two_}));
            w.resize(900, 640);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            w.close();
        }
        AnalysisWindow again;
        QCOMPARE(again.size(), QSize(900, 640));
        QCOMPARE(again.recentFiles().value(0), QFileInfo(two_).absoluteFilePath());
        QCOMPARE(again.recentFiles().value(1), QFileInfo(one_).absoluteFilePath());
    }

    // Pictures of every tab for a person to look at; each must show something.
    void screenshotsOfEveryTab() {
        AnalysisWindow w;
        QVERIFY(w.openFiles({one_, two_, field_}));
        w.selectSeries(0);
        w.resize(1280, 800);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        for (int i = 0; i < w.tabs()->count(); ++i) {
            w.tabs()->setCurrentIndex(i);
            QApplication::processEvents();
            const QImage shot = w.grab().toImage();
            QVERIFY(shot.save(QStringLiteral(TARVELO_SCREENSHOT_DIR "/analisis-tab%1.png").arg(i)));
            QSet<QRgb> colours;
            for (int y = 0; y < shot.height(); y += 7)
                for (int x = 0; x < shot.width(); x += 7) colours.insert(shot.pixel(x, y));
            QVERIFY2(colours.size() > 8, qPrintable(w.tabs()->tabText(i)));
        }
    }
};

QTEST_MAIN(AnalysisWindowTest)
#include "AnalysisWindowTest.moc"
