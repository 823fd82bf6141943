#include "tools/history/HistoryWindow.h"

#include "i18n/ShownText.h"
#include "tools/DocumentSeam.h"

#include <QAbstractListModel>
#include <QFont>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPalette>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int ListHelpContext = 1201;

} // namespace

// The rows of the history list, worked out from the stacks when the history changes and turned
// into text, in the language shown then, only for the rows the view shows.
class THistoryModel : public QAbstractListModel
{
public:
    THistoryModel(TDocumentSeam& document, QObject* parent)
        : QAbstractListModel(parent)
        , FDocument(document)
    { }

    void Refresh()
    {
        const std::size_t position = FDocument.History().UndoSteps().size();
        std::vector<THistoryRow> rows
            = HistoryRows(HistorySteps(FDocument.History(), FDocument.Colors()), position);
        FNumbers = ShownNumberFormat();
        // The position is always the end of a row.
        const auto positionRow = int(std::count_if(rows.begin(), rows.end(),
            [position](const THistoryRow& row) { return row.EndStep <= position; }));
        if (rows.size() == FRows.size()) {
            FRows = std::move(rows);
            FPosition = position;
            FPositionRow = positionRow;
            // Moving through the history keeps the rows; only their marks and texts change.
            emit dataChanged(index(0), index(rowCount() - 1));
            return;
        }
        beginResetModel();
        FRows = std::move(rows);
        FPosition = position;
        FPositionRow = positionRow;
        endResetModel();
    }

    // Single edits are named by their item's description, read when a row is shown.
    void DescriptionsChanged()
    {
        emit dataChanged(
            index(0), index(rowCount() - 1), {Qt::DisplayRole, Qt::AccessibleTextRole});
    }

    // The font of the view, which the current row shows in bold.
    void SetFont(const QFont& font) { FFont = font; }
    // The row of the current position.
    int Position() const { return FPositionRow; }
    std::size_t StepCount() const { return FRows.size(); }
    std::size_t StepsDone() const { return FPosition; }
    std::size_t StepsDoneAt(int row) const
    {
        return row <= 0 || FRows.empty()
            ? 0
            : FRows[std::min(std::size_t(row), FRows.size()) - 1].EndStep;
    }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : int(FRows.size()) + 1;
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() > int(FRows.size()))
            return {};
        const int row = index.row();
        switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole:
            return Text(row);
        case Qt::FontRole: {
            if (row != Position())
                return {};
            QFont font = FFont;
            font.setBold(true);
            return font;
        }
        case Qt::ForegroundRole:
            // Undone steps are grey, as things that could be but are not.
            if (row > Position())
                return QGuiApplication::palette().brush(QPalette::Disabled, QPalette::Text);
            return {};
        default:
            return {};
        }
    }

    QString Text(int row) const
    {
        if (row == 0)
            return ::Text(HistoryText::Start);
        return QString::fromStdString(HistoryStepText(
            FRows[std::size_t(row - 1)].Step,
            [this](std::size_t item) { return FDocument.Description(item); }, FNumbers));
    }

private:
    TDocumentSeam& FDocument;
    std::vector<THistoryRow> FRows;
    // Steps done, and the row they end.
    std::size_t FPosition = 0;
    int FPositionRow = 0;
    TNumberFormat FNumbers;
    QFont FFont;
};

namespace {

// A list whose rows are chosen only on purpose: typing a letter would otherwise jump to the next
// step starting with it, and so move through the history by accident.
class THistoryList : public QListView
{
public:
    using QListView::QListView;
    void keyboardSearch(const QString& search) override { static_cast<void>(search); }
};

} // namespace

