#include "editing/CustomColors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

// Readable failures for the repaint sets and drag areas.
void PrintTo(const TCustomRepaint& repaint, std::ostream* out)
{
    *out << "{" << (repaint.SliderBand ? " slider" : "") << (repaint.Honeycomb ? " honeycomb" : "")
         << (repaint.GreyRow ? " grey row" : "") << (repaint.PreviewSquare ? " preview" : "")
         << " }";
}

void PrintTo(TCustomDragArea area, std::ostream* out)
{
    const char* const names[] = {"None", "Honeycomb", "GreyRow", "Slider"};
    *out << names[static_cast<int>(area)];
}

namespace {

constexpr std::uint32_t TColorOf(std::uint32_t rrggbb)
{
    return (rrggbb >> 16 & 0xFF) | (rrggbb & 0xFF00) | (rrggbb & 0xFF) << 16;
}

// The main window's popup: custom button only, spacing 8. Its custom area starts at (10, 125):
// the honeycomb's centre is at (73, 188), the grey row's top-left at (10, 247), the slider spans
// x 136..155 and y 136..239.
TPopupLayout MainWindowLayout(int spacing = 8, bool withDefaultAndSystem = false)
{
    TPopupOptions options;
    options.Spacing = spacing;
    options.HasCustomButton = true;
    options.CustomTextSize = {70, 13};
    if (withDefaultAndSystem) {
        options.HasDefaultButton = true;
        options.DefaultTextSize = {52, 15};
        options.ShowSystemColors = true;
    }
    return ComputePopupLayout(options);
}

TCustomColorArea LaidOutArea()
{
    TCustomColorArea area;
    area.SetLayout(MainWindowLayout());
    return area;
}

constexpr TPopupPoint HoneycombCentre {73, 188};
constexpr TPopupPoint GreyOrigin {10, 247};
constexpr int SliderX = 140;
constexpr int SliderTop = 136;
constexpr int SliderBottom = 240;

// Drags the slider from its top to `y` and lets go.
void DragSliderTo(TCustomColorArea& area, int y)
{
    area.Press({SliderX, SliderTop});
    area.Move({SliderX, y});
    area.Release();
}

TEST(CustomColorsTest, HoneycombColoursAndPlacesFollowTheRings)
{
    // Cell 1 + 21 d + n (n - 1) / 2 is the first cell of ring n on direction d.
    const struct
    {
        const char* Name;
        float Intensity;
        int Cell;
        std::uint32_t Rrggbb;
        TPopupPoint Place;
    } rows[] = {
        {"white centre at 100 %", 1, 0, 0xFFFFFF, {0, 0}},
        {"ring 1 on the magenta direction, to the right", 1, 1, 0xFFD4FF, {9, 0}},
        // Green and blue accumulate to 0.49999994 in single precision: 127, not 128.
        {"ring 3 on the red direction", 1, 25, 0xFF7F7F, {14, 24}},
        {"ring 6 on the red direction, down-right", 1, 37, 0xFF0000, {27, 47}},
        {"ring 6 on the magenta direction", 1, 16, 0xFF00FF, {55, 0}},
        {"ring 6 on the blue direction, up-right", 1, 121, 0x0000FF, {27, -47}},
        {"last cell, on the way back to magenta", 1, 126, 0xD400FF, {50, -8}},
        {"black centre at intensity 0", 0, 0, 0x000000, {0, 0}},
        {"ring 3 on the red direction at intensity 0", 0, 25, 0x800000, {14, 24}},
        {"magenta corner at intensity 0", 0, 16, 0xFF00FF, {55, 0}},
        {"red corner at intensity 0", 0, 37, 0xFF0000, {27, 47}},
        {"yellow corner at intensity 0", 0, 58, 0xFFFF00, {-27, 47}},
        {"green corner at intensity 0", 0, 79, 0x00FF00, {-55, 0}},
        {"cyan corner at intensity 0", 0, 100, 0x00FFFF, {-27, -47}},
        {"blue corner at intensity 0", 0, 121, 0x0000FF, {27, -47}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        const TFloatColor centre {row.Intensity, row.Intensity, row.Intensity};
        const std::vector<TCustomCell> cells = BuildHoneycomb(centre, 63);
        ASSERT_EQ(cells.size(), std::size_t(HoneycombCellCount));
        const TCustomCell& cell = cells[static_cast<std::size_t>(row.Cell)];
        EXPECT_EQ(cell.Color, TColorOf(row.Rrggbb));
        EXPECT_EQ((TPopupPoint {cell.X, cell.Y}), row.Place);
    }
}

TEST(CustomColorsTest, HoneycombCellsAreDistinctAndInsideTheSquare)
{
    const std::vector<TCustomCell> cells = BuildHoneycomb({1, 1, 1}, 63);
    std::set<std::pair<int, int>> places;
    for (const TCustomCell& cell : cells) {
        places.insert({cell.X, cell.Y});
        // The whole hexagon (circumradius 5.5) fits in the square of side 2 x 63.
        EXPECT_LE(std::hypot(cell.X, cell.Y) + 5.5, 63.0) << cell.X << "," << cell.Y;
    }
    EXPECT_EQ(places.size(), cells.size());
}

TEST(CustomColorsTest, GreyRowRunsFromWhiteToBlackWithout240)
{
    const struct
    {
        int Level;
        int X;
        int Y;
    } rows[] = {{255, 11, 11}, {225, 33, 6}, {210, 38, 14}, {195, 43, 6}, {180, 48, 14},
        {165, 53, 6}, {150, 58, 14}, {135, 63, 6}, {120, 68, 14}, {105, 73, 6}, {90, 78, 14},
        {75, 83, 6}, {60, 88, 14}, {45, 93, 6}, {30, 98, 14}, {15, 103, 6}, {0, 124, 11}};
    const std::vector<TCustomCell> cells = BuildGreyRow(11);
    ASSERT_EQ(cells.size(), std::size(rows));
    for (std::size_t k = 0; k < cells.size(); ++k) {
        SCOPED_TRACE("grey cell " + std::to_string(k));
        const auto level = static_cast<std::uint32_t>(rows[k].Level);
        EXPECT_EQ(cells[k], (TCustomCell {rows[k].X, rows[k].Y, level * 0x010101u}));
    }
}

TEST(CustomColorsTest, AreaLiesBelowTheCustomButton)
{
    const struct
    {
        const char* Name;
        TPopupLayout Layout;
        TPopupRect Honeycomb;
        TPopupRect GreyRow;
        TPopupRect Slider;
        TPopupRect Bounds;
    } rows[] = {
        {"main window", MainWindowLayout(), {10, 125, 136, 251}, {10, 247, 147, 273},
            {136, 136, 156, 240}, {10, 125, 156, 273}},
        {"no spacing", MainWindowLayout(0), {2, 125, 128, 251}, {2, 247, 147, 273},
            {128, 136, 148, 240}, {2, 125, 148, 273}},
        // The grey row's usual right end (147) would cut the black cell off.
        {"wide spacing: the grey row still holds the black cell", MainWindowLayout(20),
            {22, 125, 148, 251}, {22, 247, 158, 273}, {148, 136, 168, 240}, {22, 125, 168, 273}},
        {"below default button and system colours", MainWindowLayout(8, true), {10, 232, 136, 358},
            {10, 354, 147, 380}, {136, 243, 156, 347}, {10, 232, 156, 380}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        const TCustomAreaGeometry geometry = CustomAreaGeometry(row.Layout);
        EXPECT_EQ(geometry.Radius, 63);
        EXPECT_EQ(geometry.HexagonSize, 11);
        EXPECT_EQ(geometry.Honeycomb, row.Honeycomb);
        EXPECT_EQ(geometry.GreyRow, row.GreyRow);
        EXPECT_EQ(geometry.Slider, row.Slider);
        EXPECT_EQ(geometry.Bounds, row.Bounds);
        EXPECT_EQ(row.Layout.CustomArea, row.Bounds);
        EXPECT_EQ(row.Layout.ExpandedHeight, row.Bounds.Bottom + 4);
    }
}

TEST(CustomColorsTest, RadiusIs66UntilThePopupIsLaidOut)
{
    TCustomColorArea area;
    EXPECT_EQ(area.Geometry().Radius, 66);
    EXPECT_EQ(area.Geometry().HexagonSize, 11);
    EXPECT_EQ(area.HoneycombCells()[16].X, 57); // ring 6: 6 x 66 x cos 30 / 6
    area.SetLayout(MainWindowLayout());
    EXPECT_EQ(area.HoneycombCells()[16].X, 55);
}

TEST(CustomColorsTest, HitTestingFindsTheFirstCellWithinItsRadius)
{
    const TCustomColorArea area = LaidOutArea();
    const auto at = [](TPopupPoint origin, int dx, int dy) {
        return TPopupPoint {origin.X + dx, origin.Y + dy};
    };
    const struct
    {
        const char* Name;
        TPopupPoint Point;
        int CustomIndex;
    } rows[] = {
        {"honeycomb centre", HoneycombCentre, 1},
        {"between the centre and its right neighbour: the first in array order",
            at(HoneycombCentre, 5, 0), 1},
        {"ring 6 on the red direction", at(HoneycombCentre, 27, 47), 38},
        {"honeycomb square's corner", {11, 126}, 0},
        {"white end cell, 11 pixels right: double size", at(GreyOrigin, 22, 11), -1},
        {"white end cell, 12 pixels right", at(GreyOrigin, 23, 11), 0},
        {"black end cell, 11 pixels left", at(GreyOrigin, 113, 11), -17},
        {"black end cell, 11 pixels below", at(GreyOrigin, 124, 22), -17},
        {"grey cell 8 at its centre", at(GreyOrigin, 68, 14), -9},
        {"grey cell 8, 6 pixels below: single size", at(GreyOrigin, 68, 20), 0},
        {"slider", {SliderX, 150}, 0},
        {"custom button", {80, 110}, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        EXPECT_EQ(area.CustomIndexAt(row.Point), row.CustomIndex);
    }
}

TEST(CustomColorsTest, PressMoveAndReleaseFollowTheHandlers)
{
    enum TAction { Press, Move, Release };
    constexpr TCustomRepaint none;
    constexpr TCustomRepaint honeycomb {.Honeycomb = true, .PreviewSquare = true};
    constexpr TCustomRepaint greyRow {.GreyRow = true, .PreviewSquare = true};
    constexpr TCustomRepaint preview {.PreviewSquare = true};
    constexpr TCustomRepaint slider {.SliderBand = true, .Honeycomb = true, .PreviewSquare = true};
    constexpr TPopupPoint cell25 {87, 212}; // FF7F7F
    constexpr TPopupPoint cell24 {73, 204};
    constexpr TPopupPoint white {21, 258};
    constexpr TPopupPoint black {134, 258};
    constexpr TPopupPoint greyGap {78, 267};
    constexpr TPopupPoint honeycombCorner {11, 126};
    using enum TCustomDragArea;
    const struct
    {
        const char* Name;
        TAction Action;
        TPopupPoint Point;
        int CustomIndex;
        TCustomDragArea Drag; // after the step; for a release, the area it returns
        TCustomRepaint Repaint;
        float Intensity;
    } steps[] = {
        {"press on a hexagon chooses it", Press, cell25, 26, Honeycomb, honeycomb, 1},
        {"moving within it changes nothing", Move, cell25, 26, Honeycomb, none, 1},
        {"dragging to the next hexagon", Move, cell24, 25, Honeycomb, honeycomb, 1},
        {"dragging out of the honeycomb drops the choice", Move, white, 0, Honeycomb, honeycomb, 1},
        {"empty space of the honeycomb square", Move, honeycombCorner, 0, Honeycomb, preview, 1},
        {"back onto a hexagon", Move, cell25, 26, Honeycomb, honeycomb, 1},
        {"release ends the honeycomb drag", Release, cell25, 26, Honeycomb, none, 1},
        {"press on the black end cell clears the honeycomb's outline", Press, black, -17, GreyRow,
            {.Honeycomb = true, .GreyRow = true, .PreviewSquare = true}, 1},
        {"a grey-row drag ignores the honeycomb", Move, cell25, 0, GreyRow, greyRow, 1},
        {"release ends the grey-row drag", Release, cell25, 0, GreyRow, none, 1},
        {"press between grey cells still starts a grey-row drag", Press, greyGap, 0, GreyRow,
            preview, 1},
        {"so the honeycomb stays out of it", Move, cell25, 0, GreyRow, preview, 1},
        {"release", Release, cell25, 0, GreyRow, none, 1},
        {"press on the white end cell", Press, white, -1, GreyRow, greyRow, 1},
        {"a press whose last release never came starts afresh", Press, cell25, 26, Honeycomb,
            {.Honeycomb = true, .GreyRow = true, .PreviewSquare = true}, 1},
        {"release", Release, cell25, 26, Honeycomb, none, 1},
        {"press on the slider's middle", Press, {SliderX, 188}, 26, Slider, slider, 0.5f},
        {"slider dragged above its top", Move, {SliderX, 20}, 26, Slider, slider, 1},
        {"slider dragged below its bottom", Move, {150, 400}, 26, Slider, slider, 0},
        {"slider drag at its last column", Move, {155, 162}, 26, Slider, slider, 0.75f},
        {"slider drag beside the slider drops the choice", Move, {156, 162}, 0, Slider, honeycomb,
            0.75f},
        {"release ends the slider drag", Release, {156, 162}, 0, Slider, none, 0.75f},
        {"press on a hexagon after the slider", Press, cell25, 26, Honeycomb, honeycomb, 0.75f},
        {"release", Release, cell25, 26, Honeycomb, none, 0.75f},
        {"press on empty space clears the choice", Press, honeycombCorner, 0, Honeycomb, honeycomb,
            0.75f},
        {"release", Release, honeycombCorner, 0, Honeycomb, none, 0.75f},
        {"press outside every part", Press, {80, 110}, 0, None, preview, 0.75f},
    };
    TCustomColorArea area = LaidOutArea();
    for (const auto& step : steps) {
        SCOPED_TRACE(step.Name);
        if (step.Action == Release) {
            EXPECT_EQ(area.Release(), step.Drag);
            EXPECT_EQ(area.DragArea(), TCustomDragArea::None);
        } else {
            const TCustomRepaint repaint
                = step.Action == Press ? area.Press(step.Point) : area.Move(step.Point);
            EXPECT_EQ(repaint, step.Repaint);
            EXPECT_EQ(area.DragArea(), step.Drag);
        }
        EXPECT_EQ(area.CustomIndex(), step.CustomIndex);
        EXPECT_FLOAT_EQ(area.Intensity(), step.Intensity);
    }
}

TEST(CustomColorsTest, IntensityRebuildsTheHoneycombAndTheChoiceFollows)
{
    TCustomColorArea area = LaidOutArea();
    area.Press(HoneycombCentre);
    area.Release();
    EXPECT_EQ(area.CustomColor(), TColorOf(0xFFFFFF));

    DragSliderTo(area, SliderBottom);
    EXPECT_EQ(area.Intensity(), 0.0f);
    EXPECT_EQ(area.CentreColor().Green, 0.0f);
    EXPECT_EQ(area.CustomIndex(), 1);
    EXPECT_EQ(area.CustomColor(), TColorOf(0x000000));
    EXPECT_EQ(area.HoneycombCells()[37].Color, TColorOf(0xFF0000));

    DragSliderTo(area, SliderTop + 52);
    EXPECT_EQ(area.CustomColor(), TColorOf(0x808080)); // 0.5 x 255 = 127.5, to even
}

TEST(CustomColorsTest, LocateFindsTheGreyRowFirstThenTheFirstHoneycombCell)
{
    for (const int y : {SliderTop, SliderTop + 39, SliderBottom}) {
        SCOPED_TRACE("slider at " + std::to_string(y));
        TCustomColorArea area = LaidOutArea();
        DragSliderTo(area, y);
        const std::vector<TCustomCell>& greys = area.GreyCells();
        const std::vector<TCustomCell>& cells = area.HoneycombCells();
        for (std::size_t k = 0; k < cells.size(); ++k) {
            int expected = 0;
            for (std::size_t g = 0; g < greys.size() && expected == 0; ++g)
                if (greys[g].Color == cells[k].Color)
                    expected = -static_cast<int>(g) - 1;
            for (std::size_t j = 0; j <= k && expected == 0; ++j)
                if (cells[j].Color == cells[k].Color)
                    expected = static_cast<int>(j) + 1;
            ASSERT_TRUE(area.LocateCustomColor(cells[k].Color)) << "cell " << k;
            EXPECT_EQ(area.CustomIndex(), expected) << "cell " << k;
            EXPECT_EQ(area.CustomColor(), cells[k].Color) << "cell " << k;
        }
        // A colour of neither part clears the last choice.
        EXPECT_FALSE(area.LocateCustomColor(TColorOf(0x123456)));
        EXPECT_EQ(area.CustomIndex(), 0);
        EXPECT_EQ(area.CustomColor(), std::nullopt);
    }
    TCustomColorArea area = LaidOutArea();
    EXPECT_TRUE(area.LocateCustomColor(TColorOf(0xFFFFFF)));
    EXPECT_EQ(area.CustomIndex(), -1); // grey cell 0, not the honeycomb's white centre
    EXPECT_TRUE(area.LocateCustomColor(TColorOf(0xFF7F7F)));
    EXPECT_EQ(area.CustomIndex(), 26);
}

TEST(CustomColorsTest, HintsNameTheIntensityOrTheHexagonsColour)
{
    constexpr TPopupPoint cell25 {87, 212}; // FF7F7F
    constexpr TPopupPoint cell24 {73, 204}; // FFD4AA
    constexpr TPopupPoint grey8 {78, 261}; // 787878
    const struct
    {
        const char* Name;
        std::optional<TPopupPoint> PressAt; // a choice made first
        TPopupPoint Point;
        bool LeftDown;
        TAnsiView ColorFormat;
        TAnsiView IntensityFormat;
        std::optional<TAnsiString> Text;
        TPopupPoint Position;
    } rows[] = {
        {"slider: built-in", {}, {SliderX, 150}, false, "", "", "Intensity: 100%", {156, 142}},
        {"slider: translated", {}, {SliderX, 150}, false, "", "Helligkeit %d %%",
            "Helligkeit 100 %", {156, 142}},
        {"slider: unusable translation", {}, {SliderX, 150}, false, "", "Intensity %s",
            "Intensity: 100%", {156, 142}},
        {"honeycomb cell", {}, cell25, false, "", "", "red: 255, green: 127, blue: 127", cell25},
        {"grey cell, translated", {}, grey8, false, "rot %d, gr\xFCn %d, blau %d", "",
            "rot 120, gr\xFCn 120, blau 120", grey8},
        {"colour format with two placeholders", {}, grey8, false, "%d/%d", "",
            "red: 120, green: 120, blue: 120", grey8},
        {"left button down: the chosen hexagon", cell25, cell24, true, "", "",
            "red: 255, green: 127, blue: 127", cell24},
        {"left button up: the hexagon under the pointer", cell25, cell24, false, "", "",
            "red: 255, green: 212, blue: 170", cell24},
        {"left button down without a choice", {}, cell24, true, "", "", {}, {}},
        {"empty honeycomb corner", {}, {11, 126}, false, "", "", {}, {}},
        {"custom button", {}, {80, 110}, false, "", "", {}, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        TCustomColorArea area = LaidOutArea();
        if (row.PressAt) {
            area.Press(*row.PressAt);
            area.Release();
        }
        const std::optional<TCustomHint> hint
            = area.HintAt(row.Point, row.LeftDown, row.ColorFormat, row.IntensityFormat);
        ASSERT_EQ(hint.has_value(), row.Text.has_value());
        if (!hint)
            continue;
        EXPECT_EQ(hint->Text, *row.Text);
        EXPECT_EQ(hint->Position, row.Position);
        EXPECT_EQ(
            hint->Area, (TPopupRect {row.Point.X, row.Point.Y, row.Point.X + 1, row.Point.Y + 1}));
        EXPECT_EQ(hint->Timeout, 5000);
    }
}

TEST(CustomColorsTest, PaintingHelpers)
{
    // Points at bottom and top.
    const std::array<TVertex, 6> vertices = HexagonVertices(2);
    const double c = std::sqrt(3.0);
    const double expected[6][2] = {{0, 2}, {c, 1}, {c, -1}, {0, -2}, {-c, -1}, {-c, 1}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_NEAR(vertices[i].X, expected[i][0], 1e-12) << i;
        EXPECT_NEAR(vertices[i].Y, expected[i][1], 1e-12) << i;
    }

    // The main window's bar: h = 103.
    EXPECT_EQ(SliderBarGrey(0, 103), 255);
    EXPECT_EQ(SliderBarGrey(1, 103), 253); // 252.52
    EXPECT_EQ(SliderBarGrey(51, 103), 129); // 128.74
    EXPECT_EQ(SliderBarGrey(103, 103), 0);
    EXPECT_EQ(SliderBarGrey(1, 2), 128); // 127.5, to even
    EXPECT_EQ(SliderMarkerRow(1, 103), 0);
    EXPECT_EQ(SliderMarkerRow(0.75f, 103), 26); // 25.75
    EXPECT_EQ(SliderMarkerRow(0, 103), 103);
}

TEST(CustomColorsTest, MarkerFollowsAPressAndStaysInsideTheRepaintedBand)
{
    TCustomColorArea area = LaidOutArea();
    const TPopupRect band = area.Geometry().SliderBand;
    for (int y = SliderTop; y < SliderBottom; ++y) {
        area.Press({SliderX, y});
        area.Release();
        const TPopupPoint tip = area.MarkerTip();
        EXPECT_EQ(tip.X, 136 + 11);
        // The intensity counts the slider's height and the bar its h rows, so they part by up to
        // a row.
        EXPECT_LE(std::abs(tip.Y - y), 1) << y;
        // The 5 x 7 triangle right of its tip.
        EXPECT_TRUE(band.Contains({tip.X, tip.Y - 3}) && band.Contains({tip.X + 4, tip.Y + 3}))
            << y;
    }
    EXPECT_EQ(area.RepaintRects({.SliderBand = true, .PreviewSquare = true}),
        (std::vector<TPopupRect> {band, MainWindowLayout().PreviewSquare}));
}

} // namespace
