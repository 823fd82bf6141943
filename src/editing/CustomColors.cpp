#include "editing/CustomColors.h"

#include "editing/HintFormat.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// R = columns x cell size x 7 / 16, truncated: 63.
constexpr int LaidOutRadius = PopupColumns * PopupCellSize * 7 / 16;
// The marker is 7 rows tall around its tip, so it reaches 3 rows past either end of the bar.
constexpr int MarkerHalfHeight = 3;
constexpr int MarkerTipOffset = 11; // from the bar's left
constexpr int HintAbovePointer = 8;

const long double Cos30 = std::cos(std::numbers::pi_v<long double> / 6);
constexpr long double Sin30 = 0.5L;

struct TVector
{
    long double X;
    long double Y;
};

// Unit vectors (sin, cos) of 90 - 60 d degrees for the six directions d, with y growing
// downward: right, down-right, down-left, left, up-left, up-right. Written out from sin 30 and
// cos 30 so that the honeycomb comes out symmetric.
const TVector Directions[6] = {
    {1, 0},
    {Sin30, Cos30},
    {-Sin30, Cos30},
    {-1, 0},
    {-Sin30, -Cos30},
    {Sin30, -Cos30},
};

// Magenta, red, yellow, green, cyan, blue: the corner colours of the six directions.
constexpr TFloatColor Corners[6] = {
    {1, 0, 1},
    {1, 0, 0},
    {1, 1, 0},
    {0, 1, 0},
    {0, 1, 1},
    {0, 0, 1},
};

constexpr int WhiteCell = 0;
constexpr int BlackCell = GreyCellCount - 1;

TFloatColor operator+(const TFloatColor& a, const TFloatColor& b)
{
    return {a.Red + b.Red, a.Green + b.Green, a.Blue + b.Blue};
}

TFloatColor operator-(const TFloatColor& a, const TFloatColor& b)
{
    return {a.Red - b.Red, a.Green - b.Green, a.Blue - b.Blue};
}

TFloatColor operator/(const TFloatColor& a, float divisor)
{
    return {a.Red / divisor, a.Green / divisor, a.Blue / divisor};
}

// Positions round to whole pixels, ties to even (the current rounding mode's default).
int RoundPixel(long double value)
{
    return static_cast<int>(std::nearbyint(value));
}

// S = R / (levels - 1) + 0.5, rounded: 11 for R = 63.
int HexagonSizeFor(int radius)
{
    return RoundPixel(static_cast<long double>(radius) / (HoneycombLevels - 1) + 0.5L);
}

// The grey row's horizontal step h and the lower cells' extra depth v.
int GreyStep(int hexagonSize)
{
    return RoundPixel(hexagonSize * Cos30 / 2);
}

int GreyDrop(int hexagonSize)
{
    return RoundPixel((Sin30 + 1) * hexagonSize / 2);
}

std::uint32_t GreyColor(int level)
{
    const auto byte = static_cast<std::uint32_t>(level);
    return byte | byte << 8 | byte << 16;
}

double CellRadius(int customIndex, int hexagonSize)
{
    const bool endCell = customIndex == -WhiteCell - 1 || customIndex == -BlackCell - 1;
    return endCell ? hexagonSize : hexagonSize / 2.0;
}

bool Hits(int dx, int dy, double radius)
{
    return static_cast<double>(dx * dx + dy * dy) <= radius * radius;
}

TPopupRect PointRect(TPopupPoint point)
{
    return {point.X, point.Y, point.X + 1, point.Y + 1};
}

TPopupRect Union(const TPopupRect& a, const TPopupRect& b)
{
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
        std::max(a.Bottom, b.Bottom)};
}

// Ties to even, as for every other rounding of this area, in exact integers.
int RoundedQuotient(int numerator, int denominator)
{
    const int quotient = numerator / denominator;
    const int twiceRest = 2 * (numerator % denominator);
    if (twiceRest > denominator || (twiceRest == denominator && quotient % 2 != 0))
        return quotient + 1;
    return quotient;
}

} // namespace

