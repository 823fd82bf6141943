#include "app/MainFormFixture.h"

#include <QAction>
#include <QMenu>

#include <functional>
#include <map>
#include <string>

namespace {

// The menus as the window builds them, entry by entry as the user reads them: captions with their
// shortcut in brackets, ";" where a separator stands, a submenu's entries in braces.
std::string Read(const QMenu& menu)
{
    std::string text;
    for (const QAction* action : menu.actions()) {
        if (action->isSeparator()) {
            text += "; ";
            continue;
        }
        text += action->text().toStdString();
        if (!action->shortcut().isEmpty())
            text += " (" + action->shortcut().toString().toStdString() + ")";
        if (action->isCheckable() && !action->actionGroup())
            text += " (checkable)";
        if (action->menu() != nullptr)
            text += " {" + Read(*action->menu()) + "}";
        text += ", ";
    }
    return text;
}

using MenuLayoutTest = TMainFormFixture;

// The tools' entries come after the window's own, behind a separator, in the groups of the
// design's menu table; in File, Exit stays last.
TEST_F(MenuLayoutTest, EveryMenuReadsAsTheDesignsTable)
{
    TMainForm& form = Start();
    const std::string rows[] = {
        "&New (Ctrl+N), &Open... (Ctrl+O), ; &Save (Ctrl+S), S&ave as... (Ctrl+Shift+S), ; "
        "Co&mpare with file..., ; E&xport as palette..., ; &Exit (Ctrl+Q), ",
        "&Undo (Ctrl+Z), &Redo (Ctrl+Shift+Z), ; &History... (Ctrl+H), ; &Find item... (Ctrl+F), "
        "Find &next (F3), Find &previous (Shift+F3), ; Replace &color..., &Adjust colors..., "
        "Re&vert item to saved color, ; Show &selected item (checkable), ",
        "O&pen preview..., ; &Create reference file..., C&onvert reference bitmap..., "
        "Co&nvert reference from clipboard..., ; &Switch language..., ; "
        "&Import colors from screenshot..., Import colors from clip&board, ; "
        "Check &legibility... (Ctrl+L), Simulate color &vision {&Normal vision, &Protanopia, "
        "&Deuteranopia, &Tritanopia, &Achromatopsia, }, Show saved colo&rs (F9) (checkable), ",
        "&Help contents (F1), &Index, ; &Tintwright HomePage, ; &About..., ",
    };
    for (int menu = 0; menu < 4; ++menu)
        EXPECT_EQ(Read(*Menu(form, menu)), rows[menu]) << "menu " << menu;
}

// Every action of the window stands in a menu, once; none is made and left out.
TEST_F(MenuLayoutTest, EveryCommandHasItsPlace)
{
    TMainForm& form = Start();
    std::map<const QAction*, int> placed;
    const std::function<void(const QMenu&)> walk = [&](const QMenu& menu) {
        for (const QAction* action : menu.actions()) {
            ++placed[action];
            if (action->menu() != nullptr)
                walk(*action->menu());
        }
    };
    for (int menu = 0; menu < 4; ++menu)
        walk(*Menu(form, menu));
    for (const QAction* action : form.findChildren<QAction*>(Qt::FindDirectChildrenOnly)) {
        if (action->objectName().startsWith("Action")) {
            EXPECT_EQ(placed[action], 1) << action->objectName().toStdString();
        }
    }
}

} // namespace
