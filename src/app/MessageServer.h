#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>

#include <cstddef>
#include <deque>
#include <filesystem>
#include <functional>
#include <vector>

// What the desktop asks of the program through org.freedesktop.Application, as the window
// answers it: Activate shows and raises the window; OpenFiles takes the local files of one
// request the way dropped files are taken (the window checks that each exists and dispatches it
// by its extension).
struct TDesktopHandlers
{
    std::function<void()> Activate;
    std::function<void(const std::vector<std::filesystem::path>& files)> OpenFiles;
};

// Receives macros from other programs on a D-Bus connection (the session bus in the program):
// exports one method, Execute(s macro), at "/System" under "org.tintwright.System", and asks for
// the well-known name, queueing behind a copy that already holds it. Each macro runs through the
// handler before its caller is answered; the handler may show a modal dialog meanwhile. Destroy
// it from outside its handler (QtDBus still holds the object while the handler's call returns).
//
// Given desktop handlers, it also exports org.freedesktop.Application at the path of the name
// ("/org/tintwright/tintwright"): Activate, Open (file URLs; others are passed over) and
// ActivateAction (refused: the program has no actions). Those requests wait in the same line as
// macros, so one request runs to its end before the next starts.
class TMessageServer : public QObject
{
    Q_OBJECT

public:
    using THandler = std::function<void(const QString& macro)>;

    // Macros longer than this (in bytes of UTF-8) are refused with an error reply.
    static constexpr qsizetype MaxMacroBytes = 65536;
    // Requests that arrive while a handler runs, or while the gate is shut, wait, up to this
    // many; more are refused.
    static constexpr std::size_t MaxWaitingMacros = 32;
    // An Open request naming more files than this is refused.
    static constexpr qsizetype MaxOpenedFiles = 1000;

    enum class TNameState { Owned, Queued, Failed };

    TMessageServer(const QDBusConnection& connection, const QString& serviceName, THandler handler,
        TDesktopHandlers desktop = {}, QObject* parent = nullptr);
    ~TMessageServer() override;

    // Whether the objects are exported and how the name request was answered, when it was made.
    bool IsExported() const { return FExported; }
    TNameState NameState() const { return FNameState; }

    // Requests wait while the gate says no (the user is in a dialog of the program's); call
    // Resume once it may say yes again. Held() is emitted whenever a request starts waiting
    // for it.
    void SetGate(std::function<bool()> mayRun);
    void Resume();
    bool HasWaiting() const { return !FWaiting.empty(); }

signals:
    void Held();

private:
    friend class TSystemAdaptor;
    friend class TApplicationAdaptor;
    struct TWaitingRequest
    {
        std::function<void()> Run;
        QDBusMessage Message;
    };

    void Execute(const QString& macro, const QDBusMessage& message);
    void Open(const QStringList& urls, const QDBusMessage& message);
    void Activate(const QDBusMessage& message);
    void Refuse(const QDBusMessage& message, const QString& error, const QString& text);
    // Runs the request now, or after the one in progress; every reply is sent after its run.
    void Enqueue(std::function<void()> run, const QDBusMessage& message);
    bool MayRun() const { return !FGate || FGate(); }
    // Runs the waiting requests in order while the gate lets them.
    void RunWaiting();
    // Runs a request and answers its caller; false when the server went away meanwhile.
    bool RunAndReply(const TWaitingRequest& request);

    QDBusConnection FConnection;
    QString FServiceName;
    QString FApplicationPath;
    THandler FHandler;
    TDesktopHandlers FDesktop;
    std::function<bool()> FGate;
    bool FExported = false;
    bool FSystemExported = false;
    bool FApplicationExported = false;
    TNameState FNameState = TNameState::Failed;
    // A request runs to its end before the next starts, even when the handler's dialog lets the
    // event loop deliver another.
    bool FRunning = false;
    std::deque<TWaitingRequest> FWaiting;
};
