#pragma once

#include "editing/ColorHistory.h"
#include "preview/ItemNeighbours.h"
#include "scheme/SchemeFile.h"

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

// Which items that touch on the preview are hard to tell apart: one row per touching pair,
// judged by the CIEDE2000 difference of the two colours, with the WCAG contrast ratio beside it.

// Colours closer than this (CIEDE2000) count as hard to tell apart unless the user chooses
// another threshold; about twice what an attentive eye notices side by side.
constexpr double DefaultLegibilityThreshold = 5.0;

bool HardToTellApart(double deltaE, double threshold = DefaultLegibilityThreshold);

struct TLegibilityRow
{
    // The two items, First < Second, named as a click names them.
    std::size_t First, Second;
    std::size_t BorderLength;
    double DeltaE;
    double ContrastRatio;
    bool HardToTellApart;

    bool operator==(const TLegibilityRow& other) const = default;
};

// The order rows are shown in: those hard to tell apart first, then the smaller difference,
// then the longer border, then by the items' indexes.
bool LegibilityOrder(const TLegibilityRow& first, const TLegibilityRow& second);

// The row of a touching pair; both items must be below colors.size().
TLegibilityRow MakeLegibilityRow(
    const TTouchingPair& pair, std::span<const TRGBTriple> colors, double threshold);

// The rows of a map's touching pairs for a document's colours, kept in order while colours
// change. Pairs with an item the document lacks (colors.size() or more) are left out.
class TLegibility
{
public:
    TLegibility() = default;
    TLegibility(std::vector<TTouchingPair> pairs, std::span<const TRGBTriple> colors,
        double threshold = DefaultLegibilityThreshold);

    const std::vector<TLegibilityRow>& Rows() const { return FRows; }
    // The number of rows hard to tell apart (they come first).
    std::size_t FlaggedCount() const;
    double Threshold() const { return FThreshold; }
    // Where the pair's row is now; none when the items do not touch or one is missing.
    std::optional<std::size_t> RowOf(std::size_t first, std::size_t second) const;

    // One item's colour changed: only that item's rows are worked out again and merged back
    // into place. An item the document lacks is ignored.
    void SetColor(std::size_t item, const TRGBTriple& color);
    // Several items' colours changed (a step of many items, its undo): the same for all of
    // them at once, each changed row worked out once.
    void ChangeColors(std::span<const TColorChange> changes);
    // Another document, or many changes at once: every row anew.
    void SetColors(std::span<const TRGBTriple> colors);
    void SetThreshold(double threshold);

private:
    void Rebuild();

    std::vector<TTouchingPair> FPairs;
    std::vector<TRGBTriple> FColors;
    double FThreshold = DefaultLegibilityThreshold;
    std::vector<TLegibilityRow> FRows;
};
