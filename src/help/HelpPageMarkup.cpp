#include "help/HelpPageMarkup.h"

#include "common/TextRules.h"
#include "common/Windows1252.h"
#include "help/HtmlReferences.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>

namespace {

constexpr std::array<THelpElement, 41> Elements {{
    {"div", THelpPlace::Block, THelpHolds::Flow},
    {"blockquote", THelpPlace::Block, THelpHolds::Flow},
    {"p", THelpPlace::Block, THelpHolds::Inline},
    {"h1", THelpPlace::Block, THelpHolds::Inline},
    {"h2", THelpPlace::Block, THelpHolds::Inline},
    {"h3", THelpPlace::Block, THelpHolds::Inline},
    {"h4", THelpPlace::Block, THelpHolds::Inline},
    {"h5", THelpPlace::Block, THelpHolds::Inline},
    {"h6", THelpPlace::Block, THelpHolds::Inline},
    {"pre", THelpPlace::Block, THelpHolds::Inline},
    {"hr", THelpPlace::Block, THelpHolds::Nothing},
    {"ul", THelpPlace::Block, THelpHolds::ListItems},
    {"ol", THelpPlace::Block, THelpHolds::ListItems},
    {"li", THelpPlace::ListItem, THelpHolds::Flow},
    {"dl", THelpPlace::Block, THelpHolds::DefinitionItems},
    {"dt", THelpPlace::DefinitionItem, THelpHolds::Inline},
    {"dd", THelpPlace::DefinitionItem, THelpHolds::Flow},
    {"table", THelpPlace::Block, THelpHolds::Rows},
    {"tr", THelpPlace::Row, THelpHolds::Cells},
    {"td", THelpPlace::Cell, THelpHolds::Flow},
    {"th", THelpPlace::Cell, THelpHolds::Flow},
    {"a", THelpPlace::Inline, THelpHolds::Inline},
    {"b", THelpPlace::Inline, THelpHolds::Inline},
    {"i", THelpPlace::Inline, THelpHolds::Inline},
    {"u", THelpPlace::Inline, THelpHolds::Inline},
    {"s", THelpPlace::Inline, THelpHolds::Inline},
    {"em", THelpPlace::Inline, THelpHolds::Inline},
    {"strong", THelpPlace::Inline, THelpHolds::Inline},
    {"code", THelpPlace::Inline, THelpHolds::Inline},
    {"tt", THelpPlace::Inline, THelpHolds::Inline},
    {"kbd", THelpPlace::Inline, THelpHolds::Inline},
    {"samp", THelpPlace::Inline, THelpHolds::Inline},
    {"var", THelpPlace::Inline, THelpHolds::Inline},
    {"cite", THelpPlace::Inline, THelpHolds::Inline},
    {"span", THelpPlace::Inline, THelpHolds::Inline},
    {"sub", THelpPlace::Inline, THelpHolds::Inline},
    {"sup", THelpPlace::Inline, THelpHolds::Inline},
    {"small", THelpPlace::Inline, THelpHolds::Inline},
    {"big", THelpPlace::Inline, THelpHolds::Inline},
    {"br", THelpPlace::Inline, THelpHolds::Nothing},
    {"img", THelpPlace::Inline, THelpHolds::Nothing},
}};

enum class TValue {
    Url, // any text, at most MaxUrlLength characters
    Text, // any text, at most MaxShortText characters
    Identifier, // letters, digits and "_.:-"
    Classes, // letters, digits, "_-" and blanks
    Align,
    VerticalAlign,
    Length, // pixels or a percentage
    Spacing, // a few pixels
    Number,
};

struct TAttributeRule
{
    std::string_view Element; // empty: every element
    std::string_view Name;
    TValue Value;
};

// In the order the attributes are written.
constexpr std::array<TAttributeRule, 23> AttributeRules {{
    {"", "id", TValue::Identifier},
    {"", "class", TValue::Classes},
    {"a", "href", TValue::Url},
    {"a", "name", TValue::Identifier},
    {"img", "src", TValue::Url},
    {"img", "alt", TValue::Text},
    {"img", "width", TValue::Length},
    {"img", "height", TValue::Length},
    {"p", "align", TValue::Align},
    {"div", "align", TValue::Align},
    {"h1", "align", TValue::Align},
    {"h2", "align", TValue::Align},
    {"h3", "align", TValue::Align},
    {"table", "border", TValue::Spacing},
    {"table", "cellpadding", TValue::Spacing},
    {"table", "cellspacing", TValue::Spacing},
    {"table", "width", TValue::Length},
    {"td", "align", TValue::Align},
    {"td", "valign", TValue::VerticalAlign},
    {"td", "width", TValue::Length},
    {"th", "align", TValue::Align},
    {"th", "valign", TValue::VerticalAlign},
    {"ol", "start", TValue::Number},
}};

constexpr std::size_t MaxUrlLength = 1024;

bool IsKept(char32_t c)
{
    return c == '\t' || c == '\n' || (c >= 0x20 && c < 0x7F) || c >= 0xA0;
}

bool AllOf(std::u32string_view text, std::string_view allowed)
{
    return std::all_of(text.begin(), text.end(), [allowed](char32_t c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
            || (c < 0x80 && allowed.find(static_cast<char>(c)) != std::string_view::npos);
    });
}

// A whole number of at most `largest`, with an optional "%" where `percent` allows it.
std::optional<std::string> WholeNumber(
    std::u32string_view text, int smallest, int largest, bool percent)
{
    const bool isPercent = percent && text.ends_with(U'%');
    if (isPercent)
        text.remove_suffix(1);
    if (text.empty() || text.size() > 6)
        return std::nullopt;
    int value = 0;
    for (const char32_t c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + int(c - '0');
    }
    if (value < smallest || value > (isPercent ? 100 : largest))
        return std::nullopt;
    return std::to_string(value) + (isPercent ? "%" : "");
}

// The value as written out, or nothing when the attribute is left out.
std::optional<std::string> CanonicalValue(TValue kind, std::u32string_view value)
{
    switch (kind) {
    case TValue::Url:
        return HelpUrlAttribute(value);
    case TValue::Text:
        return value.size() <= MaxHelpShortText ? std::optional(EncodeHelpText(value, true))
                                                : std::nullopt;
    case TValue::Identifier:
        return !value.empty() && value.size() <= 64 && AllOf(value, "_.:-")
            ? std::optional(EncodeHelpText(value, true))
            : std::nullopt;
    case TValue::Classes:
        return value.size() <= 128 && AllOf(value, "_- ")
            ? std::optional(EncodeHelpText(value, true))
            : std::nullopt;
    case TValue::Align:
        return HelpKeyword(value, {"left", "center", "right", "justify"});
    case TValue::VerticalAlign:
        return HelpKeyword(value, {"top", "middle", "bottom"});
    case TValue::Length:
        return WholeNumber(value, 1, 2048, true);
    case TValue::Spacing:
        return WholeNumber(value, 0, 20, false);
    case TValue::Number:
        return WholeNumber(value, 0, 9999, false);
    }
    return std::nullopt;
}

} // namespace

