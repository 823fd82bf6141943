#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// UTF-8 as other programs demand it: files written for them (palettes, JSON) must hold
// well-formed UTF-8, while the names of files are any bytes.

// The length of the well-formed UTF-8 sequence the text starts with (1 to 4), or 0 when it does
// not start with one (an overlong form, a surrogate, a code point above U+10FFFF, a cut sequence).
std::size_t Utf8SequenceLength(std::string_view text);

// The text with each byte that belongs to no well-formed sequence replaced by U+FFFD.
std::string WellFormedUtf8(std::string_view text);
