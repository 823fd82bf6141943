#include "MainFormFixture.h"

#include "editing/ColorPickerButton.h"
#include "preview/ReferenceColors.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTest>

#include <vector>

#include <sys/stat.h>

namespace {

using MainFormTest = TMainFormFixture;

TEST_F(MainFormTest, FirstStartShowsTheDefaultSchemeUntitledAndWritesOnlyTheTwoSettings)
{
    TMainForm& form = Start();
    EXPECT_EQ(form.windowTitle(), Title);
    EXPECT_EQ(ListBox1(form)->count(), 8);
    EXPECT_EQ(ListBox1(form)->currentRow(), 0);
    EXPECT_EQ(EditColorValue(form)->text(), "000000");
    EXPECT_EQ(EditDescription(form)->text(), "Background");
    EXPECT_FALSE(form.Modified());
    EXPECT_TRUE(form.FileName().empty());
    EXPECT_TRUE(StatusPanel0(form)->text().isEmpty());
    for (QAction* action : {Action(form, "ActionFileSave"), Action(form, "ActionFileSaveAs"),
             Action(form, "ActionEditUndo"), Action(form, "ActionEditRedo")})
        EXPECT_FALSE(action->isEnabled()) << action->objectName().toStdString();
    EXPECT_EQ(form.Settings().DefaultPreview, (Folder / "previews" / "Preview.cpf").string());
    EXPECT_EQ(form.Document().PreviewMap(), SmallMap());
    EXPECT_EQ(Pixel(2, 0), 0x0A141Eu);

    EXPECT_TRUE(form.close());
    EXPECT_EQ(ReadBytes(SettingsFile()), FirstStartSettings);
}

TEST_F(MainFormTest, ARememberedFileThatFailsIsReportedOnceAndTheStartGoesOn)
{
    struct TRow
    {
        const char* Name;
        std::string Settings; // besides the first start's
        const char* Failing; // the file that fails, in the program folder
        const char* Message;
    };
    const TRow rows[] = {
        {"the default preview, damaged", "", "previews/Preview.cpf", "Error"},
        {"a preview elsewhere, damaged",
            "[Preview]\r\nDefaultPreview=" + PathOf("bad.cpf").toStdString() + "\r\n", "bad.cpf",
            "Error"},
        {"a language file that is a FIFO",
            "[Language]\r\nDefaultLanguage=" + PathOf("odd.clf").toStdString() + "\r\n", "odd.clf",
            nullptr},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        SetUp();
        WriteBytes(SettingsFile(), row.Settings);
        if (std::string(row.Failing).ends_with(".clf")) {
            ASSERT_EQ(::mkfifo((Folder / row.Failing).c_str(), 0600), 0);
        } else {
            WriteBytes(Folder / row.Failing, "not a preview");
        }
        const auto message = CaptureMessageBox(QMessageBox::Ok);
        TMainForm& form = Start();
        // The message names the file, in its text or below it.
        EXPECT_TRUE(message->Seen);
        if (row.Message != nullptr) {
            EXPECT_EQ(message->Text, row.Message);
        }
        EXPECT_TRUE(message->Text.contains(PathOf(row.Failing))
            || message->InformativeText == PathOf(row.Failing))
            << message->Text.toStdString();
        // The steps after it still ran: the default scheme is there, untitled, and drops are
        // taken.
        EXPECT_EQ(ListBox1(form)->count(), 8);
        EXPECT_EQ(form.windowTitle(), Title);
        EXPECT_TRUE(form.acceptDrops());
        EXPECT_FALSE(form.Modified());
        // Closing forgets the file, so the next start does not stop at it again.
        EXPECT_TRUE(form.close());
        const std::string settings = ReadBytes(SettingsFile());
        EXPECT_NE(settings.find("DefaultLanguage=English\r\n"), std::string::npos) << settings;
        EXPECT_NE(settings.find("DefaultPreview=Preview.cpf\r\n"), std::string::npos) << settings;
        Form.reset();
        fs::remove_all(Folder / row.Failing);
        SavePreviewFile(Folder / "previews" / "Preview.cpf", SmallMap());
    }
}

TEST_F(MainFormTest, SaveCommandsFollowTheModifiedMarkInEveryDocumentState)
{
    TMainForm& form = Start();
    WriteBytes(Folder / "named.clr", SmallScheme);
    struct TRow
    {
        const char* Name;
        bool Named, Modified;
    };
    const TRow rows[] = {
        {"untitled", false, false},
        {"untitled, modified", false, true},
        {"named", true, false},
        {"named, modified", true, true},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        if (row.Named)
            form.LoadColorFile((Folder / "named.clr").string());
        else
            form.RunAction(Action(form, "ActionFileNew"));
        form.SetModified(row.Modified);
        EXPECT_EQ(Action(form, "ActionFileSave")->isEnabled(), row.Modified);
        EXPECT_EQ(Action(form, "ActionFileSaveAs")->isEnabled(), row.Modified);
        EXPECT_EQ(StatusPanel0(form)->text(), row.Modified ? "Modified" : "");
        EXPECT_EQ(form.windowTitle(), row.Named ? QString("named.clr - ") + Title : Title);

        // Save from code does nothing while disabled; otherwise a named document is written in
        // place and an untitled one asks for a name.
        if (row.Modified && !row.Named)
            AnswerFileDialog(PathOf("untitled.clr"));
        form.RunAction(Action(form, "ActionFileSave"));
        EXPECT_FALSE(PendingAnswer());
        EXPECT_FALSE(form.Modified());
        if (row.Modified) {
            EXPECT_EQ(ReadBytes(Folder / (row.Named ? "named.clr" : "untitled.clr")), SmallScheme);
        }
        fs::remove(Folder / "untitled.clr");
    }
}

TEST_F(MainFormTest, SavePromptAnswersBeforeNewOpenAndClose)
{
    const std::string changed = std::string(SmallScheme).replace(27, 11, "171,205,239");
    WriteBytes(Folder / "other.clr", "001,002,003 // Only\r\n");
    struct TRow
    {
        const char* Command;
        int Answer;
        const char* MineAfter; // content of mine.clr afterwards
        bool StaysOpenOnMine, Closed;
    };
    const TRow rows[] = {
        {"new", QMessageBox::Yes, "changed", false, false},
        {"new", QMessageBox::No, "old", false, false},
        {"new", QMessageBox::Cancel, "old", true, false},
        {"open", QMessageBox::Yes, "changed", false, false},
        {"open", QMessageBox::No, "old", false, false},
        {"open", QMessageBox::Cancel, "old", true, false},
        {"close", QMessageBox::Yes, "changed", false, true},
        {"close", QMessageBox::No, "old", false, true},
        {"close", QMessageBox::Cancel, "old", true, false},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(std::string(row.Command) + " answered " + std::to_string(row.Answer));
        TMainForm& form = Start();
        OpenModifiedMine();
        const std::string command = row.Command;
        if (command == "new") {
            AnswerMessageBox(row.Answer);
            Action(form, "ActionFileNew")->trigger();
            // New always ends untitled, even after Cancel.
            EXPECT_EQ(form.windowTitle(), Title);
        } else if (command == "open") {
            // The prompt comes only after a file was chosen.
            AnswerFileDialogThen(PathOf("other.clr"), row.Answer);
            Action(form, "ActionFileOpen")->trigger();
            EXPECT_EQ(form.windowTitle(),
                QString(row.StaysOpenOnMine ? "mine.clr - " : "other.clr - ") + Title);
        } else {
            AnswerMessageBox(row.Answer);
            form.close();
        }
        EXPECT_FALSE(PendingAnswer());
        EXPECT_EQ(ReadBytes(Folder / "mine.clr"),
            std::string(row.MineAfter) == "changed" ? changed : SmallScheme);
        EXPECT_EQ(form.isVisible(), !row.Closed);
        if (row.StaysOpenOnMine) {
            EXPECT_TRUE(form.Modified());
            EXPECT_EQ(ItemRgb(1), 0xABCDEFu);
        } else if (!row.Closed) {
            EXPECT_FALSE(form.Modified());
            EXPECT_EQ(ListBox1(form)->count(), command == "new" ? 8 : 1);
        }
        form.SetModified(false);
        Form.reset();
    }
}

TEST_F(MainFormTest, FailedWriteKeepsTheDocumentModifiedAndTheOldFileIntact)
{
    TMainForm& form = Start();
    OpenModifiedMine();

    // A folder where the file should go.
    fs::remove(Folder / "mine.clr");
    fs::create_directory(Folder / "mine.clr");
    const auto folderMessage = CaptureMessageBox(QMessageBox::Ok);
    Action(form, "ActionFileSave")->trigger();
    EXPECT_EQ(folderMessage->Text, "File access denied");
    EXPECT_EQ(folderMessage->InformativeText, PathOf("mine.clr"));
    EXPECT_TRUE(form.Modified());
    EXPECT_TRUE(fs::is_directory(Folder / "mine.clr"));

    // Save as, and the chosen name turns out to be a folder by the time it is written: the new
    // name stays, so does the mark.
    fs::remove(Folder / "mine.clr");
    WriteBytes(Folder / "mine.clr", SmallScheme);
    AnswerNextModal([this](QWidget* dialog) {
        CaptureMessageBox(QMessageBox::Ok);
        auto* fileDialog = qobject_cast<QFileDialog*>(dialog);
        TypeIntoFileDialog(fileDialog, PathOf("new.clr"));
        fs::create_directory(Folder / "new.clr");
    });
    Action(form, "ActionFileSaveAs")->trigger();
    EXPECT_FALSE(PendingAnswer());
    EXPECT_EQ(form.FileName(), (Folder / "new.clr").string());
    EXPECT_EQ(form.windowTitle(), QString("new.clr - ") + Title);
    EXPECT_TRUE(form.Modified());
    EXPECT_EQ(ReadBytes(Folder / "mine.clr"), SmallScheme);
}

TEST_F(MainFormTest, SaveAsAddsTheExtensionAndFollowsTheNavigatorsLetterCase)
{
    struct TRow
    {
        const char* Version;
        const char* Typed;
        const char* Written;
    };
    const TRow rows[] = {
        {"4", "dark", "DARK.CLR"},
        {"5", "dark", "dark.clr"},
        {"5", "Night.Clr", "night.clr"},
        {"4", "Night.clr", "NIGHT.CLR"},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(std::string(row.Version) + " " + row.Typed);
        WriteBytes(SettingsFile(), std::string("[System]\r\nTomTomVersion=") + row.Version);
        fs::create_directories(Folder / "out");
        TMainForm& form = Start();
        Select(2);
        TypeCode("123456");
        AnswerFileDialog(PathOf("out/") + row.Typed);
        Action(form, "ActionFileSaveAs")->trigger();
        EXPECT_FALSE(PendingAnswer());
        EXPECT_EQ(Folder.Listing(), "out\npreviews\nschemes\ntintwright.ini\n");
        EXPECT_TRUE(fs::exists(Folder / "out" / row.Written));
        EXPECT_EQ(form.FileName(), (Folder / "out" / row.Written).string());
        EXPECT_FALSE(form.Modified());
        Form.reset();
        fs::remove_all(Folder / "out");
    }
}

TEST_F(MainFormTest, TypingACodeRecordsEveryColourItYields)
{
    TMainForm& form = Start();
    EditColorValue(form)->clear();
    EXPECT_TRUE(form.Document().History().UndoStack().IsEmpty());
    const unsigned expected[] = {0x00000F, 0x0000FF, 0x000FF0, 0x00FF00, 0x0FF000, 0xFF0000};
    const char keys[] = {'F', 'F', '0', '0', '0', '0'};
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(EditColorValue(form), keys[i]);
        EXPECT_EQ(ItemRgb(0), expected[i]) << "after key " << i + 1;
        EXPECT_EQ(Pixel(0, 0), expected[i]);
    }
    // The field keeps exactly what was typed; six changes, six undo entries.
    EXPECT_EQ(EditColorValue(form)->text(), "FF0000");
    TColorStack undo = form.Document().History().UndoStack();
    int entries = 0;
    for (std::int32_t index = 0; !undo.IsEmpty(); ++entries) {
        TRGBTriple color {};
        undo.Pop(index, color);
        EXPECT_EQ(index, 0);
    }
    EXPECT_EQ(entries, 6);
    EXPECT_TRUE(form.Modified());
    EXPECT_EQ(StatusPanel0(form)->text(), "Modified");