const THelpElement* FindHelpElement(std::string_view name)
{
    const auto found = std::find_if(Elements.begin(), Elements.end(),
        [name](const THelpElement& element) { return element.Name == name; });
    return found == Elements.end() ? nullptr : &*found;
}

const THelpElement& HelpElement(std::string_view name)
{
    return *FindHelpElement(name);
}

std::string HelpElementAttributes(
    const THelpElement& element, const std::vector<THtmlAttribute>& attributes)
{
    std::string written;
    for (const TAttributeRule& rule : AttributeRules) {
        if (!rule.Element.empty() && rule.Element != element.Name)
            continue;
        if (const auto value = HelpAttributeValue(attributes, rule.Name)) {
            if (const auto canonical = CanonicalValue(rule.Value, *value))
                written += " " + std::string(rule.Name) + "=\"" + *canonical + "\"";
        }
    }
    return written;
}

std::optional<std::u32string> HelpAttributeValue(
    const std::vector<THtmlAttribute>& attributes, std::string_view name)
{
    for (const THtmlAttribute& attribute : attributes) {
        if (attribute.Name == name) {
            std::u32string value;
            DecodeHelpText(attribute.Value, value);
            return value;
        }
    }
    return std::nullopt;
}

std::optional<std::string> HelpUrlAttribute(std::u32string_view value)
{
    if (value.size() > MaxUrlLength)
        return std::nullopt;
    return EncodeHelpText(value, true);
}

std::optional<std::string> HelpKeyword(
    std::u32string_view text, std::initializer_list<std::string_view> words)
{
    std::string lower;
    for (const char32_t c : text) {
        if (c >= 0x80)
            return std::nullopt;
        lower += AsciiLower(static_cast<char>(c));
    }
    if (std::find(words.begin(), words.end(), lower) == words.end())
        return std::nullopt;
    return lower;
}

void DecodeHelpText(std::string_view raw, std::u32string& out)
{
    out.clear();
    for (std::size_t pos = 0; pos < raw.size(); ++pos) {
        char32_t c = Windows1252ToUnicode(static_cast<unsigned char>(raw[pos]));
        if (raw[pos] == '&') {
            const std::size_t semicolon = raw.substr(pos + 1, MaxHtmlReferenceLength + 1).find(';');
            if (semicolon != std::string_view::npos) {
                if (const auto referenced
                    = HtmlReferenceCharacter(raw.substr(pos + 1, semicolon))) {
                    c = *referenced;
                    pos += semicolon + 1;
                }
            }
        }
        if (IsKept(c))
            out.push_back(c);
    }
}

void AppendHelpCharacter(std::string& out, char32_t c, bool inAttribute)
{
    switch (c) {
    case '&':
        out += "&amp;";
        return;
    case '<':
        out += "&lt;";
        return;
    case '>':
        out += "&gt;";
        return;
    case '"':
        out += inAttribute ? "&quot;" : "\"";
        return;
    default:
        break;
    }
    if (const auto byte = UnicodeToWindows1252(c))
        out += static_cast<char>(*byte);
    else
        out += "&#" + std::to_string(static_cast<std::uint32_t>(c)) + ";";
}

std::string EncodeHelpText(std::u32string_view text, bool inAttribute)
{
    std::string out;
    for (const char32_t c : text)
        AppendHelpCharacter(out, c, inAttribute);
    return out;
}
