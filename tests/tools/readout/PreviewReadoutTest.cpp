#include "tools/readout/PreviewReadout.h"

#include "tools/FakeDocument.h"
#include "tools/ToolActions.h"
#include "TemporaryFolder.h"
#include "app/MainFormFixture.h"
#include "common/OwnSettings.h"
#include "tools/ToolPreferences.h"
#include "preview/ItemFlash.h"
#include "preview/PreviewImage.h"
#include "preview/PreviewPainter.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QHelpEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTextDocument>
#include <QTest>
#include <QToolTip>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr std::uint32_t Item(std::uint32_t index)
{
    return ItemReferenceBase + index;
}

constexpr TRGBTriple Rgb(std::uint32_t rrggbb)
{
    return {std::uint8_t(rrggbb), std::uint8_t(rrggbb >> 8), std::uint8_t(rrggbb >> 16)};
}

QRgb ToQRgb(const TRGBTriple& color)
{
    return qRgb(color.rgbtRed, color.rgbtGreen, color.rgbtBlue);
}

// A preview of 4 x 3 pixels in a larger control, beside a list of four items; item 3 is not on
// the preview, item 9 is beyond the list.
class PreviewReadoutTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FWindow = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(FWindow.get());
        FPreview = new TPreviewImage(FWindow.get());
        FPreview->setFixedSize(10, 10);
        FList = new QListWidget(FWindow.get());
        layout->addWidget(FPreview);
        layout->addWidget(FList);
        FList->addItems({"Road", "Road border", "<b>Water</b>", "Park"});

        FDocument = std::make_unique<TFakeDocument>(FList);
        FPanel = new QLabel(FWindow.get());
        FStatus = std::make_unique<TStatusPanel>(*FPanel);
        FMap = TPreviewMap::FromCells(4, 3,
            {Item(0), Item(0), Item(1), 0x00563412, //
                Item(0), Item(2), Item(1), Item(9), //
                Item(0), Item(0), Item(1), Item(1)});
        FColors = {Rgb(0xFABE8C), Rgb(0xC88C5A), Rgb(0xAAD3DF), Rgb(0xC8E6B4)};
        Paint();

        FDocument->Map = FMap;
        FDocument->ItemColors = FColors;
        FReadout = MakeReadout();
        FWindow->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(FWindow.get()));
    }

    void TearDown() override
    {
        QToolTip::hideText();
        FReadout.reset();
        FDocument.reset();
        FWindow.reset();
    }

    // As the window makes a tool: from the context, with an action for its command.
    std::unique_ptr<TPreviewReadout> MakeReadout()
    {
        auto readout = std::make_unique<TPreviewReadout>(TToolContext {
            *FDocument, *FWindow, *FPreview, *FList, *FStatus, FPreferences, RunUnguarded});
        auto* actions = new TToolActions(*FWindow, RunUnguarded, readout.get());
        actions->Add(*readout);
        return readout;
    }

    // What the window's PaintPreview does.
    void Paint()
    {
        QImage& image = FPreview->Image();
        if (image.isNull()) {
            image = QImage(FMap.Width(), FMap.Height(), QImage::Format_RGB888);
            image.fill(Qt::white);
        }
        PaintPreviewPixels(FMap, FColors, image.bits(), image.bytesPerLine());
        FPreview->repaint();
        if (FDocument) {
            FDocument->ItemColors = FColors;
            emit FDocument->PreviewPainted();
        }
    }

    // The preview as it shows on screen, cut to the image.
    QImage Shown() const
    {
        return FPreview->grab()
            .toImage()
            .convertToFormat(QImage::Format_RGB888)
            .copy(FPreview->Image().rect());
    }

    // What the window does when a click on the preview picks an item.
    void Pick(int row)
    {
        const QSignalBlocker blocker(FList);
        FList->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    }

    void SendToolTip(QWidget* widget, QPoint position)
    {
        QHelpEvent event(QEvent::ToolTip, position, widget->mapToGlobal(position));
        QApplication::sendEvent(widget, &event);
    }

    void MoveOverPreview(QPoint position)
    {
        QMouseEvent event(QEvent::MouseMove, position, FPreview->mapToGlobal(position),
            Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(FPreview, &event);
    }

    // Qt hides a tip after a short delay.
    static bool TipGone()
    {
        QToolTip::hideText();
        return QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000);
    }

    bool WaitForFlashEnd() const
    {
        return QTest::qWaitFor([this] { return !FReadout->Flashing(); }, 2000);
    }

    std::unique_ptr<QWidget> FWindow;
    TPreviewImage* FPreview = nullptr;
    QListWidget* FList = nullptr;
    QLabel* FPanel = nullptr;
    std::unique_ptr<TFakeDocument> FDocument;
    std::unique_ptr<TStatusPanel> FStatus;
    TToolPreferences FPreferences;
    TPreviewMap FMap;
    std::vector<TRGBTriple> FColors;
    std::unique_ptr<TPreviewReadout> FReadout;
};

