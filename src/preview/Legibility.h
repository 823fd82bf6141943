#pragma once

#include "editing/ColorHistory.h"
#include "editing/ColorScience.h"
#include "preview/IntendedPairs.h"
#include "preview/ItemNeighbours.h"
#include "scheme/SchemeFile.h"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

// Which items that touch on the preview are hard to tell apart: one row per touching pair,
// judged by the CIEDE2000 difference of the two colours under one kind of colour vision or under
// every kind at once, with the WCAG contrast ratio beside it. The one judgement the legibility
// window, the find filter, the item list's tooltips, the preview's read-out and the command
// line's check all make.

// Colours closer than this (CIEDE2000) count as hard to tell apart unless the user chooses
// another threshold; about twice what an attentive eye notices side by side.
constexpr double DefaultLegibilityThreshold = 5.0;

bool HardToTellApart(double deltaE, double threshold = DefaultLegibilityThreshold);

// The kinds of colour vision, in the order of TVisionDeficiency.
inline constexpr std::size_t VisionKindCount = 5;

// What a pair is judged under: one kind of colour vision, or every kind at once (a pair is then
// hard to tell apart when it is under any of them).
enum class TJudgedVision { Normal, Protanopia, Deuteranopia, Tritanopia, Achromatopsia, EveryKind };

// The kinds a choice judges under, in the order of TVisionDeficiency.
std::span<const TVisionDeficiency> JudgedKinds(TJudgedVision vision);

// The names the command line and the report's parser use: "normal", "protanopia", ...,
// "achromatopsia", and "all" for every kind.
std::string_view VisionKindName(TVisionDeficiency kind);
std::optional<TJudgedVision> JudgedVisionNamed(std::string_view name);

struct TLegibilityRow
{
    // The two items, First < Second, named as a click names them.
    std::size_t First, Second;
    std::size_t BorderLength;
    // The smallest difference under the kinds judged, and the kind that gives it (the first in
    // the order of TVisionDeficiency when several do).
    double DeltaE;
    TVisionDeficiency WorstKind = TVisionDeficiency::Normal;
    // The difference under each kind, by TVisionDeficiency; a kind not judged holds NaN.
    std::array<double, VisionKindCount> DeltaEs {};
    // The lowest contrast ratio under the kinds judged.
    double ContrastRatio;
    bool HardToTellApart;
    // Marked as meant to be close: never counted as hard to tell apart, listed last.
    bool Intended = false;

    // Kinds not judged compare equal.
    bool operator==(const TLegibilityRow& other) const;
};

// The order rows are shown in: those counted (hard to tell apart and not intended) first, the
// intended ones last; within each, those hard to tell apart first, then the smaller difference,
// then the longer border, then by the items' indexes.
bool LegibilityOrder(const TLegibilityRow& first, const TLegibilityRow& second);

// The row of a touching pair under normal vision; both items must be below colors.size().
TLegibilityRow MakeLegibilityRow(
    const TTouchingPair& pair, std::span<const TRGBTriple> colors, double threshold);

// The rows of a map's touching pairs for a document's colours, kept in order while colours,
// threshold, kind of vision and marks change. Pairs with an item the document lacks
// (colors.size() or more) are left out. Each item's colour is seen under each kind judged once
// (simulated, then taken to CIE L*a*b* and luminance), not once per pair.
class TLegibility
{
public:
    TLegibility() = default;
    // Under normal vision: the colours as given.
    TLegibility(std::vector<TTouchingPair> pairs, std::span<const TRGBTriple> colors,
        double threshold = DefaultLegibilityThreshold);
    TLegibility(std::vector<TTouchingPair> pairs, std::span<const TRGBTriple> colors,
        TJudgedVision vision, double threshold, TIntendedPairs intended);

    const std::vector<TLegibilityRow>& Rows() const { return FRows; }
    // The number of rows counted: hard to tell apart and not intended (they come first).
    std::size_t FlaggedCount() const;
    double Threshold() const { return FThreshold; }
    TJudgedVision Vision() const { return FVision; }
    std::span<const TVisionDeficiency> Kinds() const { return JudgedKinds(FVision); }
    const TIntendedPairs& Intended() const { return FIntended; }
    // Where the pair's row is now; none when the items do not touch or one is missing.
    std::optional<std::size_t> RowOf(std::size_t first, std::size_t second) const;

    // The items of the rows counted, one flag per item of the document: what the find filter
    // "Hard to tell apart" finds.
    std::vector<bool> HardItems() const;
    // The rows of one item's pairs, in the order of the list: the neighbours its tooltip names.
    std::vector<TLegibilityRow> RowsOf(std::size_t item) const;

    // One item's colour changed: only that item's rows are worked out again and merged back
    // into place. An item the document lacks is ignored.
    void SetColor(std::size_t item, const TRGBTriple& color);
    // Several items' colours changed (a step of many items, its undo): the same for all of
    // them at once, each changed row worked out once.
    void ChangeColors(std::span<const TColorChange> changes);
    // Another document, or many changes at once: every row anew.
    void SetColors(std::span<const TRGBTriple> colors);
    void SetThreshold(double threshold);
    void SetVision(TJudgedVision vision);
    void SetIntended(TIntendedPairs intended);
    // Marks or unmarks one pair; false when that changed nothing.
    bool SetIntended(std::size_t first, std::size_t second, bool intended);

private:
    // How an item's colour is seen under one kind.
    struct TSeen
    {
        TLab Lab;
        double Luminance;
    };

    void See(std::size_t item);
    TLegibilityRow Judge(const TTouchingPair& pair) const;
    void Rebuild();
    void Sort();

    std::vector<TTouchingPair> FPairs;
    std::vector<TRGBTriple> FColors;
    double FThreshold = DefaultLegibilityThreshold;
    TJudgedVision FVision = TJudgedVision::Normal;
    TIntendedPairs FIntended;
    // FSeen[item * Kinds().size() + k] for the k-th kind judged.
    std::vector<TSeen> FSeen;
    std::vector<TLegibilityRow> FRows;
};
