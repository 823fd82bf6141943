#include "app/CommandTable.h"

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
    // The menus as the window lays them out: "-" for a separator, "|" between menus.
    std::string menus, toolBar;
    TCommandCategory category = Commands.front().Category;
    for (const TCommand& command : Commands) {
        if (command.Category != category) {
            EXPECT_LT(int(category), int(command.Category)) << "a menu's commands stand together";
            menus += "|";
            category = command.Category;
        } else if (command.MenuSeparatorBefore) {
            menus += "-,";
        }
        menus += std::string(command.Name + 6) + ",";
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
