#include "tools/import/ColorImport.h"

#include "tools/FakeDocument.h"
#include "tools/HistoryRowText.h"
#include "tools/ToolActions.h"
#include "TemporaryFolder.h"
#include "UiTestHelpers.h"
#include "app/MainFormFixture.h"
#include "preview/PreviewFile.h"
#include "preview/PreviewImage.h"
#include "tools/import/ColorImportTexts.h"
#include "tools/import/ColorImportWindow.h"
#include "tools/ToolPreferences.h"

#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <zlib.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

constexpr TRGBTriple Hex(std::uint32_t rrggbb)
{
    return {std::uint8_t(rrggbb), std::uint8_t(rrggbb >> 8), std::uint8_t(rrggbb >> 16)};
}

// Items 0 (the background), 1 and 2 are areas, 3 a line with no interior; 4 is not on the map.
TPreviewMap AreaMap()
{
    const char* const rows[] = {
        "000000000000",
        "011110000000",
        "011110022200",
        "011110022200",
        "011110022200",
        "000000000000",
        "033333333300",
        "000000000000",
        "000000000000",
        "000000000000",
        "000000000000",
    };
    TPreviewMap map(12, 11);
    for (int y = 0; y < map.Height(); ++y)
        for (int x = 0; x < map.Width(); ++x)
            map.SetCell(x, y, ItemReferenceBase + std::uint32_t(rows[y][x] - '0'));
    return map;
}

const std::vector<TRGBTriple> DayColors
    = {Hex(0xF0EEE8), Hex(0xAAD3DF), Hex(0xC8E6B4), Hex(0xFFFFFF), Hex(0xE06040)};
const std::vector<TRGBTriple> NightColors
    = {Hex(0x202428), Hex(0x1A3040), Hex(0x203820), Hex(0x8090A0), Hex(0x402020)};

// The map painted in the colours, as a screenshot `scale` times its size.
QImage Screenshot(const TPreviewMap& map, const std::vector<TRGBTriple>& colors, int scale = 1)
{
    QImage image(map.Width() * scale, map.Height() * scale, QImage::Format_RGB888);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const TRGBTriple& c = colors[map.Cell(x / scale, y / scale) - ItemReferenceBase];
            image.setPixel(x, y, qRgb(c.rgbtRed, c.rgbtGreen, c.rgbtBlue));
        }
    return image;
}

struct TRowSeen
{
    std::string Number;
    bool Checkable;
    bool Checked;
    std::string Note;
    bool operator==(const TRowSeen&) const = default;
};

std::vector<TRowSeen> RowsOf(const TColorImportWindow& window)
{
    const auto* list = window.findChild<QTreeWidget*>("ImportList");
    std::vector<TRowSeen> rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* entry = list->topLevelItem(i);
        rows.push_back(
            {entry->text(0).toStdString(), bool(entry->flags() & Qt::ItemIsUserCheckable),
                entry->checkState(0) == Qt::Checked, entry->text(6).toStdString()});
    }
    return rows;
}

QString LabelText(const QWidget& window, const char* name)
{
    return window.findChild<QLabel*>(name)->text();
}

class ColorImportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FWindow = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(FWindow.get());
        FPreview = new TPreviewImage(FWindow.get());
        FList = new QListWidget(FWindow.get());
        FPanel = new QLabel(FWindow.get());
        layout->addWidget(FPreview);
        layout->addWidget(FList);
        layout->addWidget(FPanel);
        FStatus = std::make_unique<TStatusPanel>(*FPanel);
        FDocument.Map = AreaMap();
        FDocument.Load(DayColors, {"Background", "Water", "Park", "Road", "Airport"});
        FTool = std::make_unique<TColorImport>(TToolContext {
            FDocument, *FWindow, *FPreview, *FList, *FStatus, FPreferences, RunUnguarded});
        FActions = new TToolActions(*FWindow, RunUnguarded, FTool.get());
        FActions->Add(*FTool);
    }

    void TearDown() override
    {
        EXPECT_FALSE(PendingAnswer()) << "a dialog the test expected never opened";
        CancelPendingAnswers();
        FTool.reset();
        FWindow.reset();
        ResetOwnTexts();
    }

    // Saves the picture and imports it.
    TColorImportWindow* Import(const QImage& image, const char* name)
    {
        const fs::path file = FFolder / name;
        EXPECT_TRUE(image.save(QString::fromStdString(file.string())));
        FTool->ImportFile(file);
        return FTool->Window();
    }

    TTemporaryFolder FFolder;
    std::unique_ptr<QWidget> FWindow;
    TPreviewImage* FPreview = nullptr;
    QListWidget* FList = nullptr;
    QLabel* FPanel = nullptr;
    std::unique_ptr<TStatusPanel> FStatus;
    TToolPreferences FPreferences;
    TFakeDocument FDocument;
    std::unique_ptr<TColorImport> FTool;
    TToolActions* FActions = nullptr;
};

