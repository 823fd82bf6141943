#include "tools/vision/VisionSimulation.h"

#include "app/MainFormFixture.h"
#include "editing/ColorScience.h"
#include "tools/legibility/LegibilityWindow.h"
#include "tools/readout/PreviewReadout.h"

#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using VisionSimulationTest = TMainFormFixture;

struct TVision
{
    const char* Action;
    TVisionDeficiency Vision;
    const char* Status;
};

const TVision Simulations[] = {
    {"ActionToolsVisionProtanopia", TVisionDeficiency::Protanopia, "Simulating protanopia"},
    {"ActionToolsVisionDeuteranopia", TVisionDeficiency::Deuteranopia, "Simulating deuteranopia"},
    {"ActionToolsVisionTritanopia", TVisionDeficiency::Tritanopia, "Simulating tritanopia"},
    {"ActionToolsVisionAchromatopsia", TVisionDeficiency::Achromatopsia,
        "Simulating achromatopsia"},
};

QRgb ToQRgb(const TRGBTriple& color)
{
    return qRgb(color.rgbtRed, color.rgbtGreen, color.rgbtBlue);
}

// Each simulation paints the preview, items and fixed colours alike, as the formula sees them,
// names itself in panel 1, and touches nothing else: the document, its saved state, the
// history, the colour controls and the modified mark stay as they were. Normal vision paints
// the real colours again.
TEST_F(VisionSimulationTest, PaintsOnlyThePreview)
{
    TMainForm& form = Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    Select(3);
    const std::vector<TRGBTriple> items = Colors(form.Document());
    const QImage real = Image1(form)->Image().copy();
    const QString panel0 = StatusPanel0(form)->text();
    EXPECT_TRUE(Action(form, "ActionToolsVisionNormal")->isChecked());
    EXPECT_TRUE(StatusPanel1(form)->text().isEmpty());

    for (const TVision& simulation : Simulations) {
        Action(form, simulation.Action)->trigger();
        EXPECT_TRUE(Action(form, simulation.Action)->isChecked()) << simulation.Action;
        EXPECT_FALSE(Action(form, "ActionToolsVisionNormal")->isChecked()) << simulation.Action;
        EXPECT_EQ(StatusPanel1(form)->text(), simulation.Status);
        EXPECT_EQ(StatusPanel0(form)->text(), panel0) << simulation.Action;
        const QImage& seen = Image1(form)->Image();
        for (int y = 0; y < real.height(); ++y)
            for (int x = 0; x < real.width(); ++x) {
                const QRgb color = real.pixel(x, y);
                const TRGBTriple expected = SimulateVision(simulation.Vision,
                    {std::uint8_t(qBlue(color)), std::uint8_t(qGreen(color)),
                        std::uint8_t(qRed(color))});
                EXPECT_EQ(seen.pixel(x, y), ToQRgb(expected))
                    << simulation.Action << " at " << x << "," << y;
            }
        EXPECT_EQ(Colors(form.Document()), items) << simulation.Action;
        EXPECT_FALSE(form.Document().Saved().Modified()) << simulation.Action;
        EXPECT_TRUE(form.Document().History().UndoStack().IsEmpty()) << simulation.Action;
        EXPECT_FALSE(form.Modified()) << simulation.Action;
        EXPECT_EQ(EditColorValue(form)->text(), "28323C") << simulation.Action;
        EXPECT_EQ(ListBox1(form)->currentRow(), 3) << simulation.Action;
    }

    Action(form, "ActionToolsVisionNormal")->trigger();
    EXPECT_EQ(Image1(form)->Image(), real);
    EXPECT_TRUE(StatusPanel1(form)->text().isEmpty());
    EXPECT_EQ(StatusPanel0(form)->text(), panel0);
}

