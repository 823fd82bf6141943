#include "tools/legibility/LegibilityCheck.h"

#include "app/MainFormFixture.h"
#include "editing/ColorScience.h"
#include "preview/ItemFlash.h"
#include "tools/legibility/LegibilityWindow.h"

#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QMessageBox>
#include <QTableView>
#include <QApplication>
#include <QFocusEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// On the real window, with the small scheme and map of the fixture: its items 0 to 7 touch in
// a row, items 3, 4, 6 and 7 also touch item 5 below them; item 261, item 400 and the fixed
// colour take no part. Nine pairs, none of them close at first.
class LegibilityCheckTest : public TMainFormFixture
{
protected:
    TLegibilityWindow& Open()
    {
        TMainForm& form = Start();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
        Action(form, "ActionToolsCheckLegibility")->trigger();
        auto* window = form.findChild<TLegibilityWindow*>("LegibilityWindow");
        EXPECT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible());
        return *window;
    }

    static QTableView* Pairs(const TLegibilityWindow& window)
    {
        return NamedChild<QTableView>(window, "LegibilityPairs");
    }

    static QString Cell(const TLegibilityWindow& window, int row, int column)
    {
        return Pairs(window)->model()->index(row, column).data().toString();
    }

    static QStringList Row(const TLegibilityWindow& window, int row)
    {
        QStringList cells;
        for (int column = 0; column < TLegibilityRows::ColumnCount; ++column)
            cells.append(Cell(window, row, column));
        return cells;
    }
};

TEST_F(LegibilityCheckTest, TitleCountsAfterAChangeAndUndo)
{
    TLegibilityWindow& window = Open();
    EXPECT_EQ(window.windowTitle(), "Legibility: 0 pairs hard to tell apart");
    EXPECT_EQ(Pairs(window)->model()->rowCount(), 9);
    // The focus alone chooses nothing: the list's first row becomes current but not selected,
    // and the main window keeps its selection.
    QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(Pairs(window), &focus);
    EXPECT_TRUE(Pairs(window)->currentIndex().isValid());
    EXPECT_EQ(ListBox1(*Form)->currentRow(), 0);
    EXPECT_FALSE(window.Flashing());
    // Context help: the list, the threshold (through its label too) and the window itself.
    auto* threshold = NamedChild<QWidget>(window, "LegibilityThreshold");
    EXPECT_EQ(WhatsThis(*Form)->HelpContextOf(Pairs(window)), 1102);
    EXPECT_EQ(WhatsThis(*Form)->HelpContextOf(threshold), 1103);
    EXPECT_EQ(
        WhatsThis(*Form)->HelpContextOf(NamedChild<QWidget>(window, "LegibilityThresholdLabel")),
        1103);
    EXPECT_EQ(
        WhatsThis(*Form)->HelpContextOf(NamedChild<QWidget>(window, "LegibilityNoPairs")), 1101);

    // The motorway (item 5) takes the colour of the main road it touches: the pair is flagged
    // and comes first, with both its borders (side by side, and the main road below).
    Select(4);
    TypeCode("646E78");
    EXPECT_EQ(window.windowTitle(), "Legibility: 1 pair hard to tell apart");
    EXPECT_EQ(Row(window, 0), (QStringList {"5  Motorway", "6  Main road", "2", "0.0", "1.00:1"}));
    const QColor swatch
        = Pairs(window)->model()->index(0, 0).data(Qt::DecorationRole).value<QColor>();
    EXPECT_EQ(swatch, QColor(0x64, 0x6E, 0x78));

    Action(*Form, "ActionEditUndo")->trigger();
    EXPECT_EQ(window.windowTitle(), "Legibility: 0 pairs hard to tell apart");
    Action(*Form, "ActionEditRedo")->trigger();
    EXPECT_EQ(window.windowTitle(), "Legibility: 1 pair hard to tell apart");

    // A new description shows at once; a load starts afresh.
    EditDescription(*Form)->setText("Highway");
    EXPECT_EQ(Cell(window, 0, 0), "5  Highway");
    AnswerMessageBox(QMessageBox::No);
    Form->LoadColorFile((Folder / "schemes" / "default.clr").string());
    EXPECT_EQ(window.windowTitle(), "Legibility: 0 pairs hard to tell apart");
}

