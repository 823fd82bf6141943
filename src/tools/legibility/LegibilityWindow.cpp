#include "tools/legibility/LegibilityWindow.h"

#include "common/UiText.h"
#include "editing/ColorScience.h"
#include "i18n/ShownText.h"
#include "preview/ItemFlash.h"
#include "tools/DocumentSeam.h"
#include "tools/ToolPreferences.h"
#include "tools/VisionNames.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QScreen>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

enum TText {
    TitleOne,
    TitleMany,
    ThresholdLabel,
    ColumnItem,
    ColumnNeighbour,
    ColumnBorder,
    ColumnContrast,
    ColumnSeen,
    NoPairs,
    HardToTellText,
};

const TTextKey LegibilityTexts[] = {
    {"Legibility", "TitleOne", "Legibility: %1 pair hard to tell apart"},
    {"Legibility", "TitleMany", "Legibility: %1 pairs hard to tell apart"},
    {"Legibility", "Threshold", "Hard to tell &apart below %1:"},
    {"Legibility", "ColumnItem", "Item"},
    {"Legibility", "ColumnNeighbour", "Touches"},
    {"Legibility", "ColumnBorder", "Border (cells)"},
    {"Legibility", "ColumnContrast", "Contrast"},
    // The second line of a heading over figures worked out on simulated colours: the
    // simulation's name.
    {"Legibility", "ColumnSeen", "(%1)"},
    {"Legibility", "NoPairs", "No two items of this scheme touch on the preview."},
    {"Legibility", "HardToTellApart", "Hard to tell apart"},
};

QString Text(TText text)
{
    return ::Text(LegibilityTexts[text]);
}

// The difference's symbol, the same in every language (and not one Windows-1252 can hold).
QString DeltaESymbol()
{
    return QString::fromUtf8("\xCE\x94"
                             "E2000");
}

// Help contexts of the window and its controls.
constexpr int WindowHelpContext = 1101;
constexpr int PairsHelpContext = 1102;
constexpr int ThresholdHelpContext = 1103;

// Pixels between the window and the main window beside it.
constexpr int Gap = 8;

} // namespace

