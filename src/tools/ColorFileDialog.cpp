#include "tools/ColorFileDialog.h"

#include "common/UiText.h"

#include <QFileDialog>

std::optional<std::filesystem::path> ChooseColorFile(QWidget* parent, const char* objectName,
    const QString& title, const QStringList& filters, const std::filesystem::path& folder,
    const TNameOnlyIconProvider::TTypeTexts& typeTexts)
{
    // The icons come from names alone, so a folder of special files cannot make the dialog block.
    TNameOnlyIconProvider icons;
    icons.SetTypeTexts(typeTexts);
    QFileDialog dialog(parent, title);
    dialog.setObjectName(objectName);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setIconProvider(&icons);
    dialog.setNameFilters(filters);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (!folder.empty())
        dialog.setDirectory(FromFileName(folder));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return ToFileName(dialog.selectedFiles().first());
}
