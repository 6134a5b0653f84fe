#pragma once
// Qt's own dialogs (the save dialog and its questions) in Spanish, like the bench,
// whatever the system language.

class QCoreApplication;

namespace eh {

// Loads Qt's Spanish translations from Qt's translations folder into `app`; false when
// they are not installed, and the dialogs stay in English.
bool installSpanishTranslations(QCoreApplication& app);

} // namespace eh