    // Text that is no code changes nothing; a code that gives the colour shown adds no entry.
    for (const char* text : {"", "xyz", "-1", "0x1", "ff0000", "FF0000"}) {
        TypeCode(text);
        EXPECT_EQ(ItemRgb(0), 0xFF0000u) << text;
    }
    ColorPickerButton1(form)->SetSelectionColor(0x000000FF);
    undo = form.Document().History().UndoStack();
    for (entries = 0; !undo.IsEmpty(); ++entries) {
        std::int32_t index;
        TRGBTriple color {};
        undo.Pop(index, color);
    }
    EXPECT_EQ(entries, 6);
    EXPECT_EQ(EditColorValue(form)->text(), "FF0000");
}

TEST_F(MainFormTest, PaletteChoiceRecolourstheSelectedItemOnly)
{
    TMainForm& form = Start();
    Select(3);
    ColorPickerButton1(form)->SetSelectionColor(0x00CC8844); // TColor: 0x00BBGGRR
    EXPECT_EQ(ItemRgb(3), 0x4488CCu);
    EXPECT_EQ(EditColorValue(form)->text(), "4488CC");
    EXPECT_EQ(ItemRgb(4), 0x46505Au);
    EXPECT_EQ(Pixel(3, 0), 0x4488CCu);
    EXPECT_TRUE(form.Modified());
    EXPECT_TRUE(Action(form, "ActionEditUndo")->isEnabled());

    // Undo, then a new change: the redo entry is gone.
    Action(form, "ActionEditUndo")->trigger();
    EXPECT_TRUE(Action(form, "ActionEditRedo")->isEnabled());
    ColorPickerButton1(form)->SetSelectionColor(0x00010203);
    EXPECT_FALSE(Action(form, "ActionEditRedo")->isEnabled());
    EXPECT_EQ(ItemRgb(3), 0x030201u);
}

