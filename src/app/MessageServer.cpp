#include "app/MessageServer.h"

#include "app/MessageService.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusReply>
#include <QPointer>

#include <exception>

// The only thing callers see at "/System": the server is exported with its adaptors alone, so
// none of its own or its parent window's slots and properties can be reached from the bus.
class TSystemAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.tintwright.System")

public:
    explicit TSystemAdaptor(TMessageServer* server)
        : QDBusAbstractAdaptor(server)
        , FServer(*server)
    { }

public slots:
    void Execute(const QString& macro, const QDBusMessage& message)
    {
        FServer.Execute(macro, message);
    }

private:
    TMessageServer& FServer;
};

TMessageServer::TMessageServer(const QDBusConnection& connection, const QString& serviceName,
    THandler handler, QObject* parent)
    : QObject(parent)
    , FConnection(connection)
    , FServiceName(serviceName)
    , FHandler(std::move(handler))
{
    new TSystemAdaptor(this);
    FExported = FConnection.registerObject(
        QString::fromLatin1(MessageObjectPath), this, QDBusConnection::ExportAdaptors);
    if (!FConnection.isConnected() || FConnection.interface() == nullptr)
        return;
    // Every copy serves the same name: a later copy waits in the bus's queue and takes the name
    // over when the copy before it ends.
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply
        = FConnection.interface()->registerService(FServiceName,
            QDBusConnectionInterface::QueueService, QDBusConnectionInterface::DontAllowReplacement);
    if (reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered)
        FNameState = TNameState::Owned;
    else if (reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceQueued)
        FNameState = TNameState::Queued;
}

TMessageServer::~TMessageServer()
{
    if (FExported)
        FConnection.unregisterObject(QString::fromLatin1(MessageObjectPath));
    if (FNameState != TNameState::Failed && FConnection.isConnected())
        FConnection.unregisterService(FServiceName);
    // Callers still waiting would otherwise wait for their timeout.
    for (const TWaitingMacro& waiting : FWaiting) {
        FConnection.send(waiting.Message.createErrorReply(
            QDBusError::NoReply, QStringLiteral("The program ended before running the macro.")));
    }
}

void TMessageServer::Execute(const QString& macro, const QDBusMessage& message)
{
    // Every reply is sent here, after the macro ran, not by QtDBus when the slot returns.
    message.setDelayedReply(true);
    // A UTF-8 text is never shorter in bytes than in UTF-16 code units.
    if (macro.size() > MaxMacroBytes || macro.toUtf8().size() > MaxMacroBytes) {
        FConnection.send(message.createErrorReply(QDBusError::LimitsExceeded,
            QStringLiteral("The macro is longer than %1 bytes.").arg(MaxMacroBytes)));
        return;
    }
    if (FRunning) {
        if (FWaiting.size() >= MaxWaitingMacros) {
            FConnection.send(message.createErrorReply(
                QDBusError::LimitsExceeded, QStringLiteral("Too many macros are waiting to run.")));
            return;
        }
        FWaiting.push_back({macro, message});
        return;
    }

    FRunning = true;
    if (!RunAndReply(macro, message))
        return;
    while (!FWaiting.empty()) {
        const TWaitingMacro next = FWaiting.front();
        FWaiting.pop_front();
        if (!RunAndReply(next.Macro, next.Message))
            return;
    }
    FRunning = false;
}

bool TMessageServer::RunAndReply(const QString& macro, const QDBusMessage& message)
{
    // A macro's text ends at its first zero byte (the bus carries none; a peer connection might).
    const qsizetype zero = macro.indexOf(QChar(u'\0'));
    const QString text = zero < 0 ? macro : macro.left(zero);

    // The handler's modal dialog runs the event loop, in which the window owning this server may
    // be destroyed; the handler runs from a copy and the caller is answered all the same.
    const QPointer<TMessageServer> alive(this);
    const QDBusConnection connection = FConnection;
    const THandler handler = FHandler;
    QDBusMessage reply = message.createReply();
    try {
        handler(text);
    } catch (const std::exception& error) {
        // The program shows its errors itself; a failure that still reaches here is told to the
        // caller rather than let through Qt's event loop.
        reply = message.createErrorReply(QDBusError::Failed, QString::fromUtf8(error.what()));
    }
    connection.send(reply);
    return !alive.isNull();
}

#include "MessageServer.moc"
