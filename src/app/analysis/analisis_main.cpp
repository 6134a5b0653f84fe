// tarvelo-analisis: the analysis window, or with --tabla, --ajustes or --informe the
// same analysis without a window (the report is drawn offscreen, no display needed).
#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTimer>
#include <QTranslator>
#include <cstdlib>
#include <iostream>

#include "app/FirstPaintProbe.h"
#include "app/analysis/AnalysisOptions.h"
#include "app/analysis/HeadlessRun.h"
#include "ui/analysis/AnalysisWindow.h"
#include "ui/analysis/ReportPdf.h"

namespace {

using namespace eh::analysis;

int headless(const AnalysisOptions& options, int argc, char** argv) {
    if (options.reportFile.empty()) return runHeadless(options, std::cerr);
    // The report's plots need a GUI application, but never a screen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return runHeadless(
        options, std::cerr, [&options](const Analysis& a, std::string& bytes, std::string& error) {
            const PlotSeries series{&a, QString::fromStdString(a.path).section(QLatin1Char('/'), -1)};
            ReportInfo info;
            info.student = QString::fromStdString(options.student.value_or(std::string()));
            info.group = QString::fromStdString(options.group.value_or(std::string()));
            bytes = reportBytes({series}, options.fits, info).toStdString();
            if (!bytes.empty()) return true;
            error = "no se ha podido componer el informe";
            return false;
        });
}

} // namespace

int main(int argc, char** argv) {
    eh::markProcessStart();
    int status = 0;
    const auto options = readAnalysisOptions(argc, argv, status);
    if (!options) return status;
    if (options->headless()) return headless(*options, argc, argv);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tarvelo-analisis"));
    QApplication::setOrganizationName(QStringLiteral("Tarvelo"));
    QApplication::setDesktopFileName(QStringLiteral("io.github.tarvelo.TarveloAnalisis"));
    // One font family for everything, with nearly every character the window uses
    // (Greek, superscript digits), so that fallback families are seldom looked up.
    QApplication::setFont(QFont(QStringLiteral("Liberation Sans"), 9));
    // Qt's own dialogs and buttons (file dialogs, message boxes) in Spanish too.
    QTranslator qtSpanish;
    if (qtSpanish.load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtSpanish);
    AnalysisWindow window;
    if (options->student || options->group)
        window.setReportAuthor(
            QString::fromStdString(options->student.value_or(window.reportInfo().student.toStdString())),
            QString::fromStdString(options->group.value_or(window.reportInfo().group.toStdString())));
    QStringList files;
    for (const std::string& f : options->dataFiles) files << QString::fromStdString(f);
    QStringList errors;
    window.openFiles(files, &errors);
    // A sample named on the command line is the sample of every file opened with it.
    for (int i = 0; i < window.seriesCount(); ++i) {
        if (!options->sampleCode.empty())
            window.setSampleCode(i, QString::fromStdString(options->sampleCode));
        else if (options->sample)
            window.setSample(i, *options->sample);
    }
    eh::installFirstPaintProbe(app);
    window.show();
    if (!errors.isEmpty())
        QTimer::singleShot(0, &window, [&window, errors] {
            QMessageBox::warning(&window, QStringLiteral("Análisis de datos"),
                                 errors.join(QLatin1Char('\n')));
        });
    return app.exec();
}
