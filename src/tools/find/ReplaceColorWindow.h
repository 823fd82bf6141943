#pragma once

#include "scheme/SchemeFile.h"

#include <QDialog>

#include <cstddef>
#include <optional>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class TColorPickerButton;
class TDocumentSeam;

// The "Replace color" window: the colour to replace (the selected item's when it opens, or any
// code typed), the new colour (a picker and a code field), and how many items OK will change,
// counted before anything is applied. OK gives every item of exactly that colour the new one as
// one step; Cancel or Esc changes nothing.
class TReplaceColorWindow : public QDialog
{
    Q_OBJECT

public:
    TReplaceColorWindow(TDocumentSeam& document, QWidget& parent);
    ~TReplaceColorWindow() override;

    // Shows the window with the selected item's colour as the one to replace.
    void Open();
    // The items OK would change now.
    std::size_t Count() const;

    void accept() override;

private:
    void Retranslate();
    void FromEdited();
    void ToEdited();
    void PickerChanged();
    void PickerClicked();
    void Recount();

    TDocumentSeam& FDocument;
    std::optional<TRGBTriple> FFrom;
    std::optional<TRGBTriple> FTo;
    bool FShowingTo = false;

    QLabel* FFromLabel;
    QLineEdit* FFromCode;
    QFrame* FFromSwatch;
    QLabel* FToLabel;
    TColorPickerButton* FPicker;
    QLineEdit* FToCode;
    QLabel* FCount;
    QPushButton* FOk;
    QPushButton* FCancel;
};
