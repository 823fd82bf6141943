#include "i18n/TranslatedTexts.h"

const std::array<const char*, 8> BuiltInTranslatedTexts = {
    "Do you want to save the changes?",
    "Modified",
    "Tintwright for TomTom Navigator",
    "help-en.chm",
    "Choose your language",
    "Translated by:",
    "OK",
    "Cancel",
};

std::array<TAnsiString, 8>& TranslatedTexts()
{
    static std::array<TAnsiString, 8> texts = [] {
        std::array<TAnsiString, 8> builtIn;
        for (std::size_t i = 0; i < builtIn.size(); ++i)
            builtIn[i] = BuiltInTranslatedTexts[i];
        return builtIn;
    }();
    return texts;
}
