#pragma once

#include "common/AnsiString.h"

#include <array>
#include <cstddef>

class TProfileFile;

// The property of an action that holds its hint. It is kept apart from the tool tip, which Qt makes
// up from the caption when there is none.
inline constexpr const char* CommandHintProperty = "Hint";

// What a key of a language file sets in the interface.
enum class TLanguageTarget {
    TranslatedText, // an entry of TranslatedTexts(), by Index
    MenuCaption, // a menu of the menu bar, by Index (0 File, 1 Edit, 2 Tools, 3 Help)
    CommandCaption, // the caption of the command (action) with the object name Name
    CommandHint, // the hint of the command Name
    ControlCaption, // the caption of the main window's control with the object name Name
    PickerCustomText, // CustomText of ColorPickerButton1
    PickerColorHint, // ColorHintText of ColorPickerButton1: a format with red, green, blue
    PickerIntensityHint, // IntensityHintText of ColorPickerButton1: a format with a percentage
    WhatsThisCaption, // the one entry of the context-help menu
    FilterName, // a file-dialog filter name, by Index (Filter1 to Filter4 as 0 to 3)
};

// One read of a language file: the key, and the target its value replaces.
struct TLanguageKey
{
    const char* Section;
    const char* Key;
    TLanguageTarget Target;
    int Index; // of TranslatedText, MenuCaption and FilterName targets; 0 otherwise
    const char* Name; // of CommandCaption, CommandHint and ControlCaption targets; "" otherwise
};

inline constexpr std::size_t LanguageKeyCount = 59;

// Every read of a language file, in the order they are made. ToolsMenu/ItemClipboard is read twice:
// for the clipboard command's caption and again for its hint, as the file has no key of its own
// for that hint.
extern const std::array<TLanguageKey, LanguageKeyCount> LanguageKeys;

// The English filter names, which a language file without Filter keys always brings back.
extern const std::array<const char*, 4> BuiltInFilterNames;

// The value one key reads: the file's value when present, else the default, which is the target's
// current text, or for the filter names always the English name (ReadLanguageText's rules). A
// value from the file holds no CR or LF and at most 2047 bytes.
TAnsiString ReadLanguageValue(
    const TProfileFile& file, const TLanguageKey& key, TAnsiView currentText = {});
