#pragma once
// One panel of a plot: a chart, the residuals of its fits under it, and the records
// behind its markers, so that a click on a marker finds its record.

#include <QChart>
#include <QScatterSeries>
#include <vector>

namespace eh::analysis {

// A scatter series and, point by point, the record each point stands for; `file` is
// the index of its series among those plotted.
struct MarkedPoints {
    QScatterSeries* series = nullptr;
    std::size_t file = 0;
    std::vector<std::size_t> records;
};

// Axis ranges in axis units.
struct ViewRange {
    double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    bool operator==(const ViewRange&) const = default;
};

struct PlotPanel {
    QChart* chart = nullptr;     // owned by whoever shows or paints it
    QChart* residuals = nullptr; // none when nothing is fitted on the panel
    std::vector<MarkedPoints> points;
    ViewRange initial; // the view the panel opens on
    ViewRange whole;   // every point
};

// Linear or logarithmic axes of a plot, where both make sense.
struct PlotScales {
    bool logX = false, logY = false;
    bool operator==(const PlotScales&) const = default;
};

} // namespace eh::analysis
