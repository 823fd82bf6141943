#include "preview/ReferenceScheme.h"

#include "preview/ReferenceColors.h"
#include "scheme/SchemeFile.h"

namespace {

// The document's items with their colours replaced by the reference colours.
std::vector<TSchemeItem> ReferenceItems(const std::vector<TAnsiString>& descriptions)
{
    TRGBTripleArray colors(descriptions.size());
    MakeReferenceColors(colors);
    std::vector<TSchemeItem> items;
    items.reserve(descriptions.size());
    for (std::size_t i = 0; i < descriptions.size(); ++i)
        items.push_back({colors[i], descriptions[i]});
    return items;
}

} // namespace

TAnsiString ReferenceSchemeText(const std::vector<TAnsiString>& descriptions)
{
    return SchemeText(ReferenceItems(descriptions));
}

void WriteReferenceFile(
    const std::filesystem::path& file, const std::vector<TAnsiString>& descriptions)
{
    WriteSchemeFile(file, ReferenceItems(descriptions));
}
