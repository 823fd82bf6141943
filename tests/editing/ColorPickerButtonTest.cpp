#include "editing/ColorPickerButton.h"

#include "editing/ColorPopup.h"
#include "editing/Palette.h"
#include "editing/QtColors.h"

#include <QImage>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The main window's picker: 73 x 21, so the arrow part is x 59..72 (x > 73 - 15).
constexpr QPoint PickerPos(208, 20);
constexpr QSize PickerSize(73, 21);

constexpr std::uint32_t TColorOf(std::uint32_t rrggbb)
{
    return (rrggbb >> 16 & 0xFF) | (rrggbb & 0xFF00) | (rrggbb & 0xFF) << 16;
}

class ColorPickerButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Host.setGeometry(200, 150, 320, 200);
        Picker = new TColorPickerButton(&Host);
        Picker->setGeometry(QRect(PickerPos, PickerSize));
        Picker->SetCustomText("Custom colors");
        Host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Host));
    }

    // Mouse input goes through the host's window, so it takes the same route as a user's: the
    // press that opens the popup is followed by a release that the popup sees.
    QWindow* Window() { return Host.windowHandle(); }
    QPoint OnPicker(QPoint p) { return Picker->mapTo(&Host, p); }
    void Press(QPoint p) { QTest::mousePress(Window(), Qt::LeftButton, {}, OnPicker(p)); }
    void Move(QPoint p) { QTest::mouseMove(Window(), OnPicker(p)); }
    void Release(QPoint p) { QTest::mouseRelease(Window(), Qt::LeftButton, {}, OnPicker(p)); }
    void Click(QPoint p) { QTest::mouseClick(Window(), Qt::LeftButton, {}, OnPicker(p)); }

    TColorPopup* Popup() { return Picker->findChild<TColorPopup*>(); }
    bool PopupVisible()
    {
        TColorPopup* popup = Popup();
        return popup != nullptr && popup->isVisible();
    }
    void ClickPopupCell(int cell)
    {
        TColorPopup* popup = Popup();
        const TPopupRect rect = CellRect(popup->Layout(), cell);
        QTest::mouseClick(popup->windowHandle(), Qt::LeftButton, {},
            QPoint(rect.Left + rect.Width() / 2, rect.Top + rect.Height() / 2));
    }
    void PressKey(Qt::Key key) { QTest::keyClick(Popup()->windowHandle(), key); }

    QWidget Host;
    TColorPickerButton* Picker = nullptr;
};

TEST_F(ColorPickerButtonTest, PropertiesStartWithTheirDefaults)
{
    TColorPickerButton fresh;
    EXPECT_EQ(fresh.SelectionColor(), 0u);
    EXPECT_EQ(fresh.DropDownWidth(), 15);
    EXPECT_EQ(fresh.DropDownArrowColor(), 0u);
    EXPECT_EQ(fresh.IndicatorBorder(), TColorPickerButton::ibFlat);
    EXPECT_TRUE(fresh.CustomText().isEmpty());
    EXPECT_TRUE(fresh.DefaultText().isEmpty());
    EXPECT_TRUE(fresh.ColorHintText().isEmpty());
    EXPECT_TRUE(fresh.IntensityHintText().isEmpty());
    EXPECT_FALSE(fresh.ShowSystemColors());
    EXPECT_EQ(fresh.PopupSpacing(), 8);
    EXPECT_FALSE(fresh.DroppedDown());
}

TEST_F(ColorPickerButtonTest, PopupSpacingIsNeverNegative)
{
    const struct
    {
        int Set;
        int Stored;
    } rows[] = {{-1, 0}, {-100, 0}, {0, 0}, {3, 3}, {8, 8}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Set);
        Picker->SetPopupSpacing(row.Set);
        EXPECT_EQ(Picker->PopupSpacing(), row.Stored);
    }
}

