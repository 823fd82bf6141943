#pragma once

#include "tools/import/ScreenshotColors.h"
#include "scheme/SchemeFile.h"

#include <cstddef>
#include <span>
#include <vector>

// Below this share of pixels close to the colour read, an item's reading is doubted.
inline constexpr double ConfidentShare = 0.9;

// One item whose colour a screenshot would change.
struct TImportRow
{
    std::size_t Item;
    TItemPresence Presence; // Thin or Interior
    TRGBTriple Old; // the item's colour now
    TRGBTriple New; // the colour read
    double DeltaE; // CIEDE2000 between the two
    double Confidence;
    // Whether the row is to be taken unless the user says otherwise: not for a thin item, whose
    // edges a screenshot blurs, nor for a doubtful reading.
    bool CheckedAtFirst;
};

// The rows for the items whose colour read differs from their colour now, in item order.
// Readings beyond the colours given are left out.
std::vector<TImportRow> ImportRows(
    std::span<const TItemReading> readings, std::span<const TRGBTriple> colors);

// The items no cell of the preview refers to, ascending.
std::vector<std::size_t> ItemsNotOnPreview(std::span<const TItemReading> readings);
