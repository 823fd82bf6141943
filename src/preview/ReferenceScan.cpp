#include "preview/ReferenceScan.h"

#include "preview/ReferenceColors.h"

#include <algorithm>
#include <array>

namespace {

// Colour levels red and green take in the reference sequence; blue bytes are multiples of 16.
constexpr int LevelCount = 5;
constexpr int FirstLevel = 48;
constexpr int LevelStep = 48;
constexpr int BlueStep = 16;
constexpr int BlueCount = 256 / BlueStep;
// A difference of at most this much per channel still matches.
constexpr int Tolerance = 15;
// All 400 colours the sequence can produce have appeared by entry 519, so a later entry is
// never the first match.
constexpr std::size_t EntriesHoldingEveryColor = 520;

constexpr int NoLevel = LevelCount; // a red or green value near none of the levels
constexpr int PairCount = (LevelCount + 1) * (LevelCount + 1);

bool Near(int channel, int entry)
{
    return entry - Tolerance <= channel && channel <= entry + Tolerance;
}

std::uint32_t FixedColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return red | green << 8 | static_cast<std::uint32_t>(blue) << 16;
}

// The first matching entry for every pixel colour, answered with a few table lookups.
// Red and green lie within the tolerance of at most one level (levels are 48 apart), and blue
// of at most two neighbouring blue bytes (16 apart); so a row per red-green level pair, indexed
// by the blue value, can hold the lower first index of those two blue bytes.
class TMatchTable
{
public:
    explicit TMatchTable(std::size_t itemCount)
    {
        for (int value = 0; value < 256; ++value) {
            int level = NoLevel;
            for (int candidate = 0; candidate < LevelCount; ++candidate)
                if (Near(value, FirstLevel + candidate * LevelStep))
                    level = candidate;
            FRedRow[value] = static_cast<std::uint16_t>(level * (LevelCount + 1) * 256);
            FGreenRow[value] = static_cast<std::uint16_t>(level * 256);
        }

        TRGBTripleArray table(std::min(itemCount, EntriesHoldingEveryColor));
        MakeReferenceColors(table);
        // First index + 1 of each red level, green level and blue byte; 0 where none.
        std::array<std::uint16_t, LevelCount * LevelCount * BlueCount> first {};
        for (std::size_t i = table.size(); i-- > 0;) {
            const TRGBTriple& entry = table[i];
            const int slot = ((entry.rgbtRed - FirstLevel) / LevelStep * LevelCount
                                 + (entry.rgbtGreen - FirstLevel) / LevelStep)
                    * BlueCount
                + entry.rgbtBlue / BlueStep;
            first[static_cast<std::size_t>(slot)] = static_cast<std::uint16_t>(i + 1);
        }

        FMatch.fill(0);
        for (int red = 0; red < LevelCount; ++red) {
            for (int green = 0; green < LevelCount; ++green) {
                const std::uint16_t* byBlue
                    = &first[static_cast<std::size_t>((red * LevelCount + green) * BlueCount)];
                std::uint16_t* row
                    = &FMatch[static_cast<std::size_t>((red * (LevelCount + 1) + green) * 256)];
                for (int blue = 0; blue < 256; ++blue) {
                    // Blue byte b matches blue values b - 15 to b + 15: the one at or below
                    // the value, and the next one up unless the value is a multiple of 16.
                    const int below = blue / BlueStep;
                    std::uint16_t match = byBlue[below];
                    if (blue % BlueStep != 0 && below + 1 < BlueCount) {
                        const std::uint16_t above = byBlue[below + 1];
                        if (above != 0 && (match == 0 || above < match))
                            match = above;
                    }
                    row[blue] = match;
                }
            }
        }
    }

    // The cell for a pixel whose fixed colour is 0x00BBGGRR.
    std::uint32_t Cell(std::uint32_t color) const
    {
        const std::uint16_t match
            = FMatch[FRedRow[color & 0xFF] + FGreenRow[(color >> 8) & 0xFF] + (color >> 16)];
        return match != 0 ? ItemReferenceBase + match - 1 : color;
    }

private:
    std::array<std::uint16_t, 256> FRedRow;
    std::array<std::uint16_t, 256> FGreenRow;
    // First index + 1 by red level, green level and blue value; rows of NoLevel stay 0.
    std::array<std::uint16_t, PairCount * 256> FMatch;
};

} // namespace

TPreviewMap ScanReferenceImage(const std::uint8_t* pixels, int width, int height,
    std::ptrdiff_t bytesPerLine, std::size_t itemCount)
{
    TPreviewMap map(width, height);
    if (map.Width() == 0 || map.Height() == 0)
        return map;
    const TMatchTable table(itemCount);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* source = pixels + y * bytesPerLine;
        std::uint32_t* cells = map.Row(y);
        // Screenshots are mostly runs of one colour, so each run is looked up once. No pixel
        // has a top byte, so the first pixel of a row never equals lastColor.
        std::uint32_t lastColor = 0xFFFFFFFF;
        std::uint32_t lastCell = 0;
        for (int x = 0; x < width; ++x, source += 3) {
            const std::uint32_t color = FixedColor(source[0], source[1], source[2]);
            if (color != lastColor) {
                lastColor = color;
                lastCell = table.Cell(color);
            }
            cells[x] = lastCell;
        }
    }
    return map;
}

TPreviewMap ScanReferenceImagePlain(const std::uint8_t* pixels, int width, int height,
    std::ptrdiff_t bytesPerLine, std::size_t itemCount)
{
    TPreviewMap map(width, height);
    TRGBTripleArray table(itemCount);
    MakeReferenceColors(table);
    for (int y = 0; y < map.Height(); ++y) {
        for (int x = 0; x < map.Width(); ++x) {
            const std::uint8_t* pixel = pixels + y * bytesPerLine + 3 * x;
            std::uint32_t cell = FixedColor(pixel[0], pixel[1], pixel[2]);
            for (std::size_t i = 0; i < table.size(); ++i) {
                const TRGBTriple& entry = table[i];
                if (entry.rgbtRed - 16 < pixel[0] && pixel[0] < entry.rgbtRed + 16
                    && entry.rgbtGreen - 16 < pixel[1] && pixel[1] < entry.rgbtGreen + 16
                    && entry.rgbtBlue - 16 < pixel[2] && pixel[2] < entry.rgbtBlue + 16) {
                    cell = ItemReferenceBase + static_cast<std::uint32_t>(i);
                    break;
                }
            }
            map.SetCell(x, y, cell);
        }
    }
    return map;
}
