#include "tools/changed/ChangedItems.h"

#include "app/MainFormFixture.h"
#include "tools/readout/PreviewReadout.h"

#include <QAction>
#include <QFileDialog>
#include <QFont>
#include <QListWidget>
#include <QMessageBox>

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using ChangedItemsTest = TMainFormFixture;

std::set<int> MarkedRows(const QListWidget& list)
{
    std::set<int> rows;
    for (int row = 0; row < list.count(); ++row)
        if (list.item(row)->font().bold())
            rows.insert(row);
    return rows;
}

// Edits, reverts, undos and a save, with the saved colours shown: after each, the marked items,
// the count in the status bar, the modified mark and Revert for the selected item.
TEST_F(ChangedItemsTest, MarksCountAndRevertFollowTheSavedState)
{
    TMainForm& form = Start();
    QAction* revert = Action(form, "ActionEditRevertItem");
    QAction* showSaved = Action(form, "ActionToolsShowSavedColors");
    ASSERT_TRUE(showSaved->isCheckable());
    EXPECT_EQ(showSaved->shortcut(), QKeySequence(Qt::Key_F9));
    showSaved->trigger();

    struct TRow
    {
        const char* Name;
        std::function<void()> Act;
        std::set<int> Marked;
        const char* Status;
        bool Modified;
        bool RevertEnabled;
    };
    const auto edit = [&](int row, const char* code) {
        return [=, this] {
            Select(row);
            TypeCode(code);
        };
    };
    const auto undo = [&] { Action(form, "ActionEditUndo")->trigger(); };
    const TRow rows[] = {
        {"loaded", [] {}, {}, "Saved colors: 0 items differ", false, false},
        {"edit one", edit(2, "FF0000"), {2}, "Saved colors: 1 item differs", true, true},
        {"edit two", edit(3, "00FF00"), {2, 3}, "Saved colors: 2 items differ", true, true},
        {"edit three", edit(5, "0000FF"), {2, 3, 5}, "Saved colors: 3 items differ", true, true},
        {"select an unchanged item", [&] { Select(4); }, {2, 3, 5}, "Saved colors: 3 items differ",
            true, false},
        {"revert one",
            [&] {
                Select(3);
                revert->trigger();
            },
            {2, 5}, "Saved colors: 2 items differ", true, false},
        {"undo the revert", undo, {2, 3, 5}, "Saved colors: 3 items differ", true, true},
        {"undo everything",
            [&] {
                undo();
                undo();
                undo();
            },
            {}, "Saved colors: 0 items differ", false, false},
        {"redo one", [&] { Action(form, "ActionEditRedo")->trigger(); }, {2},
            "Saved colors: 1 item differs", true, false},
        // The list marks a new description; the saved colours count colours only.
        {"a description",
            [&] {
                Select(6);
                EditDescription(form)->setText("Path");
            },
            {2, 6}, "Saved colors: 1 item differs", true, false},
        {"the description typed back", [&] { EditDescription(form)->setText("Route"); }, {2},
            "Saved colors: 1 item differs", true, false},
        {"the colour typed back", edit(2, "0A141E"), {}, "Saved colors: 0 items differ", false,
            false},
    };
    for (const TRow& row : rows) {
        row.Act();
        form.UpdateActions();
        EXPECT_EQ(MarkedRows(*ListBox1(form)), row.Marked) << row.Name;
        EXPECT_EQ(StatusPanel1(form)->text().toStdString(), row.Status) << row.Name;
        EXPECT_EQ(form.Modified(), row.Modified) << row.Name;
        EXPECT_EQ(revert->isEnabled(), row.RevertEnabled) << row.Name;
    }
    // Reverting is one ordinary step, recorded like an edit.
    Select(3);
    TypeCode("00FF00");
    const std::size_t entries = form.Document().History().UndoStack().Size();
    revert->trigger();
    EXPECT_EQ(form.Document().History().UndoStack().Size(), entries + 1);
    EXPECT_EQ(form.Document().History().UndoSteps().back().Entries, 1u);
    EXPECT_EQ(ItemRgb(3), 0x28323Cu);

    showSaved->trigger();
    EXPECT_EQ(StatusPanel1(form)->text(), "");
}

