// Compiled help files: any bytes as a container (the check before chmlib), as the help reader's
// entry stream, a #SYSTEM file, a context map, a sitemap, a popup-text file and a page, and their
// lines as the paths of an archive and the links into it. Bytes with "STRINGS:" in them are split
// there into #IVB and #STRINGS; otherwise the same bytes serve as both. Every reader must stay
// inside its bounds and give results that agree with each other.

#include "FuzzCheck.h"
#include "help/ChmContainer.h"
#include "help/ChmContextMap.h"
#include "help/ChmEntryStream.h"
#include "help/ChmPathIndex.h"
#include "help/ChmSystem.h"
#include "help/HelpPage.h"
#include "help/PopupTopics.h"
#include "help/Sitemap.h"

#include "common/TextRules.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

void CheckContexts(std::string_view ivb, std::string_view strings)
{
    const std::vector<TChmContext> contexts = ParseChmContexts(ivb, strings);
    FUZZ_CHECK(contexts.size() <= MaxChmContexts);
    for (const TChmContext& context : contexts) {
        FUZZ_CHECK(!context.Topic.empty() && context.Topic.size() <= 1024);
        FUZZ_CHECK(context.Topic.find('\0') == std::string::npos);
        // The lookup finds the first readable pair of a number.
        const auto found = FindChmContext(ivb, strings, context.Context);
        FUZZ_CHECK(found.has_value());
        for (const TChmContext& earlier : contexts) {
            if (earlier.Context == context.Context) {
                FUZZ_CHECK(*found == earlier.Topic);
                break;
            }
        }
        // A topic the archive holds under its bare name resolves to an ending of its path.
        const auto resolved = ResolveChmTopic(context.Topic,
            [](TAnsiView path) { return path.size() > 1 && path.find('/', 1) == TAnsiView::npos; });
        if (resolved) {
            FUZZ_CHECK(resolved->starts_with('/'));
            const std::string_view path
                = std::string_view(*resolved).substr(0, resolved->find('#'));
            FUZZ_CHECK(path.find('\\') == std::string_view::npos);
        }
    }
}

// A stream is read whole or not at all, and what is read is what the writer writes.
void CheckEntryStream(std::string_view bytes)
{
    const auto entries = ReadChmEntryStream(bytes);
    if (!entries)
        return;
    FUZZ_CHECK(entries->size() <= MaxChmStreamEntries);
    const auto inside = [bytes](std::string_view part) {
        return part.data() >= bytes.data()
            && part.data() + part.size() <= bytes.data() + bytes.size();
    };
    for (const TChmStreamEntry& entry : *entries) {
        FUZZ_CHECK(!entry.Path.empty() && entry.Path.size() <= MaxChmPathLength);
        FUZZ_CHECK(entry.Path.find('\0') == std::string_view::npos && inside(entry.Path));
        FUZZ_CHECK(
            !entry.Content || (entry.Content->size() <= MaxChmEntrySize && inside(*entry.Content)));
    }
    FUZZ_CHECK(ChmEntryStreamSize(*entries) == bytes.size());
    FUZZ_CHECK(WriteChmEntryStream(*entries) == bytes);
}

// The index finds what a plain search of the paths finds, and resolves links as the
// ending-by-ending search does with it.
void CheckPathIndex(std::string_view bytes)
{
    std::vector<std::string_view> paths;
    for (std::size_t start = 0; start <= bytes.size() && paths.size() < 64;) {
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
        paths.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    const TChmPathIndex index(paths);
    for (const std::string_view path : paths) {
        std::string normal(path);
        for (char& c : normal) {
            if (c == '\\')
                c = '/';
        }
        if (!normal.starts_with('/') && !normal.starts_with("::"))
            normal.insert(normal.begin(), '/');
        std::optional<std::size_t> expected;
        for (std::size_t i = 0; i < paths.size() && !expected && !path.empty(); ++i) {
            if (paths[i] == normal)
                expected = i;
        }
        for (std::size_t i = 0; i < paths.size() && !expected && !path.empty(); ++i) {
            if (SameTextAscii(paths[i], normal))
                expected = i;
        }
        FUZZ_CHECK(index.Find(path) == expected);
        const auto hasEntry = [&](TAnsiView ending) { return index.Find(ending).has_value(); };
        FUZZ_CHECK(index.ResolveTopic(path) == ResolveChmTopic(path, hasEntry));
    }
}

void CheckPage(std::string_view bytes)
{
    const THelpPageMeasure measure = MeasureHelpPage(bytes);
    FUZZ_CHECK(measure.TooLarge == (bytes.size() > MaxHelpPageSize));
    // Reading stops at the first limit passed.
    FUZZ_CHECK(measure.Nesting <= MaxHelpPageNesting + 3);
    FUZZ_CHECK(measure.TableNesting <= MaxHelpPageTableNesting + 1);
    FUZZ_CHECK(measure.TableCells <= MaxHelpPageTableCells + 1);
    const TAnsiString text = HelpPagePlainText(bytes);
    FUZZ_CHECK(text.size() <= MaxHelpPagePlainText && text.size() <= bytes.size());
    FUZZ_CHECK(!text.starts_with('\n') && !text.ends_with('\n'));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const TChmFault fault = CheckChmContainer(bytes);
    FUZZ_CHECK(fault >= TChmFault::None && fault <= TChmFault::Compression);

    CheckEntryStream(bytes);

    const TChmSystem system = ParseChmSystem(bytes);
    for (const TAnsiString* text :
        {&system.ContentsFile, &system.IndexFile, &system.DefaultTopic, &system.Title}) {
        FUZZ_CHECK(text->size() <= size && text->find('\0') == std::string::npos);
    }

    const std::size_t split = bytes.find("STRINGS:");
    if (split == std::string_view::npos)
        CheckContexts(bytes, bytes);
    else
        CheckContexts(bytes.substr(0, split), bytes.substr(split + 8));

    for (const TSitemapItem& item : ParseSitemap(bytes)) {
        FUZZ_CHECK(item.Depth >= 0 && item.Depth <= MaxSitemapDepth);
        FUZZ_CHECK(!item.Name.empty() || !item.Local.empty());
        FUZZ_CHECK(item.Name.size() <= size && item.Local.size() <= size);
    }
    // A reference is never shorter than the byte it stands for.
    FUZZ_CHECK(DecodeCharacterReferences(bytes).size() <= size);

    CheckPathIndex(bytes);
    CheckPage(bytes);

    for (const auto& [context, text] : ParsePopupTopics(bytes)) {
        FUZZ_CHECK(context <= 0x7FFFFFFF);
        FUZZ_CHECK(!text.starts_with('\n') && !text.ends_with('\n'));
        FUZZ_CHECK(text.size() <= size);
    }
    return 0;
}