TEST_F(MainFormTest, UndoAndRedoRestoreExactColoursWithoutMovingTheSelection)
{
    TMainForm& form = Start();
    Select(3);
    TypeCode("112233");
    Select(7);
    TypeCode("445566");
    TypeCode("778899");

    struct TStep
    {
        const char* Command;
        unsigned Item3, Item7;
        bool Undo, Redo, Modified;
    };
    const TStep steps[] = {
        {"undo", 0x112233, 0x445566, true, true, true},
        {"undo", 0x112233, 0xA0AAB4, true, true, true},
        {"undo", 0x28323C, 0xA0AAB4, false, true, false},
        {"undo", 0x28323C, 0xA0AAB4, false, true, false}, // disabled: nothing happens
        {"redo", 0x112233, 0xA0AAB4, true, true, true},
        {"redo", 0x112233, 0x445566, true, true, true},
        {"redo", 0x112233, 0x778899, true, false, true},
    };
    for (const TStep& step : steps) {
        SCOPED_TRACE(step.Command);
        form.RunAction(std::string(step.Command) == "undo" ? Action(form, "ActionEditUndo")
                                                           : Action(form, "ActionEditRedo"));
        EXPECT_EQ(ItemRgb(3), step.Item3);
        EXPECT_EQ(ItemRgb(7), step.Item7);
        EXPECT_EQ(Pixel(3, 0), step.Item3);
        EXPECT_EQ(ListBox1(form)->currentRow(), 7);
        EXPECT_EQ(EditColorValue(form)->text().toUInt(nullptr, 16), step.Item7);
        EXPECT_EQ(Action(form, "ActionEditUndo")->isEnabled(), step.Undo);
        EXPECT_EQ(Action(form, "ActionEditRedo")->isEnabled(), step.Redo);
        EXPECT_EQ(form.Modified(), step.Modified);
    }
}

