#include "tools/find/BulkRecolor.h"

#include "editing/ColorScience.h"

#include <algorithm>
#include <cmath>

std::vector<TColorChange> ReplaceChanges(
    std::span<const TRGBTriple> colors, const TRGBTriple& from, const TRGBTriple& to)
{
    std::vector<TColorChange> changes;
    if (from == to)
        return changes;
    for (std::size_t item = 0; item < colors.size(); ++item) {
        if (colors[item] == from)
            changes.push_back({item, to});
    }
    return changes;
}

bool TColorAdjustment::IsIdentity() const
{
    return std::fmod(HueShift, 360.0) == 0.0 && Chroma == 100.0 && Lightness == 0.0;
}

TRGBTriple AdjustColor(const TRGBTriple& color, const TColorAdjustment& adjustment)
{
    // Converting there and back may move a colour by a unit; what is not shifted stays exact.
    if (adjustment.IsIdentity())
        return color;
    TOklch lch = ToOklch(color);
    if (lch.C < GreyChroma) {
        if (adjustment.Lightness == 0.0)
            return color;
        // A grey's tint is below what the eye tells from neutral, and kept it could round to
        // more chroma than a grey has: it becomes the neutral grey of its new lightness.
        lch.C = 0.0;
    } else {
        lch.h = std::fmod(lch.h + adjustment.HueShift, 360.0);
        if (lch.h < 0.0)
            lch.h += 360.0;
        lch.C *= std::max(0.0, adjustment.Chroma) / 100.0;
    }
    lch.L += adjustment.Lightness / 100.0;
    return FromOklchMapped(lch);
}

std::vector<TColorChange> AdjustChanges(std::span<const TRGBTriple> colors,
    std::span<const std::size_t> items, const TColorAdjustment& adjustment)
{
    std::vector<TColorChange> changes;
    if (adjustment.IsIdentity())
        return changes;
    std::vector<std::size_t> chosen(items.begin(), items.end());
    std::sort(chosen.begin(), chosen.end());
    chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
    for (const std::size_t item : chosen) {
        if (item >= colors.size())
            break;
        const TRGBTriple adjusted = AdjustColor(colors[item], adjustment);
        if (adjusted != colors[item])
            changes.push_back({item, adjusted});
    }
    return changes;
}
