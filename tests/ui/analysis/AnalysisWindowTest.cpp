// The analysis window on files made by the bench itself: opening, sample choice, fit
// ranges by fields and by dragging, following a file saved again, exports, report.
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QListWidget>
#include <QLocale>
#include <QMimeData>
#include <QRegularExpression>
#include <QScatterSeries>
#include <QSettings>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <cstdio>
#include <stdexcept>

#include "BenchFiles.h"
#include "ui/analysis/AnalysisWindow.h"
#include "ui/analysis/DataTab.h"
#include "ui/analysis/PlotTab.h"
#include "ui/analysis/RangeChartView.h"

using namespace eh::analysis;
using eh::test::readFile;
using eh::test::sweep;
using eh::test::writeFile;

namespace {

// Page objects of a PDF ("/Type /Page", not the "/Type /Pages" tree).
int pdfPages(const QByteArray& pdf) {
    return int(QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

const FitResult& fitOf(const AnalysisWindow& w, FitKind kind) {
    for (const FitResult& f : w.analysis(0).fits)
        if (f.kind == kind) return f;
    throw std::logic_error("no such fit");
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
        // Settings of this run only, never the user's nor an earlier run's.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, path("config"));
        one_ = path("muestra1.asc");
        two_ = path("muestra2.asc");
        sweep(one_, 1, 80, 760, 20);
        sweep(two_, 2, 300, 500);
        // One record per magnet current, renumbered into one file as a student would
        // collect them in one register.
        field_ = path("campo.asc");
        QByteArray field;
        for (int amps = 2; amps <= 10; amps += 2) {
            sweep(path("uno.asc"), 1, 300, 300, 10, amps);
            const QByteArray line = readFile(path("uno.asc"));
            field += QByteArray::number(amps / 2) + line.mid(line.indexOf(','));
        }
        writeFile(field_, field);
    }

    // The field series of sample 1 at 300 K gives back the bench's Hall coefficient,
    // about -3124 cm^3/C; at another temperature the user names there is nothing to fit.
    void hallCoefficientFromTheFieldSeries() {
        AnalysisWindow w;
        QVERIFY(w.openFiles({field_}));
        QCOMPARE(fitOf(w, FitKind::HallFromField).used.size(), std::size_t(5));
        const double rh = fitOf(w, FitKind::HallFromField).value.value_or(0);
        QVERIFY2(qAbs(rh / -3124.5 - 1) < 0.003, qPrintable(QString::number(rh)));
        w.shownPlotTab(PlotKind::FieldHall)
            ->findChild<QDoubleSpinBox*>(QStringLiteral("tField"))
            ->setValue(250);
        QCOMPARE(w.settings().fieldTemperatureK, 250.0);
        QCOMPARE(fitOf(w, FitKind::HallFromField).used.size(), std::size_t(0));
    }

    // On a system in English the window still writes numbers as its results do, with
    // a decimal comma: the range fields and the plots' axes.
    void numbersTakeTheDecimalCommaWhateverTheSystem() {
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        AnalysisWindow w;
        QVERIFY(w.openFiles({one_}));
        PlotTab* tab = w.shownPlotTab(PlotKind::Mobility);
        QVERIFY(tab);
        QCOMPARE(tab->findChild<QDoubleSpinBox*>(QStringLiteral("tMin"))->text(), QStringLiteral("100,0 K"));
        QCOMPARE(tab->chart()->locale().decimalPoint(), QStringLiteral(","));
        QVERIFY(tab->chart()->localizeNumbers());
        QLocale::setDefault(before);
    }

    void opensFilesAndGuessesTheirSamples() {
        AnalysisWindow w;
        // A bad line is left out and listed; a missing file is reported, not opened.
        writeFile(path("con-error.asc"), readFile(two_) + "22,410,9000,diez,1,2,3\r\n");
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
        // Cells are written with a decimal comma whatever the user's locale.
        QCOMPARE(QLocale(QLocale::Spanish).toDouble(table->index(0, 1).data().toString()),
                 QString::number(w.analysis(1).data.records[0].temperatureK, 'g', 7).toDouble());
        // Opening the same file again reads it again instead of adding a series; so
        // does dropping it, and a file dropped is opened. A web address is not taken.
        QVERIFY(w.openFiles({one_}));
        QCOMPARE(w.seriesCount(), 2);
        QMimeData files, web;
        files.setUrls({QUrl::fromLocalFile(one_), QUrl::fromLocalFile(two_)});
        web.setUrls({QUrl(QStringLiteral("https://example.org/datos.asc"))});
        for (QMimeData* mime : {&web, &files}) {
            QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
            enter.setAccepted(false);
            QApplication::sendEvent(&w, &enter);
            QCOMPARE(enter.isAccepted(), mime == &files);
        }
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &drop);
        QCOMPARE(w.seriesCount(), 3);

        // The sample decides the geometry: rho scales with a d / L, which is 0.2*0.01/0.3
        // for sample 1 and 0.25*0.015/0.4 for sample 2. A sample chosen stays on reload.
        const double rho2 = *w.analysis(2).derived[0].rhoOhmCm,
                     ratio = (0.2 * 0.01 / 0.3) / (0.25 * 0.015 / 0.4);
        auto* sampleBox = w.findChild<QComboBox*>(QStringLiteral("sampleBox"));
        QCOMPARE(sampleBox->currentData().toInt(), 2);
        sampleBox->setCurrentIndex(sampleBox->findData(1));
        QCOMPARE(w.analysis(2).sample, 1);
        QVERIFY(qAbs(*w.analysis(2).derived[0].rhoOhmCm / rho2 / ratio - 1) < 1e-6);
        QVERIFY(w.openFiles({two_}));
        QCOMPARE(w.analysis(2).sample, 1);
    }

    // Every cell of the table is shown whole, the field column included ("8116.…" was
    // cut); the note column is the last and stretches.
    void tableCellsAreNotCut() {
        // 8.91 A gives 1000·8.91 − 10·8.91² = 8116.119 G: a field with decimals.
        sweep(path("8116.asc"), 1, 300, 300, 10, 8.91);
        AnalysisWindow w;
        QVERIFY(w.openFiles({one_, field_, path("8116.asc")}));
        QCOMPARE(w.analysis(2).data.records.at(0).fieldG, 8116.119);
        for (int series = 0; series < w.seriesCount(); ++series) {
            w.selectSeries(series);
            const QTableView* view = w.dataTab()->table();
            const QAbstractItemModel* model = view->model();
            const QFontMetrics metrics(view->font());
            for (int c = 0; c + 1 < model->columnCount(); ++c)
                for (int r = 0; r < model->rowCount(); ++r) {
                    const QString text = model->index(r, c).data().toString();
                    QVERIFY2(view->columnWidth(c) >= metrics.horizontalAdvance(text) + 6,
                             qPrintable(QStringLiteral("%1 en la columna %2").arg(text).arg(c)));
                }
        }
    }

    // A long file is plotted with a sample of its records (drawing every point would
    // take minutes) while the fits use them all.
    void longSeriesArePlottedSampled() {
        writeFile(path("largo.asc"), readFile(one_).repeated(150));
        AnalysisWindow w;
        QVERIFY(w.openFiles({path("largo.asc")}));
        // Markers of the records with and without a warning.
        qsizetype points = 0;
        for (QAbstractSeries* s : w.shownPlotTab(PlotKind::Resistivity)->chart()->series())
            points += qobject_cast<QScatterSeries*>(s)->count();
        QVERIFY2(points >= 500 && points <= 1000, qPrintable(QString::number(points)));
        QCOMPARE(fitOf(w, FitKind::GapSigma).used.size() % 150, std::size_t(0));
    }

    void rangeByDraggingAcrossThePlot() {
        for (PlotKind kind : {PlotKind::Mobility, PlotKind::Gap}) {
            AnalysisWindow w;
            QVERIFY(w.openFiles({one_}));
            w.resize(1200, 800);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            PlotTab* tab = w.shownPlotTab(kind);
            QApplication::processEvents();
            RangeChartView* view = tab->view();
            QChart* chart = view->chart();
            // The chart lays out its plot area once the view has its size.
            QTRY_VERIFY(chart->plotArea().width() > 300 && view->viewport()->width() > 300);
            // Drag from the position of 200 K to that of 600 K (on the gap plot, which
            // opens on its fit range, from 550 K to 750 K; its axis is 1000/T, so the
            // drag runs the other way).
            const double low = kind == PlotKind::Gap ? 550 : 200, high = kind == PlotKind::Gap ? 750 : 600;
            auto at = [&](double t) {
                const QPointF value = kind == PlotKind::Gap ? QPointF(1000 / t, 1.0) : QPointF(t, 1000.0);
                // Half-way up the plot, whatever the vertical axis.
                const QPointF pos(chart->mapToPosition(value, chart->series().front()).x(),
                                  chart->plotArea().center().y());
                return view->mapFromScene(chart->mapToScene(pos));
            };
            const QPoint from = at(low), to = at(high);
            QTest::mousePress(view->viewport(), Qt::LeftButton, {}, from);
            QTest::mouseMove(view->viewport(), (from + to) / 2);
            QTest::mouseMove(view->viewport(), to);
            QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, to);
            const Range r = kind == PlotKind::Gap ? w.settings().gap : w.settings().mobility;
            // A pixel of the plot is worth a few kelvin at most.
            QVERIFY2(qAbs(r.minK - low) < low * 0.02, qPrintable(QString::number(r.minK)));
            QVERIFY2(qAbs(r.maxK - high) < high * 0.02, qPrintable(QString::number(r.maxK)));
            auto* tMin = tab->findChild<QDoubleSpinBox*>(QStringLiteral("tMin"));
            QCOMPARE(tMin->value(), r.minK);
            // The fields set the range too; the fit uses exactly the records inside it.
            tMin->setValue(150);
            const Range edited = kind == PlotKind::Gap ? w.settings().gap : w.settings().mobility;
            QCOMPARE(edited.minK, 150.0);
            std::size_t inside = 0;
            for (const auto& rec : w.analysis(0).data.records) inside += edited.contains(rec.temperatureK);
            const auto fit = kind == PlotKind::Gap ? FitKind::GapSigma : FitKind::MobilityExponent;
            QCOMPARE(fitOf(w, fit).used.size(), inside);
        }
    }

