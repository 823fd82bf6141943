// The help viewers on the help files the program ships.
#include "help/HelpBrowser.h"
#include "help/HelpPage.h"
#include "help/HelpRouter.h"
#include "help/HelpViewers.h"
#include "help/HtmlHelpViewer.h"

#include "ChmBuilder.h"
#include "MessageBoxes.h"
#include "TemporaryFolder.h"

#include <QAction>
#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

const std::filesystem::path HelpFolder(TINTWRIGHT_HELP_DIR);

class HtmlHelpViewerTest : public testing::Test
{
protected:
    QString Shown() const { return Viewer.Browser->source().path(); }

    THtmlHelpViewer Viewer;
};

TEST_F(HtmlHelpViewerTest, ShowsContentsAndFollowsLinks)
{
    ASSERT_TRUE(Viewer.OpenContents(HelpFolder / "help-en.chm"));
    EXPECT_TRUE(Viewer.isVisible());
    EXPECT_EQ(Viewer.windowTitle(), "Tintwright Help");
    EXPECT_EQ(Shown(), "/index.htm");
    EXPECT_EQ(Viewer.Browser->documentTitle(), "Welcome to Tintwright");
    EXPECT_TRUE(Viewer.Browser->loadResource(QTextDocument::StyleSheetResource, QUrl("help.css"))
                    .toString()
                    .contains("font-family"));

    QTreeWidget* tree = Viewer.ContentsTree;
    ASSERT_GE(tree->topLevelItemCount(), 2);
    QTreeWidgetItem* mainWindow = tree->topLevelItem(1);
    EXPECT_EQ(mainWindow->text(0), "The main window");
    ASSERT_GE(mainWindow->childCount(), 1);
    EXPECT_EQ(mainWindow->child(0)->text(0), "Choosing an item");

    // The first link of the welcome page, from the keyboard; the contents follow the page.
    Viewer.Browser->setFocus();
    QTest::keyClick(Viewer.Browser, Qt::Key_Tab);
    QTest::keyClick(Viewer.Browser, Qt::Key_Return);
    EXPECT_EQ(Shown(), "/item-list.htm");
    EXPECT_EQ(tree->currentItem(), mainWindow->child(0));
    Viewer.BackAction->trigger();
    EXPECT_EQ(Shown(), "/index.htm");
    // A click on an entry shows its page.
    tree->expandAll();
    QTest::mouseClick(
        tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(mainWindow->child(1)).center());
    EXPECT_EQ(Shown(), "/colour-picker.htm");
    // So does an entry reached by the arrow keys, and Back goes to the page before.
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_Down);
    EXPECT_EQ(Shown(), "/colour-code.htm");
    EXPECT_EQ(tree->currentItem(), mainWindow->child(2));
    Viewer.BackAction->trigger();
    EXPECT_EQ(Shown(), "/colour-picker.htm");
    EXPECT_EQ(tree->currentItem(), mainWindow->child(1));
    // A heading has no page of its own: the page stays.
    QTest::mouseClick(
        tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(mainWindow).center());
    EXPECT_EQ(Shown(), "/colour-picker.htm");
}

TEST_F(HtmlHelpViewerTest, IndexFindsWhatIsTyped)
{
    ASSERT_TRUE(Viewer.OpenIndex(HelpFolder / "help-en.chm", "colour p"));
    EXPECT_EQ(Viewer.Tabs->currentIndex(), 1);
    EXPECT_GE(Viewer.IndexList->count(), 20);
    EXPECT_EQ(Viewer.IndexList->currentItem()->text(), "colour picker");
    const std::pair<const char*, const char*> typed[]
        = {{"DRAG", "drag and drop"}, {"c", "changed items"}, {"what's", "What's this?"},
            {"zz", "What's this?"}, {"desc", "description"}};
    for (const auto& [text, selected] : typed) {
        Viewer.KeywordEdit->clear();
        QTest::keyClicks(Viewer.KeywordEdit, text);
        EXPECT_EQ(Viewer.IndexList->currentItem()->text(), selected) << text;
    }
    QTest::keyClick(Viewer.KeywordEdit, Qt::Key_Return);
    EXPECT_EQ(Shown(), "/description.htm");
}

