#pragma once

#include "editing/PopupGeometry.h"

#include <QColor>
#include <QWidget>

#include <cstdint>
#include <optional>

class TColorPickerButton;

// The RGB TColor of system colour index 0..24, taken from the application's palette.
std::uint32_t SystemColorRgb(int index);
// A TColor (system colours resolved) as a QColor.
QColor TColorToQColor(std::uint32_t color);

// The palette popup of a TColorPickerButton: a top-most window without caption holding the
// optional default button, the 40-colour grid, the optional system colours and the optional
// custom button with the custom colour area below it. All geometry comes from
// ComputePopupLayout, so painting, hit testing and keys agree.
class TColorPopup : public QWidget
{
    Q_OBJECT

public:
    explicit TColorPopup(TColorPickerButton& owner);

    // Recomputes the layout from the owner's texts, spacing and system colour setting.
    void AdjustWindow();
    // Marks the cell, button or custom cell that shows `color`.
    void SelectColor(std::uint32_t color);
    // Places the popup at its owner and shows it.
    void ShowAtOwner();
    // Ends the popup, applying the selection unless `cancel`.
    void CloseUp(bool cancel);

    const TPopupLayout& Layout() const { return FLayout; }
    int SelectedIndex() const { return FSelectedIndex; }
    int HoverIndex() const { return FHoverIndex; }
    bool IsExpanded() const { return FSelectedIndex == CustomCell; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Where the current left-button drag in the custom area began.
    enum class TDragArea { None, Honeycomb, GreyRow, Slider };

    int CellUnder(const QPoint& pos) const;
    void SetHoverIndex(int cell);
    void SetSelectedIndex(int cell);
    void UpdateCell(int cell);
    void UpdateSize();
    void ShowHintAt(const QPoint& pos, const QPoint& globalPos);
    bool HandleAccelerator(QKeyEvent* event);
    void PaintCell(QPainter& painter, int cell);
    void PaintCellFrame(QPainter& painter, int cell, const QRect& rect);
    void PaintButtonText(QPainter& painter, int cell, const QString& text);
    void PaintPreview(QPainter& painter);
    void PaintEtchedLine(QPainter& painter, int top);

    // The custom colour area; for now it holds no cells, so it finds and offers nothing.
    bool LocateCustomColor(std::uint32_t color);
    std::optional<std::uint32_t> CustomColor() const;
    void TrackCustomArea(const QPoint& pos, Qt::MouseButtons buttons);
    void PaintCustomArea(QPainter& painter);
    bool CustomAreaHint(const QPoint& pos, QString& hint, QRect& area) const;

    TColorPickerButton& FOwner;
    TPopupLayout FLayout;
    int FSelectedIndex = NoCell;
    int FHoverIndex = NoCell;
    int FCustomIndex = 0;
    TDragArea FDragArea = TDragArea::None;
    bool FLeftDown = false;
};
