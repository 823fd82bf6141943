#pragma once

#include "tools/compare/SchemeComparison.h"
#include "i18n/OwnTexts.h"
#include "scheme/SchemeFile.h"

#include <QString>
#include <QWidget>

#include <cstddef>
#include <filesystem>
#include <set>
#include <span>
#include <vector>

class QLabel;
class QPushButton;
class QKeyEvent;
class QShowEvent;
class QTreeWidget;
class TDocumentSeam;

// The texts of "Compare with file...", its dialog and its window; formats take %1, %2.
namespace CompareText {
inline constexpr TTextKey DialogTitle {"CompareFile", "DialogTitle", "Compare with file"};
inline constexpr TTextKey ColorFiles {"CompareFile", "FilterColorFiles", "TomTom Color Files"};
inline constexpr TTextKey Title {"CompareFile", "Title", "Compare with %1"};
inline constexpr TTextKey Summary {"CompareFile", "Summary", "%1 items differ from %2."};
inline constexpr TTextKey SummaryOne {"CompareFile", "SummaryOne", "1 item differs from %1."};
inline constexpr TTextKey SummaryNone {
    "CompareFile", "SummaryNone", "The colors and descriptions are the same as in %1."};
inline constexpr TTextKey ColumnItem {"CompareFile", "ColumnItem", "Item"};
inline constexpr TTextKey ColumnHere {"CompareFile", "ColumnHere", "Open scheme"};
inline constexpr TTextKey DeltaEHint {"CompareFile", "DeltaEHint",
    "Color difference (CIEDE2000): below 1 hardly visible, above 10 clearly another color"};
inline constexpr TTextKey ColumnDescription {"CompareFile", "ColumnDescription", "Description"};
inline constexpr TTextKey ColumnThereDescription {
    "CompareFile", "ColumnThereDescription", "Description in %1"};
inline constexpr TTextKey NotHere {"CompareFile", "NotHere", "not in the open scheme"};
inline constexpr TTextKey NotThere {"CompareFile", "NotThere", "not in %1"};
inline constexpr TTextKey CheckAll {"CompareFile", "CheckAll", "Check &all"};
inline constexpr TTextKey CheckNone {"CompareFile", "CheckNone", "Check &none"};
inline constexpr TTextKey Take {"CompareFile", "Take", "&Take selected colors"};
inline constexpr TTextKey Close {"CompareFile", "Close", "&Close"};
} // namespace CompareText

std::span<const TTextKey> CompareTexts();

// Lists, item by item (by position), where the open document and another colour file differ:
// each item whose colour or description differs with both colours, their codes and their
// CIEDE2000 difference, the other file's description where it differs, and the items only one of
// them has. The colours of the items checked are taken across as one step; descriptions are not
// taken. Non-modal; it follows every change of the document at once, and Esc closes it.
class TCompareWindow : public QWidget
{
    Q_OBJECT

public:
    TCompareWindow(TDocumentSeam& document, QWidget* parent);

    // Compares with this scheme from now on; its file names it in the texts.
    void SetOther(std::filesystem::path file, std::vector<TSchemeItem> items);
    const std::filesystem::path& OtherFile() const { return FOtherFile; }
    std::span<const TItemDifference> Differences() const { return FDifferences; }

    // Rows with a colour to take have a check box; the others are not checked.
    void SetChecked(std::size_t item, bool checked);
    void CheckAll(bool checked);
    std::vector<std::size_t> CheckedItems() const;
    // Gives the checked items the other file's colours as one step; returns the items changed.
    std::vector<std::size_t> TakeCheckedColors();

    // Compares again with the document as it is now.
    void Refresh();
    void Retranslate();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Fill();
    void UpdateTakeButton();
    QString OtherName() const;

    TDocumentSeam& FDocument;
    std::filesystem::path FOtherFile;
    std::vector<TSchemeItem> FOther;
    std::vector<TItemDifference> FDifferences;
    std::set<std::size_t> FChecked;
    bool FFilling = false;
    bool FPlaced = false;

    QLabel* FSummary;
    QTreeWidget* FList;
    QPushButton* FCheckAll;
    QPushButton* FCheckNone;
    QPushButton* FTake;
    QPushButton* FClose;
};
