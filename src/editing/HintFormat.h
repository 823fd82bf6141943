#pragma once

#include "common/AnsiString.h"

#include <span>

// The popup's hint formats when the language file gives none, or one that cannot be used.
inline constexpr TAnsiView BuiltInColorHint = "red: %d, green: %d, blue: %d";
inline constexpr TAnsiView BuiltInIntensityHint = "Intensity: %d%%";

// Fills a hint format taken from a language file with integer values. Such a format is untrusted
// input, so it is never handed to printf: it may hold only "%%" (a percent sign) and %d, %i or %u
// placeholders with any of the flags "-+ 0", a width and a precision of at most two digits each,
// and exactly one placeholder per value. Any other directive (%s, %n, %x, %*d, %ld, a lone "%" at
// the end, ...), a placeholder count that differs from the number of values, or an empty format
// gives `builtIn` filled in instead (or `builtIn` as it is, should it not fit the values either).
// A placeholder gives at most 100 characters, so the result stays within the format's length plus
// 100 per value.
TAnsiString FormatIntegerHint(TAnsiView format, std::span<const int> values, TAnsiView builtIn);
