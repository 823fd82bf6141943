#include "preview/ItemFlash.h"

#include "editing/ColorScience.h"

#include <limits>
#include <optional>

namespace {

// Below this ratio against its own colour a flash would hardly show.
constexpr double LeastFlashContrast = 3.0;

// The cell a click names the item by, if a cell can name it at all.
std::optional<std::uint32_t> ItemCell(std::size_t item)
{
    if (item > std::numeric_limits<std::uint32_t>::max() - ItemReferenceBase)
        return std::nullopt;
    return ItemReferenceBase + static_cast<std::uint32_t>(item);
}

// Gives one pixel (red, green, blue) the flash colour of the colour it has.
void Flash(std::uint8_t* pixel)
{
    const TRGBTriple flash = FlashColor({pixel[2], pixel[1], pixel[0]});
    pixel[0] = flash.rgbtRed;
    pixel[1] = flash.rgbtGreen;
    pixel[2] = flash.rgbtBlue;
}

} // namespace

TRGBTriple FlashColor(const TRGBTriple& color)
{
    const TRGBTriple inverse {static_cast<std::uint8_t>(255 - color.rgbtBlue),
        static_cast<std::uint8_t>(255 - color.rgbtGreen),
        static_cast<std::uint8_t>(255 - color.rgbtRed)};
    if (ContrastRatio(color, inverse) >= LeastFlashContrast)
        return inverse;
    const TRGBTriple black {0, 0, 0};
    const TRGBTriple white {255, 255, 255};
    return ContrastRatio(color, black) >= ContrastRatio(color, white) ? black : white;
}

std::size_t PaintFlashPixels(
    const TPreviewMap& map, std::size_t item, std::uint8_t* pixels, std::ptrdiff_t bytesPerLine)
{
    const auto cell = ItemCell(item);
    if (!cell)
        return 0;
    std::size_t count = 0;
    for (int y = 0; y < map.Height(); ++y) {
        const std::uint32_t* row = map.Row(y);
        std::uint8_t* out = pixels + y * bytesPerLine;
        for (int x = 0; x < map.Width(); ++x) {
            if (row[x] != *cell)
                continue;
            Flash(out + 3 * x);
            ++count;
        }
    }
    return count;
}

std::size_t PaintBorderFlashPixels(const TPreviewMap& map, std::size_t first, std::size_t second,
    std::uint8_t* pixels, std::ptrdiff_t bytesPerLine)
{
    const auto firstCell = ItemCell(first);
    const auto secondCell = ItemCell(second);
    if (!firstCell || !secondCell || first == second)
        return 0;
    const int width = map.Width();
    const int height = map.Height();
    std::size_t count = 0;
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* above = y > 0 ? map.Row(y - 1) : nullptr;
        const std::uint32_t* row = map.Row(y);
        const std::uint32_t* below = y + 1 < height ? map.Row(y + 1) : nullptr;
        std::uint8_t* out = pixels + y * bytesPerLine;
        for (int x = 0; x < width; ++x) {
            // The cell of the other item, or a fixed colour (which no cell of an item equals)
            // when this cell is of neither.
            const std::uint32_t other = row[x] == *firstCell ? *secondCell
                : row[x] == *secondCell                      ? *firstCell
                                                             : 0;
            if (!IsItemReference(other))
                continue;
            // The map is only read, so flashing a cell never hides a border from the next.
            if ((x > 0 && row[x - 1] == other) || (x + 1 < width && row[x + 1] == other)
                || (above != nullptr && above[x] == other)
                || (below != nullptr && below[x] == other)) {
                Flash(out + 3 * x);
                ++count;
            }
        }
    }
    return count;
}
