// Languages: applying a language file to the whole interface, and the language chooser.
#include "app/MainForm.h"

#include "common/FileAccess.h"
#include "common/ProfileFile.h"
#include "common/UiText.h"
#include "editing/ColorPickerButton.h"
#include "help/HelpRouter.h"
#include "help/VersionText.h"
#include "help/WhatsThis.h"
#include "i18n/LanguageFile.h"
#include "i18n/LanguageKeys.h"
#include "i18n/TranslatedTexts.h"
#include "i18n/UnitLanguage.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>

TAnsiString TMainForm::LanguageTargetText(const TLanguageKey& key) const
{
    switch (key.Target) {
    case TLanguageTarget::TranslatedText:
        return TranslatedTexts().at(std::size_t(key.Index));
    case TLanguageTarget::MenuCaption:
        return ToWindows1252(Menus.at(std::size_t(key.Index))->title());
    case TLanguageTarget::CommandCaption:
        return ToWindows1252(Actions.at(CommandRow(key))->text());
    case TLanguageTarget::CommandHint:
        return ToWindows1252(Actions.at(CommandRow(key))->property(CommandHintProperty).toString());
    case TLanguageTarget::ControlCaption:
        if (const auto* group = findChild<QGroupBox*>(key.Name))
            return ToWindows1252(group->title());
        if (const auto* label = findChild<QLabel*>(key.Name))
            return ToWindows1252(label->text());
        return {};
    case TLanguageTarget::PickerCustomText:
        return ToWindows1252(ColorPickerButton1->CustomText());
    case TLanguageTarget::PickerColorHint:
        return ToWindows1252(ColorPickerButton1->ColorHintText());
    case TLanguageTarget::PickerIntensityHint:
        return ToWindows1252(ColorPickerButton1->IntensityHintText());
    case TLanguageTarget::WhatsThisCaption:
        return ToWindows1252(WhatsThis->PopupCaption());
    case TLanguageTarget::FilterName:
        return {};
    }
    return {};
}

void TMainForm::SetLanguageTargetText(const TLanguageKey& key, const TAnsiString& value)
{
    const QString text = FromWindows1252(value);
    switch (key.Target) {
    case TLanguageTarget::TranslatedText:
        TranslatedTexts().at(std::size_t(key.Index)) = value;
        break;
    case TLanguageTarget::MenuCaption:
        Menus.at(std::size_t(key.Index))->setTitle(text);
        break;
    case TLanguageTarget::CommandCaption:
        Actions.at(CommandRow(key))->setText(text);
        break;
    case TLanguageTarget::CommandHint:
        SetCommandHint(Actions.at(CommandRow(key)), text);
        break;
    case TLanguageTarget::ControlCaption:
        if (auto* group = findChild<QGroupBox*>(key.Name)) {
            group->setTitle(text);
        } else if (auto* label = findChild<QLabel*>(key.Name)) {
            label->setText(text);
            label->adjustSize();
        }
        break;
    case TLanguageTarget::PickerCustomText:
        ColorPickerButton1->SetCustomText(text);
        break;
    case TLanguageTarget::PickerColorHint:
        ColorPickerButton1->SetColorHintText(text);
        break;
    case TLanguageTarget::PickerIntensityHint:
        ColorPickerButton1->SetIntensityHintText(text);
        break;
    case TLanguageTarget::WhatsThisCaption:
        WhatsThis->SetPopupCaption(text);
        break;
    case TLanguageTarget::FilterName:
        break;
    }
}

void TMainForm::SetCommandHint(QAction* action, const QString& hint)
{
    action->setProperty(CommandHintProperty, hint);
    // The tool tip reads like the menu entry: an "&" marks no letter there.
    const QString shown = QString::fromStdString(WithoutAccelerator(hint.toStdString()));
    action->setToolTip(shown);
    action->setStatusTip(shown);
}

void TMainForm::ApplyLanguage(const std::string& language)
{
    const std::filesystem::path file = LanguageFilePath(language, FProgramFolder);
    // A missing file changes nothing at all, not even the caption.
    if (!FileExists(file))
        return;
    const TProfileFile profile = ReadLanguageFile(file);
    std::array<TAnsiString, 4> filterNames;
    // Key by key in the table's order, each defaulting to what its target shows now.
    for (const TLanguageKey& key : LanguageKeys) {
        const TAnsiString value = ReadLanguageValue(profile, key, LanguageTargetText(key));
        if (key.Target == TLanguageTarget::FilterName)
            filterNames.at(std::size_t(key.Index)) = value;
        else
            SetLanguageTargetText(key, value);
    }
    for (const TDialogFilters& dialog : BuildDialogFilters(filterNames)) {
        QStringList filters;
        for (const TFileFilter& filter : dialog.Filters)
            filters.append(QString("%1 (%2)").arg(
                FromWindows1252(filter.Name), QString::fromStdString(filter.Pattern)));
        FFileDialogs.SetFilters(dialog.DialogName, filters);
    }
    // The caption loses the document's name until the next SetFileName.
    setWindowTitle(FromWindows1252(TranslatedTexts()[ttApplicationName]));
    HelpRouter->SetHelpfile(FProgramFolder + "Help/" + TranslatedTexts()[ttHelpFile]);
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
