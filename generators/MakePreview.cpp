// Draws the shipped preview, previews/Preview.cpf: a 240 x 320 navigator screen (map above, info
// bar below) whose cells refer to the items of schemes/default.clr, so every item the default
// scheme describes shows somewhere on the screen.
//
// Usage: tintwright_make_preview <output.cpf>

#include "preview/PreviewFile.h"
#include "preview/PreviewMap.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// Item numbers: line numbers of schemes/default.clr, from 0.
enum Item : int {
    MapBackground,
    OutsideMap,
    Water,
    WaterBorder,
    Park,
    Forest,
    BuiltUpArea,
    Buildings,
    BuildingBorder,
    IndustrialArea,
    Airport,
    Cemetery,
    HospitalArea,
    Motorway,
    MotorwayBorder,
    MainRoad,
    MainRoadBorder,
    SecondaryRoad,
    SecondaryRoadBorder,
    MinorRoad,
    MinorRoadBorder,
    LocalStreet,
    LocalStreetBorder,
    PedestrianZone,
    PedestrianZoneBorder,
    UnpavedRoad,
    Railway,
    RailwayBorder,
    FerryLine,
    TunnelOutline,
    Bridge,
    CountryBorder,
    ProvinceBorder,
    Route,
    RouteBorder,
    RouteInTraffic,
    TrafficJam,
    SlowTraffic,
    PositionMarker,
    PositionMarkerBorder,
    DestinationFlag,
    Waypoint,
    StreetNameText,
    StreetNameOutline,
    CityNameText,
    CityNameOutline,
    WaterNameText,
    PointOfInterestText,
    PointOfInterestMarker,
    InfoBarBackground,
    InfoBarText,
    InfoBarHighlightText,
    InfoBarSeparator,
    NextTurnArrow,
    NextTurnArrowBorder,
    CompassBackground,
    CompassNeedle,
    ScaleBar,
    ButtonFace,
    ButtonText,
    ButtonBorder,
    SpeedCameraWarning,
    Cursor,
};

constexpr int Width = 240;
constexpr int Height = 320;
constexpr int MapHeight = 264;

class TCanvas
{
public:
    TCanvas()
        : FMap(Width, Height)
    { }

    const TPreviewMap& Map() const { return FMap; }

    void Plot(int x, int y, int item)
    {
        if (x >= FClipLeft && x < FClipRight && y >= FClipTop && y < FClipBottom)
            FMap.SetCell(x, y, ItemReferenceBase + static_cast<std::uint32_t>(item));
    }

    void Clip(int left, int top, int right, int bottom)
    {
        FClipLeft = left;
        FClipTop = top;
        FClipRight = right;
        FClipBottom = bottom;
    }

    void FillRect(int left, int top, int right, int bottom, int item)
    {
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                Plot(x, y, item);
    }

    void FrameRect(int left, int top, int right, int bottom, int item)
    {
        for (int x = left; x < right; ++x) {
            Plot(x, top, item);
            Plot(x, bottom - 1, item);
        }
        for (int y = top; y < bottom; ++y) {
            Plot(left, y, item);
            Plot(right - 1, y, item);
        }
    }

    void Box(int left, int top, int right, int bottom, int fill, int border)
    {
        FillRect(left, top, right, bottom, fill);
        FrameRect(left, top, right, bottom, border);
    }

