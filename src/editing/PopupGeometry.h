#pragma once

#include <cstdint>
#include <functional>

// Geometry of the palette popup: one place that says where every cell and button lies, used
// alike for painting, hit testing, keyboard moves and the window size. Rectangles exclude their
// right and bottom edges.

struct TPopupPoint
{
    int X = 0;
    int Y = 0;
    bool operator==(const TPopupPoint&) const = default;
};

struct TPopupSize
{
    int Width = 0;
    int Height = 0;
    bool operator==(const TPopupSize&) const = default;
};

struct TPopupRect
{
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(TPopupPoint p) const
    {
        return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom;
    }
    bool operator==(const TPopupRect&) const = default;
};

inline constexpr int PopupEdge = 2; // the 3-D edge width
inline constexpr int PopupCellSize = 18;
inline constexpr int PopupColumns = 8;
inline constexpr int PopupRows = 5;
inline constexpr int PopupSystemRows = 4;

// Cell indexes besides the grid's 0..39 (palette) and 40..64 (system colours).
inline constexpr int NoCell = -1;
inline constexpr int CustomCell = -2; // the custom button; as the selection: expanded
inline constexpr int DefaultCell = -3;
inline constexpr int FirstSystemCell = 40;

// What the layout depends on; the text sizes are measured by the caller in the popup's font.
struct TPopupOptions
{
    int Spacing = 8;
    bool HasDefaultButton = false;
    bool HasCustomButton = false;
    bool ShowSystemColors = false;
    TPopupSize DefaultTextSize;
    TPopupSize CustomTextSize;
};

struct TPopupLayout
{
    int Spacing = 0;
    bool ShowSystemColors = false;
    int Width = 0;
    int CollapsedHeight = 0; // everything above the custom area
    int ExpandedHeight = 0; // down to the custom area's bottom
    int GridTop = 0;
    TPopupRect DefaultButton; // empty without a default text
    TPopupRect CustomButton; // empty without a custom text
    TPopupRect PreviewSquare; // the custom choice's colour square inside the custom button
    TPopupRect CustomArea; // shown below the custom button while expanded
    int SystemSeparatorTop = -1; // etched lines, 2 pixels high; -1 when absent
    int CustomSeparatorTop = -1;
};

TPopupLayout ComputePopupLayout(const TPopupOptions& options);

// 64 with system colours, 39 without.
int LastCell(const TPopupLayout& layout);
// The rectangle of a grid cell or of the default (-3) or custom (-2) button; empty otherwise.
TPopupRect CellRect(const TPopupLayout& layout, int cell);
// The cell or button under a point, or NoCell; the custom area yields NoCell too.
int CellAt(const TPopupLayout& layout, TPopupPoint point);

enum class TPopupKey { Left, Right, Up, Down };

// The cell an arrow key moves to from `from` (a grid cell, a button, or NoCell).
int NextCellForKey(const TPopupLayout& layout, int from, TPopupKey key);

// Top-left corner of a popup of `size` opened for a button at `button` (screen coordinates), kept
// within the screen's available rectangle: below the button, or above it near the bottom.
TPopupPoint PopupPosition(const TPopupRect& button, TPopupSize size, const TPopupRect& available);

// Gives the RGB TColor of system colour index 0..24 (others may answer anything).
using TSystemColorResolver = std::function<std::uint32_t(int index)>;

// The cell that shows `color`: DefaultCell for clDefault, a system cell for a system colour
// value, otherwise the first palette cell, then the first system cell of the same RGB; NoCell
// when none matches (the caller may still find it in the custom area).
int SelectColorIndex(
    std::uint32_t color, bool showSystemColors, const TSystemColorResolver& resolveSystemColor);
