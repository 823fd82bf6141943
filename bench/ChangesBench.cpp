// What the changed-items marks and the history window add to the window's own work, through the
// real main window on the offscreen platform (the list's and the history's repaints included):
// - one colour change in a 1,000-item document: the marks and the "N items differ" count alone,
//   against the whole keystroke they follow;
// - a move of 100 steps through the history window on the shipped scheme and preview, against
//   one Undo.

#include "app/MainForm.h"
#include "tools/ChangedItems.h"
#include "tools/DocumentSeam.h"
#include "tools/HistoryWindow.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStandardPaths>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <span>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A program folder with the shipped preview and a scheme of `items` items (the shipped one when
// none are asked for), removed again at the end.
class TBenchWindow
{
public:
    explicit TBenchWindow(int items)
        : FFolder(fs::temp_directory_path() / ("tintwright-bench-" + std::to_string(::getpid())))
    {
        fs::create_directories(FFolder / "schemes");
        fs::create_directories(FFolder / "previews");
        const fs::path source(TINTWRIGHT_SOURCE_DIR);
        fs::copy_file(source / "data/previews/Preview.cpf", FFolder / "previews/Preview.cpf",
            fs::copy_options::overwrite_existing);
        if (items == 0) {
            fs::copy_file(source / "data/schemes/default.clr", FFolder / "schemes/default.clr",
                fs::copy_options::overwrite_existing);
        } else {
            std::ofstream scheme(FFolder / "schemes/default.clr", std::ios::binary);
            for (int i = 0; i < items; ++i)
                scheme << i % 256 << ',' << (i * 7) % 256 << ',' << (i * 13) % 256 << " // Item "
                       << i + 1 << "\r\n";
        }
        Form = std::make_unique<TMainForm>(FFolder.string() + "/", FFolder / "tintwright.ini");
        Form->show();
        QApplication::processEvents();
    }
    ~TBenchWindow()
    {
        Form->SetModified(false);
        Form.reset();
        fs::remove_all(FFolder);
    }

    void Select(int row) { Form->findChild<QListWidget*>("ListBox1")->setCurrentRow(row); }
    void Type(const QString& code) { Form->findChild<QLineEdit*>("EditColorValue")->setText(code); }

    std::unique_ptr<TMainForm> Form;

private:
    fs::path FFolder;
};

// Item 500's code in the generated scheme, and another colour: typing them in turn marks and
// unmarks it on every keystroke.
const QString Codes[] = {"F3A557", "102030"};

void BM_ChangedMarksOfOneChange(benchmark::State& state)
{
    TBenchWindow window(1000);
    auto* tool = window.Form->findChild<TChangedItems*>();
    tool->SetShowingSavedColors(true);
    window.Select(499);
    const std::size_t item = 499;
    std::int64_t changes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        {
            // The window's own work, without the tools hearing of it.
            const QSignalBlocker quiet(&window.Form->Document());
            window.Type(Codes[changes % 2 == 0 ? 1 : 0]);
        }
        QApplication::processEvents();
        state.ResumeTiming();
        tool->ItemsChanged(std::span(&item, 1));
        QApplication::processEvents();
        ++changes;
    }
    state.counters["differing"] = double(window.Form->Document().Saved().DifferingCount());
}

void BM_KeystrokeInA1000ItemDocument(benchmark::State& state)
{
    TBenchWindow window(1000);
    window.Form->findChild<TChangedItems*>()->SetShowingSavedColors(true);
    window.Select(499);
    std::int64_t changes = 0;
    for (auto _ : state) {
        window.Type(Codes[changes++ % 2 == 0 ? 1 : 0]);
        QApplication::processEvents();
    }
}

// The shipped scheme and preview with 100 edits, the history window open.
std::unique_ptr<TBenchWindow> HistoryWindowOf100Steps()
{
    auto window = std::make_unique<TBenchWindow>(0);
    const QString codes[] = {"102030", "203040", "304050", "405060"};
    for (int step = 0; step < 100; ++step) {
        window->Select(step % 40);
        window->Type(codes[(step / 40 + step) % 4]);
    }
    window->Form->findChild<QAction*>("ActionEditHistory")->trigger();
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

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
