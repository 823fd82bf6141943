#include "tools/find/ItemSearch.h"

#include "common/TextFold.h"

#include <algorithm>
#include <cmath>

namespace {

// The description folded with its umlauts spelled out, where that differs from the plain fold.
std::string SpelledOut(TAnsiView description, const std::string& folded)
{
    std::string spelled = FoldForSearchSpelledOut(description);
    return spelled == folded ? std::string() : spelled;
}

} // namespace

void TItemSearch::SetItems(std::span<const TRGBTriple> colors,
    const std::function<TAnsiString(std::size_t item)>& description)
{
    FColors.assign(colors.begin(), colors.end());
    FLabs.resize(FColors.size());
    FFolded.resize(FColors.size());
    FSpelled.resize(FColors.size());
    for (std::size_t item = 0; item < FColors.size(); ++item) {
        FLabs[item] = ToLab(FColors[item]);
        const TAnsiString text = description(item);
        FFolded[item] = FoldForSearch(text);
        FSpelled[item] = SpelledOut(text, FFolded[item]);
    }
}

void TItemSearch::SetColor(std::size_t item, const TRGBTriple& color)
{
    if (item >= FColors.size())
        return;
    FColors[item] = color;
    FLabs[item] = ToLab(color);
}

void TItemSearch::SetColors(std::span<const TRGBTriple> colors)
{
    const std::size_t count = std::min(colors.size(), FColors.size());
    for (std::size_t item = 0; item < count; ++item) {
        if (FColors[item] != colors[item]) {
            FColors[item] = colors[item];
            FLabs[item] = ToLab(colors[item]);
        }
    }
}

void TItemSearch::SetDescription(std::size_t item, TAnsiView description)
{
    if (item >= FFolded.size())
        return;
    FFolded[item] = FoldForSearch(description);
    FSpelled[item] = SpelledOut(description, FFolded[item]);
}

void TItemSearch::SetNeighbours(TItemNeighbours neighbours)
{
    FNeighbours = std::move(neighbours);
    FPairs = FNeighbours.TouchingPairs();
}

void TItemSearch::SetThreshold(double threshold)
{
    FThreshold = threshold;
}

std::vector<bool> TItemSearch::HardItems() const
{
    std::vector<bool> hard(FColors.size(), false);
    // Worked out only when asked, from the pairs that touch: the legibility check's rule.
    for (const TTouchingPair& pair : FPairs) {
        if (pair.First >= FColors.size() || pair.Second >= FColors.size())
            continue;
        if (HardToTellApart(DeltaE2000(FLabs[pair.First], FLabs[pair.Second]), FThreshold)) {
            hard[pair.First] = true;
            hard[pair.Second] = true;
        }
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
        const double maxLightness = NearDeltaE * DeltaE2000MaxLightnessWeight;
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
        if (query.Color && FColors[item] == *query.Color)
            return true;
        if (query.Words.empty())
            return false;
        const std::string& folded = FFolded[item];
        const std::string& spelled = FSpelled[item];
        // A word matches as typed, or with umlauts spelled out on either side: "gruen" and
        // "grun" both find "Grün", and "grün" finds "Gruen".
        for (std::size_t i = 0; i < query.Words.size(); ++i) {
            const std::string& word = query.Words[i];
            if (folded.find(word) != std::string::npos
                || (!spelled.empty() && spelled.find(word) != std::string::npos))
                continue;
            if (i < query.SpelledWords.size() && query.SpelledWords[i] != word
                && folded.find(query.SpelledWords[i]) != std::string::npos)
                continue;
            return false;
        }
        return true;
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
