#include "i18n/UnitLanguage.h"

#include "TemporaryFolder.h"
#include "UiTestHelpers.h"
#include "i18n/TranslatedTexts.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct TLanguageFile
{
    const char* Name;
    std::optional<std::string> Text; // none: a folder of that name
};

const std::vector<TLanguageFile> DeutschAndEnglish = {
    {"English.clf", "[Application]\r\nModified=Modified\r\n"},
    {"Deutsch.clf", "[Language]\r\nLanguage=Deutsch\r\nTranslator=Anna Beispiel\r\n"},
};

class LanguageFormTest : public ::testing::Test
{
protected:
    fs::path Languages() const { return Folder / "languages"; }

    // No files: no languages folder at all.
    void Install(const std::vector<TLanguageFile>& files)
    {
        if (!files.empty())
            fs::create_directory(Languages());
        for (const TLanguageFile& file : files) {
            if (file.Text)
                WriteBytes(Languages() / file.Name, *file.Text);
            else
                fs::create_directory(Languages() / file.Name);
        }
    }

    // The chooser as the command shows it; show() runs its preselection as exec() would.
    std::unique_ptr<TFormLanguage> Show(const std::string& current)
    {
        auto form = std::make_unique<TFormLanguage>(Languages(), current);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        return form;
    }

    static QComboBox* Combo(QWidget* form) { return form->findChild<QComboBox*>("ComboBox1"); }
    // UTF-8, so that a failure shows readable text.
    static std::vector<std::string> Entries(QWidget* form)
    {
        std::vector<std::string> entries;
        for (int i = 0; i < Combo(form)->count(); ++i)
            entries.push_back(Combo(form)->itemText(i).toStdString());
        return entries;
    }
    static std::string Translator(QWidget* form)
    {
        return form->findChild<QLabel*>("Label2")->text().toStdString();
    }

    TTemporaryFolder Folder;
};