TEST_F(MainFormTest, TheMarkSaysWhetherTheDocumentDiffersFromItsFile)
{
    TMainForm& form = Start();
    OpenModifiedMine();
    TypeCode("ABCDE0");
    Action(form, "ActionFileSave")->trigger();
    EXPECT_FALSE(form.Modified());
    EXPECT_TRUE(Action(form, "ActionEditUndo")->isEnabled()); // saving leaves the stacks alone
    // Undoing back past the save gives colours the file does not hold: Save is offered again
    // and closing would ask.
    for (unsigned rgb : {0xABCDEFu, 0xFFFFFFu}) {
        Action(form, "ActionEditUndo")->trigger();
        EXPECT_EQ(ItemRgb(1), rgb);
        EXPECT_TRUE(form.Modified());
        EXPECT_TRUE(Action(form, "ActionFileSave")->isEnabled());
        EXPECT_EQ(StatusPanel0(form)->text(), "Modified");
    }
    // Typing the saved colour again is the file's state, whatever the stacks hold.
    TypeCode("ABCDE0");
    EXPECT_FALSE(form.Modified());
    EXPECT_FALSE(Action(form, "ActionFileSave")->isEnabled());
    // A description typed back to its saved text is unmodified again too.
    EditDescription(form)->setText("Renamed");
    EXPECT_TRUE(form.Modified());
    EditDescription(form)->setText("Outside");
    EXPECT_FALSE(form.Modified());
}

