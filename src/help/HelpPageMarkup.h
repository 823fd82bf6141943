#pragma once

#include "help/HtmlTokenizer.h"

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The elements and attributes a rewritten help page keeps (SanitizeHelpPage), and how its text is
// read and written.

// Where an element may stand: among blocks, among text, or only inside its own parent.
enum class THelpPlace { Block, Inline, ListItem, DefinitionItem, Row, Cell };
// What it may hold.
enum class THelpHolds { Flow, Inline, ListItems, DefinitionItems, Rows, Cells, Nothing };

struct THelpElement
{
    std::string_view Name;
    THelpPlace Place;
    THelpHolds Holds;
};

// The element of that (lower-case) name that pages keep; nothing for any other.
const THelpElement* FindHelpElement(std::string_view name);
// One that is kept, by name.
const THelpElement& HelpElement(std::string_view name);

// The kept attributes of a start tag as written out: ` name="value"` for each, in a fixed order,
// values checked and written canonically; others left out.
std::string HelpElementAttributes(
    const THelpElement& element, const std::vector<THtmlAttribute>& attributes);

// The value of the first attribute of that name, decoded (DecodeHelpText).
std::optional<std::u32string> HelpAttributeValue(
    const std::vector<THtmlAttribute>& attributes, std::string_view name);

// A link's address as written in an attribute; nothing when it is too long.
std::optional<std::string> HelpUrlAttribute(std::u32string_view value);

// The text in lower case when it is one of the words given; nothing otherwise.
std::optional<std::string> HelpKeyword(
    std::u32string_view text, std::initializer_list<std::string_view> words);

// The characters of a text run or attribute value: Windows-1252 bytes and character references,
// control characters left out.
void DecodeHelpText(std::string_view raw, std::u32string& out);

// Writes a character as text ("&amp;", "&lt;", "&gt;", and "&quot;" in an attribute); one that
// Windows-1252 lacks as a number ("&#8594;"). At most MaxHelpCharacterLength bytes.
void AppendHelpCharacter(std::string& out, char32_t c, bool inAttribute);
std::string EncodeHelpText(std::u32string_view text, bool inAttribute);
inline constexpr std::size_t MaxHelpCharacterLength = 10; // "&#1114111;"

// The longest title and picture text kept.
inline constexpr std::size_t MaxHelpShortText = 256;
