#include "tools/import/ScreenshotColors.h"

#include "editing/ColorScience.h"

#include <algorithm>
#include <cmath>

namespace {

// An item's cells fall into classes, ranked in the order they are read from: an item is read
// from the first class that holds any of its cells. Lossless pixels: its interior cells, then the
// others. A JPEG's: the interior cells whose chroma is the item's alone, the other interior
// cells, then the rest.
constexpr std::size_t MaxRanks = 3;

std::size_t Ranks(TPixelCoding coding)
{
    return coding == TPixelCoding::Jpeg ? 3 : 2;
}

// Per item and rank: three histograms of 256 counts (red, green, blue) of the pixels of those
// cells.
constexpr std::size_t HistogramSize = 3 * 256;

// Cells [Begin, End) of row Y, of one item's slot and rank.
struct TSpan
{
    std::uint32_t Slot;
    std::uint32_t Rank;
    int Y;
    int Begin;
    int End;
};

// An item seen on the map, with its counts.
struct TSlot
{
    std::size_t Item;
    std::size_t Cells[MaxRanks] = {};

    std::size_t ReadRank() const
    {
        std::size_t rank = 0;
        while (rank + 1 < MaxRanks && Cells[rank] == 0)
            ++rank;
        return rank;
    }
    std::size_t ReadCells() const { return Cells[ReadRank()]; }
};

std::uint32_t PackedRgb(const std::uint8_t* pixel)
{
    return std::uint32_t(pixel[0]) << 16 | std::uint32_t(pixel[1]) << 8 | pixel[2];
}

TRGBTriple Unpacked(std::uint32_t rgb)
{
    return {std::uint8_t(rgb), std::uint8_t(rgb >> 8), std::uint8_t(rgb >> 16)};
}

std::uint8_t LowerMedian(const std::uint32_t* counts, std::size_t total)
{
    const std::size_t rank = (total - 1) / 2;
    std::size_t below = 0;
    for (int value = 0; value < 256; ++value) {
        below += counts[value];
        if (below > rank)
            return std::uint8_t(value);
    }
    return 255;
}

// A run of equal cells in a map row: [Begin, End).
struct TRun
{
    int Begin;
    int End;
    std::uint32_t Cell;
};

void FindRuns(const TPreviewMap& map, int y, std::vector<TRun>& runs)
{
    runs.clear();
    if (y < 0 || y >= map.Height())
        return;
    const std::uint32_t* row = map.Row(y);
    const int width = map.Width();
    int begin = 0;
    for (int x = 1; x <= width; ++x) {
        if (x == width || row[x] != row[begin]) {
            runs.push_back({begin, x, row[begin]});
            begin = x;
        }
    }
}

// The cells of [lo, hi) whose neighbours to the left and right in the other row hold the
// cell: within a run of it there, one in from each end. Appended in order.
void InnerSpans(const std::vector<TRun>& other, std::size_t& first, std::uint32_t cell, int lo,
    int hi, std::vector<std::pair<int, int>>& spans)
{
    spans.clear();
    // Runs are in order, and so are the runs asked about: the first that can still matter only
    // moves right.
    while (first < other.size() && other[first].End <= lo)
        ++first;
    for (std::size_t k = first; k < other.size() && other[k].Begin < hi; ++k) {
        if (other[k].Cell != cell)
            continue;
        const int begin = std::max(lo, other[k].Begin + 1);
        const int end = std::min(hi, other[k].End - 1);
        if (begin < end)
            spans.emplace_back(begin, end);
    }
}

// The cells whose chroma in a JPEG of one pixel per cell comes from their own item alone: those
// whose own 2 x 2 chroma block and the three blocks nearest them are wholly cells of that value.
// Row by row, in order, as runs of such cells.
class TChromaSpans
{
public:
    explicit TChromaSpans(const TPreviewMap& map)
        : FMap(map)
    { }

    const std::vector<TRun>& Row(int y)
    {
        FSpans.clear();
        // The nearer block row is the one above for an even row, the one below for an odd one.
        const int blockRow = y / 2;
        const int nearRow = y % 2 == 0 ? blockRow - 1 : blockRow + 1;
        if (nearRow < 0 || nearRow >= FMap.Height() / 2 || blockRow >= FMap.Height() / 2)
            return FSpans;
        const std::vector<std::uint32_t>& own = Blocks(blockRow);
        const std::vector<std::uint32_t>& near = Blocks(nearRow);
        // Within a run of whole blocks of one value in both block rows, the pixel one past the
        // first block's start has that block and the next as its nearest, and so on to the pixel
        // one before the last block's end: the run's blocks [b, e) give cells [2b + 1, 2e - 1).
        std::size_t begin = 0;
        while (begin < own.size()) {
            const std::uint32_t value = own[begin] == near[begin] ? own[begin] : Mixed;
            std::size_t end = begin + 1;
            while (end < own.size() && own[end] == value && near[end] == value)
                ++end;
            if (IsItemReference(value) && end - begin >= 2)
                FSpans.push_back({2 * int(begin) + 1, 2 * int(end) - 1, value});
            begin = end;
        }
        return FSpans;
    }

private:
    // Not an item reference: a block whose cells differ.
    static constexpr std::uint32_t Mixed = 0;

