#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

// The character an HTML character reference stands for, given its body between "&" and ";":
// one of the names of HTML 4 (and "apos"), or a number ("#228", "#x20AC") of at most seven
// digits. A number of 128 to 159 is read as the Windows-1252 character of that byte, as browsers
// do; NUL, surrogates and numbers beyond Unicode give U+FFFD. Nothing for a body that is no
// reference we know.
std::optional<char32_t> HtmlReferenceCharacter(std::string_view body);

// The most bytes a reference's body can take ("#x10FFFF", "thetasym").
inline constexpr std::size_t MaxHtmlReferenceLength = 8;
