#pragma once

#include "common/AnsiString.h"
#include "scheme/SchemeFile.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// What a text typed into the find window asks for.
struct TFindQuery
{
    // Words that an item's description must all hold, folded (common/TextFold.h); each also as
    // folded with its umlauts spelled out, so "Grün" finds "Gruen" as "gruen" finds "Grün".
    std::vector<std::string> Words;
    std::vector<std::string> SpelledWords;
    // The item whose number was typed (numbers count from 1), as an index from 0.
    std::optional<std::size_t> Item;
    // A colour written in any notation (editing/ColorNotation.h): the items of exactly that
    // colour, or with Near the items close to it.
    std::optional<TRGBTriple> Color;
    bool Near = false;

    bool IsEmpty() const { return Words.empty() && !Item && !Color; }
};

// How close (CIEDE2000) an item's colour must be to count as near a colour.
constexpr double NearDeltaE = 10.0;

// "near" and a colour ("near #FF8800", "near 255 136 0") asks for the colours near it and for
// nothing else; so does any of the language's own words for it (nearWords: Windows-1252, one or
// more words each, separated by commas, such as "nahe" or "près de, près"), letter case and
// accents ignored. Any other text asks for the descriptions that hold all of its words, ignoring
// letter case and accents; and besides, when the whole text is a number or a colour, for the item
// of that number or the items of that colour. Blanks alone ask for nothing.
TFindQuery ParseFindQuery(TAnsiView text, TAnsiView nearWords = {});
