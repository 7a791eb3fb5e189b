// Qt's own texts (the buttons of message boxes, the file dialogs) in the program's language.
#pragma once

#include "l10n/language.h"

namespace vartesk::ui {

// Installs Qt's translations for `language` into the application, replacing those installed
// before; English needs none. Gives false when the translation files are not on the machine,
// which leaves Qt's texts in English.
bool UseQtTranslations(TLanguage language);

} // namespace vartesk::ui
