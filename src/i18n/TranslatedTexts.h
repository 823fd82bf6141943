#pragma once

#include "common/AnsiString.h"

#include <array>

// The eight interface texts the program keeps for later use, indexed as the language files fill
// them: the save question, the modified mark, the window title, the help file name and the four
// texts of the language chooser. Starts with the built-in English texts; lives for the whole run.
enum TTranslatedText {
    ttSaveChanges = 0,
    ttModified = 1,
    ttApplicationName = 2,
    ttHelpFile = 3,
    ttChooseLanguage = 4,
    ttTranslatedBy = 5,
    ttOK = 6,
    ttCancel = 7,
};

// The built-in English texts, the table's starting values.
extern const std::array<const char*, 8> BuiltInTranslatedTexts;

std::array<TAnsiString, 8>& TranslatedTexts();
