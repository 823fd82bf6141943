#include "help/HtmlTokenizer.h"

#include "common/TextRules.h"

#include <algorithm>

namespace {

// More attributes on one tag are passed over: no element we keep takes half as many.
constexpr std::size_t MaxAttributes = 32;

bool IsAsciiAlpha(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
}

} // namespace

bool THtmlTokenizer::Next(THtmlPiece& piece)
{
    if (FPos >= FHtml.size())
        return false;
    piece.Kind = THtmlPiece::TKind::Text;
    piece.Name.clear();
    piece.Attributes.clear();
    piece.Text = {};
    const std::size_t start = FPos;
    if (FHtml[start] != '<') {
        FPos = std::min(FHtml.find('<', start), FHtml.size());
        piece.Text = FHtml.substr(start, FPos - start);
        return true;
    }
    const std::string_view rest = FHtml.substr(start);
    const char next = rest.size() > 1 ? rest[1] : '\0';
    if (rest.starts_with("<!--")) {
        piece.Kind = THtmlPiece::TKind::Skip;
        FPos = start + 4;
        SkipTo("-->");
    } else if (next == '!' || next == '?') {
        piece.Kind = THtmlPiece::TKind::Skip;
        FPos = start + 2;
        SkipTo(">");
    } else if (next == '/' && rest.size() > 2 && IsAsciiAlpha(rest[2])) {
        FPos = start + 2;
        ReadTag(piece, true);
    } else if (next == '/' && rest.size() > 2) {
        // "</>" is nothing; "</ x>" and the like are a comment.
        piece.Kind = THtmlPiece::TKind::Skip;
        FPos = start + 2;
        SkipTo(">");
    } else if (IsAsciiAlpha(next)) {
        FPos = start + 1;
        ReadTag(piece, false);
    } else {
        FPos = start + (next == '/' ? 2 : 1);
        piece.Text = FHtml.substr(start, FPos - start);
    }
    return true;
}

void THtmlTokenizer::SkipTo(std::string_view end)
{
    const std::size_t found = FHtml.find(end, FPos);
    FPos = found == std::string_view::npos ? FHtml.size() : found + end.size();
}

void THtmlTokenizer::ReadTag(THtmlPiece& piece, bool closing)
{
    const auto skipBlanks = [this] {
        while (FPos < FHtml.size() && IsBlank(FHtml[FPos]))
            ++FPos;
    };
    const auto atEnd = [this] { return FPos >= FHtml.size(); };
    const auto nameEnd = [this](bool stopAtEquals) {
        std::size_t end = FPos;
        while (end < FHtml.size() && !IsBlank(FHtml[end]) && FHtml[end] != '/' && FHtml[end] != '>'
            && !(stopAtEquals && FHtml[end] == '='))
            ++end;
        return end;
    };

    std::size_t end = nameEnd(false);
    piece.Name = AsciiLowerCase(FHtml.substr(FPos, end - FPos));
    FPos = end;
    for (;;) {
        skipBlanks();
        if (atEnd())
            break;
        if (FHtml[FPos] == '>') {
            ++FPos;
            piece.Kind = closing ? THtmlPiece::TKind::EndTag : THtmlPiece::TKind::StartTag;
            return;
        }
        if (FHtml[FPos] == '/') {
            ++FPos;
            continue;
        }
        // The first character belongs to the name even when it is "=".
        ++FPos;
        end = nameEnd(true);
        const std::string_view name = FHtml.substr(FPos - 1, end - FPos + 1);
        FPos = end;
        skipBlanks();
        std::string_view value;
        if (!atEnd() && FHtml[FPos] == '=') {
            ++FPos;
            skipBlanks();
            if (atEnd())
                break;
            const char quote = FHtml[FPos];
            if (quote == '"' || quote == '\'') {
                const std::size_t close = FHtml.find(quote, FPos + 1);
                if (close == std::string_view::npos)
                    break;
                value = FHtml.substr(FPos + 1, close - FPos - 1);
                FPos = close + 1;
            } else {
                end = FPos;
                while (end < FHtml.size() && !IsBlank(FHtml[end]) && FHtml[end] != '>')
                    ++end;
                value = FHtml.substr(FPos, end - FPos);
                FPos = end;
            }
        }
        if (closing || piece.Attributes.size() >= MaxAttributes)
            continue;
        std::string lowerName = AsciiLowerCase(name);
        const bool known = std::any_of(piece.Attributes.begin(), piece.Attributes.end(),
            [&](const THtmlAttribute& attribute) { return attribute.Name == lowerName; });
        if (!known)
            piece.Attributes.push_back({std::move(lowerName), value});
    }
    // The input ended inside the tag.
    FPos = FHtml.size();
    piece.Kind = THtmlPiece::TKind::Skip;
    piece.Name.clear();
    piece.Attributes.clear();
}

std::string_view THtmlTokenizer::RawTextUntilEndTag(std::string_view name)
{
    const std::size_t start = FPos;
    for (std::size_t at = FHtml.find("</", start); at != std::string_view::npos;
         at = FHtml.find("</", at + 2)) {
        const std::string_view candidate = FHtml.substr(at + 2, name.size());
        const std::size_t after = at + 2 + name.size();
        if (SameTextAscii(candidate, name)
            && (after >= FHtml.size() || IsBlank(FHtml[after]) || FHtml[after] == '/'
                || FHtml[after] == '>')) {
            FPos = at;
            return FHtml.substr(start, at - start);
        }
    }
    FPos = FHtml.size();
    return FHtml.substr(start);
}
