// Shell macros and dropped-file lists: any bytes split into lines and into bracketed commands as
// the plain delete-and-rescan reading of a macro does, each command parsed within the rules of an
// accepted command; the same bytes read as a text/uri-list name an absolute path or nothing.

#include "FuzzCheck.h"
#include "app/DroppedFiles.h"
#include "app/ShellMacros.h"
#include "common/TextRules.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The commands of a macro, found by deleting each "[...]" and looking again from the start.
std::vector<std::string> PlainMacroCommands(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    text = std::string(TrimControls(text));
    std::vector<std::string> commands;
    while (!text.empty()) {
        const std::size_t open = text.find('[');
        const std::size_t close = text.find(']');
        if (open == std::string::npos || close == std::string::npos || open > close)
            break;
        commands.emplace_back(
            TrimControls(std::string_view(text).substr(open + 1, close - open - 1)));
        text.erase(open, close - open + 1);
        text = std::string(TrimControls(text));
    }
    return commands;
}

bool IsTrimmed(std::string_view text)
{
    return TrimControls(text).size() == text.size();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    std::vector<std::string> lines = SplitMacroLines(bytes);
    for (const std::string& line : lines)
        FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);
    const std::vector<std::string> expected = PlainMacroCommands(lines);
    SplitMacroCommands(lines);
    FUZZ_CHECK(lines == expected);

    for (const std::string& command : lines) {
        // Each command is what stood between a "[" and the next "]".
        FUZZ_CHECK(command.find(']') == std::string::npos);
        FUZZ_CHECK(command.find_first_of("\r\n") != std::string::npos
            || bytes.find(command) != std::string_view::npos);
        FUZZ_CHECK(IsTrimmed(command));
        std::int32_t number = 0;
        std::string argument;
        if (ParseMacroCommand(command, number, argument)) {
            FUZZ_CHECK(number >= 1 && number <= 3);
            FUZZ_CHECK(argument.find('"') == std::string::npos);
            FUZZ_CHECK(IsTrimmed(argument));
            FUZZ_CHECK(argument.size() < command.size());
        }
    }

    if (const std::optional<std::filesystem::path> file = FirstLocalFileOfUriList(bytes)) {
        const std::string& path = file->native();
        FUZZ_CHECK(!path.empty() && path.front() == '/');
        FUZZ_CHECK(path.find('\0') == std::string::npos);
        FUZZ_CHECK(path.size() <= size);
        DroppedFileKind(*file);
    }
    return 0;
}
