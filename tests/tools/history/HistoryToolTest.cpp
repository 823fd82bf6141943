#include "tools/history/HistoryTool.h"

#include "app/MainFormFixture.h"
#include "tools/history/HistoryWindow.h"

#include <QAction>
#include <QListView>
#include <QPalette>
#include <QTest>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

using HistoryToolTest = TMainFormFixture;

std::vector<std::string> Rows(const THistoryWindow& window)
{
    std::vector<std::string> rows;
    for (int row = 0; row < window.RowCount(); ++row)
        rows.push_back(window.RowText(row).toStdString());
    return rows;
}

// What Undo and Redo see of the document: the colours and both stacks with their steps.
using TSteps = std::vector<std::tuple<std::size_t, int, std::string>>;
using TState = std::tuple<std::vector<TRGBTriple>, std::vector<std::tuple<int, TRGBTriple>>,
    std::vector<std::tuple<int, TRGBTriple>>, TSteps, TSteps>;

TState State(const TDocumentSeam& document)
{
    const TColorHistory& history = document.History();
    const auto entries = [](const TColorStack& stack) {
        std::vector<std::tuple<int, TRGBTriple>> result;
        for (std::size_t i = 0; i < stack.Size(); ++i)
            result.emplace_back(stack.At(i).Index, stack.At(i).Color);
        return result;
    };
    const auto steps = [](std::span<const TColorHistory::TStep> list) {
        TSteps result;
        for (const TColorHistory::TStep& step : list)
            result.emplace_back(step.Entries, int(step.Facts.Kind), step.Facts.Name);
        return result;
    };
    return {Colors(document), entries(history.UndoStack()), entries(history.RedoStack()),
        steps(history.UndoSteps()), steps(history.RedoSteps())};
}

TEST_F(HistoryToolTest, ListsEveryStepAndFollowsTheDocument)
{
    TMainForm& form = Start();
    QAction* command = Action(form, "ActionEditHistory");
    EXPECT_EQ(command->shortcut(), QKeySequence("Ctrl+H"));
    command->trigger();
    auto* window = form.findChild<THistoryWindow*>();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "History");
    EXPECT_EQ(Rows(*window), std::vector<std::string> {"Start: nothing changed yet"});

    Select(3);
    TypeCode("FF0000");
    const TColorChange taken[] = {{0, {1, 2, 3}}, {1, {4, 5, 6}}};
    form.Document().ApplyColors(taken, {TStepKind::TakeFromFile, "night.clr"});
    Select(0);
    TypeCode("00FF00");
    Action(form, "ActionEditUndo")->trigger();
    const std::vector<std::string> rows
        = {"Start: nothing changed yet", "Park: #28323C \u2192 #FF0000",
            "Take colors from night.clr: 2 items", "Background: #030201 \u2192 #00FF00"};
    EXPECT_EQ(Rows(*window), rows);
    EXPECT_EQ(window->CurrentRow(), 2);
    auto* list = window->findChild<QListView*>("HistoryList");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->currentIndex().row(), 2);
    EXPECT_TRUE(list->model()->index(2, 0).data(Qt::FontRole).value<QFont>().bold());
    EXPECT_FALSE(list->model()->index(1, 0).data(Qt::FontRole).isValid());
    // The undone step is grey, the done ones are not.
    EXPECT_TRUE(list->model()->index(3, 0).data(Qt::ForegroundRole).isValid());
    EXPECT_FALSE(list->model()->index(1, 0).data(Qt::ForegroundRole).isValid());
    EXPECT_EQ(window->findChild<QLabel*>("HistoryPosition")->text(), "2 of 3 steps done");

    // A renamed item shows its new name; a new edit drops the undone step.
    Select(3);
    EditDescription(form)->setText("Garden");
    EXPECT_EQ(window->RowText(1).toStdString(), "Garden: #28323C \u2192 #FF0000");
    TypeCode("0000FF");
    EXPECT_EQ(Rows(*window).back(), "Garden: #FF0000 \u2192 #0000FF");
    EXPECT_EQ(window->RowCount(), 4);
    EXPECT_EQ(window->CurrentRow(), 3);

    // The arrow keys walk through it, step by step.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(window->CurrentRow(), 2);
    EXPECT_EQ(ItemRgb(3), 0xFF0000u);
    QTest::keyClick(list, Qt::Key_Home);
    EXPECT_EQ(window->CurrentRow(), 0);
    EXPECT_EQ(ItemRgb(0), 0x000000u);
    EXPECT_EQ(form.Document().Saved().DifferingCount(), 1u); // the description

    // A language applied shows at once.
    SetOwnText(HistoryText::Start, "Anfang");
    emit form.Document().LanguageApplied();
    EXPECT_EQ(window->RowText(0), "Anfang");

    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    // A load empties the history; the window, shown again, has only its first row.
    form.SetModified(false);
    form.LoadColorFile(Folder / "schemes" / "default.clr");
    command->trigger();
    EXPECT_EQ(window->RowCount(), 1);
}

