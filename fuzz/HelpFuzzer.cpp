// Compiled help files: any bytes as a container (the check before chmlib), as the help reader's
// entry stream, a #SYSTEM file, a context map, a sitemap, a popup-text file and a page (rewritten
// for the page view, which must give strict HTML within the limits), and their
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

// A strict reading of a rewritten page, independent of the rewriting: every "<" starts a tag
// of a kept element with kept attributes in double quotes, every "&" a reference the rewriting
// writes, every element is closed where it was opened and stands in a parent that may hold it.
// Its measure is what any HTML reader, Qt's included, lays out.
struct TStrictElement
{
    std::string_view Name;
    std::string_view Attributes; // blank-separated
    std::string_view Parents; // blank-separated; empty: any that holds blocks or text
    bool Block;
    bool Void;
    bool HoldsText;
    bool HoldsBlocks;
};

constexpr TStrictElement StrictElements[] = {
    {"div", "id class align", "", true, false, true, true},
    {"blockquote", "id class", "", true, false, true, true},
    {"p", "id class align", "", true, false, true, false},
    {"h1", "id class align", "", true, false, true, false},
    {"h2", "id class align", "", true, false, true, false},
    {"h3", "id class align", "", true, false, true, false},
    {"h4", "id class", "", true, false, true, false},
    {"h5", "id class", "", true, false, true, false},
    {"h6", "id class", "", true, false, true, false},
    {"pre", "id class", "", true, false, true, false},
    {"hr", "id class", "", true, true, false, false},
    {"ul", "id class", "", true, false, false, false},
    {"ol", "id class start", "", true, false, false, false},
    {"li", "id class", "ul ol", true, false, true, true},
    {"dl", "id class", "", true, false, false, false},
    {"dt", "id class", "dl", true, false, true, false},
    {"dd", "id class", "dl", true, false, true, true},
    {"table", "id class border cellpadding cellspacing width", "", true, false, false, false},
    {"tr", "id class", "table", true, false, false, false},
    {"td", "id class align valign width", "tr", true, false, true, true},
    {"th", "id class align valign", "tr", true, false, true, true},
    {"a", "id class href name", "", false, false, true, false},
    {"br", "id class", "", false, true, false, false},
    {"img", "id class src alt width height", "", false, true, false, false},
    {"b", "id class", "", false, false, true, false},
    {"i", "id class", "", false, false, true, false},
    {"u", "id class", "", false, false, true, false},
    {"s", "id class", "", false, false, true, false},
    {"em", "id class", "", false, false, true, false},
    {"strong", "id class", "", false, false, true, false},
    {"code", "id class", "", false, false, true, false},
    {"tt", "id class", "", false, false, true, false},
    {"kbd", "id class", "", false, false, true, false},
    {"samp", "id class", "", false, false, true, false},
    {"var", "id class", "", false, false, true, false},
    {"cite", "id class", "", false, false, true, false},
    {"span", "id class", "", false, false, true, false},
    {"sub", "id class", "", false, false, true, false},
    {"sup", "id class", "", false, false, true, false},
    {"small", "id class", "", false, false, true, false},
    {"big", "id class", "", false, false, true, false},
};

bool IsWord(std::string_view words, std::string_view word)
{
    for (std::size_t start = 0; start < words.size();) {
        const std::size_t end = std::min(words.find(' ', start), words.size());
        if (words.substr(start, end - start) == word)
            return true;
        start = end + 1;
    }
    return false;
}

const TStrictElement* StrictElement(std::string_view name)
{
    for (const TStrictElement& element : StrictElements) {
        if (element.Name == name)
            return &element;
    }
    return nullptr;
}

// Text between tags: "&" only as a reference the rewriting writes, no ">".
void CheckStrictText(std::string_view text, bool inAttribute)
{
    FUZZ_CHECK(text.find('>') == std::string_view::npos);
    FUZZ_CHECK(!inAttribute || text.find('"') == std::string_view::npos);
    for (std::size_t amp = text.find('&'); amp != std::string_view::npos;
         amp = text.find('&', amp + 1)) {
        const std::string_view rest = text.substr(amp);
        if (rest.starts_with("&amp;") || rest.starts_with("&lt;") || rest.starts_with("&gt;")
            || rest.starts_with("&quot;"))
            continue;
        FUZZ_CHECK(rest.starts_with("&#"));
        const std::size_t semicolon = rest.find(';');
        FUZZ_CHECK(semicolon != std::string_view::npos && semicolon > 2 && semicolon <= 9);
        for (const char c : rest.substr(2, semicolon - 2))
            FUZZ_CHECK(c >= '0' && c <= '9');
    }
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        FUZZ_CHECK(byte == '\t' || byte == '\n' || (byte >= 0x20 && byte != 0x7F));
    }
}

