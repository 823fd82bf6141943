// Context help driven through the window, as the platform delivers input: QtTest's QWindow
// overloads, since the widget overloads skip the window and with it a window-level filter.
#include "help/WhatsThis.h"

#include "HelpCallPrinter.h"
#include "OtherMenus.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

// The preview stand-in counts the mouse presses that reach it.
class TCountingImage : public QWidget
{
public:
    using QWidget::QWidget;
    int Presses = 0;
    int Releases = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++Presses; }
    void mouseReleaseEvent(QMouseEvent*) override { ++Releases; }
};

QPoint TopLeft(const QWidget* widget)
{
    return widget->mapToGlobal(QPoint(0, 0));
}

std::vector<THelpCall> PopupAt(QPoint at, std::uint32_t context)
{
    return {{HELP_SETPOPUP_POS, PopupPositionData(at.x(), at.y())}, {HELP_CONTEXTPOPUP, context}};
}

// A window built like the main window's groups and labels, contexts set the same way.
class WhatsThisTest : public testing::Test
{
protected:
    void SetUp() override
    {
        Window.setGeometry(120, 90, 614, 400);
        auto* group1 = new QGroupBox("Choose item", &Window);
        group1->setGeometry(8, 12, 289, 260);
        Label1 = new QLabel("Choose an item to change the color of.", group1);
        Label1->move(8, 20);
        ListBox1 = new QListWidget(group1);
        ListBox1->setGeometry(8, 40, 273, 200);
        SetHelpContext({ListBox1}, 1001);
        auto* group2 = new QGroupBox("Choose color", &Window);
        group2->setGeometry(312, 12, 289, 89);
        Label3 = new QLabel("or enter an RGB color code:", group2);
        Label3->move(8, 56);
        SetHelpContext({Label3}, 1005);
        EditColorValue = new QLineEdit(group2);
        EditColorValue->setGeometry(208, 52, 73, 21);
        ListLabel = new QLabel("&Items:", group2);
        ListLabel->move(8, 24);
        ListLabel->setBuddy(ListBox1);
        Image1 = new TCountingImage(&Window);
        Image1->setGeometry(336, 120, 240, 160);
        SetHelpContext({Image1}, 1006);
        GroupBox4 = new QGroupBox("Change description", &Window);
        GroupBox4->setGeometry(8, 300, 289, 65);
        SetHelpContext({GroupBox4}, 1002);
        EditDescription = new QLineEdit(GroupBox4);
        EditDescription->setGeometry(8, 24, 200, 21);
        auto* contents = new QAction("Help contents", &Window);
        contents->setShortcut(Qt::Key_F1);
        Window.addAction(contents);
        QObject::connect(contents, &QAction::triggered, [this] { ++ContentsRun; });

        WhatsThis.SetHelpSender([this](THelpCommand command, std::uint32_t data) {
            Sent.push_back({command, data});
            return true;
        });
        Window.show();
        Window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Window));
    }

    void TearDown() override
    {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    }

    QPoint In(const QWidget* widget, QPoint at) const { return widget->mapTo(&Window, at); }
    void Settle() { QCoreApplication::processEvents(); }
    void RightClick(const QWidget* widget, QPoint at)
    {
        QTest::mousePress(Window.windowHandle(), Qt::RightButton, {}, In(widget, at));
        QTest::mouseRelease(Window.windowHandle(), Qt::RightButton, {}, In(widget, at));
        Settle();
    }
    void F1(Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(Window.windowHandle(), Qt::Key_F1, modifiers);
    }

    QWidget Window;
    QLabel *Label1, *Label3, *ListLabel;
    QListWidget* ListBox1;
    QLineEdit *EditColorValue, *EditDescription;
    TCountingImage* Image1;
    QGroupBox* GroupBox4;
    int ContentsRun = 0;
    TWhatsThis WhatsThis;
    std::vector<THelpCall> Sent;
};

TEST_F(WhatsThisTest, LooksUpTheContextFromTheControlUp)
{
    const std::pair<const QWidget*, int> rows[]
        = {{ListBox1->viewport(), 1001}, {EditDescription, 1002}, {Label3, 1005}, {ListLabel, 1001},
            {Label1, 0}, {EditColorValue, 0}, {&Window, 0}, {nullptr, 0}};
    for (const auto& [widget, context] : rows)
        EXPECT_EQ(WhatsThis.HelpContextOf(widget), context) << context;
}

