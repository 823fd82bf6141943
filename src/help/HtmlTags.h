#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

// The pieces of an HTML text, one at a time, for the readers of help pages and sitemaps.
struct THtmlToken
{
    enum class TKind {
        Text, // character data, references not decoded
        Tag,
        Other, // a comment, a declaration ("<!DOCTYPE"), or a "<" that starts no tag ("< 5 >")
    };
    TKind Kind = TKind::Text;
    std::string_view Characters; // of a Text token
    std::string_view Name; // of a tag: a letter, then letters and digits; no leading "/"
    bool Closing = false;
    std::string_view Attributes; // of a tag: from just after the name to the closing ">"
};

// Reads the piece at pos and moves pos past it; nothing at the end. A ">" inside a quoted value
// does not end a tag.
std::optional<THtmlToken> NextHtmlToken(std::string_view html, std::size_t& pos);

// The next tag at or after pos, passing over everything else.
std::optional<THtmlToken> NextHtmlTag(std::string_view html, std::size_t& pos);
