// Colour files: any bytes read as items without failing, and the text written for those items
// reads back as the same items (and is itself written back unchanged).

#include "FuzzCheck.h"
#include "scheme/SchemeFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<TSchemeItem> items = ParseSchemeText(bytes);
    const std::string text = SchemeText(items);
    const std::vector<TSchemeItem> again = ParseSchemeText(text);
    FUZZ_CHECK(again == items);
    FUZZ_CHECK(SchemeText(again) == text);
    return 0;
}
