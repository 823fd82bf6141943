#include "preview/ItemSearch.h"

#include "common/TextFold.h"

#include <algorithm>
#include <cmath>

namespace {

bool SameColor(const TRGBTriple& first, const TRGBTriple& second)
{
    return first.rgbtRed == second.rgbtRed && first.rgbtGreen == second.rgbtGreen
        && first.rgbtBlue == second.rgbtBlue;
}

// CIEDE2000 is at least the lightness difference divided by its weight SL, which is largest
// (about 1.75) at L* 0 and 100: its chroma and hue terms with the rotation term add up to no
// less than zero. Items further apart in lightness than this cannot be near.
constexpr double MaxLightnessWeight = 1.75;

} // namespace

void TItemSearch::SetItems(std::span<const TRGBTriple> colors,
    const std::function<TAnsiString(std::size_t item)>& description)
{
    FColors.assign(colors.begin(), colors.end());
    FLabs.resize(FColors.size());
    FFolded.resize(FColors.size());
    for (std::size_t item = 0; item < FColors.size(); ++item) {
        FLabs[item] = ToLab(FColors[item]);
        FFolded[item] = FoldForSearch(description(item));
    }
    FLegibility = TLegibility(FPairs, FColors, FThreshold);
}

void TItemSearch::SetColor(std::size_t item, const TRGBTriple& color)
{
    if (item >= FColors.size())
        return;
    FColors[item] = color;
    FLabs[item] = ToLab(color);
    FLegibility.SetColor(item, color);
}

void TItemSearch::SetColors(std::span<const TRGBTriple> colors)
{
    const std::size_t count = std::min(colors.size(), FColors.size());
    for (std::size_t item = 0; item < count; ++item) {
        if (!SameColor(FColors[item], colors[item])) {
            FColors[item] = colors[item];
            FLabs[item] = ToLab(colors[item]);
        }
    }
    FLegibility.SetColors(FColors);
}

void TItemSearch::SetDescription(std::size_t item, TAnsiView description)
{
    if (item < FFolded.size())
        FFolded[item] = FoldForSearch(description);
}

void TItemSearch::SetNeighbours(TItemNeighbours neighbours)
{
    FNeighbours = std::move(neighbours);
    FPairs = FNeighbours.TouchingPairs();
    FLegibility = TLegibility(FPairs, FColors, FThreshold);
}

void TItemSearch::SetThreshold(double threshold)
{
    FThreshold = threshold;
    FLegibility.SetThreshold(threshold);
}

std::vector<bool> TItemSearch::HardItems() const
{
    std::vector<bool> hard(FColors.size(), false);
    const std::vector<TLegibilityRow>& rows = FLegibility.Rows();
    // The rows hard to tell apart come first.
    for (std::size_t row = 0; row < FLegibility.FlaggedCount(); ++row) {
        hard[rows[row].First] = true;
        hard[rows[row].Second] = true;
    }
    return hard;
}

bool TItemSearch::Passes(std::size_t item, const TFindFilters& filters, const TSavedScheme& saved,
    const std::vector<bool>& hard) const
{
    if (filters.Changed && !saved.Differs(item))
        return false;
    if (filters.NotOnPreview && FNeighbours.HasPixels(item))
        return false;
    if (filters.HardToTellApart && !hard[item])
        return false;
    return true;
}

std::vector<TFindHit> TItemSearch::Find(
    const TFindQuery& query, const TFindFilters& filters, const TSavedScheme& saved) const
{
    std::vector<TFindHit> hits;
    if (query.IsEmpty() && !filters.Any())
        return hits;
    const std::vector<bool> hard
        = filters.HardToTellApart ? HardItems() : std::vector<bool>(FColors.size(), false);
    const std::size_t count = FColors.size();

    if (query.Near) {
        const TLab centre = ToLab(*query.Color);
        const double maxLightness = NearDeltaE * MaxLightnessWeight;
        for (std::size_t item = 0; item < count; ++item) {
            if (std::abs(FLabs[item].L - centre.L) > maxLightness)
                continue;
            const double deltaE = DeltaE2000(FLabs[item], centre);
            if (deltaE <= NearDeltaE && Passes(item, filters, saved, hard))
                hits.push_back({item, deltaE});
        }
        std::stable_sort(hits.begin(), hits.end(),
            [](const TFindHit& a, const TFindHit& b) { return a.DeltaE < b.DeltaE; });
        return hits;
    }

    const auto matches = [&](std::size_t item) {
        if (query.IsEmpty())
            return true;
        if (query.Color && SameColor(FColors[item], *query.Color))
            return true;
        if (query.Words.empty())
            return false;
        const std::string& folded = FFolded[item];
        return std::all_of(query.Words.begin(), query.Words.end(),
            [&folded](const std::string& word) { return folded.find(word) != std::string::npos; });
    };
    const bool numbered
        = query.Item && *query.Item < count && Passes(*query.Item, filters, saved, hard);
    if (numbered)
        hits.push_back({*query.Item});
    for (std::size_t item = 0; item < count; ++item) {
        if (numbered && item == *query.Item)
            continue;
        if (matches(item) && Passes(item, filters, saved, hard))
            hits.push_back({item});
    }
    return hits;
}
