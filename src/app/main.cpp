// Tintwright: the application object, its title, the main window and the message loop.
#include "app/MainForm.h"
#include "app/ProgramFolder.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    // Resources live in the ui library, which is linked statically.
    Q_INIT_RESOURCE(tintwright);
    QApplication application(argc, argv);
    // The title of the taskbar entry and of the save-changes prompt; it is not translated.
    QApplication::setApplicationName("Tintwright");
    QApplication::setApplicationVersion(TINTWRIGHT_VERSION);
    QApplication::setWindowIcon(QIcon(":/tintwright.png"));
    QGuiApplication::setDesktopFileName("tintwright");

    // The command line is not read: files reach a running program by drag and drop.
    TMainForm window(ProgramFolder(), SettingsFilePath());
    window.show();
    return application.exec();
}
