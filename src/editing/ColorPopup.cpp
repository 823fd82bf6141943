#include "editing/ColorPopup.h"

#include "common/UiText.h"
#include "editing/Palette.h"
#include "editing/PopupQtGeometry.h"
#include "editing/QtColors.h"

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolTip>

#include <array>

namespace {

constexpr QRgb CellOutline = 0x808080;

TPopupSize MeasureText(const QFontMetrics& metrics, const QString& text)
{
    const QSize size = metrics.size(Qt::TextSingleLine | Qt::TextShowMnemonic, text);
    return {size.width(), size.height()};
}

} // namespace

TColorPopup::TColorPopup(QWidget& anchor)
    : QWidget(&anchor, Qt::Popup)
{
    setObjectName("ColorPopup");
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_AlwaysShowToolTips);
    connect(
        qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
            if (state != Qt::ApplicationActive && isVisible())
                CloseUp(true);
        });
}

void TColorPopup::SetOptions(const TColorPopupOptions& options)
{
    if (options == FOptions)
        return;
    TColorPopupOptions spacingOnly = FOptions;
    spacingOnly.Spacing = options.Spacing;
    FOptions = options;
    if (spacingOnly == options)
        update();
    else
        AdjustWindow();
}

void TColorPopup::AdjustWindow()
{
    const QFontMetrics metrics(font());
    TPopupOptions options;
    options.Spacing = FOptions.Spacing;
    options.HasDefaultButton = !FOptions.DefaultText.isEmpty();
    options.HasCustomButton = !FOptions.CustomText.isEmpty();
    options.ShowSystemColors = FOptions.ShowSystemColors;
    if (options.HasDefaultButton || options.HasCustomButton) {
        options.DefaultTextSize = MeasureText(metrics, FOptions.DefaultText);
        options.CustomTextSize = MeasureText(metrics, FOptions.CustomText);
    }
    FLayout = ComputePopupLayout(options);
    FCustomArea.SetLayout(FLayout);

    // A cell that the new layout no longer has cannot stay selected or highlighted.
    if (CellRect(FLayout, FSelectedIndex).IsEmpty())
        FSelectedIndex = NoCell;
    if (CellRect(FLayout, FHoverIndex).IsEmpty())
        FHoverIndex = NoCell;
    UpdateSize();
    update();
}

void TColorPopup::SelectColor(std::uint32_t color)
{
    // The custom choice always follows the colour shown, palette colour or not: a choice left
    // from an earlier opening, for another item perhaps, must not be what Enter on the custom
    // button applies.
    const bool custom = LocateCustomColor(color);
    int cell = SelectColorIndex(color, FOptions.ShowSystemColors, SystemColorRgb);
    if (cell == NoCell && custom && !FOptions.CustomText.isEmpty())
        cell = CustomCell;
    FSelectedIndex = cell;
    UpdateSize();
    update();
}

void TColorPopup::ShowAtAnchor()
{
    FHoverIndex = NoCell;
    FLeftDown = false;
    FCustomArea.Release(); // a drag of an earlier opening has no release to come
    UpdateSize();
    show();
    raise();
    setFocus(Qt::PopupFocusReason);
}

void TColorPopup::UpdateSize()
{
    setFixedSize(FLayout.Width, IsExpanded() ? FLayout.ExpandedHeight : FLayout.CollapsedHeight);
    const QRect button(Anchor().mapToGlobal(QPoint(0, 0)), Anchor().size());
    const TPopupPoint position = PopupPosition(ToPopupRect(button), {width(), height()},
        ToPopupRect(Anchor().screen()->availableGeometry()));
    // Place the window itself, not a frame the platform may claim around it: move() would put
    // the popup off by the frame's width.
    setGeometry(position.X, position.Y, width(), height());
}

void TColorPopup::CloseUp(bool cancel)
{
    if (!cancel) {
        if (FSelectedIndex >= 0) {
            emit Chosen(CellColor(FSelectedIndex));
        } else if (FSelectedIndex == CustomCell) {
            if (const auto color = CustomColor())
                emit Chosen(*color);
        } else {
            emit CloseRequested();
            emit DefaultChosen();
            return;
        }
    }
    emit CloseRequested();
}

int TColorPopup::CellUnder(const QPoint& pos) const
{
    if (!rect().contains(pos))
        return NoCell;
    return CellAt(FLayout, {pos.x(), pos.y()});
}

void TColorPopup::SetHoverIndex(int cell)
{
    if (cell == FHoverIndex)
        return;
    UpdateCell(FHoverIndex);
    FHoverIndex = cell;
    UpdateCell(FHoverIndex);
}

