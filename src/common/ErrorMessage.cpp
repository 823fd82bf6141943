#include "common/ErrorMessage.h"

#include "common/Error.h"
#include "common/UiText.h"

#include <QMessageBox>

#include <string_view>

void ShowErrorMessage(QWidget* parent, const QString& text, const QString& informative)
{
    QMessageBox box(
        QMessageBox::Critical, QStringLiteral("Tintwright"), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    // A message box reads its informative text as rich text when it looks like markup.
    box.setInformativeText(AsPlainText(informative));
    box.exec();
}

QString ErrorText(const std::exception& error)
{
    return QString::fromStdString(UserErrorText(error));
}

void ShowErrorBox(
    QWidget* parent, const std::exception& error, const std::filesystem::path& concerning)
{
    // Error texts are UTF-8; the file concerned, when the text does not already name it,
    // goes below the text.
    const auto* withFile = dynamic_cast<const TError*>(&error);
    const std::string& file = withFile != nullptr && !withFile->File().empty()
        ? withFile->File().native()
        : concerning.native();
    QString informative;
    if (!file.empty() && std::string_view(error.what()).find(file) == std::string_view::npos)
        informative = FromFileName(file);
    ShowErrorMessage(parent, ErrorText(error), informative);
}
