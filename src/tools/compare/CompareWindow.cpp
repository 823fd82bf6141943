#include "tools/compare/CompareWindow.h"

#include "common/PathRules.h"
#include "common/UiText.h"
#include "editing/ColorNotation.h"
#include "editing/QtColors.h"
#include "i18n/ShownText.h"
#include "tools/DocumentSeam.h"

#include <QColor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const TTextKey Keys[] = {
    CompareText::DialogTitle,
    CompareText::ColorFiles,
    CompareText::Title,
    CompareText::Summary,
    CompareText::SummaryOne,
    CompareText::SummaryNone,
    CompareText::ColumnItem,
    CompareText::ColumnHere,
    CompareText::DeltaEHint,
    CompareText::ColumnDescription,
    CompareText::ColumnThereDescription,
    CompareText::NotHere,
    CompareText::NotThere,
    CompareText::CheckAll,
    CompareText::CheckNone,
    CompareText::Take,
    CompareText::Close,
};

// Context help of the window's controls: one topic tells of the list and what its buttons do.
constexpr int HelpContext = 1202;

// The description column is no wider than this many characters, so that a long description does
// not push the other columns out of view; its tooltip shows it whole.
constexpr int DescriptionChars = 40;

enum TColumn {
    ColumnItem,
    ColumnHere,
    ColumnThere,
    ColumnDeltaE,
    ColumnDescription,
    ColumnThereDescription,
    ColumnCount
};

QString CodeText(const TRGBTriple& color)
{
    return QString::fromStdString(HashColorCode(color));
}

std::size_t RowItem(const QTreeWidgetItem& row)
{
    return std::size_t(row.data(ColumnItem, Qt::UserRole).toULongLong());
}

} // namespace

std::span<const TTextKey> CompareTexts()
{
    return Keys;
}

TCompareWindow::TCompareWindow(TDocumentSeam& document, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , FDocument(document)
    , FSummary(new QLabel(this))
    , FList(new QTreeWidget(this))
    , FCheckAll(new QPushButton(this))
    , FCheckNone(new QPushButton(this))
    , FTake(new QPushButton(this))
    , FClose(new QPushButton(this))
{
    setObjectName("CompareWindow");
    FSummary->setObjectName("CompareSummary");
    FList->setObjectName("CompareList");
    FCheckAll->setObjectName("CompareCheckAll");
    FCheckNone->setObjectName("CompareCheckNone");
    FTake->setObjectName("CompareTake");
    FClose->setObjectName("CompareClose");

    // File names and descriptions are shown as they are, never read as markup.
    FSummary->setTextFormat(Qt::PlainText);
    FSummary->setWordWrap(true);
    FSummary->setBuddy(FList);
    FList->setColumnCount(ColumnCount);
    FList->setRootIsDecorated(false);
    FList->setUniformRowHeights(true);
    FList->setAlternatingRowColors(true);
    FList->setAllColumnsShowFocus(true);
    FList->header()->setStretchLastSection(true);
    for (QWidget* control :
        std::initializer_list<QWidget*> {FSummary, FList, FCheckAll, FCheckNone, FTake})
        control->setProperty("HelpContext", HelpContext);
    FTake->setDefault(true);
    setFocusProxy(FList);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(FCheckAll);
    buttons->addWidget(FCheckNone);
    buttons->addStretch();
    buttons->addWidget(FTake);
    buttons->addWidget(FClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FSummary);
    layout->addWidget(FList, 1);
    layout->addLayout(buttons);
    resize(820, 440);

    connect(FList, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* row, int column) {
        if (FFilling || column != ColumnItem)
            return;
        if (row->checkState(ColumnItem) == Qt::Checked)
            FChecked.insert(RowItem(*row));
        else
            FChecked.erase(RowItem(*row));
        UpdateTakeButton();
    });
    // Enter or a double click on a row selects its item in the window.
    connect(FList, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* row) {
        if (RowItem(*row) < FDocument.ItemCount())
            FDocument.SelectItem(RowItem(*row));
    });
    connect(FCheckAll, &QPushButton::clicked, this, [this] { CheckAll(true); });
    connect(FCheckNone, &QPushButton::clicked, this, [this] { CheckAll(false); });
    connect(FTake, &QPushButton::clicked, this, [this] { TakeCheckedColors(); });
    connect(FClose, &QPushButton::clicked, this, &QWidget::close);

    connect(&FDocument, &TDocumentSeam::ColorsChanged, this, [this] { Refresh(); });
    connect(&FDocument, &TDocumentSeam::DescriptionChanged, this, [this] { Refresh(); });
    // Another document: what was checked for the last one means nothing for it.
    connect(&FDocument, &TDocumentSeam::DocumentLoaded, this, [this] {
        FChecked.clear();
        Refresh();
    });
    connect(&FDocument, &TDocumentSeam::LanguageApplied, this, [this] { Retranslate(); });
    Retranslate();
}

