#pragma once

#include "help/HelpContext.h"
#include "help/HelpRequests.h"

#include <QObject>
#include <QPoint>
#include <QString>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>

class QAction;
class QKeyEvent;
class QMenu;
class QMouseEvent;
class QWidget;

// Gives controls the help context their context help shows (a window's, for the window itself).
void SetHelpContext(std::initializer_list<QWidget*> controls, std::int32_t context);
// The help context given to this control itself; 0 for none.
std::int32_t OwnHelpContext(const QWidget& control);
// A window with this property set to true is left out of context help (the help viewer).
inline constexpr const char* WhatsThisExcludedProperty = "WhatsThisExcluded";

// Context help ("What's this?") for every window of the program. It watches the keyboard and the
// mouse application-wide and turns three gestures into popup requests for the control concerned:
// - F1 (a fresh press; auto-repeats pass on to the window's shortcuts): the focused control's
//   popup at its top-left corner;
// - Shift+F1: context mode with the question-mark cursor; the next left click shows the popup
//   of the control under the mouse, any key ends the mode without help;
// - a right-click on a control that has a context: a menu with the one entry PopupCaption; in
//   the program's own windows no other context menu opens, Qt's edit menus included.
// A control's context is looked up from it up to its window (FindHelpContext): a label counts
// its buddy's, a control without one takes its group's.
class TWhatsThis : public QObject
{
    Q_OBJECT

public:
    // Sends one help request; by default to THelpRouter::Instance().
    using THelpSender = std::function<bool(THelpCommand command, std::uint32_t data)>;

    enum class TMode { Idle, Menu, Context };
    Q_ENUM(TMode)

    // Active from the start.
    explicit TWhatsThis(QObject* parent = nullptr);
    ~TWhatsThis() override;

    bool Active() const { return FActive; }
    void SetActive(bool active);

    // The text of the context menu's one entry; a change shows at once.
    QString PopupCaption() const;
    void SetPopupCaption(const QString& caption);

    const TWhatsThisOptions& Options() const { return FOptions; }
    void SetOptions(const TWhatsThisOptions& options) { FOptions = options; }

    void SetHelpSender(THelpSender sender) { FSender = std::move(sender); }

    TMode Mode() const { return FMode; }

    // The context of a control (0: none).
    std::int32_t HelpContextOf(const QWidget* target) const;

    // Asks for the popup of a control at a screen point.
    void ShowPopupFor(const QWidget* target, const QPoint& at,
        TPopupPlacement placement = TPopupPlacement::NonZeroPoint);

    // The context menu (for its entry and for tests).
    QMenu* PopupMenu() const { return FMenu.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* ProgramWindowAt(const QObject* watched) const;
    bool TakesContextMenu(QObject* watched, QEvent* event) const;
    bool ShortcutOverride(QObject* watched, QKeyEvent* event);
    bool KeyPress(QObject* watched, QKeyEvent* event);
    bool ContextModeMouse(QObject* watched, QMouseEvent* event);
    void RightButtonReleased(QWidget* window, QMouseEvent* event);
    void EnterContextMode();
    void EndContextMode();
    void MenuEntryChosen();
    void Send(const THelpCall& call) const;

    bool FActive = false;
    TWhatsThisOptions FOptions;
    THelpSender FSender;
    TMode FMode = TMode::Idle;
    // The release of the click that ended context mode is not passed on either.
    bool FSwallowRelease = false;
    std::unique_ptr<QMenu> FMenu;
    QAction* FMenuEntry = nullptr;
    std::int32_t FMenuContext = 0;
    QPoint FMenuPoint;
};
