// Hint formats from language files: any bytes as a format give either that format filled in or
// the built-in one, never anything printf would make of a hostile directive, and stay within the
// format's length plus 100 characters per value.
//
// Input: a byte whose value modulo 4 is the number of values, 4 bytes per value (little-endian),
// then the format.

#include "FuzzCheck.h"
#include "editing/HintFormat.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The rules again, plainly: every "%" starts "%%" or matches [-+ 0]*[0-9]{0,2}(.[0-9]{0,2})?[diu],
// and that placeholder, which is safe to give printf, is what is written.
std::optional<std::string> Restated(std::string_view format, const std::vector<int>& values)
{
    std::string text;
    std::size_t used = 0;
    for (std::size_t at = 0; at < format.size();) {
        if (format[at] != '%') {
            text += format[at++];
            continue;
        }
        if (at + 1 < format.size() && format[at + 1] == '%') {
            text += '%';
            at += 2;
            continue;
        }
        std::size_t end = at + 1;
        while (end < format.size() && std::strchr("-+ 0", format[end]) != nullptr
            && format[end] != '\0')
            ++end;
        for (int digits = 0; digits < 2 && end < format.size() && IsDigit(format[end]); ++digits)
            ++end;
        if (end < format.size() && format[end] == '.') {
            ++end;
            for (int digits = 0; digits < 2 && end < format.size() && IsDigit(format[end]);
                 ++digits)
                ++end;
        }
        if (end >= format.size() || std::strchr("diu", format[end]) == nullptr
            || format[end] == '\0' || used == values.size())
            return std::nullopt;
        const std::string placeholder(format.substr(at, end + 1 - at));
        char written[128];
        if (format[end] == 'u')
            std::snprintf(written, sizeof written, placeholder.c_str(), unsigned(values[used]));
        else
            std::snprintf(written, sizeof written, placeholder.c_str(), values[used]);
        ++used;
        text += written;
        at = end + 1;
    }
    if (used != values.size())
        return std::nullopt;
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t count = data[0] % 4;
    std::size_t at = 1;
    std::vector<int> values;
    for (std::size_t i = 0; i < count; ++i) {
        std::uint32_t value = 0;
        for (int byte = 0; byte < 4; ++byte, ++at)
            if (at < size)
                value |= std::uint32_t(data[at]) << (8 * byte);
        values.push_back(static_cast<int>(value));
    }
    const std::string_view format
        = at < size ? std::string_view(reinterpret_cast<const char*>(data) + at, size - at) : "";
    const TAnsiView builtIns[] = {"(no values)", BuiltInIntensityHint, "%d, %d", BuiltInColorHint};
    const TAnsiView builtIn = builtIns[count];

    const TAnsiString text = FormatIntegerHint(format, values, builtIn);
    std::optional<std::string> expected;
    if (!format.empty())
        expected = Restated(format, values);
    if (!expected)
        expected = Restated(builtIn, values);
    FUZZ_CHECK(expected.has_value());
    FUZZ_CHECK(text == *expected);
    FUZZ_CHECK(text.size() <= std::max(format.size(), builtIn.size()) + 100 * count);
    return 0;
}
