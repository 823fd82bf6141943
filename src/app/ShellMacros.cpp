#include "app/ShellMacros.h"

#include "common/TextRules.h"

#include <array>
#include <cstddef>

std::vector<std::string> SplitMacroLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    // A line break at the very end closes the last line; it opens no empty one.
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

void SplitMacroCommands(std::vector<std::string>& lines)
{
    std::string joined;
    for (const std::string& line : lines) {
        joined += line;
        joined += "\r\n";
    }
    lines.clear();

    // Deleting each "[...]" from the text and looking again from its start finds the same commands
    // as scanning on from the "]": what stays before a removed "[" holds no bracket. Scanning on
    // keeps a macro of many commands linear.
    const std::string_view text = TrimControls(joined);
    std::size_t position = 0;
    while (position < text.size()) {
        const std::size_t open = text.find('[', position);
        const std::size_t close = text.find(']', position);
        if (open == std::string_view::npos || close == std::string_view::npos || open > close)
            break;
        lines.emplace_back(TrimControls(text.substr(open + 1, close - open - 1)));
        position = close + 1;
    }
}

bool ParseMacroCommand(std::string_view command, std::int32_t& number, std::string& argument)
{
    constexpr std::size_t None = std::string_view::npos;
    char quote = '\0'; // the quote that opened the current quoted stretch
    std::ptrdiff_t depth = 0;
    std::size_t open = None;
    std::size_t close = None;
    for (std::size_t i = 0; i < command.size() && close == None; ++i) {
        const char c = command[i];
        if (quote != '\0') {
            if (c == quote)
                quote = '\0';
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '(') {
            if (open == None)
                open = i;
            ++depth;
        } else if (c == ')') {
            --depth;
            if (open != None && depth == 0)
                close = i;
        }
    }
    if (close == None || open == 0)
        return false;

    const std::int32_t found = LookupMacroCommand(TrimControls(command.substr(0, open)));
    if (found == 0)
        return false;

    std::string unquoted;
    for (const char c : command.substr(open + 1, close - open - 1)) {
        if (c != '"')
            unquoted += c;
    }
    number = found;
    argument = TrimControls(unquoted);
    return true;
}

std::int32_t LookupMacroCommand(std::string_view name)
{
    static constexpr std::array<std::string_view, 3> Names = {"Open", "Preview", "Language"};
    for (std::size_t i = 0; i < Names.size(); ++i) {
        if (SameTextAscii(name, Names[i]))
            return static_cast<std::int32_t>(i + 1);
    }
    return 0;
}
