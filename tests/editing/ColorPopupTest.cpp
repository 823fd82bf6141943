#include "editing/ColorPopup.h"

#include "editing/ColorPickerButton.h"
#include "editing/Palette.h"
#include "editing/QtColors.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QImage>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr std::uint32_t TColorOf(std::uint32_t rrggbb)
{
    return (rrggbb >> 16 & 0xFF) | (rrggbb & 0xFF00) | (rrggbb & 0xFF) << 16;
}

constexpr std::uint32_t Brown = TColorOf(0x993300); // cell 1
constexpr std::uint32_t Unlisted = TColorOf(0x123456);

QPoint Centre(const TPopupRect& rect)
{
    return {rect.Left + rect.Width() / 2, rect.Top + rect.Height() / 2};
}

// The main window's picker, with its popup opened through the arrow part as a user would.
class ColorPopupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Host.setGeometry(200, 150, 320, 200);
        Picker = new TColorPickerButton(&Host);
        Picker->setGeometry(208, 20, 73, 21);
        Picker->SetCustomText("Custom colors");
        Picker->SetPopupSpacing(8);
        Host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Host));
    }

    TColorPopup* Open(std::uint32_t color)
    {
        Picker->SetSelectionColor(color);
        QTest::mouseClick(
            Host.windowHandle(), Qt::LeftButton, {}, Picker->mapTo(&Host, QPoint(65, 10)));
        EXPECT_TRUE(Picker->DroppedDown());
        return Popup();
    }
    TColorPopup* Popup() { return Picker->findChild<TColorPopup*>(); }
    bool Closed() { return !Picker->DroppedDown() && !Popup()->isVisible(); }

    // Input to the popup takes the route a user's would: to the popup's window, or, for
    // presses outside it, to the window under the pointer.
    QWindow* PopupWindow() { return Popup()->windowHandle(); }
    void ClickAt(QPoint p) { QTest::mouseClick(PopupWindow(), Qt::LeftButton, {}, p); }
    void ClickCell(int cell) { ClickAt(Centre(CellRect(Popup()->Layout(), cell))); }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(PopupWindow(), key, modifiers);
    }

    QWidget Host;
    TColorPickerButton* Picker = nullptr;
};

TEST_F(ColorPopupTest, OpensWithTheCellOfTheCurrentColourSelected)
{
    const struct
    {
        const char* Name;
        std::uint32_t Color;
        bool System;
        int Selected;
    } rows[] = {
        {"993300 is Brown", Brown, false, 1},
        {"123456 is in no table", Unlisted, false, NoCell},
        {"123456 with system colours", Unlisted, true, NoCell},
        {"Red", TColorOf(0xFF0000), false, 16},
        {"Grey-40%", TColorOf(0x969696), false, 23},
        {"White", TColorOf(0xFFFFFF), false, 39},
        {"black, the default colour", 0, false, 0},
        {"no colour", clNone, false, NoCell},
        {"default colour", clDefault, false, DefaultCell},
        {"system colour shown as itself", 0xFF000003, true, 43},
        {"last system colour", 0xFF000018, true, 64},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        Picker->SetShowSystemColors(row.System);
        TColorPopup* popup = Open(row.Color);
        ASSERT_NE(popup, nullptr);
        EXPECT_TRUE(popup->isVisible());
        EXPECT_EQ(popup->SelectedIndex(), row.Selected);
        EXPECT_EQ(popup->HoverIndex(), NoCell);
        EXPECT_FALSE(popup->IsExpanded());
        EXPECT_EQ(popup->height(), popup->Layout().CollapsedHeight);
        Key(Qt::Key_Escape);
        EXPECT_TRUE(Closed());
        EXPECT_EQ(Picker->SelectionColor(), row.Color) << "opening and closing changes nothing";
    }
}

TEST_F(ColorPopupTest, SizeFollowsTheLayoutFormulasInThePopupsFont)
{
    TColorPopup* popup = Open(Brown);
    const QSize text = QFontMetrics(popup->font())
                           .size(Qt::TextSingleLine | Qt::TextShowMnemonic, "Custom colors");
    const int button = text.height() + 4 * 2 + 2;
    EXPECT_EQ(popup->width(), 164);
    EXPECT_EQ(popup->Layout().CustomButton, (TPopupRect {10, 98, 154, 98 + button}));
    EXPECT_EQ(popup->height(), 98 + button + 2 * 2);

    // Texts and the system colours change the layout of an open popup at once.
    const int collapsed = popup->height();
    Picker->SetShowSystemColors(true);
    EXPECT_EQ(popup->height(), collapsed + 4 * 18 + 2 * 2);
    EXPECT_EQ(popup->Layout().CustomButton.Top, 98 + 76);
    Picker->SetShowSystemColors(false);
    Picker->SetCustomText(QString());
    EXPECT_EQ(popup->height(), 98);
    EXPECT_TRUE(popup->Layout().CustomButton.IsEmpty());
    EXPECT_TRUE(Picker->DroppedDown());
}

