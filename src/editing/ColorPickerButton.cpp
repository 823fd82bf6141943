#include "editing/ColorPickerButton.h"

#include "common/UiText.h"
#include "editing/ColorPopup.h"
#include "editing/Palette.h"
#include "editing/PickerGeometry.h"
#include "editing/PopupQtGeometry.h"
#include "editing/QtColors.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStyleOptionFrame>

#include <algorithm>

namespace {

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
    setFocusPolicy(Qt::StrongFocus);
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
    PopupSettingsChanged();
}

void TColorPickerButton::SetHint(const QString& hint)
{
    FHint = hint;
    setToolTip(FShowHint ? AsPlainText(FHint) : QString());
    PopupSettingsChanged();
}

void TColorPickerButton::SetShowHint(bool show)
{
    FShowHint = show;
    setToolTip(FShowHint ? AsPlainText(FHint) : QString());
    PopupSettingsChanged();
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
        popup.ShowAtAnchor();
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
        FPopup->SetOptions(PopupOptions());
        FPopup->AdjustWindow();
        connect(FPopup, &TColorPopup::Chosen, this, &TColorPickerButton::SetSelectionColor);
        connect(FPopup, &TColorPopup::CloseRequested, this, [this] { SetDroppedDown(false); });
        connect(FPopup, &TColorPopup::DefaultChosen, this, &TColorPickerButton::OnDefaultSelect);
        connect(FPopup, &TColorPopup::HintWanted, this, &TColorPickerButton::OnHint);
        connect(FPopup, &TColorPopup::Hidden, this, &TColorPickerButton::PopupHidden);
    }
    return *FPopup;
}

TColorPopupOptions TColorPickerButton::PopupOptions() const
{
    TColorPopupOptions options;
    options.CustomText = FCustomText;
    options.DefaultText = FDefaultText;
    options.ColorHintText = FColorHintText;
    options.IntensityHintText = FIntensityHintText;
    options.ShowSystemColors = FShowSystemColors;
    options.Spacing = FPopupSpacing;
    options.ShowHint = FShowHint;
    options.Hint = FHint;
    return options;
}

void TColorPickerButton::PopupSettingsChanged()
{
    if (FPopup != nullptr)
        FPopup->SetOptions(PopupOptions());
}

void TColorPickerButton::PopupHidden()
{
    // Our own close hides the popup too; only a hide by the window system needs following.
    if (!FDroppedDown || FChangingDrop)
        return;
    // The window system closed the popup (for instance on deactivation): follow it.
    FDroppedDown = false;
    FDown = false;
    FPressInColorPart = false;
    update();
    emit OnDropChanged();
}

void TColorPickerButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QStyleOptionButton option;
    option.initFrom(this);
    option.state |= FDown ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &painter, this);

    const TPickerButtonGeometry geometry = PickerButtonGeometry(width(), height(), FDropDownWidth);
    DrawShapedFrame(painter, *this, ToQRect(geometry.Separator), QFrame::VLine, true);
    if (isEnabled())
        PaintColorBar(painter, ToQRect(geometry.ColorBar));
    PaintArrow(painter);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = ToQRect(geometry.ColorPart).adjusted(2, 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void TColorPickerButton::PaintColorBar(QPainter& painter, const QRect& bar)
{
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
    const TPopupPoint arrow = PickerButtonGeometry(width(), height(), FDropDownWidth).ArrowTopLeft;
    for (int row = 0; row < PickerArrowHeight; ++row)
        painter.fillRect(QRect(arrow.X + row, arrow.Y + row, PickerArrowWidth - 2 * row, 1), color);
}

void TColorPickerButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    if (IsArrowPartPress(event->position().toPoint().x(), width(), FDropDownWidth)) {
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

void TColorPickerButton::keyPressEvent(QKeyEvent* event)
{
    const bool openKey = event->key() == Qt::Key_F4
        || (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier));
    const bool clickKey = event->modifiers() == Qt::NoModifier
        && (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return
            || event->key() == Qt::Key_Enter);
    if (openKey) {
        SetDroppedDown(true);
    } else if (clickKey) {
        if (!FDroppedDown)
            emit OnClick();
    } else {
        QWidget::keyPressEvent(event);
    }
}

void TColorPickerButton::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void TColorPickerButton::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}
