// Colour text from outside (the clipboard, a paste into the code field) and the find window's
// query: any bytes read as a colour in any notation, as a pasted code, and as a query.

#include "FuzzCheck.h"
#include "editing/ColorCode.h"
#include "editing/ColorNotation.h"
#include "tools/find/FindQuery.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace {

bool SameColor(const TRGBTriple& first, const TRGBTriple& second)
{
    return first.rgbtRed == second.rgbtRed && first.rgbtGreen == second.rgbtGreen
        && first.rgbtBlue == second.rgbtBlue;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    if (const std::optional<TRGBTriple> color = ParseColorNotation(bytes)) {
        FUZZ_CHECK(size <= MaxColorNotationLength);
        // The code written for it reads back as the same colour, with or without its "#".
        const std::string code = HashColorCode(*color);
        const std::optional<TRGBTriple> again = ParseColorNotation(code);
        FUZZ_CHECK(again && SameColor(*again, *color));
        const std::optional<TRGBTriple> bare = ParseColorNotation(code.substr(1));
        FUZZ_CHECK(bare && SameColor(*bare, *color));
    }

    if (const std::optional<std::string> code = ColorCodeFromPastedText(bytes)) {
        FUZZ_CHECK(size <= MaxColorNotationLength);
        FUZZ_CHECK(!code->empty() && code->size() <= 6);
        FUZZ_CHECK(ParseColorCode(*code).has_value());
    }

    // The same bytes as the language's words for "near" too.
    const TFindQuery query = ParseFindQuery(bytes, bytes);
    FUZZ_CHECK(query.SpelledWords.size() == query.Words.size());
    for (const std::string& word : query.Words) {
        FUZZ_CHECK(!word.empty());
        for (const char c : word)
            FUZZ_CHECK(static_cast<unsigned char>(c) > ' ');
    }
    if (query.Near)
        FUZZ_CHECK(query.Color && query.Words.empty() && !query.Item);
    if (query.Item)
        FUZZ_CHECK(*query.Item < 999999999);
    return 0;
}