    // A disc of cells whose centres lie within the radius.
    void Disc(double cx, double cy, double radius, int item)
    {
        for (int y = static_cast<int>(cy - radius) - 1; y <= static_cast<int>(cy + radius) + 1; ++y)
            for (int x = static_cast<int>(cx - radius) - 1; x <= static_cast<int>(cx + radius) + 1;
                 ++x)
                if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= radius)
                    Plot(x, y, item);
    }

    // A thick line as a row of discs; dash > 0 leaves gaps of that length between dashes.
    void Line(double x0, double y0, double x1, double y1, double thickness, int item, int dash = 0)
    {
        const double length = std::hypot(x1 - x0, y1 - y0);
        const int steps = std::max(1, static_cast<int>(length * 2));
        for (int i = 0; i <= steps; ++i) {
            const double t = static_cast<double>(i) / steps;
            if (dash > 0 && static_cast<int>(t * length / dash) % 2 == 1)
                continue;
            Disc(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, thickness / 2, item);
        }
    }

    // A road: the border drawn wider first, then the fill over it.
    void Road(
        std::initializer_list<std::pair<double, double>> points, double width, int fill, int border)
    {
        for (int pass = 0; pass < 2; ++pass) {
            const auto* previous = points.begin();
            for (const auto* point = previous + 1; point != points.end(); previous = point++)
                Line(previous->first, previous->second, point->first, point->second,
                    pass == 0 ? width + 2 : width, pass == 0 ? border : fill);
        }
    }

    // A filled polygon by the even-odd rule at cell centres, with an optional border.
    void Polygon(const std::vector<std::pair<double, double>>& points, int fill, int border = -1)
    {
        for (int y = 0; y < Height; ++y) {
            const double cy = y + 0.5;
            for (int x = 0; x < Width; ++x) {
                const double cx = x + 0.5;
                bool inside = false;
                for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
                    const auto [xi, yi] = points[i];
                    const auto [xj, yj] = points[j];
                    if ((yi > cy) != (yj > cy) && cx < (xj - xi) * (cy - yi) / (yj - yi) + xi)
                        inside = !inside;
                }
                if (inside)
                    Plot(x, y, fill);
            }
        }
        if (border >= 0)
            for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++)
                Line(points[j].first, points[j].second, points[i].first, points[i].second, 1.5,
                    border);
    }

    // Text in a 3 x 5 cell font, optionally with a one-cell outline around every stroke.
    void Text(int x, int y, const char* text, int item, int outline = -1)
    {
        for (int pass = outline >= 0 ? 0 : 1; pass < 2; ++pass)
            for (int cx = x; const char c : std::string_view(text)) {
                for (int row = 0; row < 5; ++row)
                    for (int column = 0; column < 3; ++column)
                        if (Glyph(c)[row] & (4 >> column)) {
                            if (pass == 1) {
                                Plot(cx + column, y + row, item);
                                continue;
                            }
                            for (int dy = -1; dy <= 1; ++dy)
                                for (int dx = -1; dx <= 1; ++dx)
                                    Plot(cx + column + dx, y + row + dy, outline);
                        }
                cx += 4;
            }
    }

private:
    static const unsigned char* Glyph(char c)
    {
        // Rows top to bottom, bit 2 is the left column.
        static const unsigned char digits[10][5] = {
            {7, 5, 5, 5, 7},
            {2, 6, 2, 2, 7},
            {7, 1, 7, 4, 7},
            {7, 1, 3, 1, 7},
            {5, 5, 7, 1, 1},
            {7, 4, 7, 1, 7},
            {7, 4, 7, 5, 7},
            {7, 1, 1, 2, 2},
            {7, 5, 7, 5, 7},
            {7, 5, 7, 1, 7},
        };
        static const unsigned char letters[26][5] = {
            {2, 5, 7, 5, 5},
            {6, 5, 6, 5, 6},
            {3, 4, 4, 4, 3},
            {6, 5, 5, 5, 6},
            {7, 4, 6, 4, 7},
            {7, 4, 6, 4, 4},
            {3, 4, 5, 5, 3},
            {5, 5, 7, 5, 5},
            {7, 2, 2, 2, 7},
            {1, 1, 1, 5, 2},
            {5, 5, 6, 5, 5},
            {4, 4, 4, 4, 7},
            {5, 7, 7, 5, 5},
            {6, 5, 5, 5, 5},
            {2, 5, 5, 5, 2},
            {6, 5, 6, 4, 4},
            {2, 5, 5, 6, 3},
            {6, 5, 6, 5, 5},
            {3, 4, 2, 1, 6},
            {7, 2, 2, 2, 2},
            {5, 5, 5, 5, 7},
            {5, 5, 5, 5, 2},
            {5, 5, 7, 7, 5},
            {5, 5, 2, 5, 5},
            {5, 5, 2, 2, 2},
            {7, 1, 2, 4, 7},
        };
        static const unsigned char colon[5] = {0, 2, 0, 2, 0};
        static const unsigned char dot[5] = {0, 0, 0, 0, 2};
        static const unsigned char blank[5] = {0, 0, 0, 0, 0};
        if (c >= '0' && c <= '9')
            return digits[c - '0'];
        if (c >= 'A' && c <= 'Z')
            return letters[c - 'A'];
        if (c == ':')
            return colon;
        if (c == '.')
            return dot;
        return blank;
    }

    TPreviewMap FMap;
    int FClipLeft = 0;
    int FClipTop = 0;
    int FClipRight = Width;
    int FClipBottom = Height;
};

