#pragma once

// A program folder with a small scheme and preview of its own, and the main window started on it.

#include "app/MainForm.h"
#include "app/WindowControls.h"

#include "TemporaryFolder.h"
#include "UiTestHelpers.h"
#include "i18n/OwnTexts.h"
#include "i18n/TranslatedTexts.h"
#include "preview/PreviewFile.h"
#include "preview/PreviewImage.h"

#include <QLineEdit>
#include <QListWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace fs = std::filesystem;

inline const char* const Title = "Tintwright for TomTom Navigator";
inline const char* const FirstStartSettings
    = "[Language]\r\nDefaultLanguage=English\r\n[Preview]\r\nDefaultPreview=Preview.cpf\r\n";

// Eight items; item 0 is black so typed codes build up from nothing.
inline const char* const SmallScheme = "000,000,000 // Background\r\n"
                                       "255,255,255 // Outside\r\n"
                                       "010,020,030 // Water\r\n"
                                       "040,050,060 // Park\r\n"
                                       "070,080,090 // Motorway\r\n"
                                       "100,110,120 // Main road\r\n"
                                       "130,140,150 // Route\r\n"
                                       "160,170,180 // Position\r\n";

// Row 0: items 0..7. Row 1 probes the rules of painting and picking:
// x 0: item 261 (paints item 5 by its low byte), x 1: item 400 (low byte 144),
// x 2: a fixed colour, x 3..7: item 5.
constexpr std::uint32_t FixedCell = 0x00123456;

inline TPreviewMap SmallMap()
{
    TPreviewMap map(8, 2);
    for (int x = 0; x < 8; ++x) {
        map.SetCell(x, 0, ItemReferenceBase + std::uint32_t(x));
        map.SetCell(x, 1, ItemReferenceBase + 5);
    }
    map.SetCell(0, 1, ItemReferenceBase + 261);
    map.SetCell(1, 1, ItemReferenceBase + 400);
    map.SetCell(2, 1, FixedCell);
    return map;
}

inline std::string SchemeOf(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += std::to_string(i % 256) + ",1,2 // Item " + std::to_string(i) + "\r\n";
    return text;
}

inline unsigned Rgb(const TRGBTriple& color)
{
    return unsigned(color.rgbtRed) << 16 | unsigned(color.rgbtGreen) << 8 | color.rgbtBlue;
}

class TMainFormFixture : public ::testing::Test
{
public:
    void SetUp() override
    {
        fs::create_directories(Folder / "schemes");
        fs::create_directories(Folder / "previews");
        WriteBytes(Folder / "schemes" / "default.clr", SmallScheme);
        SavePreviewFile(Folder / "previews" / "Preview.cpf", SmallMap());
    }

    void TearDown() override
    {
        EXPECT_FALSE(PendingAnswer()) << "a dialog the test expected never opened";
        CancelPendingAnswers();
        Form.reset();
        // The kept texts live for the whole program; a test's language must not reach the next.
        for (std::size_t i = 0; i < TranslatedTexts().size(); ++i)
            TranslatedTexts()[i] = BuiltInTranslatedTexts[i];
        ResetOwnTexts();
    }

    TMainForm& Start()
    {
        // One window at a time, as in the program (it owns the program's one help router).
        Form.reset();
        Form = std::make_unique<TMainForm>(Folder.Path().string() + "/", SettingsFile());
        Form->show();
        return *Form;
    }

    fs::path SettingsFile() const { return Folder / "tintwright.ini"; }
    QString PathOf(std::string_view name) const
    {
        return QString::fromStdString((Folder / name).string());
    }

    void Select(int row) { ListBox1(*Form)->setCurrentRow(row); }
    void TypeCode(const QString& code) { EditColorValue(*Form)->setText(code); }
    unsigned ItemRgb(int index) const { return Rgb(Form->Document().Colors()[std::size_t(index)]); }
    QRgb Pixel(int x, int y) const { return Image1(*Form)->Image().pixel(x, y) & 0xFFFFFF; }

    // Makes the open document a named, modified file: mine.clr with item 1 recoloured.
    void OpenModifiedMine()
    {
        WriteBytes(Folder / "mine.clr", SmallScheme);
        Form->LoadColorFile((Folder / "mine.clr").string());
        Select(1);
        TypeCode("ABCDEF");
        ASSERT_TRUE(Form->Modified());
    }

    TTemporaryFolder Folder;
    std::unique_ptr<TMainForm> Form;
};
