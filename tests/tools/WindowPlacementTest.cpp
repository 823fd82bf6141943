#include "tools/WindowPlacement.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The main window as the program opens it, centred on the screen: its frame (title bar 26, borders
// 2) and the preview inside it.
struct TDesktop
{
    TPlaceRect Area;
    TPlaceRect Owner;
    TPlaceRect Preview;
};

TDesktop Centred(int width, int height)
{
    const TPlaceRect owner {(width - 618) / 2, (height - 580) / 2, 618, 580};
    return {{0, 0, width, height}, owner, {owner.Left + 2 + 336, owner.Top + 26 + 184, 240, 320}};
}

struct TToolWindowSize
{
    const char* Name;
    TPlaceSize Wanted;
    TPlaceSize Minimum;
};

const TToolWindowSize Windows[] = {
    {"history", {362, 448}, {240, 200}},
    {"find", {522, 468}, {360, 240}},
    {"legibility", {642, 428}, {420, 240}},
    {"import", {722, 548}, {480, 300}},
    {"compare", {822, 468}, {480, 240}},
};

TEST(WindowPlacementTest, BesideTheMainWindowNeverOverThePreviewAndInsideTheScreen)
{
    struct TScreen
    {
        int Width, Height;
        bool RoomForBoth; // the preview stays in view
    };
    for (const TScreen screen : {TScreen {1024, 768, false}, TScreen {1280, 1024, true},
             TScreen {1366, 768, true}, TScreen {1920, 1080, true}, TScreen {3840, 2160, true}}) {
        const TDesktop desktop = Centred(screen.Width, screen.Height);
        for (const TToolWindowSize& window : Windows) {
            SCOPED_TRACE(std::to_string(screen.Width) + "x" + std::to_string(screen.Height) + " "
                + window.Name);
            const TPlaceRect place = PlaceToolWindow(
                desktop.Area, desktop.Owner, desktop.Preview, window.Wanted, window.Minimum);
            EXPECT_TRUE(desktop.Area.Contains(place));
            EXPECT_GE(place.Width, window.Minimum.Width);
            EXPECT_GE(place.Height, window.Minimum.Height);
            if (screen.RoomForBoth) {
                EXPECT_FALSE(place.Intersects(desktop.Preview));
            }
            // Where the screen has room beside the main window, it covers none of it.
            if (screen.Width - desktop.Owner.Right() - PlaceGap >= window.Wanted.Width) {
                EXPECT_FALSE(place.Intersects(desktop.Owner));
                EXPECT_EQ(place.Width, window.Wanted.Width);
            }
        }
    }
}

TEST(WindowPlacementTest, TheMainWindowAtAnEdgeSendsItToTheOtherSide)
{
    const TPlaceRect area {0, 0, 1920, 1080};
    const TPlaceRect atRight {1920 - 618, 100, 618, 580};
    const TPlaceRect preview {atRight.Left + 338, atRight.Top + 210, 240, 320};
    const TPlaceRect place = PlaceToolWindow(area, atRight, preview, {642, 428}, {420, 240});
    EXPECT_EQ(place, (TPlaceRect {atRight.Left - PlaceGap - 642, 100, 642, 428}));
}

TEST(WindowPlacementTest, KeptPlacesAreTakenOnlyWhereTheyStillFit)
{
    const std::vector<TPlaceRect> areas = {{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
    struct TRow
    {
        const char* Name;
        TPlaceRect Place;
        bool Fits;
    };
    const TRow rows[] = {
        {"on the first screen", {100, 100, 400, 300}, true},
        {"on the second screen", {2000, 50, 800, 600}, true},
        {"across both screens", {1800, 100, 400, 300}, false},
        {"on a screen unplugged since", {3300, 100, 400, 300}, false},
        {"smaller than the window can be", {100, 100, 100, 300}, false},
    };
    for (const TRow& row : rows)
        EXPECT_EQ(PlaceFits(row.Place, areas, {240, 200}), row.Fits) << row.Name;
}

TEST(WindowPlacementTest, PlacesReadBackAsWritten)
{
    for (const TPlaceRect place :
        {TPlaceRect {0, 0, 1, 1}, TPlaceRect {-1920, -40, 640, 480}, TPlaceRect {5000, 10, 3, 4}})
        EXPECT_EQ(ParsePlace(PlaceText(place)), place);
    for (const char* damaged : {"", "1,2,3", "1,2,3,4,5", "1, 2,3,4", "a,b,c,d", "1,2,0,4",
             "1,2,3,-4", "1,2,3,4 ", "99999999,0,10,10", "1,2,3,4x"})
        EXPECT_EQ(ParsePlace(damaged), std::nullopt) << damaged;
}

} // namespace
