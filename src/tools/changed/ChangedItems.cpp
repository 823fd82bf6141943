#include "tools/changed/ChangedItems.h"

#include "i18n/ShownText.h"
#include "tools/DocumentSeam.h"
#include "tools/StatusPanel.h"

#include <QFont>
#include <QListWidget>

#include <algorithm>
#include <span>
#include <utility>
#include <vector>

namespace {

const TTextKey SavedColorsStatus {
    "ChangedItems", "SavedColorsStatus", "Saved colors: %1 items differ"};
const TTextKey SavedColorsStatusOne {
    "ChangedItems", "SavedColorsStatusOne", "Saved colors: %1 item differs"};
const TTextKey ChangedTexts[] = {SavedColorsStatus, SavedColorsStatusOne};

} // namespace

TChangedItems::TChangedItems(const TToolContext& context, QObject* parent)
    : TTool(context, parent)
    , FList(context.ItemList)
{
    SetCommands({
        {.Text = {"ActionEditRevertItem", "Re&vert item to saved color",
             "Give the selected item its color as last opened or saved", "", "ChangedItems",
             "RevertItem", "RevertItemHint"},
            .Run = [this] { RevertSelectedItem(); },
            .Enabled =
                [this] {
                    const int item = Document().SelectedItem();
                    return item >= 0 && Document().Saved().ColorDiffers(std::size_t(item));
                }},
        {.Text = {"ActionToolsShowSavedColors", "Show saved colo&rs",
             "Paint the preview in the colors as last opened or saved", "F9", "ChangedItems",
             "ShowSavedColors", "ShowSavedColorsHint", TToolCommandKind::Checkable},
            .Toggle = [this](bool on) { SetShowingSavedColors(on); },
            .Checked = [this] { return FShowingSaved; }},
    });
    connect(&Document(), &TDocumentSeam::ColorsChanged, this,
        [this](const std::vector<std::size_t>& items) { ItemsChanged(items); });
    connect(&Document(), &TDocumentSeam::DescriptionChanged, this,
        [this](std::size_t item) { ItemsChanged(std::span(&item, 1)); });
    connect(&Document(), &TDocumentSeam::DocumentLoaded, this, [this] {
        MarkAllItems();
        ShowCount();
    });
    // A save makes the current colours the saved ones: the preview shows them at once.
    connect(&Document(), &TDocumentSeam::DocumentSaved, this, [this] {
        MarkAllItems();
        if (FShowingSaved)
            SetSavedTransform();
        ShowCount();
    });
    connect(&Document(), &TDocumentSeam::LanguageApplied, this, [this] { ShowCount(); });
    MarkAllItems();
}

TChangedItems::~TChangedItems()
{
    // The transform calls back into this tool.
    if (FShowingSaved) {
        Document().ClearPaintTransform(this);
        Context().Status.SetText(this, {});
    }
}

std::span<const TTextKey> TChangedItems::Texts() const
{
    return ChangedTexts;
}

void TChangedItems::SetShowingSavedColors(bool show)
{
    if (show == FShowingSaved)
        return;
    FShowingSaved = show;
    if (show) {
        SetSavedTransform();
        ShowCount();
    } else {
        Document().ClearPaintTransform(this);
        Context().Status.SetText(this, {});
    }
}

void TChangedItems::RevertSelectedItem()
{
    const int selected = Document().SelectedItem();
    const TSavedScheme& saved = Document().Saved();
    if (selected < 0 || !saved.ColorDiffers(std::size_t(selected)))
        return;
    // An ordinary edit of one item: one stack entry, shown in the history by its two colours.
    const TColorChange change {std::size_t(selected), saved.Color(std::size_t(selected))};
    Document().ApplyColors(std::span(&change, 1), {});
}

void TChangedItems::ItemsChanged(std::span<const std::size_t> items)
{
    for (const std::size_t item : items)
        MarkItem(item);
    ShowCount();
}

void TChangedItems::MarkItem(std::size_t item)
{
    QListWidgetItem* entry = item < std::size_t(FList.count()) ? FList.item(int(item)) : nullptr;
    if (entry == nullptr)
        return;
    const bool differs = Document().Saved().Differs(item);
    // Only the marks set a font on an entry, so an entry with one is marked.
    if (differs == entry->data(Qt::FontRole).isValid())
        return;
    if (differs) {
        QFont bold = FList.font();
        bold.setBold(true);
        entry->setFont(bold);
    } else {
        entry->setData(Qt::FontRole, QVariant());
    }
}

void TChangedItems::MarkAllItems()
{
    for (int row = 0; row < FList.count(); ++row)
        MarkItem(std::size_t(row));
}

void TChangedItems::ShowCount()
{
    if (!FShowingSaved)
        return;
    // The preview shows colours, so only they count: a renamed item looks as saved.
    const std::size_t count = Document().Saved().ColorDifferingCount();
    Context().Status.SetText(this, CountText(SavedColorsStatusOne, SavedColorsStatus, count));
}

void TChangedItems::SetSavedTransform()
{
    TPaintTransform transform;
    // Items the saved document lacks keep their colours; the count painted stays the same.
    transform.ItemColors = [this](std::vector<TRGBTriple>& colors) {
        const std::span<const TRGBTriple> saved = Document().Saved().Colors();
        std::copy_n(saved.begin(), std::min(saved.size(), colors.size()), colors.begin());
    };
    Document().SetPaintTransform(this, std::move(transform));
}
