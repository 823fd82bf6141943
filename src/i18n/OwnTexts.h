#pragma once

#include "common/AnsiString.h"

// Texts of our own beyond the language file's keys for the window: each has a key in a section
// of a language file and an English text that stands until a language file gives another.
struct TTextKey
{
    const char* Section;
    const char* Key;
    const char* English;
};

// The text shown now: the last applied language file's value, or the English text.
TAnsiString OwnText(const TTextKey& key);
void SetOwnText(const TTextKey& key, TAnsiView value);
// Back to English, as at start (for tests, which start several windows in one program).
void ResetOwnTexts();
