// The tools' costs through the window, on the offscreen platform:
// - painting the preview through the colour-vision simulation by the window's own painter
//   (TWindowDocument::Paint with the simulation's filter set), against the plain paint of the same
//   map, in one run ("ratio" is simulated over plain; the budget is 1.5);
// - bringing the legibility window's rows up to date after one colour change: the check's update
//   and the reset of the rows shown in a table, descriptions kept (the budgets are 1 ms for the
//   shipped preview and 20 ms for a screen of 400 items).

#include "AreaMap.h"
#include "BenchWindow.h"
#include "ShippedPreview.h"
#include "ShippedScheme.h"
#include "app/MainForm.h"
#include "app/WindowDocument.h"
#include "editing/ColorScience.h"
#include "preview/ItemNeighbours.h"
#include "preview/PreviewFile.h"
#include "preview/PreviewMap.h"
#include "preview/PreviewPainter.h"
#include "tools/legibility/LegibilityRows.h"

#include <QApplication>
#include <QObject>
#include <QStringList>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <vector>

namespace {

void PaintThroughTheSeam(benchmark::State& state)
{
    const int width = int(state.range(0));
    const int height = int(state.range(1));
    const TBenchProgramFolder folder(ShippedSchemeText(), ShippedPreview(width, height));
    auto form = std::make_unique<TMainForm>(
        folder.Path().string() + "/", folder.Path() / "tintwright.ini");
    auto& document = dynamic_cast<TWindowDocument&>(form->Document());
    const TPreviewMap& map = document.PreviewMap();
    const std::vector<TRGBTriple> colors(document.Colors().begin(), document.Colors().end());
    // The filter the simulation sets.
    const QObject owner;
    TPaintTransform transform;
    transform.Color = [](const TRGBTriple& color) {
        return SimulateVision(TVisionDeficiency::Deuteranopia, color);
    };
    document.SetPaintTransform(&owner, std::move(transform));

    const std::ptrdiff_t bytesPerLine = 3 * width;
    std::vector<std::uint8_t> plain(std::size_t(bytesPerLine) * std::size_t(height));
    std::vector<std::uint8_t> simulated(plain.size());
    using TClock = std::chrono::steady_clock;
    TClock::duration plainTotal {};
    TClock::duration simulatedTotal {};
    for (auto _ : state) {
        const TClock::time_point start = TClock::now();
        PaintPreviewPixels(map, colors, plain.data(), bytesPerLine);
        benchmark::ClobberMemory();
        const TClock::time_point between = TClock::now();
        document.Paint(map, colors, simulated.data(), bytesPerLine);
        benchmark::ClobberMemory();
        const TClock::time_point end = TClock::now();
        plainTotal += between - start;
        simulatedTotal += end - between;
        state.SetIterationTime(std::chrono::duration<double>(end - between).count());
    }
    document.ClearPaintTransform(&owner);
    const double runs = double(state.iterations());
    state.counters["plain_us"]
        = std::chrono::duration<double, std::micro>(plainTotal).count() / runs;
    state.counters["simulated_us"]
        = std::chrono::duration<double, std::micro>(simulatedTotal).count() / runs;
    state.counters["ratio"] = double(simulatedTotal.count()) / double(plainTotal.count());
}

// Each step gives one item (in turn, among those on the map) another colour, or its own back,
// as the window does after an edit: the real colour for the swatch, the judged one for the check.
// With a second argument of 1 the table is painted again at once, as it is on screen (only the
// rows in view are drawn, whatever the count).
void LegibilityRowsAfterOneChange(benchmark::State& state)
{
    const bool shipped = state.range(0) == 240;
    const TPreviewMap map = shipped ? ShippedPreview(240, 320) : MakeAreaMap(3840, 2160, 20, 20);
    const std::vector<TRGBTriple> colors = shipped ? ShippedSchemeColors() : MutedColors(400);
    const TItemNeighbours neighbours(map);
    QStringList descriptions;
    for (std::size_t item = 0; item < colors.size(); ++item)
        descriptions.append(QStringLiteral("Item %1").arg(item + 1));

    TLegibilityRows rows;
    rows.Reset(neighbours.TouchingPairs(), colors, colors, descriptions, 5.0);
    QTableView view;
    view.setModel(&rows);
    view.resize(640, 400);
    view.show();
    QApplication::processEvents();

    std::vector<std::size_t> items;
    for (const std::uint32_t item : neighbours.Items())
        if (item < colors.size())
            items.push_back(item);
    std::size_t step = 0;
    for (auto _ : state) {
        const std::size_t item = items[step % items.size()];
        const bool back = step / items.size() % 2 == 1;
        TRGBTriple color = colors[item];
        if (!back)
            color.rgbtRed ^= 0x20;
        const TColorChange change {item, color};
        rows.SetColors({&change, 1}, {&change, 1});
        benchmark::DoNotOptimize(rows.Legibility().FlaggedCount());
        if (state.range(1) != 0)
            view.repaint();
        ++step;
    }
    state.counters["rows"] = double(rows.rowCount());
}

} // namespace

BENCHMARK(PaintThroughTheSeam)
    ->Args({240, 320})
    ->Args({3840, 2160})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(LegibilityRowsAfterOneChange)
    ->Args({240, 0})
    ->Args({3840, 0})
    ->Args({240, 1})
    ->Args({3840, 1})
    ->Unit(benchmark::kMicrosecond);