void DrawMap(TCanvas& canvas)
{
    canvas.Clip(0, 0, Width, MapHeight);
    canvas.FillRect(0, 0, Width, MapHeight, MapBackground);
    // Beyond the map's data, at the top-left corner.
    canvas.Polygon({{0, 0}, {46, 0}, {0, 30}}, OutsideMap);
    canvas.Line(0, 30, 46, 0, 1.5, CountryBorder, 3);

    // A lake with a ferry across it.
    canvas.Polygon({{150, 8}, {200, 4}, {236, 20}, {232, 70}, {196, 84}, {160, 70}, {146, 40}},
        Water, WaterBorder);
    canvas.Line(158, 30, 226, 62, 1, FerryLine, 3);
    canvas.Text(178, 38, "LAKE", WaterNameText);

    canvas.Polygon({{8, 40}, {60, 36}, {70, 80}, {20, 92}, {6, 70}}, Park);
    canvas.Polygon({{70, 10}, {130, 6}, {134, 44}, {84, 50}}, Forest);
    canvas.Box(10, 196, 60, 238, Airport, BuildingBorder);
    canvas.Box(170, 110, 232, 150, IndustrialArea, BuildingBorder);
    canvas.Box(190, 196, 232, 226, Cemetery, BuildingBorder);

    // The town: built-up area, blocks of buildings, a hospital and a pedestrian zone.
    canvas.FillRect(76, 100, 164, 186, BuiltUpArea);
    for (int y = 104; y < 182; y += 20)
        for (int x = 80; x < 160; x += 20)
            if (!(x == 120 && y == 144))
                canvas.Box(x, y, x + 14, y + 14, Buildings, BuildingBorder);
    canvas.Box(118, 142, 136, 160, HospitalArea, BuildingBorder);
    canvas.Box(98, 162, 114, 178, PedestrianZone, PedestrianZoneBorder);

    canvas.Line(0, 150, 76, 140, 1, ProvinceBorder, 4);
    canvas.Road({{2, 110}, {40, 120}, {70, 100}}, 2, UnpavedRoad, UnpavedRoad);
    canvas.Road({{96, 96}, {96, 190}}, 2, LocalStreet, LocalStreetBorder);
    canvas.Road({{76, 138}, {164, 138}}, 2, LocalStreet, LocalStreetBorder);
    canvas.Road({{60, 250}, {110, 186}}, 3, MinorRoad, MinorRoadBorder);
    canvas.Road({{140, 92}, {140, 262}}, 4, SecondaryRoad, SecondaryRoadBorder);
    canvas.Road({{0, 98}, {110, 96}, {240, 102}}, 5, MainRoad, MainRoadBorder);

    // A railway, dashed over its border, passing under the main road in a tunnel.
    canvas.Line(0, 178, 240, 160, 3, RailwayBorder);
    canvas.Line(0, 178, 240, 160, 1.5, Railway, 4);
    canvas.Line(0, 56, 150, 56, 3, Railway);
    canvas.FrameRect(66, 52, 82, 61, TunnelOutline);

    // The motorway, crossing the lake's outlet on a bridge.
    canvas.Road({{0, 246}, {120, 214}, {240, 88}}, 6, Motorway, MotorwayBorder);
    canvas.Line(210, 116, 224, 102, 3, Bridge);

    // The route: from the position along the secondary road, then the main road to the flag.
    canvas.Line(140, 244, 140, 100, 5, RouteBorder);
    canvas.Line(140, 100, 214, 101, 5, RouteBorder);
    canvas.Line(140, 244, 140, 100, 3, Route);
    canvas.Line(140, 100, 214, 101, 3, Route);
    canvas.Line(140, 200, 140, 176, 3, RouteInTraffic);
    canvas.Line(140, 170, 140, 150, 3, SlowTraffic);
    canvas.Line(160, 100, 190, 100, 3, TrafficJam);

    // Flag, waypoint, a point of interest and a speed camera.
    canvas.Line(214, 80, 214, 100, 1, ButtonBorder);
    canvas.FillRect(215, 80, 225, 87, DestinationFlag);
    canvas.Disc(140, 120, 3, Waypoint);
    canvas.Disc(30, 160, 3.5, PointOfInterestMarker);
    canvas.Text(36, 158, "CAFE", PointOfInterestText);
    canvas.Polygon({{150, 228}, {158, 214}, {166, 228}}, SpeedCameraWarning, ButtonBorder);

    canvas.Text(90, 84, "HIGH STREET", StreetNameText, StreetNameOutline);
    canvas.Text(84, 114, "OLDTOWN", CityNameText, CityNameOutline);

    // The car's position: an arrow with its border, pointing up the route.
    canvas.Polygon(
        {{140, 236}, {131, 256}, {140, 251}, {149, 256}}, PositionMarker, PositionMarkerBorder);

    // Compass, scale bar, zoom buttons and the pointer.
    canvas.Disc(222, 242, 13, ButtonBorder);
    canvas.Disc(222, 242, 12, CompassBackground);
    canvas.Polygon({{222, 231}, {218, 243}, {226, 243}}, CompassNeedle);
    canvas.FillRect(6, 254, 56, 257, ScaleBar);
    canvas.FillRect(6, 250, 8, 257, ScaleBar);
    canvas.FillRect(54, 250, 56, 257, ScaleBar);
    canvas.Text(20, 246, "500M", StreetNameText);
    for (int top : {150, 172}) {
        canvas.Box(4, top + 50, 22, top + 68, ButtonFace, ButtonBorder);
        canvas.Line(8, top + 59, 18, top + 59, 1, ButtonText);
        if (top == 150)
            canvas.Line(13, top + 54, 13, top + 64, 1, ButtonText);
    }
    canvas.Line(100, 228, 110, 228, 1, Cursor);
    canvas.Line(105, 223, 105, 233, 1, Cursor);
}

