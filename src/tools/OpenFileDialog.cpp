#include "tools/OpenFileDialog.h"

#include "common/FileDialogDetails.h"
#include "common/FileDialogIcons.h"
#include "common/UiText.h"
#include "i18n/FileDialogTexts.h"
#include "i18n/ShownText.h"

#include <QFileDialog>

#include <utility>

std::optional<std::filesystem::path> ChooseFileToOpen(QWidget* parent, const char* objectName,
    const QString& title, const QString& filter, const std::filesystem::path& folder,
    TPictureLoader loadPicture)
{
    // The icons come from names alone, so a folder of special files cannot make the dialog block.
    TNameOnlyIconProvider icons;
    icons.SetTypeTexts({Text(FileDialogText::Folder), Text(FileDialogText::File),
        Text(FileDialogText::TypedFile)});
    QFileDialog dialog(parent, title);
    dialog.setObjectName(objectName);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setIconProvider(&icons);
    ShowDetailsInProgramLocale(dialog);
    dialog.setNameFilters({filter, Text(FileDialogText::AllFiles) + QStringLiteral(" (*)")});
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (loadPicture)
        AddPicturePreview(dialog, std::move(loadPicture),
            {Text(FileDialogText::NoPreview), Text(FileDialogText::PictureSize)});
    if (!folder.empty())
        dialog.setDirectory(FromFileName(folder));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return ToFileName(dialog.selectedFiles().first());
}

std::optional<std::filesystem::path> ChooseFileToSave(QWidget* parent, const char* objectName,
    const QString& title, const QString& filter, const QString& defaultSuffix,
    const std::filesystem::path& proposed)
{
    TNameOnlyIconProvider icons;
    icons.SetTypeTexts({Text(FileDialogText::Folder), Text(FileDialogText::File),
        Text(FileDialogText::TypedFile)});
    QFileDialog dialog(parent, title);
    dialog.setObjectName(objectName);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setIconProvider(&icons);
    dialog.setNameFilters({filter, Text(FileDialogText::AllFiles) + QStringLiteral(" (*)")});
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (proposed.has_parent_path())
        dialog.setDirectory(FromFileName(proposed.parent_path()));
    if (proposed.has_filename())
        dialog.selectFile(FromFileName(proposed.filename()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return ToFileName(dialog.selectedFiles().first());
}