TEST_F(MainFormTest, EmptyDocumentTypedCodeChangesOnlyThePicker)
{
    WriteBytes(Folder / "schemes" / "default.clr", "");
    TMainForm& form = Start();
    EXPECT_EQ(ListBox1(form)->count(), 0);
    TypeCode("C0FFEE");
    EXPECT_EQ(ColorPickerButton1(form)->SelectionColor(), 0x00EEFFC0u);
    EXPECT_TRUE(form.Document().History().UndoStack().IsEmpty());
    EXPECT_FALSE(form.Modified());
}

TEST_F(MainFormTest, ColourDialogStartsFromThePickerAndCancelChangesNothing)
{
    TMainForm& form = Start();
    Select(2);
    QColor initial;
    AnswerNextModal([&initial](QWidget* dialog) {
        auto* colorDialog = qobject_cast<QColorDialog*>(dialog);
        initial = colorDialog->currentColor();
        colorDialog->reject();
    });
    emit ColorPickerButton1(form)->OnClick();
    EXPECT_EQ(initial, QColor(10, 20, 30));
    EXPECT_EQ(ItemRgb(2), 0x0A141Eu);
    EXPECT_FALSE(form.Modified());

    AnswerColorDialog(0x203040, true);
    emit ColorPickerButton1(form)->OnClick();
    EXPECT_EQ(ItemRgb(2), 0x203040u);
    EXPECT_EQ(EditColorValue(form)->text(), "203040");
    EXPECT_TRUE(form.Modified());
}

TEST_F(MainFormTest, PreviewPaintsByTheLowByteAndPicksByTheWholeDifference)
{
    struct TRow
    {
        int Items;
        int X, Y;
        int Selected; // after a click there; -2: the selection stays
    };
    const TRow rows[] = {
        {8, 6, 0, 6}, {8, 0, 1, -1}, // item 261 of 8: nothing selected
        {8, 2, 1, -2}, // fixed colour
        {8, 200, 1, -2}, // outside the image
        {300, 0, 1, 261}, {300, 1, 1, -1}, // item 400 of 300
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(std::to_string(row.Items) + " items, " + std::to_string(row.X) + ","
            + std::to_string(row.Y));
        WriteBytes(Folder / "schemes" / "default.clr",
            row.Items == 8 ? std::string(SmallScheme) : SchemeOf(row.Items));
        TMainForm& form = Start();
        // Item 261 paints as item 5; item 400 paints only when its low byte names an item.
        EXPECT_EQ(Pixel(0, 1), ItemRgb(5));
        EXPECT_EQ(Pixel(1, 1), row.Items > 144 ? ItemRgb(144) : 0xFFFFFFu);
        EXPECT_EQ(Pixel(2, 1), 0x563412u);

        Select(3);
        for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
            QTest::mouseClick(Image1(form), button, {}, QPoint(row.X, row.Y));
            EXPECT_EQ(ListBox1(form)->selectedItems().isEmpty() ? -1 : ListBox1(form)->currentRow(),
                row.Selected == -2 ? 3 : row.Selected);
        }
        if (row.Selected >= 0) {
            EXPECT_EQ(EditDescription(form)->text(), ListBox1(form)->item(row.Selected)->text());
        }
        Form.reset();
    }
}

