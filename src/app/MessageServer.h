#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>

#include <cstddef>
#include <deque>
#include <functional>

// Receives macros from other programs on a D-Bus connection (the session bus in the program):
// exports one method, Execute(s macro), at "/System" under "org.tintwright.System", and asks for
// the well-known name, queueing behind a copy that already holds it. Each macro runs through the
// handler before its caller is answered; the handler may show a modal dialog meanwhile. Destroy
// it from outside its handler (QtDBus still holds the object while the handler's call returns).
class TMessageServer : public QObject
{
    Q_OBJECT

public:
    using THandler = std::function<void(const QString& macro)>;

    // Macros longer than this (in bytes of UTF-8) are refused with an error reply.
    static constexpr qsizetype MaxMacroBytes = 65536;
    // Macros that arrive while the handler runs wait for it, up to this many; more are refused.
    static constexpr std::size_t MaxWaitingMacros = 100;

    enum class TNameState { Owned, Queued, Failed };

    TMessageServer(const QDBusConnection& connection, const QString& serviceName, THandler handler,
        QObject* parent = nullptr);
    ~TMessageServer() override;

    // Whether the object is exported and how the name request was answered, when it was made.
    bool IsExported() const { return FExported; }
    TNameState NameState() const { return FNameState; }

private:
    friend class TSystemAdaptor;
    struct TWaitingMacro
    {
        QString Macro;
        QDBusMessage Message;
    };

    void Execute(const QString& macro, const QDBusMessage& message);
    // Runs the handler and answers the caller; false when the server went away meanwhile.
    bool RunAndReply(const QString& macro, const QDBusMessage& message);

    QDBusConnection FConnection;
    QString FServiceName;
    THandler FHandler;
    bool FExported = false;
    TNameState FNameState = TNameState::Failed;
    // A macro runs to its end before the next starts, even when the handler's dialog lets the
    // event loop deliver another request.
    bool FRunning = false;
    std::deque<TWaitingMacro> FWaiting;
};
