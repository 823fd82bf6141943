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
    bool OnToolBar;
    bool ToolBarSeparatorBefore;
    TEnablingRule Rule;
    int HelpContext; // 0 for none
};

// Images of the window's image list, by index.
inline constexpr std::array<const char*, 6> CommandImageNames
    = {"open", "save", "undo", "redo", "new", "help"};

inline constexpr std::size_t CommandCount = 16;

// The commands by menu: File, Edit, Tools, Help (MenuLayout says where each stands in its menu);
// the toolbar shows its commands in this order.
// clang-format off
inline constexpr std::array<TCommand, CommandCount> Commands = [] {
    using C = TCommandCategory;
    using R = TEnablingRule;
    constexpr int ImageOpen = 0, ImageSave = 1, ImageUndo = 2, ImageRedo = 3, ImageNew = 4,
                  ImageHelp = 5, NoImage = -1;
    return std::array<TCommand, CommandCount> {{
    // name                        category  caption                                  hint               shortcut        second    image      tool   tsep   rule
    {"ActionFileNew",             C::File,  "&New",                                  "New",             "Ctrl+N",       "",       ImageNew,  true,  false, R::Always, 0},
    {"ActionFileOpen",            C::File,  "&Open...",                              "Open",            "Ctrl+O",       "",       ImageOpen, true,  false, R::Always, 0},
    {"ActionFileSave",            C::File,  "&Save",                                 "Save",            "Ctrl+S",       "",       ImageSave, true,  true,  R::WhileModified, 0},
    {"ActionFileSaveAs",          C::File,  "S&ave as...",                           "Save as",         "Shift+Ctrl+S", "",       NoImage,   false, false, R::WhileModified, 0},
    {"ActionFileExit",            C::File,  "&Exit",                                 "Exit",            "",             "Ctrl+Q", NoImage,   false, false, R::Always, 0},
    {"ActionEditUndo",            C::Edit,  "&Undo",                                 "Undo",            "Ctrl+Z",       "",       ImageUndo, true,  true,  R::WhileUndoable, 0},
    {"ActionEditRedo",            C::Edit,  "&Redo",                                 "Redo",            "Shift+Ctrl+Z", "",       ImageRedo, true,  false, R::WhileRedoable, 0},
    {"ActionToolsOpenPreview",    C::Tools, "O&pen preview...",                      "",                "",             "",       NoImage,   false, false, R::Always, 0},
    {"ActionToolsReference",      C::Tools, "&Create reference file...",             "",                "",             "",       NoImage,   false, false, R::Always, 0},
    {"ActionToolsImport",         C::Tools, "C&onvert reference bitmap...",          "",                "",             "",       NoImage,   false, false, R::Always, 0},
    {"ActionToolsClipboard",      C::Tools, "Co&nvert reference from clipboard...",  "",                "",             "",       NoImage,   false, false, R::WhileClipboardHoldsBitmap, 0},
    {"ActionToolsSwitchLanguage", C::Tools, "&Switch language...",                   "Switch language", "",             "",       NoImage,   false, false, R::Always, 0},
    {"ActionHelpContents",        C::Help,  "&Help contents",                        "",                "F1",           "",       ImageHelp, true,  true,  R::Always, 0},
    {"ActionHelpIndex",           C::Help,  "&Index",                                "",                "",             "",       NoImage,   false, false, R::Always, 0},
    {"ActionHelpWeb",             C::Help,  "&Tintwright HomePage",                  "Homepage",        "",             "",       NoImage,   false, false, R::Always, 0},
    {"ActionHelpAbout",           C::Help,  "&About...",                             "About",           "",             "",       NoImage,   false, false, R::Always, 0},
    }};
}();
// clang-format on

// The row of the command with this name; CommandCount when there is none.
std::size_t CommandIndex(std::string_view name);

// Built-in captions of the four menus of the menu bar, in their order.
extern const std::array<const char*, 4> MenuCaptions;
