#include "cli/CommandLineRun.h"

#include <algorithm>

namespace {

// Qt's options for windowed programs (QGuiApplication, QApplication and the X11 platform),
// which it takes from the arguments before the program sees them; those that take a value take
// the next argument unless it is given after "=".
constexpr std::string_view QtOptionsWithValue[]
    = {"cmap", "dialogs", "display", "fontengine", "geometry", "icon", "name", "ncols", "platform",
        "platformpluginpath", "platformtheme", "plugin", "qmljsdebugger", "qwindowgeometry",
        "qwindowicon", "qwindowtitle", "session", "style", "stylesheet", "title", "visual"};
constexpr std::string_view QtFlags[]
    = {"dograb", "nograb", "reverse", "sync", "testability", "widgetcount"};

template <std::size_t N> bool Among(const std::string_view (&names)[N], std::string_view name)
{
    return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

} // namespace

bool IsCommandLineRun(std::span<const std::string_view> arguments)
{
    for (std::size_t at = 0; at < arguments.size(); ++at) {
        std::string_view argument = arguments[at];
        // "-" alone names standard input, a file; "--" alone ends the options: file names follow.
        if (argument == "--")
            return false;
        if (!argument.starts_with('-') || argument == "-")
            continue;
        argument.remove_prefix(argument.starts_with("--") ? 2 : 1);
        const std::size_t equals = argument.find('=');
        const std::string_view name = argument.substr(0, equals);
        if (Among(QtOptionsWithValue, name)) {
            if (equals == std::string_view::npos)
                ++at;
            continue;
        }
        if (Among(QtFlags, name) && equals == std::string_view::npos)
            continue;
        return true;
    }
    return false;
}
