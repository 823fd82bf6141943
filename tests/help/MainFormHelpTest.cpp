// Help in the main window: the commands open the language's help file, F1 asks for the focused
// control's popup, and the "What's this?" entry follows the language.
#include "app/MainFormFixture.h"

#include "HelpCallPrinter.h"
#include "OtherMenus.h"

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
    EXPECT_EQ(HelpRouter(form)->Helpfile(), Folder / "Help" / "help-en.chm");
    Action(form, "ActionHelpContents")->trigger();
    const auto* viewers = dynamic_cast<const TProgramHelpViewers*>(&HelpRouter(form)->Viewers());
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
    WhatsThis(form)->SetHelpSender([&sent](THelpCommand command, std::uint32_t data) {
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
    const TRow rows[] = {{ListBox1(form), 1001}, {EditDescription(form), 1002},
        {ColorPickerButton1(form), 1004}, {EditColorValue(form), 0}};
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Focus->objectName().toStdString());
        sent.clear();
        row.Focus->setFocus();
        QTest::keyClick(form.windowHandle(), Qt::Key_F1);
        ASSERT_FALSE(sent.empty());
        EXPECT_EQ(sent.back(), std::make_pair(THelpCommand(HELP_CONTEXTPOPUP), row.Context));
    }
    const auto* viewers = dynamic_cast<const TProgramHelpViewers*>(&HelpRouter(form)->Viewers());
    EXPECT_FALSE(viewers && viewers->HtmlHelpViewer()) << "F1 opened the contents";
}

TEST_F(MainFormHelpTest, ARightClickOnAFieldOffersOnlyTheWhatsThisMenu)
{
    TMainForm& form = Start();
    std::vector<THelpCall> sent;
    WhatsThis(form)->SetHelpSender([&sent](THelpCommand command, std::uint32_t data) {
        sent.push_back({command, data});
        return true;
    });
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    const std::pair<QWidget*, std::uint32_t> rows[]
        = {{EditDescription(form), 1002}, {EditColorValue(form), 0}};
    for (const auto& [field, context] : rows) {
        SCOPED_TRACE(field->objectName().toStdString());
        sent.clear();
        const TOtherMenus otherMenus(WhatsThis(form)->PopupMenu());
        const QPoint at = field->mapTo(&form, QPoint(10, 5));
        QTest::mousePress(form.windowHandle(), Qt::RightButton, {}, at);
        QTest::mouseRelease(form.windowHandle(), Qt::RightButton, {}, at);
        QCoreApplication::processEvents();
        EXPECT_EQ(otherMenus.Count, 0) << "Qt's own edit menu opened";
        if (context == 0) {
            EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
            continue;
        }
        QMenu* menu = WhatsThis(form)->PopupMenu();
        ASSERT_EQ(QApplication::activePopupWidget(), menu);
        ASSERT_EQ(menu->actions().size(), 1);
        EXPECT_EQ(menu->actions().at(0)->text(), "What's this?");
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
        QCoreApplication::processEvents();
        ASSERT_FALSE(sent.empty());
        EXPECT_EQ(sent.back(), (THelpCall {HELP_CONTEXTPOPUP, context}));
    }
}

TEST_F(MainFormHelpTest, TheWhatsThisEntryFollowsTheLanguageAtOnce)
{
    WriteBytes(Folder / "languages" / "Deutsch.clf",
        "[HelpMenu]\r\nItemWhatsThis=Was ist das?\r\n[Application]\r\nHelpFile=help-de.chm\r\n");
    TMainForm& form = Start();
    EXPECT_EQ(WhatsThis(form)->PopupCaption(), "What's this?");
    form.ApplyLanguage("Deutsch");
    EXPECT_EQ(WhatsThis(form)->PopupCaption(), "Was ist das?");
    ASSERT_FALSE(WhatsThis(form)->PopupMenu()->actions().isEmpty());
    EXPECT_EQ(WhatsThis(form)->PopupMenu()->actions().first()->text(), "Was ist das?");
    EXPECT_EQ(HelpRouter(form)->Helpfile(), Folder / "Help" / "help-de.chm");
}

TEST_F(MainFormHelpTest, TheHelpFileOfALanguageIsAFileInTheHelpFolder)
{
    // A Windows-1252 name with a way out of the folder.
    WriteBytes(
        Folder / "languages" / "Deutsch.clf", "[Application]\r\nHelpFile=../../hilfe-\xFC.chm\r\n");
    TMainForm& form = Start();
    form.ApplyLanguage("Deutsch");
    EXPECT_EQ(HelpRouter(form)->Helpfile(), Folder / "Help" / "hilfe-\xC3\xBC.chm");
}

} // namespace
