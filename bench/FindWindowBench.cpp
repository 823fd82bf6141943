// The find window and the adjustment's live preview through the real main window on the
// offscreen platform.
// - A keystroke in the find window's query field on a document of 100,000 items (a generated
//   colour file): from the new text to the results listed and painted. Budget: 50 ms.
// - A step of the adjustment's hue on the shipped scheme and preview: from the new value to
//   the repainted preview (the window paints it before the call returns). Budget: one frame,
//   16 ms. Beside it, the plain operation it adds to: one keystroke in the colour code field.

#include "BenchWindow.h"
#include "GeneratedScheme.h"
#include "ShippedPreview.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTreeView>

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

// Each keystroke changes the query between two texts that find different items, so the list is
// rebuilt every time.
void BM_FindKeystroke(benchmark::State& state, const char* first, const char* second)
{
    const TBenchWindow window(GeneratedSchemeText(100000), ShippedPreview(240, 320));
    window.Run("ActionEditFindItem");
    auto* query = window.Child<QLineEdit>("FindQuery");
    const auto* results = window.Child<QTreeView>("FindResults");
    const QString texts[] = {QString::fromLatin1(first), QString::fromLatin1(second)};
    std::int64_t keystrokes = 0;
    for (auto _ : state) {
        query->setText(texts[keystrokes++ % 2]);
        QApplication::processEvents();
    }
    state.counters["found"] = double(results->model()->rowCount());
}
BENCHMARK_CAPTURE(BM_FindKeystroke, words, "road", "roa")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindKeystroke, near, "near #FF8800", "near #FF8801")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindKeystroke, code, "#F80", "#F8")->Unit(benchmark::kMillisecond);

// A move of the hue slider while the adjustment works on every item.
void BM_AdjustStep(benchmark::State& state)
{
    const TBenchWindow window(ShippedSchemeText(), ShippedPreview(240, 320));
    window.Run("ActionEditAdjustColors");
    window.Child<QRadioButton>("AdjustScopeAll")->setChecked(true);
    auto* hue = window.Child<QSpinBox>("AdjustHue");
    TPaintCounter counter;
    window.Child<QWidget>("Image1")->installEventFilter(&counter);
    int step = 0;
    for (auto _ : state)
        hue->setValue(++step % 2 == 0 ? 30 : 60);
    state.counters["paints_per_step"] = double(counter.Paints) / step;
}
BENCHMARK(BM_AdjustStep)->Unit(benchmark::kMillisecond);

// The plain repaint the adjustment adds to: a typed colour code.
void BM_TypedCode(benchmark::State& state)
{
    const TBenchWindow window(ShippedSchemeText(), ShippedPreview(240, 320));
    auto* code = window.Child<QLineEdit>("EditColorValue");
    const QString codes[] = {"102030", "F2EFE9"};
    int step = 0;
    for (auto _ : state)
        code->setText(codes[++step % 2]);
}
BENCHMARK(BM_TypedCode)->Unit(benchmark::kMillisecond);

} // namespace
