#include "tools/ToolActions.h"

#include "i18n/LanguageKeys.h"
#include "tools/Tool.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QWidget>

#include <utility>

TToolActions::TToolActions(QWidget& window, TGuard guard, QObject* parent)
    : QObject(parent)
    , FWindow(window)
    , FGuard(std::move(guard))
{ }

TToolActions::~TToolActions() = default;

void TToolActions::Add(const TTool& tool)
{
    for (const TToolCommand& command : tool.Commands()) {
        QAction* action = Make(command);
        if (command.Text.Kind == TToolCommandKind::Submenu) {
            auto* submenu = new QMenu(&FWindow);
            submenu->setObjectName(QString::fromUtf8(command.Text.Name) + "Menu");
            submenu->setToolTipsVisible(true);
            action->setMenu(submenu);
            new QActionGroup(submenu);
        } else if (command.Text.Kind == TToolCommandKind::Choice) {
            // A submenu's choices exclude each other and stand in the order of the commands.
            if (QAction* parent = Action(command.Text.Parent); parent && parent->menu()) {
                parent->menu()->findChild<QActionGroup*>()->addAction(action);
                parent->menu()->addAction(action);
            }
        }
        // Run under the guard, so that an exception shows the window's one error box instead
        // of escaping into the event loop; the marks and enabling follow at once.
        if (command.Toggle) {
            connect(action, &QAction::triggered, this, [this, &command](bool on) {
                FGuard([&] { command.Toggle(on); });
                Update();
            });
        } else if (command.Run) {
            connect(action, &QAction::triggered, this, [this, &command] {
                FGuard([&] { command.Run(); });
                Update();
            });
        }
        FActions.push_back(action);
        FCommands.push_back(&command);
    }
    Update();
}

QAction* TToolActions::Action(std::string_view name) const
{
    for (std::size_t i = 0; i < FCommands.size(); ++i) {
        if (name == FCommands[i]->Text.Name)
            return FActions[i];
    }
    return nullptr;
}

void TToolActions::Update()
{
    for (std::size_t i = 0; i < FCommands.size(); ++i) {
        const TToolCommand& command = *FCommands[i];
        FActions[i]->setEnabled(!command.Enabled || command.Enabled());
        if (command.Checked)
            FActions[i]->setChecked(command.Checked());
    }
}

QAction* TToolActions::Make(const TToolCommand& command)
{
    auto* action = new QAction(QString::fromUtf8(command.Text.Caption), &FWindow);
    action->setObjectName(command.Text.Name);
    action->setProperty(CommandHintProperty, QString::fromUtf8(command.Text.Hint));
    action->setToolTip(QString::fromUtf8(command.Text.Hint));
    if (*command.Text.Shortcut != '\0') {
        action->setShortcut(QKeySequence(QString::fromLatin1(command.Text.Shortcut)));
        action->setShortcutContext(Qt::WindowShortcut);
    }
    action->setCheckable(command.Text.Kind == TToolCommandKind::Checkable
        || command.Text.Kind == TToolCommandKind::Choice);
    FWindow.addAction(action);
    return action;
}
