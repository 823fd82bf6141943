#include "tools/changed/ChangedItems.h"

#include "i18n/ShownText.h"
#include "tools/DocumentSeam.h"
#include "tools/StatusPanel.h"

#include <QAction>
#include <QFont>
#include <QListWidget>

#include <algorithm>
#include <span>
#include <utility>
#include <vector>

namespace {

const TToolCommand ChangedCommands[] = {
    {"ActionEditRevertItem", TToolMenu::Edit, 302, "Re&vert item to saved color",
        "Give the selected item its color as last opened or saved", "", "ChangedItems",
        "RevertItem", "RevertItemHint"},
    {"ActionToolsShowSavedColors", TToolMenu::Tools, 202, "Show saved colo&rs",
        "Paint the preview in the colors as last opened or saved", "F9", "ChangedItems",
        "ShowSavedColors", "ShowSavedColorsHint", TToolCommandKind::Checkable},
};

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
    connect(&Document(), &TDocumentSeam::ColorsChanged, this,
        [this](const std::vector<std::size_t>& items) { ItemsChanged(items); });
    connect(&Document(), &TDocumentSeam::DescriptionChanged, this,
        [this](std::size_t item) { ItemsChanged(std::span(&item, 1)); });
    connect(&Document(), &TDocumentSeam::DocumentLoaded, this, [this] {
        MarkAllItems();
        ShowCount();
        UpdateActions();
    });
    // A save makes the current colours the saved ones: the preview shows them at once.
    connect(&Document(), &TDocumentSeam::DocumentSaved, this, [this] {
        MarkAllItems();
        if (FShowingSaved)
            SetSavedTransform();
        ShowCount();
        UpdateActions();
    });
    connect(&Document(), &TDocumentSeam::SelectionChanged, this, [this] { UpdateActions(); });
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

std::span<const TToolCommand> TChangedItems::Commands() const
{
    return ChangedCommands;
}

std::span<const TTextKey> TChangedItems::Texts() const
{
    return ChangedTexts;
}

void TChangedItems::AttachActions(std::span<QAction* const> actions)
{
    FRevert = actions[0];
    FShowSaved = actions[1];
    connect(FRevert, &QAction::triggered, this, [this] { RevertSelectedItem(); });
    FShowSaved->setChecked(FShowingSaved);
    connect(FShowSaved, &QAction::toggled, this, [this](bool on) { SetShowingSavedColors(on); });
    UpdateActions();
}

void TChangedItems::UpdateActions()
{
    if (!FRevert)
        return;
    const int item = Document().SelectedItem();
    FRevert->setEnabled(item >= 0 && Document().Saved().ColorDiffers(std::size_t(item)));
}

void TChangedItems::SetShowingSavedColors(bool show)
{
    if (FShowSaved)
        FShowSaved->setChecked(show);
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
    UpdateActions();
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
