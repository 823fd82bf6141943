#pragma once

#include "editing/CustomColors.h"
#include "editing/PopupGeometry.h"

#include <QString>
#include <QWidget>

#include <cstdint>
#include <optional>

class QImage;

// What the popup shows, as its picker button sets it.
struct TColorPopupOptions
{
    QString CustomText; // the custom button exists only with a text
    QString DefaultText; // the default button exists only with a text
    QString ColorHintText; // hint formats of the custom area; empty means the built-in ones
    QString IntensityHintText;
    bool ShowSystemColors = false;
    int Spacing = 8; // left and right margin; used the next time the layout is computed
    bool ShowHint = true;
    QString Hint; // the picker's own hint, shown over the buttons when HintWanted gives none

    bool operator==(const TColorPopupOptions&) const = default;
};

// The palette popup of a colour picker: a top-most window without caption below its parent
// widget (the picker button), holding the optional default button, the 40-colour grid, the
// optional system colours and the optional custom button with the custom colour area below it.
// All geometry comes from ComputePopupLayout, so painting, hit testing and keys agree. It tells
// its button what happened through its signals.
class TColorPopup : public QWidget
{
    Q_OBJECT

public:
    explicit TColorPopup(QWidget& anchor);

    // Takes new options; a change of texts or system colours recomputes the layout, a change of
    // spacing alone waits for the next layout.
    void SetOptions(const TColorPopupOptions& options);
    const TColorPopupOptions& Options() const { return FOptions; }
    // Recomputes the layout from the options.
    void AdjustWindow();
    // Marks the cell, button or custom cell that shows `color`.
    void SelectColor(std::uint32_t color);
    // Places the popup at its anchor and shows it.
    void ShowAtAnchor();
    // Ends the popup, choosing the selection unless `cancel`.
    void CloseUp(bool cancel);

    const TPopupLayout& Layout() const { return FLayout; }
    int SelectedIndex() const { return FSelectedIndex; }
    int HoverIndex() const { return FHoverIndex; }
    bool IsExpanded() const { return FSelectedIndex == CustomCell; }
    // The custom colour area below the custom button: its cells, choice, intensity and drag.
    const TCustomColorArea& CustomArea() const { return FCustomArea; }

signals:
    // A colour was chosen; CloseRequested follows.
    void Chosen(std::uint32_t color);
    // The popup ends with the default button (or Enter with nothing highlighted), after
    // CloseRequested.
    void DefaultChosen();
    void CloseRequested();
    // The hint of the default button (-3), the custom button (-2) or free space (-1).
    void HintWanted(int cell, QString& hint);
    // The window system hid the popup (deactivation, for instance).
    void Hidden();

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
    QWidget& Anchor() const { return *parentWidget(); }
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

    // The custom colour area (see CustomColors.h).
    bool LocateCustomColor(std::uint32_t color);
    std::optional<std::uint32_t> CustomColor() const;
    void TrackCustomArea(const QPoint& pos, bool press);
    void PaintCustomArea(QPainter& painter);
    QImage CustomAreaImage() const;
    bool ShowCustomAreaHint(const QPoint& pos);

    TColorPopupOptions FOptions;
    TPopupLayout FLayout;
    int FSelectedIndex = NoCell;
    int FHoverIndex = NoCell;
    TCustomColorArea FCustomArea;
    bool FLeftDown = false;
};
