// Preview files: any bytes give a grid of the size they claim or one of the reader's own
// messages, and a grid that was read writes back to a file holding the same grid.

#include "FuzzCheck.h"
#include "common/Error.h"
#include "preview/PreviewFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TPreviewMap map;
    try {
        map = ParsePreviewData(bytes);
    } catch (const TError& error) {
        const std::string_view message = error.what();
        FUZZ_CHECK(message == "Error" || message == "Stream read error"
            || message == "Range check error" || message == "Out of memory");
        return 0;
    }
    FUZZ_CHECK(map.Width() >= 0 && map.Height() >= 0);
    FUZZ_CHECK(map.Cells().size()
        == static_cast<std::size_t>(map.Width()) * static_cast<std::size_t>(map.Height()));
    FUZZ_CHECK(ParsePreviewData(PreviewFileData(map)) == map);
    return 0;
}