// An edit, a pick and a save while a simulation is on work on the real colours: the file is
// byte for byte the one written without the simulation.
TEST_F(VisionSimulationTest, EditsAndSavesTheRealColours)
{
    TMainForm& form = Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    Action(form, "ActionToolsVisionDeuteranopia")->trigger();

    QTest::mouseClick(Image1(form), Qt::LeftButton, {}, {4, 1});
    ASSERT_EQ(ListBox1(form)->currentRow(), 5);
    TypeCode("FF0000");
    EXPECT_EQ(ItemRgb(5), 0xFF0000u);
    EXPECT_EQ(EditColorValue(form)->text(), "FF0000");
    EXPECT_EQ(ColorPickerButton1(form)->SelectionColor(), 0x0000FFu);
    EXPECT_EQ(Image1(form)->Image().pixel(4, 1),
        ToQRgb(SimulateVision(TVisionDeficiency::Deuteranopia, {0, 0, 255})));

    // The hover read-out names the real colour and the one painted.
    auto* readout = form.findChild<TPreviewReadout*>();
    ASSERT_NE(readout, nullptr);
    const TRGBTriple seen = SimulateVision(TVisionDeficiency::Deuteranopia, {0, 0, 255});
    const QString code
        = QString::asprintf("#%02X%02X%02X", seen.rgbtRed, seen.rgbtGreen, seen.rgbtBlue);
    EXPECT_EQ(readout->PreviewToolTip({4, 1}), "Main road - #FF0000 - item 6 - seen as " + code);

    form.SaveColorFile(Folder / "seen.clr");
    std::string expected = SmallScheme;
    expected.replace(expected.find("100,110,120"), 11, "255,000,000");
    EXPECT_EQ(ReadBytes(Folder / "seen.clr"), expected);
    EXPECT_FALSE(form.Modified());

    // Undo takes back the real colour, under the simulation too.
    Action(form, "ActionEditUndo")->trigger();
    EXPECT_EQ(ItemRgb(5), 0x646E78u);
    EXPECT_EQ(StatusPanel1(form)->text(), "Simulating deuteranopia");
}

// While a simulation is on, the legibility window judges the simulated colours and says so.
TEST_F(VisionSimulationTest, LegibilityJudgesTheSimulatedColours)
{
    TMainForm& form = Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    Action(form, "ActionToolsCheckLegibility")->trigger();
    auto* window = form.findChild<TLegibilityWindow*>("LegibilityWindow");
    ASSERT_NE(window, nullptr);
    QAbstractItemModel* model = NamedChild<QTableView>(*window, "LegibilityPairs")->model();
    const QString deltaE = model->headerData(3, Qt::Horizontal).toString();

    Action(form, "ActionToolsVisionAchromatopsia")->trigger();
    EXPECT_EQ(model->headerData(3, Qt::Horizontal).toString(), deltaE + "\n(achromatopsia)");
    EXPECT_EQ(model->headerData(4, Qt::Horizontal).toString(), "Contrast\n(achromatopsia)");
    const std::vector<TRGBTriple> items = Colors(form.Document());
    for (const TLegibilityRow& row : window->Rows().Legibility().Rows()) {
        const TRGBTriple first = SimulateVision(TVisionDeficiency::Achromatopsia, items[row.First]);
        const TRGBTriple second
            = SimulateVision(TVisionDeficiency::Achromatopsia, items[row.Second]);
        EXPECT_EQ(row.DeltaE, DeltaE2000(first, second));
    }
    // Two colours of one lightness are one grey: the pair is flagged only while simulating.
    Select(4);
    TypeCode("8C6464");
    EXPECT_EQ(window->windowTitle(), "Legibility: 1 pair hard to tell apart");
    Action(form, "ActionToolsVisionNormal")->trigger();
    EXPECT_EQ(model->headerData(3, Qt::Horizontal).toString(), deltaE);
    EXPECT_EQ(window->windowTitle(), "Legibility: 0 pairs hard to tell apart");
}

// On a language switch the open legibility window, its headings and the status text speak the
// new language, in the shipped German.
TEST_F(VisionSimulationTest, FollowsALanguageSwitch)
{
    fs::create_directories(Folder / "languages");
    fs::copy_file(
        fs::path(TINTWRIGHT_DATA_DIR) / "languages/Deutsch.clf", Folder / "languages/Deutsch.clf");
    TMainForm& form = Start();
    Action(form, "ActionToolsCheckLegibility")->trigger();
    Action(form, "ActionToolsVisionProtanopia")->trigger();
    auto* window = form.findChild<TLegibilityWindow*>("LegibilityWindow");
    ASSERT_NE(window, nullptr);

    form.ApplyLanguage("Deutsch");
    EXPECT_EQ(window->windowTitle(), "Lesbarkeit: 0 Paare schwer zu unterscheiden");
    QAbstractItemModel* model = NamedChild<QTableView>(*window, "LegibilityPairs")->model();
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "Eintrag");
    EXPECT_EQ(model->headerData(4, Qt::Horizontal).toString(), "Kontrast\n(Protanopie)");
    EXPECT_EQ(NamedChild<QLabel>(*window, "LegibilityThresholdLabel")->text(),
        QString::fromUtf8("Schwer zu &unterscheiden unter \u0394E2000:"));
    EXPECT_EQ(StatusPanel1(form)->text(), "Simulation: Protanopie");
    EXPECT_EQ(Action(form, "ActionToolsVisionProtanopia")->text(), "&Protanopie");
    EXPECT_EQ(Action(form, "ActionToolsSimulateVision")->text(), "Farbseh&en simulieren");
    EXPECT_EQ(Action(form, "ActionToolsCheckLegibility")->text(),
        QString::fromUtf8("&Lesbarkeit pr\u00fcfen..."));
}

} // namespace
