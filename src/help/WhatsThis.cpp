#include "help/WhatsThis.h"

#include "help/HelpRouter.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QCursor>
#include <QErrorMessage>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QProgressDialog>
#include <QWidget>
#include <QWindow>

#include <vector>

TWhatsThis::TWhatsThis(QObject* parent)
    : QObject(parent)
    , FMenu(std::make_unique<QMenu>())
{
    setObjectName("WhatsThis");
    FMenu->setObjectName("WhatsThisMenu");
    FMenuEntry = FMenu->addAction("What's this?");
    connect(FMenuEntry, &QAction::triggered, this, &TWhatsThis::MenuEntryChosen);
    connect(FMenu.get(), &QMenu::aboutToHide, this, [this] {
        if (FMode == TMode::Menu)
            FMode = TMode::Idle;
    });
    SetActive(true);
}

TWhatsThis::~TWhatsThis()
{
    SetActive(false);
}

void TWhatsThis::SetActive(bool active)
{
    if (active == FActive)
        return;
    FActive = active;
    if (active) {
        qApp->installEventFilter(this);
    } else {
        qApp->removeEventFilter(this);
        EndContextMode();
    }
}

QString TWhatsThis::PopupCaption() const
{
    return FMenuEntry->text();
}

void TWhatsThis::SetPopupCaption(const QString& caption)
{
    FMenuEntry->setText(caption);
}

std::int32_t TWhatsThis::HelpContextOf(const QWidget* target) const
{
    std::vector<THelpContextLevel> levels;
    for (const QWidget* level = target; level;
         level = level->isWindow() ? nullptr : level->parentWidget()) {
        THelpContextLevel& added = levels.emplace_back();
        added.IsForm = level->isWindow();
        added.HelpContext = OwnHelpContext(*level);
        if (const auto* label = qobject_cast<const QLabel*>(level); label && label->buddy())
            added.FocusControlContext = OwnHelpContext(*label->buddy());
        added.Tag = level->property("Tag").toInt();
    }
    return FindHelpContext(levels, FOptions);
}

void TWhatsThis::ShowPopupFor(const QWidget* target, const QPoint& at, TPopupPlacement placement)
{
    for (const THelpCall& call :
        PopupRequests(HelpContextOf(target), at.x(), at.y(), FOptions, placement))
        Send(call);
}

void TWhatsThis::Send(const THelpCall& call) const
{
    if (FSender)
        FSender(call.Command, call.Data);
    else if (THelpRouter* router = THelpRouter::Instance())
        router->HelpRequest(call.Command, call.Data);
}

QWidget* TWhatsThis::ProgramWindowAt(const QObject* watched) const
{
    // Each input event reaches the filter once for its window and again for every widget on its
    // way; only the window's turn counts. Gestures belong to the active window, and not while a
    // menu or another popup has the input.
    QWidget* window = QApplication::activeWindow();
    if (!window || QApplication::activePopupWidget() || window->windowHandle() != watched
        || window->property(WhatsThisExcludedProperty).toBool())
        return nullptr;
    return window;
}

namespace {

// Where a control keeps its help context: a dynamic property, so any widget can carry one.
constexpr const char* HelpContextProperty = "HelpContext";

// Qt's standard dialogs keep the menus they offer (a file list's "New Folder", a message's
// "Copy"); every other window of the program is ours.
bool IsQtStandardDialog(const QWidget* window)
{
    return qobject_cast<const QFileDialog*>(window) || qobject_cast<const QColorDialog*>(window)
        || qobject_cast<const QMessageBox*>(window) || qobject_cast<const QInputDialog*>(window)
        || qobject_cast<const QFontDialog*>(window) || qobject_cast<const QProgressDialog*>(window)
        || qobject_cast<const QErrorMessage*>(window);
}

} // namespace

void SetHelpContext(std::initializer_list<QWidget*> controls, std::int32_t context)
{
    for (QWidget* control : controls)
        control->setProperty(HelpContextProperty, context);
}

std::int32_t OwnHelpContext(const QWidget& control)
{
    return control.property(HelpContextProperty).toInt();
}

bool TWhatsThis::TakesContextMenu(QObject* watched, QEvent* event) const
{
    // A right-click in our windows means "What's this?" alone: Qt's own menus (a line edit's
    // edit menu, a scroll bar's) would open on the press, in English, before the gesture. Popups
    // (menus, the palette) and the help viewer are left alone.
    const auto* widget = qobject_cast<const QWidget*>(watched);
    if (!widget)
        return false;
    const QWidget* window = widget->window();
    if (window->windowType() != Qt::Window && window->windowType() != Qt::Dialog)
        return false;
    if (window->property(WhatsThisExcludedProperty).toBool() || IsQtStandardDialog(window))
        return false;
    event->accept();
    return true;
}

