#include "preview/PreviewReadout.h"

#include "common/UiText.h"
#include "preview/ItemFlash.h"
#include "preview/PreviewImage.h"

#include <QAction>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTextDocument>
#include <QToolTip>

#include <utility>

namespace {

// Two alternations of the flash colour with the painted image, about 400 ms in all.
constexpr int FlashSteps = 4;
constexpr int FlashStepMilliseconds = 100;

// Descriptions are the user's text: one that looks like markup is shown as it is typed.
QString PlainToolTip(const QString& text)
{
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpaceNoWrap) : text;
}

} // namespace

TPreviewReadout::TPreviewReadout(
    TPreviewImage& preview, QListWidget& list, TPreviewReadoutSource source, QObject* parent)
    : QObject(parent)
    , FPreview(preview)
    , FList(list)
    , FListViewport(list.viewport())
    , FSource(std::move(source))
{
    if (!FSource.Description)
        FSource.Description = [this](std::size_t item) {
            const QListWidgetItem* entry = FList.item(int(item));
            return entry != nullptr ? ToWindows1252(entry->text()) : TAnsiString();
        };

    FShowSelectedItem = new QAction("Show selected item", this);
    FShowSelectedItem->setObjectName("ActionEditShowSelectedItem");
    FShowSelectedItem->setCheckable(true);
    // Turned on by the user, it shows at once what it does; turned off, a flash ends.
    connect(FShowSelectedItem, &QAction::triggered, this, [this](bool on) {
        if (on)
            StartFlash(SelectedRow());
    });
    connect(FShowSelectedItem, &QAction::toggled, this, [this](bool on) {
        if (!on)
            EndFlash(true);
    });

    FFlashTimer.setInterval(FlashStepMilliseconds);
    connect(&FFlashTimer, &QTimer::timeout, this, &TPreviewReadout::StepFlash);

    // The window selects from code with the list's signals blocked; the selection model still
    // reports it, so picks from the preview flash too. A click on the selected entry shows it
    // again.
    connect(FList.selectionModel(), &QItemSelectionModel::selectionChanged, this,
        [this] { StartFlash(SelectedRow()); });
    connect(&FList, &QListWidget::itemClicked, this, [this] { StartFlash(SelectedRow()); });

    FPreview.setMouseTracking(true);
    FPreview.installEventFilter(this);
    FListViewport->installEventFilter(this);
    PreviewLoaded();
}

TPreviewReadout::~TPreviewReadout() = default;

bool TPreviewReadout::FlashOnSelect() const
{
    return FShowSelectedItem->isChecked();
}

void TPreviewReadout::SetFlashOnSelect(bool flash)
{
    FShowSelectedItem->setChecked(flash);
}

void TPreviewReadout::PreviewLoaded()
{
    EndFlash(true);
    FNeighbours = TItemNeighbours(FSource.Map());
    FTipCell.reset();
}

void TPreviewReadout::PreviewPainted()
{
    EndFlash(true);
    FTipCell.reset();
}

TReadoutItems TPreviewReadout::Items() const
{
    return {FSource.ItemColors(), FSource.Description};
}

std::optional<std::uint32_t> TPreviewReadout::CellAt(QPoint position) const
{
    const TPreviewMap& map = FSource.Map();
    if (position.x() < 0 || position.y() < 0 || position.x() >= map.Width()
        || position.y() >= map.Height())
        return std::nullopt;
    return map.Cell(position.x(), position.y());
}

int TPreviewReadout::SelectedRow() const
{
    const QList<QListWidgetItem*> selected = FList.selectedItems();
    return selected.isEmpty() ? -1 : FList.row(selected.first());
}

QString TPreviewReadout::PreviewToolTip(QPoint position) const
{
    const auto cell = CellAt(position);
    if (!cell)
        return {};
    return PlainToolTip(FromWindows1252(CellReadoutText(*cell, Items())));
}

QString TPreviewReadout::EntryToolTip(int row) const
{
    if (row < 0)
        return {};
    return PlainToolTip(FromWindows1252(ItemEntryText(std::size_t(row), Items(), FNeighbours)));
}

