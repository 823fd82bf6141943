#pragma once

#include "app/CommandTable.h"
#include "i18n/LanguageKeys.h"

#include <array>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QToolBar;
class TColorPickerButton;
class THelpRouter;
class TWhatsThis;
class TPreviewImage;

// The main window's actions and controls. They carry the names of the window layout, as do
// their object names, by which the tests find them too.
struct TMainFormControls
{
    std::array<QAction*, CommandCount> Actions {}; // in the order of the command table
    QAction* ActionFileNew = nullptr;
    QAction* ActionFileOpen = nullptr;
    QAction* ActionFileSave = nullptr;
    QAction* ActionFileSaveAs = nullptr;
    QAction* ActionFileExit = nullptr;
    QAction* ActionEditUndo = nullptr;
    QAction* ActionEditRedo = nullptr;
    QAction* ActionToolsOpenPreview = nullptr;
    QAction* ActionToolsReference = nullptr;
    QAction* ActionToolsImport = nullptr;
    QAction* ActionToolsClipboard = nullptr;
    QAction* ActionToolsSwitchLanguage = nullptr;
    QAction* ActionHelpContents = nullptr;
    QAction* ActionHelpIndex = nullptr;
    QAction* ActionHelpWeb = nullptr;
    QAction* ActionHelpAbout = nullptr;

    std::array<QMenu*, 4> Menus {}; // File, Edit, Tools, Help
    QToolBar* ToolBar1 = nullptr;

    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QLabel* Label2 = nullptr;
    TColorPickerButton* ColorPickerButton1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* EditColorValue = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    TPreviewImage* Image1 = nullptr;
    QGroupBox* GroupBox4 = nullptr;
    QLineEdit* EditDescription = nullptr;
    QLabel* StatusPanel0 = nullptr;
    QLabel* StatusPanel1 = nullptr;

    // Every help request of the program, and the context-help gestures (F1, Shift+F1 and the
    // right-click "What's this?" menu); owned by the window.
    THelpRouter* HelpRouter = nullptr;
    TWhatsThis* WhatsThis = nullptr;

    QAction* Action(std::string_view name) const;
};
