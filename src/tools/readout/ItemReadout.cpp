#include "tools/readout/ItemReadout.h"

#include "common/TextRules.h"
#include "editing/ColorCode.h"
#include "editing/ColorNotation.h"
#include "preview/ColorContrast.h"
#include "preview/PreviewMap.h"

#include <algorithm>
#include <string>

namespace {

constexpr TAnsiView Separator = " - ";
constexpr std::size_t NeighboursShown = 3;

// "item 3" for the item at index 2: numbers count from 1, as the file's lines do.
TAnsiString ItemNumber(std::size_t item, const TReadoutWords& words)
{
    return FillText(words.Item, {std::to_string(item + 1)});
}

// "Water (item 2)", or "item 2" without a description.
TAnsiString NeighbourName(std::size_t item, const TReadoutItems& items)
{
    const TAnsiString description = items.Description(item);
    if (description.empty())
        return ItemNumber(item, items.Words);
    return description + " (" + ItemNumber(item, items.Words) + ")";
}

// "changed from Park - #C8E6B4", naming only what differs; empty for an unchanged item.
TAnsiString ChangedFromText(std::size_t item, const TReadoutItems& items)
{
    const TSavedScheme* saved = items.Saved;
    if (saved == nullptr || item >= saved->Count() || !saved->Differs(item))
        return {};
    TAnsiString was;
    if (saved->DescriptionDiffers(item)) {
        was = saved->Description(item);
        if (was.empty())
            was = items.Words.NoDescription;
    }
    if (saved->ColorDiffers(item)) {
        if (!was.empty())
            was += Separator;
        was += HashColorCode(saved->Color(item));
    }
    return FillText(items.Words.ChangedFrom, {was});
}

} // namespace

std::optional<std::size_t> ReadoutItem(std::uint32_t cell, std::size_t itemCount)
{
    if (!IsItemReference(cell))
        return std::nullopt;
    const std::size_t item = cell - ItemReferenceBase;
    if (item >= itemCount)
        return std::nullopt;
    return item;
}

TAnsiString ItemReadoutText(std::size_t item, const TReadoutItems& items)
{
    TAnsiString text = items.Description(item);
    if (!text.empty())
        text += Separator;
    text += HashColorCode(items.Colors[item]);
    text += Separator;
    text += ItemNumber(item, items.Words);
    return text;
}

TAnsiString CellReadoutText(std::uint32_t cell, const TReadoutItems& items)
{
    if (!IsItemReference(cell))
        return HashColorCode(TColorToItemColor(cell)) + TAnsiString(Separator) + items.Words.Fixed;
    if (const auto item = ReadoutItem(cell, items.Colors.size()))
        return ItemReadoutText(*item, items);
    return ItemNumber(cell - ItemReferenceBase, items.Words) + TAnsiString(Separator)
        + items.Words.NotInScheme;
}

std::optional<TRGBTriple> ReadoutColor(std::uint32_t cell, std::span<const TRGBTriple> colors)
{
    if (!IsItemReference(cell))
        return TColorToItemColor(cell);
    if (const auto item = ReadoutItem(cell, colors.size()))
        return colors[*item];
    return std::nullopt;
}

TAnsiString CellReadoutText(std::uint32_t cell, const TReadoutItems& items,
    const std::function<TRGBTriple(const TRGBTriple&)>& painted)
{
    TAnsiString text = CellReadoutText(cell, items);
    const auto color = ReadoutColor(cell, items.Colors);
    if (!color || !painted)
        return text;
    const TRGBTriple seen = painted(*color);
    if (seen == *color)
        return text;
    text += Separator;
    text += FillText(items.Words.SeenAs, {HashColorCode(seen)});
    return text;
}

std::vector<TNeighbourContrast> NeighbourContrasts(std::size_t item,
    const TItemNeighbours& neighbours, std::span<const TRGBTriple> colors, double threshold)
{
    std::vector<TNeighbourContrast> contrasts;
    if (item >= colors.size())
        return contrasts;
    // Rows as the legibility check makes them, so the two never disagree.
    const std::span<const std::uint32_t> others = neighbours.Of(item);
    const std::span<const std::size_t> lengths = neighbours.BorderLengths(item);
    // An item with neighbours is one a cell names, so its index fits a cell.
    const auto self = static_cast<std::uint32_t>(item);
    std::vector<TLegibilityRow> rows;
    for (std::size_t i = 0; i < others.size(); ++i)
        if (others[i] < colors.size())
            rows.push_back(MakeLegibilityRow(
                {std::min(self, others[i]), std::max(self, others[i]), lengths[i]}, colors,
                threshold));
    std::sort(rows.begin(), rows.end(), LegibilityOrder);
    for (const TLegibilityRow& row : rows)
        contrasts.push_back({row.First == item ? row.Second : row.First, row.ContrastRatio,
            row.DeltaE, row.HardToTellApart});
    return contrasts;
}

TAnsiString ItemEntryText(std::size_t item, const TReadoutItems& items,
    const TItemNeighbours& neighbours, double threshold)
{
    if (item >= items.Colors.size())
        return {};
    TAnsiString text = ItemReadoutText(item, items);
    text += '\n';
    if (const TAnsiString changed = ChangedFromText(item, items); !changed.empty())
        text += changed + '\n';
    const TReadoutWords& words = items.Words;
    if (!neighbours.HasPixels(item))
        return text + words.NotOnPreview;
    const std::vector<TNeighbourContrast> contrasts
        = NeighbourContrasts(item, neighbours, items.Colors, threshold);
    if (contrasts.empty())
        return text + words.BordersNothing;
    const TAnsiView borders = contrasts.size() == 1 ? words.BordersOne
        : contrasts.size() <= NeighboursShown       ? words.BordersSome
                                                    : words.BordersMany;
    text += FillText(borders, {WholeNumberText(contrasts.size(), words.Numbers)});
    for (std::size_t i = 0; i < contrasts.size() && i < NeighboursShown; ++i) {
        text += '\n';
        text += FillText(words.Neighbour,
            {ContrastRatioText(contrasts[i].Ratio, 1, words.Numbers),
                NeighbourName(contrasts[i].Item, items)});
        if (contrasts[i].HardToTellApart) {
            text += Separator;
            text += words.HardToTell;
        }
    }
    return text;
}