// While on, the preview shows the colours as last saved and nothing of the document changes;
// off again, the current colours come back at once; a save makes them the saved ones.
TEST_F(ChangedItemsTest, SavedColorsArePaintedWithoutChangingTheDocument)
{
    TMainForm& form = Start();
    auto* tool = form.findChild<TChangedItems*>();
    ASSERT_NE(tool, nullptr);
    Select(2);
    TypeCode("FF0000");
    ASSERT_EQ(Pixel(2, 0), 0xFF0000u);

    Action(form, "ActionToolsShowSavedColors")->trigger();
    ASSERT_TRUE(tool->ShowingSavedColors());
    EXPECT_EQ(Pixel(2, 0), 0x0A141Eu);
    EXPECT_EQ(Pixel(3, 0), 0x28323Cu);
    EXPECT_EQ(ItemRgb(2), 0xFF0000u);
    EXPECT_TRUE(form.Modified());
    // Editing on goes on in the document; the preview keeps the saved colours.
    Select(3);
    TypeCode("00FF00");
    EXPECT_EQ(Pixel(3, 0), 0x28323Cu);
    EXPECT_EQ(ItemRgb(3), 0x00FF00u);

    // A colour filter of another tool (a colour-vision simulation) paints the saved colours
    // through it; without the saved colours, the current ones.
    QObject simulation;
    const auto invert = [](const TRGBTriple& color) {
        return TRGBTriple {std::uint8_t(255 - color.rgbtBlue), std::uint8_t(255 - color.rgbtGreen),
            std::uint8_t(255 - color.rgbtRed)};
    };
    form.Document().SetPaintTransform(&simulation, {{}, invert});
    EXPECT_EQ(Pixel(2, 0), 0xFFFFFFu - 0x0A141Eu);
    Action(form, "ActionToolsShowSavedColors")->trigger();
    EXPECT_EQ(Pixel(2, 0), 0x00FFFFu);
    form.Document().ClearPaintTransform(&simulation);
    EXPECT_EQ(Pixel(2, 0), 0xFF0000u);
    EXPECT_EQ(Pixel(3, 0), 0x00FF00u);

    // The list tooltip says what a changed item was.
    auto* readout = form.findChild<TPreviewReadout*>();
    ASSERT_NE(readout, nullptr);
    EXPECT_TRUE(readout->EntryToolTip(2).contains("\nchanged from #0A141E\n"))
        << readout->EntryToolTip(2).toStdString();
    EXPECT_FALSE(readout->EntryToolTip(1).contains("changed from"));

    tool->SetShowingSavedColors(true);
    AnswerFileDialog(PathOf("saved.clr"));
    Action(form, "ActionFileSaveAs")->trigger();
    EXPECT_FALSE(form.Modified());
    EXPECT_EQ(Pixel(2, 0), 0xFF0000u);
    EXPECT_EQ(MarkedRows(*ListBox1(form)), std::set<int> {});
    EXPECT_EQ(StatusPanel1(form)->text(), "Saved colors: 0 items differ");
    EXPECT_FALSE(readout->EntryToolTip(2).contains("changed from"));
}

// The saved state changes only when a save succeeds: Save as cancelled, a replace declined under
// the letter-case rule and a failed write leave the marks, the count and the saved colours.
TEST_F(ChangedItemsTest, OnlyASuccessfulSaveChangesWhatIsSaved)
{
    struct TRow
    {
        const char* Name;
        bool Saved;
    };
    const TRow rows[] = {
        {"save as cancelled", false},
        {"replace declined", false},
        {"failed write", false},
        {"saved", true},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        fs::create_directories(Folder / "out");
        WriteBytes(Folder / "out" / "mine.clr", SmallScheme);
        TMainForm& form = Start();
        form.LoadColorFile(Folder / "out" / "mine.clr");
        Action(form, "ActionToolsShowSavedColors")->trigger();
        Select(1);
        TypeCode("ABCDEF");
        const std::string name = row.Name;
        if (name == "save as cancelled") {
            AnswerFileDialog(QString());
            Action(form, "ActionFileSaveAs")->trigger();
        } else if (name == "replace declined") {
            WriteBytes(Folder / "out" / "other.clr", "001,002,003 // Other\r\n");
            AnswerFileDialogThen(PathOf("out/Other.clr"), QMessageBox::No);
            Action(form, "ActionFileSaveAs")->trigger();
        } else if (name == "failed write") {
            // The folder of the document's file is gone.
            fs::remove_all(Folder / "out");
            const auto error = CaptureMessageBox(QMessageBox::Ok);
            Action(form, "ActionFileSave")->trigger();
            EXPECT_TRUE(error->Seen);
        } else {
            Action(form, "ActionFileSave")->trigger();
        }
        EXPECT_FALSE(PendingAnswer());
        EXPECT_EQ(form.Modified(), !row.Saved);
        EXPECT_EQ(form.Document().Saved().ColorDiffers(1), !row.Saved);
        EXPECT_EQ(ListBox1(form)->item(1)->font().bold(), !row.Saved);
        EXPECT_EQ(StatusPanel1(form)->text(),
            row.Saved ? "Saved colors: 0 items differ" : "Saved colors: 1 item differs");
        EXPECT_EQ(Pixel(1, 0), row.Saved ? 0xABCDEFu : 0xFFFFFFu);
        form.SetModified(false);
        Form.reset();
        fs::remove_all(Folder / "out");
    }
}

} // namespace
