#pragma once

#include "app/FileDialogs.h"
#include "app/MainFormControls.h"
#include "app/Settings.h"
#include "common/AnsiString.h"
#include "editing/ColorHistory.h"
#include "preview/PreviewMap.h"
#include "scheme/SchemeFile.h"

#include <QMainWindow>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The program's only document window: the item list, the colour controls, the description
// field and the preview, with every command as a named action. It owns the document (colour
// records in FItems, descriptions as the lines of ListBox1, index for index), the colour history
// with the undo and redo stacks, the preview map and image, the file name and the modified flag.
//
// Its behaviour is spread over files by concern: MainForm.cpp (life cycle, document commands),
// MainFormEditing.cpp (selection and colour editing), MainFormPreview.cpp (the preview and its
// tools); MainFormLayout.cpp builds the window.
class TPreviewReadout;
struct TLanguageKey;

class TMainForm : public QMainWindow, public TMainFormControls
{
    Q_OBJECT

public:
    // programFolder ends in "/" and holds schemes/, previews/, languages/ and Help/; closing may
    // make the settings file's folder when settingsFolder says so (an installed program's).
    TMainForm(std::string programFolder, std::filesystem::path settingsFile,
        TSettingsFolder settingsFolder = TSettingsFolder::MustExist, QWidget* parent = nullptr);
    ~TMainForm() override;

    // Document state, for the shell and for checks from outside.
    const std::filesystem::path& FileName() const { return FFileName; }
    bool Modified() const { return FModified; }
    const std::vector<TRGBTriple>& Items() const { return FItems; }
    const TColorStack& UndoStack() const { return FHistory.UndoStack(); }
    const TColorStack& RedoStack() const { return FHistory.RedoStack(); }
    const TPreviewMap& PreviewMap() const { return FPreviewMap; }
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

    // Files from the shell (MainFormShell.cpp): a received macro, its lines, and a dropped
    // file, opened by its extension.
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

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
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
    void AfterHistoryStep();

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

    // Languages (MainFormLanguage.cpp).
    TAnsiString LanguageTargetText(const TLanguageKey& key) const;
    void SetLanguageTargetText(const TLanguageKey& key, const TAnsiString& value);
    void SetCommandHint(QAction* action, const QString& hint);
    void ActionToolsSwitchLanguageExecute();

    // Help and the About box (MainFormHelp.cpp).
    void ActionHelpContentsExecute();
    void ActionHelpIndexExecute();
    void ActionHelpAboutExecute();
    void ActionHelpWebExecute();

    // The preview and its tools (MainFormPreview.cpp).
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
    TColorHistory FHistory;
    std::vector<TRGBTriple> FItems;
    TPreviewMap FPreviewMap;
    // The preview's read-outs (hover tooltips, the list entries' neighbours, the flash of the
    // selected item); declared after the data it reads, so it goes first.
    std::unique_ptr<TPreviewReadout> FReadout;
    std::filesystem::path FFileName;
    bool FModified = false;
    // The first file of the drag over the window, read as it entered.
    std::optional<std::filesystem::path> FDraggedFile;
};
