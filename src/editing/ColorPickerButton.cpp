#include "editing/ColorPickerButton.h"

#include "editing/ColorPopup.h"
#include "editing/Palette.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>

#include <algorithm>

namespace {

constexpr int SeparatorMargin = 5; // the etched line keeps this far from top and bottom
constexpr int BarLeftInset = 4;
constexpr int BarRightInset = 4;
constexpr int BarVerticalInset = 3;
constexpr int ArrowWidth = 5; // rows of 5, 3 and 1 pixels
constexpr int ArrowHeight = 3;
constexpr int ButtonShadowIndex = 16; // the system colour "button shadow"

void DrawShapedFrame(
    QPainter& painter, QWidget& widget, const QRect& rect, QFrame::Shape shape, bool sunken)
{
    QStyleOptionFrame option;
    option.initFrom(&widget);
    option.rect = rect;
    option.frameShape = shape;
    option.state |= sunken ? QStyle::State_Sunken : QStyle::State_Raised;
    option.lineWidth = 1;
    option.midLineWidth = 0;
    widget.style()->drawControl(QStyle::CE_ShapedFrame, &option, &painter, &widget);
}

} // namespace

TColorPickerButton::TColorPickerButton(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_Hover);
}

void TColorPickerButton::SetSelectionColor(std::uint32_t color)
{
    if (color == FSelectionColor)
        return;
    FSelectionColor = color;
    update();
    if (FDroppedDown)
        Popup().SelectColor(color);
    emit OnChange();
}

void TColorPickerButton::SetDropDownWidth(int width)
{
    if (width == FDropDownWidth)
        return;
    FDropDownWidth = width;
    update();
}

void TColorPickerButton::SetDropDownArrowColor(std::uint32_t color)
{
    if (color == FDropDownArrowColor)
        return;
    FDropDownArrowColor = color;
    update();
}

void TColorPickerButton::SetIndicatorBorder(TIndicatorBorder border)
{
    if (border == FIndicatorBorder)
        return;
    FIndicatorBorder = border;
    update();
}

void TColorPickerButton::SetCustomText(const QString& text)
{
    if (text == FCustomText)
        return;
    FCustomText = text;
    PopupSettingsChanged();
}

void TColorPickerButton::SetDefaultText(const QString& text)
{
    if (text == FDefaultText)
        return;
    FDefaultText = text;
    PopupSettingsChanged();
}

void TColorPickerButton::SetColorHintText(const QString& text)
{
    if (text == FColorHintText)
        return;
    FColorHintText = text;
    PopupSettingsChanged();
}

void TColorPickerButton::SetIntensityHintText(const QString& text)
{
    if (text == FIntensityHintText)
        return;
    FIntensityHintText = text;
    PopupSettingsChanged();
}

void TColorPickerButton::SetShowSystemColors(bool show)
{
    if (show == FShowSystemColors)
        return;
    FShowSystemColors = show;
    PopupSettingsChanged();
}

void TColorPickerButton::SetPopupSpacing(int spacing)
{
    FPopupSpacing = std::max(0, spacing);
    if (FPopup != nullptr)
        FPopup->update();
}

void TColorPickerButton::SetHint(const QString& hint)
{
    FHint = hint;
    setToolTip(FShowHint ? FHint : QString());
}

void TColorPickerButton::SetShowHint(bool show)
{
    FShowHint = show;
    setToolTip(FShowHint ? FHint : QString());
}

void TColorPickerButton::SetDroppedDown(bool open)
{
    // Hiding the popup can report a focus loss or a hide back to us; that is this same change.
    if (open == FDroppedDown || FChangingDrop)
        return;
    bool allowed = true;
    emit OnDropChanging(allowed);
    if (!allowed)
        return;

    FChangingDrop = true;
    FDown = open;
    update();
    if (open) {
        TColorPopup& popup = Popup();
        popup.SelectColor(FSelectionColor);
        popup.ShowAtOwner();
    } else {
        if (FPopup != nullptr)
            FPopup->hide();
        FPressInColorPart = false;
    }
    FChangingDrop = false;
    FDroppedDown = open;
    emit OnDropChanged();
}

QSize TColorPickerButton::sizeHint() const
{
    return {FDropDownWidth + 36, 23};
}

TColorPopup& TColorPickerButton::Popup()
{
    if (FPopup == nullptr) {
        FPopup = new TColorPopup(*this);
        FPopup->AdjustWindow();
    }
    return *FPopup;
}

void TColorPickerButton::PopupSettingsChanged()
{
    if (FPopup != nullptr)
        FPopup->AdjustWindow();
}

void TColorPickerButton::PopupHidden()
{
    // The window system closed the popup (for instance on deactivation): follow it.
    FDroppedDown = false;
    FDown = false;
    FPressInColorPart = false;
    update();
    emit OnDropChanged();
}

QRect TColorPickerButton::ColorBarRect() const
{
    return QRect(BarLeftInset, BarVerticalInset,
        width() - FDropDownWidth - BarLeftInset - BarRightInset, height() - 2 * BarVerticalInset);
}

void TColorPickerButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QStyleOptionButton option;
    option.initFrom(this);
    option.state |= FDown ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &painter, this);

    DrawShapedFrame(painter, *this,
        QRect(width() - FDropDownWidth - 1, SeparatorMargin, 2, height() - 2 * SeparatorMargin),
        QFrame::VLine, true);
    if (isEnabled())
        PaintColorBar(painter);
    PaintArrow(painter);
}

void TColorPickerButton::PaintColorBar(QPainter& painter)
{
    const QRect bar = ColorBarRect();
    const QColor color = TColorToQColor(FSelectionColor);
    switch (FIndicatorBorder) {
    case ibNone:
        painter.fillRect(bar, color);
        break;
    case ibFlat:
        painter.fillRect(bar, color);
        painter.setPen(Qt::black);
        painter.drawRect(bar.adjusted(0, 0, -1, -1));
        break;
    case ibSunken:
    case ibRaised:
        DrawShapedFrame(painter, *this, bar, QFrame::Panel, FIndicatorBorder == ibSunken);
        painter.fillRect(bar.adjusted(1, 1, -1, -1), color);
        break;
    }
}

void TColorPickerButton::PaintArrow(QPainter& painter)
{
    const QColor color = isEnabled() ? TColorToQColor(FDropDownArrowColor)
                                     : TColorToQColor(SystemColorBase + ButtonShadowIndex);
    const int left = width() - FDropDownWidth + (FDropDownWidth - ArrowWidth) / 2;
    const int top = (height() - ArrowHeight) / 2;
    for (int row = 0; row < ArrowHeight; ++row)
        painter.fillRect(QRect(left + row, top + row, ArrowWidth - 2 * row, 1), color);
}

void TColorPickerButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    if (event->position().x() > width() - FDropDownWidth) {
        // The arrow part opens the popup; the press is not tracked, so it never clicks.
        if (!FDroppedDown) {
            update();
            SetDroppedDown(true);
        }
        return;
    }
    FPressInColorPart = true;
    FDown = true;
    update();
}

void TColorPickerButton::mouseMoveEvent(QMouseEvent* event)
{
    if (!FPressInColorPart)
        return;
    const bool inside = rect().contains(event->position().toPoint());
    if (inside != FDown) {
        FDown = inside;
        update();
    }
}

void TColorPickerButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !FPressInColorPart)
        return;
    FPressInColorPart = false;
    FDown = FDroppedDown;
    update();
    if (rect().contains(event->position().toPoint()) && !FDroppedDown)
        emit OnClick();
}
