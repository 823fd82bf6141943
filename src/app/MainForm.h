#pragma once

#include "app/FileDialogs.h"
#include "app/MainFormControls.h"
#include "app/Settings.h"
#include "common/AnsiString.h"
#include "editing/ColorHistory.h"
#include "preview/PreviewMap.h"
#include "scheme/SavedScheme.h"
#include "scheme/SchemeFile.h"

#include <QMainWindow>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class QDBusConnection;
class TDocumentSeam;
class TLanguageApplication;
class TShellIntake;
class TStatusPanel;
class TToolPreferences;
class TWindowDocument;
class TWindowTools;

// The program's only document window: the item list, the colour controls, the description
// field and the preview, with every command as a named action. It owns the document (colour
// records in FItems, descriptions as the lines of ListBox1, index for index), the colour history
// with the undo and redo stacks, the saved state, the preview map and image, the file name and the
// modified flag. Tools plug in beside it through the document seam (Document()).
//
// Its behaviour is spread over files by concern: MainForm.cpp (life cycle, document commands),
// MainFormEditing.cpp (selection and colour editing), MainFormPreview.cpp (the preview and the
// commands that make preview files), MainFormHelp.cpp (help and the About box);
// MainFormLayout.cpp builds the window. Languages (TLanguageApplication), files from the shell
// (TShellIntake) and the tools (TWindowTools) are objects of their own that it owns.
class TMainForm : public QMainWindow, private TMainFormControls
{
    Q_OBJECT

public:
    // programFolder ends in "/" and holds schemes/, previews/, languages/ and Help/; closing may
    // make the settings file's folder when settingsFolder says so (an installed program's).
    TMainForm(std::string programFolder, std::filesystem::path settingsFile,
        TSettingsFolder settingsFolder = TSettingsFolder::MustExist, QWidget* parent = nullptr);
    ~TMainForm() override;

    // The open document, as tools (and checks from outside) see and change it.
    TDocumentSeam& Document() const;
    const std::filesystem::path& FileName() const { return FFileName; }
    bool Modified() const { return FModified; }
    const TSettings& Settings() const { return FSettings; }

    bool QuerySaveChanges();
    void LoadColorFile(const std::filesystem::path& fileName);
    void SaveColorFile(const std::filesystem::path& fileName);
    void ClearItems();
    void SetModified(bool value);
    void SetFileName(const std::filesystem::path& name);
    void ShowSelectedItem();
    void LoadPreview();
    void PaintPreview();
    void OpenPreviewFile(const std::filesystem::path& path);
    void ApplyLanguage(const std::string& language);

    // Files from the shell: a received macro, its lines, and a dropped file, opened by its
    // extension.
    void ExecuteMacroText(std::string_view text);
    void SystemExecuteMacro(std::vector<std::string>& lines);
    void UseLanguageFile(const std::filesystem::path& path);
    void OpenDroppedFile(const std::filesystem::path& file);

    // Runs an action the way the program does from code: its update rule first, then the
    // command only while the action is enabled.
    void RunAction(QAction* action);
    // Re-evaluates every update rule.
    void UpdateActions();

    // Runs a command or start-up step; an exception stops it and its text is shown in a message
    // box captioned with the application title. Returns false when the step failed.
    bool Guarded(const std::function<void()>& step);

    // Serves requests of other programs (macros, the desktop's) on the connection under the name.
    void ListenForRequests(const QDBusConnection& connection, const QString& serviceName);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    friend class TShellIntake;
    friend class TWindowDocument;

    void ConnectCommands();
    void ConnectControls();
    bool RuleHolds(TEnablingRule rule) const;

    void FormCreate();
    void FormCloseQuery(bool& canClose);
    void FormClose();
    void AcceptDroppedFiles(bool accept);

    // Selection and colour editing (MainFormEditing.cpp).
    void ListBox1Click();
    void ShowColorCode();
    void ColorPickerButton1Click();
    void ColorPickerButton1Change();
    void EditColorValueChange();
    void EditDescriptionChange();
    void SelectListRow(int row);
    int SelectedRow() const;
    void ActionEditUndoExecute();
    void ActionEditRedoExecute();
    // Several items at once as one step, and moves through the history by whole steps.
    std::vector<std::size_t> ApplyColorChanges(
        std::span<const TColorChange> changes, const TStepFacts& facts);
    void MoveInHistory(int steps);
    // After items took new colours: compares them with the saved ones, repaints, sets the mark
    // and tells the tools.
    void ColorsChanged(const std::vector<std::size_t>& items, bool showSelectedItem);

    // Document commands (MainForm.cpp).
    void ActionFileNewExecute();
    void ActionFileOpenExecute();
    void ActionFileSaveExecute();
    void ActionFileSaveAsExecute();
    void ActionFileExitExecute();
    std::vector<TAnsiString> Descriptions() const;
    // The file a save of `fileName` writes; nothing when the user declined replacing another file.
    std::optional<std::filesystem::path> ConfirmedSaveTarget(const std::filesystem::path& fileName);
    void WriteColorFile(
        const std::filesystem::path& written, const std::filesystem::path& fileName);
    void ActionToolsSwitchLanguageExecute();
    // Refuses a preview or language path the settings file could not keep.
    static void RefuseUnstorablePath(const std::filesystem::path& path);

    // Help and the About box (MainFormHelp.cpp).
    void ActionHelpContentsExecute();
    void ActionHelpIndexExecute();
    void ActionHelpAboutExecute();
    void ActionHelpWebExecute();

    // The preview and the commands that make preview files (MainFormPreview.cpp).
    void Image1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void ActionToolsOpenPreviewExecute();
    void ActionToolsReferenceExecute();
    void ActionToolsImportExecute(QAction* sender);
    void ActionToolsClipboardUpdate();

    std::string FProgramFolder;
    std::filesystem::path FSettingsFile;
    TSettingsFolder FSettingsFolder;
    TSettings FSettings {};
    TFileDialogs FFileDialogs;

    bool FShowingItem = false;
    bool FTypingColorCode = false;
    bool FClosed = false;
    // Commands running now, one inside another's dialog included; requests from other programs
    // wait for none to run.
    int FCommandDepth = 0;
    TColorHistory FHistory;
    std::vector<TRGBTriple> FItems;
    TSavedScheme FSaved;
    TPreviewMap FPreviewMap;
    std::filesystem::path FFileName;
    bool FModified = false;

    // Declared after the data they read, so they go first.
    std::unique_ptr<TWindowDocument> FDocument;
    std::unique_ptr<TStatusPanel> FStatus;
    std::unique_ptr<TToolPreferences> FPreferences;
    std::unique_ptr<TWindowTools> FTools;
    std::unique_ptr<TLanguageApplication> FLanguage;
    std::unique_ptr<TShellIntake> FShell;
};
