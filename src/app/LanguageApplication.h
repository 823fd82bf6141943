#pragma once

#include "common/AnsiString.h"

#include <string>

class QAction;
class QMainWindow;
class QString;
class TFileDialogs;
class TWindowTools;
struct TLanguageKey;
struct TMainFormControls;

// Applies a language file to the whole window: the keys of the window's own texts in their fixed
// order, then ours (the window's further texts, each tool's commands and texts), then the dialog
// filters and the help file.
class TLanguageApplication
{
public:
    TLanguageApplication(QMainWindow& window, TMainFormControls& controls, TFileDialogs& dialogs,
        const TWindowTools& tools, std::string programFolder);

    // Applies the language a value names (a bare name, a file name or a path). Returns false,
    // and changes nothing at all, when the file does not exist.
    bool Apply(const std::string& language);

private:
    TAnsiString TargetText(const TLanguageKey& key) const;
    void SetTargetText(const TLanguageKey& key, const TAnsiString& value);
    QAction* Command(const TLanguageKey& key) const;

    QMainWindow& FWindow;
    TMainFormControls& FControls;
    TFileDialogs& FDialogs;
    const TWindowTools& FTools;
    std::string FProgramFolder;
};

// Sets a command's hint: its tool tip, which reads like the menu entry (an "&" marks no letter
// there).
void SetCommandHint(QAction& action, const QString& hint);
