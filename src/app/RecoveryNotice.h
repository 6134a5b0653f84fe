#pragma once
// Tells the user, at start-up, where the measurements of an ended session were kept.

#include <QWidget>

namespace eh {

// Shows the message box when files were rescued since the last start, once.
void announceRescuedMeasurements(QWidget* parent, const QString& folder);

} // namespace eh