// A code typed key by key is one stack entry a keystroke, and one row: choosing it goes to the
// last keystroke, and an Undo into it splits it where the document stands.
TEST_F(HistoryToolTest, KeystrokesOnOneItemShowAsOneRow)
{
    TMainForm& form = Start();
    Action(form, "ActionEditHistory")->trigger();
    auto* window = form.findChild<THistoryWindow*>();
    Select(0);
    EditColorValue(form)->clear();
    QTest::keyClicks(EditColorValue(form), "FF0000");
    Select(1);
    TypeCode("ABCDEF");
    EXPECT_EQ(form.Document().History().UndoStack().Size(), 7u);
    EXPECT_EQ(Rows(*window),
        (std::vector<std::string> {"Start: nothing changed yet",
            "Background: #000000 \u2192 #FF0000", "Outside: #FFFFFF \u2192 #ABCDEF"}));
    EXPECT_EQ(window->findChild<QLabel*>("HistoryPosition")->text(), "2 of 2 steps done");

    window->Choose(0);
    EXPECT_EQ(ItemRgb(0), 0x000000u);
    window->Choose(1);
    EXPECT_EQ(ItemRgb(0), 0xFF0000u);
    EXPECT_EQ(form.Document().History().UndoSteps().size(), 6u);
    Action(form, "ActionEditUndo")->trigger();
    EXPECT_EQ(Rows(*window),
        (std::vector<std::string> {"Start: nothing changed yet",
            "Background: #000000 \u2192 #0FF000", "Background: #0FF000 \u2192 #FF0000",
            "Outside: #FFFFFF \u2192 #ABCDEF"}));
    EXPECT_EQ(window->CurrentRow(), 1);
    form.SetModified(false);
}

// Every row speaks the language shown, whichever language it was made in; counts take the
// language's singular and plural.
TEST_F(HistoryToolTest, RowsSpeakTheLanguageShown)
{
    fs::copy(fs::path(TINTWRIGHT_DATA_DIR) / "languages", Folder / "languages");
    TMainForm& form = Start();
    Action(form, "ActionEditHistory")->trigger();
    auto* window = form.findChild<THistoryWindow*>();
    auto* position = window->findChild<QLabel*>("HistoryPosition");
    form.ApplyLanguage("Deutsch");
    const TColorChange adjusted[] = {{0, {1, 2, 3}}, {1, {4, 5, 6}}, {2, {7, 8, 9}}};
    form.Document().ApplyColors(adjusted, {TStepKind::Adjust, {}});
    form.ApplyLanguage("Francais");
    const TColorChange taken[] = {{3, {1, 2, 3}}, {4, {4, 5, 6}}};
    form.Document().ApplyColors(taken, {TStepKind::TakeFromFile, "a.clr"});
    form.ApplyLanguage("Deutsch");
    EXPECT_EQ(Rows(*window),
        (std::vector<std::string> {"Anfang: noch nichts ge\u00E4ndert",
            "Farben anpassen: 3 Eintr\u00E4ge",
            "Farben aus a.clr \u00FCbernehmen: 2 Eintr\u00E4ge"}));
    form.ApplyLanguage("Francais");
    EXPECT_EQ(Rows(*window),
        (std::vector<std::string> {"D\u00E9but : rien de modifi\u00E9",
            "Ajuster les couleurs : 3 \u00E9l\u00E9ments",
            "Couleurs reprises de a.clr : 2 \u00E9l\u00E9ments"}));
    EXPECT_EQ(position->text(), QString::fromUtf8("2 \u00E9tapes faites sur 2"));
    window->Choose(1);
    EXPECT_EQ(position->text(), QString::fromUtf8("1 \u00E9tape faite sur 2"));
    window->Choose(0);
    EXPECT_EQ(position->text(), QString::fromUtf8("0 \u00E9tape faite sur 2"));
    form.SetModified(false);
}

// Choosing a row is the same as that many Undos or Redos: the same colours and the same stacks.
TEST_F(HistoryToolTest, AJumpEqualsThatManyUndosOrRedos)
{
    TMainForm& form = Start();
    Action(form, "ActionEditHistory")->trigger();
    auto* window = form.findChild<THistoryWindow*>();
    auto* list = window->findChild<QListView*>("HistoryList");
    std::mt19937 random(1209);
    const QString codes[] = {"FF0000", "00FF00", "0000FF", "000000"};
    for (int action = 0; action < 40; ++action) {
        switch (random() % 5) {
        case 0:
            Action(form, "ActionEditUndo")->trigger();
            break;
        case 1:
            Action(form, "ActionEditRedo")->trigger();
            break;
        case 2: {
            std::vector<TColorChange> changes;
            for (unsigned n = 1 + random() % 3; n > 0; --n)
                changes.push_back({random() % 8, {std::uint8_t(random() % 2), 0, 0}});
            form.Document().ApplyColors(
                changes, {TStepKind::TakeFromFile, "g" + std::to_string(action) + ".clr"});
            break;
        }
        default:
            Select(int(random() % 8));
            TypeCode(codes[random() % 4]);
        }
    }
    ASSERT_GT(window->RowCount(), 10);
    for (int trial = 0; trial < 30; ++trial) {
        const auto done = [&form] { return int(form.Document().History().UndoSteps().size()); };
        const int from = done();
        const TState before = State(form.Document());
        const int target = int(random() % unsigned(window->RowCount()));
        // A row of keystrokes stands for several steps: it is the end of its run.
        const int targetSteps = int(window->StepsDoneAt(target));
        // As a click on the row makes the choice.
        list->setCurrentIndex(list->model()->index(target, 0));
        ASSERT_EQ(done(), targetSteps);
        ASSERT_EQ(window->StepsDoneAt(window->CurrentRow()), std::size_t(targetSteps));
        const TState jumped = State(form.Document());
        const std::vector<std::string> rows = Rows(*window);

        form.Document().MoveInHistory(from - targetSteps);
        ASSERT_EQ(State(form.Document()), before);
        for (int step = from; step > targetSteps; --step)
            Action(form, "ActionEditUndo")->trigger();
        for (int step = from; step < targetSteps; ++step)
            Action(form, "ActionEditRedo")->trigger();
        EXPECT_EQ(State(form.Document()), jumped) << from << " to " << targetSteps;
        EXPECT_EQ(Rows(*window), rows);
    }
}

} // namespace