TEST_F(ColorPickerButtonTest, ColourPartClickRaisesOnClickOnceAndNeverOnChange)
{
    const struct
    {
        const char* Name;
        QPoint Press;
        std::vector<QPoint> Moves;
        QPoint Release;
        int Clicks;
    } rows[] = {
        {"middle of the colour bar", {20, 10}, {}, {20, 10}, 1},
        {"top-left pixel", {0, 0}, {}, {0, 0}, 1},
        {"last pixel before the arrow part", {58, 10}, {}, {58, 10}, 1},
        {"released over the arrow part", {20, 10}, {{65, 10}}, {65, 10}, 1},
        {"released outside", {20, 10}, {{20, 40}}, {20, 40}, 0},
        {"out and back in", {20, 10}, {{20, 40}, {-10, 10}, {30, 12}}, {30, 12}, 1},
        {"in, out and released outside", {20, 10}, {{30, 12}, {100, 12}}, {100, 12}, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        QSignalSpy clicks(Picker, &TColorPickerButton::OnClick);
        QSignalSpy changes(Picker, &TColorPickerButton::OnChange);
        QSignalSpy dropped(Picker, &TColorPickerButton::OnDropChanged);
        Press(row.Press);
        for (const QPoint& p : row.Moves)
            Move(p);
        EXPECT_EQ(clicks.count(), 0) << "no click before the release";
        Release(row.Release);
        EXPECT_EQ(clicks.count(), row.Clicks);
        EXPECT_EQ(changes.count(), 0);
        EXPECT_EQ(dropped.count(), 0);
        EXPECT_FALSE(Picker->DroppedDown());
        EXPECT_FALSE(PopupVisible());
    }
}

TEST_F(ColorPickerButtonTest, PressedLookFollowsThePointerWhileTheColourPartIsHeld)
{
    const QImage up = Picker->grab().toImage();
    Press({20, 10});
    const QImage down = Picker->grab().toImage();
    EXPECT_NE(down, up);
    Move({20, 60});
    EXPECT_EQ(Picker->grab().toImage(), up) << "outside the button it looks released";
    Move({25, 10});
    EXPECT_EQ(Picker->grab().toImage(), down) << "back inside it looks pressed again";
    Move({20, 60});
    Release({20, 60});
    EXPECT_EQ(Picker->grab().toImage(), up);
}

TEST_F(ColorPickerButtonTest, ArrowPartOpensThePopupAndNeverClicks)
{
    // However the popup then closes, the press on the arrow never becomes a click.
    const struct
    {
        const char* Name;
        QPoint Arrow;
        int CloseBy; // 0 Escape, 1 a palette cell, 2 a press outside, 3 the arrow again
    } rows[] = {
        {"first arrow pixel, closed by Escape", {59, 10}, 0},
        {"middle of the arrow, closed by a choice", {65, 10}, 1},
        {"right edge, closed by a press outside", {72, 20}, 2},
        {"arrow pressed again", {65, 3}, 3},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        QSignalSpy clicks(Picker, &TColorPickerButton::OnClick);
        QSignalSpy dropped(Picker, &TColorPickerButton::OnDropChanged);
        Click(row.Arrow);
        ASSERT_TRUE(Picker->DroppedDown());
        ASSERT_TRUE(PopupVisible()) << "the release after the opening press keeps it open";
        EXPECT_EQ(dropped.count(), 1);
        switch (row.CloseBy) {
        case 0:
            PressKey(Qt::Key_Escape);
            break;
        case 1:
            ClickPopupCell(12);
            break;
        case 2:
            QTest::mouseClick(Window(), Qt::LeftButton, {}, QPoint(5, 150));
            break;
        case 3:
            Click(row.Arrow);
            break;
        }
        EXPECT_FALSE(Picker->DroppedDown());
        EXPECT_FALSE(PopupVisible());
        EXPECT_EQ(dropped.count(), 2);
        EXPECT_EQ(clicks.count(), 0);
    }
}

TEST_F(ColorPickerButtonTest, SelectionColorIsStoredBeforeOnChangeAndOnlyRealChangesSignal)
{
    std::vector<std::uint32_t> seen;
    QObject::connect(Picker, &TColorPickerButton::OnChange, Picker,
        [&] { seen.push_back(Picker->SelectionColor()); });
    const struct
    {
        std::uint32_t Set;
        std::vector<std::uint32_t> Seen;
    } rows[] = {
        {0x000000, {}}, // the default is black
        {0x003399, {0x003399}},
        {0x003399, {0x003399}},
        {0xFF000005, {0x003399, 0xFF000005}},
        {0x000000, {0x003399, 0xFF000005, 0x000000}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.Set));
        Picker->SetSelectionColor(row.Set);
        EXPECT_EQ(Picker->SelectionColor(), row.Set);
        EXPECT_EQ(seen, row.Seen);
    }
}

TEST_F(ColorPickerButtonTest, ColourSetWhileOpenIsMarkedInThePopup)
{
    Click({65, 10});
    ASSERT_TRUE(Picker->DroppedDown());
    const struct
    {
        std::uint32_t Rrggbb;
        int Cell;
    } rows[] = {{0xFF0000, 16}, {0x123456, NoCell}, {0x969696, 23}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.Rrggbb));
        Picker->SetSelectionColor(TColorOf(row.Rrggbb));
        EXPECT_EQ(Popup()->SelectedIndex(), row.Cell);
        EXPECT_TRUE(Picker->DroppedDown());
    }
}

