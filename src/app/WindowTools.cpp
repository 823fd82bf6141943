#include "app/WindowTools.h"

#include "app/MainFormControls.h"
#include "tools/clipboard/ColorClipboard.h"
#include "tools/find/FindAndRecolor.h"
#include "tools/import/ColorImport.h"
#include "tools/legibility/LegibilityCheck.h"
#include "tools/changed/ChangedItems.h"
#include "tools/compare/CompareTool.h"
#include "tools/history/HistoryTool.h"
#include "tools/readout/PreviewReadout.h"
#include "tools/ToolPreferences.h"
#include "tools/vision/VisionSimulation.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QWidget>

#include <algorithm>
#include <map>

namespace {

using TToolFactory = std::unique_ptr<TTool> (*)(const TToolContext&);

template <class T> std::unique_ptr<TTool> MakeTool(const TToolContext& context)
{
    return std::make_unique<T>(context);
}

// The tools, in the order their commands are placed and their language keys are read.
constexpr TToolFactory ToolList[] = {
    MakeTool<TPreviewReadout>,
    MakeTool<TFindAndRecolor>,
    MakeTool<TColorClipboard>,
    MakeTool<TColorImport>,
    MakeTool<TLegibilityCheck>,
    MakeTool<TVisionSimulation>,
    MakeTool<TChangedItems>,
    MakeTool<TCompareTool>,
    MakeTool<THistoryTool>,
};

QAction* MakeAction(const TToolCommand& command, QWidget& window)
{
    auto* action = new QAction(QString::fromUtf8(command.Caption), &window);
    action->setObjectName(command.Name);
    action->setProperty(CommandHintProperty, QString::fromUtf8(command.Hint));
    action->setToolTip(QString::fromUtf8(command.Hint));
    if (*command.Shortcut != '\0') {
        action->setShortcut(QKeySequence(QString::fromLatin1(command.Shortcut)));
        action->setShortcutContext(Qt::WindowShortcut);
    }
    action->setCheckable(
        command.Kind == TToolCommandKind::Checkable || command.Kind == TToolCommandKind::Choice);
    window.addAction(action);
    return action;
}

} // namespace

TWindowTools::TWindowTools(
    const TToolContext& context, QWidget& window, const std::array<QMenu*, 4>& menus)
    : QObject(&window)
    , FPreferences(context.Preferences)
{
    struct TPlaced
    {
        const TToolCommand* Command;
        QAction* Action;
    };
    std::vector<TPlaced> placed;
    for (const TToolFactory make : ToolList) {
        std::unique_ptr<TTool> tool = make(context);
        // A child of the window's, so checks from outside find it as they find controls.
        tool->setParent(this);
        std::vector<QAction*> actions;
        for (const TToolCommand& command : tool->Commands()) {
            QAction* action = MakeAction(command, window);
            actions.push_back(action);
            FActions.push_back(action);
            placed.push_back({&command, action});
        }
        tool->AttachActions(actions);
        FTools.push_back(std::move(tool));
    }

    // Submenus first, so their entries find them; each submenu's entries exclude each other.
    std::map<std::string_view, QMenu*> submenus;
    for (const TPlaced& entry : placed) {
        if (entry.Command->Kind != TToolCommandKind::Submenu)
            continue;
        auto* submenu = new QMenu(&window);
        submenu->setObjectName(QString::fromUtf8(entry.Command->Name) + "Menu");
        entry.Action->setMenu(submenu);
        new QActionGroup(submenu);
        submenus[entry.Command->Name] = submenu;
    }
    std::stable_sort(placed.begin(), placed.end(), [](const TPlaced& a, const TPlaced& b) {
        return a.Command->Position < b.Command->Position;
    });
    // Every entry's hint shows as its tool tip, the status bar being kept for the modified mark.
    for (QMenu* menu : menus)
        menu->setToolTipsVisible(true);
    for (const auto& [name, submenu] : submenus)
        submenu->setToolTipsVisible(true);
    std::map<const QMenu*, int> lastGroup;
    for (const TPlaced& entry : placed) {
        QMenu* menu = menus.at(std::size_t(entry.Command->Menu));
        if (entry.Command->Kind == TToolCommandKind::Choice) {
            menu = submenus.at(entry.Command->Parent);
            menu->findChild<QActionGroup*>()->addAction(entry.Action);
            menu->addAction(entry.Action);
            continue;
        }
        // The tools' entries stand behind the window's own, and groups behind each other, set
        // apart by separators.
        const int group = entry.Command->Position / 100;
        const auto last = lastGroup.find(menu);
        if (last == lastGroup.end() || last->second != group)
            menu->addSeparator();
        lastGroup[menu] = group;
        menu->addAction(entry.Action);
    }
}

TWindowTools::~TWindowTools() = default;

std::vector<TLanguageKey> TWindowTools::CommandKeys() const
{
    std::vector<TLanguageKey> keys;
    for (const auto& tool : FTools) {
        for (const TToolCommand& command : tool->Commands()) {
            keys.push_back({command.Section, command.CaptionKey, TLanguageTarget::CommandCaption, 0,
                command.Name});
            keys.push_back(
                {command.Section, command.HintKey, TLanguageTarget::CommandHint, 0, command.Name});
        }
    }
    return keys;
}

std::vector<TTextKey> TWindowTools::TextKeys() const
{
    std::vector<TTextKey> keys;
    for (const auto& tool : FTools) {
        const std::span<const TTextKey> texts = tool->Texts();
        keys.insert(keys.end(), texts.begin(), texts.end());
    }
    return keys;
}

void TWindowTools::UpdateActions()
{
    for (const auto& tool : FTools)
        tool->UpdateActions();
}

void TWindowTools::ReadSettings(const std::filesystem::path& settingsFile)
{
    FPreferences.Read(settingsFile);
    for (const auto& tool : FTools)
        tool->ReadSettings(settingsFile);
}

void TWindowTools::WriteSettings(const std::filesystem::path& settingsFile) const
{
    FPreferences.Write(settingsFile);
    for (const auto& tool : FTools)
        tool->WriteSettings(settingsFile);
}