bool TPreviewReadout::OwnPreviewTipShown() const
{
    return QToolTip::isVisible() && !FTipText.isEmpty() && QToolTip::text() == FTipText;
}

void TPreviewReadout::ShowPreviewTip(QPoint position, QPoint globalPosition, bool onlyWhenShown)
{
    const bool shown = OwnPreviewTipShown();
    if (onlyWhenShown && !shown)
        return;
    const auto cell = CellAt(position);
    if (shown && cell == FTipCell)
        return;
    FTipCell = cell;
    const QString text = PreviewToolTip(position);
    if (text.isEmpty()) {
        FTipText.clear();
        QToolTip::hideText();
        return;
    }
    // Qt moves a visible tip to the new text without hiding it first, so it does not flicker.
    if (!shown || text != FTipText)
        QToolTip::showText(globalPosition, text, &FPreview);
    FTipText = text;
}

bool TPreviewReadout::ShowEntryTip(QPoint position, QPoint globalPosition)
{
    QListWidgetItem* entry = FList.itemAt(position);
    const QString text = entry != nullptr ? EntryToolTip(FList.row(entry)) : QString();
    if (text.isEmpty()) {
        QToolTip::hideText();
        return false;
    }
    // The tip goes when the pointer leaves the entry, so the next entry gets its own.
    QToolTip::showText(globalPosition, text, FListViewport, FList.visualItemRect(entry));
    return true;
}

bool TPreviewReadout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &FPreview) {
        switch (event->type()) {
        case QEvent::ToolTip: {
            const auto* help = static_cast<QHelpEvent*>(event);
            ShowPreviewTip(help->pos(), help->globalPos(), false);
            return true;
        }
        case QEvent::MouseMove: {
            // Once the tip is up it follows the pointer; before that Qt's hover delay holds.
            const auto* move = static_cast<QMouseEvent*>(event);
            ShowPreviewTip(move->position().toPoint(), move->globalPosition().toPoint(), true);
            break;
        }
        case QEvent::Leave:
            FTipCell.reset();
            FTipText.clear();
            break;
        case QEvent::Paint:
            return PaintFlash(*static_cast<QPaintEvent*>(event));
        default:
            break;
        }
    } else if (watched == FListViewport && event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (!ShowEntryTip(help->pos(), help->globalPos()))
            event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void TPreviewReadout::StartFlash(int row)
{
    EndFlash(true);
    if (!FlashOnSelect() || row < 0)
        return;
    const QImage& image = std::as_const(FPreview).Image();
    const TPreviewMap& map = FSource.Map();
    if (image.isNull() || image.format() != QImage::Format_RGB888 || image.width() != map.Width()
        || image.height() != map.Height())
        return;
    // The flash is drawn from a copy; the preview's own image stays as it was painted.
    QImage flash = image.copy();
    if (flash.isNull()
        || PaintFlashPixels(map, std::size_t(row), flash.bits(), flash.bytesPerLine()) == 0)
        return;
    FFlashImage = std::move(flash);
    FFlashImageKey = image.cacheKey();
    FFlashStep = 0;
    FFlashTimer.start();
    FPreview.update();
}

void TPreviewReadout::StepFlash()
{
    if (ImageChanged() || ++FFlashStep >= FlashSteps) {
        EndFlash(true);
        return;
    }
    FPreview.update();
}

void TPreviewReadout::EndFlash(bool repaint)
{
    if (!Flashing())
        return;
    FFlashTimer.stop();
    FFlashImage = QImage();
    if (repaint)
        FPreview.update();
}

bool TPreviewReadout::ImageChanged() const
{
    // The key changes with every write to the image's pixels and with a new image, so a paint
    // or a load the window did not tell us about still ends the flash.
    return std::as_const(FPreview).Image().cacheKey() != FFlashImageKey;
}

bool TPreviewReadout::PaintFlash(const QPaintEvent& event)
{
    if (!Flashing())
        return false;
    if (ImageChanged()) {
        // This very paint shows the new image.
        EndFlash(false);
        return false;
    }
    if (FFlashStep % 2 != 0)
        return false;
    QPainter painter(&FPreview);
    const QRect area = event.rect() & FFlashImage.rect();
    painter.drawImage(area.topLeft(), FFlashImage, area);
    return true;
}
