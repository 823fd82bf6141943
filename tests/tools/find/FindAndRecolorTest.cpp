// Finding, replacing and adjusting on the real window: results follow typing and the document,
// Enter and F3 select in the main list, and a replace or an adjustment is one step that one
// Undo takes back whole.
#include "tools/find/FindAndRecolor.h"

#include "app/MainFormFixture.h"
#include "tools/HistoryRowText.h"
#include "tools/find/AdjustColorsWindow.h"
#include "tools/find/FindWindow.h"
#include "tools/find/ReplaceColorWindow.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTreeView>

#include <string>
#include <vector>

namespace {

// Three items of one colour (1, 3, 6), the others apart.
constexpr const char* RepeatedScheme = "000,000,000 // Background\r\n"
                                       "200,100,050 // Main road\r\n"
                                       "010,020,030 // Water\r\n"
                                       "200,100,050 // Secondary road\r\n"
                                       "070,080,090 // Motorway\r\n"
                                       "100,110,120 // Gr\xFCn area\r\n"
                                       "200,100,050 // Minor road\r\n"
                                       "160,170,180 // Position\r\n";

class FindAndRecolorTest : public TMainFormFixture
{
public:
    TMainForm& StartOn(const char* scheme)
    {
        WriteBytes(Folder / "schemes" / "default.clr", scheme);
        TMainForm& form = Start();
        form.activateWindow();
        QApplication::setActiveWindow(&form);
        return form;
    }

    TFindAndRecolor& Tool() const { return *Form->findChild<TFindAndRecolor*>(); }

    // Opens the find window by its command and types the query into it.
    void Find(const QString& query)
    {
        Action(*Form, "ActionEditFindItem")->trigger();
        ASSERT_NE(Tool().FindWindow(), nullptr);
        QLineEdit* field = NamedChild<QLineEdit>(*Tool().FindWindow(), "FindQuery");
        field->selectAll();
        QTest::keyClicks(field, query);
    }

    // The numbers (from 1) the find window lists.
    std::vector<int> Listed() const
    {
        const QAbstractItemModel* model
            = NamedChild<QTreeView>(*Tool().FindWindow(), "FindResults")->model();
        std::vector<int> numbers;
        for (int row = 0; row < model->rowCount(); ++row)
            numbers.push_back(model->index(row, 1).data().toInt());
        return numbers;
    }

    int Selected() const { return Form->Document().SelectedItem(); }

    std::vector<unsigned> AllRgb() const
    {
        std::vector<unsigned> all;
        for (const TRGBTriple& color : Form->Document().Colors())
            all.push_back(Rgb(color));
        return all;
    }

    std::vector<QRgb> AllPixels() const
    {
        std::vector<QRgb> pixels;
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 8; ++x)
                pixels.push_back(Pixel(x, y));
        return pixels;
    }

    void Undo() { Action(*Form, "ActionEditUndo")->trigger(); }
    void Redo() { Action(*Form, "ActionEditRedo")->trigger(); }
};

using TNumbers = std::vector<int>;

