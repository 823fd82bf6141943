#include "tools/find/FindWindow.h"

#include "common/UiText.h"
#include "editing/ColorNotation.h"
#include "editing/QtColors.h"
#include "tools/DocumentSeam.h"
#include "tools/find/FindAndRecolor.h"
#include "tools/find/FindAndRecolorTexts.h"
#include "tools/ToolWindowPlacement.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QCheckBox>
#include <QColor>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>
#include <vector>

// The results as rows of three columns. The model keeps only the items found; their colours
// and descriptions are read from the document as the view asks, so a list of 100,000 results
// costs nothing until it is scrolled.
class TFindResultsModel : public QAbstractTableModel
{
public:
    enum TColumn { ColorColumn, NumberColumn, DescriptionColumn, ColumnCount };

    TFindResultsModel(TDocumentSeam& document, QObject* parent)
        : QAbstractTableModel(parent)
        , FDocument(document)
    { }

    void SetResults(std::vector<TFindHit> results)
    {
        beginResetModel();
        FResults = std::move(results);
        FSwatches.clear();
        endResetModel();
    }
    const std::vector<TFindHit>& Results() const { return FResults; }

    void Retranslate() { emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1); }

    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : int(FResults.size());
    }
    int columnCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : ColumnCount;
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || std::size_t(index.row()) >= FResults.size())
            return {};
        const std::size_t item = FResults[std::size_t(index.row())].Item;
        if (item >= FDocument.ItemCount())
            return {};
        const TRGBTriple& color = FDocument.Colors()[item];
        switch (index.column()) {
        case ColorColumn:
            if (role == Qt::DisplayRole)
                return QString::fromStdString(HashColorCode(color));
            if (role == Qt::DecorationRole)
                return Swatch(ItemColorToQColor(color));
            break;
        case NumberColumn:
            if (role == Qt::DisplayRole)
                return QString::number(item + 1);
            if (role == Qt::TextAlignmentRole)
                return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
            break;
        case DescriptionColumn:
            if (role == Qt::DisplayRole)
                return FromWindows1252(FDocument.Description(item));
            break;
        default:
            break;
        }
        return {};
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        switch (section) {
        case ColorColumn:
            return FindText(TFindText::ColumnColor);
        case NumberColumn:
            return FindText(TFindText::ColumnNumber);
        case DescriptionColumn:
            return FindText(TFindText::ColumnDescription);
        default:
            return {};
        }
    }

private:
    // The same in a selected row: Qt would tint a plain colour with the selection's.
    QIcon Swatch(const QColor& color) const
    {
        const auto found = FSwatches.constFind(color.rgb());
        if (found != FSwatches.constEnd())
            return *found;
        QPixmap pixmap(16, 12);
        pixmap.fill(color);
        QPainter painter(&pixmap);
        painter.setPen(QColor(Qt::darkGray));
        painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
        painter.end();
        QIcon icon;
        icon.addPixmap(pixmap, QIcon::Normal);
        icon.addPixmap(pixmap, QIcon::Selected);
        // Only the rows in view ask, so this stays small; it starts afresh with each result set.
        FSwatches.insert(color.rgb(), icon);
        return icon;
    }

    TDocumentSeam& FDocument;
    std::vector<TFindHit> FResults;
    mutable QHash<QRgb, QIcon> FSwatches;
};

