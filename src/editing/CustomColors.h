#pragma once

#include "common/AnsiString.h"
#include "editing/PopupGeometry.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// The custom colour area of the palette popup, shown below the custom button while the popup is
// expanded: a honeycomb of 127 hexagons spanning the colour hexagon around a grey centre, a row of
// 17 grey hexagons, and an intensity slider that sets how bright the honeycomb's centre is. The
// rules live here; the popup paints what they give and hands them its mouse input.

inline constexpr int HoneycombLevels = 7; // the centre and six rings
inline constexpr int HoneycombCellCount = 127;
inline constexpr int GreyCellCount = 17;
inline constexpr int SliderWidth = 20;
inline constexpr int SliderBarWidth = 10;
inline constexpr int CustomHintTimeout = 5000; // milliseconds

// A colour with components 0..1, in single precision: the honeycomb's colours are accumulated in
// it, and its rounding decides some of their bytes.
struct TFloatColor
{
    float Red = 0;
    float Green = 0;
    float Blue = 0;
};

// One hexagon: its centre in whole pixels (a honeycomb cell's relative to the centre of the
// honeycomb square, a grey cell's relative to the grey row's top-left) and its TColor.
struct TCustomCell
{
    int X = 0;
    int Y = 0;
    std::uint32_t Color = 0;
    bool operator==(const TCustomCell&) const = default;
};

// A component as a byte: component x 255 rounded to nearest, ties to even, low 8 bits kept.
std::uint8_t ComponentByte(float component);
std::uint32_t FloatColorToTColor(const TFloatColor& color);

// The 127 honeycomb cells for a centre colour and a honeycomb radius R, in ring order: the centre,
// then for each of the six directions (right, down-right, down-left, left, up-left, up-right) its
// rings 1 to 6, each ring running from that direction towards the next one.
std::vector<TCustomCell> BuildHoneycomb(const TFloatColor& centre, int radius);
// The 17 grey cells from white to black (255, 225, 210, ..., 15, 0) for a hexagon size S.
std::vector<TCustomCell> BuildGreyRow(int hexagonSize);

// Where the parts of the area lie, in popup coordinates. Rectangles exclude their right and bottom
// edges.
struct TCustomAreaGeometry
{
    int Radius = 66; // R, the honeycomb's radius; 66 until the popup is laid out
    int HexagonSize = 11; // S; a hexagon's circumradius is S / 2, an end grey cell's S
    TPopupRect Honeycomb; // the square of side 2 R around the honeycomb
    TPopupRect GreyRow;
    TPopupRect Slider;
    TPopupRect SliderBand; // the slider with the marker's overhang above and below it
    TPopupRect Bounds; // all of the above

    bool operator==(const TCustomAreaGeometry&) const = default;
};

// The area laid out with the honeycomb square's top-left at `topLeft`.
TCustomAreaGeometry PlaceCustomArea(TPopupPoint topLeft);
// The area of a popup layout (at its CustomArea); empty rectangles without a custom button.
TCustomAreaGeometry CustomAreaGeometry(const TPopupLayout& layout);

struct TVertex
{
    double X = 0;
    double Y = 0;
};

// A hexagon's corners relative to its centre, points at the bottom and top: at 90, 30, -30, -90,
// -150 and -210 degrees, x = cos and y = sin (y grows downward).
std::array<TVertex, 6> HexagonVertices(double circumradius);

// The slider's bar has h + 1 rows; row 0 (the top) is white and row h black.
int SliderBarGrey(int row, int h);
// The bar row that the marker's tip points at for an intensity 0..1.
int SliderMarkerRow(float intensity, int h);

// Where the current left-button drag began.
enum class TCustomDragArea { None, Honeycomb, GreyRow, Slider };

// The parts a mouse event changed, to be repainted at once.
struct TCustomRepaint
{
    bool SliderBand = false; // the slider with its marker
    bool Honeycomb = false;
    bool GreyRow = false;
    bool PreviewSquare = false; // the custom choice's square in the custom button

