#include "help/HtmlTags.h"

namespace {

bool IsAsciiAlpha(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

std::optional<THtmlToken> NextHtmlToken(std::string_view html, std::size_t& pos)
{
    if (pos >= html.size())
        return std::nullopt;
    THtmlToken token;
    const std::size_t open = html.find('<', pos);
    if (open != pos) {
        const std::size_t end = open == std::string_view::npos ? html.size() : open;
        token.Characters = html.substr(pos, end - pos);
        pos = end;
        return token;
    }
    token.Kind = THtmlToken::TKind::Other;
    if (html.substr(open, 4) == "<!--") {
        const std::size_t close = html.find("-->", open + 4);
        pos = close == std::string_view::npos ? html.size() : close + 3;
        return token;
    }
    std::size_t end = open + 1;
    char quote = 0;
    while (end < html.size() && (quote != 0 || html[end] != '>')) {
        if (quote != 0 && html[end] == quote)
            quote = 0;
        else if (quote == 0 && (html[end] == '"' || html[end] == '\''))
            quote = html[end];
        ++end;
    }
    pos = end < html.size() ? end + 1 : html.size();

    std::string_view inside = html.substr(open + 1, end - open - 1);
    if (!inside.empty() && inside.front() == '/') {
        token.Closing = true;
        inside.remove_prefix(1);
    }
    std::size_t nameLength = 0;
    while (nameLength < inside.size()
        && (IsAsciiAlpha(inside[nameLength])
            || (nameLength > 0 && inside[nameLength] >= '0' && inside[nameLength] <= '9')))
        ++nameLength;
    if (nameLength == 0)
        return token; // "<!DOCTYPE", "< 5" and the like
    token.Kind = THtmlToken::TKind::Tag;
    token.Name = inside.substr(0, nameLength);
    token.Attributes = inside.substr(nameLength);
    return token;
}

std::optional<THtmlToken> NextHtmlTag(std::string_view html, std::size_t& pos)
{
    while (auto token = NextHtmlToken(html, pos)) {
        if (token->Kind == THtmlToken::TKind::Tag)
            return token;
    }
    return std::nullopt;
}
