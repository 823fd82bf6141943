// One keystroke in the colour code field, through the real main window on the offscreen
// platform: from setting the field's text to the repainted preview (the window paints it before
// the call returns). Also counts the preview's paint events per keystroke, which must be one.

#include "ShippedPreview.h"
#include "app/MainForm.h"
#include "preview/PreviewFile.h"
#include "preview/PreviewImage.h"
#include "preview/PreviewMap.h"

#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QStandardPaths>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

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

void BM_TypeColourCode(benchmark::State& state)
{
    const int width = int(state.range(0));
    const int height = int(state.range(1));
    const fs::path folder
        = fs::temp_directory_path() / ("tintwright-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder / "schemes");
    fs::create_directories(folder / "previews");
    fs::copy_file(fs::path(TINTWRIGHT_SOURCE_DIR) / "data/schemes/default.clr",
        folder / "schemes/default.clr", fs::copy_options::overwrite_existing);
    SavePreviewFile(folder / "previews/Preview.cpf", ShippedPreview(width, height));
    {
        auto form = std::make_unique<TMainForm>(folder.string() + "/", folder / "tintwright.ini");
        form->show();
        QApplication::processEvents();
        TPaintCounter counter;
        form->findChild<TPreviewImage*>("Image1")->installEventFilter(&counter);

        const QString codes[] = {"102030", "F2EFE9"};
        std::int64_t keystrokes = 0;
        for (auto _ : state) {
            form->findChild<QLineEdit*>("EditColorValue")->setText(codes[keystrokes % 2]);
            ++keystrokes;
        }
        state.counters["paints_per_keystroke"] = double(counter.Paints) / double(keystrokes);
        state.counters["cells"] = double(width) * height;
    }
    fs::remove_all(folder);
}

BENCHMARK(BM_TypeColourCode)->Args({240, 320})->Args({3840, 2160})->Unit(benchmark::kMillisecond);

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
