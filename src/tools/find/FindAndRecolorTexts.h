#pragma once

#include "i18n/OwnTexts.h"

#include <QString>

#include <cstddef>
#include <span>

// The texts of the find, replace and adjust windows, besides their commands, in the language
// file section [FindAndRecolor].
enum class TFindText {
    FindTitle,
    FindLabel,
    FindPlaceholder,
    NearWords,
    FindChanged,
    FindNotOnPreview,
    FindHardToTell,
    ColumnColor,
    ColumnNumber,
    ColumnDescription,
    FoundNone,
    FoundOne,
    FoundMany,
    FoundPosition,
    Select,
    Close,
    ReplaceTitle,
    ReplaceFrom,
    ReplaceTo,
    ReplaceCount,
    ReplaceMatching,
    NotAColor,
    CustomColors,
    AdjustTitle,
    AdjustScopeFound,
    AdjustScopeAll,
    AdjustHue,
    AdjustChroma,
    AdjustLightness,
    AdjustHueUnit,
    AdjustChromaUnit,
    AdjustReset,
    AdjustUnchanged,
    Ok,
    Cancel,
};

std::span<const TTextKey> FindTextKeys();
// The text in the language applied.
QString FindText(TFindText text);
// The text of a count, with the count: the "one" text for a count the language says in the
// singular, the "many" text for any other.
QString FindCountText(TFindText one, TFindText many, std::size_t count);
