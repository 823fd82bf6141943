// tintwright-open: hands files to the running editor over the session bus, starting the editor
// first when no copy runs, and ends. The desktop file's Exec= line names it, for desktops that
// start a program with the files instead of calling org.freedesktop.Application themselves (the
// editor reads no command line).
//
// usage: tintwright-open [--] [FILE | file:URL]...
//
// Ends with 0 once the editor has taken the files, and with 1, saying why on standard error, when
// a file is missing, the editor refused the request, or whatever holds the editor's name on the
// bus does not answer.
#include "app/DroppedFiles.h"
#include "app/MessageService.h"
#include "common/FileAccess.h"
#include "common/TextRules.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>
#include <QDBusReply>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QProcess>
#include <QStringList>
#include <QThread>
#include <QTimer>
#include <QVariantMap>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>

#include <sys/stat.h>

namespace {

// The editor lies beside the launcher and serves the name made from its file name.
constexpr const char* EditorFileName = "tintwright";
// How long the launcher waits for the editor's answer before it asks whether the editor is there
// at all: the editor answers once the files are open, which a dialog of the user's (the question
// whether to save changes) holds up for as long as it is open.
constexpr int AnswerTimeout = 3000;
// How long an editor may take to answer a question its window need not be free for.
constexpr int ProbeTimeout = 2000;
// How long an editor that is being started may take to come onto the bus.
constexpr int StartTimeout = 30000;

void PrintError(const QString& text)
{
    std::fprintf(stderr, "tintwright-open: %s\n", qPrintable(text));
}

QString ServiceName()
{
    return QString::fromStdString(MessageServiceName(EditorFileName));
}

QString ObjectPath()
{
    return QString::fromStdString(ApplicationObjectPath(ServiceName().toStdString()));
}

// Why the editor could not open the file, or nothing: what is not there, or is a folder, it
// would pass over without a word.
std::optional<QString> MissingFileReason(const std::filesystem::path& file)
{
    struct stat info
    {
    };
    if (::stat(file.c_str(), &info) != 0)
        return QString::fromLocal8Bit(SystemErrorText(errno).c_str());
    if (S_ISDIR(info.st_mode))
        return QString::fromLocal8Bit(SystemErrorText(EISDIR).c_str());
    return std::nullopt;
}

QDBusPendingCall Send(QDBusConnection& bus, const QStringList& urls, bool autoStart)
{
    QDBusMessage call = QDBusMessage::createMethodCall(ServiceName(), ObjectPath(),
        QString::fromLatin1(ApplicationInterfaceName),
        urls.isEmpty() ? QStringLiteral("Activate") : QStringLiteral("Open"));
    if (!urls.isEmpty())
        call << urls;
    call << QVariantMap();
    call.setAutoStartService(autoStart);
    // The bus's own time limit never decides: the waits below do.
    return bus.asyncCall(call, StartTimeout + AnswerTimeout + ProbeTimeout);
}

// Runs the event loop until the call is answered or the time is up; true when it was answered.
bool WaitFor(const QDBusPendingCall& call, int milliseconds)
{
    if (call.isFinished())
        return true;
    QDBusPendingCallWatcher watcher(call);
    QEventLoop loop;
    QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
    return call.isFinished();
}

// Whether the answer says that no program holds the name.
bool IsNotThere(const QDBusMessage& reply)
{
    return reply.errorName() == QDBusError::errorString(QDBusError::ServiceUnknown)
        || reply.errorName() == QStringLiteral("org.freedesktop.DBus.Error.NameHasNoOwner");
}

// Whether the process holding the name answers at all: an introspection is answered by the
// editor's event loop, which runs while a dialog of the user's is open, but not by a process that
// has stopped or hangs.
bool Answers(QDBusConnection& bus, const QString& owner)
{
    const QDBusMessage probe = QDBusMessage::createMethodCall(owner, ObjectPath(),
        QStringLiteral("org.freedesktop.DBus.Introspectable"), QStringLiteral("Introspect"));
    const QDBusPendingCall call = bus.asyncCall(probe, ProbeTimeout);
    if (!WaitFor(call, ProbeTimeout))
        return false;
    const QDBusMessage reply = call.reply();
    return reply.type() == QDBusMessage::ReplyMessage
        || (reply.errorName() != QDBusError::errorString(QDBusError::NoReply)
            && reply.errorName() != QDBusError::errorString(QDBusError::Timeout)
            && reply.errorName() != QDBusError::errorString(QDBusError::TimedOut)
            && !IsNotThere(reply));
}

enum class TWait {
    Answered, // the call has its answer
    Queued, // the editor is there and has the request, but a dialog holds it up
    Silent, // something holds the name and does not answer
    NoEditor, // nothing took the name in time
};

TWait Await(QDBusConnection& bus, const QDBusPendingCall& call)
{
    const QDeadlineTimer startDeadline(StartTimeout);
    for (;;) {
        if (WaitFor(call, AnswerTimeout))
            return TWait::Answered;
        // An editor the bus is starting has no name yet: the call waits for it at the bus.
        const QDBusReply<QString> owner = bus.interface()->serviceOwner(ServiceName());
        if (!owner.isValid()) {
            if (startDeadline.hasExpired())
                return TWait::NoEditor;
            continue;
        }
        const bool answers = Answers(bus, owner.value());
        if (call.isFinished())
            return TWait::Answered;
        return answers ? TWait::Queued : TWait::Silent;
    }
}

bool StartEditor()
{
    const QString editor = QCoreApplication::applicationDirPath() + '/' + EditorFileName;
    if (QProcess::startDetached(editor, {}))
        return true;
    PrintError(QStringLiteral("cannot start %1").arg(editor));
    return false;
}

bool WaitForEditorOnBus(QDBusConnection& bus)
{
    const QDeadlineTimer deadline(StartTimeout);
    while (!bus.interface()->isServiceRegistered(ServiceName())) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(100);
    }
    return true;
}

