// The palette popup's custom colour area: tracking the pointer over the honeycomb, the grey row
// and the slider, its hints, and painting it.
#include "editing/ColorPopup.h"

#include "common/UiText.h"
#include "editing/PopupQtGeometry.h"
#include "editing/QtColors.h"

#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <QRegion>
#include <QToolTip>

namespace {

// Qt fills the pixels whose centres lie inside a polygon. Cell centres rounded to whole pixels
// stand up to 10 pixels apart where a hexagon of circumradius 5.5 is 9.5 wide, which would let
// the face colour show through seams between the cells; this much more radius makes them meet.
constexpr double SeamCover = 0.3;

// A hexagon of the custom area around a cell centre. The polygon is centred on the middle of the
// centre's pixel, so the painted cell lies symmetric about the pixel that hit testing measures
// from.
QPolygonF HexagonPolygon(TPopupPoint centre, double radius, QPoint origin)
{
    QPolygonF polygon;
    const QPointF middle(centre.X - origin.x() + 0.5, centre.Y - origin.y() + 0.5);
    for (const TVertex& vertex : HexagonVertices(radius + SeamCover))
        polygon << middle + QPointF(vertex.X, vertex.Y);
    return polygon;
}

} // namespace

bool TColorPopup::LocateCustomColor(std::uint32_t color)
{
    return FCustomArea.LocateCustomColor(color);
}

std::optional<std::uint32_t> TColorPopup::CustomColor() const
{
    return FCustomArea.CustomColor();
}

void TColorPopup::TrackCustomArea(const QPoint& pos, bool press)
{
    // Collapsed, every such point lies outside the area's parts, so a press there drops the
    // custom choice as a press on the area's empty space does.
    const TPopupPoint point = ToPopupPoint(pos);
    const TCustomRepaint changed = press ? FCustomArea.Press(point) : FCustomArea.Move(point);
    QRegion region;
    for (const TPopupRect& rect : FCustomArea.RepaintRects(changed))
        region += ToQRect(rect);
    // At once, so that a slider drag shows every intensity it passes.
    if (!region.isEmpty())
        repaint(region);
    // Qt offers no hints while a button is held; during a drag the hint follows the pointer and
    // names the intensity or the colour a release would choose.
    if (FOptions.ShowHint && FCustomArea.DragArea() != TCustomDragArea::None)
        ShowCustomAreaHint(pos);
}

bool TColorPopup::ShowCustomAreaHint(const QPoint& pos)
{
    if (!IsExpanded())
        return false;
    // Hint formats come from language files; FormatIntegerHint falls back on the built-in
    // formats for any it cannot fill safely.
    const std::optional<TCustomHint> hint = FCustomArea.HintAt(ToPopupPoint(pos), FLeftDown,
        ToWindows1252(FOptions.ColorHintText), ToWindows1252(FOptions.IntensityHintText));
    if (!hint)
        return false;
    QToolTip::showText(mapToGlobal(ToQPoint(hint->Position)),
        AsPlainText(FromWindows1252(hint->Text)), this, ToQRect(hint->Area), hint->Timeout);
    return true;
}

void TColorPopup::PaintCustomArea(QPainter& painter)
{
    const TPopupRect& bounds = FCustomArea.Geometry().Bounds;
    painter.drawImage(QPoint(bounds.Left, bounds.Top), CustomAreaImage());
}

QImage TColorPopup::CustomAreaImage() const
{
    const TCustomAreaGeometry& geometry = FCustomArea.Geometry();
    const QPoint origin(geometry.Bounds.Left, geometry.Bounds.Top);
    const qreal ratio = devicePixelRatioF();
    QImage image(ToQRect(geometry.Bounds).size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(palette().color(QPalette::Button));

    QPainter painter(&image);
    // Without antialiasing every pixel of a cell is exactly the cell's colour.
    painter.setRenderHint(QPainter::Antialiasing, false);
    const int chosen = FCustomArea.CustomIndex();
    // Draws the cells of one part in array order, then outlines the chosen one if it is theirs.
    const auto paintCells = [&](int count, int sign) {
        painter.setPen(Qt::NoPen);
        for (int k = 0; k < count; ++k)
            if (const std::optional<TCustomHexagon> hexagon = FCustomArea.Hexagon(sign * (k + 1))) {
                painter.setBrush(TColorToQColor(hexagon->Color));
                painter.drawPolygon(HexagonPolygon(hexagon->Centre, hexagon->Radius, origin));
            }
        if (chosen == 0 || (chosen > 0) != (sign > 0))
            return;
        if (const std::optional<TCustomHexagon> hexagon = FCustomArea.Hexagon(chosen)) {
            // Exclusive-or keeps the outline visible on white and black cells alike.
            painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            painter.setPen(QPen(Qt::white, 2));
            painter.setBrush(Qt::NoBrush);
            painter.drawPolygon(HexagonPolygon(hexagon->Centre, hexagon->Radius, origin));
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        }
    };
    paintCells(HoneycombCellCount, 1);
    paintCells(GreyCellCount, -1);

    // The bar has one row per pixel of the slider's height, white at the top, black at the
    // bottom.
    const TPopupRect& slider = geometry.Slider;
    const int h = slider.Height() - 1;
    for (int row = 0; row <= h; ++row) {
        const int grey = SliderBarGrey(row, h);
        painter.fillRect(
            QRect(slider.Left - origin.x(), slider.Top + row - origin.y(), SliderBarWidth, 1),
            QColor(grey, grey, grey));
    }
    // The marker: a black triangle 5 pixels long and 7 tall, its tip pointing left at the bar.
    const QPoint tip = ToQPoint(FCustomArea.MarkerTip()) - origin;
    for (int column = 0; column < 5; ++column) {
        const int half = (column * 3 + 2) / 4;
        painter.fillRect(QRect(tip.x() + column, tip.y() - half, 1, 2 * half + 1), Qt::black);
    }
    return image;
}
