#include "i18n/LanguageKeys.h"

#include "common/ProfileFile.h"
#include "i18n/LanguageFile.h"
#include "i18n/TranslatedTexts.h"

#include <string_view>

namespace {

using T = TLanguageTarget;

} // namespace

// clang-format off
const std::array<TLanguageKey, LanguageKeyCount> LanguageKeys = {{
    {"Application",      "ApplicationName",   T::TranslatedText,      ttApplicationName, ""},
    {"Application",      "SaveChanges",       T::TranslatedText,      ttSaveChanges,     ""},
    {"Application",      "Modified",          T::TranslatedText,      ttModified,        ""},
    {"Application",      "HelpFile",          T::TranslatedText,      ttHelpFile,        ""},
    {"FileMenu",         "Name",              T::MenuCaption,         0, ""},
    {"FileMenu",         "ItemNew",           T::CommandCaption,      0, "ActionFileNew"},
    {"FileMenu",         "ItemNewHint",       T::CommandHint,         0, "ActionFileNew"},
    {"FileMenu",         "ItemOpen",          T::CommandCaption,      0, "ActionFileOpen"},
    {"FileMenu",         "ItemOpenHint",      T::CommandHint,         0, "ActionFileOpen"},
    {"FileMenu",         "ItemSave",          T::CommandCaption,      0, "ActionFileSave"},
    {"FileMenu",         "ItemSaveHint",      T::CommandHint,         0, "ActionFileSave"},
    {"FileMenu",         "ItemSaveAs",        T::CommandCaption,      0, "ActionFileSaveAs"},
    {"FileMenu",         "ItemSaveAsHint",    T::CommandHint,         0, "ActionFileSaveAs"},
    {"FileMenu",         "ItemExit",          T::CommandCaption,      0, "ActionFileExit"},
    {"FileMenu",         "ItemExitHint",      T::CommandHint,         0, "ActionFileExit"},
    {"EditMenu",         "Name",              T::MenuCaption,         1, ""},
    {"EditMenu",         "ItemUndo",          T::CommandCaption,      0, "ActionEditUndo"},
    {"EditMenu",         "ItemUndoHint",      T::CommandHint,         0, "ActionEditUndo"},
    {"EditMenu",         "ItemRedo",          T::CommandCaption,      0, "ActionEditRedo"},
    {"EditMenu",         "ItemRedoHint",      T::CommandHint,         0, "ActionEditRedo"},
    {"ToolsMenu",        "Name",              T::MenuCaption,         2, ""},
    {"ToolsMenu",        "ItemPreview",       T::CommandCaption,      0, "ActionToolsOpenPreview"},
    {"ToolsMenu",        "ItemPreviewHint",   T::CommandHint,         0, "ActionToolsOpenPreview"},
    {"ToolsMenu",        "ItemReference",     T::CommandCaption,      0, "ActionToolsReference"},
    {"ToolsMenu",        "ItemReferenceHint", T::CommandHint,         0, "ActionToolsReference"},
    {"ToolsMenu",        "ItemConvert",       T::CommandCaption,      0, "ActionToolsImport"},
    {"ToolsMenu",        "ItemConvertHint",   T::CommandHint,         0, "ActionToolsImport"},
    {"ToolsMenu",        "ItemClipboard",     T::CommandCaption,      0, "ActionToolsClipboard"},
    {"ToolsMenu",        "ItemClipboard",     T::CommandHint,         0, "ActionToolsClipboard"},
    {"ToolsMenu",        "ItemLanguage",      T::CommandCaption,      0, "ActionToolsSwitchLanguage"},
    {"ToolsMenu",        "ItemLanguageHint",  T::CommandHint,         0, "ActionToolsSwitchLanguage"},
    {"HelpMenu",         "Name",              T::MenuCaption,         3, ""},
    {"HelpMenu",         "ItemContents",      T::CommandCaption,      0, "ActionHelpContents"},
    {"HelpMenu",         "ItemContentsHint",  T::CommandHint,         0, "ActionHelpContents"},
    {"HelpMenu",         "ItemIndex",         T::CommandCaption,      0, "ActionHelpIndex"},
    {"HelpMenu",         "ItemIndexHint",     T::CommandHint,         0, "ActionHelpIndex"},
    {"HelpMenu",         "ItemWeb",           T::CommandCaption,      0, "ActionHelpWeb"},
    {"HelpMenu",         "ItemWebHint",       T::CommandHint,         0, "ActionHelpWeb"},
    {"HelpMenu",         "ItemAbout",         T::CommandCaption,      0, "ActionHelpAbout"},
    {"HelpMenu",         "ItemAboutHint",     T::CommandHint,         0, "ActionHelpAbout"},
    {"HelpMenu",         "ItemWhatsThis",     T::WhatsThisCaption,    0, ""},
    {"GroupItem",        "Caption",           T::ControlCaption,      0, "GroupBox1"},
    {"GroupItem",        "Info",              T::ControlCaption,      0, "Label1"},
    {"GroupColor",       "Caption",           T::ControlCaption,      0, "GroupBox2"},
    {"GroupColor",       "Info",              T::ControlCaption,      0, "Label2"},
    {"GroupColor",       "InfoRGB",           T::ControlCaption,      0, "Label3"},
    {"GroupColor",       "CustomColors",      T::PickerCustomText,    0, ""},
    {"GroupColor",       "HintRGB",           T::PickerColorHint,     0, ""},
    {"GroupColor",       "HintIntensity",     T::PickerIntensityHint, 0, ""},
    {"GroupDescription", "Caption",           T::ControlCaption,      0, "GroupBox4"},
    {"GroupPreview",     "Caption",           T::ControlCaption,      0, "GroupBox3"},
    {"Application",      "Filter1",           T::FilterName,          0, ""},
    {"Application",      "Filter2",           T::FilterName,          1, ""},
    {"Application",      "Filter3",           T::FilterName,          2, ""},
    {"Application",      "Filter4",           T::FilterName,          3, ""},
    {"GroupLanguage",    "Caption",           T::TranslatedText,      ttChooseLanguage,  ""},
    {"GroupLanguage",    "Translation",       T::TranslatedText,      ttTranslatedBy,    ""},
    {"GroupLanguage",    "OK",                T::TranslatedText,      ttOK,              ""},
    {"GroupLanguage",    "Cancel",            T::TranslatedText,      ttCancel,          ""},
}};
// clang-format on

const std::array<const char*, 4> BuiltInFilterNames
    = {"TomTom Color Files", "All Files", "Tintwright Preview Files", "Bitmaps"};

TAnsiString ReadLanguageValue(
    const TProfileFile& file, const TLanguageKey& key, TAnsiView currentText)
{
    // The filter names are rebuilt from English each time, so a file without them resets them.
    const TAnsiView defaultText = key.Target == T::FilterName
        ? TAnsiView(BuiltInFilterNames.at(static_cast<std::size_t>(key.Index)))
        : currentText;
    return ReadLanguageText(file, key.Section, key.Key, defaultText);
}
