#include "app/ErrorBox.h"

#include "app/WindowTexts.h"
#include "common/PathRules.h"
#include "common/UiText.h"

#include <QStringList>

namespace {

// So many files are named in one box, the rest counted.
constexpr std::size_t ListedFailures = 10;

} // namespace

void ShowErrorBox(QWidget* parent, const std::vector<TFileFailure>& failures)
{
    if (failures.empty())
        return;
    if (failures.size() == 1) {
        ShowErrorMessage(parent, failures.front().Reason, FromFileName(failures.front().File));
        return;
    }
    QStringList lines;
    for (std::size_t i = 0; i < failures.size() && i < ListedFailures; ++i) {
        lines.append(QStringLiteral("%1: %2").arg(
            FromFileName(ExtractFileName(failures[i].File.native())), failures[i].Reason));
    }
    if (failures.size() > ListedFailures)
        lines.append(Text(WindowText::MoreFailures).arg(failures.size() - ListedFailures));
    ShowErrorMessage(parent, Text(WindowText::FilesFailed).arg(failures.size()), lines.join('\n'));
}
