#pragma once

#include <string>
#include <string_view>

// The pieces of JSON (RFC 8259) the program writes: strings and numbers. Objects and arrays are
// put together by their writers.

// Appends the text as a JSON string in quotes: the quote, the backslash and control characters
// are escaped, and a byte that does not belong to well-formed UTF-8 (a file name is any bytes)
// becomes U+FFFD, so the result is always valid JSON in UTF-8.
void AppendJsonString(std::string& json, std::string_view utf8);

// The shortest text that reads back as the same number ("5", "0.1", "1.0345e-05"); a value that
// is not finite, which JSON cannot hold, is written as null.
std::string JsonNumber(double value);
