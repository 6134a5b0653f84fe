// The report as a teacher reads it, read back from the PDF as text: who made it and
// when, which file and which bar with its dimensions, the results, the figures in
// order with their captions, and every page numbered "página N de M".
#include <QDate>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "BenchFiles.h"
#include "ui/analysis/ReportPdf.h"

using namespace eh::analysis;
using eh::test::readFile;
using eh::test::sweep;
using eh::test::writeFile;

namespace {

// The PDF's pages as text, one string per page.
QStringList pdfPagesText(const QByteArray& pdf, const QTemporaryDir& dir) {
    const QString file = dir.filePath(QStringLiteral("leido.pdf"));
    writeFile(file, pdf);
    QProcess text;
    // As laid out: a table's row stays on one line.
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"),
                                             QStringLiteral("UTF-8"), file, QStringLiteral("-")});
    if (!text.waitForFinished(30000) || text.exitCode() != 0) return {};
    QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty()) pages.removeLast();
    return pages;
}

Analysis analysed(const QString& path, int sample, const std::string& code = {}) {
    Analysis a;
    a.path = path.toStdString();
    std::string error;
    if (!readDataFile(a.path, a.data, error)) qFatal("%s", error.c_str());
    a.sample = sample;
    a.sampleCode = code;
    analyse(a, FitSettings{});
    return a;
}

// One line of text: pdftotext breaks a long paragraph where the page did.
QString joined(const QStringList& pages) {
    return pages.join(QLatin1Char(' ')).simplified();
}

} // namespace

class ReportTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    QString cold_, stale_;
    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

