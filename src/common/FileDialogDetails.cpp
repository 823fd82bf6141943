#include "common/FileDialogDetails.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>

namespace {

// The columns of QFileSystemModel.
constexpr int SizeColumn = 1;
constexpr int DateColumn = 3;

// Passes the file model through, with the size and date texts of files written in QLocale().
class TLocaleFileDetails : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || files == nullptr
            || (index.column() != SizeColumn && index.column() != DateColumn))
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        if (index.column() == DateColumn)
            return QLocale().toString(files->lastModified(source), QLocale::ShortFormat);
        // Folders show no size, as the model has it.
        if (files->isDir(source))
            return QIdentityProxyModel::data(index, role);
        return QLocale().formattedDataSize(files->size(source));
    }
};

} // namespace

void ShowDetailsInProgramLocale(QFileDialog& dialog)
{
    dialog.setProxyModel(new TLocaleFileDetails(&dialog));
}
