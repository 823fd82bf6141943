#include "help/HelpFileRefusal.h"

#include "common/ErrorMessage.h"
#include "common/FileAccess.h"
#include "common/UiText.h"

#include <QApplication>

QString HelpFileRefusalText(
    const THelpViewerTexts& texts, const std::filesystem::path& file, TChmArchive::TRefusal refusal)
{
    const QString text = texts.CannotOpen.arg(FromFileName(file.filename()));
    switch (refusal) {
    case TChmArchive::TRefusal::None:
        break;
    case TChmArchive::TRefusal::NotRegular:
        return text + ' ' + texts.NotRegularFile;
    case TChmArchive::TRefusal::TooLarge:
        return text + ' '
            + texts.TooLarge.arg(QString::fromStdString(ByteSizeText(TChmArchive::MaxFileSize)));
    }
    return text;
}

void ReportHelpFileRefusal(
    const THelpViewerTexts& texts, const std::filesystem::path& file, TChmArchive::TRefusal refusal)
{
    ShowErrorMessage(QApplication::activeWindow(), HelpFileRefusalText(texts, file, refusal),
        FromFileName(file));
}
