#include "preview/Legibility.h"

#include "editing/ColorScience.h"

#include <algorithm>
#include <tuple>

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

void TLegibility::SetColor(std::size_t item, const TRGBTriple& color)
{
    if (item >= FColors.size())
        return;
    TRGBTriple& kept = FColors[item];
    if (kept.rgbtRed == color.rgbtRed && kept.rgbtGreen == color.rgbtGreen
        && kept.rgbtBlue == color.rgbtBlue)
        return;
    kept = color;
    // The other rows keep their order; the item's rows go to the end, are worked out again,
    // sorted among themselves and merged back.
    const auto changed = std::stable_partition(FRows.begin(), FRows.end(),
        [item](const TLegibilityRow& row) { return row.First != item && row.Second != item; });
    for (auto row = changed; row != FRows.end(); ++row)
        *row = MakeLegibilityRow({static_cast<std::uint32_t>(row->First),
                                     static_cast<std::uint32_t>(row->Second), row->BorderLength},
            FColors, FThreshold);
    std::sort(changed, FRows.end(), LegibilityOrder);
    std::inplace_merge(FRows.begin(), changed, FRows.end(), LegibilityOrder);
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