private slots:
    void initTestCase() {
        QVERIFY(QStandardPaths::findExecutable(QStringLiteral("pdftotext")).size() > 0);
        // Sample 1 from 110 to 290 K, ten records well inside the mobility fit's
        // default 100–300 K: one carrier throughout, nothing to warn about.
        cold_ = path("frio.asc");
        sweep(cold_, 1, 110, 290, 20);
        // The same with one record's "+" reading left from another field: the Hall
        // voltage measured at 300 K is about 0.28 V, the stale reading a tenth of it.
        stale_ = path("lectura-vieja.asc");
        QList<QByteArray> lines = readFile(cold_).split('\n');
        QByteArray& last = lines[lines.size() - 2];
        last = last.left(last.lastIndexOf(',') + 1) + "-0.0281204\r";
        writeFile(stale_, lines.join('\n'));
    }

    void firstPageNamesWhoWhenWhatAndTheResults() {
        const Analysis a = analysed(cold_, 1);
        const ReportInfo info{QStringLiteral("Ana Pérez Gómez"), QStringLiteral("L3"),
                              QDateTime(QDate(2026, 3, 9), QTime(10, 5))};
        const QStringList pages =
            pdfPagesText(reportBytes({{&a, QStringLiteral("frio.asc")}}, {}, info), dir_);
        QVERIFY(pages.size() >= 2);
        const QString first = pages.front().simplified();
        for (const QString& expected : {
                 QStringLiteral("Alumno: Ana Pérez Gómez"),
                 QStringLiteral("Grupo: L3"),
                 QStringLiteral("Fecha: 9 de marzo de 2026, 10:05"),
                 QStringLiteral("frio.asc"),
                 // The bar of sample 1 as the course gives it.
                 QStringLiteral("muestra 1 (tipo n); L = 0,3 cm, a = 0,2 cm, d = 0,01 cm"),
                 QStringLiteral("10 registros"),
                 QStringLiteral("0 líneas rechazadas"),
                 QStringLiteral("0 registros con aviso"),
                 QStringLiteral("χ² reducido"),
                 QStringLiteral("exponente de μ_H"),
                 QStringLiteral("Fórmulas empleadas"),
             })
            QVERIFY2(first.contains(expected),
                     qPrintable(expected + QStringLiteral(" no está en: ") + first));
        // The mobility fit from 100 to 300 K uses all ten records; a band gap needs the
        // 500–800 K records this file has none of, and says so where its value would be.
        QVERIFY(first.contains(QRegularExpression(QStringLiteral("exponente de μ_H .* 100–300 K 10 "))));
        QVERIFY(first.contains(QStringLiteral("E_g (σ) sin ajuste")));
        // Results in Spanish notation: a decimal comma, powers of ten written out.
        const QRegularExpression pointOrExponent(QStringLiteral("\\d\\.\\d|\\de[+-]?\\d"));
        int results = 0; // with a decimal comma
        for (const QString& line : pages.front().split(QLatin1Char('\n')))
            if (line.contains(QStringLiteral("±"))) {
                QVERIFY2(!line.contains(pointOrExponent), qPrintable(line));
                results += line.contains(QRegularExpression(QStringLiteral("\\d,\\d+ ± \\d,\\d")));
            }
        QVERIFY(results >= 1); // the mobility exponent at least
        // No sign change in a file of sample 1 below 300 K.
        QVERIFY(!first.contains(QStringLiteral("cambia de signo")));
    }

    // Qt's complaints while drawing are faults of the drawing: a font scaled to a
    // negative size in the small panels, a point Qt Charts cannot place.
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral("Point size|NaN|nan"))); }

    void unknownSampleIsNamedByItsCodeOnly() {
        const Analysis a = analysed(cold_, 1, "TWSH-3NKM");
        const QString text =
            joined(pdfPagesText(reportBytes({{&a, QStringLiteral("frio.asc")}}, {}, {}), dir_));
        QVERIFY(text.contains(QStringLiteral("muestra problema TWSH-3NKM; L =")));
        QVERIFY(!text.contains(QStringLiteral("(tipo ")));
        // Nobody named: a dash, never an empty field a student overlooks.
        QVERIFY(text.contains(QStringLiteral("Alumno: —")));
        QVERIFY(text.contains(QStringLiteral("Grupo: —")));
    }

    // One planted stale reading: one record with a warning, counted on the first page
    // and named with its line below the data.
    void warningsAreCounted() {
        const Analysis a = analysed(stale_, 1);
        const QStringList pages =
            pdfPagesText(reportBytes({{&a, QStringLiteral("vieja.asc")}}, {}, {}), dir_);
        QVERIFY(pages.front().simplified().contains(QStringLiteral("1 registro con aviso")));
        QVERIFY(joined(pages).contains(QStringLiteral("(línea 10)")));
        // One unreadable line: said in the singular, and named with its number.
        writeFile(path("con-error.asc"), readFile(cold_) + "11,300,9000,diez,1,2,3\r\n");
        const Analysis bad = analysed(path("con-error.asc"), 1);
        const QStringList badPages =
            pdfPagesText(reportBytes({{&bad, QStringLiteral("e.asc")}}, {}, {}), dir_);
        QVERIFY(badPages.front().contains(
            QStringLiteral("10 registros · 1 línea rechazada · 0 registros con aviso")));
        QVERIFY(joined(badPages).contains(QStringLiteral("línea 11 rechazada:")));
    }

    // A record the user left out of the fits is named on the report (number and
    // temperature), and the mobility fit uses one point fewer: records 110 to 290 K by
    // 20 K, the third one at 150 K left out.
    void leftOutRecordsAreNamed() {
        FitSettings settings;
        Analysis a = analysed(cold_, 1);
        settings.leftOut[a.path] = {2};
        analyse(a, settings);
        const QString text =
            joined(pdfPagesText(reportBytes({{&a, QStringLiteral("frio.asc")}}, settings, {}), dir_));
        // The temperature as read, to four figures: 149,9 to 150,1 K.
        const QRegularExpression named(
            QStringLiteral("Fuera de los ajustes: n\\.º 3 \\(1(49,9|50|50,1) K\\)\\."));
        QVERIFY2(named.match(text).hasMatch(), qPrintable(text.left(2000)));
        QVERIFY(text.contains(QStringLiteral("100–300 K 9 "))); // 9 of the 10 records fitted
        const Analysis all = analysed(cold_, 1);
        const QString plain =
            joined(pdfPagesText(reportBytes({{&all, QStringLiteral("frio.asc")}}, {}, {}), dir_));
        QVERIFY(!plain.contains(QStringLiteral("Fuera de los ajustes")));
    }

    // Printed, the report is drawn at the printer's resolution (here 1200 dpi into a PDF
    // file, as a "print to file" does) with the same pages and footers as the PDF at 150.
    void printedAsWritten() {
        const Analysis a = analysed(cold_, 1);
        const ReportInfo info{QStringLiteral("Ana"), QStringLiteral("L3"),
                              QDateTime(QDate(2026, 3, 9), QTime(9, 0))};
        const QStringList written =
            pdfPagesText(reportBytes({{&a, QStringLiteral("frio.asc")}}, {}, info), dir_);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path("impreso.pdf"));
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageMargins(QMarginsF(18, 15, 18, 15), QPageLayout::Millimeter);
        QVERIFY(printer.resolution() > 300);
        drawReport(printer, {{&a, QStringLiteral("frio.asc")}}, {}, info);
        QVERIFY(printer.printerState() != QPrinter::Error);
        const QStringList printed = pdfPagesText(readFile(path("impreso.pdf")), dir_);
        QCOMPARE(printed.size(), written.size());
        for (int n = 1; n <= int(printed.size()); ++n)
            QVERIFY(printed[n - 1].contains(QStringLiteral("página %1 de %2").arg(n).arg(printed.size())));
        QVERIFY(printed.front().contains(QStringLiteral("Alumno: Ana")));
        QVERIFY(printed.front().contains(QStringLiteral("Fórmulas empleadas")));
    }

    // Five figures, numbered in order, each caption once; two series make a report long
    // enough to need several pages, each numbered out of the right total.
    void figuresAndPagesAreNumbered() {
        const Analysis one = analysed(cold_, 1), two = analysed(stale_, 1);
        const QStringList pages = pdfPagesText(
            reportBytes({{&one, QStringLiteral("a.asc")}, {&two, QStringLiteral("b.asc")}}, {}, {}), dir_);
        const int total = int(pages.size());
        QVERIFY(total >= 3);
        for (int n = 1; n <= total; ++n) {
            const QString footer = QStringLiteral("página %1 de %2").arg(n).arg(total);
            QVERIFY2(pages[n - 1].contains(footer), qPrintable(QStringLiteral("falta «%1»").arg(footer)));
            QVERIFY(!pages[n - 1].contains(QStringLiteral("página %1 de").arg(n + 1)));
        }
        const QString text = joined(pages);
        qsizetype at = -1;
        for (int figure = 1; figure <= 5; ++figure) {
            const QString caption = QStringLiteral("Figura %1. ").arg(figure);
            const qsizetype next = text.indexOf(caption);
            QVERIFY2(next > at, qPrintable(caption));
            QCOMPARE(text.count(caption), 1);
            at = next;
        }
        QVERIFY(!text.contains(QStringLiteral("Figura 6.")));
        // Each fitted line has its residuals drawn under it: the mobility fit, twice.
        QCOMPARE(text.count(QStringLiteral("Residuos del ajuste exponente de μ_H")), 2);
    }
};

QTEST_MAIN(ReportTest)
#include "ReportTest.moc"
