#pragma once

#include "i18n/ShownText.h"

#include <QObject>
#include <QString>

#include <filesystem>
#include <functional>
#include <span>
#include <vector>

class QListWidget;
class QWidget;
class TDocumentSeam;
class TPreviewImage;
class TStatusPanel;
class TToolPreferences;

enum class TToolCommandKind {
    Plain,
    Checkable, // on or off, like "Show selected item"
    Submenu, // opens a submenu of the entries that name it as their Parent
    Choice, // a checkable entry of a submenu, exclusive with the other entries there
};

// The texts of one command a tool adds to the window: its action's object name, its built-in
// English texts and the language file keys that replace them.
struct TCommandText
{
    const char* Name; // object name of the action, "ActionEditShowSelectedItem"
    const char* Caption; // "&" marks the accelerator letter
    const char* Hint; // the tool tip; empty for none
    const char* Shortcut; // in Qt's portable key text ("Ctrl+L"); empty for none
    const char* Section; // the language file section of both keys
    const char* CaptionKey;
    const char* HintKey;
    TToolCommandKind Kind = TToolCommandKind::Plain;
    const char* Parent = ""; // for a Choice: the Name of its submenu
};

// One command of a tool: its texts and what it does. Where it stands in the menus is the
// window's menu layout's to say, by the name. The window runs Run (or Toggle, for a Checkable
// entry, with its new state) under its error guard, and asks Enabled and Checked whenever it
// evaluates its own update rules; an empty Enabled means always enabled.
struct TToolCommand
{
    TCommandText Text;
    std::function<void()> Run = {};
    std::function<void(bool on)> Toggle = {};
    std::function<bool()> Enabled = {};
    std::function<bool()> Checked = {};
};

// What a tool is given: the document, and the few parts of the window it may use.
struct TToolContext
{
    TDocumentSeam& Document;
    // The main window: parent of the tool's own windows and message boxes.
    QWidget& Window;
    // The preview control, for read-outs over it and flashes drawn on it.
    TPreviewImage& Preview;
    // The item list, for its entries' tooltips and marks.
    QListWidget& ItemList;
    // Status-bar panel 1, which the window's own commands leave empty.
    TStatusPanel& Status;
    // The user's choices that several tools follow.
    TToolPreferences& Preferences;
    // Runs a step the way the window runs its commands: an exception stops it and is shown in the
    // window's one error box. Returns false when the step failed.
    std::function<bool(const std::function<void()>& step)> Guard;
};

// A tool beyond the window's own commands. It reads and changes the document through the seam,
// brings its own commands and texts, and keeps its own settings. The window lists its tools in
// one place, makes an action for each command and applies languages to all of them.
class TTool : public QObject
{
    Q_OBJECT

public:
    explicit TTool(const TToolContext& context, QObject* parent = nullptr);

    // The commands the window makes actions for; a submenu's choices in the order shown.
    std::span<const TToolCommand> Commands() const { return FCommands; }
    // Texts the tool shows besides its commands' captions and hints, read from language files
    // after the commands' keys, in this order.
    virtual std::span<const TTextKey> Texts() const { return {}; }
    // The tool's settings, in the program's own section of the settings file.
    virtual void ReadSettings(const std::filesystem::path& settingsFile)
    {
        static_cast<void>(settingsFile);
    }
    virtual void WriteSettings(const std::filesystem::path& settingsFile) const
    {
        static_cast<void>(settingsFile);
    }

protected:
    TDocumentSeam& Document() const { return FContext.Document; }
    // The tool's commands, given once when it is made.
    void SetCommands(std::vector<TToolCommand> commands) { FCommands = std::move(commands); }
    const TToolContext& Context() const { return FContext; }

private:
    TToolContext FContext;
    std::vector<TToolCommand> FCommands;
};
