#include "tools/CompareTool.h"

#include "common/BusyCursor.h"
#include "common/Error.h"
#include "common/UiText.h"
#include "tools/OpenFileDialog.h"
#include "tools/CompareWindow.h"
#include "tools/DocumentSeam.h"

#include <QAction>
#include <QApplication>
#include <QMessageBox>

#include <string_view>
#include <vector>

namespace {

const TToolCommand CompareCommands[] = {
    {"ActionFileCompare", TToolMenu::File, 100, "Co&mpare with file...",
        "Compare the colors with those of another color file", "", "CompareFile", "Compare",
        "CompareHint"},
};

// As the window's error boxes show a failure: its text as plain text, captioned with the
// program's title, and the file concerned below when the text does not name it.
void ShowReadError(QWidget* parent, const std::exception& error, const std::filesystem::path& file)
{
    const auto* withFile = dynamic_cast<const TError*>(&error);
    const std::string& named = withFile != nullptr && !withFile->File().empty()
        ? withFile->File().native()
        : file.native();
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Tintwright"),
        QString::fromStdString(UserErrorText(error)), QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    if (std::string_view(error.what()).find(named) == std::string_view::npos)
        box.setInformativeText(AsPlainText(FromFileName(named)));
    box.exec();
}

} // namespace

TCompareTool::TCompareTool(const TToolContext& context, QObject* parent)
    : TTool(context, parent)
{ }

TCompareTool::~TCompareTool()
{
    delete FWindow;
}

TCompareWindow* TCompareTool::Window() const
{
    return FWindow;
}

std::span<const TToolCommand> TCompareTool::Commands() const
{
    return CompareCommands;
}

std::span<const TTextKey> TCompareTool::Texts() const
{
    return CompareTexts();
}

void TCompareTool::AttachActions(std::span<QAction* const> actions)
{
    connect(actions[0], &QAction::triggered, this, [this] { ChooseAndCompare(); });
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
        ShowReadError(&Context().Window, error, file);
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
