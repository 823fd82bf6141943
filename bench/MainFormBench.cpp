// One keystroke in the colour code field, through the real main window on the offscreen
// platform: from setting the field's text to the repainted preview (the window paints it before
// the call returns). Also counts the preview's paint events per keystroke, which must be one.

#include "BenchWindow.h"
#include "ShippedPreview.h"
#include "preview/PreviewImage.h"

#include <QLineEdit>

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

void BM_TypeColourCode(benchmark::State& state)
{
    const int width = int(state.range(0));
    const int height = int(state.range(1));
    const TBenchWindow window(ShippedSchemeText(), ShippedPreview(width, height));
    TPaintCounter counter;
    window.Child<TPreviewImage>("Image1")->installEventFilter(&counter);

    const QString codes[] = {"102030", "F2EFE9"};
    std::int64_t keystrokes = 0;
    for (auto _ : state) {
        window.Child<QLineEdit>("EditColorValue")->setText(codes[keystrokes % 2]);
        ++keystrokes;
    }
    state.counters["paints_per_keystroke"] = double(counter.Paints) / double(keystrokes);
    state.counters["cells"] = double(width) * height;
}

BENCHMARK(BM_TypeColourCode)->Args({240, 320})->Args({3840, 2160})->Unit(benchmark::kMillisecond);

} // namespace
