#include "app/LanguageApplication.h"

#include "app/FileDialogs.h"
#include "app/MainFormControls.h"
#include "app/WindowTexts.h"
#include "app/WindowTools.h"
#include "common/FileAccess.h"
#include "common/ProfileFile.h"
#include "common/UiText.h"
#include "editing/ColorPickerButton.h"
#include "help/HelpFilePath.h"
#include "help/HelpRouter.h"
#include "help/VersionText.h"
#include "help/WhatsThis.h"
#include "i18n/LanguageFile.h"
#include "i18n/LanguageKeys.h"
#include "i18n/OwnTexts.h"
#include "i18n/QtTranslations.h"
#include "i18n/TranslatedTexts.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>

#include <utility>

TLanguageApplication::TLanguageApplication(QMainWindow& window, TMainFormControls& controls,
    TFileDialogs& dialogs, const TWindowTools& tools, std::string programFolder)
    : FWindow(window)
    , FControls(controls)
    , FDialogs(dialogs)
    , FTools(tools)
    , FProgramFolder(std::move(programFolder))
{ }

QAction* TLanguageApplication::Command(const TLanguageKey& key) const
{
    if (QAction* action = FControls.Action(key.Name))
        return action;
    for (QAction* action : FTools.Actions()) {
        if (action->objectName() == QLatin1String(key.Name))
            return action;
    }
    return nullptr;
}

TAnsiString TLanguageApplication::TargetText(const TLanguageKey& key) const
{
    switch (key.Target) {
    case TLanguageTarget::TranslatedText:
        return TranslatedTexts().at(std::size_t(key.Index));
    case TLanguageTarget::MenuCaption:
        return ToWindows1252(FControls.Menus.at(std::size_t(key.Index))->title());
    case TLanguageTarget::CommandCaption:
        if (const QAction* action = Command(key))
            return ToWindows1252(action->text());
        return {};
    case TLanguageTarget::CommandHint:
        if (const QAction* action = Command(key))
            return ToWindows1252(action->property(CommandHintProperty).toString());
        return {};
    case TLanguageTarget::ControlCaption:
        if (const auto* group = FWindow.findChild<QGroupBox*>(key.Name))
            return ToWindows1252(group->title());
        if (const auto* label = FWindow.findChild<QLabel*>(key.Name))
            return ToWindows1252(label->text());
        return {};
    case TLanguageTarget::PickerCustomText:
        return ToWindows1252(FControls.ColorPickerButton1->CustomText());
    case TLanguageTarget::PickerColorHint:
        return ToWindows1252(FControls.ColorPickerButton1->ColorHintText());
    case TLanguageTarget::PickerIntensityHint:
        return ToWindows1252(FControls.ColorPickerButton1->IntensityHintText());
    case TLanguageTarget::WhatsThisCaption:
        return ToWindows1252(FControls.WhatsThis->PopupCaption());
    case TLanguageTarget::FilterName:
        return {};
    }
    return {};
}

void TLanguageApplication::SetTargetText(const TLanguageKey& key, const TAnsiString& value)
{
    const QString text = FromWindows1252(value);
    switch (key.Target) {
    case TLanguageTarget::TranslatedText:
        TranslatedTexts().at(std::size_t(key.Index)) = value;
        break;
    case TLanguageTarget::MenuCaption:
        FControls.Menus.at(std::size_t(key.Index))->setTitle(text);
        break;
    case TLanguageTarget::CommandCaption:
        if (QAction* action = Command(key))
            action->setText(text);
        break;
    case TLanguageTarget::CommandHint:
        if (QAction* action = Command(key))
            SetCommandHint(*action, text);
        break;
    case TLanguageTarget::ControlCaption:
        if (auto* group = FWindow.findChild<QGroupBox*>(key.Name)) {
            group->setTitle(text);
        } else if (auto* label = FWindow.findChild<QLabel*>(key.Name)) {
            label->setText(text);
            label->adjustSize();
        }
        break;
    case TLanguageTarget::PickerCustomText:
        FControls.ColorPickerButton1->SetCustomText(text);
        break;
    case TLanguageTarget::PickerColorHint:
        FControls.ColorPickerButton1->SetColorHintText(text);
        break;
    case TLanguageTarget::PickerIntensityHint:
        FControls.ColorPickerButton1->SetIntensityHintText(text);
        break;
    case TLanguageTarget::WhatsThisCaption:
        FControls.WhatsThis->SetPopupCaption(text);
        break;
    case TLanguageTarget::FilterName:
        break;
    }
}

bool TLanguageApplication::Apply(const std::string& language)
{
    const std::filesystem::path file = LanguageFilePath(language, FProgramFolder);
    // A missing file changes nothing at all, not even the caption.
    if (!FileExists(file))
        return false;
    const TProfileFile profile = ReadLanguageFile(file);
    std::array<TAnsiString, 4> filterNames;
    // Key by key in the table's order, each defaulting to what its target shows now.
    for (const TLanguageKey& key : LanguageKeys) {
        const TAnsiString value = ReadLanguageValue(profile, key, TargetText(key));
        if (key.Target == TLanguageTarget::FilterName)
            filterNames.at(std::size_t(key.Index)) = value;
        else
            SetTargetText(key, value);
    }
    // Then ours, which no file of the original program holds: the window's further texts, the
    // tools' commands and the tools' texts.
    for (const TTextKey& key : WindowTextKeys())
        SetOwnText(key, ReadLanguageText(profile, key.Section, key.Key, OwnText(key)));
    for (const TLanguageKey& key : FTools.CommandKeys())
        SetTargetText(key, ReadLanguageValue(profile, key, TargetText(key)));
    for (const TTextKey& key : FTools.TextKeys())
        SetOwnText(key, ReadLanguageText(profile, key.Section, key.Key, OwnText(key)));
    ApplyWindowTexts(FControls);

    for (const TDialogFilters& dialog : BuildDialogFilters(filterNames)) {
        QStringList filters;
        for (const TFileFilter& filter : dialog.Filters)
            filters.append(QString("%1 (%2)").arg(
                FromWindows1252(filter.Name), QString::fromStdString(filter.Pattern)));
        FDialogs.SetFilters(dialog.DialogName, filters);
    }
    FControls.HelpRouter->SetHelpfile(HelpFilePath(FProgramFolder, TranslatedTexts()[ttHelpFile]));
    if (auto counts = ReadSingularCounts(profile))
        SetSingularCounts(std::move(*counts));
    // Qt's own dialogs (colour, files, message box buttons) and every number shown follow the
    // language too.
    const std::string locale = ReadLanguageLocale(profile);
    ApplyQtTranslations(locale);
    ApplyLocale(locale);
    return true;
}

void SetCommandHint(QAction& action, const QString& hint)
{
    action.setProperty(CommandHintProperty, hint);
    const QString shown = QString::fromStdString(WithoutAccelerator(hint.toStdString()));
    action.setToolTip(AsPlainText(shown));
}
