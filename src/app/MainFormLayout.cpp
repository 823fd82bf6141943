#include "app/MainFormLayout.h"

#include "app/BuiltInTexts.h"
#include "app/MainFormControls.h"
#include "app/MenuLayout.h"
#include "editing/ColorCodeEdit.h"
#include "editing/ColorPickerButton.h"
#include "help/WhatsThis.h"
#include "preview/PreviewImage.h"

#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include <limits>

namespace {

// Client-area layout at 96 pixels per inch: the menu bar and toolbar take the top 52 pixels,
// the status bar the bottom 19; the controls are placed in client coordinates.
constexpr int MenuBarHeight = 24;
constexpr int ToolBarHeight = 28;
constexpr int StatusBarHeight = 19;
constexpr int CentralTop = MenuBarHeight + ToolBarHeight;

QLabel* MakeLabel(const char* text, QWidget* parent, int x, int y, const char* name)
{
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(name);
    // Language texts are shown as they are, never read as markup.
    label->setTextFormat(Qt::PlainText);
    label->adjustSize();
    label->move(x, y);
    return label;
}

QGroupBox* MakeGroup(const char* caption, QWidget* parent, const char* name)
{
    auto* group = new QGroupBox(QString::fromUtf8(caption), parent);
    group->setObjectName(name);
    return group;
}

void CreateActions(QMainWindow& window, TMainFormControls& controls)
{
    for (std::size_t i = 0; i < Commands.size(); ++i) {
        const TCommand& command = Commands[i];
        auto* action = new QAction(QString::fromUtf8(command.Caption), &window);
        action->setObjectName(command.Name);
        // An action without a hint shows no tool tip of its own.
        action->setProperty(CommandHintProperty, QString::fromUtf8(command.Hint));
        action->setToolTip(QString::fromUtf8(command.Hint));
        QList<QKeySequence> shortcuts;
        for (const char* key : {command.Shortcut, command.SecondShortcut}) {
            if (*key != '\0')
                shortcuts.append(QKeySequence(QString::fromLatin1(key)));
        }
        action->setShortcuts(shortcuts);
        action->setShortcutContext(Qt::WindowShortcut);
        if (command.Image >= 0)
            action->setIcon(QIcon(QString(":/icons/%1.png").arg(CommandImageNames[command.Image])));
        window.addAction(action);
        controls.Actions[i] = action;
    }
    QAction** const named[] = {&controls.ActionFileNew, &controls.ActionFileOpen,
        &controls.ActionFileSave, &controls.ActionFileSaveAs, &controls.ActionFileExit,
        &controls.ActionEditUndo, &controls.ActionEditRedo, &controls.ActionToolsOpenPreview,
        &controls.ActionToolsReference, &controls.ActionToolsImport, &controls.ActionToolsClipboard,
        &controls.ActionToolsSwitchLanguage, &controls.ActionHelpContents,
        &controls.ActionHelpIndex, &controls.ActionHelpWeb, &controls.ActionHelpAbout};
    static_assert(std::size(named) == CommandCount);
    for (std::size_t i = 0; i < CommandCount; ++i)
        *named[i] = controls.Actions[i];
}

void CreateMenusAndToolBar(QMainWindow& window, TMainFormControls& controls)
{
    QMenuBar* bar = window.menuBar();
    bar->setObjectName("MainMenuBar");
    bar->setFixedHeight(MenuBarHeight);
    bar->setNativeMenuBar(false);
    const char* const menuNames[] = {"MenuFile", "MenuEdit", "MenuTools", "MenuHelp"};
    for (std::size_t menu = 0; menu < controls.Menus.size(); ++menu) {
        controls.Menus[menu] = bar->addMenu(QString::fromUtf8(MenuCaptions[menu]));
        controls.Menus[menu]->setObjectName(menuNames[menu]);
        // Every entry's hint shows as its tool tip, the status bar being kept for the mark.
        controls.Menus[menu]->setToolTipsVisible(true);
    }

    QToolBar* toolBar = window.addToolBar("ToolBar1");
    controls.ToolBar1 = toolBar;
    toolBar->setObjectName("ToolBar1");
    toolBar->setFixedHeight(ToolBarHeight);
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    toolBar->setIconSize(QSize(16, 16));
    toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    toolBar->toggleViewAction()->setVisible(false);
    window.setContextMenuPolicy(Qt::NoContextMenu);

    for (std::size_t i = 0; i < Commands.size(); ++i) {
        const TCommand& command = Commands[i];
        if (command.OnToolBar) {
            if (command.ToolBarSeparatorBefore)
                toolBar->addSeparator();
            toolBar->addAction(controls.Actions[i]);
        }
    }

    QFile styleSheet(":/styles/office2003.qss");
    if (styleSheet.open(QIODevice::ReadOnly)) {
        const QString sheet = QString::fromUtf8(styleSheet.readAll());
        bar->setStyleSheet(sheet);
        toolBar->setStyleSheet(sheet);
    }
}

void CreateControls(QMainWindow& window, TMainFormControls& c)
{
    auto* central = new QWidget(&window);
    central->setObjectName("ClientArea");
    window.setCentralWidget(central);
    // Places a control of the client area given in window client coordinates.
    auto place = [](QWidget* widget, int x, int y, int width, int height) {
        widget->setGeometry(x, y - CentralTop, width, height);
    };

    c.GroupBox1 = MakeGroup(ControlCaption("GroupBox1"), central, "GroupBox1");
    place(c.GroupBox1, 8, 64, 289, 385);
    c.Label1 = MakeLabel(ControlCaption("Label1"), c.GroupBox1, 8, 24, "Label1");
    c.ListBox1 = new QListWidget(c.GroupBox1);
    c.ListBox1->setObjectName("ListBox1");
    c.ListBox1->setGeometry(8, 40, 273, 329);
    c.ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    c.ListBox1->setUniformItemSizes(true);
    SetHelpContext({c.ListBox1}, 1001);

    c.GroupBox2 = MakeGroup(ControlCaption("GroupBox2"), central, "GroupBox2");
    place(c.GroupBox2, 312, 64, 289, 89);
    c.Label2 = MakeLabel(ControlCaption("Label2"), c.GroupBox2, 8, 24, "Label2");
    SetHelpContext({c.Label2}, 1004);
    c.ColorPickerButton1 = new TColorPickerButton(c.GroupBox2);
    c.ColorPickerButton1->setObjectName("ColorPickerButton1");
    c.ColorPickerButton1->setGeometry(208, 20, 73, 21);
    c.ColorPickerButton1->SetCustomText("Custom colors");
    c.ColorPickerButton1->SetPopupSpacing(8);
    c.ColorPickerButton1->SetShowSystemColors(false);
    SetHelpContext({c.ColorPickerButton1}, 1004);
    c.ColorPickerButton1->setAccessibleName("Color");
    c.Label3 = MakeLabel(ControlCaption("Label3"), c.GroupBox2, 8, 56, "Label3");
    SetHelpContext({c.Label3}, 1005);
    c.Label4 = MakeLabel("#", c.GroupBox2, 196, 56, "Label4");
    SetHelpContext({c.Label4}, 1005);
    c.EditColorValue = new TColorCodeEdit(c.GroupBox2);
    c.EditColorValue->setObjectName("EditColorValue");
    c.EditColorValue->setGeometry(208, 52, 73, 21);
    c.EditColorValue->setMaxLength(6);
    c.Label4->setBuddy(c.EditColorValue);

    c.GroupBox3 = MakeGroup(ControlCaption("GroupBox3"), central, "GroupBox3");
    place(c.GroupBox3, 312, 160, 289, 361);
    c.Image1 = new TPreviewImage(c.GroupBox3);
    c.Image1->setObjectName("Image1");
    c.Image1->setGeometry(24, 24, 240, 320);
    SetHelpContext({c.Image1}, 1006);

    c.GroupBox4 = MakeGroup(ControlCaption("GroupBox4"), central, "GroupBox4");
    place(c.GroupBox4, 8, 456, 289, 65);
    SetHelpContext({c.GroupBox4}, 1002);
    c.EditDescription = new QLineEdit(c.GroupBox4);
    c.EditDescription->setObjectName("EditDescription");
    c.EditDescription->setGeometry(8, 24, 273, 21);
    // Descriptions have no length limit (the field's own would cut long ones when shown).
    c.EditDescription->setMaxLength(std::numeric_limits<int>::max());

    QStatusBar* status = window.statusBar();
    status->setObjectName("StatusBar1");
    status->setFixedHeight(StatusBarHeight);
    status->setSizeGripEnabled(false);
    c.StatusPanel0 = new QLabel(status);
    c.StatusPanel0->setObjectName("StatusPanel0");
    c.StatusPanel0->setTextFormat(Qt::PlainText);
    c.StatusPanel0->setFixedWidth(100);
    // Panel 1 starts 50 pixels wide and, as the last panel of a status bar, runs on to the
    // window's edge, so a tool's text there is not cut off.
    c.StatusPanel1 = new QLabel(status);
    c.StatusPanel1->setObjectName("StatusPanel1");
    c.StatusPanel1->setTextFormat(Qt::PlainText);
    c.StatusPanel1->setMinimumWidth(50);
    status->addWidget(c.StatusPanel0);
    status->addWidget(c.StatusPanel1, 1);

    // Tab order: the item group, the colour group (code field first), the preview, the
    // description group.
    QWidget::setTabOrder(c.ListBox1, c.EditColorValue);
    QWidget::setTabOrder(c.EditColorValue, c.ColorPickerButton1);
    QWidget::setTabOrder(c.ColorPickerButton1, c.EditDescription);
}

} // namespace

QAction* TMainFormControls::Action(std::string_view name) const
{
    const std::size_t index = CommandIndex(name);
    return index < Actions.size() ? Actions[index] : nullptr;
}

void BuildMainFormLayout(QMainWindow& window, TMainFormControls& controls)
{
    CreateActions(window, controls);
    CreateMenusAndToolBar(window, controls);
    CreateControls(window, controls);
}

void FillMenus(QMainWindow& window, TMainFormControls& controls)
{
    for (std::size_t menu = 0; menu < MenuLayout.size(); ++menu) {
        for (const std::string_view entry : MenuLayout[menu].Entries) {
            if (entry == MenuSeparator) {
                controls.Menus[menu]->addSeparator();
                continue;
            }
            const QString name = QString::fromLatin1(entry.data(), qsizetype(entry.size()));
            if (auto* action = window.findChild<QAction*>(name, Qt::FindDirectChildrenOnly))
                controls.Menus[menu]->addAction(action);
        }
    }
}