THelpPageMeasure StrictMeasure(std::string_view html)
{
    constexpr std::string_view Start = "<html><head>";
    constexpr std::string_view HeadEnd = "</head><body>";
    constexpr std::string_view End = "</body></html>";
    FUZZ_CHECK(html.starts_with(Start) && html.ends_with(End));
    const std::size_t headEnd = html.find(HeadEnd);
    FUZZ_CHECK(headEnd != std::string_view::npos);
    std::string_view head = html.substr(Start.size(), headEnd - Start.size());
    if (head.starts_with("<title>")) {
        const std::size_t end = head.find("</title>");
        FUZZ_CHECK(end != std::string_view::npos);
        CheckStrictText(head.substr(7, end - 7), false);
        FUZZ_CHECK(head.substr(7, end - 7).find('<') == std::string_view::npos);
        head.remove_prefix(end + 8);
    }
    int sheets = 0;
    constexpr std::string_view Sheet = "<link rel=\"stylesheet\" type=\"text/css\" href=\"";
    while (!head.empty()) {
        FUZZ_CHECK(head.starts_with(Sheet) && ++sheets <= 4);
        const std::size_t end = head.find("\">");
        FUZZ_CHECK(end != std::string_view::npos);
        CheckStrictText(head.substr(Sheet.size(), end - Sheet.size()), true);
        FUZZ_CHECK(
            head.substr(Sheet.size(), end - Sheet.size()).find('<') == std::string_view::npos);
        head.remove_prefix(end + 2);
    }

    std::string_view body = html.substr(
        headEnd + HeadEnd.size(), html.size() - headEnd - HeadEnd.size() - End.size());
    THelpPageMeasure measure;
    std::vector<const TStrictElement*> open;
    const auto holdsText = [&open] { return open.empty() || open.back()->HoldsText; };
    const auto holdsBlocks = [&open] { return open.empty() || open.back()->HoldsBlocks; };
    while (!body.empty()) {
        const std::size_t less = std::min(body.find('<'), body.size());
        if (less > 0) {
            FUZZ_CHECK(holdsText());
            CheckStrictText(body.substr(0, less), false);
            body.remove_prefix(less);
            continue;
        }
        const std::size_t greater = body.find('>');
        FUZZ_CHECK(greater != std::string_view::npos);
        std::string_view tag = body.substr(1, greater - 1);
        body.remove_prefix(greater + 1);
        if (tag.starts_with('/')) {
            FUZZ_CHECK(!open.empty() && open.back()->Name == tag.substr(1));
            open.pop_back();
            continue;
        }
        const std::string_view name = tag.substr(0, std::min(tag.find(' '), tag.size()));
        const TStrictElement* element = StrictElement(name);
        FUZZ_CHECK(element != nullptr);
        tag.remove_prefix(name.size());
        while (!tag.empty()) {
            FUZZ_CHECK(tag.front() == ' ');
            const std::size_t equals = tag.find("=\"");
            FUZZ_CHECK(equals != std::string_view::npos);
            FUZZ_CHECK(IsWord(element->Attributes, tag.substr(1, equals - 1)));
            const std::size_t close = tag.find('"', equals + 2);
            FUZZ_CHECK(close != std::string_view::npos);
            CheckStrictText(tag.substr(equals + 2, close - equals - 2), true);
            tag.remove_prefix(close + 1);
        }
        if (element->Parents.empty())
            FUZZ_CHECK(element->Block ? holdsBlocks() : holdsText());
        else
            FUZZ_CHECK(!open.empty() && IsWord(element->Parents, open.back()->Name));
        ++measure.Elements;
        measure.Nesting = std::max(measure.Nesting, int(open.size()) + 1);
        if (name == "td" || name == "th")
            ++measure.TableCells;
        if (element->Void)
            continue;
        open.push_back(element);
        if (name == "table") {
            const int tables = int(std::count_if(open.begin(), open.end(),
                [](const TStrictElement* e) { return e->Name == "table"; }));
            measure.TableNesting = std::max(measure.TableNesting, tables);
        }
    }
    FUZZ_CHECK(open.empty());
    return measure;
}

// The page Qt is given: it reads back as itself, keeps within the limits, and is what the
// strict reading finds.
void CheckPage(std::string_view bytes)
{
    const TSanitizedHelpPage page = SanitizeHelpPage(bytes);
    const THelpPageMeasure& measure = page.Measure;
    FUZZ_CHECK(measure.Nesting <= MaxHelpPageNesting);
    FUZZ_CHECK(measure.TableNesting <= MaxHelpPageTableNesting);
    FUZZ_CHECK(measure.TableCells <= MaxHelpPageTableCells);
    FUZZ_CHECK(measure.Elements <= MaxHelpPageElements);
    FUZZ_CHECK(page.Html.size() <= MaxHelpPageBodySize + MaxHelpPageHeadSize);
    THelpPageMeasure read = StrictMeasure(page.Html);
    read.Cut = measure.Cut;
    FUZZ_CHECK(read == measure);
    const TSanitizedHelpPage again = SanitizeHelpPage(page.Html);
    FUZZ_CHECK(again.Html == page.Html);
    FUZZ_CHECK(!again.Measure.Cut);
    read.Cut = false;
    FUZZ_CHECK(again.Measure == read);

    const TAnsiString text = HelpPagePlainText(bytes);
    FUZZ_CHECK(text.size() <= MaxHelpPagePlainText && text.size() <= bytes.size());
    FUZZ_CHECK(!text.starts_with('\n') && !text.ends_with('\n'));
    // A page too large to read as HTML is shown as its plain text, rewritten the same way.
    const TSanitizedHelpPage plain = PlainTextHelpPage(bytes);
    FUZZ_CHECK(StrictMeasure(plain.Html).Nesting <= 2 && !plain.Measure.Cut);
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
