#include "app/MainForm.h"

#include "app/ErrorBox.h"
#include "app/LanguageApplication.h"
#include "app/MainFormLayout.h"
#include "app/ShellIntake.h"
#include "app/WindowDocument.h"
#include "app/WindowTexts.h"
#include "app/WindowTools.h"
#include "common/Error.h"
#include "common/FileAccess.h"
#include "common/PathRules.h"
#include "common/UiText.h"
#include "editing/ColorPickerButton.h"
#include "help/HelpRouter.h"
#include "help/WhatsThis.h"
#include "i18n/TranslatedTexts.h"
#include "preview/PreviewImage.h"
#include "tools/StatusPanel.h"
#include "tools/ToolPreferences.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QSignalBlocker>

#include <algorithm>
#include <string_view>
#include <utility>

#include <unistd.h>

namespace {

const char* const ApplicationTitle = "Tintwright";

constexpr int ClientWidth = 614;
constexpr int ClientHeight = 552;

} // namespace

TMainForm::TMainForm(std::string programFolder, std::filesystem::path settingsFile,
    TSettingsFolder settingsFolder, QWidget* parent)
    : QMainWindow(parent)
    , FProgramFolder(std::move(programFolder))
    , FSettingsFile(std::move(settingsFile))
    , FSettingsFolder(settingsFolder)
{
    setObjectName("MainForm");
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    QFont formFont = font();
    formFont.setPointSize(8);
    setFont(formFont);
    setWindowTitle(FromWindows1252(TranslatedTexts()[ttApplicationName]));

    BuildMainFormLayout(*this, *this);
    HelpRouter = new THelpRouter(this);
    WhatsThis = new TWhatsThis(this);
    ConnectCommands();
    ConnectControls();
    FDocument = std::make_unique<TWindowDocument>(*this);
    FStatus = std::make_unique<TStatusPanel>(*StatusPanel1);
    FPreferences = std::make_unique<TToolPreferences>();
    FTools = std::make_unique<TWindowTools>(
        TToolContext {*FDocument, *this, *Image1, *ListBox1, *FStatus, *FPreferences,
            [this](const std::function<void()>& step) { return Guarded(step); }},
        *this);
    FillMenus(*this, *this);
    TMainFormControls& controls = *this;
    FLanguage = std::make_unique<TLanguageApplication>(
        *this, controls, FFileDialogs, *FTools, FProgramFolder);
    FShell = std::make_unique<TShellIntake>(*this);
    ApplyWindowTexts(*this);

    setFixedSize(ClientWidth, ClientHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // Update rules run whenever the interface goes idle, as well as right after each change.
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
        &TMainForm::UpdateActions);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
        &TMainForm::ActionToolsClipboardUpdate);

    FormCreate();
    UpdateActions();
    ActionToolsClipboardUpdate();
}

TMainForm::~TMainForm()
{
    // The tools listen to the document and read the controls: they go while both are whole.
    FTools.reset();
}

TDocumentSeam& TMainForm::Document() const
{
    return *FDocument;
}

namespace {

// The window's own commands and what runs each: every row of the command table has exactly one
// handler here, or the program does not build. Both conversion commands run the one handler,
// which tells them apart by the action that called it.
struct TExecute
{
    std::string_view Name;
    void (TMainForm::*Run)() = nullptr;
    void (TMainForm::*RunFrom)(QAction* sender) = nullptr;
};

} // namespace

