#include "tools/find/ReplaceColorWindow.h"

#include "i18n/ShownText.h"
#include "tools/find/BulkRecolor.h"
#include "editing/ColorCode.h"
#include "editing/ColorNotation.h"
#include "editing/ColorPickerButton.h"
#include "editing/QtColors.h"
#include "tools/DocumentSeam.h"
#include "tools/find/FindAndRecolorTexts.h"
#include "tools/ToolWindowPlacement.h"

#include <QColorDialog>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int FromContext = 1311;
constexpr int ToContext = 1312;
constexpr int CountContext = 1313;

std::optional<TRGBTriple> ColorOf(const QLineEdit& field)
{
    return ParseColorNotation(field.text().toStdString());
}

} // namespace

TReplaceColorWindow::TReplaceColorWindow(TDocumentSeam& document, QWidget& parent)
    : QDialog(&parent, Qt::Tool)
    , FDocument(document)
{
    setObjectName("ReplaceColorWindow");

    FFromLabel = new QLabel(this);
    FFromCode = new QLineEdit(this);
    FFromCode->setObjectName("ReplaceFrom");
    FFromLabel->setBuddy(FFromCode);
    FFromSwatch = new QFrame(this);
    FFromSwatch->setObjectName("ReplaceFromSwatch");
    FFromSwatch->setFrameShape(QFrame::Box);
    FFromSwatch->setAutoFillBackground(true);
    FFromSwatch->setFixedSize(48, 22);
    for (QWidget* control : {static_cast<QWidget*>(FFromLabel), static_cast<QWidget*>(FFromCode),
             static_cast<QWidget*>(FFromSwatch)})
        control->setProperty("HelpContext", FromContext);

    FToLabel = new QLabel(this);
    FPicker = new TColorPickerButton(this);
    FPicker->setObjectName("ReplacePicker");
    FPicker->setFixedWidth(64);
    FToCode = new QLineEdit(this);
    FToCode->setObjectName("ReplaceTo");
    FToLabel->setBuddy(FToCode);
    for (QWidget* control : {static_cast<QWidget*>(FToLabel), static_cast<QWidget*>(FPicker),
             static_cast<QWidget*>(FToCode)})
        control->setProperty("HelpContext", ToContext);

    FCount = new QLabel(this);
    FCount->setObjectName("ReplaceCount");
    FCount->setTextFormat(Qt::PlainText);
    FCount->setProperty("HelpContext", CountContext);
    FOk = new QPushButton(this);
    FOk->setObjectName("ReplaceOk");
    FOk->setDefault(true);
    FCancel = new QPushButton(this);
    FCancel->setObjectName("ReplaceCancel");
    FCancel->setAutoDefault(false);
    connect(FOk, &QPushButton::clicked, this, &TReplaceColorWindow::accept);
    connect(FCancel, &QPushButton::clicked, this, &TReplaceColorWindow::reject);

    auto* grid = new QGridLayout;
    grid->addWidget(FFromLabel, 0, 0);
    grid->addWidget(FFromSwatch, 0, 1);
    grid->addWidget(FFromCode, 0, 2);
    grid->addWidget(FToLabel, 1, 0);
    grid->addWidget(FPicker, 1, 1);
    grid->addWidget(FToCode, 1, 2);
    grid->setColumnStretch(2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(FOk);
    buttons->addWidget(FCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(FCount);
    layout->addStretch(1);
    layout->addLayout(buttons);
    setTabOrder(FFromCode, FPicker);
    setTabOrder(FPicker, FToCode);

    connect(FFromCode, &QLineEdit::textChanged, this, &TReplaceColorWindow::FromEdited);
    connect(FToCode, &QLineEdit::textChanged, this, &TReplaceColorWindow::ToEdited);
    connect(FPicker, &TColorPickerButton::OnChange, this, &TReplaceColorWindow::PickerChanged);
    connect(FPicker, &TColorPickerButton::OnClick, this, &TReplaceColorWindow::PickerClicked);
    // Open() counts afresh, so a closed window need not follow the document.
    const auto recountWhenShown = [this] {
        if (isVisible())
            Recount();
    };
    connect(&FDocument, &TDocumentSeam::ColorsChanged, this, recountWhenShown);
    connect(&FDocument, &TDocumentSeam::DocumentLoaded, this, recountWhenShown);
    connect(&FDocument, &TDocumentSeam::LanguageApplied, this, &TReplaceColorWindow::Retranslate);
    Retranslate();
    resize(380, sizeHint().height());
    PlaceBeside(*this, parent);
}

TReplaceColorWindow::~TReplaceColorWindow() = default;

void TReplaceColorWindow::Open()
{
    const int selected = FDocument.SelectedItem();
    if (selected >= 0 && std::size_t(selected) < FDocument.ItemCount())
        FFromCode->setText(
            QString::fromStdString(HashColorCode(FDocument.Colors()[std::size_t(selected)])));
    // The first time, the new colour starts as the old one, for the user to change.
    if (FToCode->text().isEmpty())
        FToCode->setText(FFromCode->text());
    Recount();
    show();
    raise();
    activateWindow();
    FToCode->setFocus(Qt::ShortcutFocusReason);
    FToCode->selectAll();
}

void TReplaceColorWindow::Retranslate()
{
    setWindowTitle(FindText(TFindText::ReplaceTitle));
    FFromLabel->setText(FindText(TFindText::ReplaceFrom));
    FToLabel->setText(FindText(TFindText::ReplaceTo));
    FPicker->SetCustomText(FindText(TFindText::CustomColors));
    FOk->setText(FindText(TFindText::Ok));
    FCancel->setText(FindText(TFindText::Cancel));
    Recount();
}

void TReplaceColorWindow::FromEdited()
{
    FFrom = ColorOf(*FFromCode);
    QPalette palette = FFromSwatch->palette();
    palette.setColor(QPalette::Window,
        FFrom ? ItemColorToQColor(*FFrom) : this->palette().color(QPalette::Window));
    FFromSwatch->setPalette(palette);
    Recount();
}

void TReplaceColorWindow::ToEdited()
{
    FTo = ColorOf(*FToCode);
    if (FTo) {
        // The picker follows a valid code; the field keeps what the user typed.
        FShowingTo = true;
        FPicker->SetSelectionColor(ItemColorToTColor(*FTo));
        FShowingTo = false;
    }
    Recount();
}

void TReplaceColorWindow::PickerChanged()
{
    if (FShowingTo)
        return;
    FToCode->setText(
        QString::fromStdString(HashColorCode(TColorToItemColor(FPicker->SelectionColor()))));
}

void TReplaceColorWindow::PickerClicked()
{
    QColorDialog dialog(TColorToQColor(FPicker->SelectionColor()), this);
    dialog.setObjectName("ReplaceColorDialog");
    if (dialog.exec() == QDialog::Accepted)
        FPicker->SetSelectionColor(TColorFromQColor(dialog.currentColor()));
}

std::size_t TReplaceColorWindow::Count() const
{
    if (!FFrom || !FTo)
        return 0;
    return ReplaceChanges(FDocument.Colors(), *FFrom, *FTo).size();
}

void TReplaceColorWindow::Recount()
{
    const std::size_t count = Count();
    if (!FFrom || !FTo)
        FCount->setText(FindText(TFindText::NotAColor));
    else if (count == 0)
        // Until a new colour is chosen, how many items have the old one.
        FCount->setText(FindText(TFindText::ReplaceMatching)
                            .arg(CountNumber(std::size_t(std::count(
                                FDocument.Colors().begin(), FDocument.Colors().end(), *FFrom)))));
    else
        FCount->setText(FindText(TFindText::ReplaceCount).arg(CountNumber(count)));
    FOk->setEnabled(count > 0);
}

void TReplaceColorWindow::accept()
{
    if (FFrom && FTo) {
        const std::vector<TColorChange> changes = ReplaceChanges(FDocument.Colors(), *FFrom, *FTo);
        if (!changes.empty())
            FDocument.ApplyColors(changes, {TStepKind::Replace, {}});
    }
    QDialog::accept();
}
