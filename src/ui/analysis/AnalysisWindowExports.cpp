// The analysis window's exports, report and printing, and the dialogs that ask for
// their files.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QTabWidget>

#include "analysis/CsvOutput.h"
#include "ui/analysis/AnalysisWindow.h"
#include "ui/analysis/ChartExport.h"
#include "ui/analysis/ExportNames.h"
#include "ui/analysis/ReportAuthorDialog.h"
#include "ui/analysis/ReportPdf.h"
#include "ui/analysis/SaveBytes.h"
#include "ui/analysis/SpanishData.h"

namespace eh::analysis {

std::vector<std::string> AnalysisWindow::openPaths() const {
    std::vector<std::string> paths;
    for (const auto& s : series_) paths.push_back(s->analysis.path);
    return paths;
}

bool AnalysisWindow::exportPlot(PlotKind kind, const QString& path, QString& error) const {
    if (!notAnOpenFile(path, openPaths(), error)) return false;
    return eh::analysis::exportPlot(path, kind, plotSeries(), settings_, error);
}

bool AnalysisWindow::exportTable(const QString& path, CsvStyle style, QString& error) const {
    const int index = seriesBox_->currentIndex();
    if (index < 0) {
        error = QStringLiteral("No hay ningún fichero abierto");
        return false;
    }
    if (!notAnOpenFile(path, openPaths(), error)) return false;
    const Analysis& a = analysis(index);
    return saveBytes(path, QByteArray::fromStdString(tableCsv(a.data.records, a.derived, style)), error);
}

bool AnalysisWindow::exportFits(const QString& path, CsvStyle style, QString& error) const {
    const int index = seriesBox_->currentIndex();
    if (index < 0) {
        error = QStringLiteral("No hay ningún fichero abierto");
        return false;
    }
    if (!notAnOpenFile(path, openPaths(), error)) return false;
    return saveBytes(path, QByteArray::fromStdString(fitsCsv(analysis(index).fits, style)), error);
}

bool AnalysisWindow::saveSpanishData(int index, const QString& path, QString& error) const {
    if (index < 0 || index >= seriesCount()) {
        error = QStringLiteral("No hay ningún fichero abierto");
        return false;
    }
    if (!notAnOpenFile(path, openPaths(), error)) return false;
    return saveBytes(path, QByteArray::fromStdString(readingsCsv(analysis(index).data.records)), error);
}

bool AnalysisWindow::writeReport(const QString& path, QString& error) const {
    if (series_.empty()) {
        error = QStringLiteral("No hay ningún fichero abierto");
        return false;
    }
    if (!notAnOpenFile(path, openPaths(), error)) return false;
    ReportInfo info = reportInfo_;
    info.made = QDateTime::currentDateTime();
    return eh::analysis::writeReport(path, plotSeries(), settings_, info, error);
}

void AnalysisWindow::setReportAuthor(const QString& student, const QString& group) {
    reportInfo_.student = student.trimmed();
    reportInfo_.group = group.trimmed();
}

void AnalysisWindow::askOpen() {
    const QStringList paths = QFileDialog::getOpenFileNames(
        this, QStringLiteral("Abrir ficheros de datos"), lastFolder(),
        QStringLiteral("Ficheros de datos (*.ASC *.asc *.csv *.txt);;Todos los ficheros (*)"));
    if (paths.isEmpty()) return;
    QStringList errors;
    if (!openFiles(paths, &errors)) showErrors(errors);
}

void AnalysisWindow::askExportPlot() {
    const int current = tabs_->currentIndex() - 1; // after the data tab
    if (current < 0) return askExportTable();      // the Datos tab shows no plot
    const PlotKind kind = kAllPlots[std::min<std::size_t>(std::size_t(current), std::size(kAllPlots) - 1)];
    const QString png = QStringLiteral("Imagen PNG (*.png)"), svg = QStringLiteral("Dibujo SVG (*.svg)"),
                  pdf = QStringLiteral("Documento PDF (*.pdf)");
    QString filter = png;
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Exportar gráfica"),
                                                QDir(lastFolder()).filePath(plotFileName(kind) + ".png"),
                                                png + ";;" + svg + ";;" + pdf, &filter);
    if (path.isEmpty()) return;
    // The extension typed wins over the filter left selected.
    path = withExtension(path,
                         filter == svg   ? "svg"
                         : filter == pdf ? "pdf"
                                         : "png",
                         {QStringLiteral("png"), QStringLiteral("svg"), QStringLiteral("pdf")});
    QString error;
    if (!exportPlot(kind, path, error))
        showErrors({error});
    else
        setLastFolder(path);
}

