// Language files applied to the main window: what they name changes, the rest keeps the language
// it had; the chooser records and applies the choice.
#include "app/MainFormFixture.h"

#include "editing/ColorPickerButton.h"
#include "tools/legibility/LegibilityWindow.h"

#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTableView>
#include <QTest>
#include <QTextDocument>
#include <QTreeView>

namespace {

class ApplyLanguageTest : public TMainFormFixture
{
public:
    void SetUp() override
    {
        TMainFormFixture::SetUp();
        fs::create_directories(Folder / "languages");
    }
    void WriteLanguage(const std::string& name, const std::string& text)
    {
        WriteBytes(Folder / "languages" / name, text);
    }
    QString Group(const char* name) const { return Form->findChild<QGroupBox*>(name)->title(); }
};

TEST_F(ApplyLanguageTest, FilesChangeOnlyWhatTheyNameAndKeepEarlierTranslations)
{
    WriteLanguage("Titel.clf", "[Application]\r\nApplicationName=Nur der Titel\r\n");
    WriteLanguage("Menue.clf",
        "[FileMenu]\r\nName=&Datei\r\nItemNew=&Neu\r\n[ToolsMenu]\r\nItemClipboard=Aus der "
        "&Zwischenablage\r\n[Application]\r\nFilter1=Farbdateien\r\nFilter2=Alle Dateien\r\n"
        "Modified=Ge\xE4ndert\r\n");
    WriteLanguage("Leer.clf", "; no keys at all\r\n");
    TMainForm& form = Start();
    WriteBytes(Folder / "mine.clr", SmallScheme);
    form.LoadColorFile(Folder / "mine.clr");
    Select(1);
    TypeCode("ABCDEF");

    form.ApplyLanguage("Titel");
    EXPECT_EQ(form.windowTitle(), "mine.clr - Nur der Titel"); // the document's name stays
    EXPECT_EQ(Menu(form, 0)->title(), "&File");
    EXPECT_EQ(Action(form, "ActionFileNew")->text(), "&New");
    EXPECT_EQ(Group("GroupBox1"), "Choose item");

    form.ApplyLanguage("Menue.clf");
    EXPECT_EQ(form.windowTitle(), "mine.clr - Nur der Titel"); // kept from the file before
    EXPECT_EQ(Menu(form, 0)->title(), "&Datei");
    EXPECT_EQ(Action(form, "ActionFileNew")->text(), "&Neu");
    EXPECT_EQ(Action(form, "ActionFileNew")->toolTip(), "New");
    // The clipboard command's caption and hint come from one key; the tip reads like the menu.
    EXPECT_EQ(Action(form, "ActionToolsClipboard")->text(), "Aus der &Zwischenablage");
    EXPECT_EQ(Action(form, "ActionToolsClipboard")->toolTip(), "Aus der Zwischenablage");
    // The mark already shown takes the new language at once; a file without the key keeps it.
    EXPECT_EQ(StatusPanel0(form)->text(), QString::fromUtf8("Ge\u00E4ndert"));
    form.ApplyLanguage("Titel");
    EXPECT_EQ(StatusPanel0(form)->text(), QString::fromUtf8("Ge\u00E4ndert"));
    form.ApplyLanguage("Menue");

    // A file without filter keys brings the English names back; one without any key keeps
    // every text.
    QStringList filters;
    AnswerNextModal([&filters](QWidget* dialog) {
        filters = qobject_cast<QFileDialog*>(dialog)->nameFilters();
        qobject_cast<QFileDialog*>(dialog)->reject();
    });
    Action(form, "ActionFileOpen")->trigger();
    EXPECT_EQ(filters, QStringList({"Farbdateien (*.clr)", "Alle Dateien (*)"}));
    form.SetFileName(Folder / "mine.clr");
    form.ApplyLanguage("Leer");
    EXPECT_EQ(form.windowTitle(), "mine.clr - Nur der Titel");
    EXPECT_EQ(Menu(form, 0)->title(), "&Datei");
    AnswerNextModal([&filters](QWidget* dialog) {
        filters = qobject_cast<QFileDialog*>(dialog)->nameFilters();
        qobject_cast<QFileDialog*>(dialog)->reject();
    });
    Action(form, "ActionFileOpen")->trigger();
    EXPECT_EQ(filters, QStringList({"TomTom Color Files (*.clr)", "All Files (*)"}));
    form.SetModified(false);
}

TEST_F(ApplyLanguageTest, NamesAreResolvedInTheirThreeFormsAndMissingFilesChangeNothing)
{
    WriteLanguage("Deutsch.clf", "[GroupItem]\r\nCaption=Deutsch\r\n");
    WriteLanguage("Deutsch.txt", "[GroupItem]\r\nCaption=Text\r\n");
    WriteBytes(Folder / "elsewhere.clf", "[GroupItem]\r\nCaption=Woanders\r\n");
    struct TRow
    {
        std::string Value;
        const char* Caption;
    };
    const TRow rows[] = {
        {"Deutsch", "Deutsch"}, {"Deutsch.clf", "Deutsch"},
        {"Deutsch.txt", "Text"}, // another extension stays
        {(Folder / "elsewhere.clf").string(), "Woanders"},
        {"Missing", "Woanders"}, // nothing changes, not even the caption
        {(Folder / "languages").string(), "Woanders"}, // a folder is no language file
    };
    TMainForm& form = Start();
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Value);
        form.SetFileName(Folder / "named.clr");
        form.ApplyLanguage(row.Value);
        EXPECT_EQ(Group("GroupBox1"), row.Caption);
        // Applied or not, the caption keeps naming the open document.
        EXPECT_TRUE(form.windowTitle().startsWith("named.clr - "))
            << form.windowTitle().toStdString();
    }
}

