#include "help/HelpPage.h"

#include "common/TextRules.h"
#include "help/HtmlTags.h"
#include "help/Sitemap.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

bool IsOneOf(std::string_view name, std::initializer_list<std::string_view> names)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool IsVoid(std::string_view name)
{
    return IsOneOf(name,
        {"area", "base", "basefont", "br", "col", "embed", "frame", "hr", "img", "input", "isindex",
            "link", "meta", "param", "source", "track", "wbr"});
}

// Elements that Qt lays out inline; a <p> closes an open paragraph across these only.
bool IsInline(std::string_view name)
{
    return IsOneOf(name,
        {"a", "abbr", "acronym", "b", "big", "cite", "code", "dfn", "em", "font", "i", "kbd",
            "nobr", "q", "s", "samp", "small", "span", "strike", "strong", "sub", "sup", "tt", "u",
            "var"});
}

bool IsLineBreak(std::string_view name)
{
    return IsOneOf(name,
        {"address", "blockquote", "br", "caption", "dd", "div", "dl", "dt", "h1", "h2", "h3", "h4",
            "h5", "h6", "hr", "li", "ol", "p", "pre", "table", "tr", "ul"});
}

class TNesting
{
public:
    explicit TNesting(THelpPageMeasure& measure)
        : FMeasure(measure)
    { }

    void Open(const std::string& name)
    {
        if (IsVoid(name))
            return;
        if (name == "p")
            CloseParagraph();
        else if (name == "li" && Top() == "li")
            FOpen.pop_back();
        else if (name == "td" || name == "th")
            EnterNearestOr({"tr"}, {"table", "tr"});
        else if (name == "tr")
            EnterNearestOr({"table", "thead", "tbody", "tfoot"}, {"table"});
        else if (IsOneOf(name, {"thead", "tbody", "tfoot", "caption"}))
            EnterNearestOr({"table"}, {});
        else if (name == "dd")
            EnterNearestOr({"dt", "dl"}, {});
        else if (name == "dt")
            EnterNearestOr({"dl"}, {});
        else if (name == "body" && Top() == "head")
            FOpen.pop_back();
        Push(name);
    }

    void Close(const std::string& name)
    {
        const auto found = std::find(FOpen.rbegin(), FOpen.rend(), name);
        if (found != FOpen.rend())
            FOpen.erase(std::next(found).base(), FOpen.end());
    }

    bool Fits() const { return FitsHelpPageLayout(FMeasure); }

private:
    std::string_view Top() const { return FOpen.empty() ? std::string_view() : FOpen.back(); }

    void Push(const std::string& name)
    {
        FOpen.push_back(name);
        FMeasure.Nesting = std::max(FMeasure.Nesting, int(FOpen.size()));
        if (name == "table") {
            const int tables = int(std::count(FOpen.begin(), FOpen.end(), "table"));
            FMeasure.TableNesting = std::max(FMeasure.TableNesting, tables);
        } else if (name == "td" || name == "th") {
            ++FMeasure.TableCells;
        }
    }

    void CloseParagraph()
    {
        auto it = FOpen.rbegin();
        while (it != FOpen.rend() && IsInline(*it))
            ++it;
        if (it != FOpen.rend() && *it == "p")
            FOpen.erase(std::next(it).base(), FOpen.end());
    }

    // Goes back to the nearest open element of the names, or, when none is open, opens the
    // elements Qt puts in for a cell or row that stands alone.
    void EnterNearestOr(
        std::initializer_list<std::string_view> names, std::initializer_list<std::string> implied)
    {
        const auto found = std::find_if(FOpen.rbegin(), FOpen.rend(),
            [&](const std::string& open) { return IsOneOf(open, names); });
        if (found != FOpen.rend()) {
            FOpen.erase(found.base(), FOpen.end());
            return;
        }
        for (const std::string& name : implied)
            Push(name);
    }

    THelpPageMeasure& FMeasure;
    std::vector<std::string> FOpen;
};

} // namespace

THelpPageMeasure MeasureHelpPage(std::string_view html)
{
    THelpPageMeasure measure;
    if (html.size() > MaxHelpPageSize) {
        measure.TooLarge = true;
        return measure;
    }
    TNesting nesting(measure);
    std::size_t pos = 0;
    while (const auto tag = NextHtmlTag(html, pos)) {
        const std::string name = AsciiLowerCase(tag->Name);
        if (tag->Closing)
            nesting.Close(name);
        else
            nesting.Open(name);
        if (!nesting.Fits())
            break;
    }
    return measure;
}

bool FitsHelpPageLayout(const THelpPageMeasure& measure)
{
    return !measure.TooLarge && measure.Nesting <= MaxHelpPageNesting
        && measure.TableNesting <= MaxHelpPageTableNesting
        && measure.TableCells <= MaxHelpPageTableCells;
}

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