TEST_F(ColorPopupTest, CellsArePaintedWhereHitTestingFindsThem)
{
    TColorPopup* popup = Open(Brown);
    const QImage image = popup->grab().toImage();
    const QColor face = popup->palette().color(QPalette::Button);
    const QColor highlight = popup->palette().color(QPalette::Highlight);
    for (int cell = 0; cell < PaletteColorCount; ++cell) {
        SCOPED_TRACE(PaletteColors[cell].Name);
        const TPopupRect rect = CellRect(popup->Layout(), cell);
        ASSERT_EQ(CellAt(popup->Layout(), {rect.Left + 9, rect.Top + 9}), cell);
        EXPECT_EQ(image.pixelColor(rect.Left + 9, rect.Top + 9).rgb(),
            TColorToQColor(PaletteColors[cell].Color).rgb());
        // The colour square, inset by 3, has a grey outline; between it and the edge lies the
        // face, highlighted for the selected cell.
        EXPECT_EQ(image.pixelColor(rect.Left + 3, rect.Top + 9).rgb(), QColor(0x808080).rgb());
        EXPECT_EQ(image.pixelColor(rect.Right - 4, rect.Bottom - 4).rgb(), QColor(0x808080).rgb());
        EXPECT_EQ(image.pixelColor(rect.Left + 2, rect.Top + 9).rgb(),
            (cell == 1 ? highlight : face).rgb());
    }
}

