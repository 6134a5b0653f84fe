#pragma once
// The analysis window: open data files as series, look at them in tabs of plots and
// a table, set fit ranges, follow files the bench saves again, export and report.

#include <QMainWindow>
#include <memory>
#include <vector>

#include "analysis/Analysis.h"
#include "analysis/CsvOutput.h"
#include "ui/analysis/FileFollower.h"
#include "ui/analysis/FileState.h"
#include "ui/analysis/PlotKind.h"
#include "ui/analysis/ReportSections.h"

class QCheckBox;
class QComboBox;
class QMenu;
class QTabWidget;
class QLabel;
class QUndoStack;

namespace eh::analysis {

class DataTab;
class PlotTab;
struct PlotSeries;

class AnalysisWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit AnalysisWindow(QWidget* parent = nullptr);
    ~AnalysisWindow() override;

    // Opens each file as a new series (a file already open is read again). Files that
    // cannot be read are left out, with a line each in `errors`.
    bool openFiles(const QStringList& paths, QStringList* errors = nullptr);

    int seriesCount() const { return int(series_.size()); }
    const Analysis& analysis(int index) const { return series_.at(std::size_t(index))->analysis; }
    // Whether the series' data are still those of its file.
    const FileState& fileState(int index) const { return series_.at(std::size_t(index))->state; }
    const FitSettings& settings() const { return settings_; }
    const QStringList& recentFiles() const { return recent_; }

    void setSample(int seriesIndex, int sample);
    // The series was measured on the unknown sample `code` names: its bar's dimensions
    // are used. False, and nothing changes, when the code names no sample.
    bool setSampleCode(int seriesIndex, const QString& code);
    void setRange(PlotKind kind, Range range); // gap or mobility range
    void setFieldTemperature(double kelvin);
    // Leaves a record of the open file at `path` out of the fits, or puts it back.
    void setLeftOut(const QString& path, std::size_t record, bool out);
    // Range changes and left-out records, shared by the plot tabs.
    QUndoStack* undoStack() const { return history_; }
    // Weighted least squares with the instruments' uncertainties, or ordinary ones.
    void setWeighted(bool weighted);
    void selectSeries(int index);

    bool exportPlot(PlotKind kind, const QString& path, QString& error) const;
    bool exportTable(const QString& path, CsvStyle style, QString& error) const;
    bool exportFits(const QString& path, CsvStyle style, QString& error) const;
    // The open series' data file in the Spanish spreadsheet convention (";" and decimal
    // comma), with the bench's own columns.
    bool saveSpanishData(int index, const QString& path, QString& error) const;
    bool writeReport(const QString& path, QString& error) const;
    // Who the report is by: asked when it is made, given on the command line, remembered.
    void setReportAuthor(const QString& student, const QString& group);
    const ReportInfo& reportInfo() const { return reportInfo_; }

    // The plot's tab made current, and so made and drawn up to date.
    PlotTab* shownPlotTab(PlotKind kind);
    DataTab* dataTab() const { return data_; }
    // The series as plots and the report get them: name, data and whether they are stale.
    std::vector<PlotSeries> plotSeries() const;
    QTabWidget* tabs() const { return tabs_; }

signals:
    // After every change of what is shown (files opened or reloaded, sample, ranges).
    void refreshed();
    // The tab now shown (0: Datos).
    void tabShown(int index);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    struct Series {
        Analysis analysis;
        bool sampleChosen = false; // by the user; otherwise guessed again on reload
        FileState state;           // the data are the last ones read when it is not up to date
    };

    void buildMenus();
    // Deshacer and Rehacer of range changes and left-out records; copies of the shown plot.
    void buildEditMenu();
    PlotTab* currentPlotTab(); // nullptr on the Datos tab
    // The size it last had (`restored`) or the preferred one, within the screen's free area.
    void fitIntoScreen(bool restored);
    void buildCentre();
    // "Muestra problema…" chosen in the sample box: asks for the series' code.
    void askSampleCode();
    void showSampleOf(int seriesIndex);
    bool load(Series& s, const QString& path, FileState& state) const;
    void reanalyse();
    void refresh();
    void refreshVisiblePlot();
    PlotTab* ensurePlotTab(std::size_t index);
    std::vector<std::string> openPaths() const; // of every series, for the exports' checks
    void showSeriesList();
    void showStatus();
    // Reads followed files again and notes how each stands; one that cannot be read is
    // retried a few times, in case it was caught half-written.
    void reloadFiles(const QStringList& paths);
    void rememberRecent(const QStringList& paths);
    void updateRecentMenu();
    void showErrors(const QStringList& errors);
    QString lastFolder() const;
    // Settings (size, position, last folder, recent files) are read when the window
    // is made and written when it closes.
    void setLastFolder(const QString& file);

    void askOpen();
    void askExportPlot();
    void askExportTable();
    // A CSV file name and its convention, the user's language's offered first; empty
    // when cancelled.
    QString askCsvPath(const QString& title, const QString& name, CsvStyle& style);
    void askReport();
    void askPrint();
    void askExportFits();
    void askSaveSpanish();
    // Asks who the report is by; false when cancelled.
    bool askAuthor();

    std::vector<std::unique_ptr<Series>> series_;
    FitSettings settings_;
    QUndoStack* history_ = nullptr;
    QComboBox* seriesBox_ = nullptr;
    QComboBox* sampleBox_ = nullptr;
    QCheckBox* weightedBox_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    DataTab* data_ = nullptr;
    std::vector<QWidget*> pages_; // one per plot, in tab order after the data tab
    std::vector<PlotTab*> plots_; // made when first shown
    QMenu* recentMenu_ = nullptr;
    QLabel* status_ = nullptr;
    QStringList recent_; // most recent first
    QString lastFolder_;
    ReportInfo reportInfo_;
    FileFollower follower_;
    bool updating_ = false;
    // Plots are drawn when their tab is shown: building every chart up front would
    // cost the window its start-up time.
    std::vector<bool> plotStale_;
};

} // namespace eh::analysis
