#pragma once

#include "i18n/ShownText.h"

#include <span>

struct TMainFormControls;

// Texts of the window beyond the keys of its language file sections: the picker's tool tip, the
// save's letter-case question and the like. Each has a key in a section of our own; formats take
// their values as %1, %2.
namespace WindowText {
inline constexpr TTextKey PickerHint {"Window", "PickerHint",
    "Click for the color dialog, or on the arrow (Alt+Down) for the palette"};
inline constexpr TTextKey ReplaceFileQuestion {
    "Window", "ReplaceFileQuestion", "A file named \"%1\" already exists."};
inline constexpr TTextKey ReplaceLowerCase {"Window", "ReplaceLowerCase",
    "The navigator reads colour files named in lower case, so this document is saved as %1, "
    "which replaces that file. Do you want to replace it?"};
inline constexpr TTextKey ReplaceUpperCase {"Window", "ReplaceUpperCase",
    "The navigator reads colour files named in upper case, so this document is saved as %1, "
    "which replaces that file. Do you want to replace it?"};
inline constexpr TTextKey FilesFailed {"Window", "FilesFailed", "%1 files could not be opened."};
inline constexpr TTextKey MoreFailures {"Window", "MoreFailures", "and %1 more"};
inline constexpr TTextKey LineBreakInPath {"Window", "LineBreakInPath",
    "The file name holds a line break, which the settings file cannot keep."};
inline constexpr TTextKey HelpBack {"HelpViewer", "Back", "Back"};
inline constexpr TTextKey HelpForward {"HelpViewer", "Forward", "Forward"};
inline constexpr TTextKey HelpHome {"HelpViewer", "Home", "Home"};
inline constexpr TTextKey HelpContents {"HelpViewer", "Contents", "&Contents"};
inline constexpr TTextKey HelpIndex {"HelpViewer", "Index", "I&ndex"};
inline constexpr TTextKey HelpKeyword {
    "HelpViewer", "KeywordLabel", "&Type in the keyword to find:"};
inline constexpr TTextKey HelpDisplay {"HelpViewer", "Display", "&Display"};
inline constexpr TTextKey HelpCannotOpen {
    "HelpViewer", "CannotOpen", "The help file %1 cannot be opened."};
inline constexpr TTextKey HelpNotRegularFile {
    "HelpViewer", "NotRegularFile", "It is not a regular file."};
// The largest size, such as "64 MiB".
inline constexpr TTextKey HelpTooLarge {"HelpViewer", "TooLarge", "It is larger than %1."};
} // namespace WindowText

// Every window text of ours, in the order a language file's keys are read.
std::span<const TTextKey> WindowTextKeys();

// Puts the texts that controls show all the time into them, after a language was applied.
void ApplyWindowTexts(TMainFormControls& controls);
