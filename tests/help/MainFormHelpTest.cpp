// Help in the main window: the commands open the language's help file, F1 asks for the focused
// control's popup, and the "What's this?" entry follows the language.
#include "app/MainFormFixture.h"

#include "editing/ColorPickerButton.h"
#include "help/HelpRequests.h"
#include "help/HelpRouter.h"
#include "help/HelpViewers.h"
#include "help/HtmlHelpViewer.h"
#include "help/WhatsThis.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QWindow>

namespace {

class MainFormHelpTest : public TMainFormFixture
{
public:
    void SetUp() override
    {
        TMainFormFixture::SetUp();
        fs::create_directories(Folder / "Help");
        fs::create_directories(Folder / "languages");
        fs::copy_file(
            fs::path(TINTWRIGHT_HELP_DIR) / "help-en.chm", Folder / "Help" / "help-en.chm");
        WriteBytes(Folder / "languages" / "English.clf", "[Language]\r\nLanguage=English\r\n");
    }
};

TEST_F(MainFormHelpTest, HelpContentsOpensTheLanguagesHelpFile)
{
    TMainForm& form = Start();
    EXPECT_EQ(form.HelpRouter->Helpfile(), Folder / "Help" / "help-en.chm");
    form.ActionHelpContents->trigger();
    const auto* viewers = dynamic_cast<const TProgramHelpViewers*>(&form.HelpRouter->Viewers());
    ASSERT_TRUE(viewers);
    ASSERT_TRUE(viewers->HtmlHelpViewer());
    EXPECT_TRUE(viewers->HtmlHelpViewer()->isVisible());
    EXPECT_EQ(viewers->HtmlHelpViewer()->FileName(), Folder / "Help" / "help-en.chm");
    viewers->HtmlHelpViewer()->close();
}

TEST_F(MainFormHelpTest, AFreshF1AsksForTheFocusedControlsPopupNotForTheContents)
{
    TMainForm& form = Start();
    std::vector<std::pair<THelpCommand, std::uint32_t>> sent;
    form.WhatsThis->SetHelpSender([&sent](THelpCommand command, std::uint32_t data) {
        sent.emplace_back(command, data);
        return true;
    });
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    struct TRow
    {
        QWidget* Focus;
        std::uint32_t Context;
    };
    const TRow rows[] = {{form.ListBox1, 1001}, {form.EditDescription, 1002},
        {form.ColorPickerButton1, 1004}, {form.EditColorValue, 0}};
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Focus->objectName().toStdString());
        sent.clear();
        row.Focus->setFocus();
        QTest::keyClick(form.windowHandle(), Qt::Key_F1);
        ASSERT_FALSE(sent.empty());
        EXPECT_EQ(sent.back(), std::make_pair(THelpCommand(HELP_CONTEXTPOPUP), row.Context));
    }
    const auto* viewers = dynamic_cast<const TProgramHelpViewers*>(&form.HelpRouter->Viewers());
    EXPECT_FALSE(viewers && viewers->HtmlHelpViewer()) << "F1 opened the contents";
}

TEST_F(MainFormHelpTest, TheWhatsThisEntryFollowsTheLanguageAtOnce)
{
    WriteBytes(Folder / "languages" / "Deutsch.clf",
        "[HelpMenu]\r\nItemWhatsThis=Was ist das?\r\n[Application]\r\nHelpFile=help-de.chm\r\n");
    TMainForm& form = Start();
    EXPECT_EQ(form.WhatsThis->PopupCaption(), "What's this?");
    form.ApplyLanguage("Deutsch");
    EXPECT_EQ(form.WhatsThis->PopupCaption(), "Was ist das?");
    ASSERT_FALSE(form.WhatsThis->PopupMenu()->actions().isEmpty());
    EXPECT_EQ(form.WhatsThis->PopupMenu()->actions().first()->text(), "Was ist das?");
    EXPECT_EQ(form.HelpRouter->Helpfile(), Folder / "Help" / "help-de.chm");
}

TEST_F(MainFormHelpTest, TheHelpFileOfALanguageIsAFileInTheHelpFolder)
{
    // A Windows-1252 name with a way out of the folder.
    WriteBytes(
        Folder / "languages" / "Deutsch.clf", "[Application]\r\nHelpFile=../../hilfe-\xFC.chm\r\n");
    TMainForm& form = Start();
    form.ApplyLanguage("Deutsch");
    EXPECT_EQ(form.HelpRouter->Helpfile(), Folder / "Help" / "hilfe-\xC3\xBC.chm");
}

} // namespace