void TCompareWindow::SetOther(std::filesystem::path file, std::vector<TSchemeItem> items)
{
    FOtherFile = std::move(file);
    FOther = std::move(items);
    FChecked.clear();
    Retranslate();
}

void TCompareWindow::SetChecked(std::size_t item, bool checked)
{
    for (int i = 0; i < FList->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = FList->topLevelItem(i);
        if (RowItem(*row) == item && row->data(ColumnItem, Qt::CheckStateRole).isValid())
            row->setCheckState(ColumnItem, checked ? Qt::Checked : Qt::Unchecked);
    }
}

void TCompareWindow::CheckAll(bool checked)
{
    for (const TItemDifference& difference : FDifferences) {
        if (difference.ColorDiffers)
            SetChecked(difference.Item, checked);
    }
}

std::vector<std::size_t> TCompareWindow::CheckedItems() const
{
    std::vector<std::size_t> items;
    for (const TItemDifference& difference : FDifferences) {
        if (difference.ColorDiffers && FChecked.contains(difference.Item))
            items.push_back(difference.Item);
    }
    return items;
}

std::vector<std::size_t> TCompareWindow::TakeCheckedColors()
{
    const std::vector<TColorChange> changes
        = TakenColors(FDifferences, [this](std::size_t item) { return FChecked.contains(item); });
    if (changes.empty())
        return {};
    for (const TColorChange& change : changes)
        FChecked.erase(change.Item);
    // The list follows the change.
    return FDocument.ApplyColors(changes, {TStepKind::TakeFromFile, OtherName().toStdString()});
}

void TCompareWindow::Refresh()
{
    // A hidden window catches up when it is shown again.
    if (!isVisible())
        return;
    FDifferences = CompareSchemes(
        FDocument.Colors(), [this](std::size_t item) { return FDocument.Description(item); },
        FOther);
    Fill();
}

void TCompareWindow::Retranslate()
{
    const QString name = OtherName();
    setWindowTitle(Text(CompareText::Title).arg(name));
    FList->setHeaderLabels({Text(CompareText::ColumnItem), Text(CompareText::ColumnHere), name,
        QStringLiteral("\u0394E"), Text(CompareText::ColumnDescription),
        Text(CompareText::ColumnThereDescription).arg(name)});
    FList->headerItem()->setToolTip(ColumnDeltaE, Text(CompareText::DeltaEHint));
    FList->headerItem()->setTextAlignment(ColumnDeltaE, Qt::AlignRight | Qt::AlignVCenter);
    FCheckAll->setText(Text(CompareText::CheckAll));
    FCheckNone->setText(Text(CompareText::CheckNone));
    FTake->setText(Text(CompareText::Take));
    FClose->setText(Text(CompareText::Close));
    if (isVisible())
        Refresh();
}

