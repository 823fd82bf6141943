// Selection and colour editing: the item list, the picker, the code field and the description
// field kept in step, and Undo and Redo.
#include "app/MainForm.h"

#include "app/WindowDocument.h"
#include "common/UiText.h"
#include "editing/ColorCode.h"
#include "editing/ColorPickerButton.h"
#include "editing/QtColors.h"

#include <QColorDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

#include <algorithm>

void TMainForm::SelectListRow(int row)
{
    // Selecting from code raises no click event of the list.
    const QSignalBlocker blocker(ListBox1);
    if (row >= 0 && row < ListBox1->count()) {
        ListBox1->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
        ListBox1->scrollToItem(ListBox1->item(row));
    } else {
        ListBox1->clearSelection();
        ListBox1->setCurrentRow(-1);
    }
}

int TMainForm::SelectedRow() const
{
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    return selected.isEmpty() ? -1 : ListBox1->row(selected.first());
}

void TMainForm::ListBox1Click()
{
    // A single-selection list always keeps an entry selected once it has one; Ctrl+click on the
    // selected entry would otherwise leave the controls naming no item.
    if (SelectedRow() < 0 && ListBox1->currentRow() >= 0)
        SelectListRow(ListBox1->currentRow());
    ShowSelectedItem();
}

void TMainForm::ShowSelectedItem()
{
    FShowingItem = true;
    const int index = SelectedRow();
    if (index >= 0 && std::size_t(index) < FItems.size()) {
        ColorPickerButton1->SetSelectionColor(ItemColorToTColor(FItems[std::size_t(index)]));
        ShowColorCode();
        EditDescription->setText(ListBox1->item(index)->text());
    }
    FShowingItem = false;
}

void TMainForm::ShowColorCode()
{
    EditColorValue->setText(
        QString::fromStdString(ColorCodeText(ColorPickerButton1->SelectionColor())));
}

void TMainForm::ColorPickerButton1Click()
{
    QColorDialog dialog(TColorToQColor(ColorPickerButton1->SelectionColor()), this);
    dialog.setObjectName("ColorDialog1");
    if (dialog.exec() == QDialog::Accepted)
        ColorPickerButton1->SetSelectionColor(TColorFromQColor(dialog.currentColor()));
}

void TMainForm::ColorPickerButton1Change()
{
    if (FShowingItem)
        return;
    const int index = SelectedRow();
    const std::uint32_t color = ColorPickerButton1->SelectionColor();
    if (!FTypingColorCode)
        EditColorValue->setText(QString::fromStdString(ColorCodeText(color)));
    if (index >= 0 && std::size_t(index) < FItems.size()) {
        // Each keystroke stays a step of its own; the history shows a run of them as one.
        FHistory.RecordChange(FItems, index, TColorToItemColor(color),
            FTypingColorCode ? TStepKind::TypedCode : TStepKind::Edit);
        ColorsChanged({std::size_t(index)}, false);
    }
}

void TMainForm::EditColorValueChange()
{
    if (FShowingItem)
        return;
    FTypingColorCode = true;
    const std::optional<std::uint32_t> color
        = ParseColorCode(ToWindows1252(EditColorValue->text()));
    if (color)
        ColorPickerButton1->SetSelectionColor(*color);
    FTypingColorCode = false;
}

void TMainForm::EditDescriptionChange()
{
    const int index = SelectedRow();
    if (index < 0)
        return;
    QListWidgetItem* entry = ListBox1->item(index);
    // Showing an item writes its own text back, which changes nothing.
    if (entry->text() == EditDescription->text())
        return;
    entry->setText(EditDescription->text());
    FSaved.CompareDescription(std::size_t(index), ToWindows1252(entry->text()));
    SetModified(FSaved.Modified());
    emit FDocument->DescriptionChanged(std::size_t(index));
}

void TMainForm::ActionEditUndoExecute()
{
    ColorsChanged(FHistory.Undo(FItems), true);
}

void TMainForm::ActionEditRedoExecute()
{
    ColorsChanged(FHistory.Redo(FItems), true);
}

std::vector<std::size_t> TMainForm::ApplyColorChanges(
    std::span<const TColorChange> changes, const TStepFacts& facts)
{
    std::vector<std::size_t> changed = FHistory.RecordGroup(FItems, changes, facts);
    if (!changed.empty())
        ColorsChanged(changed, true);
    return changed;
}

void TMainForm::MoveInHistory(int steps)
{
    std::vector<std::size_t> changed;
    for (; steps < 0 && FHistory.CanUndo(); ++steps) {
        const std::vector<std::size_t> items = FHistory.Undo(FItems);
        changed.insert(changed.end(), items.begin(), items.end());
    }
    for (; steps > 0 && FHistory.CanRedo(); --steps) {
        const std::vector<std::size_t> items = FHistory.Redo(FItems);
        changed.insert(changed.end(), items.begin(), items.end());
    }
    std::sort(changed.begin(), changed.end());
    changed.erase(std::unique(changed.begin(), changed.end()), changed.end());
    ColorsChanged(changed, true);
}

void TMainForm::ColorsChanged(const std::vector<std::size_t>& items, bool showSelectedItem)
{
    for (const std::size_t item : items)
        FSaved.CompareColor(item, FItems[item]);
    // After Undo and Redo the list keeps its selection: the controls show the selected item,
    // whichever it is.
    if (showSelectedItem)
        ShowSelectedItem();
    PaintPreview();
    // The mark says whether the document differs from its file, whatever the stacks hold.
    SetModified(FSaved.Modified());
    emit FDocument->ColorsChanged(items);
    emit FDocument->HistoryChanged();
}
