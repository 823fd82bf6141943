#include "app/MessageServer.h"

#include "app/DroppedFiles.h"
#include "app/MessageService.h"
#include "common/Error.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusReply>
#include <QPointer>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

#include <exception>
#include <optional>
#include <vector>

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

// The desktop's way in, on an object of its own (the interface wants the name's path). The
// platform data (startup notification tokens) is not used.
class TApplicationAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")

public:
    TApplicationAdaptor(QObject* object, TMessageServer& server)
        : QDBusAbstractAdaptor(object)
        , FServer(server)
    { }

public slots:
    void Activate(const QVariantMap& platformData, const QDBusMessage& message)
    {
        Q_UNUSED(platformData);
        FServer.Activate(message);
    }

    void Open(const QStringList& uris, const QVariantMap& platformData, const QDBusMessage& message)
    {
        Q_UNUSED(platformData);
        FServer.Open(uris, message);
    }

    void ActivateAction(const QString& actionName, const QVariantList& parameter,
        const QVariantMap& platformData, const QDBusMessage& message)
    {
        Q_UNUSED(parameter);
        Q_UNUSED(platformData);
        FServer.Refuse(message, QDBusError::errorString(QDBusError::NotSupported),
            QStringLiteral("Tintwright has no action \"%1\".").arg(actionName));
    }

private:
    TMessageServer& FServer;
};

TMessageServer::TMessageServer(const QDBusConnection& connection, const QString& serviceName,
    THandler handler, TDesktopHandlers desktop, QObject* parent)
    : QObject(parent)
    , FConnection(connection)
    , FServiceName(serviceName)
    , FApplicationPath(QString::fromStdString(ApplicationObjectPath(serviceName.toStdString())))
    , FHandler(std::move(handler))
    , FDesktop(std::move(desktop))
{
    new TSystemAdaptor(this);
    FSystemExported = FConnection.registerObject(
        QString::fromLatin1(MessageObjectPath), this, QDBusConnection::ExportAdaptors);
    FExported = FSystemExported;
    if (FDesktop.Activate || FDesktop.OpenFiles) {
        auto* application = new QObject(this);
        new TApplicationAdaptor(application, *this);
        FApplicationExported = FConnection.registerObject(
            FApplicationPath, application, QDBusConnection::ExportAdaptors);
        FExported = FExported && FApplicationExported;
    }
    if (!FConnection.isConnected() || FConnection.interface() == nullptr)
        return;
    // The objects are there before the name: a call that started the program by bus activation
    // is delivered as soon as the name is taken. Every copy serves the same name: a later copy
    // waits in the bus's queue and takes the name over when the copy before it ends.
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
    if (FSystemExported)
        FConnection.unregisterObject(QString::fromLatin1(MessageObjectPath));
    if (FApplicationExported)
        FConnection.unregisterObject(FApplicationPath);
    if (FNameState != TNameState::Failed && FConnection.isConnected())
        FConnection.unregisterService(FServiceName);
    // Callers still waiting would otherwise wait for their timeout.
    for (const TWaitingRequest& waiting : FWaiting) {
        FConnection.send(waiting.Message.createErrorReply(
            QDBusError::NoReply, QStringLiteral("The program ended before running the request.")));
    }
}

void TMessageServer::Execute(const QString& macro, const QDBusMessage& message)
{
    // A UTF-8 text is never shorter in bytes than in UTF-16 code units.
    if (macro.size() > MaxMacroBytes || macro.toUtf8().size() > MaxMacroBytes) {
        Refuse(message, QDBusError::errorString(QDBusError::LimitsExceeded),
            QStringLiteral("The macro is longer than %1 bytes.").arg(MaxMacroBytes));
        return;
    }
    // A macro's text ends at its first zero byte (the bus carries none; a peer connection might).
    const qsizetype zero = macro.indexOf(QChar(u'\0'));
    // The handler's modal dialog runs the event loop, in which the window owning this server may
    // be destroyed: the request holds its own copy of the handler.
    Enqueue([handler = FHandler, text = zero < 0 ? macro : macro.left(zero)] { handler(text); },
        message);
}

void TMessageServer::Open(const QStringList& urls, const QDBusMessage& message)
{
    if (urls.size() > MaxOpenedFiles) {
        Refuse(message, QDBusError::errorString(QDBusError::LimitsExceeded),
            QStringLiteral("More than %1 files to open at once.").arg(MaxOpenedFiles));
        return;
    }
    std::vector<std::filesystem::path> files;
    for (const QString& url : urls) {
        if (std::optional<std::filesystem::path> file = LocalFileOfUrl(url.toStdString()))
            files.push_back(std::move(*file));
    }
    // Raised first, so a save-changes prompt for the first file shows in front.
    Enqueue(
        [desktop = FDesktop, files = std::move(files)] {
            if (desktop.Activate)
                desktop.Activate();
            if (desktop.OpenFiles)
                desktop.OpenFiles(files);
        },
        message);
}

void TMessageServer::Activate(const QDBusMessage& message)
{
    Enqueue(
        [activate = FDesktop.Activate] {
            if (activate)
                activate();
        },
        message);
}

void TMessageServer::Refuse(const QDBusMessage& message, const QString& error, const QString& text)
{
    message.setDelayedReply(true);
    FConnection.send(message.createErrorReply(error, text));
}

void TMessageServer::SetGate(std::function<bool()> mayRun)
{
    FGate = std::move(mayRun);
}

void TMessageServer::Enqueue(std::function<void()> run, const QDBusMessage& message)
{
    // Every reply is sent here, after the request ran, not by QtDBus when the slot returns.
    message.setDelayedReply(true);
    if (FWaiting.size() >= MaxWaitingMacros) {
        Refuse(message, QDBusError::errorString(QDBusError::LimitsExceeded),
            QStringLiteral("Too many requests are waiting to run."));
        return;
    }
    FWaiting.push_back({std::move(run), message});
    if (FRunning)
        return;
    if (!MayRun()) {
        emit Held();
        return;
    }
    RunWaiting();
}

void TMessageServer::Resume()
{
    if (!FRunning && !FWaiting.empty() && MayRun())
        RunWaiting();
}

void TMessageServer::RunWaiting()
{
    FRunning = true;
    while (!FWaiting.empty()) {
        if (!MayRun()) {
            emit Held();
            break;
        }
        const TWaitingRequest next = std::move(FWaiting.front());
        FWaiting.pop_front();
        if (!RunAndReply(next))
            return;
    }
    FRunning = false;
}

bool TMessageServer::RunAndReply(const TWaitingRequest& request)
{
    // The window owning this server may be destroyed while the request runs; the caller is
    // answered all the same.
    const QPointer<TMessageServer> alive(this);
    const QDBusConnection connection = FConnection;
    QDBusMessage reply = request.Message.createReply();
    try {
        request.Run();
    } catch (const std::exception& error) {
        // The program shows its errors itself; a failure that still reaches here is told to the
        // caller rather than let through Qt's event loop.
        reply = request.Message.createErrorReply(
            QDBusError::Failed, QString::fromStdString(UserErrorText(error)));
    }
    connection.send(reply);
    return !alive.isNull();
}

#include "MessageServer.moc"
