#include "app/MainForm.h"

#include "app/BusyCursor.h"
#include "common/Error.h"
#include "common/FileAccess.h"
#include "common/PathRules.h"
#include "common/UiText.h"
#include "editing/ColorCode.h"
#include "editing/ColorPickerButton.h"
#include "i18n/TranslatedTexts.h"
#include "preview/PreviewFile.h"
#include "preview/PreviewImage.h"
#include "preview/PreviewPainter.h"
#include "preview/ReferenceImage.h"
#include "preview/ReferenceScheme.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QColorDialog>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QToolBar>

#include <utility>

namespace {

const char* const ApplicationTitle = "Tintwright";

// Client-area layout at 96 pixels per inch: the menu bar and toolbar take the top 52 pixels,
// the status bar the bottom 19; the controls are placed in client coordinates.
constexpr int ClientWidth = 614;
constexpr int ClientHeight = 552;
constexpr int MenuBarHeight = 24;
constexpr int ToolBarHeight = 28;
constexpr int StatusBarHeight = 19;
constexpr int CentralTop = MenuBarHeight + ToolBarHeight;

const char* const ColorFileFilter = "TomTom Color Files (*.clr);;All Files (*.*)";
const char* const PreviewFileFilter = "Tintwright Preview Files (*.cpf);;All Files (*.*)";
const char* const BitmapFilter = "Bitmaps (*.bmp);;All Files (*.*)";

QColor ToQColor(std::uint32_t color)
{
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

std::uint32_t FromQColor(const QColor& color)
{
    return std::uint32_t(color.red()) | std::uint32_t(color.green()) << 8
        | std::uint32_t(color.blue()) << 16;
}

QLabel* MakeLabel(const QString& text, QWidget* parent, int x, int y, const char* name)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->adjustSize();
    label->move(x, y);
    return label;
}

} // namespace

