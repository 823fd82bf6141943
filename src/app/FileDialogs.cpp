#include "app/FileDialogs.h"

#include "common/FileAccess.h"
#include "common/FileDialogDetails.h"
#include "common/FileDialogIcons.h"
#include "common/UiText.h"
#include "i18n/FileDialogTexts.h"
#include "i18n/ShownText.h"
#include "preview/PicturePreview.h"
#include "preview/ReferenceImage.h"

#include <QFileDialog>

namespace {

const QStringList ColorFileFilters = {"TomTom Color Files (*.clr)", "All Files (*)"};
const QStringList PreviewFileFilters = {"Tintwright Preview Files (*.cpf)", "All Files (*)"};
const QStringList BitmapFilters = {"Bitmaps (*.bmp)", "All Files (*)"};

} // namespace

TFileDialogs::TFileDialogs()
    : FDialogs {{
        {"OpenDialogColorFile", false, nullptr, false, ColorFileFilters, {}},
        {"SaveDialogColorFile", true, "CLR", false, ColorFileFilters, {}},
        {"OpenPictureDialogPreviewBitmap", false, nullptr, true, BitmapFilters, {}},
        {"SaveDialogPreviewFile", true, "CPF", false, PreviewFileFilters, {}},
        {"OpenDialogPreviewFile", false, nullptr, false, PreviewFileFilters, {}},
    }}
    , FIconProvider(std::make_unique<TNameOnlyIconProvider>())
{ }

TFileDialogs::~TFileDialogs() = default;

void TFileDialogs::SetFilters(std::string_view dialogName, const QStringList& filters)
{
    for (TDialogState& dialog : FDialogs) {
        if (dialogName == dialog.Name)
            dialog.Filters = filters;
    }
}

QStringList TFileDialogs::Filters(TFileDialog dialog) const
{
    return FDialogs[std::size_t(dialog)].Filters;
}

void TFileDialogs::SetFolder(TFileDialog dialog, const std::filesystem::path& folder)
{
    FDialogs[std::size_t(dialog)].Folder = FromFileName(folder);
}

std::optional<std::filesystem::path> TFileDialogs::Execute(
    QWidget* parent, TFileDialog which, const std::filesystem::path& fileName)
{
    TDialogState& state = FDialogs[std::size_t(which)];
    QFileDialog dialog(parent);
    dialog.setObjectName(state.Name);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    FIconProvider->SetTypeTexts({Text(FileDialogText::Folder), Text(FileDialogText::File),
        Text(FileDialogText::TypedFile)});
    dialog.setIconProvider(FIconProvider.get());
    ShowDetailsInProgramLocale(dialog);
    dialog.setNameFilters(state.Filters);
    dialog.setAcceptMode(state.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(state.Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (state.DefaultSuffix != nullptr)
        dialog.setDefaultSuffix(state.DefaultSuffix);
    if (state.PicturePreview)
        AddPicturePreview(dialog, LoadReferenceBitmap,
            {Text(FileDialogText::NoPreview), Text(FileDialogText::PictureSize)});
    if (!state.Folder.isEmpty())
        dialog.setDirectory(state.Folder);
    if (!fileName.empty())
        dialog.selectFile(FromFileName(fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    state.Folder = dialog.directory().absolutePath();
    return ToFileName(dialog.selectedFiles().first());
}
