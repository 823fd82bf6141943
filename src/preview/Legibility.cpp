#include "preview/Legibility.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>
#include <utility>

namespace {

constexpr TVisionDeficiency EveryKind[]
    = {TVisionDeficiency::Normal, TVisionDeficiency::Protanopia, TVisionDeficiency::Deuteranopia,
        TVisionDeficiency::Tritanopia, TVisionDeficiency::Achromatopsia};

constexpr std::string_view KindNames[]
    = {"normal", "protanopia", "deuteranopia", "tritanopia", "achromatopsia"};

constexpr double NotJudged = std::numeric_limits<double>::quiet_NaN();

double Contrast(double oneLuminance, double otherLuminance)
{
    // As ContrastRatio works it out, so the two agree to the last bit.
    return (std::max(oneLuminance, otherLuminance) + 0.05)
        / (std::min(oneLuminance, otherLuminance) + 0.05);
}

bool SameFigure(double one, double other)
{
    return one == other || (std::isnan(one) && std::isnan(other));
}

} // namespace

bool HardToTellApart(double deltaE, double threshold)
{
    return deltaE < threshold;
}

std::span<const TVisionDeficiency> JudgedKinds(TJudgedVision vision)
{
    if (vision == TJudgedVision::EveryKind)
        return EveryKind;
    return std::span<const TVisionDeficiency>(&EveryKind[std::size_t(vision)], 1);
}

std::string_view VisionKindName(TVisionDeficiency kind)
{
    return KindNames[std::size_t(kind)];
}

std::optional<TJudgedVision> JudgedVisionNamed(std::string_view name)
{
    if (name == "all")
        return TJudgedVision::EveryKind;
    for (std::size_t kind = 0; kind < VisionKindCount; ++kind)
        if (name == KindNames[kind])
            return TJudgedVision(kind);
    return std::nullopt;
}

bool TLegibilityRow::operator==(const TLegibilityRow& other) const
{
    return First == other.First && Second == other.Second && BorderLength == other.BorderLength
        && SameFigure(DeltaE, other.DeltaE) && WorstKind == other.WorstKind
        && std::equal(DeltaEs.begin(), DeltaEs.end(), other.DeltaEs.begin(), SameFigure)
        && ContrastRatio == other.ContrastRatio && HardToTellApart == other.HardToTellApart
        && Intended == other.Intended;
}

bool LegibilityOrder(const TLegibilityRow& first, const TLegibilityRow& second)
{
    return std::make_tuple(first.Intended, !first.HardToTellApart, first.DeltaE,
               second.BorderLength, first.First, first.Second)
        < std::make_tuple(second.Intended, !second.HardToTellApart, second.DeltaE,
            first.BorderLength, second.First, second.Second);
}

TLegibilityRow MakeLegibilityRow(
    const TTouchingPair& pair, std::span<const TRGBTriple> colors, double threshold)
{
    const TRGBTriple& first = colors[pair.First];
    const TRGBTriple& second = colors[pair.Second];
    const double deltaE = DeltaE2000(first, second);
    TLegibilityRow row {pair.First, pair.Second, pair.BorderLength, deltaE,
        TVisionDeficiency::Normal, {}, ContrastRatio(first, second),
        HardToTellApart(deltaE, threshold)};
    row.DeltaEs.fill(NotJudged);
    row.DeltaEs[std::size_t(TVisionDeficiency::Normal)] = deltaE;
    return row;
}

TLegibility::TLegibility(
    std::vector<TTouchingPair> pairs, std::span<const TRGBTriple> colors, double threshold)
    : TLegibility(std::move(pairs), colors, TJudgedVision::Normal, threshold, {})
{ }

TLegibility::TLegibility(std::vector<TTouchingPair> pairs, std::span<const TRGBTriple> colors,
    TJudgedVision vision, double threshold, TIntendedPairs intended)
    : FPairs(std::move(pairs))
    , FColors(colors.begin(), colors.end())
    , FThreshold(threshold)
    , FVision(vision)
    , FIntended(std::move(intended))
{
    Rebuild();
}

std::size_t TLegibility::FlaggedCount() const
{
    return static_cast<std::size_t>(
        std::partition_point(FRows.begin(), FRows.end(),
            [](const TLegibilityRow& row) { return row.HardToTellApart && !row.Intended; })
        - FRows.begin());
}

std::optional<std::size_t> TLegibility::RowOf(std::size_t first, std::size_t second) const
{
    if (first > second)
        std::swap(first, second);
    const auto found = std::find_if(FRows.begin(), FRows.end(),
        [&](const TLegibilityRow& row) { return row.First == first && row.Second == second; });
    if (found == FRows.end())
        return std::nullopt;
    return static_cast<std::size_t>(found - FRows.begin());
}

std::vector<bool> TLegibility::HardItems() const
{
    std::vector<bool> hard(FColors.size(), false);
    const std::size_t counted = FlaggedCount();
    for (std::size_t row = 0; row < counted; ++row) {
        hard[FRows[row].First] = true;
        hard[FRows[row].Second] = true;
    }
    return hard;
}