    // The value of each whole 2 x 2 block of block row `row`, or Mixed; three rows are kept, the
    // rows asked about being at most three consecutive ones.
    const std::vector<std::uint32_t>& Blocks(int row)
    {
        const std::size_t keep = std::size_t(row % 3);
        std::vector<std::uint32_t>& blocks = FBlocks[keep];
        if (FBlockRow[keep] == row)
            return blocks;
        FBlockRow[keep] = row;
        blocks.resize(std::size_t(FMap.Width() / 2));
        const std::uint32_t* top = FMap.Row(2 * row);
        const std::uint32_t* bottom = FMap.Row(2 * row + 1);
        for (std::size_t bx = 0; bx < blocks.size(); ++bx) {
            const std::uint32_t cell = top[2 * bx];
            blocks[bx]
                = top[2 * bx + 1] == cell && bottom[2 * bx] == cell && bottom[2 * bx + 1] == cell
                ? cell
                : Mixed;
        }
        return blocks;
    }

    const TPreviewMap& FMap;
    std::vector<std::uint32_t> FBlocks[3];
    int FBlockRow[3] = {-1, -1, -1};
    std::vector<TRun> FSpans;
};

// Calls visit(item, y, begin, end, rank) for every span of cells of row y that refer to one of
// the first itemCount items and are all of one rank (see Ranks). A cell is interior when the eight
// cells around it hold the same value (two equal references name the same item, so this is "the
// whole neighbourhood is the item's"); cells on the map's edge have no whole neighbourhood. It is
// worked out from the runs of equal cells of the row and the rows above and below, not cell by
// cell: a map is mostly long runs.
template <typename TVisit>
void ForEachItemSpan(
    const TPreviewMap& map, std::size_t itemCount, TPixelCoding coding, TVisit&& visit)
{
    const bool jpeg = coding == TPixelCoding::Jpeg;
    const std::size_t interiorRank = jpeg ? 1 : 0;
    const std::size_t edgeRank = jpeg ? 2 : 1;
    TChromaSpans chroma(map);
    const std::vector<TRun> noSpans;
    std::vector<TRun> up;
    std::vector<TRun> row;
    std::vector<TRun> down;
    std::vector<std::pair<int, int>> above;
    std::vector<std::pair<int, int>> below;
    FindRuns(map, 0, row);
    FindRuns(map, 1, down);
    for (int y = 0; y < map.Height(); ++y) {
        if (y > 0) {
            std::swap(up, row);
            std::swap(row, down);
            FindRuns(map, y + 1, down);
        }
        const std::vector<TRun>& own = jpeg ? chroma.Row(y) : noSpans;
        std::size_t firstOwn = 0;
        // Interior cells of a JPEG whose chroma is their own lie within the interior: the four
        // blocks around them cover their neighbourhood.
        auto visitInterior = [&](std::size_t item, std::uint32_t cell, int begin, int end) {
            int at = begin;
            while (firstOwn < own.size() && own[firstOwn].End <= begin)
                ++firstOwn;
            for (std::size_t k = firstOwn; k < own.size() && own[k].Begin < end; ++k) {
                const int ownBegin = std::max(begin, own[k].Begin);
                const int ownEnd = std::min(end, own[k].End);
                if (own[k].Cell != cell || ownBegin >= ownEnd)
                    continue;
                if (at < ownBegin)
                    visit(item, y, at, ownBegin, interiorRank);
                visit(item, y, ownBegin, ownEnd, std::size_t(0));
                at = ownEnd;
            }
            if (at < end)
                visit(item, y, at, end, interiorRank);
        };
        const bool inside = y > 0 && y + 1 < map.Height();
        std::size_t firstUp = 0;
        std::size_t firstDown = 0;
        for (const TRun& run : row) {
            if (!IsItemReference(run.Cell) || run.Cell - ItemReferenceBase >= itemCount)
                continue;
            const std::size_t item = run.Cell - ItemReferenceBase;
            int at = run.Begin;
            if (inside && run.End - run.Begin >= 3) {
                InnerSpans(up, firstUp, run.Cell, run.Begin + 1, run.End - 1, above);
                InnerSpans(down, firstDown, run.Cell, run.Begin + 1, run.End - 1, below);
                // The interior is where a span above and a span below overlap.
                std::size_t a = 0;
                std::size_t b = 0;
                while (a < above.size() && b < below.size()) {
                    const int begin = std::max(above[a].first, below[b].first);
                    const int end = std::min(above[a].second, below[b].second);
                    if (begin < end) {
                        if (at < begin)
                            visit(item, y, at, begin, edgeRank);
                        visitInterior(item, run.Cell, begin, end);
                        at = end;
                    }
                    if (above[a].second < below[b].second)
                        ++a;
                    else
                        ++b;
                }
            }
            if (at < run.End)
                visit(item, y, at, run.End, edgeRank);
        }
    }
}

// Pixel colours against their item's colour: within CloseDeltaE or not.
class TCloseness
{
public:
    explicit TCloseness(const std::vector<TRGBTriple>& medians)
        : FItems(medians.size())
    {
        for (std::size_t slot = 0; slot < medians.size(); ++slot) {
            const TRGBTriple& color = medians[slot];
            FItems[slot].Rgb = std::uint32_t(color.rgbtRed) << 16
                | std::uint32_t(color.rgbtGreen) << 8 | color.rgbtBlue;
            FItems[slot].Lab = ToLab(color);
        }
    }

