#pragma once

#include <QObject>

#include <functional>
#include <span>
#include <string_view>
#include <vector>

class QAction;
class QWidget;
class TTool;
struct TToolCommand;

// The actions of tools' commands on a window, made from the commands' rows: each runs its row's
// behaviour under the guard it is given, and Update() enables and marks every one of them by its
// row's rules, the one place where that happens. A Submenu gets a menu holding its Choices, which
// exclude each other. Placing the other actions in menus is the window's business.
class TToolActions : public QObject
{
    Q_OBJECT

public:
    using TGuard = std::function<bool(const std::function<void()>& step)>;

    TToolActions(QWidget& window, TGuard guard, QObject* parent = nullptr);
    ~TToolActions() override;

    // Makes an action for each of the tool's commands; the tool outlives them.
    void Add(const TTool& tool);
    // Every action made, submenus included, in the order of the commands.
    std::span<QAction* const> Actions() const { return FActions; }
    // The action of the command with this name; null when there is none.
    QAction* Action(std::string_view name) const;

    void Update();

private:
    QAction* Make(const TToolCommand& command);

    QWidget& FWindow;
    TGuard FGuard;
    std::vector<QAction*> FActions;
    std::vector<const TToolCommand*> FCommands;
};