TEST_F(FindAndRecolorTest, ResultsFollowTypingAndTheDocumentAndEnterSelects)
{
    StartOn(RepeatedScheme);
    Find("road");
    EXPECT_EQ(Listed(), (TNumbers {2, 4, 7}));
    EXPECT_EQ(NamedChild<QLabel>(*Tool().FindWindow(), "FindCount")->text(), "3 items found");

    // Each keystroke narrows: "roads" finds nothing, back to "road" finds them again.
    QLineEdit* field = NamedChild<QLineEdit>(*Tool().FindWindow(), "FindQuery");
    QTest::keyClick(field, Qt::Key_S);
    EXPECT_EQ(Listed(), TNumbers {});
    EXPECT_EQ(NamedChild<QLabel>(*Tool().FindWindow(), "FindCount")->text(), "No items found");
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(Listed(), (TNumbers {2, 4, 7}));

    // Down moves to the second result, Enter selects it in the main window.
    QTest::keyClick(field, Qt::Key_Down);
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(Selected(), 3);
    EXPECT_EQ(EditDescription(*Form)->text(), "Secondary road");

    // A query by colour follows a recolouring at once, and an accent typed or not finds "Grün".
    field->setText("#C86432");
    EXPECT_EQ(Listed(), (TNumbers {2, 4, 7}));
    TypeCode("123456");
    EXPECT_EQ(Listed(), (TNumbers {2, 7}));
    field->setText("gr\u00FCn");
    EXPECT_EQ(Listed(), TNumbers {6});
    field->setText("GRUN");
    EXPECT_EQ(Listed(), TNumbers {6});

    // A double-click selects too.
    QTreeView* results = NamedChild<QTreeView>(*Tool().FindWindow(), "FindResults");
    const QRect row = results->visualRect(results->model()->index(0, 2));
    QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(Selected(), 3) << "a single click only points";
    QTest::mouseDClick(results->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(Selected(), 5);
}

TEST_F(FindAndRecolorTest, FindNextAndPreviousStepThroughTheResultsWithTheWindowClosed)
{
    StartOn(RepeatedScheme);
    EXPECT_FALSE(Action(*Form, "ActionEditFindNext")->isEnabled()) << "nothing was looked for";
    Find("road");
    QTest::keyClick(Tool().FindWindow(), Qt::Key_Escape);
    EXPECT_FALSE(Tool().FindWindow()->isVisible());
    Form->UpdateActions();
    ASSERT_TRUE(Action(*Form, "ActionEditFindNext")->isEnabled());

    Select(0);
    const struct
    {
        const char* Command;
        int Selected;
    } steps[] = {
        {"ActionEditFindNext", 1},
        {"ActionEditFindNext", 3},
        {"ActionEditFindNext", 6},
        {"ActionEditFindNext", 1}, // round again
        {"ActionEditFindPrevious", 6},
        {"ActionEditFindPrevious", 3},
    };
    for (const auto& step : steps) {
        Action(*Form, step.Command)->trigger();
        EXPECT_EQ(Selected(), step.Selected) << step.Command;
    }
    EXPECT_EQ(StatusPanel1(*Form)->text(), "Found item 2 of 3");
    // From an item the user chose among the results, the next one after it.
    Select(6);
    QTest::keyClick(ListBox1(*Form), Qt::Key_F3);
    EXPECT_EQ(Selected(), 1);
    QTest::keyClick(ListBox1(*Form), Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(Selected(), 6);
}

TEST_F(FindAndRecolorTest, ReplaceIsOneStepUndoneAndRedoneWhole)
{
    StartOn(RepeatedScheme);
    Select(1);
    Action(*Form, "ActionEditReplaceColor")->trigger();
    TReplaceColorWindow* window = Tool().ReplaceWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Replace color");
    EXPECT_EQ(NamedChild<QLineEdit>(*window, "ReplaceFrom")->text(), "#C86432");
    EXPECT_FALSE(NamedChild<QPushButton>(*window, "ReplaceOk")->isEnabled()) << "no new colour";
    EXPECT_EQ(NamedChild<QLabel>(*window, "ReplaceCount")->text(), "Items of this color: 3");

    // The new colour in any notation; the count shows before anything is applied.
    NamedChild<QLineEdit>(*window, "ReplaceTo")->setText("#F80");
    EXPECT_EQ(NamedChild<QLabel>(*window, "ReplaceCount")->text(), "Items to change: 3");
    EXPECT_EQ(
        NamedChild<TColorPickerButton>(*window, "ReplacePicker")->SelectionColor(), 0x0088FFu);
    const std::vector<unsigned> before = AllRgb();
    EXPECT_EQ(AllRgb(), before) << "nothing applied yet";

    QTest::mouseClick(NamedChild<QPushButton>(*window, "ReplaceOk"), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    std::vector<unsigned> after = before;
    for (const int item : {1, 3, 6})
        after[std::size_t(item)] = 0xFF8800;
    EXPECT_EQ(AllRgb(), after);
    ASSERT_EQ(Form->Document().History().UndoSteps().size(), 1u);
    // The step names both colours.
    EXPECT_EQ(LastStepText(Form->Document()), "Replace #C86432 with #FF8800: 3 items");
    EXPECT_EQ(Pixel(1, 0), 0xFF8800u);

    Undo();
    EXPECT_EQ(AllRgb(), before);
    EXPECT_FALSE(Form->Modified());
    Redo();
    EXPECT_EQ(AllRgb(), after);
}

TEST_F(FindAndRecolorTest, AdjustPreviewsOnlyThenRecordsOneStepUndoneWhole)
{
    StartOn(RepeatedScheme);
    Find("road");
    QTest::keyClick(Tool().FindWindow(), Qt::Key_Escape);
    const std::vector<unsigned> before = AllRgb();
    const std::vector<QRgb> shown = AllPixels();

    Action(*Form, "ActionEditAdjustColors")->trigger();
    TAdjustColorsWindow* window = Tool().AdjustWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Adjust colors");
    EXPECT_TRUE(NamedChild<QRadioButton>(*window, "AdjustScopeFound")->isChecked());
    EXPECT_EQ(NamedChild<QRadioButton>(*window, "AdjustScopeFound")->text(), "Items f&ound (3)");

    // While a value changes, the preview shows the result and the document stays as it was.
    NamedChild<QSpinBox>(*window, "AdjustHue")->setValue(120);
    NamedChild<QSpinBox>(*window, "AdjustLightness")->setValue(10);
    EXPECT_EQ(AllRgb(), before);
    EXPECT_TRUE(Form->Document().History().UndoSteps().empty());
    const std::vector<TColorChange> expected = AdjustChanges(
        Form->Document().Colors(), std::vector<std::size_t> {1, 3, 6}, window->Adjustment());
    ASSERT_EQ(expected.size(), 3u);
    EXPECT_EQ(Pixel(1, 0), Rgb(expected[0].Color));
    EXPECT_EQ(Pixel(3, 0), Rgb(expected[1].Color));
    EXPECT_EQ(Pixel(6, 0), Rgb(expected[2].Color));
    for (const int x : {0, 2, 4, 5, 7})
        EXPECT_EQ(Pixel(x, 0), shown[std::size_t(x)]) << "item " << x << " was not chosen";

    // Cancel: the preview shows exactly what it showed before.
    QTest::mouseClick(NamedChild<QPushButton>(*window, "AdjustCancel"), Qt::LeftButton);
    EXPECT_EQ(AllPixels(), shown);
    EXPECT_EQ(AllRgb(), before);
    EXPECT_TRUE(Form->Document().History().UndoSteps().empty());

    // Esc cancels as well; OK with no shift records nothing.
    Action(*Form, "ActionEditAdjustColors")->trigger();
    NamedChild<QSpinBox>(*window, "AdjustChroma")->setValue(50);
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_EQ(AllPixels(), shown);
    Action(*Form, "ActionEditAdjustColors")->trigger();
    EXPECT_EQ(NamedChild<QSpinBox>(*window, "AdjustChroma")->value(), 100) << "opens unshifted";
    QTest::mouseClick(NamedChild<QPushButton>(*window, "AdjustOk"), Qt::LeftButton);
    EXPECT_TRUE(Form->Document().History().UndoSteps().empty());

    // OK records the shift of the three as one step; one Undo takes it all back.
    Action(*Form, "ActionEditAdjustColors")->trigger();
    NamedChild<QSpinBox>(*window, "AdjustHue")->setValue(120);
    NamedChild<QSpinBox>(*window, "AdjustLightness")->setValue(10);
    QTest::mouseClick(NamedChild<QPushButton>(*window, "AdjustOk"), Qt::LeftButton);
    std::vector<unsigned> after = before;
    for (const TColorChange& change : expected)
        after[change.Item] = Rgb(change.Color);
    EXPECT_EQ(AllRgb(), after);
    ASSERT_EQ(Form->Document().History().UndoSteps().size(), 1u);
    EXPECT_EQ(LastStepText(Form->Document()), "Adjust colors: 3 items");
    EXPECT_EQ(Pixel(1, 0), after[1]) << "painted once, not adjusted twice";
    Undo();
    EXPECT_EQ(AllRgb(), before);
    EXPECT_EQ(AllPixels(), shown);
    Redo();
    EXPECT_EQ(AllRgb(), after);
}

// A colour typed while an adjustment is tried is painted once, through the adjustment.
TEST_F(FindAndRecolorTest, AColourTypedWhileAnAdjustmentIsTriedIsPaintedOnce)
{
    StartOn(RepeatedScheme);
    Find("road");
    QTest::keyClick(Tool().FindWindow(), Qt::Key_Escape);
    Action(*Form, "ActionEditAdjustColors")->trigger();
    TAdjustColorsWindow* window = Tool().AdjustWindow();
    NamedChild<QSpinBox>(*window, "AdjustHue")->setValue(120);
    Select(1);
    const QSignalSpy painted(&Form->Document(), &TDocumentSeam::PreviewPainted);
    TypeCode("102030");
    EXPECT_EQ(painted.count(), 1);
    EXPECT_EQ(Pixel(1, 0), Rgb(AdjustColor(TRGBTriple {0x30, 0x20, 0x10}, window->Adjustment())));
    QTest::keyClick(window, Qt::Key_Escape);
    Form->SetModified(false);
}

// With the saved colours shown (F9), the adjustment being tried shows over them, whichever was
// turned on first: the chosen items as OK would make them, the others as saved.
TEST_F(FindAndRecolorTest, AdjustPreviewShowsOverTheSavedColoursInEitherOrder)
{
    StartOn(RepeatedScheme);
    Select(2);
    TypeCode("FF0000"); // Water differs from the saved file now
    Find("road");
    QTest::keyClick(Tool().FindWindow(), Qt::Key_Escape);
    QAction* showSaved = Action(*Form, "ActionToolsShowSavedColors");
    for (const bool savedFirst : {true, false}) {
        SCOPED_TRACE(savedFirst ? "saved colours first" : "adjustment first");
        if (savedFirst)
            showSaved->trigger();
        Action(*Form, "ActionEditAdjustColors")->trigger();
        TAdjustColorsWindow* window = Tool().AdjustWindow();
        NamedChild<QSpinBox>(*window, "AdjustLightness")->setValue(-20);
        if (!savedFirst)
            showSaved->trigger();
        ASSERT_TRUE(showSaved->isChecked());
        const std::vector<TColorChange> expected = AdjustChanges(
            Form->Document().Colors(), std::vector<std::size_t> {1, 3, 6}, window->Adjustment());
        ASSERT_EQ(expected.size(), 3u);
        EXPECT_EQ(Pixel(1, 0), Rgb(expected[0].Color));
        EXPECT_EQ(Pixel(6, 0), Rgb(expected[2].Color));
        EXPECT_EQ(Pixel(2, 0), 0x0A141Eu) << "Water in its saved colour";
        QTest::keyClick(window, Qt::Key_Escape);
        showSaved->trigger();
        EXPECT_EQ(Pixel(2, 0), 0xFF0000u);
    }
    Form->SetModified(false);
}

// Tab goes from number box to number box, where the values are typed: the sliders are for the
// mouse, and a box takes the same keys.
TEST_F(FindAndRecolorTest, AdjustTabsFromNumberBoxToNumberBox)
{
    StartOn(RepeatedScheme);
    Action(*Form, "ActionEditAdjustColors")->trigger();
    TAdjustColorsWindow* window = Tool().AdjustWindow();
    QApplication::setActiveWindow(window);
    NamedChild<QSpinBox>(*window, "AdjustHue")->setFocus();
    std::vector<std::string> order;
    for (int step = 0; step < 4; ++step) {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        // A number box has the focus in its line edit.
        const QWidget* control
            = qobject_cast<QSpinBox*>(focused->parentWidget()) ? focused->parentWidget() : focused;
        order.push_back(control->objectName().toStdString());
        QTest::keyClick(focused, Qt::Key_Tab);
    }
    EXPECT_EQ(order,
        (std::vector<std::string> {"AdjustHue", "AdjustChroma", "AdjustLightness", "AdjustReset"}));
    QTest::keyClick(window, Qt::Key_Escape);
}

TEST_F(FindAndRecolorTest, OpenWindowsTakeANewLanguageAtOnce)
{
    fs::create_directories(Folder / "languages");
    WriteBytes(Folder / "languages" / "Test.clf",
        "[FindAndRecolor]\r\nFindItem=&Suche...\r\nFindTitle=Suche\r\nFoundMany=%1 Treffer\r\n"
        "ReplaceTitle=Ersetzen\r\nAdjustTitle=Anpassen\r\nAdjustScopeAll=Alle (%1)\r\n");
    StartOn(RepeatedScheme);
    Find("road");
    Action(*Form, "ActionEditReplaceColor")->trigger();
    Action(*Form, "ActionEditAdjustColors")->trigger();
    Form->ApplyLanguage("Test");
    EXPECT_EQ(Action(*Form, "ActionEditFindItem")->text(), "&Suche...");
    EXPECT_EQ(Tool().FindWindow()->windowTitle(), "Suche");
    EXPECT_EQ(NamedChild<QLabel>(*Tool().FindWindow(), "FindCount")->text(), "3 Treffer");
    EXPECT_EQ(Tool().ReplaceWindow()->windowTitle(), "Ersetzen");
    EXPECT_EQ(Tool().AdjustWindow()->windowTitle(), "Anpassen");
    EXPECT_EQ(
        NamedChild<QRadioButton>(*Tool().AdjustWindow(), "AdjustScopeAll")->text(), "Alle (8)");
}

} // namespace
