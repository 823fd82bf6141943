#pragma once

#include "app/MainForm.h"
#include "preview/PreviewFile.h"
#include "preview/PreviewMap.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QString>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <unistd.h>

// The real main window on the offscreen platform, for the benchmarks that measure through it
// (their main() is WindowBenchMain.cpp).

// The shipped scheme's text (data/schemes/default.clr) as its file holds it.
inline std::string ShippedSchemeText()
{
    std::ifstream file(std::filesystem::path(TINTWRIGHT_SOURCE_DIR) / "data/schemes/default.clr",
        std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// A program folder of its own: schemes/default.clr with the text given and previews/Preview.cpf
// with the map given, removed again at the end.
class TBenchProgramFolder
{
public:
    TBenchProgramFolder(const std::string& scheme, const TPreviewMap& preview)
        : FPath(std::filesystem::temp_directory_path()
            / ("tintwright-bench-" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(FPath / "schemes");
        std::filesystem::create_directories(FPath / "previews");
        std::ofstream(FPath / "schemes/default.clr", std::ios::binary) << scheme;
        SavePreviewFile(FPath / "previews/Preview.cpf", preview);
    }
    ~TBenchProgramFolder() { std::filesystem::remove_all(FPath); }
    TBenchProgramFolder(const TBenchProgramFolder&) = delete;
    TBenchProgramFolder& operator=(const TBenchProgramFolder&) = delete;

    const std::filesystem::path& Path() const { return FPath; }

private:
    std::filesystem::path FPath;
};

// The window shown on such a folder; it closes without asking.
class TBenchWindow
{
    // Made before the window, which reads it.
    TBenchProgramFolder FFolder;

public:
    TBenchWindow(const std::string& scheme, const TPreviewMap& preview)
        : FFolder(scheme, preview)
        , Form(std::make_unique<TMainForm>(
              FFolder.Path().string() + "/", FFolder.Path() / "tintwright.ini"))
    {
        Form->show();
        QApplication::processEvents();
    }
    ~TBenchWindow()
    {
        Form->SetModified(false);
        Form.reset();
    }

    template <class T> T* Child(const char* name) const
    {
        return Form->findChild<T*>(QString::fromLatin1(name));
    }
    void Run(const char* action) const { Child<QAction>(action)->trigger(); }

    std::unique_ptr<TMainForm> Form;
};

// Counts the paint events of the widgets it watches.
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