TMainForm::TMainForm(std::string programFolder, std::filesystem::path settingsFile, QWidget* parent)
    : QMainWindow(parent)
    , FProgramFolder(std::move(programFolder))
    , FSettingsFile(std::move(settingsFile))
{
    setObjectName("MainForm");
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    QFont formFont = font();
    formFont.setPointSize(8);
    setFont(formFont);
    setWindowTitle(QString::fromStdString(TranslatedTexts()[ttApplicationName]));

    CreateActions();
    CreateMenusAndToolBar();
    CreateControls();
    CreateDialogs();
    ApplyOffice2003Look();

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

TMainForm::~TMainForm() = default;

// ---------------------------------------------------------------------------------------------
// Construction of the window

void TMainForm::CreateActions()
{
    struct TActionRow
    {
        QAction** Action;
        const char* Name;
        const char* Category;
        const char* Caption;
        const char* Hint;
        QKeySequence Shortcut;
        const char* Icon;
    };
    const TActionRow rows[] = {
        {&ActionFileNew, "ActionFileNew", "File", "&New", "New", QKeySequence("Ctrl+N"),
            ":/icons/new.png"},
        {&ActionFileOpen, "ActionFileOpen", "File", "&Open...", "Open", QKeySequence("Ctrl+O"),
            ":/icons/open.png"},
        {&ActionFileSave, "ActionFileSave", "File", "&Save", "Save", QKeySequence("Ctrl+S"),
            ":/icons/save.png"},
        {&ActionFileSaveAs, "ActionFileSaveAs", "File", "S&ave as...", "Save as",
            QKeySequence("Shift+Ctrl+S"), nullptr},
        {&ActionFileExit, "ActionFileExit", "File", "&Exit", "Exit", QKeySequence(), nullptr},
        {&ActionEditUndo, "ActionEditUndo", "Edit", "&Undo", "Undo", QKeySequence("Ctrl+Z"),
            ":/icons/undo.png"},
        {&ActionEditRedo, "ActionEditRedo", "Edit", "&Redo", "Redo", QKeySequence("Shift+Ctrl+Z"),
            ":/icons/redo.png"},
        {&ActionToolsOpenPreview, "ActionToolsOpenPreview", "Tools", "O&pen preview...", nullptr,
            QKeySequence(), nullptr},
        {&ActionToolsReference, "ActionToolsReference", "Tools", "&Create reference file...",
            nullptr, QKeySequence(), nullptr},
        {&ActionToolsImport, "ActionToolsImport", "Tools", "C&onvert reference bitmap...", nullptr,
            QKeySequence(), nullptr},
        {&ActionToolsClipboard, "ActionToolsClipboard", "Tools",
            "Co&nvert reference from clipboard...", nullptr, QKeySequence(), nullptr},
        {&ActionToolsSwitchLanguage, "ActionToolsSwitchLanguage", "Tools", "&Switch language...",
            "Switch language", QKeySequence(), nullptr},
        {&ActionHelpContents, "ActionHelpContents", "Help", "&Help contents", nullptr,
            QKeySequence("F1"), ":/icons/help.png"},
        {&ActionHelpIndex, "ActionHelpIndex", "Help", "&Index", nullptr, QKeySequence(), nullptr},
        {&ActionHelpWeb, "ActionHelpWeb", "Help", "&Tintwright HomePage", "Homepage",
            QKeySequence(), nullptr},
        {&ActionHelpAbout, "ActionHelpAbout", "Help", "&About...", "About", QKeySequence(),
            nullptr},
    };
    for (const TActionRow& row : rows) {
        auto* action = new QAction(QString::fromUtf8(row.Caption), this);
        action->setObjectName(row.Name);
        action->setProperty("Category", row.Category);
        // An action without a hint shows no tool tip of its own.
        action->setToolTip(row.Hint ? QString::fromUtf8(row.Hint) : QString());
        action->setStatusTip(action->toolTip());
        action->setShortcut(row.Shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        if (row.Icon)
            action->setIcon(QIcon(row.Icon));
        addAction(action);
        *row.Action = action;
    }

    const std::pair<QAction*, void (TMainForm::*)()> executes[] = {
        {ActionFileNew, &TMainForm::ActionFileNewExecute},
        {ActionFileOpen, &TMainForm::ActionFileOpenExecute},
        {ActionFileSave, &TMainForm::ActionFileSaveExecute},
        {ActionFileSaveAs, &TMainForm::ActionFileSaveAsExecute},
        {ActionFileExit, &TMainForm::ActionFileExitExecute},
        {ActionEditUndo, &TMainForm::ActionEditUndoExecute},
        {ActionEditRedo, &TMainForm::ActionEditRedoExecute},
        {ActionToolsOpenPreview, &TMainForm::ActionToolsOpenPreviewExecute},
        {ActionToolsReference, &TMainForm::ActionToolsReferenceExecute},
    };
    for (const auto& [action, execute] : executes)
        connect(action, &QAction::triggered, this,
            [this, execute = execute] { Guarded([&] { (this->*execute)(); }); });
    // Both conversion commands share one handler, which tells them apart by the action.
    for (QAction* action : {ActionToolsImport, ActionToolsClipboard})
        connect(action, &QAction::triggered, this,
            [this, action] { Guarded([&] { ActionToolsImportExecute(action); }); });
}

void TMainForm::CreateMenusAndToolBar()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenuBar");
    bar->setFixedHeight(MenuBarHeight);
    bar->setNativeMenuBar(false);

    MenuFile = bar->addMenu("&File");
    MenuFile->setObjectName("MenuFile");
    MenuFile->addActions({ActionFileNew, ActionFileOpen});
    MenuFile->addSeparator();
    MenuFile->addActions({ActionFileSave, ActionFileSaveAs});
    MenuFile->addSeparator();
    MenuFile->addAction(ActionFileExit);

    MenuEdit = bar->addMenu("&Edit");
    MenuEdit->setObjectName("MenuEdit");
    MenuEdit->addActions({ActionEditUndo, ActionEditRedo});

    MenuTools = bar->addMenu("&Tools");
    MenuTools->setObjectName("MenuTools");
    MenuTools->addAction(ActionToolsOpenPreview);
    MenuTools->addSeparator();
    MenuTools->addActions({ActionToolsReference, ActionToolsImport, ActionToolsClipboard});
    MenuTools->addSeparator();
    MenuTools->addAction(ActionToolsSwitchLanguage);

    MenuHelp = bar->addMenu("&Help");
    MenuHelp->setObjectName("MenuHelp");
    MenuHelp->addActions({ActionHelpContents, ActionHelpIndex});
    MenuHelp->addSeparator();
    MenuHelp->addAction(ActionHelpWeb);
    MenuHelp->addSeparator();
    MenuHelp->addAction(ActionHelpAbout);

    ToolBar1 = addToolBar("ToolBar1");
    ToolBar1->setObjectName("ToolBar1");
    ToolBar1->setFixedHeight(ToolBarHeight);
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    ToolBar1->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    ToolBar1->addActions({ActionFileNew, ActionFileOpen});
    ToolBar1->addSeparator();
    ToolBar1->addAction(ActionFileSave);
    ToolBar1->addSeparator();
    ToolBar1->addActions({ActionEditUndo, ActionEditRedo});
    ToolBar1->addSeparator();
    ToolBar1->addAction(ActionHelpContents);
}

void TMainForm::CreateControls()
{
    auto* central = new QWidget(this);
    central->setObjectName("ClientArea");
    setCentralWidget(central);
    // Places a control of the client area given in window client coordinates.
    auto place = [](QWidget* widget, int x, int y, int width, int height) {
        widget->setGeometry(x, y - CentralTop, width, height);
    };

    GroupBox1 = new QGroupBox("Choose item", central);
    GroupBox1->setObjectName("GroupBox1");
    place(GroupBox1, 8, 64, 289, 385);
    Label1 = MakeLabel("Choose an item to change the color of.", GroupBox1, 8, 24, "Label1");
    ListBox1 = new QListWidget(GroupBox1);
    ListBox1->setObjectName("ListBox1");
    ListBox1->setGeometry(8, 40, 273, 329);
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->setUniformItemSizes(true);
    ListBox1->setProperty("HelpContext", 1001);

    GroupBox2 = new QGroupBox("Choose color", central);
    GroupBox2->setObjectName("GroupBox2");
    place(GroupBox2, 312, 64, 289, 89);
    Label2 = MakeLabel("Choose a color for this item:", GroupBox2, 8, 24, "Label2");
    Label2->setProperty("HelpContext", 1004);
    ColorPickerButton1 = new TColorPickerButton(GroupBox2);
    ColorPickerButton1->setObjectName("ColorPickerButton1");
    ColorPickerButton1->setGeometry(208, 20, 73, 21);
    ColorPickerButton1->SetCustomText("Custom colors");
    ColorPickerButton1->SetPopupSpacing(8);
    ColorPickerButton1->SetShowSystemColors(false);
    ColorPickerButton1->setProperty("HelpContext", 1004);
    Label3 = MakeLabel("or enter an RGB color code:", GroupBox2, 8, 56, "Label3");
    Label3->setProperty("HelpContext", 1005);
    Label4 = MakeLabel("#", GroupBox2, 196, 56, "Label4");
    Label4->setProperty("HelpContext", 1005);
    EditColorValue = new QLineEdit(GroupBox2);
    EditColorValue->setObjectName("EditColorValue");
    EditColorValue->setGeometry(208, 52, 73, 21);
    EditColorValue->setMaxLength(6);
    Label4->setBuddy(EditColorValue);

    GroupBox3 = new QGroupBox("Preview", central);
    GroupBox3->setObjectName("GroupBox3");
    place(GroupBox3, 312, 160, 289, 361);
    Image1 = new TPreviewImage(GroupBox3);
    Image1->setObjectName("Image1");
    Image1->setGeometry(24, 24, 240, 320);
    Image1->setProperty("HelpContext", 1006);

    GroupBox4 = new QGroupBox("Change description", central);
    GroupBox4->setObjectName("GroupBox4");
    place(GroupBox4, 8, 456, 289, 65);
    GroupBox4->setProperty("HelpContext", 1002);
    EditDescription = new QLineEdit(GroupBox4);
    EditDescription->setObjectName("EditDescription");
    EditDescription->setGeometry(8, 24, 273, 21);

    QStatusBar* status = statusBar();
    status->setObjectName("StatusBar1");
    status->setFixedHeight(StatusBarHeight);
    status->setSizeGripEnabled(false);
    StatusPanel0 = new QLabel(status);
    StatusPanel0->setObjectName("StatusPanel0");
    StatusPanel0->setFixedWidth(100);
    StatusPanel1 = new QLabel(status);
    StatusPanel1->setObjectName("StatusPanel1");
    StatusPanel1->setFixedWidth(50);
    status->addWidget(StatusPanel0);
    status->addWidget(StatusPanel1);

    // Tab order: the item group, the colour group (code field first), the preview, the
    // description group.
    setTabOrder(ListBox1, EditColorValue);
    setTabOrder(EditColorValue, ColorPickerButton1);
    setTabOrder(ColorPickerButton1, EditDescription);

    connect(ListBox1, &QListWidget::currentRowChanged, this, [this] { ListBox1Click(); });
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

void TMainForm::CreateDialogs()
{
    ColorDialog1 = new QColorDialog(this);
    ColorDialog1->setObjectName("ColorDialog1");

    auto makeDialog
        = [this](const char* name, const char* filter, bool save, const char* defaultSuffix) {
              auto* dialog = new QFileDialog(this);
              dialog->setObjectName(name);
              dialog->setNameFilter(QString());
              dialog->setNameFilters(QString(filter).split(";;"));
              dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
              dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
              if (defaultSuffix)
                  dialog->setDefaultSuffix(defaultSuffix);
              return dialog;
          };
    OpenDialogColorFile = makeDialog("OpenDialogColorFile", ColorFileFilter, false, nullptr);
    SaveDialogColorFile = makeDialog("SaveDialogColorFile", ColorFileFilter, true, "CLR");
    OpenPictureDialogPreviewBitmap
        = makeDialog("OpenPictureDialogPreviewBitmap", BitmapFilter, false, nullptr);
    SaveDialogPreviewFile = makeDialog("SaveDialogPreviewFile", PreviewFileFilter, true, "CPF");
    OpenDialogPreviewFile = makeDialog("OpenDialogPreviewFile", PreviewFileFilter, false, nullptr);
}

void TMainForm::ApplyOffice2003Look()
{
    // A light blue menu face, an orange frame around the item under the mouse, greyed text for
    // disabled commands.
    menuBar()->setStyleSheet(
        "QMenuBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f6f9ff, stop:1 "
        "#c3daf9);"
        " border-bottom: 1px solid #9ebbe5; }"
        "QMenuBar::item { padding: 3px 7px; background: transparent; color: #000000; }"
        "QMenuBar::item:selected { background: #ffeec2; border: 1px solid #000080; }"
        "QMenuBar::item:pressed { background: #fecf89; border: 1px solid #000080; }"
        "QMenu { background: #fcfcf9; border: 1px solid #002d96; }"
        "QMenu::item { padding: 4px 24px 4px 24px; color: #000000; }"
        "QMenu::item:selected { background: #ffeec2; border: 1px solid #000080; }"
        "QMenu::item:disabled { color: #8d8d8d; }"
        "QMenu::separator { height: 1px; background: #6a8ccb; margin: 2px 4px 2px 28px; }");
    ToolBar1->setStyleSheet(
        "QToolBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ddecfe, stop:0.5 "
        "#c4dafa,"
        " stop:1 #81a9e2); border: none; border-bottom: 1px solid #3b619c; spacing: 2px; padding: "
        "2px; }"
        "QToolBar::separator { width: 2px; margin: 4px 3px; background: #6a8ccb; }"
        "QToolButton { border: 1px solid transparent; padding: 2px; }"
        "QToolButton:hover { background: #ffeec2; border: 1px solid #000080; }"
        "QToolButton:pressed { background: #fecf89; border: 1px solid #000080; }");
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
        FUndoStack.Clear();
        FRedoStack.Clear();
        FItems.clear();

        FSettings = ReadSettings(FSettingsFile);
        FSettings.DefaultPreview
            = CompleteSettingsPath(FSettings.DefaultPreview, FProgramFolder + "previews/");
        LoadPreview();
        ApplyLanguage(FSettings.DefaultLanguage);
        FSettings.DefaultColors
            = CompleteSettingsPath(FSettings.DefaultColors, FProgramFolder + "schemes/");
        const QString schemes = FromFileName(FProgramFolder + "schemes/");
        const QString previews = FromFileName(FProgramFolder + "previews/");
        OpenDialogColorFile->setDirectory(schemes);
        SaveDialogColorFile->setDirectory(schemes);
        OpenDialogPreviewFile->setDirectory(previews);
        SaveDialogPreviewFile->setDirectory(previews);
        LoadColorFile(FSettings.DefaultColors);
        SetFileName(std::string());
        AcceptDroppedFiles(true);
    });
}

