#pragma once
// One plot tab: the chart, and beside it the fit range fields and the results.

#include <QWidget>
#include <functional>
#include <vector>

#include "ui/analysis/ChartFactory.h"

class QDoubleSpinBox;
class QHBoxLayout;
class QLabel;

namespace eh::analysis {

class RangeChartView;

class PlotTab : public QWidget {
    Q_OBJECT
public:
    PlotTab(PlotKind kind, QWidget* parent = nullptr);

    PlotKind kind() const { return kind_; }
    // Redraws from the series and shows the settings in the fields.
    void refresh(const std::vector<PlotSeries>& series, const FitSettings& settings);
    // Nothing before the plot was first drawn.
    RangeChartView* view() const { return view_; }
    QChart* chart() const;

signals:
    // The user changed the fit's temperature range (fields or a drag) or, on the
    // field plot, its temperature.
    void rangeChanged(PlotKind kind, Range range);
    void fieldTemperatureChanged(double kelvin);

private:
    void fieldsEdited();
    void spanDragged(double from, double to);
    RangeChartView* ensureView();

    PlotKind kind_;
    RangeChartView* view_ = nullptr;
    QHBoxLayout* layout_ = nullptr;
    QDoubleSpinBox* minField_ = nullptr;
    QDoubleSpinBox* maxField_ = nullptr;
    QDoubleSpinBox* temperatureField_ = nullptr;
    QLabel* results_;
    bool updating_ = false;
};

} // namespace eh::analysis
