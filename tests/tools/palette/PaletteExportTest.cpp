#include "tools/palette/PaletteExport.h"

#include "app/MainFormFixture.h"
#include "tools/palette/GimpPalette.h"

#include <QAction>
#include <QFileDialog>

#include <gtest/gtest.h>

namespace {

using PaletteExportTest = TMainFormFixture;

// File > "Export as palette..." writes the colours as the document holds them, edits included,
// where the dialog says; it proposes the scheme's name beside the scheme, a name without an
// extension gets ".gpl", and the document stays as it was.
TEST_F(PaletteExportTest, WritesTheDocumentsColoursWhereTheDialogSays)
{
    TMainForm& form = Start();
    OpenModifiedMine();
    QString proposed;
    AnswerNextModal([&](QWidget* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        ASSERT_NE(files, nullptr);
        proposed = files->selectedFiles().value(0);
        files->selectFile(PathOf("night"));
        QMetaObject::invokeMethod(files, "accept", Qt::DirectConnection);
    });
    Action(form, "ActionFileExportPalette")->trigger();
    EXPECT_FALSE(PendingAnswer());
    EXPECT_EQ(proposed, PathOf("mine.gpl"));
    const std::string palette = ReadBytes(Folder / "night.gpl");
    EXPECT_TRUE(palette.starts_with("GIMP Palette\nName: mine\n")) << palette;
    EXPECT_NE(palette.find("\n171 205 239\t2 Outside\n"), std::string::npos) << palette;
    EXPECT_NE(palette.find("\n160 170 180\t8 Position\n"), std::string::npos) << palette;
    EXPECT_TRUE(form.Modified());
    EXPECT_EQ(form.windowTitle().toStdString(), "mine.clr - " + std::string(Title));
}

} // namespace
