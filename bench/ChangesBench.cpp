// What the changed-items marks and the history window add to the window's own work, through the
// real main window on the offscreen platform (the list's and the history's repaints included):
// - one colour change in a 1,000-item document: the marks and the "N items differ" count alone,
//   against the whole keystroke they follow;
// - a move of 100 steps through the history window on the shipped scheme and preview, against
//   one Undo.

#include "BenchWindow.h"
#include "ShippedPreview.h"
#include "tools/changed/ChangedItems.h"
#include "tools/DocumentSeam.h"
#include "tools/history/HistoryWindow.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QSignalBlocker>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <span>
#include <sstream>
#include <string>

namespace {

// The window on the shipped preview and a scheme of `items` items (the shipped one when none are
// asked for).
std::unique_ptr<TBenchWindow> WindowOf(int items)
{
    if (items == 0)
        return std::make_unique<TBenchWindow>(ShippedSchemeText(), ShippedPreview(240, 320));
    std::ostringstream scheme;
    for (int i = 0; i < items; ++i)
        scheme << i % 256 << ',' << (i * 7) % 256 << ',' << (i * 13) % 256 << " // Item " << i + 1
               << "\r\n";
    return std::make_unique<TBenchWindow>(scheme.str(), ShippedPreview(240, 320));
}

void Select(const TBenchWindow& window, int row)
{
    window.Child<QListWidget>("ListBox1")->setCurrentRow(row);
}

void Type(const TBenchWindow& window, const QString& code)
{
    window.Child<QLineEdit>("EditColorValue")->setText(code);
}

// Item 500's code in the generated scheme, and another colour: typing them in turn marks and
// unmarks it on every keystroke.
const QString Codes[] = {"F3A557", "102030"};

void BM_ChangedMarksOfOneChange(benchmark::State& state)
{
    const auto window = WindowOf(1000);
    auto* tool = window->Form->findChild<TChangedItems*>();
    tool->SetShowingSavedColors(true);
    Select(*window, 499);
    const std::size_t item = 499;
    std::int64_t changes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        {
            // The window's own work, without the tools hearing of it.
            const QSignalBlocker quiet(&window->Form->Document());
            Type(*window, Codes[changes % 2 == 0 ? 1 : 0]);
        }
        QApplication::processEvents();
        state.ResumeTiming();
        tool->ItemsChanged(std::span(&item, 1));
        QApplication::processEvents();
        ++changes;
    }
    state.counters["differing"] = double(window->Form->Document().Saved().DifferingCount());
}

void BM_KeystrokeInA1000ItemDocument(benchmark::State& state)
{
    const auto window = WindowOf(1000);
    window->Form->findChild<TChangedItems*>()->SetShowingSavedColors(true);
    Select(*window, 499);
    std::int64_t changes = 0;
    for (auto _ : state) {
        Type(*window, Codes[changes++ % 2 == 0 ? 1 : 0]);
        QApplication::processEvents();
    }
}

// The shipped scheme and preview with 100 edits, the history window open.
std::unique_ptr<TBenchWindow> HistoryWindowOf100Steps()
{
    auto window = WindowOf(0);
    const QString codes[] = {"102030", "203040", "304050", "405060"};
    for (int step = 0; step < 100; ++step) {
        Select(*window, step % 40);
        Type(*window, codes[(step / 40 + step) % 4]);
    }
    window->Run("ActionEditHistory");
    QApplication::processEvents();
    return window;
}

void BM_HistoryMove100Steps(benchmark::State& state)
{
    const auto window = HistoryWindowOf100Steps();
    auto* list = window->Form->findChild<THistoryWindow*>()->findChild<QListView*>("HistoryList");
    int target = 0;
    for (auto _ : state) {
        // As a click on the row chooses it: 100 Undos, then 100 Redos.
        list->setCurrentIndex(list->model()->index(target, 0));
        QApplication::processEvents();
        target = 100 - target;
    }
    state.counters["rows"] = list->model()->rowCount();
}

void BM_OneUndo(benchmark::State& state)
{
    const auto window = HistoryWindowOf100Steps();
    QAction* undo = window->Form->findChild<QAction*>("ActionEditUndo");
    QAction* redo = window->Form->findChild<QAction*>("ActionEditRedo");
    std::int64_t moves = 0;
    for (auto _ : state) {
        (moves++ % 2 == 0 ? undo : redo)->trigger();
        QApplication::processEvents();
    }
}

BENCHMARK(BM_ChangedMarksOfOneChange)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeystrokeInA1000ItemDocument)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HistoryMove100Steps)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OneUndo)->Unit(benchmark::kMillisecond);

} // namespace
