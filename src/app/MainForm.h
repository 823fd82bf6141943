#pragma once

#include "app/Settings.h"
#include "editing/ColorStack.h"
#include "preview/PreviewMap.h"
#include "scheme/SchemeFile.h"

#include <QMainWindow>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QColorDialog;
class QFileDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QToolBar;
class TColorPickerButton;
class TPreviewImage;

// The program's only document window: the item list, the colour controls, the description
// field and the preview, with every command as a named action. It owns the document (colour
// records in FItems, descriptions as the lines of ListBox1, index for index), the undo and redo
// stacks, the preview map and image, the file name and the modified flag.
class TMainForm : public QMainWindow
{
    Q_OBJECT

public:
    // programFolder ends in "/" and holds schemes/, previews/, languages/ and Help/.
    TMainForm(
        std::string programFolder, std::filesystem::path settingsFile, QWidget* parent = nullptr);
    ~TMainForm() override;

    // Document state, for the shell and for checks from outside.
    const std::string& FileName() const { return FFileName; }
    bool Modified() const { return FModified; }
    const std::vector<TRGBTriple>& Items() const { return FItems; }
    const TColorStack& UndoStack() const { return FUndoStack; }
    const TColorStack& RedoStack() const { return FRedoStack; }
    const TPreviewMap& PreviewMap() const { return FPreviewMap; }
    const TSettings& Settings() const { return FSettings; }
    const std::string& ProgramFolderPath() const { return FProgramFolder; }

    bool QuerySaveChanges();
    void LoadColorFile(const std::string& fileName);
    void SaveColorFile(const std::string& fileName);
    void ClearItems();
    void SetModified(bool value);
    void SetFileName(const std::string& name);
    void ShowSelectedItem();
    void LoadPreview();
    void PaintPreview();
    void OpenPreviewFile(const std::string& path);
    void ApplyLanguage(const std::string& language);

    // Runs an action the way the program does from code: its update rule first, then the
    // command only while the action is enabled.
    void RunAction(QAction* action);
    // Re-evaluates every update rule.
    void UpdateActions();

    // Runs a command or start-up step; an exception stops it and its text is shown in a message
    // box captioned with the application title. Returns false when the step failed.
    bool Guarded(const std::function<void()>& step);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateActions();
    void CreateMenusAndToolBar();
    void CreateControls();
    void CreateDialogs();
    void ApplyOffice2003Look();

    void FormCreate();
    void FormCloseQuery(bool& canClose);
    void FormClose();
    void AcceptDroppedFiles(bool accept);

    void ListBox1Click();
    void ShowColorCode();
    void ColorPickerButton1Click();
    void ColorPickerButton1Change();
    void EditColorValueChange();
    void EditDescriptionChange();
    void Image1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void SelectListRow(int row);

    void ActionFileNewExecute();
    void ActionFileOpenExecute();
    void ActionFileSaveExecute();
    void ActionFileSaveAsExecute();
    void ActionFileExitExecute();
    void ActionFileSaveUpdate();
    void ActionFileSaveAsUpdate();
    void ActionEditUndoExecute();
    void ActionEditRedoExecute();
    void ActionEditUndoUpdate();
    void ActionEditRedoUpdate();
    void ActionToolsOpenPreviewExecute();
    void ActionToolsReferenceExecute();
    void ActionToolsImportExecute(QAction* sender);
    void ActionToolsClipboardUpdate();

    // Shows a file dialog modally; returns the chosen path, or nothing when cancelled.
    bool ExecuteFileDialog(QFileDialog* dialog, std::string& fileName);
    std::vector<std::string> Descriptions() const;

    std::string FProgramFolder;
    std::filesystem::path FSettingsFile;
    TSettings FSettings {};

    bool FShowingItem = false;
    bool FTypingColorCode = false;
    bool FAcceptingDroppedFiles = false;
    bool FClosed = false;
    TColorStack FUndoStack;
    TColorStack FRedoStack;
    std::vector<TRGBTriple> FItems;
    TPreviewMap FPreviewMap;
    std::string FFileName;
    bool FModified = false;

public:
    // Controls and actions carry the names of the window layout; tests find them by these names.
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

    QMenu* MenuFile = nullptr;
    QMenu* MenuEdit = nullptr;
    QMenu* MenuTools = nullptr;
    QMenu* MenuHelp = nullptr;
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

    QColorDialog* ColorDialog1 = nullptr;
    QFileDialog* OpenDialogColorFile = nullptr;
    QFileDialog* SaveDialogColorFile = nullptr;
    QFileDialog* OpenPictureDialogPreviewBitmap = nullptr;
    QFileDialog* SaveDialogPreviewFile = nullptr;
    QFileDialog* OpenDialogPreviewFile = nullptr;
};