TEST_F(HtmlHelpViewerTest, OpensTopicsByContextAndNothingElse)
{
    ASSERT_TRUE(Viewer.OpenTopic(HelpFolder / "help-de.chm", 1001));
    EXPECT_EQ(Shown(), "/item-list.htm");
    ASSERT_TRUE(Viewer.OpenTopic(HelpFolder / "help-en.chm", 1006));
    EXPECT_EQ(Shown(), "/preview.htm");
    EXPECT_FALSE(Viewer.OpenTopic(HelpFolder / "help-en.chm", 1003));
    EXPECT_EQ(Shown(), "/preview.htm");
    Viewer.CloseAll();
    EXPECT_FALSE(Viewer.isVisible());
    // The contents of another file open on its own first page, with no way back.
    ASSERT_TRUE(Viewer.OpenContents(HelpFolder / "help-de.chm"));
    EXPECT_EQ(Viewer.windowTitle(), "Tintwright-Hilfe");
    EXPECT_EQ(Viewer.Browser->documentTitle(), "Willkommen bei Tintwright");
    EXPECT_FALSE(Viewer.BackAction->isEnabled());

    // A missing file is passed over in silence, a folder is refused with a word.
    THtmlHelpViewer fresh;
    for (const auto& missing : {HelpFolder / "help-xx.chm", HelpFolder}) {
        const TMessageBoxes boxes;
        EXPECT_FALSE(fresh.OpenContents(missing));
        EXPECT_FALSE(fresh.OpenIndex(missing, "colour"));
        EXPECT_FALSE(fresh.OpenTopic(missing, 1001));
        EXPECT_EQ(boxes.Texts.size(), missing == HelpFolder ? 3 : 0);
    }
    EXPECT_FALSE(fresh.isVisible());
}

TEST(HtmlHelpViewer, MatchesContentsOfAHundredThousandLinksAtOnce)
{
    // Every link names a page behind 95 slashes that the file holds at its top, or not at all,
    // so each is looked for under all its endings among the file's 5000 pages.
    std::vector<TChmBuilderEntry> entries = {{"/", 0, ""}};
    for (int i = 0; i < 5000; ++i)
        entries.push_back({"/p" + std::to_string(i) + ".htm", 0, "<p>page</p>"});
    std::string sitemap = "<UL>\n";
    constexpr int links = 100000;
    const std::string slashes(95, '/');
    for (int i = 0; i < links; ++i)
        sitemap += "<object type=text/sitemap><param name=local value=" + slashes + "p"
            + std::to_string(i) + ".htm>\n";
    entries.push_back({"/big.hhc", 0, sitemap + "</UL>\n"});
    TTemporaryFolder folder;
    WriteBytes(folder / "big.chm", BuildChm(entries, 100).Bytes);

    THtmlHelpViewer viewer;
    ASSERT_TRUE(viewer.OpenContents(folder / "big.chm"));
    ASSERT_EQ(viewer.ContentsTree->topLevelItemCount(), links);
    EXPECT_EQ(viewer.ContentsTree->topLevelItem(4999)->data(0, Qt::UserRole), "/p4999.htm");
    EXPECT_EQ(viewer.ContentsTree->topLevelItem(5000)->data(0, Qt::UserRole), QVariant());
    viewer.close();
}

