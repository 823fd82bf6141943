#pragma once

#include "i18n/ShownText.h"

#include <QObject>
#include <QString>

#include <filesystem>
#include <span>

class QAction;
class QListWidget;
class QWidget;
class TDocumentSeam;
class TPreviewImage;
class TStatusPanel;
class TToolPreferences;

// The menus a tool's commands can go in, after the window's own entries of that menu.
enum class TToolMenu { File, Edit, Tools };

enum class TToolCommandKind {
    Plain,
    Checkable, // on or off, like "Show selected item"
    Submenu, // opens a submenu of the entries that name it as their Parent
    Choice, // a checkable entry of a submenu, exclusive with the other entries there
};

// One command a tool adds to the window: its action's object name, where it goes, its built-in
// English texts and the language file keys that replace them.
struct TToolCommand
{
    const char* Name; // object name of the action, "ActionEditShowSelectedItem"
    TToolMenu Menu;
    // Order among the tools' entries of the menu; entries whose positions differ in the
    // hundreds are set apart by a separator.
    int Position;
    const char* Caption; // "&" marks the accelerator letter
    const char* Hint; // the tool tip; empty for none
    const char* Shortcut; // in Qt's portable key text ("Ctrl+L"); empty for none
    const char* Section; // the language file section of both keys
    const char* CaptionKey;
    const char* HintKey;
    TToolCommandKind Kind = TToolCommandKind::Plain;
    const char* Parent = ""; // for a Choice: the Name of its submenu
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
};

// A tool beyond the window's own commands. It reads and changes the document through the seam,
// brings its own commands and texts, and keeps its own settings. The window lists its tools in
// one place, makes an action for each command and applies languages to all of them.
class TTool : public QObject
{
    Q_OBJECT

public:
    explicit TTool(const TToolContext& context, QObject* parent = nullptr);

    // The commands the window adds to its menus, in this order.
    virtual std::span<const TToolCommand> Commands() const { return {}; }
    // Texts the tool shows besides its commands' captions and hints, read from language files
    // after the commands' keys, in this order.
    virtual std::span<const TTextKey> Texts() const { return {}; }
    // The window made these actions, one per command, in the order of Commands().
    virtual void AttachActions(std::span<QAction* const> actions) { static_cast<void>(actions); }
    // Enables or disables the tool's commands; run whenever the window's own rules are.
    virtual void UpdateActions() { }
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
    const TToolContext& Context() const { return FContext; }

private:
    TToolContext FContext;
};