// What became of a request: 0 when the editor has it, else 1 after saying why.
int Outcome(QDBusConnection& bus, TWait wait, const QDBusMessage& reply)
{
    switch (wait) {
    case TWait::Answered:
        if (reply.type() == QDBusMessage::ReplyMessage)
            return 0;
        PrintError(reply.errorMessage().isEmpty() ? reply.errorName() : reply.errorMessage());
        return 1;
    case TWait::Queued:
        return 0;
    case TWait::Silent: {
        const QDBusReply<uint> pid = bus.interface()->servicePid(ServiceName());
        PrintError(
            QStringLiteral("the program holding %1 on the session bus%2 does not answer: "
                           "Tintwright may be busy or hanging")
                .arg(ServiceName(),
                    pid.isValid() ? QStringLiteral(" (process %1)").arg(pid.value()) : QString()));
        return 1;
    }
    case TWait::NoEditor:
        PrintError(QStringLiteral("Tintwright did not come onto the session bus"));
        return 1;
    }
    return 1;
}

} // namespace

// The launcher speaks for itself on standard error; Qt's own notes (QtDBus tearing down its
// connection thread as the program ends) would only make a caller's log harder to read.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg)
        std::fprintf(stderr, "tintwright-open: %s\n", qPrintable(message));
}

int main(int argc, char** argv)
{
    qInstallMessageHandler(QuietMessages);
    QCoreApplication application(argc, argv);

    // Paths are taken as the bytes given, so a name in any encoding reaches the editor whole.
    QStringList urls;
    bool failed = false;
    bool options = true;
    auto refuse = [&failed](const QString& argument, const QString& reason) {
        PrintError(QStringLiteral("%1: %2").arg(argument, reason));
        failed = true;
    };
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        const QString shown = QString::fromLocal8Bit(argv[i]);
        if (options && argument == "--") {
            options = false;
        } else if (options && (argument == "--help" || argument == "-h")) {
            std::printf("usage: %s [--] [FILE | file:URL]...\n"
                        "Opens the files in the running Tintwright, starting it when needed.\n",
                argv[0]);
            return 0;
        } else if (argument.size() >= 5 && SameTextAscii(argument.substr(0, 5), "file:")) {
            const std::optional<std::filesystem::path> file = LocalFileOfUrl(argument);
            if (!file)
                refuse(shown, QStringLiteral("not a file on this computer"));
            else if (const auto reason = MissingFileReason(*file))
                refuse(shown, *reason);
            else
                urls << QString::fromUtf8(argument.data(), qsizetype(argument.size()));
        } else {
            std::error_code error;
            const std::filesystem::path path = std::filesystem::absolute(argument, error);
            if (error)
                refuse(shown, QString::fromLocal8Bit(error.message().c_str()));
            else if (const auto reason = MissingFileReason(path))
                refuse(shown, *reason);
            else
                urls << QString::fromStdString(FileUrlOfPath(path));
        }
    }
    // Files were named and none of them can be opened: there is nothing to hand over.
    if (failed && urls.isEmpty())
        return 1;

    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        PrintError(QStringLiteral("no session bus (%1); starting Tintwright without the files")
                       .arg(bus.lastError().message()));
        StartEditor();
        return 1;
    }

    // The bus starts the editor itself when its service file is installed where the bus looks.
    QDBusPendingCall call = Send(bus, urls, true);
    TWait wait = Await(bus, call);
    if (wait == TWait::Answered && IsNotThere(call.reply())
        && !bus.interface()->isServiceRegistered(ServiceName())) {
        if (!StartEditor())
            return 1;
        if (!WaitForEditorOnBus(bus))
            return Outcome(bus, TWait::NoEditor, {});
        call = Send(bus, urls, false);
        wait = Await(bus, call);
    }
    const int outcome = Outcome(bus, wait, call.reply());
    return failed ? 1 : outcome;
}
