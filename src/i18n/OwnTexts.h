#pragma once

#include "common/AnsiString.h"

#include <cstdint>
#include <vector>

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

// The counts the language applied says in the singular: 1 in English and German, 0 and 1 in
// French ("0 élément"). The others take the plural.
void SetSingularCounts(std::vector<std::uint64_t> counts);
bool SaidInSingular(std::uint64_t count);
// The text of a count, unfilled: `one` for a count said in the singular, `many` for the others.
TAnsiString OwnCountText(const TTextKey& one, const TTextKey& many, std::uint64_t count);