    // The bench writes its file in place; other programs rename a new file over it.
    // Both are followed, and the ranges chosen stay.
    void followsAFileSavedAgain() {
        const QString followed = path("seguido.asc");
        const QByteArray full = readFile(one_);
        const std::size_t all = std::size_t(full.count('\n'));
        sweep(followed, 1, 80, 260, 20); // the first ten points of the full sweep
        const QByteArray firstTen = readFile(followed);
        AnalysisWindow w;
        QVERIFY(w.openFiles({followed}));
        QCOMPARE(w.analysis(0).data.records.size(), std::size_t(10));
        w.setRange(PlotKind::Gap, Range{450, 700});

        writeFile(followed, full); // in place, truncating, as the bench saves
        QTRY_COMPARE_WITH_TIMEOUT(w.analysis(0).data.records.size(), all, 5000);
        writeFile(path("seguido.tmp"), firstTen);
        QVERIFY(std::rename(qPrintable(path("seguido.tmp")), qPrintable(followed)) == 0);
        QTRY_COMPARE_WITH_TIMEOUT(w.analysis(0).data.records.size(), std::size_t(10), 5000);
        // And once more, to show the watch survived the new inode.
        writeFile(followed, full);
        QTRY_COMPARE_WITH_TIMEOUT(w.analysis(0).data.records.size(), all, 5000);
        // And saved by the bench itself, through its Salvar button: a new series of
        // sample 2, whose sample is guessed again since none was chosen.
        sweep(followed, 2, 300, 300);
        QTRY_COMPARE_WITH_TIMEOUT(w.analysis(0).data.records.size(), std::size_t(1), 5000);
        QCOMPARE(w.analysis(0).sample, 2);
        QCOMPARE(w.settings().gap.minK, 450.0);
        QCOMPARE(w.settings().gap.maxK, 700.0);
        QCOMPARE(w.shownPlotTab(PlotKind::Gap)->findChild<QDoubleSpinBox*>(QStringLiteral("tMin"))->value(),
                 450.0);
    }