TEST_F(ColorImportTest, ListsTheChangesAndAppliesTheCheckedOnesAsOneStep)
{
    TColorImportWindow* window = Import(Screenshot(FDocument.Map, NightColors, 2), "night.png");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Import colors");
    EXPECT_EQ(LabelText(*window, "ImportSource"),
        "Picture: night.png (24 x 22 pixels, 2 times the preview's size)");
    EXPECT_FALSE(window->findChild<QLabel*>("ImportJpegNote")->isVisibleTo(window));
    // The road has no interior, so it is read from its blurred edges and waits for the user.
    EXPECT_EQ(RowsOf(*window),
        (std::vector<TRowSeen> {{"1", true, true, ""}, {"2", true, true, ""}, {"3", true, true, ""},
            {"4", true, false, "thin: read from its edges"},
            {"5", false, false, "not on this preview"}}));
    EXPECT_EQ(FDocument.ItemColors, DayColors);

    EXPECT_EQ(window->Apply(), 3u);
    EXPECT_EQ(FDocument.ItemColors,
        (std::vector<TRGBTriple> {
            NightColors[0], NightColors[1], NightColors[2], DayColors[3], DayColors[4]}));
    ASSERT_EQ(FDocument.History().UndoSteps().size(), 1u);
    EXPECT_EQ(LastStepText(FDocument), "Import colors from night.png: 3 items");
    EXPECT_EQ(FStatus->Text(), "Colors of 3 items imported");
    // What is left: the unchecked road.
    EXPECT_EQ(RowsOf(*window),
        (std::vector<TRowSeen> {{"4", true, false, "thin: read from its edges"},
            {"5", false, false, "not on this preview"}}));
    EXPECT_FALSE(window->findChild<QPushButton*>("ImportApply")->isEnabled());

    FDocument.MoveInHistory(-1);
    EXPECT_EQ(FDocument.ItemColors, DayColors);
    EXPECT_EQ(RowsOf(*window).size(), 5u);
}

TEST_F(ColorImportTest, FollowsTheDocumentAndKeepsTheUsersChoices)
{
    TColorImportWindow* window = Import(Screenshot(FDocument.Map, NightColors), "night.bmp");
    ASSERT_NE(window, nullptr);
    auto* list = window->findChild<QTreeWidget*>("ImportList");
    list->topLevelItem(1)->setCheckState(0, Qt::Unchecked); // item 2, by the user
    list->topLevelItem(3)->setCheckState(0, Qt::Checked); // the road, by the user

    // Item 1 edited to its colour in the picture: no longer a change; the choices stay.
    FDocument.ItemColors[0] = NightColors[0];
    FDocument.Changed({0});
    EXPECT_EQ(RowsOf(*window),
        (std::vector<TRowSeen> {{"2", true, false, ""}, {"3", true, true, ""},
            {"4", true, true, "thin: read from its edges"},
            {"5", false, false, "not on this preview"}}));
    EXPECT_EQ(window->CheckedItems(), (std::vector<std::size_t> {2, 3}));

    // A new document starts the choices over.
    FDocument.Load(DayColors, {"Background", "Water", "Park", "Road", "Airport"});
    EXPECT_EQ(window->CheckedItems(), (std::vector<std::size_t> {0, 1, 2}));

    // A preview of another size: nothing can be read, and the window says why.
    FDocument.Map = TPreviewMap(10, 10);
    emit FDocument.PreviewLoaded();
    EXPECT_TRUE(RowsOf(*window).empty());
    EXPECT_EQ(LabelText(*window, "ImportSummary"),
        "The picture is 12 x 11 pixels, but the preview is 10 x 10 pixels. Use a screenshot of "
        "the preview's screen at the preview's size or a whole multiple of it.");
    EXPECT_FALSE(window->findChild<QPushButton*>("ImportApply")->isEnabled());
    FDocument.Map = AreaMap();
    emit FDocument.PreviewLoaded();
    EXPECT_EQ(RowsOf(*window).size(), 5u);

    SetOwnText(ImportTexts::WindowTitle, "Farben importieren");
    SetOwnText(ImportTexts::NotOnPreview, "nicht in dieser Vorschau");
    emit FDocument.LanguageApplied();
    EXPECT_EQ(window->windowTitle(), "Farben importieren");
    EXPECT_EQ(RowsOf(*window).back().Note, "nicht in dieser Vorschau");

    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(FDocument.ItemColors, DayColors);

    // Closed, it catches up on what happened meanwhile when it shows again.
    FDocument.ItemColors[1] = NightColors[1];
    FDocument.Changed({1});
    window->show();
    EXPECT_EQ(RowsOf(*window).front().Number, "1");
    EXPECT_EQ(RowsOf(*window).size(), 4u);
    window->hide();
    FDocument.Map = TPreviewMap(10, 10);
    emit FDocument.PreviewLoaded();
    window->show();
    EXPECT_TRUE(RowsOf(*window).empty());
}

