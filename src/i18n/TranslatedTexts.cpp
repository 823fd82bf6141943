#include "i18n/TranslatedTexts.h"

std::array<TAnsiString, 8>& TranslatedTexts()
{
    static std::array<TAnsiString, 8> texts = {
        "Do you want to save the changes?",
        "Modified",
        "Tintwright for TomTom Navigator",
        "help-en.chm",
        "Choose your language",
        "Translated by:",
        "OK",
        "Cancel",
    };
    return texts;
}
