#pragma once
// The analysis window's Ayuda menu: what each tab shows, how to choose a fit range,
// the formulas (the course chapter on interpretation), how to take the bench's data
// file to a spreadsheet in Spanish, and what the program is.

#include <QString>

class QMainWindow;

namespace eh::analysis {

enum class HelpTopic { Tabs, Ranges, Spreadsheet, About };

// The topic's title and text (rich text).
QString helpTitle(HelpTopic topic);
QString helpText(HelpTopic topic);

// The chapter the formulas entry opens.
inline constexpr const char* kFormulasChapter = "Discusion.rtf";

// Adds the Ayuda menu to `window`'s menu bar.
void addHelpMenu(QMainWindow* window);

} // namespace eh::analysis