TEST_F(LanguageFormTest, ListsByDisplayNameAndPreselectsTheCurrentFile)
{
    const struct
    {
        const char* Name;
        std::vector<TLanguageFile> Files;
        std::string Current;
        std::vector<std::string> Entries;
        int Selected;
        std::string Translator;
        const char* Chosen; // GetSelectedLanguage's output, "kept" before
    } rows[] = {
        // What a first start holds: Enter must not switch an English user to Deutsch.
        {"built-in bare name", DeutschAndEnglish, "English", {"Deutsch", "English.clf"}, 1, "",
            "English.clf"},
        {"file name", DeutschAndEnglish, "English.clf", {"Deutsch", "English.clf"}, 1, "",
            "English.clf"},
        {"file name in other case", DeutschAndEnglish, "english.CLF", {"Deutsch", "English.clf"}, 1,
            "", "English.clf"},
        {"path in the languages folder", DeutschAndEnglish, (Languages() / "English.clf").string(),
            {"Deutsch", "English.clf"}, 1, "", "English.clf"},
        {"path in another folder", DeutschAndEnglish, "/opt/tw/languages/English.clf",
            {"Deutsch", "English.clf"}, 0, "Anna Beispiel", "Deutsch.clf"},
        {"empty name and translator",
            {{"Zulu.clf", "[Language]\r\nLanguage=Zulu\r\nTranslator=Z\r\n"},
                {"Leer.clf", "[Language]\r\nLanguage=\r\nTranslator=\r\n"}},
            "Zulu.clf", {"", "Zulu"}, 1, "Z", "Zulu.clf"},
        {"folder named like a file", {{"x.clf", std::nullopt}}, "English", {"x.clf"}, 0, "",
            "x.clf"},
        {"no languages folder", {}, "English", {}, -1, "", "kept"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        fs::remove_all(Languages());
        Install(row.Files);
        const auto form = Show(row.Current);
        EXPECT_EQ(Entries(form.get()), row.Entries);
        EXPECT_EQ(Combo(form.get())->currentIndex(), row.Selected);
        EXPECT_EQ(Translator(form.get()), row.Translator);
        std::string chosen = "kept";
        form->GetSelectedLanguage(chosen);
        EXPECT_EQ(chosen, row.Chosen);
    }
}

TEST_F(LanguageFormTest, SortsAlphabeticallyIgnoringCaseAndAccents)
{
    // Windows-1252 names; in code-point order the lower-case and accented ones would come last.
    Install({{"it.clf", "[Language]\r\nLanguage=italiano\r\n"},
        {"is.clf", "[Language]\r\nLanguage=\xCDslenska\r\n"},
        {"fr.clf",
            "[Language]\r\nLanguage=Fran\xE7"
            "ais\r\n"},
        {"de.clf", "[Language]\r\nLanguage=deutsch\r\n"},
        {"da.clf", "[Language]\r\nLanguage=Dansk\r\n"},
        {"es.clf", "[Language]\r\nLanguage=Espa\xF1ol\r\n"},
        {"en.clf", "[Language]\r\nLanguage=English\r\n"}});
    const std::vector<std::string> sorted
        = {"Dansk", "deutsch", "English", "Español", "Français", "Íslenska", "italiano"};
    const QLocale saved;
    for (const QLocale& locale :
        {QLocale::c(), QLocale(QLocale::English), QLocale(QLocale::German)}) {
        SCOPED_TRACE(locale.name().toStdString());
        QLocale::setDefault(locale);
        EXPECT_EQ(Entries(Show("English").get()), sorted);
    }
    QLocale::setDefault(saved);
}

TEST_F(LanguageFormTest, IsUsableFromTheKeyboard)
{
    Install(DeutschAndEnglish);
    const struct
    {
        const char* Name;
        std::vector<Qt::Key> Keys; // Qt::Key_unknown: the close box
        int Result;
        const char* Chosen;
    } rows[] = {
        {"Enter takes the selection", {Qt::Key_Return}, QDialog::Accepted, "Deutsch.clf"},
        {"Down then Enter", {Qt::Key_Down, Qt::Key_Enter}, QDialog::Accepted, "English.clf"},
        {"Tab to OK and Space", {Qt::Key_Down, Qt::Key_Tab, Qt::Key_Space}, QDialog::Accepted,
            "English.clf"},
        {"Escape", {Qt::Key_Down, Qt::Key_Escape}, QDialog::Rejected, ""},
        {"Tab to Cancel and Space", {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Space}, QDialog::Rejected,
            ""},
        {"close box", {Qt::Key_unknown}, QDialog::Rejected, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        TFormLanguage form(Languages(), "Deutsch");
        QString focusAtStart;
        std::optional<std::string> translatorAfterDown;
        AnswerNextModal([&](QWidget* dialog) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
            focusAtStart = QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                                       : QString();
            for (Qt::Key key : row.Keys) {
                if (key == Qt::Key_unknown) {
                    dialog->close();
                    return;
                }
                QTest::keyClick(dialog->windowHandle(), key);
                if (key == Qt::Key_Down)
                    translatorAfterDown = Translator(dialog);
            }
        });
        EXPECT_EQ(form.exec(), row.Result);
        EXPECT_FALSE(PendingAnswer());
        EXPECT_EQ(focusAtStart, "ComboBox1");
        if (translatorAfterDown) {
            EXPECT_EQ(*translatorAfterDown, "") << "English.clf has no translator";
        }
        // What the command does with the result: only OK changes the language value.
        std::string chosen;
        if (row.Result == QDialog::Accepted)
            form.GetSelectedLanguage(chosen);
        EXPECT_EQ(chosen, row.Chosen);
    }
}

TEST_F(LanguageFormTest, HasItsFixedLayoutAndTakesItsTextsFromTheCurrentLanguage)
{
    Install(DeutschAndEnglish);
    const auto form = Show("English");
    EXPECT_EQ(form->size(), QSize(247, 149));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_FALSE(
        form->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(form->windowFlags() & Qt::WindowCloseButtonHint);
    const struct
    {
        const char* Name;
        QRect Geometry;
    } controls[] = {
        {"GroupBox1", {8, 8, 233, 105}},
        {"ComboBox1", {8, 32, 217, 21}},
        {"ButtonOK", {80, 120, 75, 25}},
        {"ButtonCancel", {160, 120, 75, 25}},
    };
    for (const auto& control : controls) {
        SCOPED_TRACE(control.Name);
        const QWidget* widget = form->findChild<QWidget*>(control.Name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), control.Geometry);
    }
    EXPECT_EQ(form->findChild<QLabel*>("Label1")->pos(), QPoint(8, 64));
    EXPECT_EQ(form->findChild<QLabel*>("Label2")->pos(), QPoint(8, 80));
    EXPECT_TRUE(form->findChild<QPushButton*>("ButtonOK")->isDefault());
    EXPECT_FALSE(Combo(form.get())->isEditable());

    auto& texts = TranslatedTexts();
    const auto saved = texts;
    texts[ttChooseLanguage] = "W\xE4hlen Sie Ihre Sprache";
    texts[ttTranslatedBy] = "\xDC"
                            "bersetzt von:";
    texts[ttOK] = "OK";
    texts[ttCancel] = "Abbrechen";
    form->SetTranslatedTexts("Sprache wechseln");
    texts = saved;
    EXPECT_EQ(form->windowTitle(), "Sprache wechseln");
    EXPECT_EQ(form->findChild<QGroupBox*>("GroupBox1")->title(),
        QString::fromUtf8("Wählen Sie Ihre Sprache"));
    EXPECT_EQ(form->findChild<QLabel*>("Label1")->text(), QString::fromUtf8("Übersetzt von:"));
    EXPECT_EQ(form->findChild<QPushButton*>("ButtonOK")->text(), "OK");
    EXPECT_EQ(form->findChild<QPushButton*>("ButtonCancel")->text(), "Abbrechen");
}

} // namespace
