#pragma once

#include <string_view>

// Qt's own texts (the buttons of message boxes, the file and colour dialogs) in the language of
// the language file applied: Qt's translations for the locale it names ("de", "pt_BR"), or for
// the system's locale when it names none. Replaces the translations this installed before; a
// text they lack shows in Qt's English, never in the language of a translator installed earlier.
// Does nothing without an application object.
void ApplyQtTranslations(std::string_view localeName);

// Numbers, sizes and dates in the locale the language file names ("de", "pt_BR"), or in the
// system's when it names none: the default locale of every widget, the open ones included.
void ApplyLocale(std::string_view localeName);