TEST(HelpRouter, AnOpenHelpWindowFollowsTheHelpFileAndItsTexts)
{
    THelpRouter router;
    router.SetHelpfile(HelpFolder / "help-en.chm");
    ASSERT_TRUE(router.HelpRequest(HELP_CONTEXT, 1006));
    const auto& viewers = dynamic_cast<const TProgramHelpViewers&>(router.Viewers());
    THtmlHelpViewer& viewer = *viewers.HtmlHelpViewer();
    viewer.Tabs->setCurrentIndex(1);

    // Another language: the same page of the new file, on the same tab.
    router.SetHelpfile(HelpFolder / "help-de.chm");
    EXPECT_EQ(viewer.FileName(), HelpFolder / "help-de.chm");
    EXPECT_EQ(viewer.windowTitle(), "Tintwright-Hilfe");
    EXPECT_EQ(viewer.Browser->source().path(), "/preview.htm");
    EXPECT_EQ(viewer.Browser->documentTitle(), "Die Vorschau");
    EXPECT_EQ(viewer.ContentsTree->topLevelItem(1)->text(0), "Das Hauptfenster");
    EXPECT_EQ(viewer.Tabs->currentIndex(), 1);

    // A help file that is not there says so, and nothing of the file before stays.
    THelpViewerTexts texts;
    texts.CannotOpen = "Die Hilfedatei %1 fehlt.";
    texts.Contents = "&Inhalt";
    texts.Display = "&Anzeigen";
    router.SetViewerTexts(texts);
    router.SetHelpfile(HelpFolder / "hilfe-xx.chm");
    EXPECT_EQ(viewer.FileName(), HelpFolder / "hilfe-xx.chm");
    EXPECT_EQ(viewer.ContentsTree->topLevelItemCount(), 0);
    EXPECT_EQ(viewer.IndexList->count(), 0);
    EXPECT_EQ(viewer.Browser->toPlainText(), "Die Hilfedatei hilfe-xx.chm fehlt.");
    EXPECT_FALSE(viewer.BackAction->isEnabled());
    EXPECT_EQ(viewer.Tabs->tabText(0), "&Inhalt");
    EXPECT_EQ(viewer.DisplayButton->text(), "&Anzeigen");
    // Its texts follow the language too.
    texts.CannotOpen = "Le fichier d'aide %1 manque.";
    router.SetViewerTexts(texts);
    EXPECT_EQ(viewer.Browser->toPlainText(), "Le fichier d'aide hilfe-xx.chm manque.");

    // With no page to go back to, the new file opens on its first page.
    router.SetHelpfile(HelpFolder / "help-en.chm");
    EXPECT_EQ(viewer.windowTitle(), "Tintwright Help");
    EXPECT_EQ(viewer.Browser->source().path(), "/index.htm");

    // A closed window is left alone until it is asked for again.
    viewer.close();
    router.SetHelpfile(HelpFolder / "help-fr.chm");
    EXPECT_EQ(viewer.FileName(), HelpFolder / "help-en.chm");
    ASSERT_TRUE(router.HelpRequest(HELP_TAB, 0));
    EXPECT_EQ(viewer.FileName(), HelpFolder / "help-fr.chm");
    viewer.close();
}

TEST(HtmlHelpViewer, TakesItsTextsAtOnce)
{
    THelpViewerTexts texts;
    texts.Back = "Zur\u00fcck";
    texts.Forward = "Vorw\u00e4rts";
    texts.Home = "Startseite";
    texts.Contents = "&Inhalt";
    texts.Index = "I&ndex";
    texts.KeywordLabel = "&Suchbegriff:";
    texts.Display = "&Anzeigen";
    TProgramHelpViewers viewers;
    viewers.SetTexts(texts);
    ASSERT_TRUE(viewers.OpenIndex(HelpFolder / "help-de.chm", ""));
    THtmlHelpViewer& viewer = *viewers.HtmlHelpViewer();
    EXPECT_EQ(viewer.Texts(), texts);
    const QStringList shown = {viewer.BackAction->text(), viewer.ForwardAction->text(),
        viewer.HomeAction->text(), viewer.Tabs->tabText(0), viewer.Tabs->tabText(1),
        viewer.KeywordLabel->text(), viewer.DisplayButton->text()};
    EXPECT_EQ(shown,
        QStringList({texts.Back, texts.Forward, texts.Home, texts.Contents, texts.Index,
            texts.KeywordLabel, texts.Display}));
    viewers.SetTexts({});
    EXPECT_EQ(viewer.Tabs->tabText(0), "&Contents");
    EXPECT_EQ(viewer.KeywordLabel->text(), "&Type in the keyword to find:");
    viewer.close();
}

TEST(PopupHelpViewer, ShowsTheTextsOfTheHelpFileOfTheSameName)
{
    std::vector<std::pair<QPoint, QString>> shown;
    TProgramHelpViewers viewers(
        [&](const QPoint& at, const QString& text) { shown.emplace_back(at, text); });
    EXPECT_TRUE(viewers.ShowPopup(HelpFolder / "help-fr.hlp", 1001, {50, 60}));
    EXPECT_FALSE(viewers.ShowPopup(HelpFolder / "help-fr.hlp", 0, {50, 60}));
    EXPECT_FALSE(viewers.ShowPopup(HelpFolder / "help-fr.hlp", 1003, {50, 60}));
    EXPECT_FALSE(viewers.ShowPopup(HelpFolder / "help-xx.hlp", 1001, {50, 60}));
    EXPECT_TRUE(viewers.ShowPopup(HelpFolder / "help-en.hlp", 1005, {1, 2}));
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].first, QPoint(50, 60));
    EXPECT_TRUE(shown[0].second.contains(QString::fromUtf8("éléments")));
    EXPECT_TRUE(shown[1].second.startsWith("The colour of the selected item as six"));
}

