#include "help/PopupTopics.h"

#include "common/IntegerText.h"
#include "common/TextRules.h"

#include <optional>

namespace {

constexpr std::string_view TopicKeyword = ".topic";

// Cuts the next line off the text, whichever line break ends it.
std::string_view NextLine(std::string_view& text)
{
    const std::size_t end = text.find_first_of("\r\n");
    const std::string_view line = text.substr(0, end);
    if (end == std::string_view::npos) {
        text = {};
    } else {
        const bool crLf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        text.remove_prefix(end + (crLf ? 2 : 1));
    }
    return line;
}

// The argument of a ".topic" line, or nothing for any other line.
std::optional<std::string_view> TopicArgument(std::string_view line)
{
    const std::string_view trimmed = TrimControls(line);
    if (trimmed.size() < TopicKeyword.size()
        || !SameTextAscii(trimmed.substr(0, TopicKeyword.size()), TopicKeyword))
        return std::nullopt;
    const std::string_view rest = trimmed.substr(TopicKeyword.size());
    if (!rest.empty() && static_cast<unsigned char>(rest.front()) > 32)
        return std::nullopt; // ".topics" or the like
    return TrimControls(rest);
}

// A popup is asked for by a non-negative 32-bit context (a negative one asks for a whole topic).
std::optional<std::uint32_t> ContextNumber(std::string_view argument)
{
    const std::optional<std::int32_t> value = TryTextToInt(argument);
    if (!value || *value < 0)
        return std::nullopt;
    return static_cast<std::uint32_t>(*value);
}

bool IsBlank(std::string_view line)
{
    return TrimControls(line).empty();
}

std::string_view WithoutTrailingBlanks(std::string_view line)
{
    while (!line.empty() && static_cast<unsigned char>(line.back()) <= 32)
        line.remove_suffix(1);
    return line;
}

} // namespace

std::map<std::uint32_t, TAnsiString> ParsePopupTopics(std::string_view text)
{
    std::map<std::uint32_t, TAnsiString> topics;
    std::optional<std::uint32_t> current;
    TAnsiString body;
    std::size_t pendingBlankLines = 0;

    auto finish = [&] {
        if (current)
            topics.emplace(*current, std::move(body));
        current.reset();
        body.clear();
        pendingBlankLines = 0;
    };

    while (!text.empty()) {
        const std::string_view line = NextLine(text);
        if (const auto argument = TopicArgument(line)) {
            finish();
            current = ContextNumber(*argument);
            continue;
        }
        if (!current || TrimControls(line).starts_with(';'))
            continue;
        if (IsBlank(line)) {
            // Kept only once a later line shows the blank was inside the text.
            if (!body.empty())
                ++pendingBlankLines;
            continue;
        }
        if (!body.empty())
            body.append(pendingBlankLines + 1, '\n');
        pendingBlankLines = 0;
        body += WithoutTrailingBlanks(line);
    }
    finish();
    return topics;
}
