#include "editing/ColorPickerButton.h"

#include <QMouseEvent>
#include <QPainter>

TColorPickerButton::TColorPickerButton(QWidget* parent)
    : QWidget(parent)
{ }

void TColorPickerButton::SetSelectionColor(std::uint32_t color)
{
    if (color == FSelectionColor)
        return;
    FSelectionColor = color;
    update();
    emit OnChange();
}

void TColorPickerButton::SetCustomText(const QString& text)
{
    FCustomText = text;
}

void TColorPickerButton::SetPopupSpacing(int spacing)
{
    FPopupSpacing = spacing < 0 ? 0 : spacing;
}

void TColorPickerButton::SetShowSystemColors(bool show)
{
    FShowSystemColors = show;
}

void TColorPickerButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const std::uint32_t c = FSelectionColor;
    painter.fillRect(
        rect().adjusted(4, 3, -19, -3), QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
}

void TColorPickerButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (rect().contains(event->position().toPoint()))
        emit OnClick();
}
