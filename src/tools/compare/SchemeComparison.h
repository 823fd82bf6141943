#pragma once

#include "common/AnsiString.h"
#include "editing/ColorHistory.h"
#include "scheme/SchemeFile.h"

#include <cstddef>
#include <functional>
#include <span>
#include <vector>

// Which of the two schemes compared holds an item.
enum class TComparedPresence { Both, OnlyHere, OnlyThere };

// An item, by position, that is not the same in the open document ("here") and in another scheme
// ("there"): its colour or description differs, or only one of the two has it.
struct TItemDifference
{
    std::size_t Item;
    TComparedPresence Presence;
    TRGBTriple Here {}; // the colours and descriptions of the schemes that hold the item
    TRGBTriple There {};
    TAnsiString HereDescription;
    TAnsiString ThereDescription;
    bool ColorDiffers = false; // both hold it and the colours differ
    bool DescriptionDiffers = false; // both hold it and the descriptions differ
    double DeltaE = 0; // CIEDE2000 between the two colours; 0 unless both hold the item
};

// The items that differ between the document (its colours, and the description of each item
// below their count) and another scheme, ascending by item: those both hold with another colour
// or description, then those only the longer one holds.
std::vector<TItemDifference> CompareSchemes(std::span<const TRGBTriple> colors,
    const std::function<TAnsiString(std::size_t item)>& description,
    std::span<const TSchemeItem> other);

// The changes that give the chosen items the other scheme's colour. Items one scheme lacks and
// items whose colours are already equal have nothing to take and are left out.
std::vector<TColorChange> TakenColors(std::span<const TItemDifference> differences,
    const std::function<bool(std::size_t item)>& chosen);