TEST_F(ColorImportTest, RefusesAPictureOfAnotherSizeNamingBoth)
{
    const auto seen = CaptureMessageBox(QMessageBox::Ok);
    EXPECT_EQ(
        Import(Screenshot(FDocument.Map, NightColors).copy(0, 0, 24, 11), "wide.png"), nullptr);
    ASSERT_TRUE(seen->Seen);
    EXPECT_EQ(seen->Text,
        "The picture is 24 x 11 pixels, but the preview is 12 x 11 pixels. Use a screenshot of "
        "the preview's screen at the preview's size or a whole multiple of it.");

    const auto refused = CaptureMessageBox(QMessageBox::Ok);
    FTool->ImportFile(FFolder / "missing.png");
    ASSERT_TRUE(refused->Seen);
    EXPECT_EQ(refused->Text,
        QString::fromStdString(
            "Cannot open " + (FFolder / "missing.png").string() + ". No such file or directory"));
    EXPECT_EQ(FTool->Window(), nullptr);
}

// A picture's name is shown as it is, percent signs and all; a long description leaves the
// colours in view and shows whole in its tooltip.
TEST_F(ColorImportTest, OddFileNamesAndLongDescriptions)
{
    const std::string longDescription(400, 'W');
    FDocument.Load(DayColors, {"Background", longDescription, "Park", "Road", "Airport"});
    TColorImportWindow* window
        = Import(Screenshot(FDocument.Map, NightColors, 2), "night%2Cday%1.png");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(LabelText(*window, "ImportSource"),
        "Picture: night%2Cday%1.png (24 x 22 pixels, 2 times the preview's size)");
    Import(Screenshot(FDocument.Map, NightColors), "night%2Cday%1.png");
    EXPECT_EQ(LabelText(*window, "ImportSource"), "Picture: night%2Cday%1.png (12 x 11 pixels)");

    auto* list = window->findChild<QTreeWidget*>("ImportList");
    const int readColumn = 3;
    EXPECT_LE(list->header()->sectionViewportPosition(readColumn)
            + list->header()->sectionSize(readColumn),
        list->viewport()->width());
    EXPECT_EQ(list->topLevelItem(1)->toolTip(1), QString::fromStdString(longDescription));

    EXPECT_EQ(window->Apply(), 3u);
    EXPECT_EQ(LastStepText(FDocument), "Import colors from night%2Cday%1.png: 3 items");

    // A PNG whose header claims more pixels than may be imported.
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QImage(1, 1, QImage::Format_RGB32).save(&buffer, "png");
    }
    for (const auto& [offset, value] : {std::pair(16, 6000u), std::pair(20, 6000u)}) {
        for (int i = 0; i < 4; ++i)
            png[offset + i] = char(value >> (24 - 8 * i));
    }
    const auto crc
        = std::uint32_t(crc32(0, reinterpret_cast<const Bytef*>(png.constData() + 12), 17));
    for (int i = 0; i < 4; ++i)
        png[29 + i] = char(crc >> (24 - 8 * i));
    const fs::path big = FFolder / "big%2Cone.png";
    WriteBytes(big, png.toStdString());
    const auto refused = CaptureMessageBox(QMessageBox::Ok);
    FTool->ImportFile(big);
    ASSERT_TRUE(refused->Seen);
    EXPECT_EQ(refused->Text,
        QString::fromStdString(big.string() + " is too large to import (6000 x 6000 pixels)."));
}

