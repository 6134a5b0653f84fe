#pragma once
// The plotted points a user sees, as text a spreadsheet in Spanish pastes into
// cells: tab between columns, decimal comma, no thousands separator.

#include <QString>
#include <vector>

#include "ui/analysis/PlotPanel.h"

namespace eh::analysis {

// For each panel a header row (serie, horizontal axis title, vertical axis title)
// and a row per marker inside the panel's present view; panels apart by a blank row.
QString visibleDataText(const std::vector<PlotPanel>& panels);

} // namespace eh::analysis
