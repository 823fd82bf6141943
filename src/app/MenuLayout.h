#pragma once

#include <array>
#include <span>
#include <string_view>

// The menu bar as the user reads it, top to bottom: each menu's entries by action name, the
// window's own commands and the tools' alike, with separators. A submenu's entries come from the
// tool that makes it, in the order of its commands.
inline constexpr std::string_view MenuSeparator = "-";

struct TMenuLayout
{
    const char* Name; // object name of the menu, "MenuFile"
    std::span<const std::string_view> Entries;
};

// File, Edit, Tools, Help, in the order of TCommandCategory.
extern const std::array<TMenuLayout, 4> MenuLayout;