std::uint8_t ComponentByte(float component)
{
    // The product of a float and 255 is exact in a double, so only the final rounding counts.
    const double scaled = std::nearbyint(static_cast<double>(component) * 255);
    return static_cast<std::uint8_t>(static_cast<long long>(scaled) & 0xFF);
}

std::uint32_t FloatColorToTColor(const TFloatColor& color)
{
    return std::uint32_t(ComponentByte(color.Red)) | std::uint32_t(ComponentByte(color.Green)) << 8
        | std::uint32_t(ComponentByte(color.Blue)) << 16;
}

std::vector<TCustomCell> BuildHoneycomb(const TFloatColor& centre, int radius)
{
    constexpr int rings = HoneycombLevels - 1;
    const long double ringDistance = 2 * radius * Cos30 * 0.5L / rings;

    std::vector<TCustomCell> cells;
    cells.reserve(HoneycombCellCount);
    cells.push_back({0, 0, FloatColorToTColor(centre)});
    for (int d = 0; d < 6; ++d) {
        const int next = (d + 1) % 6;
        // The colours stay in single precision and are accumulated ring by ring and cell by
        // cell: that is what makes ring 3 of the red direction FF7F7F rather than FF8080.
        const TFloatColor ringStep = (Corners[d] - centre) / float(rings);
        const TFloatColor nextRingStep = (Corners[next] - centre) / float(rings);
        TFloatColor ringStart = centre;
        TFloatColor ringEnd = centre;
        for (int n = 1; n <= rings; ++n) {
            ringStart = ringStart + ringStep;
            ringEnd = ringEnd + nextRingStep;
            const TFloatColor cellStep = (ringEnd - ringStart) / float(n);

            const long double distance = n * ringDistance;
            long double x = distance * Directions[d].X;
            long double y = distance * Directions[d].Y;
            const long double stepX = (distance * Directions[next].X - x) / n;
            const long double stepY = (distance * Directions[next].Y - y) / n;
            TFloatColor color = ringStart;
            // n cells from this direction's point towards the next one's, which is not reached:
            // it is the next direction's first cell.
            for (int i = 0; i < n; ++i) {
                cells.push_back({RoundPixel(x), RoundPixel(y), FloatColorToTColor(color)});
                color = color + cellStep;
                x += stepX;
                y += stepY;
            }
        }
    }
    return cells;
}

std::vector<TCustomCell> BuildGreyRow(int hexagonSize)
{
    const int s = hexagonSize;
    const int h = GreyStep(s);
    const int upper = (s / 4) * 3;
    const int lower = upper + GreyDrop(s);

    std::vector<TCustomCell> cells;
    cells.reserve(GreyCellCount);
    cells.push_back({s, s, GreyColor(255)});
    // 225 down to 15 in steps of 15: there is no 240.
    for (int k = 1; k < BlackCell; ++k)
        cells.push_back(
            {3 * s + (k - 1) * h, k % 2 != 0 ? upper : lower, GreyColor((16 - k) * 15)});
    cells.push_back({16 * h + 3 * s + s, s, GreyColor(0)});
    return cells;
}

