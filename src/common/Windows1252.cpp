#include "common/Windows1252.h"

#include <array>

namespace {

// 0x80 to 0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char32_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, //
};

} // namespace

char32_t Windows1252ToUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return HighControls[byte - 0x80];
    return byte;
}

std::optional<unsigned char> UnicodeToWindows1252(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<unsigned char>(character);
    for (std::size_t i = 0; i < HighControls.size(); ++i) {
        if (HighControls[i] == character)
            return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

std::string Utf8FromAnsi(TAnsiView text)
{
    std::string result;
    result.reserve(text.size());
    for (char byte : text) {
        const char32_t c = Windows1252ToUnicode(static_cast<unsigned char>(byte));
        if (c < 0x80) {
            result.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            result.push_back(static_cast<char>(0xC0 | (c >> 6)));
            result.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            result.push_back(static_cast<char>(0xE0 | (c >> 12)));
            result.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            result.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return result;
}

std::string Utf8LineFromAnsi(TAnsiView text)
{
    std::string line;
    line.reserve(text.size());
    for (const char byte : text) {
        const char32_t c = Windows1252ToUnicode(static_cast<unsigned char>(byte));
        const bool control = c < 0x20 || (c >= 0x7F && c < 0xA0);
        line += control ? std::string(" ") : Utf8FromAnsi(TAnsiView(&byte, 1));
    }
    const std::size_t first = line.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return line.substr(first, line.find_last_not_of(' ') - first + 1);
}