    // Every plot in every format decodes; the table is the current series' in the
    // convention asked for; the report of two series holds at least its five figures
    // (about two to a page) and the two tables (its contents are read in ReportTest).
    void exportsDecode() {
        AnalysisWindow w;
        QVERIFY(w.openFiles({one_, two_}));
        QString error;
        for (PlotKind kind : kAllPlots) {
            const QString png = path("g.png"), svg = path("g.svg"), pdf = path("g.pdf");
            QVERIFY2(w.exportPlot(kind, png, error) && w.exportPlot(kind, svg, error) &&
                         w.exportPlot(kind, pdf, error),
                     qPrintable(error));
            QCOMPARE(QImage(png).size(), QSize(2000, 1250));
            QVERIFY(QSvgRenderer(svg).isValid());
            QCOMPARE(pdfPages(readFile(pdf)), 1);
        }
        QVERIFY(!w.exportPlot(PlotKind::Hall, path("g.bmp"), error));
        QVERIFY(error.contains(QStringLiteral(".png")));
        for (CsvStyle style : {CsvStyle::CommaPoint, CsvStyle::SemicolonComma}) {
            QVERIFY2(w.exportTable(path("t.csv"), style, error), qPrintable(error));
            const Analysis& a = w.analysis(1);
            QCOMPARE(readFile(path("t.csv")).toStdString(), tableCsv(a.data.records, a.derived, style));
        }
        QVERIFY2(w.writeReport(path("informe.pdf"), error), qPrintable(error));
        const int pages = pdfPages(readFile(path("informe.pdf")));
        QVERIFY2(pages >= 4, qPrintable(QString::number(pages)));
        QVERIFY(!AnalysisWindow().writeReport(path("vacio.pdf"), error));
        // Written as the bench writes its data file: a link keeps pointing at the file
        // that receives the text; a folder that is not there is named in the message.
        QVERIFY(QFile::link(QStringLiteral("t.csv"), path("enlace.csv")));
        QVERIFY2(w.exportTable(path("enlace.csv"), CsvStyle::CommaPoint, error), qPrintable(error));
        QVERIFY(QFileInfo(path("enlace.csv")).isSymLink());
        QCOMPARE(readFile(path("t.csv")).left(9), QByteArray("registro,"));
        const QString nowhere = path("no-hay/informe.pdf");
        QVERIFY(!w.writeReport(nowhere, error));
        QCOMPARE(error,
                 QStringLiteral("No se puede escribir %1: no existe la carpeta o el fichero").arg(nowhere));
        QVERIFY(!w.exportPlot(PlotKind::Hall, path("no-hay/g.svg"), error));
        QVERIFY(error.startsWith(QStringLiteral("No se puede escribir ")));
    }

