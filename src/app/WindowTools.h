#pragma once

#include "i18n/LanguageKeys.h"
#include "i18n/OwnTexts.h"
#include "tools/Tool.h"
#include "tools/ToolActions.h"

#include <QObject>

#include <filesystem>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

class QAction;
class QWidget;

// The tools of the window, made from the list in WindowTools.cpp, with an action for each of
// their commands (the window's menu layout places them), run under the window's guard and
// enabled and marked by the commands' own rules, all evaluated here.
class TWindowTools : public QObject
{
    Q_OBJECT

public:
    // The actions are the window's; a submenu's choices are put in its menu here.
    TWindowTools(const TToolContext& context, QWidget& window);
    ~TWindowTools() override;

    // Every action made for a tool command, submenus included.
    std::span<QAction* const> Actions() const { return FActions.Actions(); }

    // The language file reads of the tools, after the window's own: each command's caption and
    // hint, tool by tool, then each tool's texts.
    std::vector<TLanguageKey> CommandKeys() const;
    std::vector<TTextKey> TextKeys() const;

    void UpdateActions();
    void ReadSettings(const std::filesystem::path& settingsFile);
    void WriteSettings(const std::filesystem::path& settingsFile) const;

private:
    TToolPreferences& FPreferences;
    std::vector<std::unique_ptr<TTool>> FTools;
    TToolActions FActions;
};
