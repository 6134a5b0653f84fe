#pragma once
// The slips a teacher prints and cuts: one per student, with the name, the group, the
// code and how to enter it. Needs a QGuiApplication (offscreen is enough).

#include <QByteArray>
#include <vector>

#include "clase/AnswerKey.h"

namespace eh::clase {

// Ten slips to an A4 page, two columns of five, with dashed lines to cut along.
QByteArray slipsPdf(const std::vector<KeyRow>& rows);

} // namespace eh::clase