void DrawInfoBar(TCanvas& canvas)
{
    canvas.Clip(0, MapHeight, Width, Height);
    canvas.FillRect(0, MapHeight, Width, Height, InfoBarBackground);
    canvas.FillRect(0, MapHeight, Width, MapHeight + 1, InfoBarSeparator);
    canvas.FillRect(60, MapHeight + 6, 61, Height - 6, InfoBarSeparator);
    canvas.FillRect(64, MapHeight + 29, Width - 4, MapHeight + 30, InfoBarSeparator);

    // The next turn: an arrow bending right.
    canvas.Line(30, 306, 30, 284, 8, NextTurnArrowBorder);
    canvas.Line(30, 284, 42, 284, 8, NextTurnArrowBorder);
    canvas.Polygon({{40, 272}, {54, 284}, {40, 296}}, NextTurnArrowBorder);
    canvas.Line(30, 306, 30, 284, 6, NextTurnArrow);
    canvas.Line(30, 284, 42, 284, 6, NextTurnArrow);
    canvas.Polygon({{42, 275}, {52, 284}, {42, 293}}, NextTurnArrow);
    canvas.Text(14, 310, "200M", InfoBarText);

    canvas.Text(68, MapHeight + 8, "HIGH STREET", InfoBarHighlightText);
    canvas.Text(68, MapHeight + 18, "OLDTOWN", InfoBarText);
    canvas.Text(68, MapHeight + 36, "ETA 12:45", InfoBarText);
    canvas.Text(68, MapHeight + 46, "4.2 KM", InfoBarHighlightText);
    canvas.Text(160, MapHeight + 36, "50", InfoBarText);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.cpf>\n", argv[0]);
        return 2;
    }
    try {
        TCanvas canvas;
        DrawMap(canvas);
        DrawInfoBar(canvas);
        SavePreviewFile(argv[1], canvas.Map());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
