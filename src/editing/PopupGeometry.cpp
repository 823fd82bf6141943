#include "editing/PopupGeometry.h"

#include "editing/CustomColors.h"
#include "editing/Palette.h"

#include <algorithm>

namespace {

constexpr int SystemCellCount = SystemColorCount;
constexpr int GridHeight = PopupRows * PopupCellSize;
// System rows sit this much below the palette rows, leaving room for their etched line.
constexpr int SystemGap = 3 * PopupEdge;

bool HasDefault(const TPopupLayout& layout)
{
    return !layout.DefaultButton.IsEmpty();
}

bool HasCustom(const TPopupLayout& layout)
{
    return !layout.CustomButton.IsEmpty();
}

// Where a move past the last cell lands: the custom button, else the default one, else cell 0.
int PastLastCell(const TPopupLayout& layout)
{
    if (HasCustom(layout))
        return CustomCell;
    if (HasDefault(layout))
        return DefaultCell;
    return 0;
}

// Where a move before the first cell lands: the default button, else the custom one, else the
// last cell.
int BeforeFirstCell(const TPopupLayout& layout)
{
    if (HasDefault(layout))
        return DefaultCell;
    if (HasCustom(layout))
        return CustomCell;
    return LastCell(layout);
}

} // namespace

TPopupLayout ComputePopupLayout(const TPopupOptions& options)
{
    constexpr int edge = PopupEdge;
    TPopupLayout layout;
    layout.Spacing = std::max(0, options.Spacing);
    layout.ShowSystemColors = options.ShowSystemColors;
    layout.Width = 2 * edge + PopupColumns * PopupCellSize + 2 * layout.Spacing;
    int height = GridHeight + 4 * edge;

    int buttonHeight = 0;
    if (options.HasDefaultButton || options.HasCustomButton) {
        buttonHeight = std::max(options.DefaultTextSize.Height, options.CustomTextSize.Height)
            + 4 * edge + 2;
        layout.Width = std::max(layout.Width,
            std::max(options.DefaultTextSize.Width, options.CustomTextSize.Width) + 2 * edge);
    }
    const int buttonLeft = edge + layout.Spacing;
    const int buttonRight = layout.Width - edge - layout.Spacing;

    layout.GridTop = 2 * edge;
    if (options.HasDefaultButton) {
        layout.DefaultButton = {buttonLeft, 2 * edge, buttonRight, 2 * edge + buttonHeight};
        height += buttonHeight + 2 * edge;
        layout.GridTop = layout.DefaultButton.Bottom;
    }

    int cellsBottom = layout.GridTop + GridHeight;
    if (options.ShowSystemColors) {
        layout.SystemSeparatorTop = cellsBottom + edge;
        height += PopupSystemRows * PopupCellSize + 2 * edge;
        cellsBottom += SystemGap + PopupSystemRows * PopupCellSize;
    }

    if (options.HasCustomButton) {
        layout.CustomButton = {buttonLeft, height, buttonRight, height + buttonHeight};
        // The line goes 2 x edge above the button, but never over the system rows, which end
        // closer to it.
        layout.CustomSeparatorTop = std::max(height - 2 * edge, cellsBottom);
        height += buttonHeight + 2 * edge;

        // An 18-pixel square ending edge pixels before the button's right end, centred
        // vertically, and inset like a cell's colour square.
        const int squareRight = layout.CustomButton.Right - edge;
        const int squareTop = layout.CustomButton.Top + (buttonHeight - PopupCellSize) / 2;
        constexpr int inset = edge + 1;
        layout.PreviewSquare = {squareRight - PopupCellSize + inset, squareTop + inset,
            squareRight - inset, squareTop + PopupCellSize - inset};

        // The honeycomb, the grey row below it and the slider beside it; the expanded popup ends
        // 2 x edge below the grey row.
        layout.CustomArea = PlaceCustomArea({buttonLeft, height}).Bounds;
    }
    layout.CollapsedHeight = height;
    layout.ExpandedHeight
        = options.HasCustomButton ? layout.CustomArea.Bottom + 2 * edge : layout.CollapsedHeight;
    return layout;
}

int LastCell(const TPopupLayout& layout)
{
    return layout.ShowSystemColors ? FirstSystemCell + SystemCellCount - 1 : PaletteColorCount - 1;
}

