#include "help/HelpRequests.h"

#include "common/PathRules.h"

#include <algorithm>

namespace {

constexpr std::string_view CompiledHelpExtension = ".chm";
constexpr std::string_view PopupFileExtension = ".hlp";

std::uint32_t Low16(int value)
{
    return std::uint32_t(std::clamp(value, -32768, 32767)) & 0xFFFFu;
}

} // namespace

THelpRoute RouteHelpRequest(THelpCommand command, std::uint32_t data, TAnsiView keyword,
    const std::filesystem::path& helpFile, bool htmlHelpUsed)
{
    using enum THelpViewerCall;
    THelpRoute route;
    if (command == HELP_CONTEXTPOPUP || command == HELP_SETPOPUP_POS) {
        route.File = ChangeFileExt(helpFile, PopupFileExtension);
        if (command == HELP_CONTEXTPOPUP) {
            route.Call = ShowPopup;
            route.Context = data;
        } else {
            route.Call = SetPopupPosition;
            route.X = PopupPositionX(data);
            route.Y = PopupPositionY(data);
        }
        return route;
    }
    if (command == HELP_QUIT && !htmlHelpUsed) {
        // Nothing was opened that could be closed.
        route.Call = Nothing;
        return route;
    }

    route.UsesHtmlHelp = true;
    switch (command) {
    case HELP_QUIT:
        route.Call = CloseAll;
        return route;
    case HELP_CONTEXT:
        route.Call = OpenTopic;
        route.Context = data;
        break;
    case HELP_CONTENTS:
    case HELP_FINDER:
        route.Call = OpenContents;
        break;
    case HELP_TAB:
        route.Call = data == 0 ? OpenContents : OpenIndex;
        break;
    case HELP_KEY:
    case HELP_PARTIALKEY:
        route.Call = OpenIndex;
        route.Keyword = keyword;
        break;
    default:
        // The contents viewer is asked, and knows no such command.
        route.Call = Fail;
        return route;
    }
    route.File = CompiledHelpFile(helpFile);
    return route;
}

std::filesystem::path CompiledHelpFile(const std::filesystem::path& helpFile)
{
    return ChangeFileExt(helpFile, CompiledHelpExtension);
}

std::filesystem::path ChangeFileExt(const std::filesystem::path& file, std::string_view extension)
{
    const std::string& name = file.native();
    const std::size_t kept = name.size() - ExtractFileExt(name).size();
    return std::filesystem::path(name.substr(0, kept) + std::string(extension));
}

std::uint32_t PopupPositionData(int x, int y)
{
    return Low16(x) | (Low16(y) << 16);
}

int PopupPositionX(std::uint32_t data)
{
    return std::int16_t(data & 0xFFFFu);
}

int PopupPositionY(std::uint32_t data)
{
    return std::int16_t(data >> 16);
}
