// The main window from the keyboard and mouse as a user drives it: the controls follow the
// list's selection however it changed, the picker works without a mouse, pasted codes are taken.
#include "MainFormFixture.h"

#include "editing/ColorCode.h"
#include "editing/ColorPickerButton.h"
#include "help/VersionText.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QMenu>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTest>
#include <QToolBar>
#include <QToolTip>

namespace {

class MainFormInputTest : public TMainFormFixture
{
public:
    QPoint RowCentre(int row) const
    {
        return ListBox1(*Form)->visualItemRect(ListBox1(*Form)->item(row)).center();
    }
    QWidget* ListArea() const { return ListBox1(*Form)->viewport(); }

    // The picker, the code field and the description field show the selected item.
    void ExpectControlsShowSelection(int row)
    {
        const QList<QListWidgetItem*> selected = ListBox1(*Form)->selectedItems();
        ASSERT_EQ(selected.size(), 1);
        EXPECT_EQ(ListBox1(*Form)->row(selected.first()), row);
        const TRGBTriple color = Form->Document().Colors()[std::size_t(row)];
        EXPECT_EQ(ColorPickerButton1(*Form)->SelectionColor(), ItemColorToTColor(color));
        EXPECT_EQ(
            EditColorValue(*Form)->text().toStdString(), ColorCodeText(ItemColorToTColor(color)));
        EXPECT_EQ(EditDescription(*Form)->text(), ListBox1(*Form)->item(row)->text());
    }
};

TEST_F(MainFormInputTest, ControlsFollowTheSelectionHoweverItChanged)
{
    struct TRow
    {
        const char* Name;
        std::function<void(MainFormInputTest&)> Act;
        int Selected;
    };
    const TRow rows[] = {
        {"press on 2, release on 5",
            [](MainFormInputTest& t) {
                QTest::mousePress(t.ListArea(), Qt::LeftButton, {}, t.RowCentre(2));
                QTest::mouseMove(t.ListArea(), t.RowCentre(4));
                QTest::mouseMove(t.ListArea(), t.RowCentre(5));
                QTest::mouseRelease(t.ListArea(), Qt::LeftButton, {}, t.RowCentre(5));
            },
            5},
        {"press on 6, release beside the list",
            [](MainFormInputTest& t) {
                QTest::mousePress(t.ListArea(), Qt::LeftButton, {}, t.RowCentre(6));
                QTest::mouseMove(t.ListArea(), t.RowCentre(3));
                QTest::mouseMove(t.ListArea(), QPoint(t.ListArea()->width() + 40, 20));
                QTest::mouseRelease(
                    t.ListArea(), Qt::LeftButton, {}, QPoint(t.ListArea()->width() + 40, 20));
            },
            -1},
        {"Ctrl+click on the selected entry",
            [](MainFormInputTest& t) {
                QTest::mouseClick(t.ListArea(), Qt::LeftButton, {}, t.RowCentre(1));
                QTest::mouseClick(
                    t.ListArea(), Qt::LeftButton, Qt::ControlModifier, t.RowCentre(1));
            },
            1},
        {"click below the last entry",
            [](MainFormInputTest& t) {
                QTest::mouseClick(t.ListArea(), Qt::LeftButton, {}, t.RowCentre(4));
                QTest::mouseClick(
                    t.ListArea(), Qt::LeftButton, {}, QPoint(20, t.ListArea()->height() - 5));
            },
            4},
        {"arrow keys",
            [](MainFormInputTest& t) {
                QTest::keyClick(ListBox1(*t.Form), Qt::Key_Down);
                QTest::keyClick(ListBox1(*t.Form), Qt::Key_Down);
            },
            2},
        {"End key", [](MainFormInputTest& t) { QTest::keyClick(ListBox1(*t.Form), Qt::Key_End); },
            7},
        {"type-ahead", [](MainFormInputTest& t) { QTest::keyClicks(ListBox1(*t.Form), "Mo"); }, 4},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        Start();
        Form->activateWindow();
        ListBox1(*Form)->setFocus();
        row.Act(*this);
        int selected = row.Selected;
        if (selected < 0) {
            // Wherever the drag left it, the controls show it.
            ASSERT_EQ(ListBox1(*Form)->selectedItems().size(), 1);
            selected = ListBox1(*Form)->row(ListBox1(*Form)->selectedItems().first());
        }
        ExpectControlsShowSelection(selected);
        // The next keystroke recolours the item the list shows as selected.
        TypeCode("010203");
        EXPECT_EQ(ItemRgb(selected), 0x010203u);
        Form->SetModified(false);
        Form.reset();
    }
}

TEST_F(MainFormInputTest, ThePickerWorksFromTheKeyboard)
{
    TMainForm& form = Start();
    form.activateWindow();
    QApplication::setActiveWindow(&form);
    // Tab order: the list, the code field, then the picker, then the description.
    ListBox1(form)->setFocus();
    const QWidget* const order[]
        = {EditColorValue(form), ColorPickerButton1(form), EditDescription(form)};
    for (const QWidget* next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next);
    }
    EXPECT_TRUE(ColorPickerButton1(form)->toolTip().contains("Alt+Down"));
    EXPECT_FALSE(ColorPickerButton1(form)->accessibleName().isEmpty());

