#include "app/CommandTable.h"

#include "app/MenuLayout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(CommandTableTest, EveryCommandOnceWithUniqueShortcutsAndImagesInRange)
{
    std::set<std::string> names, shortcuts;
    for (const TCommand& command : Commands) {
        SCOPED_TRACE(command.Name);
        EXPECT_TRUE(names.insert(command.Name).second) << "named twice";
        EXPECT_EQ(CommandIndex(command.Name), std::size_t(&command - Commands.data()));
        for (const char* shortcut : {command.Shortcut, command.SecondShortcut}) {
            if (*shortcut != '\0') {
                EXPECT_TRUE(shortcuts.insert(shortcut).second) << shortcut << " used twice";
            }
        }
        EXPECT_GE(command.Image, -1);
        EXPECT_LT(command.Image, int(CommandImageNames.size()));
        // A tool button shows an image only.
        if (command.OnToolBar) {
            EXPECT_GE(command.Image, 0);
        }
    }
    EXPECT_EQ(names.size(), 16u);
    EXPECT_EQ(CommandIndex("ActionNone"), CommandCount);
}

TEST(CommandTableTest, MenusAndToolBarRunInTheWindowsOrder)
{
    // The window's own entries as the menu layout places them, the tools' left out: "-" for a
    // separator, "|" between menus. A run of separators left by the tools' groups counts once.
    std::string menus, toolBar;
    for (const TMenuLayout& menu : MenuLayout) {
        if (!menus.empty())
            menus += "|";
        std::string entries;
        bool separator = false;
        for (const std::string_view entry : menu.Entries) {
            if (entry == MenuSeparator) {
                separator = !entries.empty();
                continue;
            }
            const std::size_t index = CommandIndex(entry);
            if (index == CommandCount)
                continue;
            EXPECT_EQ(&menu - MenuLayout.data(), int(Commands[index].Category)) << entry;
            entries += std::string(separator ? "-," : "") + std::string(entry.substr(6)) + ",";
            separator = false;
        }
        menus += entries;
    }
    for (const TCommand& command : Commands) {
        if (command.OnToolBar)
            toolBar += std::string(command.ToolBarSeparatorBefore ? "-," : "") + command.Name + ",";
    }
    EXPECT_EQ(menus,
        "FileNew,FileOpen,-,FileSave,FileSaveAs,-,FileExit,|EditUndo,EditRedo,|"
        "ToolsOpenPreview,-,ToolsReference,ToolsImport,ToolsClipboard,-,ToolsSwitchLanguage,|"
        "HelpContents,HelpIndex,-,HelpWeb,-,HelpAbout,");
    EXPECT_EQ(toolBar,
        "ActionFileNew,ActionFileOpen,-,ActionFileSave,-,ActionEditUndo,ActionEditRedo,-,"
        "ActionHelpContents,");
}

} // namespace