    // How many of the count pixels from `pixel` on are close to the item of `slot`.
    std::size_t CountClose(std::size_t slot, const std::uint8_t* pixel, int count)
    {
        TItem& item = FItems[slot];
        // The verdicts for the colours near the item's, which a compressed picture scatters its
        // pixels over, are kept by their offset per channel; other colours are looked at anew.
        if (item.Near.empty())
            item.Near.resize(NearSide * NearSide * NearSide);
        std::uint8_t* near = item.Near.data();
        const int redBase = int(item.Rgb >> 16) - NearOffset;
        const int greenBase = int(item.Rgb >> 8 & 0xFF) - NearOffset;
        const int blueBase = int(item.Rgb & 0xFF) - NearOffset;
        std::size_t close = 0;
        for (int i = 0; i < count; ++i, pixel += 3) {
            const int red = pixel[0] - redBase;
            const int green = pixel[1] - greenBase;
            const int blue = pixel[2] - blueBase;
            if (unsigned(red | green | blue) >= unsigned(NearSide)) {
                close += Judge(item, PackedRgb(pixel)) ? 1 : 0;
                continue;
            }
            std::uint8_t& verdict = near[std::size_t((red * NearSide + green) * NearSide + blue)];
            if (verdict == Unknown)
                verdict = Judge(item, PackedRgb(pixel)) ? IsClose : IsFar;
            close += verdict == IsClose ? 1 : 0;
        }
        return close;
    }

private:
    static constexpr int NearSide = 16;
    static constexpr int NearOffset = 8;
    enum : std::uint8_t { Unknown, IsClose, IsFar };

    struct TItem
    {
        std::uint32_t Rgb = 0;
        TLab Lab {};
        std::vector<std::uint8_t> Near;
    };

    static bool Judge(const TItem& item, std::uint32_t rgb)
    {
        const TLab lab = ToLab(Unpacked(rgb));
        const double dL = lab.L - item.Lab.L;
        const double da = lab.a - item.Lab.a;
        const double db = lab.b - item.Lab.b;
        // CIEDE2000 adds at most twice (2.25 da^2 + db^2) for chroma and hue (a' stretches a by
        // at most 1.5, the rotation term at most doubles), so small L*a*b* distances are close;
        // large lightness steps are far (DeltaE2000MaxLightnessWeight). Neither needs the full
        // formula.
        if (dL * dL + 2.0 * (2.25 * da * da + db * db) <= CloseDeltaE * CloseDeltaE)
            return true;
        if (std::abs(dL) > DeltaE2000MaxLightnessWeight * CloseDeltaE)
            return false;
        return DeltaE2000(item.Lab, lab) <= CloseDeltaE;
    }

    std::vector<TItem> FItems;
};

} // namespace

TPixelCoding CellCoding(bool lossy, int scale)
{
    return lossy && scale == 1 ? TPixelCoding::Jpeg : TPixelCoding::Exact;
}

