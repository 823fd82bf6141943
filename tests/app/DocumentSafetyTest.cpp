// Nothing the user did is lost or written over without a question: the letter-case rule never
// replaces another file silently, a save called off stops what asked for it, and descriptions
// count as changes.
#include "MainFormFixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>

namespace {

using DocumentSafetyTest = TMainFormFixture;

TEST_F(DocumentSafetyTest, TheLetterCaseRuleAsksBeforeReplacingAnotherFile)
{
    struct TRow
    {
        const char* Name;
        const char* Version;
        const char* Existing; // a file already in the folder, other than the one typed
        const char* Opened; // the document's file for Save; empty: Save as with Typed
        const char* Typed;
        int Answer; // to our question; 0: no question expected
        const char* Written; // the file that must hold the document afterwards; empty: none
    };
    const TRow rows[] = {
        {"save as, other file in lower case, No", "5", "myscheme.clr", "", "MyScheme.clr",
            QMessageBox::No, ""},
        {"save as, other file in lower case, Yes", "5", "myscheme.clr", "", "MyScheme.clr",
            QMessageBox::Yes, "myscheme.clr"},
        {"save as without extension", "5", "myscheme.clr", "", "MyScheme", QMessageBox::No, ""},
        {"save as, upper case for version 4", "4", "DARK.CLR", "", "Dark.clr", QMessageBox::No, ""},
        {"save as, no other file", "5", "", "", "MyScheme.clr", 0, "myscheme.clr"},
        {"save as, the name typed is the name written", "5", "", "", "plain.clr", 0, "plain.clr"},
        {"save of an opened file, No", "5", "night.clr", "Night.clr", "", QMessageBox::No, ""},
        {"save of an opened file, Yes", "5", "night.clr", "Night.clr", "", QMessageBox::Yes,
            "night.clr"},
    };
    const std::string before = "001,002,003 // Before\r\n";
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        fs::create_directories(Folder / "out");
        WriteBytes(SettingsFile(), std::string("[System]\r\nTomTomVersion=") + row.Version);
        if (*row.Existing)
            WriteBytes(Folder / "out" / row.Existing, before);
        if (*row.Opened)
            WriteBytes(Folder / "out" / row.Opened, SmallScheme);
        TMainForm& form = Start();
        if (*row.Opened)
            form.LoadColorFile(Folder / "out" / row.Opened);
        Select(2);
        TypeCode("123456");
        const fs::path nameBefore = form.FileName();

        std::shared_ptr<TMessageBoxSeen> question;
        if (*row.Opened) {
            if (row.Answer != 0)
                question = CaptureMessageBox(row.Answer);
            Action(form, "ActionFileSave")->trigger();
        } else {
            AnswerNextModal([&](QWidget* dialog) {
                if (row.Answer != 0)
                    question = CaptureMessageBox(row.Answer);
                TypeIntoFileDialog(qobject_cast<QFileDialog*>(dialog), PathOf("out/") + row.Typed);
            });
            Action(form, "ActionFileSaveAs")->trigger();
        }
        EXPECT_FALSE(PendingAnswer());
        if (row.Answer != 0) {
            ASSERT_TRUE(question);
            EXPECT_TRUE(question->Seen);
            EXPECT_TRUE(question->Text.contains(row.Existing)) << question->Text.toStdString();
            EXPECT_TRUE(question->InformativeText.contains(PathOf("out/") + row.Existing));
        }
        if (*row.Written) {
            EXPECT_NE(ReadBytes(Folder / "out" / row.Written).find("018,052,086 // Water"),
                std::string::npos);
            EXPECT_FALSE(form.Modified());
            EXPECT_EQ(form.FileName(), Folder / "out" / row.Written);
        } else {
            // Nothing written, and the document as it was: modified, under its old name.
            EXPECT_EQ(ReadBytes(Folder / "out" / row.Existing), before);
            if (*row.Opened) {
                EXPECT_EQ(ReadBytes(Folder / "out" / row.Opened), SmallScheme);
            }
            EXPECT_TRUE(form.Modified());
            EXPECT_EQ(form.FileName(), nameBefore);
        }
        form.SetModified(false);
        Form.reset();
        fs::remove_all(Folder / "out");
    }
}

