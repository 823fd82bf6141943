#pragma once

#include "common/AnsiString.h"

#include <cstdint>
#include <filesystem>
#include <string_view>

// Help requests as the commands and the context help send them: a request number and one 32-bit
// data value. HELP_KEY and HELP_PARTIALKEY carry a keyword; here it travels beside the data
// instead of as the address of a text.
using THelpCommand = std::uint32_t;

inline constexpr THelpCommand HELP_CONTEXT = 1; // data: the context number of a topic
inline constexpr THelpCommand HELP_QUIT = 2;
inline constexpr THelpCommand HELP_CONTENTS = 3;
inline constexpr THelpCommand HELP_CONTEXTPOPUP = 8; // data: the context number of a popup text
inline constexpr THelpCommand HELP_FINDER = 11;
inline constexpr THelpCommand HELP_SETPOPUP_POS = 13; // data: PopupPositionData
inline constexpr THelpCommand HELP_TAB = 15; // data: 0 for the contents, else the index
inline constexpr THelpCommand HELP_KEY = 257;
inline constexpr THelpCommand HELP_PARTIALKEY = 261;

// What a help viewer is asked to do for one request.
enum class THelpViewerCall {
    Nothing, // handled without a viewer
    Fail, // a request no viewer knows
    OpenContents,
    OpenIndex, // at Keyword, when it is not empty
    OpenTopic, // of Context
    CloseAll,
    SetPopupPosition, // X, Y: where the next popup goes
    ShowPopup, // of Context
};

struct THelpRoute
{
    THelpViewerCall Call = THelpViewerCall::Fail;
    // The compiled help (".chm") for contents, index and topics; the popup file (".hlp") for
    // popups; empty for the other calls.
    std::filesystem::path File;
    std::uint32_t Context = 0;
    int X = 0;
    int Y = 0;
    TAnsiString Keyword;
    // The request goes to the contents, index and topic viewer (which from then on counts as
    // used, so that HELP_QUIT closes it).
    bool UsesHtmlHelp = false;

    bool operator==(const THelpRoute&) const = default;
};

// Routes one request: popups (HELP_CONTEXTPOPUP, HELP_SETPOPUP_POS) go to the popup viewer with
// the help file's ".hlp" twin, everything else to the contents viewer with its ".chm" twin.
// HELP_QUIT before that viewer was ever used does nothing; an unknown request fails.
THelpRoute RouteHelpRequest(THelpCommand command, std::uint32_t data, TAnsiView keyword,
    const std::filesystem::path& helpFile, bool htmlHelpUsed);

// The help file's compiled help (".chm") twin, which contents, index and topics come from.
std::filesystem::path CompiledHelpFile(const std::filesystem::path& helpFile);

// The file with its extension (from the last "." of the file-name part) replaced, or the
// extension appended when it has none: "Help/help-de.chm" and ".hlp" give "Help/help-de.hlp",
// an empty name gives the bare extension.
std::filesystem::path ChangeFileExt(const std::filesystem::path& file, std::string_view extension);

// HELP_SETPOPUP_POS data: x in the low 16 bits, y in the high 16 bits, each a signed 16-bit value
// (screens left of or above the primary one have negative coordinates). Values beyond 16 bits
// are held at the nearest one that fits.
std::uint32_t PopupPositionData(int x, int y);
int PopupPositionX(std::uint32_t data);
int PopupPositionY(std::uint32_t data);
