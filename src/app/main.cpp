// Tintwright: the application object, its title, the main window and the message loop; or, given
// an option of its own, one command of the command line, run without a window.
#include "app/MainForm.h"
#include "app/MessageService.h"
#include "app/ProgramFolder.h"
#include "cli/CommandLine.h"
#include "cli/CommandLineRun.h"
#include "common/Error.h"
#include "common/ErrorMessage.h"

#include "Version.h"

#include <QApplication>
#include <QDBusConnection>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <clocale>
#include <exception>
#include <iostream>
#include <memory>
#include <string_view>
#include <vector>

namespace {

// The command line needs no display: a core application, which loads no platform plugin.
int RunCommands(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName("tintwright");
    QCoreApplication::setApplicationVersion(TINTWRIGHT_VERSION);
    // The command line speaks English only, the system's reasons for a failure included; Qt took
    // the locale's text encoding already.
    std::setlocale(LC_MESSAGES, "C");
    std::setlocale(LC_NUMERIC, "C");
    TCommandPlaces places;
    try {
        const TProgramPlaces& running = RunningProgramPlaces();
        places = {running.ProgramFolder, running.SettingsFile};
    } catch (const std::exception& error) {
        std::cerr << "tintwright: " << UserErrorText(error) << '\n';
        return ExitFailed;
    }
    return RunCommandLine(QCoreApplication::arguments(), places, std::cout, std::cerr);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && IsCommandLineRun(std::vector<std::string_view>(argv + 1, argv + argc)))
        return RunCommands(argc, argv);

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

    // File names on the command line are not read: files reach a running program by drag and drop
    // and over the session bus. Without its own folder the program cannot find its data or its
    // settings: it says so and ends.
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
