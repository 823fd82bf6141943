#include "tools/compare/CompareTool.h"

#include "app/MainFormFixture.h"
#include "editing/ColorScience.h"
#include "tools/compare/CompareWindow.h"
#include "tools/HistoryRowText.h"

#include <QAction>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using CompareToolTest = TMainFormFixture;

// The small scheme with item 3 (Water) recoloured, item 5 (Motorway) renamed, item 6 (Main road)
// both, and two items more.
const char* const NightScheme = "000,000,000 // Background\r\n"
                                "255,255,255 // Outside\r\n"
                                "255,000,000 // Water\r\n"
                                "040,050,060 // Park\r\n"
                                "070,080,090 // Highway\r\n"
                                "001,002,003 // Main street\r\n"
                                "130,140,150 // Route\r\n"
                                "160,170,180 // Position\r\n"
                                "011,022,033 // Tunnel\r\n"
                                "044,055,066 // Ferry\r\n";

std::vector<std::vector<std::string>> RowTexts(const QTreeWidget& list)
{
    std::vector<std::vector<std::string>> rows;
    for (int i = 0; i < list.topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = list.topLevelItem(i);
        std::vector<std::string> texts;
        for (int column = 0; column < list.columnCount(); ++column)
            texts.push_back(row->text(column).toStdString());
        texts.push_back(row->data(0, Qt::CheckStateRole).isValid() ? "check" : "");
        rows.push_back(texts);
    }
    return rows;
}

std::string DeltaE(std::uint32_t here, std::uint32_t there)
{
    const auto rgb = [](std::uint32_t c) {
        return TRGBTriple {std::uint8_t(c), std::uint8_t(c >> 8), std::uint8_t(c >> 16)};
    };
    return QString::number(DeltaE2000(rgb(here), rgb(there)), 'f', 1).toStdString();
}

