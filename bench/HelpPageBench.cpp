// Showing a help page: rewriting it (SanitizeHelpPage) and Qt's reading and full layout of what the
// rewriting gives, at the help window's page width, on the offscreen platform. The budget is one
// second for any page, so that no help file holds the window longer; the largest shipped page is
// the yardstick, and the hostile pages are the worst the rewriting lets through: tables nested to
// the limit with a 64 KiB text in the innermost cell or with all their cells filled, elements
// nested to the limit, and pages as large as the rewriting's limits allow.

#include "help/HelpBrowser.h"
#include "help/HelpPage.h"

#include <QAbstractTextDocumentLayout>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace {

std::string Repeat(const std::string& text, std::size_t count)
{
    std::string repeated;
    repeated.reserve(text.size() * count);
    for (std::size_t i = 0; i < count; ++i)
        repeated += text;
    return repeated;
}

// About 64 KiB of words.
std::string Words(std::size_t bytes = std::size_t {64} << 10)
{
    return Repeat("lorem ipsum dolor ", bytes / 18);
}

std::string Tables(int depth, const std::string& inside)
{
    return Repeat("<table border=1><tr><td>", std::size_t(depth)) + inside
        + Repeat("</td></tr></table>", std::size_t(depth));
}

std::string ShippedPage()
{
    std::ifstream file(TINTWRIGHT_SOURCE_DIR "/help/src/fr/legibility.htm", std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// A page of at most MaxHelpPageSize (64 KiB) written to be as slow as possible once rewritten,
// and one too large to read as HTML.
std::string HostilePage(int kind)
{
    const std::size_t size = MaxHelpPageSize;
    switch (kind) {
    case 0: // the limit's tables, the text in the innermost cell
        return Tables(MaxHelpPageTableNesting, Words(size - 200));
    case 1: // tables nested past the limit, each cell holding text and the next table
        return Repeat("<table><tr><td>words in a cell<td>", 400) + Words(size - 14400);
    case 2: // the limit's tables, every allowed cell filled with words
        return Tables(MaxHelpPageTableNesting - 1,
            "<table>" + Repeat("<tr>" + Repeat("<td>words here", 10), MaxHelpPageTableCells / 10)
                + "</table>");
    case 3: // the limit's tables, two cells a row on each level, the text in the innermost
        return Repeat("<table border=1><tr><td>a cell<td>", std::size_t(MaxHelpPageTableNesting))
            + Words(size - 200);
    case 4: // elements nested to the limit, then text
        return Repeat("<div><ul><li><b>", 40) + Words(size - 640);
    case 5: // the most elements
        return Repeat("<b>x</b>", size / 8);
    case 6: // the most escaped characters, as one word
        return std::string(size, '&');
    case 7: // one word
        return std::string(size, 'x');
    case 8: // a long line that does not wrap
        return "<pre>" + std::string(size - 20, 'x') + "</pre>";
    case 9: // thirty tables hidden from a reader that takes a stray quote for a value
        return "<span x\">" + Tables(30, "x") + Words(4096);
    case 10: // too large to read as HTML: its plain text, one word
        return std::string(std::size_t {1} << 20, 'x');
    }
    return {};
}

// The page shown as the help window shows it: rewritten, read by Qt and laid out in full at the
// page view's width.
void LayOut(benchmark::State& state, const std::string& page)
{
    for (auto _ : state) {
        THelpBrowser browser;
        browser.setAttribute(Qt::WA_DontShowOnScreen);
        browser.resize(560, 480);
        browser.show();
        browser.SetReader([&page](std::string_view) { return std::optional(page); });
        browser.ShowPage(THelpBrowser::PageUrl("/page.htm"));
        benchmark::DoNotOptimize(browser.document()->documentLayout()->documentSize());
    }
    state.counters["bytes"] = double(page.size());
}

void BM_ShippedPage(benchmark::State& state)
{
    LayOut(state, ShippedPage());
}

void BM_HostilePage(benchmark::State& state)
{
    LayOut(state, HostilePage(int(state.range(0))));
}

// The rewriting alone.
void BM_SanitizeHostilePage(benchmark::State& state)
{
    const std::string page = HostilePage(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(
            page.size() > MaxHelpPageSize ? PlainTextHelpPage(page) : SanitizeHelpPage(page));
    state.SetBytesProcessed(state.iterations() * std::int64_t(page.size()));
}

BENCHMARK(BM_ShippedPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HostilePage)->DenseRange(0, 10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SanitizeHostilePage)->DenseRange(0, 10)->Unit(benchmark::kMillisecond);

} // namespace