bool TMainForm::QuerySaveChanges()
{
    if (!FModified)
        return true;
    const auto answer = QMessageBox::question(this, ApplicationTitle,
        FromWindows1252(TranslatedTexts()[ttSaveChanges]),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Yes) {
        // Whatever Save does (even a cancelled Save as dialog), the caller goes on; a failed
        // write throws and so stops the caller.
        RunAction(ActionFileSave);
        return true;
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
    FUndoStack.Clear();
    FRedoStack.Clear();
    // The settings are written last; a failure is reported and the program still ends.
    Guarded([this] { WriteSettings(FSettingsFile, FSettings, FProgramFolder + "previews/"); });
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
    FAcceptingDroppedFiles = accept;
}

bool TMainForm::Guarded(const std::function<void()>& step)
{
    try {
        step();
        return true;
    } catch (const std::exception& error) {
        QMessageBox box(QMessageBox::Critical, ApplicationTitle, FromWindows1252(error.what()),
            QMessageBox::Ok, this);
        box.exec();
    }
    UpdateActions();
    return false;
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        for (QAction* action : actions()) {
            if (action->isEnabled() && !action->shortcut().isEmpty()
                && action->shortcut() == pressed) {
                // Leaving the override unaccepted lets the window's shortcut take the key.
                event->ignore();
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Document

void TMainForm::LoadColorFile(const std::string& fileName)
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
    SelectListRow(FItems.empty() ? -1 : 0);
    ShowSelectedItem();
    PaintPreview();
    FUndoStack.Clear();
    FRedoStack.Clear();
    SetModified(false);
    SetFileName(fileName);
}

void TMainForm::SaveColorFile(const std::string& fileName)
{
    // The navigator's letter-case rule applies to the file name only; changing the folders'
    // case would write somewhere else on a case-sensitive file system.
    const std::string written = ChangeFileNameCase(fileName, FSettings.TomTomVersion >= 5);
    std::vector<TSchemeItem> items(FItems.size());
    for (std::size_t i = 0; i < FItems.size(); ++i) {
        items[i].Color = FItems[i];
        items[i].Description = ToWindows1252(ListBox1->item(int(i))->text());
    }
    WriteSchemeFile(written, items);
    SetModified(false);
    // The document names the file actually written, so the caption and a later Open find it.
    if (written != FFileName && fileName == FFileName)
        SetFileName(written);
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

void TMainForm::SetFileName(const std::string& name)
{
    FFileName = name;
    const QString title = FromWindows1252(TranslatedTexts()[ttApplicationName]);
    if (name.empty())
        setWindowTitle(title);
    else
        setWindowTitle(FromFileName(ExtractFileName(name)) + " - " + title);
}

void TMainForm::ApplyLanguage(const std::string&)
{
    // Language files come with localisation; until then the built-in English texts stay.
}

std::vector<std::string> TMainForm::Descriptions() const
{
    std::vector<std::string> descriptions;
    descriptions.reserve(std::size_t(ListBox1->count()));
    for (int i = 0; i < ListBox1->count(); ++i)
        descriptions.push_back(ToWindows1252(ListBox1->item(i)->text()));
    return descriptions;
}

bool TMainForm::ExecuteFileDialog(QFileDialog* dialog, std::string& fileName)
{
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return false;
    fileName = ToFileName(dialog->selectedFiles().first());
    return true;
}

void TMainForm::ActionFileNewExecute()
{
    LoadColorFile(FSettings.DefaultColors);
    SetFileName(std::string());
}

void TMainForm::ActionFileOpenExecute()
{
    OpenDialogColorFile->selectFile(FromFileName(FFileName));
    std::string fileName;
    if (!ExecuteFileDialog(OpenDialogColorFile, fileName))
        return;
    LoadColorFile(fileName);
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
    SaveDialogColorFile->selectFile(FromFileName(FFileName));
    std::string fileName;
    if (!ExecuteFileDialog(SaveDialogColorFile, fileName))
        return;
    SetFileName(fileName);
    SaveColorFile(FFileName);
}

void TMainForm::ActionFileExitExecute()
{
    close();
}

void TMainForm::ActionFileSaveUpdate()
{
    ActionFileSave->setEnabled(FModified);
}

void TMainForm::ActionFileSaveAsUpdate()
{
    ActionFileSaveAs->setEnabled(FModified);
}

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

void TMainForm::UpdateActions()
{
    ActionFileSaveUpdate();
    ActionFileSaveAsUpdate();
    ActionEditUndoUpdate();
    ActionEditRedoUpdate();
}

// ---------------------------------------------------------------------------------------------
// Selection and colour editing

void TMainForm::SelectListRow(int row)
{
    // Selecting from code raises no click event of the list.
    const QSignalBlocker blocker(ListBox1);
    if (row >= 0 && row < ListBox1->count()) {
        ListBox1->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
        ListBox1->scrollToItem(ListBox1->item(row));
    } else {
        ListBox1->clearSelection();
        ListBox1->setCurrentRow(-1);
    }
}

namespace {

int SelectedRow(const QListWidget* list)
{
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

} // namespace

void TMainForm::ListBox1Click()
{
    ShowSelectedItem();
}

void TMainForm::ShowSelectedItem()
{
    FShowingItem = true;
    const int index = SelectedRow(ListBox1);
    if (index >= 0 && std::size_t(index) < FItems.size()) {
        ColorPickerButton1->SetSelectionColor(ItemColorToTColor(FItems[std::size_t(index)]));
        ShowColorCode();
        EditDescription->setText(ListBox1->item(index)->text());
    }
    FShowingItem = false;
}

void TMainForm::ShowColorCode()
{
    EditColorValue->setText(
        QString::fromStdString(ColorCodeText(ColorPickerButton1->SelectionColor())));
}

void TMainForm::ColorPickerButton1Click()
{
    ColorDialog1->setCurrentColor(ToQColor(ColorPickerButton1->SelectionColor()));
    if (ColorDialog1->exec() == QDialog::Accepted)
        ColorPickerButton1->SetSelectionColor(FromQColor(ColorDialog1->currentColor()));
}

void TMainForm::ColorPickerButton1Change()
{
    if (FShowingItem)
        return;
    const int index = SelectedRow(ListBox1);
    const std::uint32_t color = ColorPickerButton1->SelectionColor();
    if (!FTypingColorCode)
        EditColorValue->setText(QString::fromStdString(ColorCodeText(color)));
    if (index >= 0 && std::size_t(index) < FItems.size()) {
        TRGBTriple& item = FItems[std::size_t(index)];
        FUndoStack.Push(index, item);
        item = TColorToItemColor(color);
        FRedoStack.Clear();
        PaintPreview();
        SetModified(true);
    }
}

void TMainForm::EditColorValueChange()
{
    if (FShowingItem)
        return;
    FTypingColorCode = true;
    const std::optional<std::uint32_t> color
        = ParseColorCode(ToWindows1252(EditColorValue->text()));
    if (color)
        ColorPickerButton1->SetSelectionColor(*color);
    FTypingColorCode = false;
}

void TMainForm::EditDescriptionChange()
{
    const int index = SelectedRow(ListBox1);
    if (index < 0)
        return;
    ListBox1->item(index)->setText(EditDescription->text());
}

void TMainForm::ActionEditUndoExecute()
{
    std::int32_t index;
    TRGBTriple color {};
    FUndoStack.Pop(index, color);
    if (index >= 0 && std::size_t(index) < FItems.size()) {
        FRedoStack.Push(index, FItems[std::size_t(index)]);
        FItems[std::size_t(index)] = color;
    }
    ShowSelectedItem();
    PaintPreview();
    SetModified(!FUndoStack.IsEmpty());
}

void TMainForm::ActionEditRedoExecute()
{
    std::int32_t index;
    TRGBTriple color {};
    FRedoStack.Pop(index, color);
    if (index >= 0 && std::size_t(index) < FItems.size()) {
        FUndoStack.Push(index, FItems[std::size_t(index)]);
        FItems[std::size_t(index)] = color;
    }
    ShowSelectedItem();
    PaintPreview();
    SetModified(!FUndoStack.IsEmpty());
}

void TMainForm::ActionEditUndoUpdate()
{
    ActionEditUndo->setEnabled(!FUndoStack.IsEmpty());
}

void TMainForm::ActionEditRedoUpdate()
{
    ActionEditRedo->setEnabled(!FRedoStack.IsEmpty());
}

// ---------------------------------------------------------------------------------------------
// Preview

void TMainForm::LoadPreview()
{
    const std::string& path = FSettings.DefaultPreview;
    if (!FileExists(path))
        return;
    // The window's map and image change only once the whole file has been read, so their sizes
    // always agree.
    TPreviewMap map = ReadPreviewFile(path);
    QImage image;
    if (map.Width() > 0 && map.Height() > 0) {
        image = QImage(map.Width(), map.Height(), QImage::Format_RGB888);
        if (image.isNull())
            throw TError("Out of memory");
        image.fill(Qt::white);
        const QImage& old = Image1->Image();
        const int overlapWidth = std::min(old.width(), image.width());
        const int overlapHeight = std::min(old.height(), image.height());
        for (int y = 0; y < overlapHeight; ++y)
            std::copy_n(old.constScanLine(y), 3 * overlapWidth, image.scanLine(y));
    }
    FPreviewMap = std::move(map);
    Image1->Image() = std::move(image);
    Image1->update();
}

void TMainForm::PaintPreview()
{
    QImage& image = Image1->Image();
    if (!image.isNull())
        PaintPreviewPixels(FPreviewMap, FItems, image.bits(), image.bytesPerLine());
    Image1->repaint();
}

void TMainForm::OpenPreviewFile(const std::string& path)
{
    FSettings.DefaultPreview = path;
    LoadPreview();
    PaintPreview();
}

void TMainForm::Image1MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)
{
    if (x < 0 || y < 0 || x >= FPreviewMap.Width() || y >= FPreviewMap.Height())
        return;
    const std::uint32_t cell = FPreviewMap.Cell(x, y);
    if (cell < ItemReferenceBase)
        return;
    // The whole difference, unchecked; an index beyond the list selects nothing.
    const std::uint32_t index = cell - ItemReferenceBase;
    SelectListRow(index < std::uint32_t(ListBox1->count()) ? int(index) : -1);
    ShowSelectedItem();
}

void TMainForm::ActionToolsOpenPreviewExecute()
{
    std::string fileName;
    if (!ExecuteFileDialog(OpenDialogPreviewFile, fileName))
        return;
    OpenPreviewFile(fileName);
}

void TMainForm::ActionToolsReferenceExecute()
{
    SaveDialogColorFile->selectFile(FSettings.TomTomVersion < 5 ? "GREYS.CLR" : "reference.clr");
    std::string fileName;
    if (!ExecuteFileDialog(SaveDialogColorFile, fileName))
        return;
    const TBusyCursor busy;
    // The name is used exactly as the dialog returns it; the document is not touched.
    WriteReferenceFile(fileName, Descriptions());
}

void TMainForm::ActionToolsImportExecute(QAction* sender)
{
    const bool fromClipboard = sender == ActionToolsClipboard;
    std::string bitmapFile;
    if (!fromClipboard && !ExecuteFileDialog(OpenPictureDialogPreviewBitmap, bitmapFile))
        return;
    const TBusyCursor busy;
    TPreviewMap map;
    {
        QImage source;
        if (fromClipboard) {
            const QMimeData* data = QGuiApplication::clipboard()->mimeData();
            if (data == nullptr || !data->hasImage())
                throw TError("The clipboard does not hold a bitmap");
            source = QGuiApplication::clipboard()->image();
            if (source.isNull())
                throw TError("Cannot open clipboard");
        } else {
            source = LoadReferenceBitmap(FromFileName(bitmapFile));
        }
        QCoreApplication::processEvents();
        map = ScanReferenceQImage(source, FItems.size());
    }
    std::string previewFile;
    if (!ExecuteFileDialog(SaveDialogPreviewFile, previewFile))
        return;
    SavePreviewFile(previewFile, map);
    OpenPreviewFile(previewFile);
}

void TMainForm::ActionToolsClipboardUpdate()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ActionToolsClipboard->setEnabled(data != nullptr && data->hasImage());
}
