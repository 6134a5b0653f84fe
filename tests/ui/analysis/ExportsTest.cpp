// What the window's Archivo menu writes besides plots: the fits in either convention,
// the data in the Spanish convention, the names the dialogs give, Ctrl+E by tab, and
// who the report is by, remembered.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "BenchFiles.h"
#include "ui/analysis/AnalysisHelp.h"
#include "ui/analysis/AnalysisWindow.h"
#include "ui/analysis/ExportNames.h"
#include "ui/analysis/ReportAuthorDialog.h"

using namespace eh::analysis;
using eh::test::readFile;
using eh::test::sweep;
using eh::test::writeFile;

class ExportsTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    QString one_, two_;
    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, path("config"));
        one_ = path("muestra1.asc");
        two_ = path("muestra2.asc");
        sweep(one_, 1, 300, 760, 20);
        sweep(two_, 2, 300, 760, 20);
    }

    void typedExtensionWinsOverTheFilter() {
        const QStringList plots = {QStringLiteral("png"), QStringLiteral("svg"), QStringLiteral("pdf")};
        const struct {
            const char *typed, *filter, *written;
        } cases[] = {
            {"gap.svg", "png", "gap.svg"},     {"gap.PDF", "png", "gap.PDF"},
            {"gap", "png", "gap.png"},         {"gap", "svg", "gap.svg"},
            {"gap.txt", "png", "gap.txt.png"}, {"v1.5/gap", "pdf", "v1.5/gap.pdf"},
            {"gap.png", "svg", "gap.png"},
        };
        for (const auto& c : cases)
            QCOMPARE(withExtension(QString::fromLatin1(c.typed), QString::fromLatin1(c.filter), plots),
                     QString::fromLatin1(c.written));
    }

    // Languages that write 1,5 get semicolons and decimal commas; those writing 1.5 the
    // bench's own convention.
    void csvConventionFollowsTheLanguage() {
        QCOMPARE(csvStyleFor(QLocale(QLocale::Spanish, QLocale::Spain)), CsvStyle::SemicolonComma);
        QCOMPARE(csvStyleFor(QLocale(QLocale::Spanish, QLocale::Mexico)), CsvStyle::CommaPoint);
        QCOMPARE(csvStyleFor(QLocale(QLocale::German, QLocale::Germany)), CsvStyle::SemicolonComma);
        QCOMPARE(csvStyleFor(QLocale(QLocale::English, QLocale::UnitedStates)), CsvStyle::CommaPoint);
        QCOMPARE(csvStyleFor(QLocale::c()), CsvStyle::CommaPoint);
        QVERIFY(csvStyleName(CsvStyle::SemicolonComma).contains(QStringLiteral("coma decimal")));
        QVERIFY(csvStyleName(CsvStyle::CommaPoint).contains(QStringLiteral("punto decimal")));
    }

    // The fits of the series shown, never another's, in the convention asked for.
    void fitsOfTheSelectedSeries() {
        AnalysisWindow w;
        QVERIFY(w.openFiles({one_, two_}));
        w.selectSeries(0);
        QString error;
        for (CsvStyle style : {CsvStyle::CommaPoint, CsvStyle::SemicolonComma}) {
            QVERIFY2(w.exportFits(path("ajustes.csv"), style, error), qPrintable(error));
            const std::string written = readFile(path("ajustes.csv")).toStdString();
            QCOMPARE(written, fitsCsv(w.analysis(0).fits, style));
            QVERIFY(written != fitsCsv(w.analysis(1).fits, style));
            QCOMPARE(written.substr(0, 7), style == CsvStyle::SemicolonComma ? "ajuste;" : "ajuste,");
        }
        QVERIFY(!w.exportFits(one_, CsvStyle::CommaPoint, error));
        QVERIFY(error.contains(QStringLiteral("ficheros de datos abiertos")));
    }

    // The chapter's own example line, as a Spanish spreadsheet wants it, and a whole
    // sweep read back to the same records.
    void dataSavedInTheSpanishConvention() {
        const QString example = path("ejemplo.asc");
        writeFile(example,
                  "1,300,9000,10,1.237989,0.281204,-0.281204\r\n2,310,9000,10,1.5E-05,0.25,-0.25\r\n");
        AnalysisWindow w;
        QVERIFY(w.openFiles({example, two_}));
        QString error;
        QVERIFY2(w.saveSpanishData(0, path("ejemplo-es.csv"), error), qPrintable(error));
        const QList<QByteArray> lines = readFile(path("ejemplo-es.csv")).split('\n');
        QCOMPARE(lines.value(0), QByteArray("registro;T_K;B_G;I_mA;Vr_V;Vmenos_V;Vmas_V\r"));
        QCOMPARE(lines.value(1), QByteArray("1;300;9000;10;1,237989;0,281204;-0,281204\r"));
        QCOMPARE(lines.value(2), QByteArray("2;310;9000;10;1,5e-05;0,25;-0,25\r"));

        QVERIFY2(w.saveSpanishData(1, path("m2-es.csv"), error), qPrintable(error));
        DataSet back;
        std::string readError;
        QVERIFY(readDataFile(path("m2-es.csv").toStdString(), back, readError));
        const auto& original = w.analysis(1).data.records;
        QCOMPARE(back.records.size(), original.size());
        QVERIFY(back.rejected.empty());
        for (std::size_t k = 0; k < original.size(); ++k) {
            QCOMPARE(back.records[k].temperatureK, original[k].temperatureK);
            QCOMPARE(back.records[k].vPlusV, original[k].vPlusV);
        }
        QVERIFY(!w.saveSpanishData(1, two_, error)); // never over the measurements
    }

    // Ctrl+E exports what the tab shows: the table on Datos, the plot elsewhere.
    void controlEFollowsTheTab() {
        AnalysisWindow w;
        QVERIFY(w.openFiles({one_}));
        auto* plot = w.findChild<QAction*>(QStringLiteral("exportPlot"));
        auto* table = w.findChild<QAction*>(QStringLiteral("exportTable"));
        const QKeySequence ctrlE(Qt::CTRL | Qt::Key_E);
        w.tabs()->setCurrentIndex(0);
        QVERIFY(!plot->isEnabled());
        QCOMPARE(table->shortcut(), ctrlE);
        QVERIFY(plot->shortcut().isEmpty());
        w.shownPlotTab(PlotKind::Gap);
        QVERIFY(plot->isEnabled());
        QCOMPARE(plot->shortcut(), ctrlE);
        QVERIFY(table->shortcut().isEmpty());
    }

    // The help names every tab the window has, gives the spreadsheet recipe with the
    // menu entry that makes it unnecessary, and opens the chapter on interpretation.
    void helpMatchesTheWindow() {
        AnalysisWindow w;
        auto* help = w.findChild<QMenu*>(QStringLiteral("helpMenu"));
        QVERIFY(help);
        QStringList entries;
        for (const QAction* a : help->actions())
            if (!a->isSeparator()) entries << a->text();
        QCOMPARE(entries.size(), 5);
        QVERIFY(entries.last().startsWith(QStringLiteral("Acerca de")));
        const QString tabs = helpText(HelpTopic::Tabs);
        for (int i = 0; i < w.tabs()->count(); ++i)
            QVERIFY2(tabs.contains(QStringLiteral("<b>%1</b>").arg(w.tabs()->tabText(i))),
                     qPrintable(w.tabs()->tabText(i)));
        const QString recipe = helpText(HelpTopic::Spreadsheet);
        for (const char* step :
             {"«Separado por»", "«Coma»", "«Inglés (EE. UU.)»", "Guardar datos en formato español"})
            QVERIFY2(recipe.contains(QString::fromUtf8(step)), step);
        bool saveEntry = false;
        for (const QAction* a : w.findChildren<QAction*>())
            saveEntry = saveEntry || a->text()
                                         .remove(QLatin1Char('&'))
                                         .startsWith(QStringLiteral("Guardar datos en formato español"));
        QVERIFY(saveEntry);
        QFile chapter(
            QStringLiteral(TARVELO_SOURCE_DIR "/chapters/src/") +
            QString::fromLatin1(kFormulasChapter).replace(QStringLiteral(".rtf"), QStringLiteral(".txt")));
        QVERIFY(chapter.open(QIODevice::ReadOnly));
        QCOMPARE(chapter.readLine().trimmed(), QByteArray("= Interpretación de los resultados"));
    }

    // The dialog starts from the names last given and hands back what was typed,
    // without stray blanks; cancelled, it changes nothing.
    void reportAuthorDialog() {
        for (bool accept : {true, false}) {
            QString student = QStringLiteral("Marta Gil"), group = QStringLiteral("T2");
            QStringList shown;
            QTimer::singleShot(0, this, [&] {
                auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                auto* studentField = dialog->findChild<QLineEdit*>(QStringLiteral("student"));
                auto* groupField = dialog->findChild<QLineEdit*>(QStringLiteral("group"));
                shown << studentField->text() << groupField->text();
                studentField->setText(QStringLiteral(" Luis Ruiz "));
                groupField->setText(QStringLiteral("B7"));
                accept ? dialog->accept() : dialog->reject();
            });
            QCOMPARE(askReportAuthor(nullptr, student, group), accept);
            QCOMPARE(shown, (QStringList{QStringLiteral("Marta Gil"), QStringLiteral("T2")}));
            QCOMPARE(student, accept ? QStringLiteral("Luis Ruiz") : QStringLiteral("Marta Gil"));
            QCOMPARE(group, accept ? QStringLiteral("B7") : QStringLiteral("T2"));
        }
    }

    void reportAuthorIsRemembered() {
        {
            AnalysisWindow w;
            w.setReportAuthor(QStringLiteral("  Marta Gil "), QStringLiteral("T2"));
            w.close();
        }
        AnalysisWindow again;
        QCOMPARE(again.reportInfo().student, QStringLiteral("Marta Gil"));
        QCOMPARE(again.reportInfo().group, QStringLiteral("T2"));
    }
};

QTEST_MAIN(ExportsTest)
#include "ExportsTest.moc"
