#pragma once

#include "preview/ImportPicture.h"
#include "tools/import/ImportRows.h"
#include "tools/import/ScreenshotColors.h"

#include <QString>
#include <QWidget>

#include <cstddef>
#include <map>
#include <optional>
#include <vector>

class QKeyEvent;
class QLabel;
class QShowEvent;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class TDocumentSeam;

// The "Import colors" window: what a screenshot says of each item's colour, as rows of the items
// that would change (the colour now and the colour read, their difference and how sure the
// reading is, each with a check box), then the items that are not on the preview. "Apply" gives
// the checked items their colours as one step. It follows the document: edits, loads and new
// previews show at once; a preview the picture no longer fits empties the list.
class TColorImportWindow : public QWidget
{
    Q_OBJECT

public:
    TColorImportWindow(TDocumentSeam& document, QWidget* parent);

    // Reads a new picture; name is the file's, empty for the clipboard's picture. The check
    // boxes start over.
    void SetPicture(TImportPicture picture, QString name);

    // The items checked now, ascending.
    std::vector<std::size_t> CheckedItems() const;
    // Gives the checked items their colours as one step; returns how many changed.
    std::size_t Apply();

    // Puts the texts of the current language in place.
    void Retranslate();

signals:
    // Apply changed this many items.
    void Applied(std::size_t items);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // What a closed window must do again when it shows, the larger including the smaller.
    enum class TStale { None, Rows, Reading };

    // Does what a change of the document asks, or notes it while the window is closed.
    void Follow(TStale what);
    // Reads the picture again for the map and items the document has now.
    void Read();
    // Lists the rows again for the colours the document has now, keeping the user's choices.
    void Refresh();
    void FillRow(QTreeWidgetItem& entry, const TImportRow& row) const;
    // The item's description, and the same in full as the entry's tooltip.
    void ShowDescription(QTreeWidgetItem& entry, std::size_t item) const;
    // The widest the item column grows.
    int DescriptionWidth() const;
    void SetAllChecked(bool checked);
    void ShowSourceLine();
    // The picture's file name, or the word for the clipboard.
    QString SourceName() const;
    void PlaceFirstTime();
    void FollowSelection(int item);
    void UpdateButtons();

    TDocumentSeam& FDocument;
    QLabel* FSource;
    QLabel* FJpegNote;
    QLabel* FSummary;
    QTreeWidget* FList;
    QPushButton* FCheckAll;
    QPushButton* FCheckNone;
    QPushButton* FApply;
    QPushButton* FClose;

    TImportPicture FPicture;
    QString FName;
    int FScale = 0;
    // Empty when the picture cannot be read for the preview loaded now.
    std::optional<std::vector<TItemReading>> FReadings;
    std::vector<TImportRow> FRows;
    // The user's own check box choices, by item, until the next picture or document.
    std::map<std::size_t, bool> FChoices;
    bool FFilling = false;
    bool FPlaced = false;
    TStale FStale = TStale::None;
};
