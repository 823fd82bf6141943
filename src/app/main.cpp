// Tintwright: the application object, its title, the main window and the message loop.
#include "app/MainForm.h"
#include "app/ProgramFolder.h"

#include "Version.h"

#include <QApplication>
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
    return application.exec();
}