TLegibilityWindow::TLegibilityWindow(TDocumentSeam& document, TToolPreferences& preferences,
    TPreviewImage& preview, QWidget& mainWindow)
    : QWidget(&mainWindow, Qt::Window)
    , FDocument(document)
    , FPreferences(preferences)
    , FMainWindow(mainWindow)
    , FFlash(preview)
{
    setObjectName("LegibilityWindow");
    setProperty("HelpContext", WindowHelpContext);

    FThresholdLabel = new QLabel(this);
    FThresholdLabel->setObjectName("LegibilityThresholdLabel");
    FThresholdLabel->setTextFormat(Qt::PlainText);
    FThreshold = new QDoubleSpinBox(this);
    FThreshold->setObjectName("LegibilityThreshold");
    FThreshold->setProperty("HelpContext", ThresholdHelpContext);
    FThreshold->setDecimals(1);
    FThreshold->setRange(0.0, TToolPreferences::MaxLegibilityThreshold);
    FThreshold->setSingleStep(0.5);
    FThreshold->setValue(FPreferences.LegibilityThreshold());
    FThresholdLabel->setBuddy(FThreshold);

    FTable = new QTableView(this);
    FTable->setObjectName("LegibilityPairs");
    FTable->setProperty("HelpContext", PairsHelpContext);
    FTable->setModel(&FRows);
    FTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    FTable->setSelectionMode(QAbstractItemView::SingleSelection);
    FTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FTable->setTabKeyNavigation(false);
    FTable->setWordWrap(false);
    FTable->setAlternatingRowColors(true);
    FTable->verticalHeader()->hide();
    FTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    FTable->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    // Widths from the font, not from the rows: measuring a thousand rows on every update would
    // cost more than the update itself.
    QHeaderView* header = FTable->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSectionResizeMode(TLegibilityRows::ColumnFirst, QHeaderView::Stretch);
    header->setSectionResizeMode(TLegibilityRows::ColumnSecond, QHeaderView::Stretch);
    header->setHighlightSections(false);

    FNoPairs = new QLabel(this);
    FNoPairs->setObjectName("LegibilityNoPairs");
    FNoPairs->setTextFormat(Qt::PlainText);
    FNoPairs->hide();

    auto* thresholdRow = new QHBoxLayout;
    thresholdRow->addWidget(FThresholdLabel);
    thresholdRow->addWidget(FThreshold);
    thresholdRow->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(thresholdRow);
    layout->addWidget(FTable, 1);
    layout->addWidget(FNoPairs);

    auto* closeAction = new QAction(this);
    closeAction->setShortcut(QKeySequence(Qt::Key_Escape));
    closeAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(closeAction);
    connect(closeAction, &QAction::triggered, this, &QWidget::close);

    connect(FThreshold, &QDoubleSpinBox::valueChanged, this,
        [this](double value) { FPreferences.SetLegibilityThreshold(value); });
    // A row is chosen when it is selected (a click, the arrow keys); the table's focus alone
    // makes a row current without selecting it, and chooses nothing.
    connect(FTable->selectionModel(), &QItemSelectionModel::selectionChanged, this,
        [this](const QItemSelection& selected) {
            if (!FRestoring && !selected.indexes().isEmpty())
                Choose(selected.indexes().first().row());
        });
    // Enter, a double click, or a click on the row already chosen shows the border again.
    connect(FTable, &QAbstractItemView::activated, this,
        [this](const QModelIndex& index) { Choose(index.row()); });
    connect(FTable, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (!FFlash.Flashing())
            Choose(index.row());
    });

    connect(&FDocument, &TDocumentSeam::ColorsChanged, this, &TLegibilityWindow::ColorsChanged);
    connect(&FDocument, &TDocumentSeam::DescriptionChanged, this,
        &TLegibilityWindow::DescriptionChanged);
    connect(&FDocument, &TDocumentSeam::DocumentLoaded, this, [this] {
        FStale = true;
        if (isVisible())
            Rebuild();
    });
    connect(&FDocument, &TDocumentSeam::PreviewLoaded, this, [this] {
        FStale = true;
        if (isVisible())
            Rebuild();
    });
    connect(&FPreferences, &TToolPreferences::LegibilityThresholdChanged, this,
        &TLegibilityWindow::ThresholdChanged);
    connect(&FPreferences, &TToolPreferences::VisionChanged, this, [this] {
        Retranslate();
        FStale = true;
        if (isVisible())
            Rebuild();
    });

    Retranslate();
    resize(640, 400);
}

std::span<const TTextKey> TLegibilityWindow::Texts()
{
    return LegibilityTexts;
}

void TLegibilityWindow::Open()
{
    if (!FPlaced) {
        FPlaced = true;
        const QRect main = FMainWindow.frameGeometry();
        QRect placed(QPoint(main.right() + Gap, main.top()), size());
        if (const QScreen* screen = FMainWindow.screen()) {
            // Beside the main window where the screen has room; else over the left side of the
            // main window, where the item list is, so the preview and its flashes stay in view.
            const QRect room = screen->availableGeometry();
            if (placed.right() > room.right())
                placed.moveRight(main.left() - Gap);
            placed.moveLeft(std::max(placed.left(), room.left()));
            placed.moveBottom(std::min(placed.bottom(), room.bottom()));
            placed.moveTop(std::max(placed.top(), room.top()));
        }
        move(placed.topLeft());
    }
    show();
    raise();
    activateWindow();
    FTable->setFocus();
}

void TLegibilityWindow::Retranslate()
{
    FThresholdLabel->setText(Text(ThresholdLabel).arg(DeltaESymbol()));
    FNoPairs->setText(Text(NoPairs));
    FRows.SetTexts(Headings(), Text(HardToTellText));
    const QFontMetrics metrics = FTable->horizontalHeader()->fontMetrics();
    const QString samples[]
        = {QStringLiteral("00000"), QStringLiteral("100.0"), QStringLiteral("21.00:1")};
    for (int column = TLegibilityRows::ColumnBorder; column < TLegibilityRows::ColumnCount;
         ++column) {
        const QString heading
            = FRows.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        const int width = std::max(metrics.size(0, heading).width(),
            metrics.horizontalAdvance(samples[column - TLegibilityRows::ColumnBorder]));
        FTable->horizontalHeader()->resizeSection(column, width + 24);
    }
    ShowTitle();
}

void TLegibilityWindow::showEvent(QShowEvent* event)
{
    if (FStale)
        Rebuild();
    QWidget::showEvent(event);
}

