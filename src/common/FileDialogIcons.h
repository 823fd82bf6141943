#pragma once

#include <QFileIconProvider>

// Icons and type names for the file dialogs from an entry's kind and name only. Qt's own provider
// asks the MIME database, which reads the start of each file: a file of /proc that blocks on
// reading (kmsg) would then hang the folder reader, and the dialog with it when it is destroyed.
class TNameOnlyIconProvider : public QFileIconProvider
{
public:
    QIcon icon(IconType type) const override;
    QIcon icon(const QFileInfo& info) const override;
    QString type(const QFileInfo& info) const override;
};
