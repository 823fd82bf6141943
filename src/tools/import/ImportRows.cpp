#include "tools/import/ImportRows.h"

#include "editing/ColorScience.h"

#include <algorithm>

std::vector<TImportRow> ImportRows(
    std::span<const TItemReading> readings, std::span<const TRGBTriple> colors)
{
    std::vector<TImportRow> rows;
    const std::size_t count = std::min(readings.size(), colors.size());
    for (std::size_t item = 0; item < count; ++item) {
        const TItemReading& reading = readings[item];
        const TRGBTriple& old = colors[item];
        if (reading.Presence == TItemPresence::NotOnPreview || old == reading.Color)
            continue;
        rows.push_back({item, reading.Presence, old, reading.Color, DeltaE2000(old, reading.Color),
            reading.Confidence,
            reading.Presence == TItemPresence::Interior && reading.Confidence >= ConfidentShare});
    }
    return rows;
}

std::vector<std::size_t> ItemsNotOnPreview(std::span<const TItemReading> readings)
{
    std::vector<std::size_t> items;
    for (std::size_t item = 0; item < readings.size(); ++item)
        if (readings[item].Presence == TItemPresence::NotOnPreview)
            items.push_back(item);
    return items;
}
