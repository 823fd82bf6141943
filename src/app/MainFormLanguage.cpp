// Languages: applying a language file to the whole window, and the language chooser.
#include "app/MainForm.h"

#include "app/WindowDocument.h"
#include "app/LanguageApplication.h"
#include "i18n/LanguageFile.h"
#include "i18n/UnitLanguage.h"

#include <QAction>

void TMainForm::ApplyLanguage(const std::string& language)
{
    if (!FLanguage->Apply(language))
        return;
    // The caption keeps the open document's name, in the new language's title.
    SetFileName(FFileName);
    emit FDocument->LanguageApplied();
}

void TMainForm::UseLanguageFile(const std::filesystem::path& path)
{
    FSettings.DefaultLanguage = path.native();
    ApplyLanguage(FSettings.DefaultLanguage);
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