TEST_F(DocumentSafetyTest, YesThenCancelledSaveAsStopsWhatAsked)
{
    // An untitled, modified document: Yes in the prompt opens Save as; cancelling it must not
    // let New, Open or closing throw the changes away.
    WriteBytes(Folder / "other.clr", "001,002,003 // Only\r\n");
    for (const char* command : {"new", "open", "close"}) {
        SCOPED_TRACE(command);
        TMainForm& form = Start();
        Select(1);
        TypeCode("ABCDEF");
        const auto answerPromptThenCancel = [] {
            AnswerNextModal([](QWidget* prompt) {
                AnswerFileDialog(QString()); // Save as, cancelled
                qobject_cast<QMessageBox*>(prompt)->button(QMessageBox::Yes)->click();
            });
        };
        if (std::string(command) == "open") {
            AnswerNextModal([&](QWidget* dialog) {
                answerPromptThenCancel();
                TypeIntoFileDialog(qobject_cast<QFileDialog*>(dialog), PathOf("other.clr"));
            });
            Action(form, "ActionFileOpen")->trigger();
        } else {
            answerPromptThenCancel();
            if (std::string(command) == "new")
                Action(form, "ActionFileNew")->trigger();
            else
                form.close();
        }
        EXPECT_FALSE(PendingAnswer());
        EXPECT_TRUE(form.isVisible());
        EXPECT_TRUE(form.Modified());
        EXPECT_EQ(ListBox1(form)->count(), 8);
        EXPECT_EQ(ItemRgb(1), 0xABCDEFu);
        form.SetModified(false);
        Form.reset();
    }
}

TEST_F(DocumentSafetyTest, DescriptionChangesCountUntilTheNextSaveOrLoad)
{
    // A description far beyond a line edit's default limit of 32,767 characters.
    const std::string longText(40000, 'd');
    WriteBytes(Folder / "schemes" / "default.clr",
        std::string(SmallScheme) + "001,001,001 // " + longText + "\r\n");
    WriteBytes(Folder / "mine.clr", SmallScheme);
    TMainForm& form = Start();

    // Showing an item writes its own text back: nothing changes, not even for the long one.
    Select(8);
    EXPECT_EQ(EditDescription(form)->text().size(), 40000);
    EXPECT_EQ(ListBox1(form)->item(8)->text().size(), 40000);
    EXPECT_FALSE(form.Modified());

    EditDescription(form)->setText("Highway");
    EXPECT_EQ(ListBox1(form)->item(8)->text(), "Highway");
    EXPECT_TRUE(form.Modified());
    EXPECT_TRUE(Action(form, "ActionFileSave")->isEnabled());
    EXPECT_TRUE(Action(form, "ActionFileSaveAs")->isEnabled());
    EXPECT_EQ(StatusPanel0(form)->text(), "Modified");
    EXPECT_TRUE(form.Document().History().UndoStack().IsEmpty());

    // A colour change taken back by Undo leaves the description change standing.
    Select(3);
    EXPECT_TRUE(form.Modified());
    TypeCode("010203");
    Action(form, "ActionEditUndo")->trigger();
    EXPECT_TRUE(form.Modified());

    // Saving clears it; so does a load; closing then asks nothing.
    AnswerFileDialog(PathOf("named.clr"));
    Action(form, "ActionFileSave")->trigger();
    EXPECT_FALSE(form.Modified());
    EXPECT_NE(ReadBytes(Folder / "named.clr").find("// Highway\r\n"), std::string::npos);
    EditDescription(form)->setText("Renamed");
    EXPECT_TRUE(form.Modified());
    AnswerMessageBox(QMessageBox::No);
    form.LoadColorFile(Folder / "mine.clr");
    EXPECT_FALSE(form.Modified());
    EXPECT_TRUE(form.close());
}

} // namespace