TCustomAreaGeometry PlaceCustomArea(TPopupPoint topLeft)
{
    TCustomAreaGeometry geometry;
    const int r = geometry.Radius = LaidOutRadius;
    const int s = geometry.HexagonSize = HexagonSizeFor(r);
    const int left = topLeft.X;
    const int top = topLeft.Y;

    geometry.Honeycomb = {left, top, left + 2 * r, top + 2 * r};

    // The grey row's right end is counted from the popup's left edge, which fits the usual
    // spacing; with a wider spacing the row still takes in the whole black cell, or part of it
    // could be neither painted nor picked.
    const int rightFromPopupEdge = RoundPixel(s * 17 * Cos30 / 2) + 6 * s;
    const int blackCellEnd = left + 16 * GreyStep(s) + 4 * s + s + 1;
    geometry.GreyRow = {left, geometry.Honeycomb.Bottom - 4,
        std::max(rightFromPopupEdge, blackCellEnd), geometry.Honeycomb.Bottom + 2 * s};

    geometry.Slider = {geometry.Honeycomb.Right, top + s, geometry.Honeycomb.Right + SliderWidth,
        geometry.Honeycomb.Bottom - s};
    geometry.SliderBand = {geometry.Slider.Left, geometry.Slider.Top - MarkerHalfHeight,
        geometry.Slider.Right, geometry.Slider.Bottom + MarkerHalfHeight};

    geometry.Bounds = Union(Union(geometry.Honeycomb, geometry.GreyRow), geometry.SliderBand);
    return geometry;
}

TCustomAreaGeometry CustomAreaGeometry(const TPopupLayout& layout)
{
    if (layout.CustomArea.IsEmpty()) {
        TCustomAreaGeometry geometry;
        geometry.Radius = LaidOutRadius;
        geometry.HexagonSize = HexagonSizeFor(LaidOutRadius);
        return geometry;
    }
    return PlaceCustomArea({layout.CustomArea.Left, layout.CustomArea.Top});
}

std::array<TVertex, 6> HexagonVertices(double circumradius)
{
    const double c = static_cast<double>(Cos30) * circumradius;
    const double s = static_cast<double>(Sin30) * circumradius;
    // 90, 30, -30, -90, -150 and -210 degrees.
    return {{{0, circumradius}, {c, s}, {c, -s}, {0, -circumradius}, {-c, -s}, {-c, s}}};
}

int SliderBarGrey(int row, int h)
{
    if (h <= 0)
        return 255;
    row = std::clamp(row, 0, h);
    return RoundedQuotient((h - row) * 255, h);
}

int SliderMarkerRow(float intensity, int h)
{
    return RoundPixel((1 - static_cast<long double>(intensity)) * h);
}

TCustomColorArea::TCustomColorArea()
{
    BuildCustomCells();
}

void TCustomColorArea::SetLayout(const TPopupLayout& layout)
{
    FGeometry = CustomAreaGeometry(layout);
    FPreviewSquare = layout.PreviewSquare;
    BuildCustomCells();
}

void TCustomColorArea::BuildCustomCells()
{
    FHoneycomb = BuildHoneycomb(FCentreColor, FGeometry.Radius);
    FGreyRow = BuildGreyRow(FGeometry.HexagonSize);
}

TPopupPoint TCustomColorArea::HoneycombCentre() const
{
    return {
        FGeometry.Honeycomb.Left + FGeometry.Radius, FGeometry.Honeycomb.Top + FGeometry.Radius};
}

std::optional<TCustomHexagon> TCustomColorArea::Hexagon(int customIndex) const
{
    if (customIndex > 0 && customIndex <= static_cast<int>(FHoneycomb.size())) {
        const TCustomCell& cell = FHoneycomb[static_cast<std::size_t>(customIndex - 1)];
        const TPopupPoint centre = HoneycombCentre();
        return TCustomHexagon {{centre.X + cell.X, centre.Y + cell.Y},
            CellRadius(customIndex, FGeometry.HexagonSize), cell.Color};
    }
    if (customIndex < 0 && -customIndex <= static_cast<int>(FGreyRow.size())) {
        const TCustomCell& cell = FGreyRow[static_cast<std::size_t>(-customIndex - 1)];
        return TCustomHexagon {{FGeometry.GreyRow.Left + cell.X, FGeometry.GreyRow.Top + cell.Y},
            CellRadius(customIndex, FGeometry.HexagonSize), cell.Color};
    }
    return std::nullopt;
}