std::optional<std::vector<TItemReading>> ReadItemColors(const TPreviewMap& map,
    std::size_t itemCount, const std::uint8_t* pixels, std::ptrdiff_t bytesPerLine,
    TPixelCoding coding)
{
    const std::size_t slotCounts = Ranks(coding) * HistogramSize;
    // Slots number the items in the order the map names them, so counts are held only for the
    // items it shows.
    std::vector<std::int32_t> slotOf(itemCount, -1);
    std::vector<TSlot> slots;
    std::vector<std::uint32_t> counts;
    // The spans are kept for the second pass, which then need not work them out again (that takes
    // as long as the first time); a map of runs too short to hold in little memory (a
    // checkerboard has one per cell) is walked again instead.
    const std::size_t keptSpanLimit = map.Cells().size() / 8 + 1024;
    std::vector<TSpan> spans;
    bool spansKept = true;
    bool tooMany = false;

    // One pass counts every pixel into its item's histograms of its rank. Pixels come in runs of
    // one colour, counted once per run: adding to the same count pixel after pixel would make each
    // addition wait for the one before.
    ForEachItemSpan(
        map, itemCount, coding, [&](std::size_t item, int y, int begin, int end, std::size_t rank) {
            std::int32_t& slot = slotOf[item];
            if (slot < 0) {
                if (slots.size() == MaxReadItems) {
                    tooMany = true;
                    return;
                }
                slot = std::int32_t(slots.size());
                slots.push_back({item});
                counts.resize(counts.size() + slotCounts);
            }
            if (spansKept && spans.size() == keptSpanLimit) {
                spansKept = false;
                spans = {};
            }
            if (spansKept)
                spans.push_back({std::uint32_t(slot), std::uint32_t(rank), y, begin, end});
            slots[std::size_t(slot)].Cells[rank] += std::size_t(end - begin);
            std::uint32_t* histogram
                = counts.data() + std::size_t(slot) * slotCounts + rank * HistogramSize;
            const std::uint8_t* pixel = pixels + y * bytesPerLine + std::ptrdiff_t(begin) * 3;
            std::uint32_t runRgb = PackedRgb(pixel);
            std::uint32_t runLength = 0;
            auto addRun = [&] {
                histogram[runRgb >> 16] += runLength;
                histogram[256 + (runRgb >> 8 & 0xFF)] += runLength;
                histogram[512 + (runRgb & 0xFF)] += runLength;
            };
            for (int x = begin; x < end; ++x, pixel += 3) {
                const std::uint32_t rgb = PackedRgb(pixel);
                if (rgb != runRgb) {
                    addRun();
                    runRgb = rgb;
                    runLength = 0;
                }
                ++runLength;
            }
            addRun();
        });
    if (tooMany)
        return std::nullopt;

    std::vector<TRGBTriple> medians;
    medians.reserve(slots.size());
    for (std::size_t slot = 0; slot < slots.size(); ++slot) {
        const std::uint32_t* histogram
            = counts.data() + slot * slotCounts + slots[slot].ReadRank() * HistogramSize;
        const std::size_t total = slots[slot].ReadCells();
        medians.push_back({LowerMedian(histogram + 512, total), LowerMedian(histogram + 256, total),
            LowerMedian(histogram, total)});
    }

    std::vector<std::size_t> readRank(slots.size());
    for (std::size_t slot = 0; slot < slots.size(); ++slot)
        readRank[slot] = slots[slot].ReadRank();
    std::vector<std::size_t> close(slots.size());
    TCloseness closeness(medians);
    auto countClose = [&](std::size_t slot, int y, int begin, int end, std::size_t rank) {
        if (rank == readRank[slot])
            close[slot] += closeness.CountClose(
                slot, pixels + y * bytesPerLine + std::ptrdiff_t(begin) * 3, end - begin);
    };
    if (spansKept) {
        for (const TSpan& span : spans)
            countClose(span.Slot, span.Y, span.Begin, span.End, span.Rank);
    } else {
        ForEachItemSpan(map, itemCount, coding,
            [&](std::size_t item, int y, int begin, int end, std::size_t rank) {
                countClose(std::size_t(slotOf[item]), y, begin, end, rank);
            });
    }

    std::vector<TItemReading> readings(itemCount);
    for (std::size_t slot = 0; slot < slots.size(); ++slot) {
        const TSlot& seen = slots[slot];
        TItemReading& reading = readings[seen.Item];
        reading.Presence
            = seen.ReadRank() + 1 == Ranks(coding) ? TItemPresence::Thin : TItemPresence::Interior;
        reading.Color = medians[slot];
        reading.Pixels = seen.ReadCells();
        reading.Confidence = double(close[slot]) / double(reading.Pixels);
    }
    return readings;
}

TScreenshotReading ReadScreenshot(const TPreviewMap& map, std::size_t itemCount,
    const std::uint8_t* pixels, int width, int height, std::ptrdiff_t bytesPerLine, bool lossy)
{
    TScreenshotReading reading;
    reading.Scale = ScreenshotScale(width, height, map.Width(), map.Height());
    const TPixelCoding coding = CellCoding(lossy, reading.Scale);
    if (reading.Scale == 1) {
        reading.Readings = ReadItemColors(map, itemCount, pixels, bytesPerLine, coding);
    } else if (reading.Scale > 1) {
        const TRgbPixels reduced
            = ReduceScreenshot(pixels, width, height, bytesPerLine, reading.Scale);
        reading.Readings
            = ReadItemColors(map, itemCount, reduced.Bytes.data(), reduced.BytesPerLine(), coding);
    }
    return reading;
}