// How many tables inside tables the view laid out.
int TableLevels(const QTextFrame* frame)
{
    int deepest = 0;
    for (const QTextFrame* child : frame->childFrames())
        deepest = std::max(
            deepest, TableLevels(child) + (qobject_cast<const QTextTable*>(child) ? 1 : 0));
    return deepest;
}

TEST(HelpBrowser, LaysOutPagesOnlyAsTheRewritingReadThem)
{
    const auto repeat = [](const std::string& text, int count) {
        std::string repeated;
        for (int i = 0; i < count; ++i)
            repeated += text;
        return repeated;
    };
    const auto tables = [&](const std::string& open, int depth) {
        return repeat(open + "<tr><td>", depth) + "deep" + repeat("</td></tr></table>", depth);
    };
    const int past = MaxHelpPageTableNesting + 2;
    // Each page past a limit would take the layout seconds; the last four are written so that a
    // reader other than Qt's might see no table in them.
    const struct
    {
        const char* Name;
        std::string Page;
        int Tables;
        bool TextWithLessThan;
    } rows[] = {
        {"four tables", tables("<table>", 4), 4, false},
        {"seventeen tables", tables("<table>", 17), MaxHelpPageTableNesting, false},
        {"three thousand blocks", repeat("<div>", 3000) + "deep", 0, false},
        {"a megabyte of paragraphs", repeat("<p>deep words</p>", 70000), 0, false},
        {"blank after <", tables("< table>", past), 0, true},
        {"quoted name", tables("<\"table\">", past), 0, true},
        {"reference in the name", tables("<&#116;able>", past), 0, true},
        {"stray quote in a tag", "<span x\">" + tables("<table>", past), MaxHelpPageTableNesting,
            false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        THelpBrowser browser;
        browser.resize(600, 400);
        browser.show();
        browser.SetReader([&](std::string_view) { return std::optional(row.Page); });
        ASSERT_TRUE(browser.ShowPage(THelpBrowser::PageUrl("/page.htm")));
        const int laidOut = TableLevels(browser.document()->rootFrame());
        EXPECT_EQ(laidOut, row.Tables);
        if (row.Page.size() <= MaxHelpPageSize) {
            EXPECT_EQ(laidOut, SanitizeHelpPage(row.Page).Measure.TableNesting);
        }
        EXPECT_TRUE(browser.toPlainText().contains("deep"));
        EXPECT_EQ(browser.toPlainText().contains("<"), row.TextWithLessThan);
    }
}

TEST(HelpBrowser, ServesOnlyTheHelpFile)
{
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    const std::map<std::string, std::string> archive = {
        {"/sub/page.htm",
            "<p>Stra\xDF"
            "e <img src=\"../pics/dot.png\"></p>"},
        {"/pics/dot.png", png.toStdString()},
        {"/broken.png", "not a picture"},
    };
    THelpBrowser browser;
    browser.SetReader([&](std::string_view path) -> std::optional<std::string> {
        const auto found = archive.find(std::string(path));
        return found == archive.end() ? std::nullopt : std::optional(found->second);
    });
    ASSERT_TRUE(browser.ShowPage(THelpBrowser::PageUrl("/sub/page.htm")));
    EXPECT_TRUE(browser.toPlainText().startsWith(QString::fromUtf8("Straße")));
    EXPECT_EQ(browser.loadResource(QTextDocument::ImageResource, QUrl("../pics/dot.png"))
                  .value<QImage>()
                  .size(),
        QSize(3, 2));
    for (const char* url : {"help:/broken.png", "help:/none.png", "http://example.com/dot.png",
             "file:///etc/hostname", "qrc:/tintwright.png"})
        EXPECT_FALSE(browser.loadResource(QTextDocument::ImageResource, QUrl(url)).isValid())
            << url;
    EXPECT_FALSE(browser.ShowPage(THelpBrowser::PageUrl("/none.htm")));
    EXPECT_EQ(browser.source().path(), "/sub/page.htm");
}

} // namespace