int TCustomColorArea::HoneycombCellAt(TPopupPoint point) const
{
    const TPopupPoint centre = HoneycombCentre();
    const double radius = FGeometry.HexagonSize / 2.0;
    for (std::size_t k = 0; k < FHoneycomb.size(); ++k)
        if (Hits(
                point.X - centre.X - FHoneycomb[k].X, point.Y - centre.Y - FHoneycomb[k].Y, radius))
            return static_cast<int>(k);
    return -1;
}

int TCustomColorArea::GreyCellAt(TPopupPoint point) const
{
    const int dx = point.X - FGeometry.GreyRow.Left;
    const int dy = point.Y - FGeometry.GreyRow.Top;
    for (std::size_t k = 0; k < FGreyRow.size(); ++k) {
        const int index = -static_cast<int>(k) - 1;
        if (Hits(dx - FGreyRow[k].X, dy - FGreyRow[k].Y, CellRadius(index, FGeometry.HexagonSize)))
            return static_cast<int>(k);
    }
    return -1;
}

int TCustomColorArea::CustomIndexAt(TPopupPoint point) const
{
    if (FGeometry.GreyRow.Contains(point))
        if (const int cell = GreyCellAt(point); cell >= 0)
            return -cell - 1;
    if (FGeometry.Honeycomb.Contains(point))
        if (const int cell = HoneycombCellAt(point); cell >= 0)
            return cell + 1;
    return 0;
}

bool TCustomColorArea::LocateCustomColor(std::uint32_t color)
{
    FCustomIndex = 0;
    // The grey row comes first, so white is grey cell 0 rather than the honeycomb's centre.
    for (std::size_t k = 0; k < FGreyRow.size(); ++k)
        if (FGreyRow[k].Color == color) {
            FCustomIndex = -static_cast<int>(k) - 1;
            return true;
        }
    for (std::size_t k = 0; k < FHoneycomb.size(); ++k)
        if (FHoneycomb[k].Color == color) {
            FCustomIndex = static_cast<int>(k) + 1;
            return true;
        }
    return false;
}

std::optional<std::uint32_t> TCustomColorArea::CustomColor() const
{
    if (const std::optional<TCustomHexagon> hexagon = Hexagon(FCustomIndex))
        return hexagon->Color;
    return std::nullopt;
}

TCustomRepaint TCustomColorArea::Press(TPopupPoint point)
{
    // A press starts a new drag, even if the release of the last one never arrived.
    FDragArea = TCustomDragArea::None;
    return Track(point);
}

TCustomRepaint TCustomColorArea::Move(TPopupPoint point)
{
    return Track(point);
}

TCustomDragArea TCustomColorArea::Release()
{
    const TCustomDragArea ended = FDragArea;
    FDragArea = TCustomDragArea::None;
    return ended;
}

TCustomRepaint TCustomColorArea::Track(TPopupPoint point)
{
    TCustomRepaint repaint;
    if (TrackSlider(point, repaint) || TrackGreyRow(point, repaint)
        || TrackHoneycomb(point, repaint))
        return repaint;
    // Nothing took the point: the choice is dropped.
    repaint.Honeycomb = FCustomIndex > 0;
    repaint.GreyRow = FCustomIndex < 0;
    repaint.PreviewSquare = true;
    FCustomIndex = 0;
    return repaint;
}

bool TCustomColorArea::TrackSlider(TPopupPoint point, TCustomRepaint& repaint)
{
    const TPopupRect& slider = FGeometry.Slider;
    // Once a slider drag runs, it follows the pointer's height anywhere above or below the
    // slider, as long as the pointer stays within the slider's width.
    const bool takes = FDragArea == TCustomDragArea::None
        ? slider.Contains(point)
        : FDragArea == TCustomDragArea::Slider && point.X >= slider.Left && point.X < slider.Right;
    if (!takes)
        return false;
    FDragArea = TCustomDragArea::Slider;

    const long double fromTop = static_cast<long double>(point.Y - slider.Top) / slider.Height();
    const float intensity = std::clamp(static_cast<float>(1 - fromTop), 0.0f, 1.0f);
    if (intensity != FIntensity) {
        FIntensity = intensity;
        FCentreColor = {intensity, intensity, intensity};
        BuildCustomCells();
    }
    repaint.SliderBand = true;
    repaint.Honeycomb = true;
    repaint.PreviewSquare = true;
    return true;
}