TEST_F(ApplyLanguageTest, TheChooserRecordsTheChoiceAndCancelAppliesTheCurrentLanguage)
{
    WriteLanguage("Deutsch.clf",
        "[Language]\r\nLanguage=Deutsch\r\n[Application]\r\nApplicationName=Tintwright "
        "Deutsch\r\n[ToolsMenu]\r\nItemLanguageHint=Sprache wechseln\r\n[GroupLanguage]\r\n"
        "Caption=W\xE4hlen Sie Ihre Sprache\r\nCancel=Abbrechen\r\n");
    WriteLanguage("English.clf", "[Language]\r\nLanguage=English\r\n");
    TMainForm& form = Start();
    form.SetFileName(Folder / "named.clr");

    const auto choose = [](const QString& entry, bool ok) {
        AnswerNextModal([entry, ok](QWidget* dialog) {
            auto* list = dialog->findChild<QComboBox*>("ComboBox1");
            list->setCurrentIndex(list->findText(entry));
            QTest::keyClick(dialog, ok ? Qt::Key_Return : Qt::Key_Escape);
        });
    };
    choose("Deutsch", true);
    Action(form, "ActionToolsSwitchLanguage")->trigger();
    EXPECT_FALSE(PendingAnswer());
    EXPECT_EQ(form.Settings().DefaultLanguage, "Deutsch.clf");
    EXPECT_EQ(form.windowTitle(), "named.clr - Tintwright Deutsch");

    // The chooser shows the current language's texts and preselects it; Cancel keeps the
    // choice and applies it again.
    QString caption, group, selected, cancel;
    AnswerNextModal([&](QWidget* dialog) {
        caption = dialog->windowTitle();
        group = dialog->findChild<QGroupBox*>("GroupBox1")->title();
        selected = dialog->findChild<QComboBox*>("ComboBox1")->currentText();
        cancel = dialog->findChild<QPushButton*>("ButtonCancel")->text();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    Action(form, "ActionToolsSwitchLanguage")->trigger();
    EXPECT_EQ(caption, "Sprache wechseln");
    EXPECT_EQ(group, QString::fromUtf8("W\u00E4hlen Sie Ihre Sprache"));
    EXPECT_EQ(selected, "Deutsch");
    EXPECT_EQ(cancel, "Abbrechen");
    EXPECT_EQ(form.Settings().DefaultLanguage, "Deutsch.clf");
    EXPECT_EQ(form.windowTitle(), "named.clr - Tintwright Deutsch");

    // The choice is what closing writes.
    EXPECT_TRUE(form.close());
    EXPECT_NE(ReadBytes(SettingsFile()).find("DefaultLanguage=Deutsch.clf\r\n"), std::string::npos);
}

// Numbers follow the language's locale, in our windows and in Qt's file dialogs alike.
TEST_F(ApplyLanguageTest, NumbersSizesAndDatesFollowTheLanguagesLocale)
{
    fs::copy(fs::path(TINTWRIGHT_DATA_DIR) / "languages", Folder / "languages",
        fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    WriteBytes(Folder / "schemes" / "big.clr", std::string(1536, ' '));
    TMainForm& form = Start();
    const auto legibility = [&form] {
        Action(form, "ActionToolsCheckLegibility")->trigger();
        return form.findChild<TLegibilityWindow*>();
    };
    // The size and date the open dialog's detail view shows for a file.
    const auto details = [&form](const QString& name) {
        QStringList shown;
        AnswerNextModal([&shown, name](QWidget* dialog) {
            auto* view = dialog->findChild<QTreeView*>("treeView");
            const QAbstractItemModel* files = view->model();
            // The sizes come from a thread of the file model's, a little later.
            static_cast<void>(QTest::qWaitFor(
                [&] {
                    for (int row = 0; row < files->rowCount(view->rootIndex()); ++row) {
                        const QModelIndex entry = files->index(row, 0, view->rootIndex());
                        if (entry.data().toString() == name
                            && !entry.siblingAtColumn(1).data().toString().isEmpty())
                            shown = QStringList {entry.siblingAtColumn(1).data().toString(),
                                entry.siblingAtColumn(3).data().toString()};
                    }
                    return !shown.isEmpty();
                },
                5000));
            qobject_cast<QDialog*>(dialog)->reject();
        });
        Action(form, "ActionFileOpen")->trigger();
        return shown;
    };
    const QDateTime modified = QFileInfo(PathOf("schemes/big.clr")).lastModified();
    const struct
    {
        const char* Language;
        const char* Locale;
        const char* Threshold;
        const char* Size;
    } rows[] = {
        {"English", "en", "5.0", "1.50 KiB"},
        {"Deutsch", "de", "5,0", "1,50 KiB"},
        {"Francais", "fr", "5,0", "1,50 Kio"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Language);
        form.ApplyLanguage(row.Language);
        const QLocale locale(QString::fromLatin1(row.Locale));
        TLegibilityWindow* window = legibility();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->findChild<QDoubleSpinBox*>("LegibilityThreshold")->text(), row.Threshold);
        const QAbstractItemModel* pairs
            = window->findChild<QTableView*>("LegibilityPairs")->model();
        ASSERT_GT(pairs->rowCount(), 0);
        // The difference and the contrast ratio, with the language's decimal sign.
        const QString decimal = QRegularExpression::escape(locale.decimalPoint());
        const QString deltaE = pairs->index(0, 3).data().toString();
        const QString contrast = pairs->index(0, 4).data().toString();
        EXPECT_TRUE(QRegularExpression("^[0-9]+" + decimal + "[0-9]$").match(deltaE).hasMatch())
            << deltaE.toStdString();
        EXPECT_TRUE(
            QRegularExpression("^[0-9]+" + decimal + "[0-9]{2}:1$").match(contrast).hasMatch())
            << contrast.toStdString();
        window->close();
        EXPECT_EQ(details("big.clr"),
            QStringList({row.Size, locale.toString(modified, QLocale::ShortFormat)}));
    }
}

} // namespace

namespace {

// A language file (or a file name) that holds markup cannot set its own: every place that shows
// such a text shows it as it is.
TEST_F(ApplyLanguageTest, TextsFromFilesAreShownAsPlainText)
{
    WriteLanguage("Markup.clf",
        "[Application]\r\nSaveChanges=<b>Save</b>?\r\nModified=<i>changed</i>\r\n"
        "[FileMenu]\r\nItemNewHint=<img src=\"/etc/hostname\">New\r\n");
    TMainForm& form = Start();
    form.ApplyLanguage("Markup");
    // The hint shows as a tool tip that reads as the text itself.
    QTextDocument tip;
    tip.setHtml(Action(form, "ActionFileNew")->toolTip());
    EXPECT_EQ(tip.toPlainText(), "<img src=\"/etc/hostname\">New");

    Select(1);
    TypeCode("ABCDEF");
    EXPECT_EQ(StatusPanel0(form)->textFormat(), Qt::PlainText);
    EXPECT_EQ(StatusPanel0(form)->text(), "<i>changed</i>");

    Qt::TextFormat questionFormat = Qt::AutoText;
    AnswerNextModal([&questionFormat](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        questionFormat = box->textFormat();
        box->button(QMessageBox::Cancel)->click();
    });
    Action(form, "ActionFileNew")->trigger();
    EXPECT_EQ(questionFormat, Qt::PlainText);

    // An error naming a file whose name looks like markup, below its text.
    WriteBytes(Folder / "<b>bold.cpf", "not a preview");
    Qt::TextFormat errorFormat = Qt::AutoText;
    QString informative;
    AnswerNextModal([&](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        errorFormat = box->textFormat();
        informative = box->informativeText();
        box->button(QMessageBox::Ok)->click();
    });
    form.ExecuteMacroText("[Preview(" + (Folder / "<b>bold.cpf").string() + ")]");
    EXPECT_EQ(errorFormat, Qt::PlainText);
    QTextDocument shown;
    shown.setHtml(informative);
    EXPECT_EQ(shown.toPlainText(), PathOf("<b>bold.cpf"));
    form.SetModified(false);
}

} // namespace