std::vector<TLegibilityRow> TLegibility::RowsOf(std::size_t item) const
{
    std::vector<TLegibilityRow> rows;
    for (const TLegibilityRow& row : FRows)
        if (row.First == item || row.Second == item)
            rows.push_back(row);
    return rows;
}

void TLegibility::SetColor(std::size_t item, const TRGBTriple& color)
{
    const TColorChange change {item, color};
    ChangeColors(std::span<const TColorChange>(&change, 1));
}

void TLegibility::ChangeColors(std::span<const TColorChange> changes)
{
    std::vector<bool> changed(FColors.size());
    std::vector<std::size_t> items;
    for (const TColorChange& change : changes) {
        if (change.Item >= FColors.size() || FColors[change.Item] == change.Color)
            continue;
        FColors[change.Item] = change.Color;
        if (!changed[change.Item])
            items.push_back(change.Item);
        changed[change.Item] = true;
    }
    if (items.empty())
        return;
    // Each changed item is seen once, in its last colour, however often the step names it.
    for (const std::size_t item : items)
        See(item);
    // The other rows keep their order; the changed items' rows go to the end, are worked out
    // again, sorted among themselves and merged back.
    const auto moved
        = std::stable_partition(FRows.begin(), FRows.end(), [&changed](const TLegibilityRow& row) {
              return !changed[row.First] && !changed[row.Second];
          });
    for (auto row = moved; row != FRows.end(); ++row)
        *row = Judge({static_cast<std::uint32_t>(row->First),
            static_cast<std::uint32_t>(row->Second), row->BorderLength});
    std::sort(moved, FRows.end(), LegibilityOrder);
    std::inplace_merge(FRows.begin(), moved, FRows.end(), LegibilityOrder);
}

void TLegibility::SetColors(std::span<const TRGBTriple> colors)
{
    FColors.assign(colors.begin(), colors.end());
    Rebuild();
}

void TLegibility::SetThreshold(double threshold)
{
    FThreshold = threshold;
    for (TLegibilityRow& row : FRows)
        row.HardToTellApart = HardToTellApart(row.DeltaE, threshold);
    Sort();
}

void TLegibility::SetVision(TJudgedVision vision)
{
    if (vision == FVision)
        return;
    FVision = vision;
    Rebuild();
}

void TLegibility::SetIntended(TIntendedPairs intended)
{
    FIntended = std::move(intended);
    for (TLegibilityRow& row : FRows)
        row.Intended = FIntended.Contains(row.First, row.Second);
    Sort();
}

bool TLegibility::SetIntended(std::size_t first, std::size_t second, bool intended)
{
    if (!FIntended.Set(first, second, intended))
        return false;
    if (const auto row = RowOf(first, second)) {
        FRows[*row].Intended = intended;
        Sort();
    }
    return true;
}

void TLegibility::See(std::size_t item)
{
    const std::span<const TVisionDeficiency> kinds = Kinds();
    TSeen* seen = &FSeen[item * kinds.size()];
    for (std::size_t k = 0; k < kinds.size(); ++k) {
        const TRGBTriple color = SimulateVision(kinds[k], FColors[item]);
        seen[k] = {ToLab(color), RelativeLuminance(color)};
    }
}

TLegibilityRow TLegibility::Judge(const TTouchingPair& pair) const
{
    const std::span<const TVisionDeficiency> kinds = Kinds();
    const TSeen* first = &FSeen[pair.First * kinds.size()];
    const TSeen* second = &FSeen[pair.Second * kinds.size()];
    TLegibilityRow row {pair.First, pair.Second, pair.BorderLength,
        std::numeric_limits<double>::infinity(), kinds.front(), {},
        std::numeric_limits<double>::infinity(), false,
        FIntended.Contains(pair.First, pair.Second)};
    row.DeltaEs.fill(NotJudged);
    for (std::size_t k = 0; k < kinds.size(); ++k) {
        const double deltaE = DeltaE2000(first[k].Lab, second[k].Lab);
        row.DeltaEs[std::size_t(kinds[k])] = deltaE;
        if (deltaE < row.DeltaE) {
            row.DeltaE = deltaE;
            row.WorstKind = kinds[k];
        }
        row.ContrastRatio
            = std::min(row.ContrastRatio, Contrast(first[k].Luminance, second[k].Luminance));
    }
    row.HardToTellApart = HardToTellApart(row.DeltaE, FThreshold);
    return row;
}

void TLegibility::Rebuild()
{
    // Only the items of a pair are ever judged, so a long document with a small map costs no
    // more than its map.
    FSeen.assign(FColors.size() * Kinds().size(), {});
    std::vector<bool> seen(FColors.size(), false);
    FRows.clear();
    for (const TTouchingPair& pair : FPairs) {
        if (pair.Second >= FColors.size() || pair.First >= FColors.size())
            continue;
        for (const std::size_t item : {std::size_t(pair.First), std::size_t(pair.Second)}) {
            if (!seen[item]) {
                See(item);
                seen[item] = true;
            }
        }
        FRows.push_back(Judge(pair));
    }
    Sort();
}

void TLegibility::Sort()
{
    std::sort(FRows.begin(), FRows.end(), LegibilityOrder);
}