TEST_F(ColorImportTest, JpegPicturesCarryANote)
{
    TColorImportWindow* window = Import(Screenshot(FDocument.Map, NightColors, 3), "night.jpg");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->findChild<QLabel*>("ImportJpegNote")->isVisibleTo(window));
    // A second picture replaces the first in the same window.
    EXPECT_EQ(Import(Screenshot(FDocument.Map, NightColors), "night.png"), window);
    EXPECT_FALSE(window->findChild<QLabel*>("ImportJpegNote")->isVisibleTo(window));
}

TEST_F(ColorImportTest, ClipboardCommandWhileTheClipboardHoldsAPicture)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    QAction* command = FActions->Action("ActionToolsImportColorsClipboard");
    clipboard->setText("255,255,255");
    FActions->Update();
    EXPECT_FALSE(command->isEnabled());
    clipboard->setImage(Screenshot(FDocument.Map, NightColors));
    FActions->Update();
    EXPECT_TRUE(command->isEnabled());

    command->trigger();
    ASSERT_NE(FTool->Window(), nullptr);
    EXPECT_EQ(LabelText(*FTool->Window(), "ImportSource"), "Picture: clipboard (12 x 11 pixels)");
    EXPECT_EQ(FTool->Window()->Apply(), 3u);
    EXPECT_EQ(LastStepText(FDocument), "Import colors from the clipboard: 3 items");
    clipboard->clear();
    FActions->Update();
    EXPECT_FALSE(command->isEnabled());
}

// On the real window: the two commands stand after the Tools menu's own entries, and an import
// is one step that one Undo takes back.
using ColorImportWindowTest = TMainFormFixture;

TEST_F(ColorImportWindowTest, CommandsInTheToolsMenuAndOneUndoStep)
{
    SavePreviewFile(Folder / "areas.cpf", AreaMap());
    TMainForm& form = Start();
    form.OpenPreviewFile(Folder / "areas.cpf");
    const QList<QAction*> entries = Menu(form, 2)->actions();
    const auto screenshot = entries.indexOf(Action(form, "ActionToolsImportColors"));
    ASSERT_GT(screenshot, 0);
    EXPECT_TRUE(entries[screenshot - 1]->isSeparator());
    EXPECT_EQ(entries.value(screenshot + 1), Action(form, "ActionToolsImportColorsClipboard"));
    EXPECT_EQ(entries[screenshot]->text(), "&Import colors from screenshot...");
    EXPECT_EQ(entries[screenshot + 1]->text(), "Import colors from clip&board");

    const std::vector<TRGBTriple> before = Colors(form.Document());
    std::vector<TRGBTriple> night(before.size(), Hex(0x102030));
    for (std::size_t i = 0; i < night.size(); ++i)
        night[i].rgbtRed = std::uint8_t(16 * i);
    ASSERT_TRUE(Screenshot(AreaMap(), night).save(PathOf("shot.png")));
    auto* tool = form.findChild<TColorImport*>();
    ASSERT_NE(tool, nullptr);
    tool->ImportFile(Folder / "shot.png");
    ASSERT_NE(tool->Window(), nullptr);
    EXPECT_EQ(tool->Window()->Apply(), 3u);
    EXPECT_EQ(ItemRgb(1), 0x102030u);
    EXPECT_TRUE(form.Modified());

    Action(form, "ActionEditUndo")->trigger();
    EXPECT_EQ(Colors(form.Document()), before);
    EXPECT_EQ(ItemRgb(1), Rgb(before[1]));
}

} // namespace
