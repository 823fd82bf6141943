#include "tools/import/ColorImportWindow.h"

#include "common/UiText.h"
#include "editing/ColorCode.h"
#include "editing/QtColors.h"
#include "help/WhatsThis.h"
#include "i18n/ShownText.h"
#include "tools/import/ColorImportTexts.h"
#include "tools/DocumentSeam.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

enum TColumn {
    NumberColumn,
    ItemColumn,
    NowColumn,
    ReadColumn,
    DifferenceColumn,
    ConfidenceColumn,
    NoteColumn,
    ColumnCount
};

// Help contexts of the window's parts.
constexpr int ListHelpContext = 1401;
constexpr int PictureHelpContext = 1402;
constexpr int ApplyHelpContext = 1403;
constexpr int CheckHelpContext = 1404;

// The item column is no wider than this many characters, so that a long description does not
// push the colours out of view; its tooltip shows it whole.
constexpr int DescriptionChars = 40;

QIcon Swatch(const TRGBTriple& color)
{
    QPixmap pixmap(28, 14);
    pixmap.fill(ItemColorToQColor(color));
    QPainter painter(&pixmap);
    painter.setPen(QColor(96, 96, 96));
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

QString Code(const TRGBTriple& color)
{
    return QString::fromStdString(ColorCodeText(ItemColorToTColor(color)));
}

// Shown rounded down, so a reading just below the threshold never shows as reaching it.
QString Percentage(double share)
{
    return Text(ImportTexts::Percent)
        .arg(CountNumber(std::uint64_t(std::floor(share * 100.0 + 1e-9))));
}

QLabel* WrappedLabel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

QPushButton* Button(QWidget* parent, const char* name, int helpContext)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    SetHelpContext({button}, helpContext);
    return button;
}

} // namespace

TColorImportWindow::TColorImportWindow(TDocumentSeam& document, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , FDocument(document)
    , FSource(WrappedLabel(this, "ImportSource"))
    , FJpegNote(WrappedLabel(this, "ImportJpegNote"))
    , FSummary(WrappedLabel(this, "ImportSummary"))
    , FList(new QTreeWidget(this))
    , FCheckAll(Button(this, "ImportCheckAll", CheckHelpContext))
    , FCheckNone(Button(this, "ImportCheckNone", CheckHelpContext))
    , FApply(Button(this, "ImportApply", ApplyHelpContext))
    , FClose(Button(this, "ImportClose", ApplyHelpContext))
{
    setObjectName("ColorImportWindow");
    SetHelpContext({this}, ListHelpContext);
    SetHelpContext({FSource}, PictureHelpContext);
    SetHelpContext({FJpegNote}, PictureHelpContext);
    SetHelpContext({FSummary}, ListHelpContext);
    FJpegNote->hide();

    FList->setObjectName("ImportList");
    SetHelpContext({FList}, ListHelpContext);
    FList->setColumnCount(ColumnCount);
    FList->setRootIsDecorated(false);
    FList->setUniformRowHeights(true);
    FList->setAlternatingRowColors(true);
    FList->setSelectionMode(QAbstractItemView::SingleSelection);
    FList->setIconSize(QSize(28, 14));
    FList->header()->setStretchLastSection(true);
    FList->header()->setSectionsMovable(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(FCheckAll);
    buttons->addWidget(FCheckNone);
    buttons->addStretch();
    buttons->addWidget(FApply);
    buttons->addWidget(FClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FSource);
    layout->addWidget(FJpegNote);
    layout->addWidget(FList, 1);
    layout->addWidget(FSummary);
    layout->addLayout(buttons);
    resize(720, 520);

    connect(FCheckAll, &QPushButton::clicked, this, [this] { SetAllChecked(true); });
    connect(FCheckNone, &QPushButton::clicked, this, [this] { SetAllChecked(false); });
    connect(FApply, &QPushButton::clicked, this, [this] { Apply(); });
    connect(FClose, &QPushButton::clicked, this, &QWidget::close);
    connect(FList, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* entry, int column) {
        if (FFilling || column != NumberColumn || !(entry->flags() & Qt::ItemIsUserCheckable))
            return;
        FChoices[entry->data(NumberColumn, Qt::UserRole).toULongLong()]
            = entry->checkState(NumberColumn) == Qt::Checked;
        UpdateButtons();
    });
    // Enter or a double-click shows the item in the main window.
    connect(FList, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* entry) {
        FDocument.SelectItem(entry->data(NumberColumn, Qt::UserRole).toULongLong());
    });

    // A closed window only notes what it must do again, and does it when it shows.
    connect(&FDocument, &TDocumentSeam::ColorsChanged, this, [this] { Follow(TStale::Rows); });
    connect(&FDocument, &TDocumentSeam::DescriptionChanged, this, [this] { Follow(TStale::Rows); });
    connect(&FDocument, &TDocumentSeam::DocumentLoaded, this, [this] {
        FChoices.clear();
        Follow(TStale::Reading);
    });
    connect(&FDocument, &TDocumentSeam::PreviewLoaded, this, [this] { Follow(TStale::Reading); });
    connect(&FDocument, &TDocumentSeam::SelectionChanged, this,
        [this](int item) { FollowSelection(item); });
    connect(&FDocument, &TDocumentSeam::LanguageApplied, this, [this] { Retranslate(); });
    Retranslate();
}