bool TCustomColorArea::TrackGreyRow(TPopupPoint point, TCustomRepaint& repaint)
{
    if (!FGeometry.GreyRow.Contains(point)
        || (FDragArea != TCustomDragArea::None && FDragArea != TCustomDragArea::GreyRow))
        return false;
    // The drag belongs to the grey row from here on, even where no cell is hit.
    FDragArea = TCustomDragArea::GreyRow;
    const int cell = GreyCellAt(point);
    if (cell < 0)
        return false;
    if (FCustomIndex > 0)
        repaint.Honeycomb = true; // its outline goes
    const int index = -cell - 1;
    if (index != FCustomIndex) {
        FCustomIndex = index;
        repaint.GreyRow = true;
        repaint.PreviewSquare = true;
    }
    return true;
}

bool TCustomColorArea::TrackHoneycomb(TPopupPoint point, TCustomRepaint& repaint)
{
    if (!FGeometry.Honeycomb.Contains(point)
        || (FDragArea != TCustomDragArea::None && FDragArea != TCustomDragArea::Honeycomb))
        return false;
    FDragArea = TCustomDragArea::Honeycomb;
    const int cell = HoneycombCellAt(point);
    if (cell < 0)
        return false;
    if (FCustomIndex < 0)
        repaint.GreyRow = true; // its outline goes
    const int index = cell + 1;
    if (index != FCustomIndex) {
        FCustomIndex = index;
        repaint.Honeycomb = true;
        repaint.PreviewSquare = true;
    }
    return true;
}

std::optional<TCustomHint> TCustomColorArea::HintAt(
    TPopupPoint point, bool leftDown, TAnsiView colorFormat, TAnsiView intensityFormat) const
{
    if (FGeometry.Slider.Contains(point)) {
        const int percent[] = {static_cast<int>(std::nearbyint(double(FIntensity) * 100))};
        return TCustomHint {FormatIntegerHint(intensityFormat, percent, BuiltInIntensityHint),
            {FGeometry.Slider.Right, point.Y - HintAbovePointer}, PointRect(point)};
    }
    int index = CustomIndexAt(point);
    if (index == 0)
        return std::nullopt;
    // During a drag the hint names the colour that a release would pick.
    if (leftDown)
        index = FCustomIndex;
    const std::optional<TCustomHexagon> hexagon = Hexagon(index);
    if (!hexagon)
        return std::nullopt;
    const int rgb[]
        = {static_cast<int>(hexagon->Color & 0xFF), static_cast<int>(hexagon->Color >> 8 & 0xFF),
            static_cast<int>(hexagon->Color >> 16 & 0xFF)};
    return TCustomHint {
        FormatIntegerHint(colorFormat, rgb, BuiltInColorHint), point, PointRect(point)};
}

std::vector<TPopupRect> TCustomColorArea::RepaintRects(const TCustomRepaint& repaint) const
{
    std::vector<TPopupRect> rects;
    if (repaint.SliderBand)
        rects.push_back(FGeometry.SliderBand);
    if (repaint.Honeycomb)
        rects.push_back(FGeometry.Honeycomb);
    if (repaint.GreyRow)
        rects.push_back(FGeometry.GreyRow);
    if (repaint.PreviewSquare)
        rects.push_back(FPreviewSquare);
    std::erase_if(rects, [](const TPopupRect& rect) { return rect.IsEmpty(); });
    return rects;
}

TPopupPoint TCustomColorArea::MarkerTip() const
{
    const TPopupRect& slider = FGeometry.Slider;
    return {slider.Left + MarkerTipOffset,
        slider.Top + SliderMarkerRow(FIntensity, std::max(0, slider.Height() - 1))};
}
