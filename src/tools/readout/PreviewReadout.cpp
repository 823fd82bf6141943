#include "tools/readout/PreviewReadout.h"

#include "common/OwnSettings.h"
#include "common/UiText.h"
#include "preview/ItemFlash.h"
#include "preview/PreviewImage.h"
#include "tools/DocumentSeam.h"
#include "tools/ToolPreferences.h"

#include <QHelpEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QTextDocument>
#include <QToolTip>

#include <utility>

namespace {

constexpr const char* ShowSelectedItemSetting = "ShowSelectedItem";

// The read-outs' words, in the order of TReadoutWords.
const TReadoutWords EnglishWords;
const TTextKey WordKeys[] = {
    {"Readouts", "Item", EnglishWords.Item.c_str()},
    {"Readouts", "Fixed", EnglishWords.Fixed.c_str()},
    {"Readouts", "NotInScheme", EnglishWords.NotInScheme.c_str()},
    {"Readouts", "NotOnPreview", EnglishWords.NotOnPreview.c_str()},
    {"Readouts", "BordersNothing", EnglishWords.BordersNothing.c_str()},
    {"Readouts", "BordersOne", EnglishWords.BordersOne.c_str()},
    {"Readouts", "BordersSome", EnglishWords.BordersSome.c_str()},
    {"Readouts", "BordersMany", EnglishWords.BordersMany.c_str()},
    {"Readouts", "Neighbour", EnglishWords.Neighbour.c_str()},
    {"Readouts", "HardToTell", EnglishWords.HardToTell.c_str()},
    // Shown only while a colour filter is on, so it stands with the simulation's texts.
    {"Vision", "SeenAs", EnglishWords.SeenAs.c_str()},
    {"Readouts", "ChangedFrom", EnglishWords.ChangedFrom.c_str()},
    {"Readouts", "NoDescription", EnglishWords.NoDescription.c_str()},
};

TReadoutWords CurrentWords()
{
    TAnsiString TReadoutWords::*const fields[] = {&TReadoutWords::Item, &TReadoutWords::Fixed,
        &TReadoutWords::NotInScheme, &TReadoutWords::NotOnPreview, &TReadoutWords::BordersNothing,
        &TReadoutWords::BordersOne, &TReadoutWords::BordersSome, &TReadoutWords::BordersMany,
        &TReadoutWords::Neighbour, &TReadoutWords::HardToTell, &TReadoutWords::SeenAs,
        &TReadoutWords::ChangedFrom, &TReadoutWords::NoDescription};
    static_assert(std::size(fields) == std::size(WordKeys));
    TReadoutWords words;
    for (std::size_t i = 0; i < std::size(fields); ++i)
        words.*fields[i] = OwnText(WordKeys[i]);
    words.Numbers = ShownNumberFormat();
    return words;
}

} // namespace

TPreviewReadout::TPreviewReadout(const TToolContext& context, QObject* parent)
    : TTool(context, parent)
    , FPreview(context.Preview)
    , FList(context.ItemList)
    , FListViewport(context.ItemList.viewport())
    , FFlash(context.Preview)
{
    SetCommands({
        {.Text = {"ActionEditShowSelectedItem", "Show &selected item",
             "Flash the selected item's pixels on the preview", "", "Readouts", "ShowSelectedItem",
             "ShowSelectedItemHint", TToolCommandKind::Checkable},
            // Turned on by the user, it shows at once what it does; turned off, a flash ends.
            .Toggle =
                [this](bool on) {
                    SetFlashOnSelect(on);
                    if (on)
                        StartFlash(SelectedRow());
                },
            .Checked = [this] { return FFlashOnSelect; }},
    });
    // A selection from code (a pick on the preview, a load) flashes too; a click on the selected
    // entry shows it again, once the flash its press started is over.
    connect(&Document(), &TDocumentSeam::SelectionChanged, this,
        [this](int item) { StartFlash(item); });
    connect(&FList, &QListWidget::itemClicked, this, [this] {
        if (!FFlash.Flashing())
            StartFlash(SelectedRow());
    });
    connect(&Document(), &TDocumentSeam::PreviewLoaded, this, &TPreviewReadout::PreviewLoaded);
    connect(&Document(), &TDocumentSeam::PreviewPainted, this, &TPreviewReadout::PreviewPainted);
    connect(&Context().Preferences, &TToolPreferences::LegibilityThresholdChanged, this,
        &TPreviewReadout::RefreshEntryTip);

    FPreview.setMouseTracking(true);
    FPreview.installEventFilter(this);
    FListViewport->installEventFilter(this);
    PreviewLoaded();
}

