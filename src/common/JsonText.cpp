#include "common/JsonText.h"

#include "common/Utf8.h"

#include <charconv>
#include <cmath>

namespace {

constexpr std::string_view Replacement = "\xEF\xBF\xBD";

} // namespace

void AppendJsonString(std::string& json, std::string_view utf8)
{
    json += '"';
    while (!utf8.empty()) {
        const std::size_t length = Utf8SequenceLength(utf8);
        if (length == 0) {
            json += Replacement;
            utf8.remove_prefix(1);
            continue;
        }
        const char c = utf8.front();
        switch (c) {
        case '"':
            json += "\\\"";
            break;
        case '\\':
            json += "\\\\";
            break;
        case '\n':
            json += "\\n";
            break;
        case '\r':
            json += "\\r";
            break;
        case '\t':
            json += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                constexpr char Hex[] = "0123456789abcdef";
                json += "\\u00";
                json += Hex[static_cast<unsigned char>(c) >> 4];
                json += Hex[static_cast<unsigned char>(c) & 0xF];
            } else {
                json.append(utf8.substr(0, length));
            }
        }
        utf8.remove_prefix(length);
    }
    json += '"';
}

std::string JsonNumber(double value)
{
    if (!std::isfinite(value))
        return "null";
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}
