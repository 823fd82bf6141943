// tintwright-open: hands files to the running editor over the session bus, starting the editor
// first when no copy runs, and ends. The desktop file's Exec= line names it, for desktops that
// start a program with the files instead of calling org.freedesktop.Application themselves (the
// editor reads no command line).
//
// usage: tintwright-open [--] [FILE | file:URL]...
#include "app/DroppedFiles.h"
#include "app/MessageService.h"
#include "common/TextRules.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QProcess>
#include <QStringList>
#include <QThread>
#include <QVariantMap>

#include <cstdio>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace {

// The editor lies beside the launcher and serves the name made from its file name.
constexpr const char* EditorFileName = "tintwright";
// How long a call may wait for its answer; the editor answers after the files were opened, which
// a save-changes prompt may hold up, so a call that ran out of time has still been delivered.
constexpr int CallTimeout = 25000;
// How long an editor this launcher started may take to come onto the bus.
constexpr int StartTimeout = 30000;

void PrintError(const QString& text)
{
    std::fprintf(stderr, "tintwright-open: %s\n", qPrintable(text));
}

QDBusMessage Call(QDBusConnection& bus, const QStringList& urls, bool autoStart)
{
    const QString service = QString::fromStdString(MessageServiceName(EditorFileName));
    QDBusMessage call = QDBusMessage::createMethodCall(service,
        QString::fromStdString(ApplicationObjectPath(service.toStdString())),
        QString::fromLatin1(ApplicationInterfaceName),
        urls.isEmpty() ? QStringLiteral("Activate") : QStringLiteral("Open"));
    if (!urls.isEmpty())
        call << urls;
    call << QVariantMap();
    call.setAutoStartService(autoStart);
    return bus.call(call, QDBus::Block, CallTimeout);
}

bool IsDelivered(const QDBusMessage& reply)
{
    return reply.type() == QDBusMessage::ReplyMessage
        || reply.errorName() == QDBusError::errorString(QDBusError::NoReply)
        || reply.errorName() == QDBusError::errorString(QDBusError::Timeout);
}

bool StartEditor()
{
    const QString editor = QCoreApplication::applicationDirPath() + '/' + EditorFileName;
    if (QProcess::startDetached(editor, {}))
        return true;
    PrintError(QStringLiteral("cannot start %1").arg(editor));
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);

    // Paths are taken as the bytes given, so a name in any encoding reaches the editor whole.
    QStringList urls;
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (options && argument == "--") {
            options = false;
        } else if (options && (argument == "--help" || argument == "-h")) {
            std::printf("usage: %s [--] [FILE | file:URL]...\n"
                        "Opens the files in the running Tintwright, starting it when needed.\n",
                argv[0]);
            return 0;
        } else if (argument.size() >= 5 && SameTextAscii(argument.substr(0, 5), "file:")) {
            urls << QString::fromUtf8(argument.data(), qsizetype(argument.size()));
        } else {
            std::error_code error;
            const std::filesystem::path path = std::filesystem::absolute(argument, error);
            if (error) {
                PrintError(QStringLiteral("%1: %2").arg(QString::fromLocal8Bit(argv[i]),
                    QString::fromLocal8Bit(error.message().c_str())));
                continue;
            }
            urls << QString::fromStdString(FileUrlOfPath(path));
        }
    }

    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        PrintError(QStringLiteral("no session bus (%1); starting Tintwright without the files")
                       .arg(bus.lastError().message()));
        StartEditor();
        return 1;
    }

    // The bus starts the editor itself when its service file is installed where the bus looks.
    QDBusMessage reply = Call(bus, urls, true);
    if (IsDelivered(reply))
        return 0;
    const QString service = QString::fromStdString(MessageServiceName(EditorFileName));
    if (!bus.interface()->isServiceRegistered(service)) {
        if (!StartEditor())
            return 1;
        const QDeadlineTimer deadline(StartTimeout);
        while (!bus.interface()->isServiceRegistered(service)) {
            if (deadline.hasExpired()) {
                PrintError(QStringLiteral("Tintwright did not come onto the session bus"));
                return 1;
            }
            QThread::msleep(100);
        }
        reply = Call(bus, urls, false);
        if (IsDelivered(reply))
            return 0;
    }
    PrintError(reply.errorMessage());
    return 1;
}
