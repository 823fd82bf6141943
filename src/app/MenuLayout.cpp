#include "app/MenuLayout.h"

namespace {

constexpr std::string_view _ = MenuSeparator;

// The window's own entries first; the tools' stand behind them, in groups, except that Exit
// stays the last entry of File.
constexpr std::string_view File[] = {
    "ActionFileNew",
    "ActionFileOpen",
    _,
    "ActionFileSave",
    "ActionFileSaveAs",
    _,
    "ActionFileCompare",
    _,
    "ActionFileExportPalette",
    _,
    "ActionFileExit",
};

constexpr std::string_view Edit[] = {
    "ActionEditUndo",
    "ActionEditRedo",
    _,
    "ActionEditHistory",
    _,
    "ActionEditFindItem",
    "ActionEditFindNext",
    "ActionEditFindPrevious",
    _,
    "ActionEditReplaceColor",
    "ActionEditAdjustColors",
    "ActionEditRevertItem",
    _,
    "ActionEditShowSelectedItem",
};

constexpr std::string_view Tools[] = {
    "ActionToolsOpenPreview",
    _,
    "ActionToolsReference",
    "ActionToolsImport",
    "ActionToolsClipboard",
    _,
    "ActionToolsSwitchLanguage",
    _,
    "ActionToolsImportColors",
    "ActionToolsImportColorsClipboard",
    _,
    "ActionToolsCheckLegibility",
    "ActionToolsSimulateVision",
    "ActionToolsShowSavedColors",
};

constexpr std::string_view Help[] = {
    "ActionHelpContents",
    "ActionHelpIndex",
    _,
    "ActionHelpWeb",
    _,
    "ActionHelpAbout",
};

} // namespace

const std::array<TMenuLayout, 4> MenuLayout = {{
    {"MenuFile", File},
    {"MenuEdit", Edit},
    {"MenuTools", Tools},
    {"MenuHelp", Help},
}};
