#include "common/FileDialogIcons.h"

#include <QFileInfo>

QIcon TNameOnlyIconProvider::icon(IconType type) const
{
    return QFileIconProvider::icon(type);
}

QIcon TNameOnlyIconProvider::icon(const QFileInfo& info) const
{
    if (info.isRoot())
        return icon(Drive);
    return icon(info.isDir() ? Folder : File);
}

QString TNameOnlyIconProvider::type(const QFileInfo& info) const
{
    if (info.isDir())
        return FTexts.Folder;
    const QString suffix = info.suffix();
    return suffix.isEmpty() ? FTexts.File : QString(FTexts.TypedFile).arg(suffix.toUpper());
}