TEST_F(PreviewReadoutTest, PreviewToolTipAtPositions)
{
    struct TRow
    {
        const char* Name;
        QPoint Position;
        QString Text;
    };
    const TRow rows[] = {
        {"item", {0, 0}, "Road - #FABE8C - item 1"},
        {"another item", {2, 2}, "Road border - #C88C5A - item 2"},
        {"description that looks like markup stays text", {1, 1},
            Qt::convertFromPlainText("<b>Water</b> - #AAD3DF - item 3", Qt::WhiteSpaceNoWrap)},
        {"fixed colour", {3, 0}, "#123456 - fixed"},
        {"item the list lacks", {3, 1}, "item 10 - not in this scheme"},
        {"beside the image", {6, 1}, ""},
        {"below the image", {0, 3}, ""},
    };
    for (const TRow& row : rows) {
        EXPECT_EQ(FReadout->PreviewToolTip(row.Position), row.Text) << row.Name;
        SendToolTip(FPreview, row.Position);
        if (row.Text.isEmpty()) {
            EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000)) << row.Name;
        } else {
            EXPECT_TRUE(QToolTip::isVisible()) << row.Name;
            EXPECT_EQ(QToolTip::text(), row.Text) << row.Name;
        }
        ASSERT_TRUE(TipGone());
    }
}

TEST_F(PreviewReadoutTest, PreviewToolTipFollowsThePointer)
{
    // Moves before the tip is up wait for Qt's hover delay.
    MoveOverPreview({0, 0});
    EXPECT_FALSE(QToolTip::isVisible());
    SendToolTip(FPreview, {0, 0});
    ASSERT_TRUE(QToolTip::isVisible());
    MoveOverPreview({3, 0});
    EXPECT_EQ(QToolTip::text(), "#123456 - fixed");
    MoveOverPreview({2, 1});
    EXPECT_EQ(QToolTip::text(), "Road border - #C88C5A - item 2");
    // A colour change shows in the next move's text.
    FColors[1] = Rgb(0x102030);
    Paint();
    MoveOverPreview({2, 0});
    EXPECT_EQ(QToolTip::text(), "Road border - #102030 - item 2");
    MoveOverPreview({8, 8});
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
}

TEST_F(PreviewReadoutTest, ListEntryToolTips)
{
    struct TRow
    {
        const char* Name;
        int Row;
        QString Text;
    };
    const TRow rows[] = {
        {"neighbours hardest to tell apart first", 0,
            "Road - #FABE8C - item 1\nBorders 2 items:\n1.7:1 with Road border (item 2)\n"
            "1.0:1 with <b>Water</b> (item 3)"},
        {"not on the preview", 3, "Park - #C8E6B4 - item 4\nnot on this preview"},
    };
    for (const TRow& row : rows) {
        const QString expected = Qt::mightBeRichText(row.Text)
            ? Qt::convertFromPlainText(row.Text, Qt::WhiteSpaceNoWrap)
            : row.Text;
        EXPECT_EQ(FReadout->EntryToolTip(row.Row), expected) << row.Name;
        SendToolTip(FList->viewport(), FList->visualItemRect(FList->item(row.Row)).center());
        ASSERT_TRUE(QToolTip::isVisible()) << row.Name;
        EXPECT_EQ(QToolTip::text(), expected) << row.Name;
        ASSERT_TRUE(TipGone());
    }
}

// The tip of an entry judges by the shared threshold: one still up when it changes says at once
// what the new threshold makes of the neighbours, and the next one does too.
TEST_F(PreviewReadoutTest, EntryToolTipFollowsTheThreshold)
{
    const QPoint road = FList->visualItemRect(FList->item(0)).center();
    SendToolTip(FList->viewport(), road);
    ASSERT_TRUE(QToolTip::isVisible());
    EXPECT_FALSE(QToolTip::text().contains("hard to tell apart"));

    FPreferences.SetLegibilityThreshold(20.0);
    ASSERT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(),
        "Road - #FABE8C - item 1\nBorders 2 items:\n"
        "1.7:1 with Road border (item 2) - hard to tell apart\n1.0:1 with <b>Water</b> (item 3)");
    ASSERT_TRUE(TipGone());

    FPreferences.SetLegibilityThreshold(40.0);
    SendToolTip(FList->viewport(), road);
    ASSERT_TRUE(QToolTip::isVisible());
    EXPECT_TRUE(QToolTip::text().endsWith("(item 3) - hard to tell apart"));
    // A tip of someone else's is left alone.
    QToolTip::showText(FList->mapToGlobal(road), "another tip", FList);
    FPreferences.SetLegibilityThreshold(5.0);
    EXPECT_EQ(QToolTip::text(), "another tip");
}

