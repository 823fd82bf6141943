#include "help/HelpPage.h"

#include "common/TextRules.h"
#include "help/HtmlTags.h"
#include "help/Sitemap.h"

#include <algorithm>
#include <string>

namespace {

bool IsOneOf(std::string_view name, std::initializer_list<std::string_view> names)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool IsLineBreak(std::string_view name)
{
    return IsOneOf(name,
        {"address", "blockquote", "br", "caption", "dd", "div", "dl", "dt", "h1", "h2", "h3", "h4",
            "h5", "h6", "hr", "li", "ol", "p", "pre", "table", "tr", "ul"});
}

} // namespace

TAnsiString HelpPagePlainText(std::string_view html)
{
    TAnsiString text;
    bool blank = false; // a blank is owed before the next word
    const auto addText = [&](std::string_view run) {
        for (const char c : DecodeCharacterReferences(run)) {
            if (static_cast<unsigned char>(c) <= ' ' || c == '\xA0') {
                blank = !text.empty() && text.back() != '\n';
            } else {
                if (blank)
                    text += ' ';
                blank = false;
                text += c;
            }
        }
    };
    std::string skipUntil; // the end tag that ends a part left out
    std::size_t pos = 0;
    while (text.size() < MaxHelpPagePlainText) {
        const auto token = NextHtmlToken(html, pos);
        if (!token)
            break;
        if (token->Kind == THtmlToken::TKind::Text) {
            if (skipUntil.empty())
                addText(token->Characters);
            continue;
        }
        if (token->Kind != THtmlToken::TKind::Tag)
            continue;
        const std::string name = AsciiLowerCase(token->Name);
        if (!skipUntil.empty()) {
            if (token->Closing && name == skipUntil)
                skipUntil.clear();
        } else if (!token->Closing && (name == "head" || name == "script" || name == "style")) {
            skipUntil = name;
        } else if (IsLineBreak(name) && !text.empty() && text.back() != '\n') {
            text += '\n';
            blank = false;
        } else if (name == "td" || name == "th") {
            blank = !text.empty() && text.back() != '\n';
        }
    }
    if (text.size() > MaxHelpPagePlainText)
        text.resize(MaxHelpPagePlainText);
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

TSanitizedHelpPage PlainTextHelpPage(std::string_view html)
{
    std::string page = "<p>";
    for (const char c : HelpPagePlainText(html)) {
        switch (c) {
        case '&':
            page += "&amp;";
            break;
        case '<':
            page += "&lt;";
            break;
        case '>':
            page += "&gt;";
            break;
        case '\n':
            page += "<br>";
            break;
        default:
            page += c;
        }
    }
    return SanitizeHelpPage(page);
}
