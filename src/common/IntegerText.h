#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Reads text as a signed 32-bit integer the way the navigator's files and the settings expect:
// optional leading blanks, an optional sign, hexadecimal after "$", "x", "X", "0x" or "0X"
// (at most eight digits, taken as a 32-bit pattern), decimal otherwise (leading zeros allowed,
// no octal). Anything else, an empty text, or a decimal number outside the 32-bit range fails.
std::optional<std::int32_t> TryTextToInt(std::string_view text);
