#include "preview/PreviewPainter.h"

#include <array>

namespace {

// What one cell value paints: a pixel's three bytes, or nothing at all.
struct TPaint
{
    std::uint8_t Red, Green, Blue;
    bool Paints;
};

using TItemTable = std::array<TPaint, 256>;

TItemTable MakeItemTable(const std::vector<TRGBTriple>& itemColors)
{
    TItemTable table {};
    for (std::size_t i = 0; i < table.size() && i < itemColors.size(); ++i) {
        const TRGBTriple& color = itemColors[i];
        table[i] = {color.rgbtRed, color.rgbtGreen, color.rgbtBlue, true};
    }
    return table;
}

TPaint PaintOf(std::uint32_t cell, const TItemTable& items)
{
    // Only the low byte names the item, so indexes above 255 wrap.
    if (IsItemReference(cell))
        return items[cell & 0xFF];
    return {static_cast<std::uint8_t>(cell), static_cast<std::uint8_t>(cell >> 8),
        static_cast<std::uint8_t>(cell >> 16), true};
}

} // namespace

void PaintPreviewPixels(const TPreviewMap& map, const std::vector<TRGBTriple>& itemColors,
    std::uint8_t* pixels, std::ptrdiff_t bytesPerLine)
{
    const TItemTable items = MakeItemTable(itemColors);
    const int width = map.Width();
    for (int y = 0; y < map.Height(); ++y) {
        const std::uint32_t* row = map.Row(y);
        std::uint8_t* out = pixels + y * bytesPerLine;
        // Maps are mostly long runs of one cell: look each run up once.
        int x = 0;
        while (x < width) {
            const std::uint32_t cell = row[x];
            int end = x + 1;
            while (end < width && row[end] == cell)
                ++end;
            const TPaint paint = PaintOf(cell, items);
            if (paint.Paints) {
                for (std::uint8_t* pixel = out + 3 * x; pixel != out + 3 * end; pixel += 3) {
                    pixel[0] = paint.Red;
                    pixel[1] = paint.Green;
                    pixel[2] = paint.Blue;
                }
            }
            x = end;
        }
    }
}
