#include "app/ErrorBox.h"

#include "app/WindowTexts.h"
#include "common/Error.h"
#include "common/PathRules.h"
#include "common/UiText.h"

#include <QMessageBox>
#include <QStringList>

#include <string_view>

namespace {

const char* const ApplicationTitle = "Tintwright";

// So many files are named in one box, the rest counted.
constexpr std::size_t ListedFailures = 10;

void Show(QWidget* parent, const QString& text, const QString& informative)
{
    QMessageBox box(QMessageBox::Critical, ApplicationTitle, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    // A message box reads its informative text as rich text when it looks like markup.
    box.setInformativeText(AsPlainText(informative));
    box.exec();
}

} // namespace

QString ErrorText(const std::exception& error)
{
    return QString::fromStdString(UserErrorText(error));
}

void ShowErrorBox(QWidget* parent, const std::exception& error)
{
    // Error texts are UTF-8; the file concerned, when the text does not already name it,
    // goes below the text.
    QString informative;
    if (const auto* withFile = dynamic_cast<const TError*>(&error)) {
        const std::string& file = withFile->File().native();
        if (!file.empty() && std::string_view(error.what()).find(file) == std::string::npos)
            informative = FromFileName(file);
    }
    Show(parent, ErrorText(error), informative);
}

void ShowErrorBox(QWidget* parent, const std::vector<TFileFailure>& failures)
{
    if (failures.empty())
        return;
    if (failures.size() == 1) {
        Show(parent, failures.front().Reason, FromFileName(failures.front().File));
        return;
    }
    QStringList lines;
    for (std::size_t i = 0; i < failures.size() && i < ListedFailures; ++i) {
        lines.append(QStringLiteral("%1: %2").arg(
            FromFileName(ExtractFileName(failures[i].File.native())), failures[i].Reason));
    }
    if (failures.size() > ListedFailures)
        lines.append(Text(WindowText::MoreFailures).arg(failures.size() - ListedFailures));
    Show(parent, Text(WindowText::FilesFailed).arg(failures.size()), lines.join('\n'));
}
