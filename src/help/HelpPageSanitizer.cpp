// SanitizeHelpPage: the page is read once, by our own tokeniser, into a tree of the elements we
// keep, which is written out again with every tag explicit. Qt's HTML reader is only ever given
// that output, so however the source is written, Qt nests exactly what the limits allowed here.
#include "help/HelpPage.h"

#include "help/HelpPageMarkup.h"
#include "help/HtmlTokenizer.h"

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr std::size_t MaxStyleSheets = 4;
constexpr char32_t ZeroWidthSpace = 0x200B;
// Room kept in the body for the end tags of every open element.
constexpr std::size_t EndTagRoom = 1024;

bool IsBlank(char32_t c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

class TSanitizer
{
public:
    explicit TSanitizer(std::string_view html)
        : FTokens(html)
    { }

    TSanitizedHelpPage Run();

private:
    void StartTag(const THtmlPiece& piece);
    void EndTag(std::string_view name);
    void Text(std::string_view raw);
    void StyleSheet(const std::vector<THtmlAttribute>& attributes);

    // Closes what the element cannot stand in and opens what it needs around it; false when it
    // has no place (or its surroundings no room).
    bool MakeRoomFor(const THelpElement& element);
    bool MakeRoomForBlock();
    // Puts in the row, cell, item or definition that the open element needs before content.
    bool FillStructure();
    bool Open(const THelpElement& element, const std::vector<THtmlAttribute>& attributes = {});
    void CloseAbove(std::size_t index);
    void CloseFrom(std::size_t index);
    std::optional<std::size_t> FindOpen(std::initializer_list<std::string_view> names,
        std::initializer_list<std::string_view> stops) const;
    THelpHolds Holds() const { return FOpen.empty() ? THelpHolds::Flow : FOpen.back()->Holds; }
    bool Fits(std::size_t bytes) const
    {
        return FBody.size() + bytes + EndTagRoom <= MaxHelpPageBodySize;
    }

    THtmlTokenizer FTokens;
    std::vector<const THelpElement*> FOpen;
    int FTables = 0;
    std::string FBody;
    std::optional<std::u32string> FTitle;
    std::vector<std::string> FStyleSheets;
    THelpPageMeasure FMeasure;
    std::u32string FText;
    // Characters written since the last place a line may break.
    std::size_t FWordLength = 0;
};

TSanitizedHelpPage TSanitizer::Run()
{
    THtmlPiece piece;
    while (!FMeasure.Cut && FTokens.Next(piece)) {
        switch (piece.Kind) {
        case THtmlPiece::TKind::Text:
            Text(piece.Text);
            break;
        case THtmlPiece::TKind::StartTag:
            StartTag(piece);
            break;
        case THtmlPiece::TKind::EndTag:
            EndTag(piece.Name);
            break;
        case THtmlPiece::TKind::Skip:
            break;
        }
    }
    if (!FOpen.empty())
        CloseFrom(0);

    TSanitizedHelpPage page;
    page.Html = "<html><head>";
    if (FTitle)
        page.Html += "<title>" + EncodeHelpText(*FTitle, false) + "</title>";
    for (const std::string& sheet : FStyleSheets)
        page.Html += sheet;
    page.Html += "</head><body>" + FBody + "</body></html>";
    page.Measure = FMeasure;
    return page;
}

void TSanitizer::StartTag(const THtmlPiece& piece)
{
    const std::string& name = piece.Name;
    if (name == "title") {
        const std::string_view raw = FTokens.RawTextUntilEndTag(name);
        if (!FTitle) {
            DecodeHelpText(raw, FText);
            FTitle = FText.substr(0, MaxHelpShortText);
        }
    } else if (name == "script" || name == "style") {
        FTokens.RawTextUntilEndTag(name);
    } else if (name == "link") {
        StyleSheet(piece.Attributes);
    } else if (const THelpElement* element = FindHelpElement(name)) {
        if (MakeRoomFor(*element))
            Open(*element, piece.Attributes);
    }
}

void TSanitizer::StyleSheet(const std::vector<THtmlAttribute>& attributes)
{
    const auto rel = HelpAttributeValue(attributes, "rel");
    const auto href = HelpAttributeValue(attributes, "href");
    if (FStyleSheets.size() >= MaxStyleSheets || !rel || !href
        || HelpKeyword(*rel, {"stylesheet"}) != "stylesheet")
        return;
    if (const auto value = HelpUrlAttribute(*href))
        FStyleSheets.push_back(
            "<link rel=\"stylesheet\" type=\"text/css\" href=\"" + *value + "\">");
}

bool TSanitizer::MakeRoomFor(const THelpElement& element)
{
    switch (element.Place) {
    case THelpPlace::Cell:
        if (const auto at = FindOpen({"tr", "table"}, {})) {
            CloseAbove(*at);
            return FOpen[*at]->Name == "tr" || Open(HelpElement("tr"));
        }
        return false;
    case THelpPlace::Row:
        if (const auto at = FindOpen({"table"}, {})) {
            CloseAbove(*at);
            return true;
        }
        return false;
    case THelpPlace::ListItem:
        if (const auto at = FindOpen({"ul", "ol"}, {"table", "td", "th"})) {
            CloseAbove(*at);
            return true;
        }
        return MakeRoomForBlock() && Open(HelpElement("ul"));
    case THelpPlace::DefinitionItem:
        if (const auto at = FindOpen({"dl"}, {"table", "td", "th", "li"})) {
            CloseAbove(*at);
            return true;
        }
        return MakeRoomForBlock() && Open(HelpElement("dl"));
    case THelpPlace::Block:
        return MakeRoomForBlock();
    case THelpPlace::Inline:
        // A link inside a link would end the outer one.
        if (element.Name == "a") {
            for (std::size_t i = FOpen.size(); i > 0 && FOpen[i - 1]->Place == THelpPlace::Inline;
                 --i) {
                if (FOpen[i - 1]->Name == "a") {
                    CloseFrom(i - 1);
                    break;
                }
            }
        }
        return FillStructure();
    }
    return false;
}

bool TSanitizer::MakeRoomForBlock()
{
    // Blocks never stand in text: an open paragraph, heading or inline element ends first.
    while (Holds() == THelpHolds::Inline)
        CloseFrom(FOpen.size() - 1);
    return FillStructure();
}

bool TSanitizer::FillStructure()
{
    for (;;) {
        switch (Holds()) {
        case THelpHolds::Rows:
            if (!Open(HelpElement("tr")))
                return false;
            break;
        case THelpHolds::Cells:
            if (!Open(HelpElement("td")))
                return false;
            break;
        case THelpHolds::ListItems:
            if (!Open(HelpElement("li")))
                return false;
            break;
        case THelpHolds::DefinitionItems:
            if (!Open(HelpElement("dd")))
                return false;
            break;
        default:
            return true;
        }
    }
}

bool TSanitizer::Open(const THelpElement& element, const std::vector<THtmlAttribute>& attributes)
{
    const bool isTable = element.Name == "table";
    const bool isCell = element.Place == THelpPlace::Cell;
    if (FOpen.size() >= std::size_t(MaxHelpPageNesting) || FMeasure.Elements >= MaxHelpPageElements
        || (isTable && FTables >= MaxHelpPageTableNesting)
        || (isCell && FMeasure.TableCells >= MaxHelpPageTableCells))
        return false;
    std::string tag = "<" + std::string(element.Name) + HelpElementAttributes(element, attributes);
    tag += ">";
    if (!Fits(tag.size())) {
        FMeasure.Cut = true;
        return false;
    }
    FBody += tag;
    ++FMeasure.Elements;
    FMeasure.Nesting = std::max(FMeasure.Nesting, int(FOpen.size()) + 1);
    if (isCell)
        ++FMeasure.TableCells;
    if (element.Holds != THelpHolds::Nothing) {
        FOpen.push_back(&element);
        if (isTable)
            FMeasure.TableNesting = std::max(FMeasure.TableNesting, ++FTables);
    }
    return true;
}

void TSanitizer::CloseFrom(std::size_t index)
{
    while (FOpen.size() > index) {
        FBody += "</" + std::string(FOpen.back()->Name) + ">";
        if (FOpen.back()->Name == "table")
            --FTables;
        FOpen.pop_back();
    }
}

void TSanitizer::CloseAbove(std::size_t index)
{
    CloseFrom(index + 1);
}

std::optional<std::size_t> TSanitizer::FindOpen(std::initializer_list<std::string_view> names,
    std::initializer_list<std::string_view> stops) const
{
    for (std::size_t i = FOpen.size(); i > 0; --i) {
        const std::string_view name = FOpen[i - 1]->Name;
        if (std::find(names.begin(), names.end(), name) != names.end())
            return i - 1;
        if (std::find(stops.begin(), stops.end(), name) != stops.end())
            return std::nullopt;
    }
    return std::nullopt;
}

void TSanitizer::EndTag(std::string_view name)
{
    const THelpElement* element = FindHelpElement(name);
    if (element == nullptr || element->Holds == THelpHolds::Nothing)
        return;
    std::optional<std::size_t> at;
    if (element->Place == THelpPlace::Inline) {
        // Inline elements hold only inline elements, so the search ends at the first block.
        for (std::size_t i = FOpen.size(); i > 0 && FOpen[i - 1]->Place == THelpPlace::Inline;
             --i) {
            if (FOpen[i - 1] == element) {
                at = i - 1;
                break;
            }
        }
    } else if (name == "table") {
        at = FindOpen({name}, {});
    } else if (element->Place == THelpPlace::Row || element->Place == THelpPlace::Cell) {
        at = FindOpen({name}, {"table"});
    } else if (element->Place == THelpPlace::ListItem) {
        at = FindOpen({name}, {"ul", "ol", "table", "td", "th"});
    } else if (element->Place == THelpPlace::DefinitionItem) {
        at = FindOpen({name}, {"dl", "table", "td", "th"});
    } else {
        at = FindOpen({name}, {"table", "td", "th"});
    }
    if (at)
        CloseFrom(*at);
}

void TSanitizer::Text(std::string_view raw)
{
    DecodeHelpText(raw, FText);
    const bool structure = Holds() != THelpHolds::Flow && Holds() != THelpHolds::Inline;
    // Blanks at the start of the body and between rows, items and definitions mean nothing.
    if (FText.empty()
        || ((FBody.empty() || structure) && std::all_of(FText.begin(), FText.end(), IsBlank)))
        return;
    if (structure && !FillStructure())
        return;
    for (const char32_t c : FText) {
        const bool breaks = IsBlank(c) || c == ZeroWidthSpace;
        const bool breakFirst = !breaks && FWordLength >= MaxHelpPageWordLength;
        if (!Fits(MaxHelpCharacterLength * (breakFirst ? 2 : 1))) {
            FMeasure.Cut = true;
            return;
        }
        if (breakFirst) {
            AppendHelpCharacter(FBody, ZeroWidthSpace, false);
            FWordLength = 0;
        }
        AppendHelpCharacter(FBody, c, false);
        FWordLength = breaks ? 0 : FWordLength + 1;
    }
}

} // namespace

TSanitizedHelpPage SanitizeHelpPage(std::string_view html)
{
    return TSanitizer(html).Run();
}
