#include "app/CommandTable.h"

namespace {

using C = TCommandCategory;
using R = TEnablingRule;
constexpr int ImageOpen = 0, ImageSave = 1, ImageUndo = 2, ImageRedo = 3, ImageNew = 4,
              ImageHelp = 5, NoImage = -1;

} // namespace

// clang-format off
const std::array<TCommand, CommandCount> Commands = {{
    // name                        category  caption                                  hint               shortcut        second    image      sep    tool   tsep   rule
    {"ActionFileNew",             C::File,  "&New",                                  "New",             "Ctrl+N",       "",       ImageNew,  false, true,  false, R::Always, 0},
    {"ActionFileOpen",            C::File,  "&Open...",                              "Open",            "Ctrl+O",       "",       ImageOpen, false, true,  false, R::Always, 0},
    {"ActionFileSave",            C::File,  "&Save",                                 "Save",            "Ctrl+S",       "",       ImageSave, true,  true,  true,  R::WhileModified, 0},
    {"ActionFileSaveAs",          C::File,  "S&ave as...",                           "Save as",         "Shift+Ctrl+S", "",       NoImage,   false, false, false, R::WhileModified, 0},
    {"ActionFileExit",            C::File,  "&Exit",                                 "Exit",            "",             "Ctrl+Q", NoImage,   true,  false, false, R::Always, 0},
    {"ActionEditUndo",            C::Edit,  "&Undo",                                 "Undo",            "Ctrl+Z",       "",       ImageUndo, false, true,  true,  R::WhileUndoable, 0},
    {"ActionEditRedo",            C::Edit,  "&Redo",                                 "Redo",            "Shift+Ctrl+Z", "",       ImageRedo, false, true,  false, R::WhileRedoable, 0},
    {"ActionToolsOpenPreview",    C::Tools, "O&pen preview...",                      "",                "",             "",       NoImage,   false, false, false, R::Always, 0},
    {"ActionToolsReference",      C::Tools, "&Create reference file...",             "",                "",             "",       NoImage,   true,  false, false, R::Always, 0},
    {"ActionToolsImport",         C::Tools, "C&onvert reference bitmap...",          "",                "",             "",       NoImage,   false, false, false, R::Always, 0},
    {"ActionToolsClipboard",      C::Tools, "Co&nvert reference from clipboard...",  "",                "",             "",       NoImage,   false, false, false, R::WhileClipboardHoldsBitmap, 0},
    {"ActionToolsSwitchLanguage", C::Tools, "&Switch language...",                   "Switch language", "",             "",       NoImage,   true,  false, false, R::Always, 0},
    {"ActionHelpContents",        C::Help,  "&Help contents",                        "",                "F1",           "",       ImageHelp, false, true,  true,  R::Always, 0},
    {"ActionHelpIndex",           C::Help,  "&Index",                                "",                "",             "",       NoImage,   false, false, false, R::Always, 0},
    {"ActionHelpWeb",             C::Help,  "&Tintwright HomePage",                  "Homepage",        "",             "",       NoImage,   true,  false, false, R::Always, 0},
    {"ActionHelpAbout",           C::Help,  "&About...",                             "About",           "",             "",       NoImage,   true,  false, false, R::Always, 0},
}};
// clang-format on

const std::array<const char*, 4> MenuCaptions = {"&File", "&Edit", "&Tools", "&Help"};

std::size_t CommandIndex(std::string_view name)
{
    for (std::size_t i = 0; i < Commands.size(); ++i) {
        if (name == Commands[i].Name)
            return i;
    }
    return CommandCount;
}
