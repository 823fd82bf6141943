#include "tools/compare/CompareTool.h"

#include "common/BusyCursor.h"
#include "common/ErrorMessage.h"
#include "tools/compare/CompareWindow.h"
#include "tools/DocumentSeam.h"
#include "tools/OpenFileDialog.h"

#include <vector>

TCompareTool::TCompareTool(const TToolContext& context, QObject* parent)
    : TTool(context, parent)
{
    SetCommands({
        {.Text = {"ActionFileCompare", "Co&mpare with file...",
             "Compare the colors with those of another color file", "", "CompareFile", "Compare",
             "CompareHint"},
            .Run = [this] { ChooseAndCompare(); }},
    });
}

TCompareTool::~TCompareTool()
{
    delete FWindow;
}

TCompareWindow* TCompareTool::Window() const
{
    return FWindow;
}

std::span<const TTextKey> TCompareTool::Texts() const
{
    return CompareTexts();
}

void TCompareTool::ChooseAndCompare()
{
    // The open document's folder first, then wherever the last compared file was.
    std::filesystem::path folder = FFolder;
    if (folder.empty())
        folder = Document().FileName().parent_path();
    const auto file = ChooseFileToOpen(&Context().Window, "CompareDialogColorFile",
        Text(CompareText::DialogTitle), Text(CompareText::ColorFiles) + QStringLiteral(" (*.clr)"),
        folder);
    if (!file)
        return;
    FFolder = file->parent_path();
    CompareWith(*file);
}

bool TCompareTool::CompareWith(const std::filesystem::path& file)
{
    std::vector<TSchemeItem> items;
    try {
        const TBusyCursor busy;
        items = ReadSchemeFile(file);
    } catch (const std::exception& error) {
        ShowErrorBox(&Context().Window, error, file);
        return false;
    }
    if (!FWindow)
        FWindow = new TCompareWindow(Document(), &Context().Window);
    FWindow->SetOther(file, std::move(items));
    FWindow->show();
    FWindow->raise();
    FWindow->activateWindow();
    FWindow->setFocus();
    return true;
}
