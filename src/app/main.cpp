// Tintwright: the application object, its title, the main window and the message loop.
#include "app/MainForm.h"
#include "app/MessageServer.h"
#include "app/MessageService.h"
#include "app/ProgramFolder.h"

#include "Version.h"

#include <QApplication>
#include <QDBusConnection>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

#include <exception>
#include <memory>

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
    // Qt's own texts (message box buttons, file and colour dialogs) follow the system's locale,
    // as the platform's own dialogs did; without Qt's translations installed they stay English.
    QTranslator qtTexts;
    if (qtTexts.load(
            QLocale::system(), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);

    // The command line is not read: files reach a running program by drag and drop. Without
    // its own folder the program cannot find its data or its settings: it says so and ends.
    std::unique_ptr<TMainForm> window;
    try {
        window = std::make_unique<TMainForm>(ProgramFolder(), SettingsFilePath());
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, "Tintwright", QString::fromUtf8(error.what()));
        return 1;
    }
    window->show();

    // Other programs hand files to this copy through the session bus, under a name made from the
    // executable's. D-Bus texts are UTF-8, so the paths in a macro are the file system's names.
    // The server goes before the window it calls.
    const QString executable = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    const TMessageServer server(QDBusConnection::sessionBus(),
        QString::fromStdString(MessageServiceName(executable.toStdString())),
        [&window](const QString& macro) {
            window->ExecuteMacroText(QFile::encodeName(macro).toStdString());
        });
    return application.exec();
}