void TCompareWindow::keyPressEvent(QKeyEvent* event)
{
    // Esc closes the window, as it closes a dialog, whichever control has the focus.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TCompareWindow::showEvent(QShowEvent* event)
{
    // The first time, over the middle of the main window rather than wherever the desktop
    // puts a new window; afterwards where the user left it.
    if (!FPlaced && parentWidget() != nullptr) {
        FPlaced = true;
        move(parentWidget()->window()->frameGeometry().center() - rect().center());
    }
    QWidget::showEvent(event);
    Refresh();
}

void TCompareWindow::Fill()
{
    FFilling = true;
    const QTreeWidgetItem* current = FList->currentItem();
    const std::size_t currentItem = current != nullptr ? RowItem(*current) : std::size_t(-1);
    const int scrolled = FList->verticalScrollBar()->value();
    FList->clear();

    const QString name = OtherName();
    QList<QTreeWidgetItem*> rows;
    rows.reserve(qsizetype(FDifferences.size()));
    QTreeWidgetItem* currentRow = nullptr;
    for (const TItemDifference& difference : FDifferences) {
        auto* row = new QTreeWidgetItem;
        row->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        row->setData(ColumnItem, Qt::UserRole, qulonglong(difference.Item));
        row->setText(ColumnItem, QString::number(difference.Item + 1));
        if (difference.Presence == TComparedPresence::OnlyThere) {
            row->setText(ColumnHere, Text(CompareText::NotHere));
        } else {
            row->setData(ColumnHere, Qt::DecorationRole, ItemColorToQColor(difference.Here));
            row->setText(ColumnHere, CodeText(difference.Here));
            row->setText(ColumnDescription, FromWindows1252(difference.HereDescription));
            row->setToolTip(ColumnDescription, AsPlainText(row->text(ColumnDescription)));
        }
        if (difference.Presence == TComparedPresence::OnlyHere) {
            row->setText(ColumnThere, Text(CompareText::NotThere).arg(name));
        } else {
            row->setData(ColumnThere, Qt::DecorationRole, ItemColorToQColor(difference.There));
            row->setText(ColumnThere, CodeText(difference.There));
        }
        if (difference.DescriptionDiffers || difference.Presence == TComparedPresence::OnlyThere) {
            row->setText(ColumnThereDescription, FromWindows1252(difference.ThereDescription));
            row->setToolTip(ColumnThereDescription, AsPlainText(row->text(ColumnThereDescription)));
        }
        if (difference.ColorDiffers) {
            row->setText(ColumnDeltaE, QLocale().toString(difference.DeltaE, 'f', 1));
            row->setTextAlignment(ColumnDeltaE, Qt::AlignRight | Qt::AlignVCenter);
            row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
            row->setCheckState(
                ColumnItem, FChecked.contains(difference.Item) ? Qt::Checked : Qt::Unchecked);
        }
        if (difference.Item == currentItem)
            currentRow = row;
        rows.append(row);
    }
    FList->addTopLevelItems(rows);
    if (currentRow != nullptr)
        FList->setCurrentItem(currentRow);
    FList->verticalScrollBar()->setValue(scrolled);
    for (int column = 0; column < ColumnThereDescription; ++column)
        FList->resizeColumnToContents(column);
    FList->setColumnWidth(ColumnDescription,
        std::min(FList->columnWidth(ColumnDescription),
            FList->fontMetrics().averageCharWidth() * DescriptionChars));

    const std::size_t count = FDifferences.size();
    FSummary->setText(count == 0 ? Text(CompareText::SummaryNone).arg(name)
            : count == 1         ? Text(CompareText::SummaryOne).arg(name)
                                 : Text(CompareText::Summary).arg(CountNumber(count), name));
    FFilling = false;
    UpdateTakeButton();
}

void TCompareWindow::UpdateTakeButton()
{
    const bool any = !CheckedItems().empty();
    FTake->setEnabled(any);
    FCheckNone->setEnabled(any);
    FCheckAll->setEnabled(std::any_of(FDifferences.begin(), FDifferences.end(),
        [](const TItemDifference& difference) { return difference.ColorDiffers; }));
}

QString TCompareWindow::OtherName() const
{
    return FromFileName(ExtractFileName(FOtherFile.native()));
}
