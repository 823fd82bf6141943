// Selection and colour editing: the item list, the picker, the code field and the description
// field kept in step, and Undo and Redo.
#include "app/MainForm.h"

#include "common/UiText.h"
#include "editing/ColorCode.h"
#include "editing/ColorPickerButton.h"
#include "editing/QtColors.h"

#include <QColorDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

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
        FHistory.RecordChange(FItems, index, TColorToItemColor(color));
        PaintPreview();
        SetModified(true);
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
    FHistory.RecordDescriptionChange();
    SetModified(true);
}

void TMainForm::ActionEditUndoExecute()
{
    FHistory.Undo(FItems);
    AfterHistoryStep();
}

void TMainForm::ActionEditRedoExecute()
{
    FHistory.Redo(FItems);
    AfterHistoryStep();
}

void TMainForm::AfterHistoryStep()
{
    // The list keeps its selection: the controls show the selected item, whichever it is.
    ShowSelectedItem();
    PaintPreview();
    SetModified(FHistory.Modified());
}