    // No export is written over an open series' file, whatever the name it is given
    // by: the measurements stay as they were and the message says why.
    void exportsNeverReplaceAnOpenFile() {
        const QString data = path("abierto.asc");
        writeFile(data, readFile(two_));
        QVERIFY(QFile::link(QStringLiteral("abierto.asc"), path("enlace-abierto.asc")));
        AnalysisWindow w;
        QVERIFY(w.openFiles({one_, data}));
        const QByteArray before = readFile(data);
        const QString spellings[] = {data, path("sub/../abierto.asc"), path("enlace-abierto.asc")};
        QDir(dir_.path()).mkdir(QStringLiteral("sub"));
        for (const QString& target : spellings) {
            QString error;
            const QString expected =
                QStringLiteral("No se puede escribir %1: es uno de los ficheros de datos abiertos (%2)")
                    .arg(target, data);
            QVERIFY(!w.exportTable(target, CsvStyle::CommaPoint, error));
            QCOMPARE(error, expected);
            QVERIFY(!w.exportPlot(PlotKind::Hall, target, error));
            QCOMPARE(error, expected);
            QVERIFY(!w.writeReport(target, error));
            QCOMPARE(error, expected);
        }
        QCOMPARE(readFile(data), before);
        QVERIFY(QFileInfo(path("enlace-abierto.asc")).isSymLink());
    }

    // The check box refits every series by weighted least squares, as the library does
    // with the same settings, and back; the ranges stay.
    void weightedFitsFromTheCheckBox() {
        AnalysisWindow w;
        QVERIFY(w.openFiles({one_, two_}));
        w.setRange(PlotKind::Gap, Range{500, 760});
        const double ordinary = fitOf(w, FitKind::GapSigma).value.value();
        auto* box = w.findChild<QCheckBox*>(QStringLiteral("weighted"));
        box->setChecked(true);
        QVERIFY(w.settings().weighted);
        for (int i = 0; i < w.seriesCount(); ++i) {
            Analysis expected = w.analysis(i);
            analyse(expected, FitSettings{.gap = Range{500, 760}, .weighted = true});
            QCOMPARE(w.analysis(i).fits.front().value, expected.fits.front().value);
        }
        const double weighted = fitOf(w, FitKind::GapSigma).value.value();
        QVERIFY(weighted != ordinary);
        box->setChecked(false);
        QCOMPARE(fitOf(w, FitKind::GapSigma).value.value(), ordinary);
        QCOMPARE(w.settings().gap.maxK, 760.0);
    }

    void remembersSizeAndRecentFiles() {
        {
            AnalysisWindow w;
            QVERIFY(w.openFiles({one_, two_}));
            w.resize(760, 520); // within the test screen's 800×600
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            w.close();
        }
        AnalysisWindow again;
        QCOMPARE(again.size(), QSize(760, 520));
        QCOMPARE(again.recentFiles().value(0), QFileInfo(two_).absoluteFilePath());
        QCOMPARE(again.recentFiles().value(1), QFileInfo(one_).absoluteFilePath());
    }
};

QTEST_MAIN(AnalysisWindowTest)
#include "AnalysisWindowTest.moc"
