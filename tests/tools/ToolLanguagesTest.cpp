// The find, replace and adjust windows' letters in the shipped languages: while a tool window is
// active the main window's menu bar letters still work, so the windows must not take them.
#include "common/ProfileFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace {

const std::filesystem::path LanguagesData
    = std::filesystem::path(TINTWRIGHT_DATA_DIR) / "languages";
// The letter after a single "&", lower case (Windows-1252 capitals too).
int Accelerator(const std::string& caption)
{
    const std::size_t at = caption.find('&');
    if (at == std::string::npos || at + 1 >= caption.size())
        return 0;
    const auto c = static_cast<unsigned char>(caption[at + 1]);
    return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ? c + 0x20 : c;
}

// The captions with an accelerator in each tool window. While a tool window is active the main
// window's shortcuts keep working, its menu bar's letters among them, so a window's letters must
// differ from those and from each other.
const std::vector<std::vector<const char*>> ToolWindowCaptions = {
    {"FindLabel", "FindChanged", "FindNotOnPreview", "FindHardToTell", "Select"},
    {"ReplaceFrom", "ReplaceTo"},
    {"AdjustScopeFound", "AdjustScopeAll", "AdjustHue", "AdjustChroma", "AdjustLightness",
        "AdjustReset"},
};

// Every text of ours being in each shipped file is checked for all tools in
// tests/i18n/ShippedTextsTest.cpp; this checks what only these windows need.
TEST(ToolLanguagesTest, ToolWindowLettersLeaveTheMenuBarsAlone)
{
    for (const char* language : {"English", "Deutsch", "Francais"}) {
        SCOPED_TRACE(language);
        const TProfileFile file(LanguagesData / (std::string(language) + ".clf"));
        for (const auto& captions : ToolWindowCaptions) {
            std::set<int> taken;
            for (const char* menu : {"FileMenu", "EditMenu", "ToolsMenu", "HelpMenu"})
                taken.insert(Accelerator(file.ReadString(menu, "Name", "")));
            for (const char* caption : captions) {
                const std::string value = file.ReadString("FindAndRecolor", caption, "");
                EXPECT_GT(Accelerator(value), 0) << caption;
                EXPECT_TRUE(taken.insert(Accelerator(value)).second)
                    << value << ": accelerator taken in its window or by the menu bar";
            }
        }
    }
}

} // namespace