QString AnalysisWindow::askCsvPath(const QString& title, const QString& name, CsvStyle& style) {
    // The user's own convention first and chosen, and named in the title.
    const CsvStyle mine = csvStyleFor(QLocale());
    const CsvStyle other = mine == CsvStyle::CommaPoint ? CsvStyle::SemicolonComma : CsvStyle::CommaPoint;
    const QString first = csvStyleName(mine) + QStringLiteral(" (*.csv)");
    const QString second = csvStyleName(other) + QStringLiteral(" (*.csv)");
    QString filter = first;
    QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("%1 — por omisión con %2").arg(title, csvStyleName(mine)),
        QDir(lastFolder()).filePath(name), first + QStringLiteral(";;") + second, &filter);
    if (path.isEmpty()) return path;
    style = filter == second ? other : mine;
    return withExtension(path, QStringLiteral("csv"), {QStringLiteral("csv"), QStringLiteral("txt")});
}

void AnalysisWindow::askExportTable() {
    CsvStyle style = CsvStyle::CommaPoint;
    const QString path = askCsvPath(QStringLiteral("Exportar tabla"), QStringLiteral("tabla.csv"), style);
    if (path.isEmpty()) return;
    QString error;
    if (!exportTable(path, style, error))
        showErrors({error});
    else
        setLastFolder(path);
}

bool AnalysisWindow::askAuthor() {
    QString student = reportInfo_.student, group = reportInfo_.group;
    if (!askReportAuthor(this, student, group)) return false;
    setReportAuthor(student, group);
    return true;
}

void AnalysisWindow::askPrint() {
    if (series_.empty()) {
        showErrors({QStringLiteral("No hay ningún fichero abierto")});
        return;
    }
    if (!askAuthor()) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(QStringLiteral("Informe de análisis — Tarvelo"));
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Imprimir el informe"));
    if (dialog.exec() != QDialog::Accepted) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ReportInfo info = reportInfo_;
    info.made = QDateTime::currentDateTime();
    drawReport(printer, plotSeries(), settings_, info);
    QApplication::restoreOverrideCursor();
}

void AnalysisWindow::askExportFits() {
    CsvStyle style = CsvStyle::CommaPoint;
    const QString path = askCsvPath(QStringLiteral("Exportar ajustes"), QStringLiteral("ajustes.csv"), style);
    if (path.isEmpty()) return;
    QString error;
    if (!exportFits(path, style, error))
        showErrors({error});
    else
        setLastFolder(path);
}

void AnalysisWindow::askSaveSpanish() {
    const int index = seriesBox_->currentIndex();
    if (index < 0) {
        showErrors({QStringLiteral("No hay ningún fichero abierto")});
        return;
    }
    const QFileInfo data(QString::fromStdString(analysis(index).path));
    QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Guardar datos en formato español (punto y coma y coma decimal)"),
        QDir(lastFolder()).filePath(data.completeBaseName() + QStringLiteral("-es.csv")),
        QStringLiteral("Punto y coma y coma decimal, para hojas de cálculo en español (*.csv)"));
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".csv");
    QString error;
    if (!saveSpanishData(index, path, error))
        showErrors({error});
    else
        setLastFolder(path);
}

void AnalysisWindow::askReport() {
    if (!askAuthor()) return;
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Informe PDF"),
                                                QDir(lastFolder()).filePath(QStringLiteral("informe.pdf")),
                                                QStringLiteral("Documento PDF (*.pdf)"));
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString error;
    const bool ok = writeReport(path, error);
    QApplication::restoreOverrideCursor();
    if (!ok)
        showErrors({error});
    else
        setLastFolder(path);
}

} // namespace eh::analysis
