#include "tools/compare/SchemeComparison.h"

#include "editing/ColorScience.h"

#include <algorithm>

std::vector<TItemDifference> CompareSchemes(std::span<const TRGBTriple> colors,
    const std::function<TAnsiString(std::size_t item)>& description,
    std::span<const TSchemeItem> other)
{
    std::vector<TItemDifference> differences;
    const std::size_t both = std::min(colors.size(), other.size());
    for (std::size_t item = 0; item < both; ++item) {
        TItemDifference difference {item, TComparedPresence::Both, colors[item], other[item].Color,
            description(item), other[item].Description};
        difference.ColorDiffers = difference.Here != difference.There;
        difference.DescriptionDiffers = difference.HereDescription != difference.ThereDescription;
        if (!difference.ColorDiffers && !difference.DescriptionDiffers)
            continue;
        if (difference.ColorDiffers)
            difference.DeltaE = DeltaE2000(difference.Here, difference.There);
        differences.push_back(std::move(difference));
    }
    for (std::size_t item = both; item < colors.size(); ++item)
        differences.push_back(
            {item, TComparedPresence::OnlyHere, colors[item], {}, description(item), {}});
    for (std::size_t item = both; item < other.size(); ++item)
        differences.push_back({item, TComparedPresence::OnlyThere, {}, other[item].Color, {},
            other[item].Description});
    return differences;
}

std::vector<TColorChange> TakenColors(std::span<const TItemDifference> differences,
    const std::function<bool(std::size_t item)>& chosen)
{
    std::vector<TColorChange> changes;
    for (const TItemDifference& difference : differences) {
        if (difference.ColorDiffers && chosen(difference.Item))
            changes.push_back({difference.Item, difference.There});
    }
    return changes;
}
