// Languages: applying a language file to the whole window, and the language chooser.
#include "app/MainForm.h"

#include "app/WindowDocument.h"
#include "app/LanguageApplication.h"
#include "app/WindowTexts.h"
#include "common/Error.h"
#include "common/Windows1252.h"
#include "i18n/LanguageFile.h"
#include "i18n/UnitLanguage.h"

#include <QAction>

#include <utility>

void TMainForm::ApplyLanguage(const std::string& language)
{
    if (!FLanguage->Apply(language))
        return;
    // The caption keeps the open document's name, in the new language's title, and the
    // modified mark speaks the new language at once.
    SetFileName(FFileName);
    SetModified(FModified);
    emit FDocument->LanguageApplied();
}

void TMainForm::UseLanguageFile(const std::filesystem::path& path)
{
    RefuseUnstorablePath(path);
    // A file that is there but cannot be applied is not remembered.
    const std::string previous = std::exchange(FSettings.DefaultLanguage, path.native());
    try {
        ApplyLanguage(FSettings.DefaultLanguage);
    } catch (...) {
        FSettings.DefaultLanguage = previous;
        throw;
    }
}

void TMainForm::RefuseUnstorablePath(const std::filesystem::path& path)
{
    // The settings file keeps one value a line: a line break in it would make closing fail.
    if (path.native().find_first_of("\r\n") != std::string::npos)
        throw TError(Utf8FromAnsi(OwnText(WindowText::LineBreakInPath)), path);
}

void TMainForm::ActionToolsSwitchLanguageExecute()
{
    {
        TFormLanguage chooser(LanguagesFolder(FProgramFolder), FSettings.DefaultLanguage, this);
        chooser.SetTranslatedTexts(
            ActionToolsSwitchLanguage->property(CommandHintProperty).toString());
        if (chooser.exec() == QDialog::Accepted) {
            std::string chosen;
            chooser.GetSelectedLanguage(chosen);
            FSettings.DefaultLanguage = chosen;
        }
    }
    // OK or Cancel, the current language is applied again.
    ApplyLanguage(FSettings.DefaultLanguage);
}