    // Space and Enter open the colour dialog, as a click on the colour part does.
    ColorPickerButton1(form)->setFocus();
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
        AnswerColorDialog(0x102030, true);
        QTest::keyClick(ColorPickerButton1(form), key);
        EXPECT_FALSE(PendingAnswer());
        EXPECT_EQ(ItemRgb(0), 0x102030u);
        Action(form, "ActionEditUndo")->trigger();
    }
    // Alt+Down and F4 open the palette popup. (Where the keyboard goes when it closes is the
    // window system's business; the end-to-end test drives that on a real X server.)
    for (const auto& [key, modifiers] :
        {std::pair {Qt::Key_Down, Qt::AltModifier}, std::pair {Qt::Key_F4, Qt::NoModifier}}) {
        QTest::keyClick(ColorPickerButton1(form), key, modifiers);
        EXPECT_TRUE(ColorPickerButton1(form)->DroppedDown());
        ColorPickerButton1(form)->SetDroppedDown(false);
    }
}

TEST_F(MainFormInputTest, PastedColourCodesAreTaken)
{
    struct TRow
    {
        const char* Clipboard;
        const char* Field; // what the field holds afterwards
        unsigned Item0;
    };
    const TRow rows[] = {
        {"#FF8800", "FF8800", 0xFF8800}, {" 00ff00 ", "00ff00", 0x00FF00},
        {"0x0000FF\n", "0000FF", 0x0000FF}, {"#F80", "FF8800", 0xFF8800}, // the web's shorthand
        {"rgb(1, 2, 3)", "010203", 0x010203},
        {"no code at all", "no cod", 0x000000}, // pasted as text, cut at six characters
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Clipboard);
        TMainForm& form = Start();
        QGuiApplication::clipboard()->setText(row.Clipboard);
        EditColorValue(form)->setFocus();
        EditColorValue(form)->selectAll();
        QTest::keyClick(EditColorValue(form), Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(EditColorValue(form)->text(), row.Field);
        EXPECT_EQ(ItemRgb(0), row.Item0);
        form.SetModified(false);
        Form.reset();
    }
}

} // namespace

namespace {

// Hints show as tool tips only: resting on a tool button or a menu entry leaves the modified mark
// in the status bar.
TEST_F(MainFormInputTest, HintsLeaveTheModifiedMarkInPlace)
{
    TMainForm& form = Start();
    Select(1);
    TypeCode("ABCDEF");
    ASSERT_EQ(StatusPanel0(form)->text(), "Modified");
    QWidget* button
        = form.findChild<QToolBar*>("ToolBar1")->widgetForAction(Action(form, "ActionFileNew"));
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), button->mapToGlobal(QPointF(2, 2)));
    QApplication::sendEvent(button, &enter);
    QStatusTipEvent tip(QStringLiteral("New"));
    QApplication::sendEvent(&form, &tip);
    EXPECT_TRUE(form.statusBar()->currentMessage().isEmpty());
    EXPECT_TRUE(StatusPanel0(form)->isVisibleTo(&form));
    EXPECT_EQ(StatusPanel0(form)->text(), "Modified");
    form.SetModified(false);
}

// Resting on a menu entry shows its hint as a tool tip, in every menu and submenu: the tools'
// entries (the four simulations among them) and the window's own.
TEST_F(MainFormInputTest, MenuEntriesShowTheirHintsAsToolTips)
{
    TMainForm& form = Start();
    int shown = 0;
    for (QMenu* menu : form.findChildren<QMenu*>()) {
        if (menu->actions().isEmpty() || menu->objectName() == "WhatsThisMenu")
            continue;
        SCOPED_TRACE(menu->title().toStdString() + menu->objectName().toStdString());
        menu->popup(form.mapToGlobal(QPoint(10, 10)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        for (QAction* entry : menu->actions()) {
            const QString hint = entry->property("Hint").toString();
            if (entry->isSeparator() || hint.isEmpty())
                continue;
            const QPoint at = menu->actionGeometry(entry).center();
            QHelpEvent rest(QEvent::ToolTip, at, menu->mapToGlobal(at));
            QApplication::sendEvent(menu, &rest);
            EXPECT_TRUE(QToolTip::isVisible()) << hint.toStdString();
            EXPECT_EQ(QToolTip::text().toStdString(), WithoutAccelerator(hint.toStdString()));
            ++shown;
        }
        menu->hide();
    }
    EXPECT_GE(shown, 25);
    // The simulations have hints of their own.
    EXPECT_EQ(Action(form, "ActionToolsVisionProtanopia")->toolTip().left(30),
        "Show the preview as seen witho");
}

} // namespace
