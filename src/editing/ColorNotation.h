#pragma once

#include "scheme/SchemeFile.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Colours written the ways people copy them between programs: as the web writes them, as
// decimal triples, as CSS writes them.

// Text longer than this is no colour in any notation; text from outside (the clipboard) that
// long is refused before it is looked at.
constexpr std::size_t MaxColorNotationLength = 256;

// The colour of a text in one of these notations, blanks and line breaks around it dropped and
// letter case ignored:
//   "#F80"              the shorthand of three hexadecimal digits, only after "#": FF8800;
//   "#FF8800", "ff8800" six hexadecimal digits, with or without "#";
//   "255,136,0", "255, 136, 0", "255 136 0"
//                       red, green, blue as decimal numbers from 0 to 255, separated by commas
//                       or by blanks alone;
//   "rgb(255, 136, 0)", "rgb(255 136 0)"
//                       the same inside CSS's rgb().
// Nothing for any other text: a number above 255, a fourth component, a percentage, a colour
// name.
std::optional<TRGBTriple> ParseColorNotation(std::string_view text);

// "#FF8800": the form the program writes for others to read.
std::string HashColorCode(const TRGBTriple& color);
