#include "preview/PreviewPainter.h"

#include <array>
#include <bit>

namespace {

// What one cell value paints: a pixel's three bytes, or nothing at all.
struct TPaint
{
    std::uint8_t Red, Green, Blue;
    bool Paints;
};

using TItemTable = std::array<TPaint, PaintedItemCount>;

TItemTable MakeItemTable(const std::vector<TRGBTriple>& itemColors)
{
    TItemTable table {};
    for (std::size_t i = 0; i < table.size() && i < itemColors.size(); ++i) {
        const TRGBTriple& color = itemColors[i];
        table[i] = {color.rgbtRed, color.rgbtGreen, color.rgbtBlue, true};
    }
    return table;
}

TPaint FixedPaint(std::uint32_t cell)
{
    return {static_cast<std::uint8_t>(cell), static_cast<std::uint8_t>(cell >> 8),
        static_cast<std::uint8_t>(cell >> 16), true};
}

// Walks the map a run of equal cells at a time (maps are mostly long runs), asking paintOf
// once per run.
template <typename TPaintOf>
void PaintRuns(
    const TPreviewMap& map, std::uint8_t* pixels, std::ptrdiff_t bytesPerLine, TPaintOf&& paintOf)
{
    const int width = map.Width();
    for (int y = 0; y < map.Height(); ++y) {
        const std::uint32_t* row = map.Row(y);
        std::uint8_t* out = pixels + y * bytesPerLine;
        int x = 0;
        while (x < width) {
            const std::uint32_t cell = row[x];
            int end = x + 1;
            while (end < width && row[end] == cell)
                ++end;
            const TPaint paint = paintOf(cell);
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

// The transformed fixed colours met so far in a paint, by their 24-bit value: an open hash
// table, since a map has few distinct fixed colours but meets them run after run. A map of
// photographs could hold millions; past half a million the table stops growing (8 MB) and
// further colours are transformed wherever they are met.
class TFixedColorCache
{
public:
    explicit TFixedColorCache(const TColorTransform& transform)
        : FTransform(transform)
    { }

    // Out of line: most runs are items, and the run loop stays as tight as the plain painter's.
    [[gnu::noinline]] TPaint Get(std::uint32_t rgb)
    {
        if (FKeys.empty())
            Grow(1024);
        for (std::size_t slot = Slot(rgb);; slot = (slot + 1) & FMask) {
            if (FKeys[slot] == rgb)
                return FPaints[slot];
            if (FKeys[slot] == Empty) {
                const TPaint paint = Transformed(rgb);
                if (FCount * 2 >= FKeys.size())
                    return paint;
                FKeys[slot] = rgb;
                FPaints[slot] = paint;
                if (++FCount * 2 >= FKeys.size() && FKeys.size() < MaxSlots)
                    Grow(2 * FKeys.size());
                return paint;
            }
        }
    }

private:
    // No 24-bit value looks like this.
    static constexpr std::uint32_t Empty = 0xFFFFFFFF;
    static constexpr std::size_t MaxSlots = std::size_t {1} << 20;

    std::size_t Slot(std::uint32_t rgb) const
    {
        return static_cast<std::size_t>((rgb * 0x9E3779B1u) >> FShift) & FMask;
    }

    TPaint Transformed(std::uint32_t rgb) const
    {
        const TPaint plain = FixedPaint(rgb);
        const TRGBTriple color = FTransform({plain.Blue, plain.Green, plain.Red});
        return {color.rgbtRed, color.rgbtGreen, color.rgbtBlue, true};
    }

    void Grow(std::size_t size)
    {
        std::vector<std::uint32_t> keys(size, Empty);
        std::vector<TPaint> paints(size);
        FMask = size - 1;
        FShift = 32 - std::countr_zero(size);
        for (std::size_t i = 0; i < FKeys.size(); ++i) {
            if (FKeys[i] == Empty)
                continue;
            std::size_t slot = Slot(FKeys[i]);
            while (keys[slot] != Empty)
                slot = (slot + 1) & FMask;
            keys[slot] = FKeys[i];
            paints[slot] = FPaints[i];
        }
        FKeys = std::move(keys);
        FPaints = std::move(paints);
    }

    const TColorTransform& FTransform;
    std::vector<std::uint32_t> FKeys;
    std::vector<TPaint> FPaints;
    std::size_t FCount = 0;
    std::size_t FMask = 0;
    int FShift = 32;
};

} // namespace

void PaintPreviewPixels(const TPreviewMap& map, const std::vector<TRGBTriple>& itemColors,
    std::uint8_t* pixels, std::ptrdiff_t bytesPerLine)
{
    const TItemTable items = MakeItemTable(itemColors);
    PaintRuns(map, pixels, bytesPerLine, [&items](std::uint32_t cell) {
        // Only the low byte names the item, so indexes above 255 wrap.
        return IsItemReference(cell) ? items[cell & 0xFF] : FixedPaint(cell);
    });
}

void PaintPreviewPixelsThrough(const TPreviewMap& map,
    const std::vector<TRGBTriple>& transformedItemColors, const TColorTransform& transform,
    std::uint8_t* pixels, std::ptrdiff_t bytesPerLine)
{
    const TItemTable items = MakeItemTable(transformedItemColors);
    TFixedColorCache fixed(transform);
    PaintRuns(map, pixels, bytesPerLine, [&](std::uint32_t cell) {
        return IsItemReference(cell) ? items[cell & 0xFF] : fixed.Get(cell & 0xFFFFFF);
    });
}
