// Tintwright: the application object, its title, the main window and the message loop.
#include "app/MainForm.h"
#include "app/MessageService.h"
#include "app/ProgramFolder.h"
#include "common/ErrorMessage.h"

#include "Version.h"

#include <QApplication>
#include <QDBusConnection>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <exception>
#include <memory>

int main(int argc, char** argv)
{
    // Resources live in the ui library, which is linked statically.
    Q_INIT_RESOURCE(tintwright);
    QApplication application(argc, argv);
    // The window class the desktop matches our desktop file and icon by (Qt's X11 plugin takes
    // the class from the application name); message boxes take their caption, the program's
    // title "Tintwright", from the window itself.
    QApplication::setApplicationName("tintwright");
    QApplication::setApplicationVersion(TINTWRIGHT_VERSION);
    QGuiApplication::setDesktopFileName("org.tintwright.tintwright");
    QApplication::setWindowIcon(
        QIcon::fromTheme("org.tintwright.tintwright", QIcon(":/tintwright.png")));
    // Qt's own texts (message box buttons, file and colour dialogs) follow the system's locale,
    // as the platform's own dialogs did; without Qt's translations installed they stay English.
    QTranslator qtTexts;
    if (qtTexts.load(
            QLocale::system(), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);

    // The command line is not read: files reach a running program by drag and drop and over the
    // session bus. Without its own folder the program cannot find its data or its settings: it
    // says so and ends.
    std::unique_ptr<TMainForm> window;
    try {
        const TProgramPlaces& places = RunningProgramPlaces();
        window = std::make_unique<TMainForm>(
            places.ProgramFolder, places.SettingsFile, places.SettingsFolder);
    } catch (const std::exception& error) {
        ShowErrorBox(nullptr, error);
        return 1;
    }
    window->show();

    // Other programs hand files to this copy through the session bus, under a name made from the
    // executable's: macros as the DDE server took them, and files from the desktop. The window
    // listens after its start-up, so a file that started the program opens over the default
    // scheme.
    const QString executable = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    window->ListenForRequests(QDBusConnection::sessionBus(),
        QString::fromStdString(MessageServiceName(executable.toStdString())));
    return application.exec();
}