void TColorImportWindow::SetPicture(TImportPicture picture, QString name)
{
    FPicture = std::move(picture);
    FName = std::move(name);
    FChoices.clear();
    Read();
    if (!FPlaced) {
        PlaceFirstTime();
        FPlaced = true;
    }
}

void TColorImportWindow::PlaceFirstTime()
{
    // Wide enough for every column, within the screen, over the middle of the main window.
    int width = 2 * FList->frameWidth() + FList->verticalScrollBar()->sizeHint().width();
    const QAbstractItemView& view = *FList;
    for (int column = 0; column < ColumnCount; ++column) {
        const int wanted
            = std::max(view.sizeHintForColumn(column), FList->header()->sectionSizeHint(column));
        width += column == ItemColumn ? std::min(wanted, DescriptionWidth()) : wanted;
    }
    const QMargins margins = layout()->contentsMargins();
    width += margins.left() + margins.right();
    const QWidget* owner = parentWidget();
    const QScreen* screen = owner != nullptr ? owner->screen() : this->screen();
    const QRect available
        = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    resize(std::min(width, available.width() * 9 / 10),
        std::min(height(), available.height() * 8 / 10));
    if (owner != nullptr) {
        QRect frame(QPoint(), size());
        frame.moveCenter(owner->frameGeometry().center());
        frame.moveLeft(std::clamp(frame.left(), available.left(),
            std::max(available.left(), available.right() - frame.width())));
        frame.moveTop(std::clamp(frame.top(), available.top(),
            std::max(available.top(), available.bottom() - frame.height())));
        move(frame.topLeft());
    }
}

void TColorImportWindow::Follow(TStale what)
{
    if (!isVisible()) {
        FStale = std::max(FStale, what);
        return;
    }
    if (what == TStale::Reading)
        Read();
    else
        Refresh();
}

void TColorImportWindow::showEvent(QShowEvent* event)
{
    if (FStale == TStale::Reading)
        Read();
    else if (FStale == TStale::Rows)
        Refresh();
    QWidget::showEvent(event);
}

void TColorImportWindow::Read()
{
    FStale = TStale::None;
    const TPreviewMap& map = FDocument.PreviewMap();
    const QImage& pixels = FPicture.Pixels;
    TScreenshotReading reading = ReadScreenshot(map, FDocument.ItemCount(), pixels.constBits(),
        pixels.width(), pixels.height(), pixels.bytesPerLine(), FPicture.Lossy);
    FScale = reading.Scale;
    FReadings = std::move(reading.Readings);
    ShowSourceLine();
    Refresh();
}

QString TColorImportWindow::SourceName() const
{
    return FName.isEmpty() ? Text(ImportTexts::Clipboard) : FName;
}