void TColorPopup::SetSelectedIndex(int cell)
{
    if (cell == FSelectedIndex)
        return;
    UpdateCell(FSelectedIndex);
    FSelectedIndex = cell;
    UpdateCell(FSelectedIndex);
    if (cell == CustomCell) {
        UpdateSize();
        update();
    }
}

void TColorPopup::UpdateCell(int cell)
{
    const TPopupRect rect = CellRect(FLayout, cell);
    if (!rect.IsEmpty())
        update(ToQRect(rect));
}

bool TColorPopup::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        ShowHintAt(help->pos(), help->globalPos());
        return true;
    }
    return QWidget::event(event);
}

void TColorPopup::ShowHintAt(const QPoint& pos, const QPoint& globalPos)
{
    if (!FOptions.ShowHint) {
        QToolTip::hideText();
        return;
    }
    const int cell = CellUnder(pos);
    if (cell == NoCell && ShowCustomAreaHint(pos))
        return;
    QString hint;
    QRect area;
    if (cell >= 0) {
        hint = QString::fromLatin1(CellColorName(cell));
        area = ToQRect(CellRect(FLayout, cell));
    } else if (cell == CustomCell || cell == DefaultCell) {
        emit HintWanted(cell, hint);
        if (hint.isEmpty())
            hint = FOptions.Hint;
        area = ToQRect(CellRect(FLayout, cell));
    } else {
        emit HintWanted(NoCell, hint);
    }
    if (hint.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(globalPos, AsPlainText(hint), this, area);
}

void TColorPopup::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (!rect().contains(pos)) {
        // A press on the picker button only closes; Qt must not hand it on to reopen us.
        const QPoint onAnchor = Anchor().mapFromGlobal(event->globalPosition().toPoint());
        setAttribute(Qt::WA_NoMouseReplay, Anchor().rect().contains(onAnchor));
        CloseUp(true);
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    FLeftDown = true;
    SetHoverIndex(CellUnder(pos));
    UpdateCell(FHoverIndex);
    if (FHoverIndex == NoCell)
        TrackCustomArea(pos, true);
}

void TColorPopup::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const int cell = CellUnder(pos);
    // The button may have gone down outside us, on the arrow that opened the popup; a cell
    // hovered with it held looks pressed all the same.
    const bool leftDown = event->buttons() & Qt::LeftButton;
    if (leftDown != FLeftDown) {
        FLeftDown = leftDown;
        UpdateCell(FHoverIndex);
    }
    SetHoverIndex(cell);
    if (cell == NoCell && rect().contains(pos) && leftDown)
        TrackCustomArea(pos, false);
}

void TColorPopup::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    FLeftDown = false;
    const TCustomDragArea dragArea = FCustomArea.Release();
    const int cell = CellUnder(event->position().toPoint());
    UpdateCell(FHoverIndex);
    if (cell != NoCell)
        SetSelectedIndex(cell);
    if (cell != NoCell || (IsExpanded() && FCustomArea.CustomIndex() != 0)) {
        const bool gridOrDefault = FSelectedIndex >= 0 || FSelectedIndex == DefaultCell;
        const bool customPick = FSelectedIndex == CustomCell
            && (dragArea == TCustomDragArea::Honeycomb || dragArea == TCustomDragArea::GreyRow);
        if (gridOrDefault || customPick) {
            CloseUp(false);
            return;
        }
    }
    // Otherwise (custom button, slider drag, empty space) the popup stays open.
}

void TColorPopup::keyPressEvent(QKeyEvent* event)
{
    if (HandleAccelerator(event))
        return;
    const int from = FHoverIndex != NoCell ? FHoverIndex : FSelectedIndex;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        // Set directly: the custom button applies the custom choice here, it does not expand.
        FSelectedIndex = FHoverIndex;
        CloseUp(false);
        break;
    case Qt::Key_Escape:
        CloseUp(true);
        break;
    case Qt::Key_Left:
        SetHoverIndex(NextCellForKey(FLayout, from, TPopupKey::Left));
        break;
    case Qt::Key_Right:
        SetHoverIndex(NextCellForKey(FLayout, from, TPopupKey::Right));
        break;
    case Qt::Key_Up:
        SetHoverIndex(NextCellForKey(FLayout, from, TPopupKey::Up));
        break;
    case Qt::Key_Down:
        SetHoverIndex(NextCellForKey(FLayout, from, TPopupKey::Down));
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

bool TColorPopup::HandleAccelerator(QKeyEvent* event)
{
    if (!(event->modifiers() & Qt::AltModifier))
        return false;
    const QKeySequence pressed(event->keyCombination());
    const auto matches = [&](const QString& text) {
        return !text.isEmpty() && !QKeySequence::mnemonic(text).isEmpty()
            && pressed.matches(QKeySequence::mnemonic(text)) == QKeySequence::ExactMatch;
    };
    if (matches(FOptions.DefaultText)) {
        FSelectedIndex = DefaultCell;
        CloseUp(false);
        return true;
    }
    if (matches(FOptions.CustomText)) {
        SetSelectedIndex(CustomCell);
        return true;
    }
    return false;
}

void TColorPopup::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    if (isVisible())
        CloseUp(true);
}