TPreviewReadout::~TPreviewReadout() = default;

std::span<const TTextKey> TPreviewReadout::Texts() const
{
    return WordKeys;
}

void TPreviewReadout::ReadSettings(const std::filesystem::path& settingsFile)
{
    SetFlashOnSelect(ReadOwnFlag(settingsFile, ShowSelectedItemSetting));
}

void TPreviewReadout::WriteSettings(const std::filesystem::path& settingsFile) const
{
    WriteOwnFlag(settingsFile, ShowSelectedItemSetting, FFlashOnSelect);
}

bool TPreviewReadout::FlashOnSelect() const
{
    return FFlashOnSelect;
}

void TPreviewReadout::SetFlashOnSelect(bool flash)
{
    FFlashOnSelect = flash;
    if (!flash)
        FFlash.End();
}

void TPreviewReadout::PreviewLoaded()
{
    FFlash.End();
    FTipCell.reset();
}

void TPreviewReadout::PreviewPainted()
{
    FFlash.End();
    FTipCell.reset();
}

TReadoutItems TPreviewReadout::Items() const
{
    return {Document().Colors(), [this](std::size_t item) { return Document().Description(item); },
        CurrentWords(), &Document().Saved()};
}

std::optional<std::uint32_t> TPreviewReadout::CellAt(QPoint position) const
{
    const TPreviewMap& map = Document().PreviewMap();
    if (position.x() < 0 || position.y() < 0 || position.x() >= map.Width()
        || position.y() >= map.Height())
        return std::nullopt;
    return map.Cell(position.x(), position.y());
}

int TPreviewReadout::SelectedRow() const
{
    return Document().SelectedItem();
}

QString TPreviewReadout::PreviewToolTip(QPoint position) const
{
    const auto cell = CellAt(position);
    if (!cell)
        return {};
    // Under a colour filter the text names the colour painted beside the real one.
    return AsPlainText(FromWindows1252(CellReadoutText(*cell, Items(),
        [this](const TRGBTriple& color) { return Document().PaintedColor(color); })));
}

QString TPreviewReadout::EntryToolTip(int row) const
{
    if (row < 0)
        return {};
    return AsPlainText(FromWindows1252(ItemEntryText(std::size_t(row), Items(),
        Document().Neighbours(), Context().Preferences.LegibilityThreshold())));
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
    FEntryTipRow = entry != nullptr ? FList.row(entry) : -1;
    FEntryTipPosition = globalPosition;
    FEntryTipText = EntryToolTip(FEntryTipRow);
    if (FEntryTipText.isEmpty()) {
        QToolTip::hideText();
        return false;
    }
    // The tip goes when the pointer leaves the entry, so the next entry gets its own.
    QToolTip::showText(globalPosition, FEntryTipText, FListViewport, FList.visualItemRect(entry));
    return true;
}

void TPreviewReadout::RefreshEntryTip()
{
    if (!QToolTip::isVisible() || FEntryTipText.isEmpty() || QToolTip::text() != FEntryTipText)
        return;
    QListWidgetItem* entry = FList.item(FEntryTipRow);
    if (entry == nullptr)
        return;
    FEntryTipText = EntryToolTip(FEntryTipRow);
    QToolTip::showText(
        FEntryTipPosition, FEntryTipText, FListViewport, FList.visualItemRect(entry));
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
    FFlash.End();
    if (!FlashOnSelect() || row < 0)
        return;
    const TPreviewMap& map = Document().PreviewMap();
    FFlash.Start(map, [&map, row](std::uint8_t* pixels, std::ptrdiff_t bytesPerLine) {
        return PaintFlashPixels(map, std::size_t(row), pixels, bytesPerLine);
    });
}