TPopupRect CellRect(const TPopupLayout& layout, int cell)
{
    if (cell == CustomCell)
        return layout.CustomButton;
    if (cell == DefaultCell)
        return layout.DefaultButton;
    if (cell < 0 || cell > LastCell(layout))
        return {};
    const int left = (cell % PopupColumns) * PopupCellSize + PopupEdge + layout.Spacing;
    int top = layout.GridTop + (cell / PopupColumns) * PopupCellSize;
    if (cell >= FirstSystemCell)
        top += SystemGap;
    return {left, top, left + PopupCellSize, top + PopupCellSize};
}

int CellAt(const TPopupLayout& layout, TPopupPoint point)
{
    if (layout.CustomButton.Contains(point))
        return CustomCell;
    if (layout.DefaultButton.Contains(point))
        return DefaultCell;

    const int dx = point.X - (PopupEdge + layout.Spacing);
    int dy = point.Y - layout.GridTop;
    if (dx < 0 || dy < 0 || dx / PopupCellSize >= PopupColumns)
        return NoCell;
    const int column = dx / PopupCellSize;
    if (dy < GridHeight)
        return (dy / PopupCellSize) * PopupColumns + column;
    if (!layout.ShowSystemColors)
        return NoCell;
    dy -= GridHeight + SystemGap;
    if (dy < 0)
        return NoCell; // the gap with the etched line
    const int cell = FirstSystemCell + (dy / PopupCellSize) * PopupColumns + column;
    return cell <= LastCell(layout) ? cell : NoCell;
}

int NextCellForKey(const TPopupLayout& layout, int from, TPopupKey key)
{
    const int last = LastCell(layout);
    switch (key) {
    case TPopupKey::Left:
        if (from == CustomCell || from == NoCell)
            return last;
        if (from == DefaultCell)
            return HasCustom(layout) ? CustomCell : last;
        return from == 0 ? BeforeFirstCell(layout) : from - 1;
    case TPopupKey::Right:
        if (from == DefaultCell || from == NoCell)
            return 0;
        if (from == CustomCell)
            return HasDefault(layout) ? DefaultCell : 0;
        return from >= last ? PastLastCell(layout) : from + 1;
    case TPopupKey::Up:
        if (from == CustomCell || from == NoCell)
            return last;
        if (from == DefaultCell)
            return HasCustom(layout) ? CustomCell : last;
        return from < PopupColumns ? BeforeFirstCell(layout) : from - PopupColumns;
    case TPopupKey::Down:
        if (from == DefaultCell || from == NoCell)
            return 0;
        if (from == CustomCell)
            return HasDefault(layout) ? DefaultCell : 0;
        // Landing outside the grid, as from a short system row, counts as passing the last row.
        return from + PopupColumns > last ? PastLastCell(layout) : from + PopupColumns;
    }
    return from;
}

TPopupPoint PopupPosition(const TPopupRect& button, TPopupSize size, const TPopupRect& available)
{
    TPopupPoint position {button.Left - 1, button.Bottom};
    if (position.Y + size.Height > available.Bottom) {
        position.Y = available.Bottom - size.Height;
        if (position.Y < button.Top)
            position.Y = button.Top - size.Height;
    }
    if (position.X + size.Width > available.Right)
        position.X = available.Right - size.Width;
    return position;
}

int SelectColorIndex(
    std::uint32_t color, bool showSystemColors, const TSystemColorResolver& resolveSystemColor)
{
    if (color == clNone)
        return NoCell;
    if (color == clDefault)
        return DefaultCell;
    const bool isSystem = IsSystemColor(color);
    if (showSystemColors && isSystem && SystemColorIndex(color) < SystemCellCount)
        return FirstSystemCell + SystemColorIndex(color);

    const std::uint32_t rgb = isSystem ? resolveSystemColor(SystemColorIndex(color)) : color;
    for (int cell = 0; cell < PaletteColorCount; ++cell)
        if (PaletteColors[cell].Color == rgb)
            return cell;
    if (showSystemColors)
        for (int index = 0; index < SystemCellCount; ++index)
            if (resolveSystemColor(index) == rgb)
                return FirstSystemCell + index;
    return NoCell;
}
