#pragma once
// Creates the bench's widgets from the layout table, each named after its entry.

#include <QHash>
#include <QString>

class QWidget;

namespace eh {

struct LayoutItem;

// Builds every widget of the layout on `surface` (the window's client area) and
// returns them by name.
QHash<QString, QWidget*> buildBenchLayout(QWidget* surface);

// One widget of the table, not yet placed.
QWidget* createLayoutWidget(const LayoutItem& item, QWidget* container);

} // namespace eh