void TColorImportWindow::ShowSourceLine()
{
    const QImage& pixels = FPicture.Pixels;
    // In one pass, so that a "%2" in the picture's name stays as it is.
    const QString width = QString::number(pixels.width());
    const QString height = QString::number(pixels.height());
    FSource->setText(FScale > 1
            ? Text(ImportTexts::SourceScaled).arg(SourceName(), width, height, CountNumber(FScale))
            : Text(ImportTexts::Source).arg(SourceName(), width, height));
    FJpegNote->setText(Text(ImportTexts::JpegNote));
    FJpegNote->setVisible(FPicture.Lossy);
}

void TColorImportWindow::Refresh()
{
    if (FStale == TStale::Rows)
        FStale = TStale::None;
    const int current = FList->currentItem() != nullptr
        ? FList->currentItem()->data(NumberColumn, Qt::UserRole).toInt()
        : -1;
    FFilling = true;
    FList->clear();
    FRows.clear();
    std::vector<std::size_t> absent;
    if (FReadings) {
        FRows = ImportRows(*FReadings, FDocument.Colors());
        absent = ItemsNotOnPreview(*FReadings);
    }
    QList<QTreeWidgetItem*> entries;
    for (const TImportRow& row : FRows) {
        auto* entry = new QTreeWidgetItem;
        FillRow(*entry, row);
        entries.append(entry);
    }
    for (const std::size_t item : absent) {
        auto* entry = new QTreeWidgetItem;
        entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        entry->setData(NumberColumn, Qt::UserRole, qulonglong(item));
        entry->setText(NumberColumn, QString::number(item + 1));
        ShowDescription(*entry, item);
        entry->setIcon(NowColumn, Swatch(FDocument.Colors()[item]));
        entry->setText(NowColumn, Code(FDocument.Colors()[item]));
        entry->setText(NoteColumn, Text(ImportTexts::NotOnPreview));
        entry->setForeground(NoteColumn, palette().brush(QPalette::Disabled, QPalette::Text));
        entries.append(entry);
    }
    FList->addTopLevelItems(entries);
    for (int column = 0; column < NoteColumn; ++column)
        FList->resizeColumnToContents(column);
    FList->setColumnWidth(ItemColumn, std::min(FList->columnWidth(ItemColumn), DescriptionWidth()));
    for (QTreeWidgetItem* entry : entries) {
        if (entry->data(NumberColumn, Qt::UserRole).toInt() == current) {
            FList->setCurrentItem(entry);
            break;
        }
    }
    FFilling = false;

    if (!FReadings) {
        const TPreviewMap& map = FDocument.PreviewMap();
        if (map.Width() == 0 || map.Height() == 0)
            FSummary->setText(Text(ImportTexts::NoPreviewLoaded));
        else if (FScale == 0)
            FSummary->setText(Text(ImportTexts::WrongSize)
                                  .arg(FPicture.Pixels.width())
                                  .arg(FPicture.Pixels.height())
                                  .arg(map.Width())
                                  .arg(map.Height()));
        else
            FSummary->setText(Text(ImportTexts::TooManyItems).arg(CountNumber(MaxReadItems)));
    } else {
        FSummary->setText(Text(ImportTexts::Summary)
                              .arg(CountNumber(FRows.size()), CountNumber(FDocument.ItemCount()),
                                  CountNumber(absent.size())));
    }
    UpdateButtons();
}

void TColorImportWindow::FillRow(QTreeWidgetItem& entry, const TImportRow& row) const
{
    entry.setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    entry.setData(NumberColumn, Qt::UserRole, qulonglong(row.Item));
    const auto choice = FChoices.find(row.Item);
    const bool checked = choice != FChoices.end() ? choice->second : row.CheckedAtFirst;
    entry.setCheckState(NumberColumn, checked ? Qt::Checked : Qt::Unchecked);
    entry.setText(NumberColumn, QString::number(row.Item + 1));
    ShowDescription(entry, row.Item);
    entry.setIcon(NowColumn, Swatch(row.Old));
    entry.setText(NowColumn, Code(row.Old));
    entry.setIcon(ReadColumn, Swatch(row.New));
    entry.setText(ReadColumn, Code(row.New));
    entry.setText(DifferenceColumn, QLocale().toString(row.DeltaE, 'f', 1));
    entry.setTextAlignment(DifferenceColumn, Qt::AlignRight | Qt::AlignVCenter);
    entry.setText(ConfidenceColumn, Percentage(row.Confidence));
    entry.setTextAlignment(ConfidenceColumn, Qt::AlignRight | Qt::AlignVCenter);
    if (row.Presence == TItemPresence::Thin)
        entry.setText(NoteColumn, Text(ImportTexts::Thin));
}

