#pragma once

#include "common/AnsiString.h"
#include "help/HelpFile.h"
#include "help/HelpViewerTexts.h"

#include <QWidget>

#include <cstdint>
#include <filesystem>

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QString;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class QUrl;
class THelpBrowser;

// The viewer of compiled help (.chm): one window titled as the help file asks, with the contents
// tree and the keyword index beside the pages. Opening a file that is missing or unreadable, or a
// context without a topic, shows nothing and says nothing; a file that is no regular file or too
// large is refused with a message box that says why, once for each request. An open window follows
// a change of the help file (Follow). The window does not keep the program running once the main
// window has closed.
class THtmlHelpViewer : public QWidget
{
    Q_OBJECT

public:
    explicit THtmlHelpViewer(QWidget* parent = nullptr);

    // Each brings the window up on the file; false when it showed nothing.
    bool OpenContents(const std::filesystem::path& file);
    // Positions the index on the first keyword that starts with `keyword`, when one is given.
    bool OpenIndex(const std::filesystem::path& file, TAnsiView keyword);
    bool OpenTopic(const std::filesystem::path& file, std::uint32_t context);
    void CloseAll();

    // Moves the open window to another help file: the page shown, when the new file holds one of
    // the same name, else its first page. A file that cannot be opened is said to be so in the
    // window, with no contents, index or page of the file before.
    void Follow(const std::filesystem::path& file);

    // The window's own texts, applied at once.
    void SetTexts(const THelpViewerTexts& texts);
    const THelpViewerTexts& Texts() const { return FTexts; }

    // The file shown, or that could not be opened when the window followed it; empty before the
    // first.
    const std::filesystem::path& FileName() const { return FFileName; }

    QTabWidget* Tabs = nullptr;
    QTreeWidget* ContentsTree = nullptr;
    QLabel* KeywordLabel = nullptr;
    QLineEdit* KeywordEdit = nullptr;
    QListWidget* IndexList = nullptr;
    QPushButton* DisplayButton = nullptr;
    THelpBrowser* Browser = nullptr;
    QAction* BackAction = nullptr;
    QAction* ForwardAction = nullptr;
    QAction* HomeAction = nullptr;

private:
    bool Load(const std::filesystem::path& file, bool reportRefusal);
    void ShowCannotOpen(const std::filesystem::path& file);
    void FillContents();
    void FillIndex();
    bool ShowPage(const QString& archivePath);
    void ShowDefaultTopic();
    void ShowFirstPageIfNone();
    void ContentsItemChosen(QTreeWidgetItem* item);
    void SelectKeyword(const QString& text);
    void OpenIndexEntry();
    void SelectContentsOf(const QUrl& url);
    void Present();

    THelpFile FHelp;
    std::filesystem::path FFileName;
    // Why the file loaded last could not be opened, when it was refused.
    TChmArchive::TRefusal FRefusal = TChmArchive::TRefusal::None;
    THelpViewerTexts FTexts;
    // Counts the loads begun, so that a load that finishes after a later one began (the reader
    // lets other events run) does not replace what the later one showed.
    unsigned FLoads = 0;
    // No page of the file loaded last has been shown yet.
    bool FNewFile = false;
    // The contents entry of the page shown is being chosen.
    bool FSelectingShownPage = false;
    bool FPlaced = false;
};