TEST_F(ColorPopupTest, MouseReleaseOnACellChoosesItAndElsewhereKeepsThePopupOpen)
{
    const struct
    {
        const char* Name;
        std::uint32_t Start;
        QPoint Press;
        QPoint Release;
        bool Closes;
        std::uint32_t Color;
        int Changes;
        bool Expanded;
    } rows[] = {
        {"another cell", Unlisted, {37, 13}, {37, 13}, true, Brown, 1, false},
        {"the cell already selected", Brown, {37, 13}, {37, 13}, true, Brown, 0, false},
        {"first pixel of White", Unlisted, {136, 76}, {136, 76}, true, TColorOf(0xFFFFFF), 1,
            false},
        {"last pixel of White", Brown, {153, 93}, {153, 93}, true, TColorOf(0xFFFFFF), 1, false},
        {"pressed on one cell, released on another", Unlisted, {19, 13}, {55, 13}, true,
            TColorOf(0x333300), 1, false},
        {"pressed on a cell, released in the margin", Unlisted, {19, 13}, {5, 13}, false, Unlisted,
            0, false},
        {"the custom button expands", Brown, {80, 108}, {80, 108}, false, Brown, 0, true},
        {"gap between grid and custom button", Brown, {80, 96}, {80, 96}, false, Brown, 0, false},
        {"left margin", Brown, {5, 50}, {5, 50}, false, Brown, 0, false},
        {"right margin", Brown, {158, 50}, {158, 50}, false, Brown, 0, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        TColorPopup* popup = Open(row.Start);
        QSignalSpy changes(Picker, &TColorPickerButton::OnChange);
        QSignalSpy defaults(Picker, &TColorPickerButton::OnDefaultSelect);
        QTest::mousePress(PopupWindow(), Qt::LeftButton, {}, row.Press);
        if (row.Release != row.Press)
            QTest::mouseMove(PopupWindow(), row.Release);
        QTest::mouseRelease(PopupWindow(), Qt::LeftButton, {}, row.Release);
        EXPECT_EQ(Closed(), row.Closes);
        EXPECT_EQ(Picker->SelectionColor(), row.Color);
        EXPECT_EQ(changes.count(), row.Changes);
        EXPECT_EQ(defaults.count(), 0);
        EXPECT_EQ(popup->IsExpanded(), row.Expanded);
        if (!row.Closes) {
            EXPECT_EQ(popup->height(),
                row.Expanded ? popup->Layout().ExpandedHeight : popup->Layout().CollapsedHeight);
            Key(Qt::Key_Escape);
            EXPECT_TRUE(Closed());
        }
    }
}

// The two-pixel edge around a cell, where its sunken or raised look shows.
std::vector<QRgb> EdgeOf(const QImage& image, const TPopupRect& rect)
{
    std::vector<QRgb> pixels;
    for (int y = rect.Top; y < rect.Bottom; ++y)
        for (int x = rect.Left; x < rect.Right; ++x)
            if (x < rect.Left + 2 || x >= rect.Right - 2 || y < rect.Top + 2
                || y >= rect.Bottom - 2)
                pixels.push_back(image.pixel(x, y));
    return pixels;
}

TEST_F(ColorPopupTest, DraggingFromTheArrowPressesTheHoveredCellAndChoosesItOnRelease)
{
    for (const bool held : {false, true}) {
        SCOPED_TRACE(held ? "button held since the arrow press" : "button released first");
        Picker->SetSelectionColor(Brown);
        const QPoint arrow = Picker->mapTo(&Host, QPoint(65, 10));
        if (held)
            QTest::mousePress(Host.windowHandle(), Qt::LeftButton, {}, arrow);
        else
            QTest::mouseClick(Host.windowHandle(), Qt::LeftButton, {}, arrow);
        TColorPopup* popup = Popup();
        ASSERT_TRUE(Picker->DroppedDown());
        // The pointer travels on the host's window, which hands it to the open popup.
        const QPoint onCell
            = Host.mapFromGlobal(popup->mapToGlobal(Centre(CellRect(popup->Layout(), 3))));
        QTest::mouseMove(Host.windowHandle(), onCell);
        ASSERT_EQ(popup->HoverIndex(), 3);

        // Selected cell 1 shows the sunken edge; the hovered cell 3 matches it only while the
        // button is held.
        const QImage image = popup->grab().toImage();
        const bool sunken = EdgeOf(image, CellRect(popup->Layout(), 3))
            == EdgeOf(image, CellRect(popup->Layout(), 1));
        EXPECT_EQ(sunken, held);

        if (held)
            QTest::mouseRelease(Host.windowHandle(), Qt::LeftButton, {}, onCell);
        else
            QTest::mouseClick(Host.windowHandle(), Qt::LeftButton, {}, onCell);
        EXPECT_TRUE(Closed());
        EXPECT_EQ(Picker->SelectionColor(), TColorOf(0x003300));
    }
}

TEST_F(ColorPopupTest, PressOutsideClosesWithoutChoosing)
{
    const struct
    {
        const char* Name;
        QPoint OnHost;
        Qt::MouseButton Button;
    } rows[] = {
        {"elsewhere on the window", {10, 10}, Qt::LeftButton},
        {"right button", {10, 10}, Qt::RightButton},
        {"on the picker's colour part", {208 + 20, 20 + 10}, Qt::LeftButton},
        {"on the picker's arrow part", {208 + 65, 20 + 10}, Qt::LeftButton},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        Open(Brown);
        // A highlighted cell is not chosen by a press elsewhere.
        Key(Qt::Key_Right);
        QSignalSpy changes(Picker, &TColorPickerButton::OnChange);
        QSignalSpy clicks(Picker, &TColorPickerButton::OnClick);
        QSignalSpy defaults(Picker, &TColorPickerButton::OnDefaultSelect);
        QSignalSpy dropped(Picker, &TColorPickerButton::OnDropChanged);
        QTest::mouseClick(Host.windowHandle(), row.Button, {}, row.OnHost);
        EXPECT_TRUE(Closed()) << "and the press does not open it again";
        EXPECT_EQ(Picker->SelectionColor(), Brown);
        EXPECT_EQ(changes.count(), 0);
        EXPECT_EQ(clicks.count(), 0);
        EXPECT_EQ(defaults.count(), 0);
        EXPECT_EQ(dropped.count(), 1);
    }
}

TEST_F(ColorPopupTest, FocusLossAndDeactivationCloseWithoutChoosing)
{
    for (const bool deactivate : {false, true}) {
        SCOPED_TRACE(deactivate ? "application deactivated" : "focus lost");
        TColorPopup* popup = Open(Brown);
        Key(Qt::Key_Down);
        QSignalSpy changes(Picker, &TColorPickerButton::OnChange);
        QSignalSpy defaults(Picker, &TColorPickerButton::OnDefaultSelect);
        if (deactivate) {
            // What the window system reports when another program becomes active.
            emit qApp->applicationStateChanged(Qt::ApplicationInactive);
        } else {
            QFocusEvent focusOut(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
            QApplication::sendEvent(popup, &focusOut);
        }
        EXPECT_TRUE(Closed());
        EXPECT_EQ(Picker->SelectionColor(), Brown);
        EXPECT_EQ(changes.count(), 0);
        EXPECT_EQ(defaults.count(), 0);
    }
}

TEST_F(ColorPopupTest, ArrowKeysMoveTheHighlightFromTheSelectedOrHoveredCell)
{
    using TKeys = std::vector<Qt::Key>;
    const struct
    {
        const char* Name;
        std::uint32_t Start;
        bool System;
        TKeys Keys;
        int Hover;
    } rows[] = {
        {"Right from the selection", Brown, false, {Qt::Key_Right}, 2},
        {"Left from the selection", Brown, false, {Qt::Key_Left}, 0},
        {"Left past the first cell to the custom button", Brown, false,
            {Qt::Key_Left, Qt::Key_Left}, CustomCell},
        {"Left from the custom button to the last cell", Brown, false,
            {Qt::Key_Left, Qt::Key_Left, Qt::Key_Left}, 39},
        {"Up from the top row", Brown, false, {Qt::Key_Up}, CustomCell},
        {"Down a row", Brown, false, {Qt::Key_Down}, 9},
        {"Down past the last row", Brown, false,
            {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down}, CustomCell},
        {"Right from the custom button to the first cell", Brown, false,
            {Qt::Key_Up, Qt::Key_Right}, 0},
        {"Right from nothing", Unlisted, false, {Qt::Key_Right}, 0},
        {"Left from nothing", Unlisted, false, {Qt::Key_Left}, 39},
        {"Down into the system rows", Brown, true,
            {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down}, 41},
        {"Up and Left to the last system cell", Brown, true, {Qt::Key_Up, Qt::Key_Left}, 64},
        {"Down from a short system row", 0xFF000011, true, {Qt::Key_Down}, CustomCell},
        {"other keys move nothing", Brown, false, {Qt::Key_A, Qt::Key_Home}, NoCell},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        Picker->SetShowSystemColors(row.System);
        TColorPopup* popup = Open(row.Start);
        for (const Qt::Key key : row.Keys)
            Key(key);
        EXPECT_EQ(popup->HoverIndex(), row.Hover);
        EXPECT_TRUE(Picker->DroppedDown());
        Key(Qt::Key_Escape);
    }

    // The pointer's cell is where the keys start.
    TColorPopup* popup = Open(Brown);
    QTest::mouseMove(PopupWindow(), Centre(CellRect(popup->Layout(), 20)));
    EXPECT_EQ(popup->HoverIndex(), 20);
    Key(Qt::Key_Right);
    EXPECT_EQ(popup->HoverIndex(), 21);
    QTest::mouseMove(PopupWindow(), QPoint(5, 5));
    EXPECT_EQ(popup->HoverIndex(), NoCell);
}

TEST_F(ColorPopupTest, EnterSpaceAndEscapeEndThePopup)
{
    using TKeys = std::vector<Qt::Key>;
    const struct
    {
        const char* Name;
        bool System;
        TKeys Keys; // the last one ends the popup
        std::uint32_t Color;
        int Changes;
        int Defaults;
    } rows[] = {
        {"Enter on the next cell", false, {Qt::Key_Right, Qt::Key_Return}, TColorOf(0x333300), 1,
            0},
        {"keypad Enter", false, {Qt::Key_Right, Qt::Key_Enter}, TColorOf(0x333300), 1, 0},
        {"Space a row down", false, {Qt::Key_Down, Qt::Key_Space}, TColorOf(0xFF6600), 1, 0},
        {"Enter back on the selected cell", false, {Qt::Key_Right, Qt::Key_Left, Qt::Key_Return},
            Brown, 0, 0},
        {"Enter with nothing highlighted", false, {Qt::Key_Return}, Brown, 0, 1},
        {"Space with nothing highlighted", false, {Qt::Key_Space}, Brown, 0, 1},
        {"Enter on the custom button", false, {Qt::Key_Up, Qt::Key_Return}, Brown, 0, 0},
        {"Escape after moving", false, {Qt::Key_Right, Qt::Key_Down, Qt::Key_Escape}, Brown, 0, 0},
        {"Space on a system cell", true, {Qt::Key_Up, Qt::Key_Left, Qt::Key_Space}, 0xFF000018, 1,
            0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        Picker->SetShowSystemColors(row.System);
        TColorPopup* popup = Open(Brown);
        QSignalSpy changes(Picker, &TColorPickerButton::OnChange);
        QSignalSpy defaults(Picker, &TColorPickerButton::OnDefaultSelect);
        for (const Qt::Key key : row.Keys)
            Key(key);
        EXPECT_TRUE(Closed());
        EXPECT_EQ(popup->height(), popup->Layout().CollapsedHeight) << "never expanded";
        EXPECT_EQ(Picker->SelectionColor(), row.Color);
        EXPECT_EQ(changes.count(), row.Changes);
        EXPECT_EQ(defaults.count(), row.Defaults);
    }
}

TEST_F(ColorPopupTest, AltAcceleratorsPickTheDefaultOrExpandTheCustomArea)
{
    Picker->SetCustomText("&Custom colors");
    Picker->SetDefaultText("&Automatic");
    TColorPopup* popup = Open(Brown);
    QSignalSpy changes(Picker, &TColorPickerButton::OnChange);
    QSignalSpy defaults(Picker, &TColorPickerButton::OnDefaultSelect);
    Key(Qt::Key_X, Qt::AltModifier);
    EXPECT_TRUE(Picker->DroppedDown()) << "no accelerator";
    Key(Qt::Key_C, Qt::AltModifier);
    EXPECT_TRUE(popup->IsExpanded());
    EXPECT_TRUE(Picker->DroppedDown());
    EXPECT_EQ(popup->height(), popup->Layout().ExpandedHeight);
    Key(Qt::Key_C, Qt::AltModifier);
    EXPECT_TRUE(popup->IsExpanded()) << "already expanded";
    EXPECT_TRUE(Picker->DroppedDown());
    Key(Qt::Key_C);
    EXPECT_TRUE(Picker->DroppedDown()) << "the letter alone is no accelerator";

    Key(Qt::Key_A, Qt::AltModifier);
    EXPECT_TRUE(Closed());
    EXPECT_EQ(defaults.count(), 1);
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(Picker->SelectionColor(), Brown);
}

TEST_F(ColorPopupTest, DefaultButtonSitsAboveTheGridAndRaisesOnDefaultSelect)
{
    Picker->SetDefaultText("Automatic");
    TColorPopup* popup = Open(clDefault);
    QSignalSpy changes(Picker, &TColorPickerButton::OnChange);
    QSignalSpy defaults(Picker, &TColorPickerButton::OnDefaultSelect);
    EXPECT_EQ(popup->SelectedIndex(), DefaultCell);
    const TPopupRect button = popup->Layout().DefaultButton;
    EXPECT_EQ(button.Top, 4);
    EXPECT_EQ(CellRect(popup->Layout(), 0).Top, button.Bottom);
    ClickAt(Centre(button));
    EXPECT_TRUE(Closed());
    EXPECT_EQ(defaults.count(), 1);
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(Picker->SelectionColor(), clDefault);
}

TEST_F(ColorPopupTest, OpensBelowTheButtonOrAboveItNearTheBottomAndShiftsLeftAtTheRight)
{
    const QRect screen = Host.screen()->availableGeometry();
    const struct
    {
        const char* Name;
        QPoint PickerOnScreen; // where the picker's top-left is placed
        bool Above;
        bool AtRightEdge;
    } rows[] = {
        {"room below", screen.topLeft() + QPoint(100, 100), false, false},
        {"near the bottom", QPoint(screen.left() + 100, screen.bottom() - 40), true, false},
        {"at the bottom edge", QPoint(screen.left() + 100, screen.bottom() - 20), true, false},
        {"at the right edge", QPoint(screen.right() - 100, screen.top() + 100), false, true},
        {"bottom right corner", QPoint(screen.right() - 80, screen.bottom() - 30), true, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        // A small window around the picker, placed by its client area.
        Host.setGeometry(QRect(row.PickerOnScreen - QPoint(10, 10), QSize(93, 41)));
        Picker->move(10, 10);
        ASSERT_EQ(Picker->mapToGlobal(QPoint(0, 0)), row.PickerOnScreen);
        TColorPopup* popup = Open(Brown);
        const QRect button(Picker->mapToGlobal(QPoint(0, 0)), Picker->size());
        const QRect placed = popup->geometry();
        if (row.Above)
            EXPECT_EQ(placed.top() + placed.height(), button.top());
        else
            EXPECT_EQ(placed.top(), button.top() + button.height());
        if (row.AtRightEdge)
            EXPECT_EQ(placed.left() + placed.width(), screen.left() + screen.width());
        else
            EXPECT_EQ(placed.left(), button.left() - 1);
        EXPECT_TRUE(screen.contains(placed));

        // Expanding re-places it for its new height.
        ClickCell(CustomCell);
        ASSERT_TRUE(popup->IsExpanded());
        EXPECT_TRUE(screen.contains(popup->geometry()));
        Key(Qt::Key_Escape);
    }
}

TEST_F(ColorPopupTest, HintsNameTheCellOrAskOnHint)
{
    Picker->SetHint("Colour of the item");
    QString answer;
    std::vector<int> asked;
    QObject::connect(Picker, &TColorPickerButton::OnHint, Picker, [&](int cell, QString& hint) {
        asked.push_back(cell);
        hint = answer;
    });
    const QString none = "(no hint)";
    const struct
    {
        const char* Name;
        bool System;
        bool ShowHint;
        QString Answer;
        int Cell; // where the pointer rests; NoCell: the gap above the custom button
        QString Hint;
        std::vector<int> Asked;
    } rows[] = {
        {"Black", false, true, {}, 0, "Black", {}},
        {"Brown", false, true, {}, 1, "Brown", {}},
        {"Dark blue, lower-case b", false, true, {}, 5, "Dark blue", {}},
        {"Gray-80% with an a", false, true, {}, 7, "Gray-80%", {}},
        {"Blue-Gray", false, true, {}, 14, "Blue-Gray", {}},
        {"Grey-40% with an e", false, true, {}, 23, "Grey-40%", {}},
        {"Gray-25%", false, true, {}, 31, "Gray-25%", {}},
        {"White", false, true, {}, 39, "White", {}},
        {"first system colour", true, true, {}, 40, "system color: scroll bar", {}},
        {"button face", true, true, {}, 55, "system color: button face", {}},
        {"3D dark shadow", true, true, {}, 61, "system color: 3D dark shadow", {}},
        {"last system colour", true, true, {}, 64, "system color: info background", {}},
        {"custom button answered", false, true, "Mix your own", CustomCell, "Mix your own",
            {CustomCell}},
        {"custom button unanswered: the picker's hint", false, true, {}, CustomCell,
            "Colour of the item", {CustomCell}},
        {"free space answered", false, true, "Nothing here", NoCell, "Nothing here", {NoCell}},
        {"free space unanswered", false, true, {}, NoCell, none, {NoCell}},
        {"hints off over a cell", false, false, {}, 0, none, {}},
        {"hints off over the custom button", false, false, "Mix your own", CustomCell, none, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        Picker->SetShowSystemColors(row.System);
        Picker->SetShowHint(row.ShowHint);
        answer = row.Answer;
        asked.clear();
        TColorPopup* popup = Open(Brown);
        const QPoint pos
            = row.Cell == NoCell ? QPoint(80, 96) : Centre(CellRect(popup->Layout(), row.Cell));
        ASSERT_EQ(CellAt(popup->Layout(), {pos.x(), pos.y()}), row.Cell);
        // A tip that stays in place shows that the popup offered none.
        QToolTip::showText(popup->mapToGlobal(pos), none, popup);
        QHelpEvent help(QEvent::ToolTip, pos, popup->mapToGlobal(pos));
        QApplication::sendEvent(popup, &help);
        EXPECT_EQ(QToolTip::text(), row.Hint);
        EXPECT_EQ(asked, row.Asked);
        Key(Qt::Key_Escape);
        QToolTip::hideText();
    }
}

// The custom colour area: the main window's popup expanded by "Custom colors".
class CustomAreaTest : public ColorPopupTest
{
protected:
    TColorPopup* OpenExpanded(std::uint32_t color)
    {
        TColorPopup* popup = Open(color);
        if (!popup->IsExpanded())
            ClickCell(CustomCell);
        EXPECT_TRUE(popup->IsExpanded());
        return popup;
    }
    const TCustomColorArea& Area() { return Popup()->CustomArea(); }
    QPoint HexagonAt(int customIndex) { return ToQPoint(Area().Hexagon(customIndex)->Centre); }
    QPoint SliderAt(int fromTop)
    {
        const TPopupRect& slider = Area().Geometry().Slider;
        return {slider.Left + 4, slider.Top + fromTop};
    }
    void Drag(QPoint from, QPoint to)
    {
        QTest::mousePress(PopupWindow(), Qt::LeftButton, {}, from);
        QTest::mouseMove(PopupWindow(), to);
        QTest::mouseRelease(PopupWindow(), Qt::LeftButton, {}, to);
    }
    static QPoint ToQPoint(TPopupPoint point) { return {point.X, point.Y}; }
};

constexpr int Ring3Red = 26; // honeycomb cell 25, the first of ring 3 on the red direction
constexpr int Grey8 = -9; // 787878

TEST_F(CustomAreaTest, PressAndReleaseOnAHexagonChoosesItAndASliderDragKeepsThePopupOpen)
{
    constexpr std::uint32_t Pink = TColorOf(0xFF7F7F); // ring 3 towards red: opens with it chosen
    enum TTarget { Hexagon, Slider, Corner };
    const struct
    {
        const char* Name;
        std::uint32_t Start;
        TTarget From;
        int FromValue; // a custom index or a height on the slider
        TTarget To;
        int ToValue;
        bool Closes;
        std::uint32_t Color;
        int CustomIndex;
    } rows[] = {
        {"ring 3 of the red direction", Brown, Hexagon, Ring3Red, Hexagon, Ring3Red, true, Pink,
            Ring3Red},
        // White is a palette colour and grey cell 0 too: the choice follows the colour chosen,
        // and the grey row is searched first.
        {"the honeycomb's centre", Brown, Hexagon, 1, Hexagon, 1, true, TColorOf(0xFFFFFF), -1},
        {"a grey cell", Brown, Hexagon, Grey8, Hexagon, Grey8, true, TColorOf(0x787878), Grey8},
        {"the black end cell", Brown, Hexagon, -17, Hexagon, -17, true, 0, -17},
        {"dragged to the next hexagon", Brown, Hexagon, Ring3Red, Hexagon, 25, true,
            TColorOf(0xFFD4AA), 25},
        {"pressed on a hexagon, released in the honeycomb's empty corner", Brown, Hexagon, Ring3Red,
            Corner, 0, false, Brown, 0},
        {"a press in the empty corner drops the choice", Pink, Corner, 0, Corner, 0, false, Pink,
            0},
        {"slider dragged to the middle", Brown, Slider, 0, Slider, 52, false, Brown, 0},
        {"slider dragged with a choice made", Pink, Slider, 0, Slider, 52, false, Pink, Ring3Red},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        TColorPopup* popup = OpenExpanded(row.Start);
        QSignalSpy changes(Picker, &TColorPickerButton::OnChange);
        const auto where = [&](TTarget target, int value) {
            if (target == Hexagon)
                return HexagonAt(value);
            if (target == Slider)
                return SliderAt(value);
            const TPopupRect& honeycomb = Area().Geometry().Honeycomb;
            return QPoint(honeycomb.Left + 1, honeycomb.Top + 1);
        };
        Drag(where(row.From, row.FromValue), where(row.To, row.ToValue));
        EXPECT_EQ(Closed(), row.Closes);
        EXPECT_EQ(Picker->SelectionColor(), row.Color);
        EXPECT_EQ(changes.count(), row.Closes ? 1 : 0);
        EXPECT_EQ(Area().CustomIndex(), row.CustomIndex);
        if (!row.Closes) {
            EXPECT_TRUE(popup->IsExpanded());
            Key(Qt::Key_Escape);
        }
        // Every row starts from full intensity.
        OpenExpanded(Unlisted);
        Drag(SliderAt(0), SliderAt(0));
        Key(Qt::Key_Escape);
    }
}

TEST_F(CustomAreaTest, TheChoiceAndTheIntensityLastUntilTheNextOpening)
{
    const struct
    {
        const char* Name;
        int SliderHeight; // where the slider is left before the choice
        int Pick;
        std::uint32_t Color;
        bool Expanded; // when opened again
        int CustomIndex;
    } rows[] = {
        {"a honeycomb cell", 0, Ring3Red, TColorOf(0xFF7F7F), true, Ring3Red},
        {"a honeycomb cell at a lower intensity", 26, Ring3Red, TColorOf(0xDF6060), true, Ring3Red},
        // The slider at 55 of 104 makes the centre 787878, which is grey cell 8 too: the grey
        // row is searched first.
        {"a centre that is also a grey cell", 55, 1, TColorOf(0x787878), true, Grey8},
        // At 6 the centre is F0F0F0, and the grey row has no 240.
        {"a centre of no grey cell", 6, 1, TColorOf(0xF0F0F0), true, 1},
        // White and black are palette colours as well, and the palette comes first.
        {"the white end cell", 0, -1, TColorOf(0xFFFFFF), false, -1},
        {"the black end cell", 0, -17, TColorOf(0x000000), false, -17},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        TColorPopup* popup = OpenExpanded(Unlisted);
        Drag(SliderAt(row.SliderHeight), SliderAt(row.SliderHeight));
        const float intensity = Area().Intensity();
        Drag(HexagonAt(row.Pick), HexagonAt(row.Pick));
        ASSERT_TRUE(Closed());
        ASSERT_EQ(Picker->SelectionColor(), row.Color);

        Open(row.Color);
        EXPECT_EQ(popup->IsExpanded(), row.Expanded);
        EXPECT_EQ(popup->height(),
            row.Expanded ? popup->Layout().ExpandedHeight : popup->Layout().CollapsedHeight);
        EXPECT_EQ(Area().CustomIndex(), row.CustomIndex);
        EXPECT_EQ(Area().Intensity(), intensity);
        Key(Qt::Key_Escape);
        Picker->SetSelectionColor(Unlisted);
    }
}

TEST_F(CustomAreaTest, AChoiceForOneColourIsNeverAppliedToAnother)
{
    constexpr std::uint32_t Pink = TColorOf(0xFF7F7F); // honeycomb cell Ring3Red
    constexpr std::uint32_t White = TColorOf(0xFFFFFF); // palette cell 39 and grey cell -1
    const struct
    {
        const char* Name;
        std::uint32_t Other; // the colour of the item selected after the honeycomb choice
        int OpenedChoice; // the custom choice when the popup opens for it
        bool PressInGap; // a press between the grid and the custom button first
        std::vector<Qt::Key> Keys; // on to the custom button and Enter
    } rows[] = {
        {"palette colour, Up and Enter", Brown, 0, false, {Qt::Key_Up, Qt::Key_Return}},
        {"last row, Down and Enter", TColorOf(0xCCFFCC), 0, false, {Qt::Key_Down, Qt::Key_Return}},
        {"colour in no table, Up Down and Space", Unlisted, 0, false,
            {Qt::Key_Up, Qt::Key_Down, Qt::Key_Space}},
        {"a grey cell's colour, pressed in the gap", White, -1, true,
            {Qt::Key_Down, Qt::Key_Return}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        OpenExpanded(Unlisted);
        Drag(HexagonAt(Ring3Red), HexagonAt(Ring3Red));
        ASSERT_TRUE(Closed());
        ASSERT_EQ(Picker->SelectionColor(), Pink);

        TColorPopup* popup = Open(row.Other);
        QSignalSpy changes(Picker, &TColorPickerButton::OnChange);
        const auto preview = [&] {
            return popup->grab().toImage().pixel(Centre(popup->Layout().PreviewSquare)) & 0xFFFFFF;
        };
        const QRgb face = popup->palette().color(QPalette::Button).rgb() & 0xFFFFFF;
        EXPECT_FALSE(popup->IsExpanded());
        EXPECT_EQ(Area().CustomIndex(), row.OpenedChoice);
        EXPECT_EQ(preview(), row.OpenedChoice == 0 ? face : 0xFFFFFFu);
        if (row.PressInGap) {
            ClickAt({80, 96});
            ASSERT_FALSE(Closed());
            EXPECT_EQ(Area().CustomIndex(), 0);
            EXPECT_EQ(preview(), face);
        }
        for (const Qt::Key key : row.Keys)
            Key(key);
        EXPECT_TRUE(Closed());
        EXPECT_EQ(Picker->SelectionColor(), row.Other);
        EXPECT_EQ(changes.count(), 0);
    }
}

TEST_F(CustomAreaTest, PaintsEveryCellInItsColourAndOutlinesTheChoice)
{
    TColorPopup* popup = OpenExpanded(Unlisted);
    const auto pixel = [&](QPoint p) { return popup->grab().toImage().pixel(p) & 0xFFFFFF; };
    const auto rgb = [](std::uint32_t color) { return TColorToQColor(color).rgb() & 0xFFFFFF; };
    const auto expectCellsPainted = [&] {
        const QImage image = popup->grab().toImage();
        for (int index = -GreyCellCount; index <= HoneycombCellCount; ++index)
            if (const auto hexagon = Area().Hexagon(index)) {
                const QPoint centre = ToQPoint(hexagon->Centre);
                EXPECT_EQ(image.pixel(centre) & 0xFFFFFF, rgb(hexagon->Color)) << index;
                // Hit testing finds the cell that is painted there.
                EXPECT_EQ(Area().CustomIndexAt(hexagon->Centre), index);
            }
    };
    expectCellsPainted();

    // The slider's bar runs from white to black, the marker's tip points at full intensity.
    const TPopupRect& slider = Area().Geometry().Slider;
    EXPECT_EQ(pixel({slider.Left + 5, slider.Top}), 0xFFFFFFu);
    EXPECT_EQ(pixel({slider.Left + 5, slider.Bottom - 1}), 0x000000u);
    const QRgb face = popup->palette().color(QPalette::Button).rgb() & 0xFFFFFF;
    EXPECT_EQ(pixel({slider.Left + 11, slider.Top}), 0x000000u);
    EXPECT_EQ(pixel({slider.Left + 11, slider.Top + 3}), face);

    // A slider drag darkens the centre cell and moves the marker, while the popup stays open.
    Drag(SliderAt(0), SliderAt(52));
    EXPECT_EQ(pixel(HexagonAt(1)), 0x808080u);
    EXPECT_EQ(pixel({slider.Left + 11, slider.Top + 52}), 0x000000u);
    EXPECT_EQ(pixel({slider.Left + 11, slider.Top}), face);
    expectCellsPainted();

    // The chosen cell's outline inverts what lies under it (here its top point); its centre
    // keeps its colour, and the preview square in the custom button shows it.
    const QPoint top(0, -5);
    const QPoint first = HexagonAt(Ring3Red);
    const QRgb firstTop = pixel(first + top);
    QTest::mousePress(PopupWindow(), Qt::LeftButton, {}, first);
    EXPECT_EQ(pixel(first + top), firstTop ^ 0xFFFFFF);
    EXPECT_EQ(pixel(first), rgb(*Area().CustomColor()));
    EXPECT_EQ(pixel(Centre(popup->Layout().PreviewSquare)), rgb(*Area().CustomColor()));
    // Dragging on to the next hexagon moves the outline with the choice.
    const QPoint next = HexagonAt(Ring3Red - 1);
    const QRgb nextTop = pixel(next + top);
    QTest::mouseMove(PopupWindow(), next);
    EXPECT_EQ(pixel(first + top), firstTop);
    EXPECT_EQ(pixel(next + top), nextTop ^ 0xFFFFFF);
    EXPECT_EQ(pixel(Centre(popup->Layout().PreviewSquare)), rgb(*Area().CustomColor()));
    QTest::mouseRelease(PopupWindow(), Qt::LeftButton, {}, next);
    ASSERT_TRUE(Closed());

    // A grey cell is outlined the same way.
    OpenExpanded(Unlisted);
    const QPoint grey = HexagonAt(Grey8);
    QTest::mousePress(PopupWindow(), Qt::LeftButton, {}, grey);
    EXPECT_EQ(pixel(grey + top), 0x787878u ^ 0xFFFFFF);
    EXPECT_EQ(pixel(grey), 0x787878u);
    QTest::mouseRelease(PopupWindow(), Qt::LeftButton, {}, grey);
}

TEST_F(CustomAreaTest, HintsNameTheIntensityOrTheColourInTheGivenFormat)
{
    const QString none = "(no hint)";
    const struct
    {
        const char* Name;
        QString ColorFormat;
        QString IntensityFormat;
        bool OverSlider;
        QString Hint;
    } rows[] = {
        {"slider, built-in", {}, {}, true, "Intensity: 50%"},
        {"slider, translated", {}, QString::fromUtf8("Intensit\xC3\xA4t %d %%"), true,
            QString::fromUtf8("Intensit\xC3\xA4t 50 %")},
        {"slider, a string placeholder", {}, "Intensity %s", true, "Intensity: 50%"},
        {"hexagon, built-in", {}, {}, false, "red: 191, green: 64, blue: 64"},
        {"hexagon, translated", QString::fromUtf8("rot %d, gr\xC3\xBCn %d, blau %d"), {}, false,
            QString::fromUtf8("rot 191, gr\xC3\xBCn 64, blau 64")},
        {"hexagon, two placeholders", "%d/%d", {}, false, "red: 191, green: 64, blue: 64"},
        {"hexagon, a pointer written", "%n%d%d%d", {}, false, "red: 191, green: 64, blue: 64"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        Picker->SetColorHintText(row.ColorFormat);
        Picker->SetIntensityHintText(row.IntensityFormat);
        TColorPopup* popup = OpenExpanded(Unlisted);
        Drag(SliderAt(52), SliderAt(52)); // 50%, where ring 3 towards red is BF4040
        const QPoint pos = row.OverSlider ? SliderAt(40) : HexagonAt(Ring3Red);
        QToolTip::showText(popup->mapToGlobal(pos), none, popup);
        QHelpEvent help(QEvent::ToolTip, pos, popup->mapToGlobal(pos));
        QApplication::sendEvent(popup, &help);
        EXPECT_EQ(QToolTip::text(), row.Hint);
        Key(Qt::Key_Escape);
        QToolTip::hideText();
    }

    // During a slider drag the hint follows the intensity.
    Picker->SetIntensityHintText({});
    OpenExpanded(Unlisted);
    QTest::mousePress(PopupWindow(), Qt::LeftButton, {}, SliderAt(26));
    EXPECT_EQ(QToolTip::text(), "Intensity: 75%");
    QTest::mouseMove(PopupWindow(), SliderAt(0));
    EXPECT_EQ(QToolTip::text(), "Intensity: 100%");
    QTest::mouseRelease(PopupWindow(), Qt::LeftButton, {}, SliderAt(0));
    Key(Qt::Key_Escape);
}

} // namespace
