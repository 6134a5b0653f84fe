#pragma once
// Asked before a report is made: who hands it in. The fields start with the last names
// given, so that a student types them once.

#include <QString>

class QWidget;

namespace eh::analysis {

// False when the user cancels; otherwise `student` and `group` hold what was typed.
bool askReportAuthor(QWidget* parent, QString& student, QString& group);

} // namespace eh::analysis
