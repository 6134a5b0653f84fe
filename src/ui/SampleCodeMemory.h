#pragma once
// The unknown sample's code, kept in the user's settings so that the next start of the
// bench measures the same sample.

#include <QString>

namespace eh {

// The code last loaded into the bench, as it was kept; empty when there is none.
QString rememberedSampleCode();
void rememberSampleCode(const QString& code);

} // namespace eh
