#include "editing/QtColors.h"

#include "editing/Palette.h"

#include <QGuiApplication>
#include <QPalette>

#include <array>
#include <utility>

namespace {

// What each system colour index stands for in a Qt palette.
constexpr std::array<std::pair<QPalette::ColorGroup, QPalette::ColorRole>, SystemColorCount>
    SystemColorRoles = {{
        {QPalette::Active, QPalette::Button}, // scroll bar
        {QPalette::Active, QPalette::Dark}, // background (desktop)
        {QPalette::Active, QPalette::Highlight}, // active caption
        {QPalette::Inactive, QPalette::Highlight}, // inactive caption
        {QPalette::Active, QPalette::Window}, // menu
        {QPalette::Active, QPalette::Base}, // window
        {QPalette::Active, QPalette::Shadow}, // window frame
        {QPalette::Active, QPalette::WindowText}, // menu text
        {QPalette::Active, QPalette::Text}, // window text
        {QPalette::Active, QPalette::HighlightedText}, // caption text
        {QPalette::Active, QPalette::Button}, // active border
        {QPalette::Inactive, QPalette::Button}, // inactive border
        {QPalette::Active, QPalette::Mid}, // application workspace
        {QPalette::Active, QPalette::Highlight}, // highlight
        {QPalette::Active, QPalette::HighlightedText}, // highlight text
        {QPalette::Active, QPalette::Button}, // button face
        {QPalette::Active, QPalette::Dark}, // button shadow
        {QPalette::Disabled, QPalette::Text}, // gray text
        {QPalette::Active, QPalette::ButtonText}, // button text
        {QPalette::Inactive, QPalette::HighlightedText}, // inactive caption text
        {QPalette::Active, QPalette::Light}, // button highlight
        {QPalette::Active, QPalette::Shadow}, // 3D dark shadow
        {QPalette::Active, QPalette::Midlight}, // 3D light
        {QPalette::Active, QPalette::ToolTipText}, // info text
        {QPalette::Active, QPalette::ToolTipBase}, // info background
    }};

} // namespace

std::uint32_t SystemColorRgb(int index)
{
    if (index < 0 || index >= SystemColorCount)
        return 0;
    const auto [group, role] = SystemColorRoles[std::size_t(index)];
    return TColorFromQColor(QGuiApplication::palette().color(group, role));
}

QColor TColorToQColor(std::uint32_t color)
{
    if (IsSystemColor(color))
        color = SystemColorRgb(SystemColorIndex(color));
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

std::uint32_t TColorFromQColor(const QColor& color)
{
    return std::uint32_t(color.red()) | std::uint32_t(color.green()) << 8
        | std::uint32_t(color.blue()) << 16;
}

QColor ItemColorToQColor(const TRGBTriple& color)
{
    return QColor(color.rgbtRed, color.rgbtGreen, color.rgbtBlue);
}

TRGBTriple ItemColorFromQColor(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return TRGBTriple {
        std::uint8_t(rgb.blue()), std::uint8_t(rgb.green()), std::uint8_t(rgb.red())};
}
