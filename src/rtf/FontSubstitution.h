#pragma once
// The window layouts and the course chapters name Windows fonts; these are the free
// fonts installed with the program that stand in for them.

#include <QString>

namespace eh {

// The installed family to use for `family` (case-insensitive); unknown families are
// returned unchanged so that fontconfig can still match them.
QString substituteFontFamily(const QString& family);

} // namespace eh