void TColorImportWindow::ShowDescription(QTreeWidgetItem& entry, std::size_t item) const
{
    entry.setText(ItemColumn, FromWindows1252(FDocument.Description(item)));
    entry.setToolTip(ItemColumn, AsPlainText(entry.text(ItemColumn)));
}

int TColorImportWindow::DescriptionWidth() const
{
    return FList->fontMetrics().averageCharWidth() * DescriptionChars;
}

std::vector<std::size_t> TColorImportWindow::CheckedItems() const
{
    std::vector<std::size_t> items;
    for (int i = 0; i < FList->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* entry = FList->topLevelItem(i);
        if ((entry->flags() & Qt::ItemIsUserCheckable)
            && entry->checkState(NumberColumn) == Qt::Checked)
            items.push_back(entry->data(NumberColumn, Qt::UserRole).toULongLong());
    }
    std::sort(items.begin(), items.end());
    return items;
}

std::size_t TColorImportWindow::Apply()
{
    std::vector<TColorChange> changes;
    const std::vector<std::size_t> checked = CheckedItems();
    for (const TImportRow& row : FRows)
        if (std::binary_search(checked.begin(), checked.end(), row.Item))
            changes.push_back({row.Item, row.New});
    if (changes.empty())
        return 0;
    const TStepFacts facts = FName.isEmpty()
        ? TStepFacts {TStepKind::ImportClipboard, {}}
        : TStepFacts {TStepKind::ImportPicture, FName.toStdString()};
    const std::size_t changed = FDocument.ApplyColors(changes, facts).size();
    emit Applied(changed);
    return changed;
}

void TColorImportWindow::SetAllChecked(bool checked)
{
    FFilling = true;
    for (int i = 0; i < FList->topLevelItemCount(); ++i) {
        QTreeWidgetItem* entry = FList->topLevelItem(i);
        if (!(entry->flags() & Qt::ItemIsUserCheckable))
            continue;
        entry->setCheckState(NumberColumn, checked ? Qt::Checked : Qt::Unchecked);
        FChoices[entry->data(NumberColumn, Qt::UserRole).toULongLong()] = checked;
    }
    FFilling = false;
    UpdateButtons();
}

void TColorImportWindow::FollowSelection(int item)
{
    for (int i = 0; i < FList->topLevelItemCount(); ++i) {
        QTreeWidgetItem* entry = FList->topLevelItem(i);
        if (entry->data(NumberColumn, Qt::UserRole).toInt() == item) {
            FList->setCurrentItem(entry);
            FList->scrollToItem(entry);
            return;
        }
    }
}

void TColorImportWindow::UpdateButtons()
{
    const bool any = !FRows.empty();
    FCheckAll->setEnabled(any);
    FCheckNone->setEnabled(any);
    FApply->setEnabled(!CheckedItems().empty());
}

void TColorImportWindow::Retranslate()
{
    setWindowTitle(Text(ImportTexts::WindowTitle));
    FList->setHeaderLabels({Text(ImportTexts::ColumnNumber), Text(ImportTexts::ColumnItem),
        Text(ImportTexts::ColumnNow), Text(ImportTexts::ColumnRead),
        Text(ImportTexts::ColumnDifference), Text(ImportTexts::ColumnConfidence),
        Text(ImportTexts::ColumnNote)});
    QTreeWidgetItem* header = FList->headerItem();
    header->setToolTip(DifferenceColumn, Text(ImportTexts::DifferenceHint));
    header->setToolTip(ConfidenceColumn, Text(ImportTexts::ConfidenceHint));
    FCheckAll->setText(Text(ImportTexts::CheckAll));
    FCheckNone->setText(Text(ImportTexts::CheckNone));
    FApply->setText(Text(ImportTexts::Apply));
    FClose->setText(Text(ImportTexts::Close));
    ShowSourceLine();
    Refresh();
}

void TColorImportWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
