#pragma once

#include <QFileIconProvider>
#include <QString>

#include <utility>

// Icons and type names for the file dialogs from an entry's kind and name only. Qt's own provider
// asks the MIME database, which reads the start of each file: a file of /proc that blocks on
// reading (kmsg) would then hang the folder reader, and the dialog with it when it is destroyed.
class TNameOnlyIconProvider : public QFileIconProvider
{
public:
    // The names of the type column, in the program's language; %1 of TypedFile is the upper-case
    // extension.
    struct TTypeTexts
    {
        QString Folder = QStringLiteral("Folder");
        QString File = QStringLiteral("File");
        QString TypedFile = QStringLiteral("%1 File");
    };
    void SetTypeTexts(TTypeTexts texts) { FTexts = std::move(texts); }

    QIcon icon(IconType type) const override;
    QIcon icon(const QFileInfo& info) const override;
    QString type(const QFileInfo& info) const override;

private:
    TTypeTexts FTexts;
};
