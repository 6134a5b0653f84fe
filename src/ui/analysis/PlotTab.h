#pragma once
// One plot tab: its panels (a plot over its residuals), and beside them the fit range
// fields, the axis scales and the results. The plots zoom, pan and go back to their
// initial view without touching a fit; a click on a marker leaves its record out of
// the fits or puts it back; range changes and left-out records are steps of an undo
// history the window may share between its tabs.

#include <QWidget>
#include <optional>
#include <vector>

#include "ui/analysis/ChartFactory.h"

class QCheckBox;
class QChartView;
class QDoubleSpinBox;
class QHBoxLayout;
class QLabel;
class QUndoStack;
class QVBoxLayout;

namespace eh::analysis {

class RangeChartView;

class PlotTab : public QWidget {
    Q_OBJECT
public:
    explicit PlotTab(PlotKind kind, QWidget* parent = nullptr);

    PlotKind kind() const { return kind_; }
    // Redraws from the series and shows the settings in the fields. A zoomed view
    // stays as the user left it.
    void refresh(const std::vector<PlotSeries>& series, const FitSettings& settings);
    // The first panel's plot; nothing before the plot was first drawn.
    RangeChartView* view() const { return views_.empty() ? nullptr : views_.front(); }
    QChart* chart() const;
    const std::vector<PlotPanel>& panels() const { return panels_; }
    const std::vector<RangeChartView*>& views() const { return views_; }
    QChartView* residualView(std::size_t panel) const;
    PlotScales scales() const { return scales_; }

    // The history of range changes and left-out records; the tab's own until the
    // window gives one to share.
    QUndoStack* undoStack() const { return history_; }
    void setUndoStack(QUndoStack* history);

public slots:
    // The plots as shown, as an image on the clipboard.
    void copyImage();
    // The points inside the present views, as text for a spreadsheet in Spanish.
    void copyData();
    // Every panel back to the view it opened on.
    void resetView();
    // Every panel showing all its points.
    void showWhole();
    void setScales(PlotScales scales);

signals:
    // The user changed the fit's temperature range (fields or a drag) or, on the
    // field plot, its temperature.
    void rangeChanged(PlotKind kind, Range range);
    void fieldTemperatureChanged(double kelvin);
    // A record of the file at `path` left out of the fits (`out`) or put back.
    void leftOutChanged(const QString& path, std::size_t record, bool out);
    // "Exportar…" chosen in the plot's menu.
    void exportRequested();

private:
    void buildSide();
    void fieldsEdited();
    void spanDragged(double from, double to);
    void pointClicked(std::size_t panel, QPointF chartPos);
    void changeRange(Range to);
    void changeFieldTemperature(double to);
    void showMenu(QPoint globalPos);
    void ensureViews(std::size_t count);
    void showResults();
    void rememberViews();

    PlotKind kind_;
    std::vector<PlotSeries> series_;
    FitSettings settings_;
    std::vector<PlotPanel> panels_;
    std::vector<RangeChartView*> views_;
    std::vector<QChartView*> residualViews_;
    std::vector<std::optional<ViewRange>> userViews_; // a panel zoomed or panned by the user
    PlotScales scales_;
    QUndoStack* history_;
    QWidget* plots_ = nullptr;
    QVBoxLayout* plotsLayout_ = nullptr;
    QDoubleSpinBox* minField_ = nullptr;
    QDoubleSpinBox* maxField_ = nullptr;
    QDoubleSpinBox* temperatureField_ = nullptr;
    QCheckBox* logX_ = nullptr;
    QCheckBox* logY_ = nullptr;
    QLabel* results_ = nullptr;
    bool updating_ = false;
};

} // namespace eh::analysis
