// Qt's own dialogs speak the language applied, not the desktop's.
#include "i18n/QtTranslations.h"

#include "app/MainFormFixture.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

namespace {

const fs::path LanguagesData = fs::path(TINTWRIGHT_DATA_DIR) / "languages";

class QtTranslationsTest : public TMainFormFixture
{
public:
    void SetUp() override
    {
        TMainFormFixture::SetUp();
        fs::create_directories(Folder / "languages");
        for (const char* name : {"English.clf", "Deutsch.clf", "Francais.clf"})
            fs::copy_file(LanguagesData / name, Folder / "languages" / name);
        WriteBytes(Folder / "languages" / "Ohne.clf", "[Language]\r\nLanguage=Ohne Locale\r\n");
    }

    void TearDown() override
    {
        // Qt's texts are the program's, not the window's: the next test gets English.
        ApplyQtTranslations("en");
        TMainFormFixture::TearDown();
    }
};

std::string MessageBoxButtons()
{
    const QMessageBox box(QMessageBox::Question, "Tintwright", "?",
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    return QStringList({box.button(QMessageBox::Yes)->text(), box.button(QMessageBox::No)->text(),
                           box.button(QMessageBox::Cancel)->text()})
        .join(" | ")
        .toStdString();
}

// The colour dialog's title and labels.
QStringList ColorDialogTexts()
{
    QColorDialog dialog;
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    QStringList texts = {dialog.windowTitle()};
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        texts.append(label->text());
    return texts;
}

QString TranslationsFolder()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

// What Qt shows for a text in the system's locale.
std::string InSystemLocale(const char* context, const char* text)
{
    QTranslator system;
    if (system.load(QLocale::system(), "qtbase", "_", TranslationsFolder())) {
        if (const QString translated = system.translate(context, text); !translated.isEmpty())
            return translated.toStdString();
    }
    return text;
}

TEST_F(QtTranslationsTest, MessageBoxesAndTheColourDialogFollowTheLanguageFile)
{
    // What the start-up installs on a German desktop. Texts that English leaves untranslated must
    // not come from it.
    QTranslator desktop;
    ASSERT_TRUE(desktop.load(QLocale(QLocale::German), "qtbase", "_", TranslationsFolder()))
        << "Qt's translations are missing (Debian package qt6-translations-l10n)";
    QCoreApplication::installTranslator(&desktop);
    TMainForm& form = Start();
    const std::string systemButtons = InSystemLocale("QPlatformTheme", "&Yes") + " | "
        + InSystemLocale("QPlatformTheme", "&No") + " | "
        + InSystemLocale("QPlatformTheme", "Cancel");
    const struct
    {
        const char* Language;
        std::string Buttons;
        const char* Title; // of the colour dialog
        const char* RedLabel;
    } rows[] = {
        {"Deutsch", "&Ja | &Nein | Abbrechen", "Farbauswahl", "&Rot:"},
        {"Francais", "&Oui | &Non | Annuler", "S\u00E9lectionner une couleur", "&Rouge :"},
        {"English", "&Yes | &No | Cancel", "Select Color", "&Red:"},
        {"Deutsch", "&Ja | &Nein | Abbrechen", "Farbauswahl", "&Rot:"},
        // A file that names no locale brings the system's language back.
        {"Ohne", systemButtons, nullptr, nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Language);
        form.ApplyLanguage(row.Language);
        EXPECT_EQ(MessageBoxButtons(), row.Buttons);
        if (!row.Title)
            continue;
        const QStringList texts = ColorDialogTexts();
        EXPECT_EQ(texts.value(0).toStdString(), row.Title);
        EXPECT_TRUE(texts.contains(QString::fromUtf8(row.RedLabel)))
            << texts.join(" | ").toStdString();
    }
}

} // namespace