bool TWhatsThis::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ContextMenu:
        return TakesContextMenu(watched, event);
    case QEvent::ShortcutOverride:
        return ShortcutOverride(watched, static_cast<QKeyEvent*>(event));
    case QEvent::KeyPress:
        return KeyPress(watched, static_cast<QKeyEvent*>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease: {
        if (!watched->isWindowType())
            return false;
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (FMode == TMode::Context)
            return ContextModeMouse(watched, mouse);
        if (event->type() != QEvent::MouseButtonRelease)
            return false;
        if (FSwallowRelease) {
            FSwallowRelease = false;
            return true;
        }
        if (mouse->button() == Qt::RightButton && FMode == TMode::Idle) {
            if (QWidget* window = ProgramWindowAt(watched))
                RightButtonReleased(window, mouse);
        }
        // The control still gets the release.
        return false;
    }
    case QEvent::ApplicationDeactivate:
        // The mode and its cursor do not outlive the program's turn at the input.
        EndContextMode();
        return false;
    default:
        return false;
    }
}

bool TWhatsThis::ShortcutOverride(QObject* watched, QKeyEvent* event)
{
    // Shortcuts are matched before the window sees the key. The first to hear of it is the
    // window's focus object; taking the key there keeps F1 from running Help contents, and
    // keeps any key that ends context mode from running a command.
    const QWindow* focusWindow = QGuiApplication::focusWindow();
    if (!focusWindow || watched != focusWindow->focusObject() || !ProgramWindowAt(focusWindow))
        return false;
    const bool freshF1 = event->key() == Qt::Key_F1 && !event->isAutoRepeat();
    if (FMode != TMode::Context && !freshF1)
        return false;
    event->accept();
    return true;
}

bool TWhatsThis::KeyPress(QObject* watched, QKeyEvent* event)
{
    QWidget* window = ProgramWindowAt(watched);
    if (!window)
        return false;
    if (FMode == TMode::Context) {
        // A held key repeating is not a new key.
        if (!event->isAutoRepeat())
            EndContextMode();
        return true;
    }
    if (event->key() != Qt::Key_F1 || event->isAutoRepeat())
        return false;
    FMode = TMode::Idle;
    if (event->modifiers() & Qt::ShiftModifier) {
        EnterContextMode();
        return true;
    }
    const QWidget* target = window->focusWidget();
    ShowPopupFor(target, target ? target->mapToGlobal(QPoint(0, 0)) : QCursor::pos());
    return true;
}

bool TWhatsThis::ContextModeMouse(QObject* watched, QMouseEvent* event)
{
    QWidget* window = ProgramWindowAt(watched);
    const bool pressed
        = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
    if (!window) {
        // A click elsewhere in the program ends the mode without help.
        if (pressed)
            EndContextMode();
        return false;
    }
    if (!pressed)
        return true;
    EndContextMode();
    FSwallowRelease = true;
    if (event->button() == Qt::LeftButton) {
        QWidget* child = window->childAt(event->position().toPoint());
        const QPointer<QWidget> target = child ? child : window;
        const QPoint at = event->globalPosition().toPoint();
        // Asked for once the click is over, as the right-click's popup is.
        QMetaObject::invokeMethod(
            this, [this, target, at] { ShowPopupFor(target, at); }, Qt::QueuedConnection);
    }
    return true;
}

void TWhatsThis::RightButtonReleased(QWidget* window, QMouseEvent* event)
{
    QWidget* child = window->childAt(event->position().toPoint());
    const QWidget* target = child ? child : window;
    const std::int32_t context = HelpContextOf(target);
    if (!OpensWhatsThisMenu(context, target->isWindow(), FOptions))
        return;
    FMode = TMode::Menu;
    FMenuContext = context;
    FMenuPoint = event->globalPosition().toPoint();
    // The menu opens once the release has reached the control.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (FMode == TMode::Menu)
                FMenu->popup(FMenuPoint);
        },
        Qt::QueuedConnection);
}

void TWhatsThis::MenuEntryChosen()
{
    const std::int32_t context = FMenuContext;
    const QPoint at = FMenuPoint;
    QMetaObject::invokeMethod(
        this,
        [this, context, at] {
            for (const THelpCall& call :
                PopupRequests(context, at.x(), at.y(), FOptions, TPopupPlacement::AlwaysPoint))
                Send(call);
        },
        Qt::QueuedConnection);
}

void TWhatsThis::EnterContextMode()
{
    if (FMode == TMode::Context)
        return;
    FMode = TMode::Context;
    QApplication::setOverrideCursor(Qt::WhatsThisCursor);
}

void TWhatsThis::EndContextMode()
{
    if (FMode != TMode::Context)
        return;
    FMode = TMode::Idle;
    QApplication::restoreOverrideCursor();
}