void TMainForm::ConnectCommands()
{
    static constexpr TExecute Executes[] = {
        {"ActionFileNew", &TMainForm::ActionFileNewExecute},
        {"ActionFileOpen", &TMainForm::ActionFileOpenExecute},
        {"ActionFileSave", &TMainForm::ActionFileSaveExecute},
        {"ActionFileSaveAs", &TMainForm::ActionFileSaveAsExecute},
        {"ActionFileExit", &TMainForm::ActionFileExitExecute},
        {"ActionEditUndo", &TMainForm::ActionEditUndoExecute},
        {"ActionEditRedo", &TMainForm::ActionEditRedoExecute},
        {"ActionToolsOpenPreview", &TMainForm::ActionToolsOpenPreviewExecute},
        {"ActionToolsReference", &TMainForm::ActionToolsReferenceExecute},
        {"ActionToolsImport", nullptr, &TMainForm::ActionToolsImportExecute},
        {"ActionToolsClipboard", nullptr, &TMainForm::ActionToolsImportExecute},
        {"ActionToolsSwitchLanguage", &TMainForm::ActionToolsSwitchLanguageExecute},
        {"ActionHelpContents", &TMainForm::ActionHelpContentsExecute},
        {"ActionHelpIndex", &TMainForm::ActionHelpIndexExecute},
        {"ActionHelpWeb", &TMainForm::ActionHelpWebExecute},
        {"ActionHelpAbout", &TMainForm::ActionHelpAboutExecute},
    };
    static_assert(std::ranges::all_of(Commands,
                      [](const TCommand& command) {
                          return std::ranges::count_if(Executes, [&](const TExecute& execute) {
                              return execute.Name == command.Name
                                  && (execute.Run == nullptr) != (execute.RunFrom == nullptr);
                          }) == 1;
                      }),
        "every command of the window's table needs exactly one handler");
    static_assert(std::size(Executes) == CommandCount, "a handler for a command that is not there");

    for (const TExecute& execute : Executes) {
        QAction* action = Actions[CommandIndex(execute.Name)];
        connect(action, &QAction::triggered, this, [this, action, execute] {
            Guarded([&] {
                if (execute.Run != nullptr)
                    (this->*execute.Run)();
                else
                    (this->*execute.RunFrom)(action);
            });
        });
    }
}

void TMainForm::ConnectControls()
{
    // However the selection changed (a press, a drag, keys, type-ahead), the controls follow it;
    // a click on the selected entry shows it again.
    connect(ListBox1, &QListWidget::itemSelectionChanged, this, [this] { ListBox1Click(); });
    connect(ListBox1, &QListWidget::itemClicked, this, [this] { ListBox1Click(); });
    connect(ColorPickerButton1, &TColorPickerButton::OnClick, this,
        [this] { Guarded([this] { ColorPickerButton1Click(); }); });
    connect(ColorPickerButton1, &TColorPickerButton::OnChange, this,
        [this] { Guarded([this] { ColorPickerButton1Change(); }); });
    connect(EditColorValue, &QLineEdit::textChanged, this, [this] { EditColorValueChange(); });
    connect(EditDescription, &QLineEdit::textChanged, this, [this] { EditDescriptionChange(); });
    connect(Image1, &TPreviewImage::MouseDown, this, &TMainForm::Image1MouseDown);

    // While a command is enabled, its shortcut wins over an edit field's own use of the key.
    EditColorValue->installEventFilter(this);
    EditDescription->installEventFilter(this);
}

// ---------------------------------------------------------------------------------------------
// Start-up and closing

void TMainForm::FormCreate()
{
    // An error in a step is shown and ends the sequence there; the window opens all the same.
    Guarded([this] {
        FShowingItem = false;
        FTypingColorCode = false;
        Image1->setCursor(QCursor(QPixmap(":/cursors/eyedropper.png"), 0, 15));
        FHistory.Clear();
        FItems.clear();

        FSettings = ReadSettings(FSettingsFile);
        FTools->ReadSettings(FSettingsFile);
        FSettings.DefaultPreview
            = CompleteSettingsPath(FSettings.DefaultPreview, FProgramFolder + "previews/");
        // A remembered preview or language file that fails is reported, forgotten so the next
        // start does not stop at it again, and the start goes on.
        if (!Guarded([this] { LoadPreview(); }))
            FSettings.DefaultPreview = FProgramFolder + "previews/" + DefaultPreviewValue;
        if (!Guarded([this] { ApplyLanguage(FSettings.DefaultLanguage); }))
            FSettings.DefaultLanguage = DefaultLanguageValue;
        FSettings.DefaultColors
            = CompleteSettingsPath(FSettings.DefaultColors, FProgramFolder + "schemes/");
        const std::filesystem::path schemes = FProgramFolder + "schemes/";
        const std::filesystem::path previews = FProgramFolder + "previews/";
        FFileDialogs.SetFolder(TFileDialog::OpenColorFile, schemes);
        FFileDialogs.SetFolder(TFileDialog::OpenPreviewFile, previews);
        // An installed program's data folder cannot be written: saving starts in the user's
        // home folder there, where the file can be written.
        const bool writable = ::access(FProgramFolder.c_str(), W_OK) == 0;
        const std::filesystem::path home = QDir::homePath().toStdString();
        FFileDialogs.SetFolder(TFileDialog::SaveColorFile, writable ? schemes : home);
        FFileDialogs.SetFolder(TFileDialog::SavePreviewFile, writable ? previews : home);
        LoadColorFile(FSettings.DefaultColors);
        SetFileName({});
        AcceptDroppedFiles(true);
    });
}

