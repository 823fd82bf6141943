// Help in the main window: the commands open the language's help file, F1 asks for the focused
// control's popup, and the "What's this?" entry follows the language.
#include "app/MainFormFixture.h"

#include "HelpCallPrinter.h"
#include "MessageBoxes.h"
#include "OtherMenus.h"

#include "editing/ColorPickerButton.h"
#include "help/ChmArchive.h"
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

#include <functional>

#include <sys/stat.h>
#include <unistd.h>

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

// A help file that is no regular file or too large: each request says so once, with the reason,
// in the language's words.
TEST_F(MainFormHelpTest, AHelpFileThatCannotBeReadSaysWhyOncePerRequest)
{
    const auto makeFifo = [](const fs::path& file) { ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0); };
    const struct
    {
        const char* Name;
        std::function<void(const fs::path&)> Make;
        const char* Reason;
    } kinds[] = {
        {"folder", [](const fs::path& file) { fs::create_directory(file); },
            "It is not a regular file."},
        {"fifo", makeFifo, "It is not a regular file."},
        {"too large",
            [](const fs::path& file) {
                WriteBytes(file, "");
                ASSERT_EQ(::truncate(file.c_str(), off_t(TChmArchive::MaxFileSize + 1)), 0);
            },
            "It is larger than 64 MiB."},
    };
    TMainForm& form = Start();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    const std::pair<const char*, std::function<void()>> requests[] = {
        {"Help contents", [&] { Action(form, "ActionHelpContents")->trigger(); }},
        {"Index", [&] { Action(form, "ActionHelpIndex")->trigger(); }},
        {"F1",
            [&] {
                form.activateWindow();
                ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
                ListBox1(form)->setFocus();
                QTest::keyClick(form.windowHandle(), Qt::Key_F1);
            }},
    };
    const fs::path file = Folder / "Help" / "help-en.chm";
    for (const auto& kind : kinds) {
        fs::remove_all(file);
        kind.Make(file);
        for (const auto& [name, request] : requests) {
            SCOPED_TRACE(std::string(kind.Name) + ", " + name);
            const TMessageBoxes boxes;
            request();
            QCoreApplication::processEvents();
            EXPECT_EQ(boxes.Texts.join('|').toStdString(),
                "The help file help-en.chm cannot be opened. " + std::string(kind.Reason));
            EXPECT_EQ(boxes.InformativeTexts.join('|').toStdString(), file.string());
        }
    }

    fs::copy_file(fs::path(TINTWRIGHT_HELP_DIR).parent_path() / "languages" / "Deutsch.clf",
        Folder / "languages" / "Deutsch.clf");
    form.ApplyLanguage("Deutsch");
    makeFifo(Folder / "Help" / "help-de.chm");
    const TMessageBoxes boxes;
    Action(form, "ActionHelpContents")->trigger();
    EXPECT_EQ(boxes.Texts.join('|').toStdString(),
        "Die Hilfedatei help-de.chm kann nicht ge\u00f6ffnet werden. Sie ist keine "
        "regul\u00e4re Datei.");
}

} // namespace
