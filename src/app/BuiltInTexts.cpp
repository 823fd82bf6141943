#include "app/BuiltInTexts.h"

#include "app/CommandTable.h"
#include "i18n/LanguageKeys.h"
#include "i18n/TranslatedTexts.h"

#include <array>

namespace {

struct TControlCaption
{
    std::string_view Name;
    const char* Caption;
};
constexpr std::array<TControlCaption, 7> ControlCaptions = {{
    {"GroupBox1", "Choose item"},
    {"Label1", "Choose an item to change the color of."},
    {"GroupBox2", "Choose color"},
    {"Label2", "Choose a color for this item:"},
    {"Label3", "or enter an RGB color code:"},
    {"GroupBox4", "Change description"},
    {"GroupBox3", "Preview"},
}};

} // namespace

const char* ControlCaption(std::string_view name)
{
    for (const TControlCaption& control : ControlCaptions) {
        if (control.Name == name)
            return control.Caption;
    }
    return "";
}

TAnsiString BuiltInText(const TLanguageKey& key)
{
    using T = TLanguageTarget;
    switch (key.Target) {
    case T::TranslatedText:
        return BuiltInTranslatedTexts.at(static_cast<std::size_t>(key.Index));
    case T::MenuCaption:
        return MenuCaptions.at(static_cast<std::size_t>(key.Index));
    case T::CommandCaption:
        return Commands.at(CommandIndex(key.Name)).Caption;
    case T::CommandHint:
        return Commands.at(CommandIndex(key.Name)).Hint;
    case T::ControlCaption:
        return ControlCaption(key.Name);
    case T::PickerCustomText:
        return "Custom colors";
    case T::PickerColorHint:
    case T::PickerIntensityHint:
        // Empty: the picker uses its own built-in hint formats.
        return TAnsiString();
    case T::WhatsThisCaption:
        return "What's this?";
    case T::FilterName:
        return BuiltInFilterNames.at(static_cast<std::size_t>(key.Index));
    }
    return TAnsiString();
}
