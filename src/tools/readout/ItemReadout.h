#pragma once

#include "common/AnsiString.h"
#include "common/NumberText.h"
#include "preview/ItemNeighbours.h"
#include "preview/Legibility.h"
#include "scheme/SavedScheme.h"
#include "scheme/SchemeFile.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

// The texts that tell the user which item a preview pixel belongs to and how well an item stands
// out from the items around it. Items are named as a click names them, and numbered from 1 as
// the file's lines are.

// The words of the read-outs, which a language file may replace; formats fill %1, %2.
struct TReadoutWords
{
    TAnsiString Item = "item %1";
    TAnsiString Fixed = "fixed";
    TAnsiString NotInScheme = "not in this scheme";
    TAnsiString NotOnPreview = "not on this preview";
    TAnsiString BordersNothing = "Borders no other item";
    TAnsiString BordersOne = "Borders 1 item:";
    TAnsiString BordersSome = "Borders %1 items:";
    TAnsiString BordersMany = "Borders %1 items; the closest:";
    TAnsiString Neighbour = "%1 with %2"; // the contrast ratio, the neighbour's name
    TAnsiString HardToTell = "hard to tell apart";
    TAnsiString SeenAs = "seen as %1"; // the colour code the preview paints instead
    TAnsiString ChangedFrom = "changed from %1"; // what the item was as last loaded or saved
    TAnsiString NoDescription = "no description";
    // How the contrast ratios and counts are written.
    TNumberFormat Numbers = {};
};

// What the read-outs need of the document.
struct TReadoutItems
{
    // One colour per item; its size is the item count.
    std::span<const TRGBTriple> Colors;
    // The description of an item below the count, in Windows-1252.
    std::function<TAnsiString(std::size_t item)> Description;
    TReadoutWords Words = {};
    // The document as last loaded or saved; none leaves the entries without "changed from".
    const TSavedScheme* Saved = nullptr;
};

// The item a click on the cell selects: the whole difference cell - ItemReferenceBase. None
// for a fixed colour or an index the document does not have (itemCount or more).
std::optional<std::size_t> ReadoutItem(std::uint32_t cell, std::size_t itemCount);

// "Main road - #FABE8C - item 16": the description (left out when empty), the colour code and
// the number; item must be below the count.
TAnsiString ItemReadoutText(std::size_t item, const TReadoutItems& items);

// A preview pixel's read-out: the item's as above, "#123456 - fixed" for a fixed colour, and
// "item 301 - not in this scheme" for a reference to an item the document does not have.
TAnsiString CellReadoutText(std::uint32_t cell, const TReadoutItems& items);

// The colour a cell's read-out names: the item's, or the fixed colour; none for an item the
// document does not have.
std::optional<TRGBTriple> ReadoutColor(std::uint32_t cell, std::span<const TRGBTriple> colors);

// The read-out of a cell on a preview painted through a filter (a colour-vision simulation):
// as above, then "seen as #D8C58F" when the colour it names is painted as another.
TAnsiString CellReadoutText(std::uint32_t cell, const TReadoutItems& items,
    const std::function<TRGBTriple(const TRGBTriple&)>& painted);

struct TNeighbourContrast
{
    std::size_t Item;
    double Ratio;
    double DeltaE;
    bool HardToTellApart;
};

// The item's neighbours on the map that the document has, with the contrast ratio and the
// colour difference (CIEDE2000) of each one's colour against the item's, in the order of the
// legibility check: hard to tell apart first, then the smallest difference, the longest border,
// the lowest index.
std::vector<TNeighbourContrast> NeighbourContrasts(std::size_t item,
    const TItemNeighbours& neighbours, std::span<const TRGBTriple> colors,
    double threshold = DefaultLegibilityThreshold);

// The tooltip of an item's list entry: its read-out; for an item that differs from the saved
// document, what it was ("changed from Park - #C8E6B4": the description, the colour, or both,
// whichever differs); then "not on this preview" for an item without pixels, or how many items it
// borders and the three hardest to tell from it, each with its contrast ratio and, when the
// legibility check flags the pair at this threshold, "hard to tell apart". Empty for an item
// beyond the count.
TAnsiString ItemEntryText(std::size_t item, const TReadoutItems& items,
    const TItemNeighbours& neighbours, double threshold = DefaultLegibilityThreshold);
