#pragma once

#include <QDialog>

#include <cstddef>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;
class TDocumentSeam;
class TFindAndRecolor;
class TFindResultsModel;

// The "Find item" window: one query field, the filters as check boxes, and the results with
// their colour, number and description, updated on every keystroke and every change of the
// document. Enter or a double-click selects the current result in the main window; the arrow
// keys move through the results from the query field; Esc closes.
class TFindWindow : public QDialog
{
    Q_OBJECT

public:
    TFindWindow(TFindAndRecolor& tool, TDocumentSeam& document, QWidget& parent);
    ~TFindWindow() override;

    // Shows the window, or brings it to the front, with the query selected for typing over.
    void Open();
    // Makes a result the current row, as Find next does.
    void ShowCurrent(std::size_t position);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Retranslate();
    void FiltersToggled();
    void Refresh();
    void SelectCurrent();

    TFindAndRecolor& FTool;
    TDocumentSeam& FDocument;
    QLabel* FQueryLabel;
    QLineEdit* FQuery;
    QCheckBox* FChanged;
    QCheckBox* FNotOnPreview;
    QCheckBox* FHardToTell;
    QTreeView* FResults;
    TFindResultsModel* FModel;
    QLabel* FCount;
    QPushButton* FSelect;
    QPushButton* FClose;
};