THistoryWindow::THistoryWindow(TDocumentSeam& document, QWidget* parent)
    : QWidget(parent, Qt::Tool)
    , FDocument(document)
    , FModel(new THistoryModel(document, this))
    , FStepsLabel(new QLabel(this))
    , FList(new THistoryList(this))
    , FPosition(new QLabel(this))
{
    setObjectName("HistoryWindow");
    FStepsLabel->setObjectName("HistoryStepsLabel");
    FList->setObjectName("HistoryList");
    FPosition->setObjectName("HistoryPosition");

    FStepsLabel->setTextFormat(Qt::PlainText);
    FStepsLabel->setBuddy(FList);
    FPosition->setTextFormat(Qt::PlainText);
    FList->setModel(FModel);
    FModel->SetFont(FList->font());
    FList->setUniformItemSizes(true);
    FList->setSelectionMode(QAbstractItemView::SingleSelection);
    FList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (QWidget* control : std::initializer_list<QWidget*> {FStepsLabel, FList, FPosition})
        control->setProperty("HelpContext", ListHelpContext);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FStepsLabel);
    layout->addWidget(FList, 1);
    layout->addWidget(FPosition);
    resize(360, 420);

    connect(FList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        [this](const QModelIndex& current) {
            if (!FShowing && current.isValid())
                Choose(current.row());
        });
    // A click beside the rows takes the selection away; the position stays marked all the same.
    connect(FList->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!FShowing && !FList->selectionModel()->hasSelection())
            ShowPosition();
    });
    setFocusProxy(FList);

    // Every change of the colours comes with HistoryChanged; descriptions name single edits.
    connect(&FDocument, &TDocumentSeam::HistoryChanged, this, [this] { Refresh(); });
    connect(&FDocument, &TDocumentSeam::DescriptionChanged, this, [this] {
        if (isVisible())
            FModel->DescriptionsChanged();
    });
    connect(&FDocument, &TDocumentSeam::LanguageApplied, this, [this] { Retranslate(); });
    Retranslate();
}

THistoryWindow::~THistoryWindow() = default;

int THistoryWindow::RowCount() const
{
    return FModel->rowCount();
}

int THistoryWindow::CurrentRow() const
{
    return FModel->Position();
}

QString THistoryWindow::RowText(int row) const
{
    return FModel->Text(row);
}

std::size_t THistoryWindow::StepsDoneAt(int row) const
{
    return FModel->StepsDoneAt(row);
}

void THistoryWindow::Choose(int row)
{
    if (row < 0 || row >= FModel->rowCount())
        return;
    const auto steps
        = std::ptrdiff_t(FModel->StepsDoneAt(row)) - std::ptrdiff_t(FModel->StepsDone());
    if (steps != 0)
        FDocument.MoveInHistory(int(steps));
    // Whatever the move did, the list shows where the history stands.
    ShowPosition();
}

void THistoryWindow::Refresh()
{
    // A hidden window catches up when it is shown again.
    if (!isVisible())
        return;
    FShowing = true;
    FModel->Refresh();
    FShowing = false;
    ShowPosition();
}

void THistoryWindow::Retranslate()
{
    setWindowTitle(Text(HistoryText::Title));
    FStepsLabel->setText(Text(HistoryText::Steps));
    Refresh();
}

void THistoryWindow::keyPressEvent(QKeyEvent* event)
{
    // Esc closes the window, as it closes a dialog, whichever control has the focus.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void THistoryWindow::showEvent(QShowEvent* event)
{
    // The first time, beside the main window where the screen has room, so the preview stays
    // in sight while the user walks through the steps; afterwards where the user left it.
    if (!FPlaced && parentWidget() != nullptr) {
        FPlaced = true;
        const QRect main = parentWidget()->window()->frameGeometry();
        const QScreen* screen = parentWidget()->screen();
        QPoint at(main.right() + 8, main.top());
        if (screen != nullptr && at.x() + width() > screen->availableGeometry().right())
            at.setX(std::max(screen->availableGeometry().left(), main.left() - width() - 8));
        move(at);
    }
    QWidget::showEvent(event);
    Refresh();
}

void THistoryWindow::ShowPosition()
{
    FShowing = true;
    const QModelIndex current = FModel->index(FModel->Position());
    FList->selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect);
    FList->scrollTo(current);
    FShowing = false;
    const auto done = std::size_t(FModel->Position());
    FPosition->setText(CountText(HistoryText::PositionOne, HistoryText::Position, done)
                           .arg(CountNumber(FModel->StepCount())));
}
