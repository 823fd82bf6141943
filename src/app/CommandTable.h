#pragma once

#include <array>
#include <cstddef>
#include <string_view>

// The main window's commands as data: the window builds its actions, menus and toolbar from this
// table, and the language key table names its targets by the rows here.

enum class TCommandCategory { File, Edit, Tools, Help };

// When a command is enabled; the window evaluates the rule whenever the interface goes idle.
enum class TEnablingRule {
    Always,
    WhileModified, // the document has unsaved changes
    WhileUndoable, // the undo stack is not empty
    WhileRedoable, // the redo stack is not empty
    WhileClipboardHoldsBitmap,
};

struct TCommand
{
    const char* Name; // the action's name, e.g. "ActionFileNew"
    TCommandCategory Category; // also the menu it appears in
    const char* Caption; // built-in caption; "&" marks the accelerator letter
    const char* Hint; // built-in hint, the tool tip; empty for none
    const char* Shortcut; // in Qt's portable key text ("Ctrl+N"); empty for none
    const char* SecondShortcut; // another key for the same command; empty for none
    int Image; // index into the window's image list; -1 for none
    bool MenuSeparatorBefore; // a separator stands before it in its menu
    bool OnToolBar;
    bool ToolBarSeparatorBefore;
    TEnablingRule Rule;
    int HelpContext; // 0 for none
};

// Images of the window's image list, by index.
inline constexpr std::array<const char*, 6> CommandImageNames
    = {"open", "save", "undo", "redo", "new", "help"};

inline constexpr std::size_t CommandCount = 16;

// The commands in menu order: File, Edit, Tools, Help; the toolbar shows its commands in the same
// order.
extern const std::array<TCommand, CommandCount> Commands;

// The row of the command with this name; CommandCount when there is none.
std::size_t CommandIndex(std::string_view name);

// Built-in captions of the four menus of the menu bar, in their order.
extern const std::array<const char*, 4> MenuCaptions;
