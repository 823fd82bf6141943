#include "app/WindowDocument.h"

#include "app/MainForm.h"
#include "common/UiText.h"
#include "preview/PreviewPainter.h"

#include <QItemSelectionModel>
#include <QListWidget>

#include <algorithm>

TWindowDocument::TWindowDocument(TMainForm& form)
    : TDocumentSeam(&form)
    , FForm(form)
{
    // However the selection changes (the user, a pick on the preview, a load), the list's
    // selection model says so, even while the list's own signals are blocked.
    connect(FForm.ListBox1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
        [this] { emit SelectionChanged(SelectedItem()); });
}

std::span<const TRGBTriple> TWindowDocument::Colors() const
{
    return FForm.FItems;
}

TAnsiString TWindowDocument::Description(std::size_t item) const
{
    const QListWidgetItem* entry
        = item < FForm.FItems.size() ? FForm.ListBox1->item(int(item)) : nullptr;
    return entry != nullptr ? ToWindows1252(entry->text()) : TAnsiString();
}

const TSavedScheme& TWindowDocument::Saved() const
{
    return FForm.FSaved;
}

const TColorHistory& TWindowDocument::History() const
{
    return FForm.FHistory;
}

std::filesystem::path TWindowDocument::FileName() const
{
    return FForm.FFileName;
}

const TPreviewMap& TWindowDocument::PreviewMap() const
{
    return FForm.FPreviewMap;
}

int TWindowDocument::SelectedItem() const
{
    return FForm.SelectedRow();
}

void TWindowDocument::SelectItem(std::size_t item)
{
    if (item >= FForm.FItems.size())
        return;
    FForm.SelectListRow(int(item));
    FForm.ShowSelectedItem();
}

std::vector<std::size_t> TWindowDocument::ApplyColors(
    std::span<const TColorChange> changes, const TStepFacts& facts)
{
    return FForm.ApplyColorChanges(changes, facts);
}

void TWindowDocument::MoveInHistory(int steps)
{
    FForm.MoveInHistory(steps);
}

void TWindowDocument::SetPaintTransform(const QObject* owner, TPaintTransform transform)
{
    const auto found = std::find_if(FTransforms.begin(), FTransforms.end(),
        [owner](const auto& entry) { return entry.first == owner; });
    if (found != FTransforms.end())
        found->second = std::move(transform);
    else
        FTransforms.emplace_back(owner, std::move(transform));
    FForm.PaintPreview();
}

void TWindowDocument::ClearPaintTransform(const QObject* owner)
{
    const auto found = std::find_if(FTransforms.begin(), FTransforms.end(),
        [owner](const auto& entry) { return entry.first == owner; });
    if (found == FTransforms.end())
        return;
    FTransforms.erase(found);
    FForm.PaintPreview();
}

TRGBTriple TWindowDocument::PaintedColor(const TRGBTriple& color) const
{
    TRGBTriple painted = color;
    for (const auto& [owner, transform] : FTransforms) {
        if (transform.Color)
            painted = transform.Color(painted);
    }
    return painted;
}

void TWindowDocument::Paint(const TPreviewMap& map, const std::vector<TRGBTriple>& itemColors,
    std::uint8_t* pixels, std::ptrdiff_t bytesPerLine) const
{
    if (FTransforms.empty()) {
        PaintPreviewPixels(map, itemColors, pixels, bytesPerLine);
        return;
    }
    // Only the colours the painter reads are transformed, however long the document.
    std::vector<TRGBTriple> colors(itemColors.begin(),
        itemColors.begin() + std::ptrdiff_t(std::min(itemColors.size(), PaintedItemCount)));
    bool filtered = false;
    for (const auto stage :
        {TPaintTransform::TStage::OtherColors, TPaintTransform::TStage::TriedChanges}) {
        for (const auto& [owner, transform] : FTransforms) {
            if (transform.ItemColors && transform.Stage == stage)
                transform.ItemColors(colors);
        }
    }
    for (const auto& [owner, transform] : FTransforms)
        filtered = filtered || bool(transform.Color);
    if (!filtered) {
        PaintPreviewPixels(map, colors, pixels, bytesPerLine);
        return;
    }
    // Each item colour is filtered once per paint, each fixed colour once as it is first met.
    for (TRGBTriple& color : colors)
        color = PaintedColor(color);
    PaintPreviewPixelsThrough(
        map, colors, [this](const TRGBTriple& color) { return PaintedColor(color); }, pixels,
        bytesPerLine);
}