TEST_F(LegibilityCheckTest, ThresholdIsTheSharedOne)
{
    TLegibilityWindow& window = Open();
    auto* threshold = NamedChild<QDoubleSpinBox>(window, "LegibilityThreshold");
    EXPECT_EQ(threshold->value(), DefaultLegibilityThreshold);
    threshold->setValue(40.0);
    const std::vector<TLegibilityRow>& rows = window.Rows().Legibility().Rows();
    const auto flagged = std::count_if(
        rows.begin(), rows.end(), [](const TLegibilityRow& row) { return row.DeltaE < 40.0; });
    ASSERT_GT(flagged, 0);
    ASSERT_LT(flagged, 9);
    EXPECT_EQ(window.windowTitle(),
        QString("Legibility: %1 pairs hard to tell apart")
            .arg(flagged)
            .replace("1 pairs", "1 pair"));
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(), LegibilityOrder));
    EXPECT_TRUE(rows[std::size_t(flagged) - 1].HardToTellApart);
    EXPECT_FALSE(rows[std::size_t(flagged)].HardToTellApart);

    threshold->setValue(0.0);
    EXPECT_EQ(window.windowTitle(), "Legibility: 0 pairs hard to tell apart");
    EXPECT_TRUE(Form->close());
    // Written only because it differs from the default.
    EXPECT_NE(ReadBytes(SettingsFile()).find("[Tintwright]\r\nLegibilityThreshold=0\r\n"),
        std::string::npos);
}

TEST_F(LegibilityCheckTest, ChoosingARowSelectsAndFlashesTheBorder)
{
    TLegibilityWindow& window = Open();
    const QImage painted = Image1(*Form)->Image().copy();
    // The pair of items 4 and 6 (file lines 4 and 6): x 3 of row 0 and the main road below it.
    const auto row = window.Rows().Legibility().RowOf(3, 5);
    ASSERT_TRUE(row);
    Pairs(window)->setCurrentIndex(Pairs(window)->model()->index(int(*row), 1));
    EXPECT_EQ(ListBox1(*Form)->currentRow(), 3);
    ASSERT_TRUE(window.Flashing());
    const QImage shown = Image1(*Form)->grab().toImage().convertToFormat(QImage::Format_RGB888);
    TPreviewMap map = Form->Document().PreviewMap();
    QImage expected = painted.copy();
    ASSERT_GT(PaintBorderFlashPixels(map, 3, 5, expected.bits(), expected.bytesPerLine()), 0u);
    EXPECT_EQ(shown.copy(painted.rect()), expected);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.Flashing(); }, 2000));
    EXPECT_EQ(Image1(*Form)->Image(), painted);
    EXPECT_FALSE(Form->Modified());
    EXPECT_TRUE(Form->Document().History().UndoStack().IsEmpty());

    // The chosen pair stays chosen when a colour change moves its row.
    Select(0);
    TypeCode("28323C");
    const auto moved = window.Rows().Legibility().RowOf(3, 5);
    ASSERT_TRUE(moved);
    EXPECT_EQ(Pairs(window)->currentIndex().row(), int(*moved));
    EXPECT_EQ(ListBox1(*Form)->currentRow(), 0);

    // Esc closes it; reopened, it has kept up.
    QTest::keyClick(Pairs(window), Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    Select(3);
    TypeCode("646E78");
    Action(*Form, "ActionToolsCheckLegibility")->trigger();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(Row(window, 0), (QStringList {"4  Park", "6  Main road", "1", "0.0", "1.00:1"}));
}

TEST_F(LegibilityCheckTest, FollowsANewPreview)
{
    TLegibilityWindow& window = Open();
    // Items 1 and 2 side by side, nothing else.
    TPreviewMap map(2, 1);
    map.SetCell(0, 0, ItemReferenceBase + 1);
    map.SetCell(1, 0, ItemReferenceBase + 2);
    SavePreviewFile(Folder / "two.cpf", map);
    Form->OpenPreviewFile(Folder / "two.cpf");
    EXPECT_EQ(Pairs(window)->model()->rowCount(), 1);
    EXPECT_EQ(Row(window, 0).mid(0, 3), (QStringList {"2  Outside", "3  Water", "1"}));
    // A preview where nothing touches says so.
    SavePreviewFile(Folder / "one.cpf", TPreviewMap(3, 3));
    Form->OpenPreviewFile(Folder / "one.cpf");
    EXPECT_EQ(Pairs(window)->model()->rowCount(), 0);
    EXPECT_TRUE(NamedChild<QLabel>(window, "LegibilityNoPairs")->isVisible());
}

} // namespace
