#pragma once

#include "i18n/LanguageKeys.h"
#include "i18n/OwnTexts.h"
#include "tools/Tool.h"

#include <QObject>

#include <array>
#include <filesystem>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

class QAction;
class QMenu;
class QWidget;

// The tools of the window, made from the list in WindowTools.cpp, with an action for each of
// their commands placed in the window's menus after the window's own entries.
class TWindowTools : public QObject
{
    Q_OBJECT

public:
    // menus: File, Edit, Tools, Help of the menu bar.
    TWindowTools(const TToolContext& context, QWidget& window, const std::array<QMenu*, 4>& menus);
    ~TWindowTools() override;

    // Every action made for a tool command, submenus included.
    std::span<QAction* const> Actions() const { return FActions; }

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
    std::vector<QAction*> FActions;
};