TEST_F(MainFormTest, FailedPreviewOpenKeepsTheMapAndImage)
{
    TMainForm& form = Start();
    WriteBytes(Folder / "Gr\xC3\xBCn.cpf", "x");
    const QImage before = Image1(form)->Image();
    std::shared_ptr<TMessageBoxSeen> message;
    AnswerNextModal([&message, this](QWidget* dialog) {
        message = CaptureMessageBox(QMessageBox::Ok);
        TypeIntoFileDialog(qobject_cast<QFileDialog*>(dialog), PathOf("Gr\xC3\xBCn.cpf"));
    });
    Action(form, "ActionToolsOpenPreview")->trigger();
    ASSERT_TRUE(message);
    EXPECT_EQ(message->Text, "Stream read error");
    // File names are the file system's UTF-8.
    EXPECT_EQ(message->InformativeText, PathOf("Gr\xC3\xBCn.cpf"));
    EXPECT_TRUE(message->InformativeText.endsWith(QString::fromUtf8("/Gr\u00FCn.cpf")));
    EXPECT_EQ(form.Document().PreviewMap(), SmallMap());
    EXPECT_EQ(Image1(form)->Image(), before);
}

TEST_F(MainFormTest, ReferenceFileIsProposedByVersionAndLeavesTheDocumentAlone)
{
    for (const char* version : {"4", "5"}) {
        SCOPED_TRACE(version);
        WriteBytes(SettingsFile(), std::string("[System]\r\nTomTomVersion=") + version);
        TMainForm& form = Start();
        Select(1);
        TypeCode("010101");
        QString proposed;
        AnswerNextModal([&proposed, this](QWidget* dialog) {
            auto* fileDialog = qobject_cast<QFileDialog*>(dialog);
            proposed = fileDialog->selectedFiles().value(0);
            TypeIntoFileDialog(fileDialog, PathOf("Ref.Clr"));
        });
        Action(form, "ActionToolsReference")->trigger();
        EXPECT_TRUE(
            proposed.endsWith(std::string(version) == "4" ? "/GREYS.CLR" : "/reference.clr"))
            << proposed.toStdString();
        const std::string written = ReadBytes(Folder / "Ref.Clr");
        EXPECT_EQ(written.substr(0, 27), "096,048,048 // Background\r\n");
        EXPECT_NE(written.find("// Position\r\n"), std::string::npos);
        EXPECT_TRUE(form.Modified());
        EXPECT_EQ(form.FileName(), "");
        EXPECT_EQ(ItemRgb(1), 0x010101u);
        form.SetModified(false);
        Form.reset();
        fs::remove(Folder / "Ref.Clr");
    }
}

TEST_F(MainFormTest, ClipboardScreenshotBecomesTheOpenPreview)
{
    TMainForm& form = Start();
    QGuiApplication::clipboard()->clear();
    QApplication::processEvents();
    EXPECT_FALSE(Action(form, "ActionToolsClipboard")->isEnabled());

    TRGBTripleArray reference(8);
    MakeReferenceColors(reference);
    QImage screenshot(4, 2, QImage::Format_RGB32);
    for (int i = 0; i < 8; ++i) {
        const TRGBTriple& c = reference[std::size_t(i)];
        screenshot.setPixel(i % 4, i / 4, qRgb(c.rgbtRed, c.rgbtGreen, c.rgbtBlue));
    }
    screenshot.setPixel(3, 1, qRgb(1, 2, 3)); // no reference colour: kept as a fixed colour
    QGuiApplication::clipboard()->setImage(screenshot);
    QApplication::processEvents();
    ASSERT_TRUE(Action(form, "ActionToolsClipboard")->isEnabled());

    AnswerFileDialog(PathOf("shot"));
    Action(form, "ActionToolsClipboard")->trigger();
    EXPECT_FALSE(PendingAnswer());
    const TPreviewMap map = ReadPreviewFile(Folder / "shot.CPF");
    ASSERT_EQ(map.Width(), 4);
    ASSERT_EQ(map.Height(), 2);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(map.Cell(i % 4, i / 4), ItemReferenceBase + std::uint32_t(i));
    EXPECT_EQ(map.Cell(3, 1), 0x00030201u);
    EXPECT_EQ(form.Document().PreviewMap(), map);
    EXPECT_EQ(form.Settings().DefaultPreview, (Folder / "shot.CPF").string());
    EXPECT_EQ(Pixel(1, 0), 0xFFFFFFu);
}

} // namespace
