#include "help/HtmlHelpViewer.h"

#include "common/UiText.h"
#include "help/HelpBrowser.h"
#include "help/HelpFileRefusal.h"
#include "help/WhatsThis.h"

#include <QAction>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include <utility>
#include <vector>

namespace {

// Each contents and index entry keeps the archive path of its page ("" for a heading).
constexpr int PathRole = Qt::UserRole;
constexpr int ContentsTab = 0;
constexpr int IndexTab = 1;

QString PathWithoutFragment(const QString& path)
{
    return path.left(path.indexOf('#'));
}

} // namespace

THtmlHelpViewer::THtmlHelpViewer(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName("HtmlHelpViewer");
    // Context help is for the program's own windows, not for its help.
    setProperty(WhatsThisExcludedProperty, true);
    setAttribute(Qt::WA_QuitOnClose, false);

    auto* toolBar = new QToolBar(this);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    const auto icon = [this](const char* themed, QStyle::StandardPixmap fallback) {
        return QIcon::fromTheme(themed, style()->standardIcon(fallback));
    };
    BackAction = toolBar->addAction(icon("go-previous", QStyle::SP_ArrowBack), FTexts.Back);
    ForwardAction = toolBar->addAction(icon("go-next", QStyle::SP_ArrowForward), FTexts.Forward);
    HomeAction = toolBar->addAction(icon("go-home", QStyle::SP_DirHomeIcon), FTexts.Home);
    BackAction->setShortcut(QKeySequence::Back);
    ForwardAction->setShortcut(QKeySequence::Forward);

    Tabs = new QTabWidget;
    ContentsTree = new QTreeWidget;
    ContentsTree->setObjectName("ContentsTree");
    ContentsTree->setHeaderHidden(true);
    Tabs->addTab(ContentsTree, FTexts.Contents);

    auto* indexPage = new QWidget;
    auto* indexLayout = new QVBoxLayout(indexPage);
    KeywordLabel = new QLabel(FTexts.KeywordLabel);
    KeywordEdit = new QLineEdit;
    KeywordEdit->setObjectName("KeywordEdit");
    KeywordLabel->setBuddy(KeywordEdit);
    IndexList = new QListWidget;
    IndexList->setObjectName("IndexList");
    DisplayButton = new QPushButton(FTexts.Display);
    indexLayout->addWidget(KeywordLabel);
    indexLayout->addWidget(KeywordEdit);
    indexLayout->addWidget(IndexList);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(DisplayButton);
    indexLayout->addLayout(buttonRow);
    Tabs->addTab(indexPage, FTexts.Index);

    Browser = new THelpBrowser;
    Browser->setObjectName("HelpBrowser");
    Browser->SetReader([this](std::string_view path) { return FHelp.Read(path); });

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(Tabs);
    splitter->addWidget(Browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({240, 560});
    splitter->setChildrenCollapsible(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addWidget(splitter);

    BackAction->setEnabled(false);
    ForwardAction->setEnabled(false);
    connect(BackAction, &QAction::triggered, Browser, &QTextBrowser::backward);
    connect(ForwardAction, &QAction::triggered, Browser, &QTextBrowser::forward);
    connect(HomeAction, &QAction::triggered, this, &THtmlHelpViewer::ShowDefaultTopic);
    connect(Browser, &QTextBrowser::backwardAvailable, BackAction, &QAction::setEnabled);
    connect(Browser, &QTextBrowser::forwardAvailable, ForwardAction, &QAction::setEnabled);
    connect(Browser, &QTextBrowser::sourceChanged, this, &THtmlHelpViewer::SelectContentsOf);
    // An entry shows its page as soon as it is chosen, by a click or by the arrow keys; a click on
    // the entry already chosen shows its page again after a link led elsewhere.
    connect(ContentsTree, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (!FSelectingShownPage)
            ContentsItemChosen(ContentsTree->selectedItems().value(0));
    });
    connect(ContentsTree, &QTreeWidget::itemClicked, this, &THtmlHelpViewer::ContentsItemChosen);
    connect(ContentsTree, &QTreeWidget::itemActivated, this, &THtmlHelpViewer::ContentsItemChosen);
    connect(KeywordEdit, &QLineEdit::textEdited, this, &THtmlHelpViewer::SelectKeyword);
    connect(KeywordEdit, &QLineEdit::returnPressed, this, &THtmlHelpViewer::OpenIndexEntry);
    connect(IndexList, &QListWidget::itemActivated, this, &THtmlHelpViewer::OpenIndexEntry);
    connect(DisplayButton, &QPushButton::clicked, this, &THtmlHelpViewer::OpenIndexEntry);
}

bool THtmlHelpViewer::OpenContents(const std::filesystem::path& file)
{
    if (!Load(file, true))
        return false;
    Tabs->setCurrentIndex(ContentsTab);
    ShowFirstPageIfNone();
    Present();
    ContentsTree->setFocus();
    return true;
}

bool THtmlHelpViewer::OpenIndex(const std::filesystem::path& file, TAnsiView keyword)
{
    if (!Load(file, true))
        return false;
    Tabs->setCurrentIndex(IndexTab);
    if (!keyword.empty()) {
        KeywordEdit->setText(FromWindows1252(keyword));
        SelectKeyword(KeywordEdit->text());
    }
    ShowFirstPageIfNone();
    Present();
    KeywordEdit->setFocus();
    return true;
}

bool THtmlHelpViewer::OpenTopic(const std::filesystem::path& file, std::uint32_t context)
{
    if (!Load(file, true))
        return false;
    const std::optional<std::string> topic = FHelp.TopicForContext(context);
    if (!topic || !ShowPage(FromWindows1252(*topic)))
        return false;
    Present();
    return true;
}

void THtmlHelpViewer::CloseAll()
{
    close();
}

void THtmlHelpViewer::Follow(const std::filesystem::path& file)
{
    if (file == FFileName && FHelp.IsOpen())
        return;
    // What the window showed last: a page, or the word that its file could not be opened.
    const QUrl shown = FHelp.IsOpen() ? Browser->source() : QUrl();
    const int tab = Tabs->currentIndex();
    // The window itself says that the file cannot be opened.
    if (!Load(file, false)) {
        ShowCannotOpen(file);
        return;
    }
    // The languages' help files name their pages alike.
    QString page = shown.path();
    if (shown.hasFragment())
        page += '#' + shown.fragment();
    if (page.isEmpty() || !ShowPage(page))
        ShowDefaultTopic();
    Tabs->setCurrentIndex(tab);
}

void THtmlHelpViewer::ShowCannotOpen(const std::filesystem::path& file)
{
    FHelp = THelpFile();
    FFileName = file;
    setWindowTitle(FromFileName(file.stem()));
    ContentsTree->clear();
    IndexList->clear();
    KeywordEdit->clear();
    Browser->clearHistory();
    Browser->setPlainText(HelpFileRefusalText(FTexts, file, FRefusal));
    FNewFile = true;
}

void THtmlHelpViewer::SetTexts(const THelpViewerTexts& texts)
{
    const bool cannotOpen = !FFileName.empty() && !FHelp.IsOpen();
    FTexts = texts;
    BackAction->setText(texts.Back);
    ForwardAction->setText(texts.Forward);
    HomeAction->setText(texts.Home);
    Tabs->setTabText(ContentsTab, texts.Contents);
    Tabs->setTabText(IndexTab, texts.Index);
    KeywordLabel->setText(texts.KeywordLabel);
    DisplayButton->setText(texts.Display);
    if (cannotOpen)
        ShowCannotOpen(FFileName);
}

bool THtmlHelpViewer::Load(const std::filesystem::path& file, bool reportRefusal)
{
    // The file shown stays open; one that could not be opened is tried again each time, as it
    // may have appeared since.
    if (file == FFileName && FHelp.IsOpen())
        return true;
    const unsigned load = ++FLoads;
    const QPointer<THtmlHelpViewer> alive(this);
    THelpFile help(file);
    if (!alive || load != FLoads)
        return false;
    if (!help.IsOpen()) {
        FRefusal = help.Refusal();
        if (reportRefusal && FRefusal != TChmArchive::TRefusal::None)
            ReportHelpFileRefusal(FTexts, file, FRefusal);
        return false;
    }
    FHelp = std::move(help);
    FFileName = file;
    const TAnsiString& title = FHelp.System().Title;
    setWindowTitle(title.empty() ? FromFileName(file.stem()) : FromWindows1252(title));
    Browser->clear();
    FNewFile = true;
    FillContents();
    FillIndex();
    return true;
}

void THtmlHelpViewer::FillContents()
{
    ContentsTree->clear();
    const QIcon book = style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon page = style()->standardIcon(QStyle::SP_FileIcon);
    // The items come in document order with their depth; the parent of each is the nearest
    // item before it that lies less deep.
    std::vector<std::pair<int, QTreeWidgetItem*>> open;
    for (const TSitemapItem& entry : FHelp.Contents()) {
        while (!open.empty() && open.back().first >= entry.Depth)
            open.pop_back();
        auto* item = open.empty() ? new QTreeWidgetItem(ContentsTree)
                                  : new QTreeWidgetItem(open.back().second);
        item->setText(0, FromWindows1252(entry.Name));
        if (!entry.Local.empty()) {
            if (const std::optional<std::string> path = FHelp.TopicPath(entry.Local))
                item->setData(0, PathRole, FromWindows1252(*path));
        }
        item->setIcon(0, page);
        if (!open.empty())
            open.back().second->setIcon(0, book);
        open.emplace_back(entry.Depth, item);
    }
}

void THtmlHelpViewer::FillIndex()
{
    IndexList->clear();
    KeywordEdit->clear();
    for (const TSitemapItem& entry : FHelp.Index()) {
        // Sub-keywords stand indented under their keyword.
        auto* item = new QListWidgetItem(
            QString(4 * entry.Depth, ' ') + FromWindows1252(entry.Name), IndexList);
        if (const std::optional<std::string> path = FHelp.TopicPath(entry.Local))
            item->setData(PathRole, FromWindows1252(*path));
    }
    if (IndexList->count() > 0)
        IndexList->setCurrentRow(0);
}

bool THtmlHelpViewer::ShowPage(const QString& archivePath)
{
    if (!Browser->ShowPage(THelpBrowser::PageUrl(archivePath)))
        return false;
    // Back never leads into the file shown before.
    if (FNewFile) {
        Browser->clearHistory();
        FNewFile = false;
    }
    return true;
}

void THtmlHelpViewer::ShowDefaultTopic()
{
    if (const std::optional<std::string> topic = FHelp.DefaultTopic())
        ShowPage(FromWindows1252(*topic));
}

void THtmlHelpViewer::ShowFirstPageIfNone()
{
    if (FNewFile)
        ShowDefaultTopic();
}

void THtmlHelpViewer::ContentsItemChosen(QTreeWidgetItem* item)
{
    const QString path = item ? item->data(0, PathRole).toString() : QString();
    if (!path.isEmpty() && THelpBrowser::PageUrl(path) != Browser->source())
        ShowPage(path);
}

void THtmlHelpViewer::SelectKeyword(const QString& text)
{
    const QString wanted = text.trimmed();
    for (int row = 0; row < IndexList->count(); ++row) {
        QListWidgetItem* item = IndexList->item(row);
        if (item->text().trimmed().startsWith(wanted, Qt::CaseInsensitive)) {
            IndexList->setCurrentItem(item);
            IndexList->scrollToItem(item, QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

void THtmlHelpViewer::OpenIndexEntry()
{
    const QListWidgetItem* item = IndexList->currentItem();
    const QString path = item ? item->data(PathRole).toString() : QString();
    if (!path.isEmpty())
        ShowPage(path);
}

void THtmlHelpViewer::SelectContentsOf(const QUrl& url)
{
    const QString shown = url.path();
    for (QTreeWidgetItemIterator it(ContentsTree); *it; ++it) {
        if (PathWithoutFragment((*it)->data(0, PathRole).toString()) == shown) {
            // The page is shown already; choosing its entry must not show it again.
            FSelectingShownPage = true;
            ContentsTree->setCurrentItem(*it);
            FSelectingShownPage = false;
            return;
        }
    }
}

void THtmlHelpViewer::Present()
{
    if (!FPlaced) {
        resize(820, 560);
        FPlaced = true;
    }
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}
