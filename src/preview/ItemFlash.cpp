#include "preview/ItemFlash.h"

#include "editing/ColorScience.h"

#include <limits>

namespace {

// Below this ratio against its own colour a flash would hardly show.
constexpr double LeastFlashContrast = 3.0;

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
    if (item > std::numeric_limits<std::uint32_t>::max() - ItemReferenceBase)
        return 0;
    const std::uint32_t cell = ItemReferenceBase + static_cast<std::uint32_t>(item);
    std::size_t count = 0;
    for (int y = 0; y < map.Height(); ++y) {
        const std::uint32_t* row = map.Row(y);
        std::uint8_t* out = pixels + y * bytesPerLine;
        for (int x = 0; x < map.Width(); ++x) {
            if (row[x] != cell)
                continue;
            std::uint8_t* pixel = out + 3 * x;
            const TRGBTriple flash = FlashColor({pixel[2], pixel[1], pixel[0]});
            pixel[0] = flash.rgbtRed;
            pixel[1] = flash.rgbtGreen;
            pixel[2] = flash.rgbtBlue;
            ++count;
        }
    }
    return count;
}
