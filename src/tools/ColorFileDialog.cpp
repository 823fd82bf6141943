#include "tools/ColorFileDialog.h"

#include "common/UiText.h"

#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>

namespace {

// Icons and type names from the entry's kind and name only: Qt's own provider asks the MIME
// database, which reads the start of each file, and a file that blocks on reading would hang
// the dialog.
class TNameOnlyIconProvider : public QFileIconProvider
{
public:
    QIcon icon(IconType type) const override { return QFileIconProvider::icon(type); }
    QIcon icon(const QFileInfo& info) const override
    {
        if (info.isRoot())
            return icon(Drive);
        return icon(info.isDir() ? Folder : File);
    }
    QString type(const QFileInfo& info) const override
    {
        if (info.isDir())
            return QStringLiteral("Folder");
        const QString suffix = info.suffix();
        return suffix.isEmpty() ? QStringLiteral("File")
                                : QStringLiteral("%1 File").arg(suffix.toUpper());
    }
};

} // namespace

std::optional<std::filesystem::path> ChooseColorFile(QWidget* parent, const char* objectName,
    const QString& title, const QStringList& filters, const std::filesystem::path& folder)
{
    TNameOnlyIconProvider icons;
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