TEST_F(ColorPickerButtonTest, DropChangingCanVetoOpeningAndClosing)
{
    bool allowOpen = true;
    bool allowClose = true;
    std::vector<bool> offered; // the Allowed value each OnDropChanging starts with
    std::vector<bool> stateAtChanged;
    QObject::connect(Picker, &TColorPickerButton::OnDropChanging, Picker, [&](bool& allowed) {
        offered.push_back(allowed);
        allowed = Picker->DroppedDown() ? allowClose : allowOpen;
    });
    QObject::connect(Picker, &TColorPickerButton::OnDropChanged, Picker,
        [&] { stateAtChanged.push_back(Picker->DroppedDown()); });

    // Opening vetoed, by the arrow and by the operation itself.
    allowOpen = false;
    Click({65, 10});
    Picker->SetDroppedDown(true);
    EXPECT_FALSE(Picker->DroppedDown());
    EXPECT_FALSE(PopupVisible());
    EXPECT_EQ(offered, (std::vector<bool> {true, true}));
    EXPECT_TRUE(stateAtChanged.empty());

    allowOpen = true;
    Click({65, 10});
    ASSERT_TRUE(Picker->DroppedDown());
    Picker->SetDroppedDown(true); // no change, so no question
    EXPECT_EQ(offered.size(), 3u);
    EXPECT_EQ(stateAtChanged, (std::vector<bool> {true}));

    // Closing vetoed, every way the popup can close.
    allowClose = false;
    QSignalSpy changes(Picker, &TColorPickerButton::OnChange);
    const struct
    {
        const char* Name;
        int How; // 0 Escape, 1 press outside, 2 SetDroppedDown, 3 a palette cell
    } rows[] = {{"Escape", 0}, {"press outside", 1}, {"SetDroppedDown", 2}, {"a choice", 3}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        switch (row.How) {
        case 0:
            PressKey(Qt::Key_Escape);
            break;
        case 1:
            QTest::mouseClick(Window(), Qt::LeftButton, {}, QPoint(5, 150));
            break;
        case 2:
            Picker->SetDroppedDown(false);
            break;
        case 3:
            ClickPopupCell(16);
            break;
        }
        EXPECT_TRUE(Picker->DroppedDown());
        EXPECT_TRUE(PopupVisible());
        EXPECT_EQ(stateAtChanged, (std::vector<bool> {true}));
    }
    // The choice itself went through before the vetoed close.
    EXPECT_EQ(Picker->SelectionColor(), TColorOf(0xFF0000));
    EXPECT_EQ(changes.count(), 1);

    allowClose = true;
    PressKey(Qt::Key_Escape);
    EXPECT_FALSE(Picker->DroppedDown());
    EXPECT_FALSE(PopupVisible());
    EXPECT_EQ(stateAtChanged, (std::vector<bool> {true, false}));
    for (const bool value : offered)
        EXPECT_TRUE(value);
}

TEST_F(ColorPickerButtonTest, ColourBarAndArrowArePaintedAsDescribed)
{
    // The bar is inset 4 from the left and 3 from top and bottom: x 4.., y 3..17.
    const QColor bar(0x33, 0x66, 0xFF);
    const QColor arrow(0xFF, 0x00, 0x00);
    Picker->SetSelectionColor(TColorOf(0x3366FF));
    Picker->SetDropDownArrowColor(TColorOf(0xFF0000));
    const struct
    {
        const char* Name;
        TColorPickerButton::TIndicatorBorder Border;
        bool Enabled;
        QColor Corner; // (4, 3); invalid: anything but the bar colour
        QColor Inside; // (5, 4)
    } rows[] = {
        {"no border", TColorPickerButton::ibNone, true, bar, bar},
        {"flat border", TColorPickerButton::ibFlat, true, Qt::black, bar},
        {"sunken border", TColorPickerButton::ibSunken, true, {}, bar},
        {"raised border", TColorPickerButton::ibRaised, true, {}, bar},
        {"disabled", TColorPickerButton::ibNone, false, {}, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        Picker->SetIndicatorBorder(row.Border);
        Picker->setEnabled(row.Enabled);
        const QImage image = Picker->grab().toImage();
        const auto check = [&](QPoint p, const QColor& expected) {
            const QColor actual = image.pixelColor(p);
            if (expected.isValid())
                EXPECT_EQ(actual.rgb(), expected.rgb()) << p.x() << "," << p.y();
            else
                EXPECT_NE(actual.rgb(), bar.rgb()) << p.x() << "," << p.y();
        };
        check({4, 3}, row.Corner);
        check({5, 4}, row.Inside);
        check({30, 10}, row.Enabled ? bar : QColor());
        check({3, 10}, {}); // left of the bar
        check({30, 2}, {}); // above it
        check({30, 18}, {}); // below it

        // A 5 x 3 triangle at mid-height in the arrow part: rows of 5, 3 and 1 pixels.
        const QColor arrowColor
            = row.Enabled ? arrow : TColorToQColor(SystemColorBase + 16); // button shadow
        for (int x = 63; x <= 67; ++x)
            EXPECT_EQ(image.pixelColor(x, 9).rgb(), arrowColor.rgb()) << x;
        EXPECT_EQ(image.pixelColor(64, 10).rgb(), arrowColor.rgb());
        EXPECT_EQ(image.pixelColor(66, 10).rgb(), arrowColor.rgb());
        EXPECT_EQ(image.pixelColor(65, 11).rgb(), arrowColor.rgb());
        EXPECT_NE(image.pixelColor(63, 10).rgb(), arrowColor.rgb());
        EXPECT_NE(image.pixelColor(64, 11).rgb(), arrowColor.rgb());
        EXPECT_NE(image.pixelColor(65, 8).rgb(), arrowColor.rgb());
    }
}

TEST_F(ColorPickerButtonTest, DisabledButtonIgnoresPresses)
{
    Picker->setEnabled(false);
    QSignalSpy clicks(Picker, &TColorPickerButton::OnClick);
    Click({20, 10});
    Click({65, 10});
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_FALSE(Picker->DroppedDown());
}

} // namespace
