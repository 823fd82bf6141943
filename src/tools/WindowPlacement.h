#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

// Where a tool window goes on the screen: beside the main window on the side with room, else
// beside the preview over the main window's other controls, and inside the screen always. The
// rectangles are screen coordinates of whole windows, frames included.

struct TPlaceRect
{
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;

    int Right() const { return Left + Width; } // one past the last column
    int Bottom() const { return Top + Height; } // one past the last row
    bool Contains(const TPlaceRect& other) const
    {
        return other.Left >= Left && other.Top >= Top && other.Right() <= Right()
            && other.Bottom() <= Bottom();
    }
    bool Intersects(const TPlaceRect& other) const
    {
        return other.Left < Right() && Left < other.Right() && other.Top < Bottom()
            && Top < other.Bottom();
    }
    bool operator==(const TPlaceRect&) const = default;
};

struct TPlaceSize
{
    int Width = 0;
    int Height = 0;
};

// Pixels between a tool window and the window or preview it stands beside.
inline constexpr int PlaceGap = 8;

// The first place of a tool window of the wanted size (no smaller than minimum): wholly beside
// the owner (right, left, below, above) where the screen's area has room; else narrowed to the
// room beside the preview, over the owner's other controls, when it still fits there; else as
// large as the area allows, inside it, on the side of the preview with more room.
TPlaceRect PlaceToolWindow(const TPlaceRect& area, const TPlaceRect& owner,
    const TPlaceRect& preview, TPlaceSize wanted, TPlaceSize minimum);

// A kept place is taken again only where it lies wholly on one of the screens' areas as they are
// now, and is no smaller than the window's minimum size.
bool PlaceFits(const TPlaceRect& place, std::span<const TPlaceRect> areas, TPlaceSize minimum);

// A place as the settings file keeps it, "left,top,width,height", and read back; a text that is
// not four whole numbers with a positive size reads as nothing.
std::string PlaceText(const TPlaceRect& place);
std::optional<TPlaceRect> ParsePlace(std::string_view text);