namespace {

constexpr int QueryContext = 1301;
constexpr int FiltersContext = 1302;
constexpr int ResultsContext = 1303;

bool IsEnter(const QKeyEvent& key)
{
    return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
        && (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

} // namespace

TFindWindow::TFindWindow(TFindAndRecolor& tool, TDocumentSeam& document, QWidget& parent)
    : QDialog(&parent, Qt::Tool)
    , FTool(tool)
    , FDocument(document)
{
    setObjectName("FindWindow");
    setSizeGripEnabled(true);

    FQueryLabel = new QLabel(this);
    FQuery = new QLineEdit(this);
    FQuery->setObjectName("FindQuery");
    FQuery->setClearButtonEnabled(true);
    FQueryLabel->setBuddy(FQuery);
    FQuery->setProperty("HelpContext", QueryContext);
    FQueryLabel->setProperty("HelpContext", QueryContext);

    FChanged = new QCheckBox(this);
    FChanged->setObjectName("FindChanged");
    FNotOnPreview = new QCheckBox(this);
    FNotOnPreview->setObjectName("FindNotOnPreview");
    FHardToTell = new QCheckBox(this);
    FHardToTell->setObjectName("FindHardToTell");
    for (QCheckBox* filter : {FChanged, FNotOnPreview, FHardToTell}) {
        filter->setProperty("HelpContext", FiltersContext);
        connect(filter, &QCheckBox::toggled, this, &TFindWindow::FiltersToggled);
    }

    FModel = new TFindResultsModel(document, this);
    FResults = new QTreeView(this);
    FResults->setObjectName("FindResults");
    FResults->setModel(FModel);
    FResults->setRootIsDecorated(false);
    FResults->setUniformRowHeights(true);
    FResults->setAllColumnsShowFocus(true);
    FResults->setSelectionMode(QAbstractItemView::SingleSelection);
    FResults->setSelectionBehavior(QAbstractItemView::SelectRows);
    FResults->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FResults->setProperty("HelpContext", ResultsContext);
    FResults->header()->setStretchLastSection(true);
    FResults->header()->setSectionsMovable(false);
    FResults->setColumnWidth(TFindResultsModel::ColorColumn, 96);
    FResults->setColumnWidth(TFindResultsModel::NumberColumn, 64);
    FResults->installEventFilter(this);
    FQuery->installEventFilter(this);
    connect(FResults, &QTreeView::doubleClicked, this,
        [this](const QModelIndex& index) { FTool.SelectResult(std::size_t(index.row())); });

    FCount = new QLabel(this);
    FCount->setObjectName("FindCount");
    FCount->setTextFormat(Qt::PlainText);
    FCount->setProperty("HelpContext", ResultsContext);
    FSelect = new QPushButton(this);
    FSelect->setObjectName("FindSelect");
    FSelect->setDefault(true);
    FClose = new QPushButton(this);
    FClose->setObjectName("FindClose");
    FClose->setAutoDefault(false);
    connect(FSelect, &QPushButton::clicked, this, &TFindWindow::SelectCurrent);
    connect(FClose, &QPushButton::clicked, this, &TFindWindow::reject);

    auto* queryRow = new QHBoxLayout;
    queryRow->addWidget(FQueryLabel);
    queryRow->addWidget(FQuery, 1);
    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(FChanged);
    filterRow->addWidget(FNotOnPreview);
    filterRow->addWidget(FHardToTell);
    filterRow->addStretch(1);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(FCount, 1);
    buttonRow->addWidget(FSelect);
    buttonRow->addWidget(FClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(queryRow);
    layout->addLayout(filterRow);
    layout->addWidget(FResults, 1);
    layout->addLayout(buttonRow);

    connect(FQuery, &QLineEdit::textChanged, &FTool, &TFindAndRecolor::SetQuery);
    connect(&FTool, &TFindAndRecolor::ResultsChanged, this, [this] {
        if (isVisible())
            Refresh();
    });
    connect(&FDocument, &TDocumentSeam::LanguageApplied, this, &TFindWindow::Retranslate);

    FQuery->setText(FTool.Query());
    const TFindFilters& filters = FTool.Filters();
    FChanged->setChecked(filters.Changed);
    FNotOnPreview->setChecked(filters.NotOnPreview);
    FHardToTell->setChecked(filters.HardToTellApart);
    Retranslate();
    resize(520, 440);
    PlaceBeside(*this, parent);
}

TFindWindow::~TFindWindow() = default;

void TFindWindow::Open()
{
    show();
    raise();
    activateWindow();
    FQuery->setFocus(Qt::ShortcutFocusReason);
    FQuery->selectAll();
}

void TFindWindow::Retranslate()
{
    setWindowTitle(FindText(TFindText::FindTitle));
    FQueryLabel->setText(FindText(TFindText::FindLabel));
    FQuery->setPlaceholderText(FindText(TFindText::FindPlaceholder));
    FChanged->setText(FindText(TFindText::FindChanged));
    FNotOnPreview->setText(FindText(TFindText::FindNotOnPreview));
    FHardToTell->setText(FindText(TFindText::FindHardToTell));
    FSelect->setText(FindText(TFindText::Select));
    FClose->setText(FindText(TFindText::Close));
    FModel->Retranslate();
    if (isVisible())
        Refresh();
}

void TFindWindow::FiltersToggled()
{
    TFindFilters filters;
    filters.Changed = FChanged->isChecked();
    filters.NotOnPreview = FNotOnPreview->isChecked();
    filters.HardToTellApart = FHardToTell->isChecked();
    FTool.SetFilters(filters);
}

void TFindWindow::showEvent(QShowEvent* event)
{
    Refresh();
    QDialog::showEvent(event);
}

void TFindWindow::Refresh()
{
    // The current row stays on its item when that is still found.
    const QModelIndex current = FResults->currentIndex();
    std::optional<std::size_t> currentItem;
    if (current.isValid() && std::size_t(current.row()) < FModel->Results().size())
        currentItem = FModel->Results()[std::size_t(current.row())].Item;

    FModel->SetResults(FTool.Results());
    const std::vector<TFindHit>& results = FModel->Results();
    if (!FTool.Searching())
        FCount->clear();
    else if (results.empty())
        FCount->setText(FindText(TFindText::FoundNone));
    else
        FCount->setText(FindCountText(TFindText::FoundOne, TFindText::FoundMany, results.size()));

    int row = results.empty() ? -1 : 0;
    if (currentItem) {
        const auto found = std::find_if(results.begin(), results.end(),
            [&](const TFindHit& hit) { return hit.Item == *currentItem; });
        if (found != results.end())
            row = int(found - results.begin());
    }
    if (row >= 0)
        ShowCurrent(std::size_t(row));
    FSelect->setEnabled(!results.empty());
}

void TFindWindow::ShowCurrent(std::size_t position)
{
    if (!isVisible() || position >= FModel->Results().size())
        return;
    const QModelIndex index = FModel->index(int(position), 0);
    FResults->setCurrentIndex(index);
    FResults->scrollTo(index);
}

void TFindWindow::SelectCurrent()
{
    const QModelIndex current = FResults->currentIndex();
    if (FModel->Results().empty())
        return;
    FTool.SelectResult(current.isValid() ? std::size_t(current.row()) : 0);
}

bool TFindWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (IsEnter(*key)) {
            SelectCurrent();
            return true;
        }
        // From the query field, the keys that move through a list move through the results.
        if (watched == FQuery) {
            switch (key->key()) {
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown:
                QApplication::sendEvent(FResults, event);
                return true;
            default:
                break;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}