bool TMainForm::QuerySaveChanges()
{
    if (!FModified)
        return true;
    // Texts from language files are shown as they are, never read as markup.
    QMessageBox box(QMessageBox::Question, ApplicationTitle,
        FromWindows1252(TranslatedTexts()[ttSaveChanges]),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    const int answer = box.exec();
    if (answer == QMessageBox::Yes) {
        // A failed write throws and so stops the caller; a save the user then called off (the
        // Save as dialog cancelled, a replacement declined) stops it too, since the changes
        // the user asked to keep are not saved.
        RunAction(ActionFileSave);
        return !FModified;
    }
    return answer == QMessageBox::No;
}

void TMainForm::FormCloseQuery(bool& canClose)
{
    canClose = QuerySaveChanges();
}

void TMainForm::FormClose()
{
    AcceptDroppedFiles(false);
    FHistory.Clear();
    // The settings are written last; a failure is reported and the program still ends.
    Guarded([this] {
        WriteSettings(FSettingsFile, FSettings, FProgramFolder + "previews/", FSettingsFolder);
        FTools->WriteSettings(FSettingsFile);
    });
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (FClosed) {
        event->accept();
        return;
    }
    bool canClose = false;
    if (!Guarded([&] { FormCloseQuery(canClose); }) || !canClose) {
        event->ignore();
        return;
    }
    FClosed = true;
    FormClose();
    event->accept();
}

void TMainForm::AcceptDroppedFiles(bool accept)
{
    setAcceptDrops(accept);
}

bool TMainForm::Guarded(const std::function<void()>& step)
{
    ++FCommandDepth;
    bool done = true;
    try {
        step();
    } catch (const std::exception& error) {
        ShowErrorBox(this, error);
        done = false;
    }
    --FCommandDepth;
    if (!done)
        UpdateActions();
    return done;
}

void TMainForm::ListenForRequests(const QDBusConnection& connection, const QString& serviceName)
{
    FShell->Listen(connection, serviceName);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        for (const QAction* action : actions()) {
            if (action->isEnabled() && action->shortcuts().contains(pressed)) {
                // Leaving the override unaccepted lets the window's shortcut take the key.
                event->ignore();
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TMainForm::event(QEvent* event)
{
    // Hints show as tool tips only: the status bar keeps the modified mark in panel 0.
    if (event->type() == QEvent::StatusTip)
        return true;
    return QMainWindow::event(event);
}

// ---------------------------------------------------------------------------------------------
// Commands and their enabling rules

void TMainForm::RunAction(QAction* action)
{
    UpdateActions();
    if (!action->isEnabled())
        return;
    if (action == ActionFileSave)
        ActionFileSaveExecute();
    else if (action == ActionFileSaveAs)
        ActionFileSaveAsExecute();
    else
        action->trigger();
}

bool TMainForm::RuleHolds(TEnablingRule rule) const
{
    switch (rule) {
    case TEnablingRule::Always:
        return true;
    case TEnablingRule::WhileModified:
        return FModified;
    case TEnablingRule::WhileUndoable:
        return FHistory.CanUndo();
    case TEnablingRule::WhileRedoable:
        return FHistory.CanRedo();
    case TEnablingRule::WhileClipboardHoldsBitmap:
        // Followed through the clipboard's change signal (ActionToolsClipboardUpdate).
        return ActionToolsClipboard->isEnabled();
    }
    return true;
}

void TMainForm::UpdateActions()
{
    for (std::size_t i = 0; i < Commands.size(); ++i)
        Actions[i]->setEnabled(RuleHolds(Commands[i].Rule));
    if (FTools)
        FTools->UpdateActions();
}

// ---------------------------------------------------------------------------------------------
// Document

void TMainForm::LoadColorFile(const std::filesystem::path& fileName)
{
    if (!QuerySaveChanges())
        return;
    if (!FileExists(fileName))
        return;
    // The whole file is read before anything of the current document is released, so a failed
    // read leaves the document as it was.
    std::vector<TSchemeItem> items = ReadSchemeFile(fileName);

    ClearItems();
    QStringList lines;
    lines.reserve(qsizetype(items.size()));
    FItems.reserve(items.size());
    for (const TSchemeItem& item : items) {
        FItems.push_back(item.Color);
        lines.append(FromWindows1252(item.Description));
    }
    {
        const QSignalBlocker blocker(ListBox1);
        ListBox1->addItems(lines);
    }
    // What the list shows is what the document holds now: descriptions the list cannot show
    // (a NUL byte ends a text there) count as changed at once.
    FSaved.Reset(std::move(items));
    for (std::size_t item = 0; item < FItems.size(); ++item)
        FSaved.CompareDescription(item, ToWindows1252(ListBox1->item(int(item))->text()));
    SelectListRow(FItems.empty() ? -1 : 0);
    ShowSelectedItem();
    PaintPreview();
    FHistory.Clear();
    SetModified(FSaved.Modified());
    SetFileName(fileName);
    emit FDocument->DocumentLoaded();
    emit FDocument->HistoryChanged();
}

void TMainForm::SaveColorFile(const std::filesystem::path& fileName)
{
    if (const auto written = ConfirmedSaveTarget(fileName))
        WriteColorFile(*written, fileName);
}

std::optional<std::filesystem::path> TMainForm::ConfirmedSaveTarget(
    const std::filesystem::path& fileName)
{
    // The navigator's letter-case rule applies to the file name only; changing the folders'
    // case would write somewhere else on a case-sensitive file system.
    const bool lowerCase = FSettings.TomTomVersion >= 5;
    std::filesystem::path written = ChangeFileNameCase(fileName.native(), lowerCase);
    // The file dialog asked about the name chosen; a different file under the name written
    // would be lost without a question.
    if (written == fileName || !IsOtherExistingFile(written, fileName))
        return written;
    QMessageBox box(QMessageBox::Warning, ApplicationTitle,
        Text(WindowText::ReplaceFileQuestion).arg(FromFileName(ExtractFileName(written.native()))),
        QMessageBox::Yes | QMessageBox::No, this);
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(
        AsPlainText(Text(lowerCase ? WindowText::ReplaceLowerCase : WindowText::ReplaceUpperCase)
                        .arg(FromFileName(written))));
    box.setDefaultButton(QMessageBox::No);
    if (box.exec() != QMessageBox::Yes)
        return std::nullopt;
    return written;
}

void TMainForm::WriteColorFile(
    const std::filesystem::path& written, const std::filesystem::path& fileName)
{
    std::vector<TSchemeItem> items(FItems.size());
    for (std::size_t i = 0; i < FItems.size(); ++i) {
        items[i].Color = FItems[i];
        items[i].Description = ToWindows1252(ListBox1->item(int(i))->text());
    }
    WriteSchemeFile(written, items);
    FSaved.Reset(std::move(items));
    SetModified(false);
    // The document names the file actually written, so the caption and a later Open find it.
    if (written != FFileName && fileName == FFileName)
        SetFileName(written);
    emit FDocument->DocumentSaved();
}

void TMainForm::ClearItems()
{
    {
        const QSignalBlocker blocker(ListBox1);
        ListBox1->clear();
    }
    FItems.clear();
}

void TMainForm::SetModified(bool value)
{
    FModified = value;
    StatusPanel0->setText(value ? FromWindows1252(TranslatedTexts()[ttModified]) : QString());
    UpdateActions();
}

void TMainForm::SetFileName(const std::filesystem::path& name)
{
    FFileName = name;
    const QString title = FromWindows1252(TranslatedTexts()[ttApplicationName]);
    if (name.empty())
        setWindowTitle(title);
    else
        setWindowTitle(FromFileName(ExtractFileName(name.native())) + " - " + title);
}

std::vector<TAnsiString> TMainForm::Descriptions() const
{
    std::vector<TAnsiString> descriptions;
    descriptions.reserve(std::size_t(ListBox1->count()));
    for (int i = 0; i < ListBox1->count(); ++i)
        descriptions.push_back(ToWindows1252(ListBox1->item(i)->text()));
    return descriptions;
}

void TMainForm::ActionFileNewExecute()
{
    LoadColorFile(FSettings.DefaultColors);
    SetFileName({});
}

void TMainForm::ActionFileOpenExecute()
{
    if (const auto fileName = FFileDialogs.Execute(this, TFileDialog::OpenColorFile, FFileName))
        LoadColorFile(*fileName);
}

void TMainForm::ActionFileSaveExecute()
{
    if (!FFileName.empty())
        SaveColorFile(FFileName);
    else
        RunAction(ActionFileSaveAs);
}

void TMainForm::ActionFileSaveAsExecute()
{
    const auto fileName = FFileDialogs.Execute(this, TFileDialog::SaveColorFile, FFileName);
    if (!fileName)
        return;
    // Declining to replace a file of the navigator's name leaves the document as it was.
    const auto written = ConfirmedSaveTarget(*fileName);
    if (!written)
        return;
    SetFileName(*fileName);
    WriteColorFile(*written, FFileName);
}

void TMainForm::ActionFileExitExecute()
{
    close();
}
