#include "tools/WindowPlacement.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace {

// Moves a rectangle no larger than the area by the least distance that puts it inside.
TPlaceRect Inside(TPlaceRect place, const TPlaceRect& area)
{
    place.Width = std::min(place.Width, area.Width);
    place.Height = std::min(place.Height, area.Height);
    place.Left = std::clamp(place.Left, area.Left, area.Right() - place.Width);
    place.Top = std::clamp(place.Top, area.Top, area.Bottom() - place.Height);
    return place;
}

} // namespace

TPlaceRect PlaceToolWindow(const TPlaceRect& area, const TPlaceRect& owner,
    const TPlaceRect& preview, TPlaceSize wanted, TPlaceSize minimum)
{
    const int width = wanted.Width, height = wanted.Height;
    // Wholly beside the main window, sliding along its side to stay on the screen.
    const std::array<TPlaceRect, 4> besides = {{
        {owner.Right() + PlaceGap, owner.Top, width, height},
        {owner.Left - PlaceGap - width, owner.Top, width, height},
        {owner.Left, owner.Bottom() + PlaceGap, width, height},
        {owner.Left, owner.Top - PlaceGap - height, width, height},
    }};
    for (std::size_t side = 0; side < besides.size(); ++side) {
        TPlaceRect place = besides[side];
        if (side < 2)
            place.Top = std::clamp(place.Top, area.Top, area.Bottom() - height);
        else
            place.Left = std::clamp(place.Left, area.Left, area.Right() - width);
        if (area.Contains(place))
            return place;
    }

    // Over the main window's other controls, in the room left or right of the preview.
    const int leftRoom = preview.Left - PlaceGap - area.Left;
    const int rightRoom = area.Right() - (preview.Right() + PlaceGap);
    const bool left = leftRoom >= rightRoom;
    const int room = left ? leftRoom : rightRoom;
    const int roomHeight = std::min(height, area.Height);
    if (room >= minimum.Width && roomHeight >= minimum.Height) {
        const int fitted = std::min(width, room);
        const TPlaceRect place {
            left ? preview.Left - PlaceGap - fitted : preview.Right() + PlaceGap, owner.Top, fitted,
            roomHeight};
        return Inside(place, area);
    }

    // A screen too small for both: inside it, on the side with more room.
    TPlaceRect place {left ? area.Left : area.Right() - width, owner.Top, width, height};
    return Inside(place, area);
}

bool PlaceFits(const TPlaceRect& place, std::span<const TPlaceRect> areas, TPlaceSize minimum)
{
    if (place.Width < minimum.Width || place.Height < minimum.Height)
        return false;
    return std::any_of(
        areas.begin(), areas.end(), [&](const TPlaceRect& area) { return area.Contains(place); });
}

std::string PlaceText(const TPlaceRect& place)
{
    return std::to_string(place.Left) + ',' + std::to_string(place.Top) + ','
        + std::to_string(place.Width) + ',' + std::to_string(place.Height);
}

std::optional<TPlaceRect> ParsePlace(std::string_view text)
{
    // Beyond any screen there is: a larger number is a damaged file, not a place.
    constexpr int Limit = 1 << 20;
    std::array<int, 4> numbers {};
    const char* at = text.data();
    const char* const end = text.data() + text.size();
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0) {
            if (at == end || *at != ',')
                return std::nullopt;
            ++at;
        }
        const auto [next, error] = std::from_chars(at, end, numbers[i]);
        if (error != std::errc() || numbers[i] < -Limit || numbers[i] > Limit)
            return std::nullopt;
        at = next;
    }
    if (at != end || numbers[2] <= 0 || numbers[3] <= 0)
        return std::nullopt;
    return TPlaceRect {numbers[0], numbers[1], numbers[2], numbers[3]};
}