    bool Any() const { return SliderBand || Honeycomb || GreyRow || PreviewSquare; }
    bool operator==(const TCustomRepaint&) const = default;
};

// A hint over the area, in popup coordinates.
struct TCustomHint
{
    TAnsiString Text;
    TPopupPoint Position; // where the hint is shown
    TPopupRect Area; // the hint is asked for again once the pointer leaves this
    int Timeout = CustomHintTimeout;
};

// A hexagon as it is painted and hit, in popup coordinates.
struct TCustomHexagon
{
    TPopupPoint Centre;
    double Radius = 0; // circumradius
    std::uint32_t Color = 0;
};

// The state of one popup's custom area, which lasts as long as the popup: the intensity with the
// centre colour, the cells, the custom choice and the running drag. Choices are numbered as the
// popup's FCustomIndex: 0 for none, k + 1 for honeycomb cell k, -k - 1 for grey cell k.
class TCustomColorArea
{
public:
    TCustomColorArea();

    // Places the area for a new popup layout. The cells are placed again; the choice stays.
    void SetLayout(const TPopupLayout& layout);
    const TCustomAreaGeometry& Geometry() const { return FGeometry; }

    float Intensity() const { return FIntensity; }
    const TFloatColor& CentreColor() const { return FCentreColor; }
    int CustomIndex() const { return FCustomIndex; }
    TCustomDragArea DragArea() const { return FDragArea; }
    const std::vector<TCustomCell>& HoneycombCells() const { return FHoneycomb; }
    const std::vector<TCustomCell>& GreyCells() const { return FGreyRow; }

    // The hexagon of a choice number; nothing for 0 or a number out of range.
    std::optional<TCustomHexagon> Hexagon(int customIndex) const;
    // The choice number of the hexagon under a point (grey row first, first cell in array order);
    // 0 for none.
    int CustomIndexAt(TPopupPoint point) const;

    // Makes the cell of exactly `color` the choice, looking in the grey row first, then in the
    // honeycomb at the current intensity. Without a match the choice is cleared and false returned.
    bool LocateCustomColor(std::uint32_t color);
    // The chosen cell's TColor; nothing without a choice.
    std::optional<std::uint32_t> CustomColor() const;

    // The left button went down at a point over no grid cell or button of the popup: a new drag.
    TCustomRepaint Press(TPopupPoint point);
    // The pointer moved, with the left button down, to a point over no grid cell or button.
    TCustomRepaint Move(TPopupPoint point);
    // The left button went up: ends the drag and gives the area it was in.
    TCustomDragArea Release();

    // The hint for a point over the slider (the intensity in percent) or over a hexagon (its red,
    // green and blue; while the left button is down, those of the chosen hexagon). Empty formats
    // mean the built-in ones.
    std::optional<TCustomHint> HintAt(
        TPopupPoint point, bool leftDown, TAnsiView colorFormat, TAnsiView intensityFormat) const;

    // The popup rectangles behind a repaint set.
    std::vector<TPopupRect> RepaintRects(const TCustomRepaint& repaint) const;
    // The marker's tip: right of the bar, at the row of the current intensity.
    TPopupPoint MarkerTip() const;

private:
    void BuildCustomCells();
    TPopupPoint HoneycombCentre() const;
    int HoneycombCellAt(TPopupPoint point) const;
    int GreyCellAt(TPopupPoint point) const;
    TCustomRepaint Track(TPopupPoint point);
    bool TrackSlider(TPopupPoint point, TCustomRepaint& repaint);
    bool TrackGreyRow(TPopupPoint point, TCustomRepaint& repaint);
    bool TrackHoneycomb(TPopupPoint point, TCustomRepaint& repaint);

    TCustomAreaGeometry FGeometry;
    TPopupRect FPreviewSquare;
    float FIntensity = 1;
    TFloatColor FCentreColor {1, 1, 1};
    std::vector<TCustomCell> FHoneycomb;
    std::vector<TCustomCell> FGreyRow;
    int FCustomIndex = 0;
    TCustomDragArea FDragArea = TCustomDragArea::None;
};