TRGBTriple TLegibilityWindow::Judged(const TRGBTriple& color) const
{
    const TVisionDeficiency vision = FPreferences.Vision();
    return vision == TVisionDeficiency::Normal ? color : SimulateVision(vision, color);
}

void TLegibilityWindow::Rebuild()
{
    const std::span<const TRGBTriple> colors = FDocument.Colors();
    std::vector<TRGBTriple> judged(colors.size());
    std::transform(colors.begin(), colors.end(), judged.begin(),
        [this](const TRGBTriple& color) { return Judged(color); });
    QStringList descriptions;
    descriptions.reserve(qsizetype(colors.size()));
    for (std::size_t item = 0; item < colors.size(); ++item)
        descriptions.append(FromWindows1252(FDocument.Description(item)));
    FRows.Reset(FDocument.Neighbours().TouchingPairs(), colors, judged, std::move(descriptions),
        FPreferences.LegibilityThreshold());
    FStale = false;
    RowsChanged();
}

void TLegibilityWindow::ColorsChanged(const std::vector<std::size_t>& items)
{
    if (!isVisible()) {
        FStale = true;
        return;
    }
    if (FStale) {
        Rebuild();
        return;
    }
    const std::span<const TRGBTriple> colors = FDocument.Colors();
    std::vector<TColorChange> real;
    std::vector<TColorChange> judged;
    for (const std::size_t item : items) {
        if (item >= colors.size())
            continue;
        real.push_back({item, colors[item]});
        judged.push_back({item, Judged(colors[item])});
    }
    FRows.SetColors(real, judged);
    RowsChanged();
}

void TLegibilityWindow::DescriptionChanged(std::size_t item)
{
    if (!isVisible()) {
        FStale = true;
        return;
    }
    FRows.SetDescription(item, FromWindows1252(FDocument.Description(item)));
}

void TLegibilityWindow::ThresholdChanged(double threshold)
{
    if (FThreshold->value() != threshold) {
        // The box rounds to its decimals; the preference keeps the value it was given.
        const QSignalBlocker blocker(FThreshold);
        FThreshold->setValue(threshold);
    }
    if (!isVisible()) {
        FStale = true;
        return;
    }
    FRows.SetThreshold(threshold);
    RowsChanged();
}

void TLegibilityWindow::RowsChanged()
{
    ShowTitle();
    const bool empty = FRows.rowCount() == 0;
    FNoPairs->setVisible(empty);
    if (!FChosen)
        return;
    // The chosen pair stays chosen wherever its row went; putting it back is not a new choice.
    const auto row = FRows.Legibility().RowOf(FChosen->first, FChosen->second);
    if (!row)
        return;
    FRestoring = true;
    FTable->selectionModel()->setCurrentIndex(
        FRows.index(int(*row), 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    FRestoring = false;
}

void TLegibilityWindow::Choose(int row)
{
    if (row < 0 || row >= FRows.rowCount())
        return;
    const TLegibilityRow& pair = FRows.Row(row);
    const std::size_t first = pair.First;
    const std::size_t second = pair.Second;
    FChosen = std::make_pair(first, second);
    FDocument.SelectItem(first);
    const TPreviewMap& map = FDocument.PreviewMap();
    FFlash.Start(map, [&map, first, second](std::uint8_t* pixels, std::ptrdiff_t bytesPerLine) {
        return PaintBorderFlashPixels(map, first, second, pixels, bytesPerLine);
    });
}

QStringList TLegibilityWindow::Headings() const
{
    QString deltaE = DeltaESymbol();
    QString contrast = Text(ColumnContrast);
    const TVisionDeficiency vision = FPreferences.Vision();
    if (vision != TVisionDeficiency::Normal) {
        // The figures are worked out on the colours the simulation shows.
        const QString seen = QLatin1Char('\n') + Text(ColumnSeen).arg(VisionNameText(vision));
        deltaE += seen;
        contrast += seen;
    }
    return {Text(ColumnItem), Text(ColumnNeighbour), Text(ColumnBorder), deltaE, contrast};
}

void TLegibilityWindow::ShowTitle()
{
    const std::size_t flagged = FRows.Legibility().FlaggedCount();
    setWindowTitle(CountText(LegibilityTexts[TitleOne], LegibilityTexts[TitleMany], flagged));
}