TEST_F(WhatsThisTest, F1ShowsTheFocusedControlsPopupAndOnlyAHeldF1RunsTheShortcut)
{
    const std::pair<QWidget*, std::uint32_t> rows[]
        = {{ListBox1, 1001}, {EditDescription, 1002}, {EditColorValue, 0}};
    for (const auto& [focused, context] : rows) {
        focused->setFocus();
        Sent.clear();
        F1();
        EXPECT_EQ(Sent, PopupAt(TopLeft(focused), context));
    }
    EXPECT_EQ(ContentsRun, 0);
    EXPECT_TRUE(EditColorValue->text().isEmpty());

    Sent.clear();
    QTest::keyPress(Window.windowHandle(), Qt::Key_F1);
    for (int i = 0; i < 2; ++i)
        QTest::simulateEvent(Window.windowHandle(), true, Qt::Key_F1, {}, {}, true);
    QTest::keyRelease(Window.windowHandle(), Qt::Key_F1);
    EXPECT_EQ(ContentsRun, 2);
    EXPECT_EQ(Sent, PopupAt(TopLeft(EditColorValue), 0));

    // The help viewer is left alone.
    Window.setProperty(WhatsThisExcludedProperty, true);
    F1();
    EXPECT_EQ(ContentsRun, 3);
}

TEST_F(WhatsThisTest, RightClickOffersTheMenuOnlyWithAContext)
{
    struct TRow
    {
        const char* Name;
        QWidget* Widget;
        QPoint At;
        std::uint32_t Context; // 0: no menu
    };
    const TRow rows[] = {
        {"preview", Image1, {30, 40}, 1006},
        {"empty spot of the description group", GroupBox4, {250, 55}, 1002},
        {"label without a context", Label1, {5, 5}, 0},
        {"empty spot of the window", &Window, {605, 390}, 0},
        // Line edits bring an edit menu of Qt's own, which the gesture replaces.
        {"description field, from its group", EditDescription, {10, 5}, 1002},
        {"code field", EditColorValue, {10, 5}, 0},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        Sent.clear();
        const TOtherMenus otherMenus(WhatsThis.PopupMenu());
        RightClick(row.Widget, row.At);
        EXPECT_EQ(otherMenus.Count, 0) << "another menu opened";
        QMenu* menu = WhatsThis.PopupMenu();
        if (row.Context == 0) {
            EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
            continue;
        }
        ASSERT_EQ(QApplication::activePopupWidget(), menu);
        EXPECT_EQ(menu->actions().size(), 1);
        EXPECT_EQ(menu->actions().at(0)->text(), "What's this?");
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
        Settle();
        EXPECT_EQ(Sent, PopupAt(row.Widget->mapToGlobal(row.At), row.Context));
        EXPECT_EQ(WhatsThis.Mode(), TWhatsThis::TMode::Idle);
    }
    // The preview picks on the press and still saw the release.
    EXPECT_EQ(Image1->Presses, 1);
    EXPECT_EQ(Image1->Releases, 1);

    WhatsThis.SetPopupCaption("Direkthilfe");
    RightClick(Image1, {10, 10});
    ASSERT_EQ(QApplication::activePopupWidget(), WhatsThis.PopupMenu());
    EXPECT_EQ(WhatsThis.PopupMenu()->actions().at(0)->text(), "Direkthilfe");
}

TEST_F(WhatsThisTest, ShiftF1ThenAClickOrAKey)
{
    struct TRow
    {
        QWidget* Clicked; // nothing: a key instead
        std::uint32_t Context;
    };
    const TRow rows[] = {{Label3, 1005}, {Image1, 1006}, {nullptr, 0}};
    EditDescription->setFocus();
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Context);
        Sent.clear();
        F1(Qt::ShiftModifier);
        EXPECT_EQ(WhatsThis.Mode(), TWhatsThis::TMode::Context);
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WhatsThisCursor);
        if (row.Clicked) {
            QTest::mouseMove(Window.windowHandle(), In(row.Clicked, {4, 6}));
            QTest::mouseClick(Window.windowHandle(), Qt::LeftButton, {}, In(row.Clicked, {4, 6}));
        } else {
            QTest::keyClick(Window.windowHandle(), Qt::Key_A);
        }
        Settle();
        EXPECT_EQ(Sent,
            row.Clicked ? PopupAt(row.Clicked->mapToGlobal(QPoint(4, 6)), row.Context)
                        : std::vector<THelpCall> {});
        EXPECT_EQ(WhatsThis.Mode(), TWhatsThis::TMode::Idle);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
    // Neither the click nor the key reached a control; the next click does.
    EXPECT_EQ(Image1->Presses + Image1->Releases, 0);
    EXPECT_TRUE(EditDescription->text().isEmpty());
    QTest::mouseClick(Window.windowHandle(), Qt::LeftButton, {}, In(Image1, {4, 4}));
    EXPECT_EQ(Image1->Presses, 1);
}

} // namespace
