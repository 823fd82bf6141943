#pragma once

#include "i18n/LanguageFile.h"

#include <QDialog>

#include <filesystem>
#include <string>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QShowEvent;

// The language chooser of "Switch language...": lists the language files of the languages folder
// by display name and gives back the file name of the one chosen. Made for one use: the list is
// read when the dialog is created, so files added meanwhile show the next time. OK (the default
// button, also Enter) accepts; Cancel, Esc and the close box reject.
class TFormLanguage : public QDialog
{
    Q_OBJECT

public:
    // currentLanguage is the current language value; the list preselects the entry of the file
    // it names (FindLanguageItem), else its first entry.
    TFormLanguage(std::filesystem::path languagesFolder, std::string currentLanguage,
        QWidget* parent = nullptr);
    ~TFormLanguage() override;

    // The window caption, the group caption, the label above the translator and the two buttons.
    void SetTexts(const QString& caption, const QString& groupCaption, const QString& translatedBy,
        const QString& ok, const QString& cancel);
    // The same in the current language: the caption given (the switch command's hint) and
    // TranslatedTexts() entries 4 to 7.
    void SetTranslatedTexts(const QString& caption);

    // Sets name to the selected entry's file name; leaves it as it was when none is selected.
    void GetSelectedLanguage(std::string& name) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    void FormCreate();
    void FormShow();
    void ComboBox1Select();

    std::filesystem::path FLanguagesFolder;
    std::string FCurrentLanguage;
    // One per list entry, in list order; each entry's data is its index here.
    std::vector<TLanguageItem> FItems;

    QGroupBox* GroupBox1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* ButtonOK = nullptr;
    QPushButton* ButtonCancel = nullptr;
};
