#pragma once

#include "common/AnsiString.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

// The context numbers of a compiled help file: #IVB holds the 32-bit byte count of the pairs that
// follow, then pairs of a 32-bit context number and the offset in #STRINGS of the topic's path, a
// NUL-terminated text. Pairs that point outside #STRINGS, or at a text that does not end, are
// skipped.

struct TChmContext
{
    std::uint32_t Context = 0;
    TAnsiString Topic; // the path as stored, such as "/tmp/build/en/item-list.htm"

    bool operator==(const TChmContext&) const = default;
};

// Every readable pair, in file order, at most MaxChmContexts of them.
constexpr std::size_t MaxChmContexts = 65536;
std::vector<TChmContext> ParseChmContexts(std::string_view ivb, std::string_view strings);

// The stored path of the first pair with the context number.
std::optional<TAnsiString> FindChmContext(
    std::string_view ivb, std::string_view strings, std::uint32_t context);

// Tells whether the archive holds an entry under a path such as "/item-list.htm".
using TChmEntryTest = std::function<bool(TAnsiView path)>;

// The archive path of a stored topic path. Help compilers store the path the page had on the
// machine that built the file ("/tmp/x/en/list.htm", "C:\help\list.htm"), so after the whole
// path ("\" read as "/", with a leading "/") come its shorter endings, one folder fewer each
// time, down to the bare file name; the first that the archive holds is the topic. A "#anchor"
// stays on the result.
std::optional<TAnsiString> ResolveChmTopic(TAnsiView storedPath, const TChmEntryTest& hasEntry);
