#pragma once

#include <cstdint>
#include <span>
#include <vector>

// Cells from this value up refer to a colour item; smaller cells are fixed colours 0x00BBGGRR.
constexpr std::uint32_t ItemReferenceBase = 0xE0000000;

constexpr bool IsItemReference(std::uint32_t cell)
{
    return cell >= ItemReferenceBase;
}

// The preview grid: one 32-bit cell per preview pixel, either a fixed colour or a reference to
// an item. Cells are kept row by row, top to bottom, which is also the order of the preview file,
// so painters and the file code can walk whole rows.
class TPreviewMap
{
public:
    TPreviewMap() = default;
    // A grid of the given size with every cell 0; see Resize for the failures.
    TPreviewMap(int width, int height);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }

    // Coordinates must lie inside the grid.
    std::uint32_t Cell(int x, int y) const { return Row(y)[x]; }
    void SetCell(int x, int y, std::uint32_t value) { Row(y)[x] = value; }

    // All cells, row by row from the top.
    std::span<const std::uint32_t> Cells() const { return FCells; }

    // The Width() cells of row y, from x = 0.
    const std::uint32_t* Row(int y) const { return FCells.data() + RowOffset(y); }
    std::uint32_t* Row(int y) { return FCells.data() + RowOffset(y); }

    // Changes the size, keeping the cells where the old and new grid overlap at the top-left;
    // cells that did not exist before are 0. Throws "Range check error" for a negative size and
    // "Out of memory" when the grid cannot be held.
    void Resize(int width, int height);

    // Takes over cells already laid out row by row; cells.size() must be width * height.
    static TPreviewMap FromCells(int width, int height, std::vector<std::uint32_t> cells);

    bool operator==(const TPreviewMap& other) const = default;

private:
    std::size_t RowOffset(int y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(FWidth);
    }

    int FWidth = 0;
    int FHeight = 0;
    std::vector<std::uint32_t> FCells;
};