TEST_F(PreviewReadoutTest, FlashShowsTheItemAndRestoresThePaintedImage)
{
    const QImage painted = FPreview->Image().copy();
    const TPreviewMap map = FMap;
    const std::vector<TRGBTriple> colors = FColors;

    // Off by default.
    FList->setCurrentRow(0);
    EXPECT_FALSE(FReadout->Flashing());

    FReadout->SetFlashOnSelect(true);
    Pick(1);
    ASSERT_TRUE(FReadout->Flashing());
    const QImage flashed = Shown();
    for (int y = 0; y < FMap.Height(); ++y)
        for (int x = 0; x < FMap.Width(); ++x) {
            const QRgb color = painted.pixel(x, y);
            const QRgb expected
                = FMap.Cell(x, y) == Item(1) ? ToQRgb(FlashColor(Rgb(color & 0xFFFFFF))) : color;
            EXPECT_EQ(flashed.pixel(x, y), expected) << x << "," << y;
        }

    // Three blinks, so that a glance away does not miss it.
    int blinks = 1;
    bool shown = true;
    QElapsedTimer clock;
    clock.start();
    while (FReadout->Flashing() && clock.elapsed() < 3000) {
        QTest::qWait(5);
        const bool now = Shown() == flashed;
        blinks += now && !shown ? 1 : 0;
        shown = now;
    }
    EXPECT_FALSE(FReadout->Flashing());
    EXPECT_EQ(blinks, 3);
    EXPECT_EQ(Shown(), painted);
    // Nothing of the document or the preview's image was written.
    EXPECT_EQ(FPreview->Image(), painted);
    EXPECT_TRUE(FMap == map);
    EXPECT_EQ(FColors, colors);
}

TEST_F(PreviewReadoutTest, RepaintOrNewSelectionEndsAFlash)
{
    FReadout->SetFlashOnSelect(true);
    FList->setCurrentRow(0);
    ASSERT_TRUE(FReadout->Flashing());
    // A colour change paints the image; the flash gives way to it at once, even before the
    // window says so.
    FColors[0] = Rgb(0x000000);
    Paint();
    EXPECT_FALSE(FReadout->Flashing());
    EXPECT_EQ(Shown(), FPreview->Image());

    FList->setCurrentRow(2);
    ASSERT_TRUE(FReadout->Flashing());
    // An item without pixels has nothing to flash, and the running flash ends.
    FList->setCurrentRow(3);
    EXPECT_FALSE(FReadout->Flashing());
    EXPECT_EQ(Shown(), FPreview->Image());

    FList->setCurrentRow(1);
    ASSERT_TRUE(FReadout->Flashing());
    FReadout->SetFlashOnSelect(false);
    EXPECT_FALSE(FReadout->Flashing());
}

TEST_F(PreviewReadoutTest, SwitchPersists)
{
    TTemporaryFolder folder;
    const auto file = folder / "tintwright.ini";
    QAction* action = FWindow->findChild<QAction*>();
    EXPECT_EQ(action->text(), "Show &selected item");
    EXPECT_TRUE(action->isCheckable());
    EXPECT_FALSE(action->isChecked());

    // Turning it on flashes the selected item at once.
    Pick(0);
    action->trigger();
    EXPECT_TRUE(FReadout->Flashing());
    FReadout->WriteSettings(file);
    EXPECT_TRUE(ReadOwnFlag(file, "ShowSelectedItem"));

    const std::unique_ptr<TPreviewReadout> next = MakeReadout();
    next->ReadSettings(file);
    EXPECT_TRUE(next->FlashOnSelect());
}

// On the real window, as it lists the tool: a pick flashes, the history and the document stay as
// they were, and a colour change ends the flash.
using PreviewReadoutWindowTest = TMainFormFixture;

TEST_F(PreviewReadoutWindowTest, PickFlashesWithoutTouchingTheDocument)
{
    TMainForm& form = Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto* readout = form.findChild<TPreviewReadout*>();
    ASSERT_NE(readout, nullptr);
    Action(form, "ActionEditShowSelectedItem")->trigger();
    ASSERT_TRUE(readout->FlashOnSelect());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !readout->Flashing(); }, 2000));
    const QImage painted = Image1(form)->Image().copy();
    const std::vector<TRGBTriple> items = Colors(form.Document());

    EXPECT_EQ(readout->PreviewToolTip({3, 0}), "Park - #28323C - item 4");
    EXPECT_EQ(readout->PreviewToolTip({0, 1}), "item 262 - not in this scheme");
    EXPECT_EQ(readout->PreviewToolTip({2, 1}), "#563412 - fixed");

    QTest::mouseClick(Image1(form), Qt::LeftButton, {}, {4, 1});
    ASSERT_EQ(ListBox1(form)->currentRow(), 5);
    ASSERT_TRUE(readout->Flashing());
    EXPECT_NE(
        Image1(form)->grab().toImage().pixel(4, 1) & 0xFFFFFF, painted.pixel(4, 1) & 0xFFFFFF);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !readout->Flashing(); }, 2000));
    EXPECT_EQ(Image1(form)->Image(), painted);
    EXPECT_EQ(Colors(form.Document()), items);
    EXPECT_TRUE(form.Document().History().UndoStack().IsEmpty());
    EXPECT_FALSE(form.Modified());

    Select(2);
    ASSERT_TRUE(readout->Flashing());
    TypeCode("FF00FF");
    EXPECT_FALSE(readout->Flashing());
    EXPECT_EQ(Image1(form)->grab().toImage().pixel(2, 0) & 0xFFFFFF, 0xFF00FFu);
}

} // namespace
