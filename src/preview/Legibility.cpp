#include "preview/Legibility.h"

#include "editing/ColorScience.h"

#include <algorithm>
#include <tuple>
#include <utility>

bool HardToTellApart(double deltaE, double threshold)
{
    return deltaE < threshold;
}

bool LegibilityOrder(const TLegibilityRow& first, const TLegibilityRow& second)
{
    return std::make_tuple(
               !first.HardToTellApart, first.DeltaE, second.BorderLength, first.First, first.Second)
        < std::make_tuple(!second.HardToTellApart, second.DeltaE, first.BorderLength, second.First,
            second.Second);
}

TLegibilityRow MakeLegibilityRow(
    const TTouchingPair& pair, std::span<const TRGBTriple> colors, double threshold)
{
    const TRGBTriple& first = colors[pair.First];
    const TRGBTriple& second = colors[pair.Second];
    const double deltaE = DeltaE2000(first, second);
    return {pair.First, pair.Second, pair.BorderLength, deltaE, ContrastRatio(first, second),
        HardToTellApart(deltaE, threshold)};
}

TLegibility::TLegibility(
    std::vector<TTouchingPair> pairs, std::span<const TRGBTriple> colors, double threshold)
    : FPairs(std::move(pairs))
    , FColors(colors.begin(), colors.end())
    , FThreshold(threshold)
{
    Rebuild();
}

std::size_t TLegibility::FlaggedCount() const
{
    return static_cast<std::size_t>(
        std::partition_point(FRows.begin(), FRows.end(),
            [](const TLegibilityRow& row) { return row.HardToTellApart; })
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

void TLegibility::SetColor(std::size_t item, const TRGBTriple& color)
{
    const TColorChange change {item, color};
    ChangeColors(std::span<const TColorChange>(&change, 1));
}

void TLegibility::ChangeColors(std::span<const TColorChange> changes)
{
    std::vector<bool> changed(FColors.size());
    bool any = false;
    for (const TColorChange& change : changes) {
        if (change.Item >= FColors.size() || FColors[change.Item] == change.Color)
            continue;
        FColors[change.Item] = change.Color;
        changed[change.Item] = true;
        any = true;
    }
    if (!any)
        return;
    // The other rows keep their order; the changed items' rows go to the end, are worked out
    // again, sorted among themselves and merged back.
    const auto moved
        = std::stable_partition(FRows.begin(), FRows.end(), [&changed](const TLegibilityRow& row) {
              return !changed[row.First] && !changed[row.Second];
          });
    for (auto row = moved; row != FRows.end(); ++row)
        *row = MakeLegibilityRow({static_cast<std::uint32_t>(row->First),
                                     static_cast<std::uint32_t>(row->Second), row->BorderLength},
            FColors, FThreshold);
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
    std::sort(FRows.begin(), FRows.end(), LegibilityOrder);
}

void TLegibility::Rebuild()
{
    FRows.clear();
    for (const TTouchingPair& pair : FPairs)
        if (pair.Second < FColors.size())
            FRows.push_back(MakeLegibilityRow(pair, FColors, FThreshold));
    std::sort(FRows.begin(), FRows.end(), LegibilityOrder);
}
