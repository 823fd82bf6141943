// Stands in for the editor in the install checks: serves the editor's name on the session bus
// through the editor's own server and writes every request it is handed to a log, one line each
// ("activate", "open <file>", "macro <text>"). The macro "[Quit]" ends it.
//
// usage: tintwright_desktop_test_server <log file>
#include "app/MessageServer.h"
#include "app/MessageService.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QFile>

#include <cstdio>
#include <filesystem>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <log file>\n", argv[0]);
        return 2;
    }
    QFile log(QString::fromLocal8Bit(argv[1]));
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    const auto write = [&log](const QByteArray& line) { log.write(line + '\n'); };

    TDesktopHandlers desktop;
    desktop.Activate = [&write] { write("activate"); };
    desktop.OpenFiles = [&write](const std::vector<std::filesystem::path>& files) {
        for (const std::filesystem::path& file : files)
            write("open " + QByteArray::fromStdString(file.native()));
    };
    const TMessageServer server(
        QDBusConnection::sessionBus(), QString::fromStdString(MessageServiceName("tintwright")),
        [&write](const QString& macro) {
            write("macro " + macro.toUtf8());
            if (macro == QStringLiteral("[Quit]"))
                QCoreApplication::quit();
        },
        desktop);
    if (server.NameState() != TMessageServer::TNameState::Owned) {
        std::fprintf(stderr, "cannot take the editor's name on the session bus\n");
        return 1;
    }
    return application.exec();
}
