// The find window and the adjustment's live preview through the real main window on the
// offscreen platform.
// - A keystroke in the find window's query field on a document of 100,000 items (a generated
//   colour file): from the new text to the results listed and painted. Budget: 50 ms.
// - A step of the adjustment's hue on the shipped scheme and preview: from the new value to
//   the repainted preview (the window paints it before the call returns). Budget: one frame,
//   16 ms. Beside it, the plain operation it adds to: one keystroke in the colour code field.

#include "GeneratedScheme.h"
#include "ShippedPreview.h"
#include "app/MainForm.h"
#include "preview/PreviewFile.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTreeView>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A program folder of its own with the scheme given and the shipped preview, and the window on it.
class TBenchWindow
{
public:
    explicit TBenchWindow(const std::string& scheme)
        : FFolder(fs::temp_directory_path() / ("tintwright-bench-" + std::to_string(::getpid())))
    {
        fs::create_directories(FFolder / "schemes");
        fs::create_directories(FFolder / "previews");
        std::ofstream(FFolder / "schemes/default.clr", std::ios::binary) << scheme;
        SavePreviewFile(FFolder / "previews/Preview.cpf", ShippedPreview(240, 320));
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

    template <class T> T* Child(const char* name) const
    {
        return Form->findChild<T*>(QString::fromLatin1(name));
    }
    void Run(const char* action) const { Child<QAction>(action)->trigger(); }

    std::unique_ptr<TMainForm> Form;

private:
    fs::path FFolder;
};

std::string ShippedSchemeText()
{
    std::ifstream file(
        fs::path(TINTWRIGHT_SOURCE_DIR) / "data/schemes/default.clr", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// Each keystroke changes the query between two texts that find different items, so the list is
// rebuilt every time.
void BM_FindKeystroke(benchmark::State& state, const char* first, const char* second)
{
    TBenchWindow window(GeneratedSchemeText(100000));
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

class TPaintCounter : public QObject
{
public:
    int Paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++Paints;
        return QObject::eventFilter(watched, event);
    }
};

// A move of the hue slider while the adjustment works on every item.
void BM_AdjustStep(benchmark::State& state)
{
    TBenchWindow window(ShippedSchemeText());
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
    TBenchWindow window(ShippedSchemeText());
    auto* code = window.Child<QLineEdit>("EditColorValue");
    const QString codes[] = {"102030", "F2EFE9"};
    int step = 0;
    for (auto _ : state)
        code->setText(codes[++step % 2]);
}
BENCHMARK(BM_TypedCode)->Unit(benchmark::kMillisecond);

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