void TColorPopup::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    QToolTip::hideText(); // a hint shown during a drag has no release to end it
    emit Hidden();
}

void TColorPopup::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().button());
    for (int cell = 0; cell <= LastCell(FLayout); ++cell)
        PaintCell(painter, cell);
    if (!FLayout.DefaultButton.IsEmpty())
        PaintCell(painter, DefaultCell);
    if (FLayout.SystemSeparatorTop >= 0)
        PaintEtchedLine(painter, FLayout.SystemSeparatorTop);
    if (!FLayout.CustomButton.IsEmpty()) {
        PaintEtchedLine(painter, FLayout.CustomSeparatorTop);
        PaintCell(painter, CustomCell);
        PaintPreview(painter);
        if (IsExpanded())
            PaintCustomArea(painter);
    }

    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.rect = rect();
    frame.frameShape = QFrame::WinPanel;
    frame.state |= QStyle::State_Raised;
    frame.lineWidth = PopupEdge;
    style()->drawControl(QStyle::CE_ShapedFrame, &frame, &painter, this);
}

void TColorPopup::PaintCell(QPainter& painter, int cell)
{
    const QRect rect = ToQRect(CellRect(FLayout, cell));
    const bool highlighted = cell == FSelectedIndex && cell != FHoverIndex;
    painter.fillRect(rect, highlighted ? palette().highlight() : palette().button());
    PaintCellFrame(painter, cell, rect);
    if (cell == DefaultCell) {
        PaintButtonText(painter, cell, FOptions.DefaultText);
    } else if (cell == CustomCell) {
        PaintButtonText(painter, cell, FOptions.CustomText);
    } else {
        constexpr int inset = PopupEdge + 1;
        const QRect square = rect.adjusted(inset, inset, -inset, -inset);
        painter.fillRect(square, TColorToQColor(CellColor(cell)));
        painter.setPen(QColor(CellOutline));
        painter.drawRect(square.adjusted(0, 0, -1, -1));
    }
}

void TColorPopup::PaintCellFrame(QPainter& painter, int cell, const QRect& rect)
{
    const bool hovered = cell == FHoverIndex;
    const bool sunken = cell == FSelectedIndex || (hovered && FLeftDown);
    if (!sunken && !hovered)
        return;
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.rect = rect;
    frame.frameShape = QFrame::WinPanel;
    frame.state |= sunken ? QStyle::State_Sunken : QStyle::State_Raised;
    frame.lineWidth = PopupEdge;
    style()->drawControl(QStyle::CE_ShapedFrame, &frame, &painter, this);
}

void TColorPopup::PaintButtonText(QPainter& painter, int cell, const QString& text)
{
    const bool highlighted = cell == FSelectedIndex && cell != FHoverIndex;
    style()->drawItemText(&painter, ToQRect(CellRect(FLayout, cell)),
        Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, palette(), true, text,
        highlighted ? QPalette::HighlightedText : QPalette::ButtonText);
}

void TColorPopup::PaintPreview(QPainter& painter)
{
    const QRect square = ToQRect(FLayout.PreviewSquare);
    if (const auto color = CustomColor()) {
        painter.fillRect(square, TColorToQColor(*color));
        painter.setPen(QColor(CellOutline));
    } else {
        painter.setPen(palette().color(QPalette::Dark));
    }
    painter.drawRect(square.adjusted(0, 0, -1, -1));
}

void TColorPopup::PaintEtchedLine(QPainter& painter, int top)
{
    const int left = PopupEdge + FLayout.Spacing;
    QStyleOptionFrame line;
    line.initFrom(this);
    line.rect = QRect(left, top, FLayout.Width - 2 * left, 2);
    line.frameShape = QFrame::HLine;
    line.state |= QStyle::State_Sunken;
    line.lineWidth = 1;
    line.midLineWidth = 0;
    style()->drawControl(QStyle::CE_ShapedFrame, &line, &painter, this);
}