TEST_F(CompareToolTest, ListsTheDifferencesAndTakesTheCheckedColorsAsOneStep)
{
    WriteBytes(Folder / "night.clr", NightScheme);
    TMainForm& form = Start();
    AnswerFileDialog(PathOf("night.clr"));
    Action(form, "ActionFileCompare")->trigger();
    EXPECT_FALSE(PendingAnswer());
    auto* window = form.findChild<TCompareWindow*>();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Compare with night.clr");
    auto* list = window->findChild<QTreeWidget*>("CompareList");
    auto* summary = window->findChild<QLabel*>("CompareSummary");
    auto* take = window->findChild<QPushButton*>("CompareTake");
    ASSERT_TRUE(list && summary && take);

    using TTexts = std::vector<std::vector<std::string>>;
    EXPECT_EQ(RowTexts(*list),
        (TTexts {
            {"3", "#0A141E", "#FF0000", DeltaE(0x0A141E, 0xFF0000), "Water", "", "check"},
            {"5", "#46505A", "#46505A", "", "Motorway", "Highway", ""},
            {"6", "#646E78", "#010203", DeltaE(0x646E78, 0x010203), "Main road", "Main street",
                "check"},
            {"9", "not in the open scheme", "#0B1621", "", "", "Tunnel", ""},
            {"10", "not in the open scheme", "#2C3742", "", "", "Ferry", ""},
        }));
    EXPECT_EQ(summary->text(), "5 items differ from night.clr.");
    EXPECT_FALSE(take->isEnabled());
    // Enter or a double click on a row selects its item.
    emit list->itemActivated(list->topLevelItem(1), 0);
    EXPECT_EQ(form.Document().SelectedItem(), 4);

    // The user's checks, as a click on a check box makes them.
    list->topLevelItem(0)->setCheckState(0, Qt::Checked);
    list->topLevelItem(2)->setCheckState(0, Qt::Checked);
    EXPECT_EQ(window->CheckedItems(), (std::vector<std::size_t> {2, 5}));
    ASSERT_TRUE(take->isEnabled());
    QTest::mouseClick(take, Qt::LeftButton);

    EXPECT_EQ(ItemRgb(2), 0xFF0000u);
    EXPECT_EQ(ItemRgb(5), 0x010203u);
    // Descriptions are not taken.
    EXPECT_EQ(form.Document().Description(5), "Main road");
    const TColorHistory& history = form.Document().History();
    ASSERT_EQ(history.UndoSteps().size(), 1u);
    EXPECT_EQ(LastStepText(form.Document()), "Take colors from night.clr: 2 items");
    EXPECT_EQ(history.UndoSteps()[0].Entries, 2u);
    EXPECT_TRUE(form.Modified());

    // The window stays and follows: what was taken differs no more, but for its description.
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(RowTexts(*list),
        (TTexts {
            {"5", "#46505A", "#46505A", "", "Motorway", "Highway", ""},
            {"6", "#010203", "#010203", "", "Main road", "Main street", ""},
            {"9", "not in the open scheme", "#0B1621", "", "", "Tunnel", ""},
            {"10", "not in the open scheme", "#2C3742", "", "", "Ferry", ""},
        }));
    EXPECT_FALSE(take->isEnabled());
    Action(form, "ActionEditUndo")->trigger();
    EXPECT_EQ(list->topLevelItemCount(), 5);
    EXPECT_EQ(window->CheckedItems(), std::vector<std::size_t> {});

    // One item taken says so, in the language shown.
    window->SetChecked(2, true);
    window->TakeCheckedColors();
    EXPECT_EQ(LastStepText(form.Document()), "Take color from night.clr: 1 item");
    SetOwnText(HistoryText::TakeFromFileOne,
        "Farbe aus %1 \xFC"
        "bernommen: %2 Eintrag");
    EXPECT_EQ(LastStepText(form.Document()), "Farbe aus night.clr \u00FCbernommen: 1 Eintrag");

    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(CompareToolTest, AShorterFileAndTheSameFile)
{
    WriteBytes(Folder / "short.clr",
        "000,000,000 // Background\r\n"
        "255,255,255 // Outside\r\n"
        "010,020,030 // Water\r\n");
    TMainForm& form = Start();
    auto* tool = form.findChild<TCompareTool*>();
    ASSERT_TRUE(tool->CompareWith(Folder / "short.clr"));
    TCompareWindow* window = tool->Window();
    std::vector<std::size_t> items;
    for (const TItemDifference& difference : window->Differences()) {
        EXPECT_EQ(difference.Presence, TComparedPresence::OnlyHere);
        items.push_back(difference.Item);
    }
    EXPECT_EQ(items, (std::vector<std::size_t> {3, 4, 5, 6, 7}));
    auto* list = window->findChild<QTreeWidget*>("CompareList");
    EXPECT_EQ(list->topLevelItem(0)->text(2), "not in short.clr");
    EXPECT_EQ(list->topLevelItem(0)->text(4), "Park");

    ASSERT_TRUE(tool->CompareWith(Folder / "schemes" / "default.clr"));
    EXPECT_EQ(tool->Window(), window);
    EXPECT_TRUE(window->Differences().empty());
    EXPECT_EQ(window->findChild<QLabel*>("CompareSummary")->text(),
        "The colors and descriptions are the same as in default.clr.");
    // A change in the document shows at once.
    Select(4);
    TypeCode("123456");
    ASSERT_EQ(window->Differences().size(), 1u);
    EXPECT_EQ(window->Differences()[0].Item, 4u);
}

// A file name is shown as it is, percent signs and all, and a long description leaves the
// other file's descriptions in view and shows whole in its tooltip.
TEST_F(CompareToolTest, OddFileNamesAndLongDescriptions)
{
    const std::string longDescription(400, 'W');
    WriteBytes(Folder / "long.clr",
        "000,000,000 // " + longDescription + "\r\n255,255,255 // Outside\r\n");
    WriteBytes(Folder / "night%2Cday.clr", "010,020,030 // Background\r\n040,050,060 // Sky\r\n");
    TMainForm& form = Start();
    form.LoadColorFile((Folder / "long.clr").string());
    auto* tool = form.findChild<TCompareTool*>();
    ASSERT_TRUE(tool->CompareWith(Folder / "night%2Cday.clr"));
    TCompareWindow* window = tool->Window();
    EXPECT_EQ(window->windowTitle(), "Compare with night%2Cday.clr");
    EXPECT_EQ(window->findChild<QLabel*>("CompareSummary")->text(),
        "2 items differ from night%2Cday.clr.");

    auto* list = window->findChild<QTreeWidget*>("CompareList");
    EXPECT_LT(list->header()->sectionViewportPosition(5), list->viewport()->width());
    EXPECT_EQ(list->topLevelItem(0)->toolTip(4), QString::fromStdString(longDescription));

    window->SetChecked(0, true);
    window->SetChecked(1, true);
    window->TakeCheckedColors();
    EXPECT_EQ(LastStepText(form.Document()), "Take colors from night%2Cday.clr: 2 items");
    form.SetModified(false);
}

// A file that cannot be read is reported as Open reports it; the document and the window's
// comparison stay as they were.
TEST_F(CompareToolTest, AFileThatCannotBeReadChangesNothing)
{
    WriteBytes(Folder / "night.clr", NightScheme);
    // Larger than any colour file the reader takes.
    WriteBytes(Folder / "huge.clr", "");
    fs::resize_file(Folder / "huge.clr", MaxSchemeFileSize + 1);
    TMainForm& form = Start();
    const auto openError = CaptureMessageBox(QMessageBox::Ok);
    form.Guarded([&] { form.LoadColorFile(Folder / "huge.clr"); });
    ASSERT_TRUE(openError->Seen);

    Select(2);
    TypeCode("ABCDEF");
    auto* tool = form.findChild<TCompareTool*>();
    ASSERT_TRUE(tool->CompareWith(Folder / "night.clr"));
    const std::size_t shown = tool->Window()->Differences().size();

    const auto error = CaptureMessageBox(QMessageBox::Ok);
    EXPECT_FALSE(tool->CompareWith(Folder / "huge.clr"));
    ASSERT_TRUE(error->Seen);
    EXPECT_EQ(error->Text, openError->Text);
    EXPECT_EQ(error->InformativeText, openError->InformativeText);
    EXPECT_TRUE(error->Text.contains("huge.clr") || error->InformativeText.contains("huge.clr"));

    EXPECT_EQ(ItemRgb(2), 0xABCDEFu);
    EXPECT_EQ(form.Document().History().UndoStack().Size(), 1u);
    EXPECT_TRUE(form.Modified());
    EXPECT_EQ(tool->Window()->OtherFile(), Folder / "night.clr");
    EXPECT_EQ(tool->Window()->Differences().size(), shown);
    form.SetModified(false);
}

} // namespace
