#include "app/MessageServer.h"

#include "PrivateBus.h"
#include "app/MessageService.h"
#include "common/Error.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDeadlineTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <new>
#include <vector>

namespace {

const QString ServiceName = QStringLiteral("org.tintwright.tintwright");

// A private bus for each test, so the tests neither need nor disturb the desktop's session bus.
class MessageServerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!FBus.Start())
            GTEST_SKIP() << "dbus-daemon is not installed";
        FServerBus = Connect();
        FClientBus = Connect();
    }

    QDBusConnection Connect() { return FBus.Connect(); }

    std::unique_ptr<TMessageServer> StartServer(const QDBusConnection& connection)
    {
        return std::make_unique<TMessageServer>(
            connection, ServiceName, [this](const QString& macro) { FReceived.push_back(macro); });
    }

    // Calls Execute as another program does; the server lives in this thread, so the call is
    // made asynchronously and the event loop runs until the reply is in.
    QDBusPendingCall Send(const QString& macro)
    {
        QDBusMessage call
            = QDBusMessage::createMethodCall(ServiceName, QString::fromLatin1(MessageObjectPath),
                QString::fromLatin1(MessageInterfaceName), QStringLiteral("Execute"));
        call << macro;
        return FClientBus.asyncCall(call, 20000);
    }

    static QDBusMessage Wait(QDBusPendingCall call) { return TPrivateBus::Wait(call); }

    QDBusMessage Call(const QString& macro) { return Wait(Send(macro)); }

    TPrivateBus FBus;
    QDBusConnection FServerBus {QString()};
    QDBusConnection FClientBus {QString()};
    std::vector<QString> FReceived;
};

TEST_F(MessageServerTest, RunsEachMacroBeforeAcknowledgingItAndRefusesLongOnes)
{
    const auto server = StartServer(FServerBus);
    ASSERT_TRUE(server->IsExported());
    ASSERT_EQ(server->NameState(), TMessageServer::TNameState::Owned);

    struct TRow
    {
        const char* Name;
        QString Macro;
        bool Accepted;
    };
    const QString twoByte(32768, QChar(u'\u00E9')); // 65,536 bytes of UTF-8
    const std::vector<TRow> rows = {
        {"plain", QStringLiteral("[Open(/home/me/night.clr)]"), true},
        {"line breaks and accents",
            QStringLiteral("[Open(\"/home/me/\u00E9t\u00E9.clr\")]\r\n[Language(/x.clf)]\n"), true},
        {"not recognised", QStringLiteral("Hello, is anyone there?"), true},
        {"empty", QString(), true},
        {"64 KiB", QString(65536, QChar(u'[')), true},
        {"64 KiB in two-byte characters", twoByte, true},
        {"64 KiB + 1", QString(65537, QChar(u'[')), false},
        {"two-byte characters + 1", twoByte + QChar(u'a'), false},
        {"1 MiB", QString(1 << 20, QChar(u'x')), false},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        FReceived.clear();
        const QDBusMessage reply = Call(row.Macro);
        if (row.Accepted) {
            EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage)
                << reply.errorMessage().toStdString();
            ASSERT_EQ(FReceived.size(), 1u);
            EXPECT_TRUE(FReceived[0] == row.Macro);
        } else {
            EXPECT_EQ(reply.type(), QDBusMessage::ErrorMessage);
            EXPECT_EQ(reply.errorName(), QDBusError::errorString(QDBusError::LimitsExceeded));
            EXPECT_TRUE(FReceived.empty());
        }
    }
}

TEST_F(MessageServerTest, SurvivesZeroBytesAndABurstOfCalls)
{
    const auto server = StartServer(FServerBus);

    // The bus carries no zero byte: what reaches the handler of such a text is what stands before
    // its first one.
    for (const QString& macro : {QString(1000, QChar(u'\0')), QStringLiteral("[Open(a)]\0[b]")}) {
        FReceived.clear();
        EXPECT_EQ(Call(macro).type(), QDBusMessage::ReplyMessage);
        ASSERT_EQ(FReceived.size(), 1u);
        EXPECT_TRUE(FReceived[0] == macro.left(macro.indexOf(QChar(u'\0'))));
    }

    FReceived.clear();
    std::vector<QDBusPendingCall> calls;
    for (int i = 0; i < 1000; ++i)
        calls.push_back(Send(QStringLiteral("[Open(/tmp/%1.clr)]").arg(i)));
    int acknowledged = 0;
    for (const QDBusPendingCall& call : calls)
        acknowledged += Wait(call).type() == QDBusMessage::ReplyMessage;
    EXPECT_EQ(acknowledged, 1000);
    ASSERT_EQ(FReceived.size(), 1000u);
    for (int i = 0; i < 1000; ++i)
        EXPECT_EQ(FReceived[i], QStringLiteral("[Open(/tmp/%1.clr)]").arg(i));
    EXPECT_EQ(Call(QStringLiteral("still there")).type(), QDBusMessage::ReplyMessage);
}

TEST_F(MessageServerTest, RunsAMacroArrivingDuringADialogAfterTheFirstEnds)
{
    std::vector<std::string> log;
    TMessageServer server(FServerBus, ServiceName, [&log](const QString& macro) {
        log.push_back("begin " + macro.toStdString());
        // Stands for a modal dialog: the event loop runs, and the second call arrives in it.
        if (macro == "first")
            QTest::qWait(300);
        log.push_back("end " + macro.toStdString());
    });
    const QDBusPendingCall first = Send(QStringLiteral("first"));
    const QDBusPendingCall second = Send(QStringLiteral("second"));
    EXPECT_EQ(Wait(first).type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(Wait(second).type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(
        log, (std::vector<std::string> {"begin first", "end first", "begin second", "end second"}));
}

TEST_F(MessageServerTest, WaitsWhileTheGateIsShutAndRefusesPastItsLimit)
{
    bool open = false;
    const std::unique_ptr<TMessageServer> server = StartServer(FServerBus);
    server->SetGate([&open] { return open; });
    int held = 0;
    QObject::connect(server.get(), &TMessageServer::Held, [&held] { ++held; });
    std::vector<QDBusPendingCall> calls;
    for (std::size_t i = 0; i < TMessageServer::MaxWaitingMacros; ++i)
        calls.push_back(Send(QStringLiteral("[Open(/tmp/%1.clr)]").arg(i)));
    // One more than may wait is refused at once with the bus's own limits error.
    const QDBusMessage refused = Call(QStringLiteral("one too many"));
    EXPECT_EQ(refused.errorName(), QDBusError::errorString(QDBusError::LimitsExceeded));
    EXPECT_TRUE(FReceived.empty());
    EXPECT_GT(held, 0);
    for (const QDBusPendingCall& call : calls)
        EXPECT_FALSE(call.isFinished());

    open = true;
    server->Resume();
    ASSERT_EQ(FReceived.size(), TMessageServer::MaxWaitingMacros);
    for (std::size_t i = 0; i < FReceived.size(); ++i)
        EXPECT_EQ(FReceived[i], QStringLiteral("[Open(/tmp/%1.clr)]").arg(i));
    for (const QDBusPendingCall& call : calls)
        EXPECT_EQ(Wait(call).type(), QDBusMessage::ReplyMessage);
}

TEST_F(MessageServerTest, TellsTheCallerOfAFailureThatReachesIt)
{
    TMessageServer server(FServerBus, ServiceName, [](const QString& macro) {
        if (macro == "fail")
            throw TError("Stream read error");
        if (macro == "run out of memory")
            throw std::bad_alloc();
    });
    const QDBusMessage reply = Call(QStringLiteral("fail"));
    EXPECT_EQ(reply.type(), QDBusMessage::ErrorMessage);
    EXPECT_EQ(reply.errorName(), QDBusError::errorString(QDBusError::Failed));
    EXPECT_EQ(reply.errorMessage(), QStringLiteral("Stream read error"));
    // In words, not as the type's name.
    EXPECT_EQ(Call(QStringLiteral("run out of memory")).errorMessage(), "Out of memory");
    EXPECT_EQ(Call(QStringLiteral("next")).type(), QDBusMessage::ReplyMessage);
}

TEST_F(MessageServerTest, ASecondCopyQueuesForTheNameAndTakesItOver)
{
    auto first = StartServer(FServerBus);
    const QDBusConnection secondBus = Connect();
    TMessageServer second(secondBus, ServiceName, [](const QString&) {});
    EXPECT_EQ(first->NameState(), TMessageServer::TNameState::Owned);
    EXPECT_EQ(second.NameState(), TMessageServer::TNameState::Queued);
    EXPECT_TRUE(second.IsExported());
    EXPECT_EQ(FClientBus.interface()->serviceOwner(ServiceName).value(), FServerBus.baseService());

    first.reset();
    EXPECT_EQ(FClientBus.interface()->serviceOwner(ServiceName).value(), secondBus.baseService());
    EXPECT_EQ(Call(QStringLiteral("[Open(a)]")).type(), QDBusMessage::ReplyMessage);
}

TEST_F(MessageServerTest, ExportsTheExecuteMethodOnly)
{
    const auto server = StartServer(FServerBus);
    const QDBusMessage reply = Wait(FClientBus.asyncCall(
        QDBusMessage::createMethodCall(ServiceName, QString::fromLatin1(MessageObjectPath),
            QStringLiteral("org.freedesktop.DBus.Introspectable"), QStringLiteral("Introspect"))));
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage);
    const QString xml = reply.arguments().value(0).toString();

    // Ours beside the bus's standard interfaces, no child objects, and in ours one method with one
    // string argument.
    QStringList interfaces;
    for (const QRegularExpressionMatch& match :
        QRegularExpression(QStringLiteral("<interface name=\"([^\"]*)\"")).globalMatch(xml))
        interfaces << match.captured(1);
    interfaces.sort();
    EXPECT_EQ(interfaces.join(' '),
        "org.freedesktop.DBus.Introspectable org.freedesktop.DBus.Peer "
        "org.freedesktop.DBus.Properties org.tintwright.System");
    EXPECT_FALSE(xml.contains(QStringLiteral("<node name"))) << xml.toStdString();
    const qsizetype start
        = xml.indexOf(QStringLiteral("<interface name=\"org.tintwright.System\">"));
    ASSERT_GE(start, 0) << xml.toStdString();
    const QString ours = xml.mid(start, xml.indexOf(QStringLiteral("</interface>"), start) - start);
    EXPECT_EQ(ours.count(QStringLiteral("<method ")), 1) << ours.toStdString();
    EXPECT_TRUE(ours.contains(QStringLiteral("<method name=\"Execute\">")));
    EXPECT_EQ(ours.count(QStringLiteral("<arg ")), 1);
    EXPECT_FALSE(
        ours.contains(QStringLiteral("<property")) || ours.contains(QStringLiteral("<signal")));

    const QDBusMessage close = Wait(FClientBus.asyncCall(
        QDBusMessage::createMethodCall(ServiceName, QString::fromLatin1(MessageObjectPath),
            QString::fromLatin1(MessageInterfaceName), QStringLiteral("close"))));
    EXPECT_EQ(close.type(), QDBusMessage::ErrorMessage);
}

// The desktop's calls, as GApplication and the launcher make them: each request waits for the one
// before it, macros included, and the window is raised before the first file opens.
TEST_F(MessageServerTest, HandsTheDesktopsFilesOverInOrder)
{
    std::vector<QString> log;
    TDesktopHandlers desktop;
    desktop.Activate = [&log] { log.push_back(QStringLiteral("activate")); };
    desktop.OpenFiles = [&log](const std::vector<std::filesystem::path>& files) {
        for (const std::filesystem::path& file : files) {
            log.push_back(QStringLiteral("open ") + QString::fromStdString(file.native()));
            // Stands for the save-changes prompt: a macro arrives while it is up.
            if (file == "/tmp/a.clr")
                QTest::qWait(300);
        }
    };
    TMessageServer server(
        FServerBus, ServiceName,
        [&log](const QString& macro) { log.push_back(QStringLiteral("macro ") + macro); }, desktop);
    ASSERT_TRUE(server.IsExported());

    const QString path = QStringLiteral("/org/tintwright/tintwright");
    const QString interface = QStringLiteral("org.freedesktop.Application");
    QDBusMessage open = QDBusMessage::createMethodCall(ServiceName, path, interface, "Open");
    open << QStringList {"file:///tmp/a.clr", "https://example.org/x.clr",
        "file:///tmp/b%20c%C3%A9.cpf", "file://localhost/tmp/d.clf"}
         << QVariantMap();
    const QDBusPendingCall opened = FClientBus.asyncCall(open, 20000);
    QTest::qWait(100);
    const QDBusPendingCall macro = Send(QStringLiteral("[Open(/tmp/e.clr)]"));
    QDBusMessage activate
        = QDBusMessage::createMethodCall(ServiceName, path, interface, "Activate");
    activate << QVariantMap {{"desktop-startup-id", "x"}};

    EXPECT_EQ(Wait(opened).type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(Wait(macro).type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(Wait(FClientBus.asyncCall(activate)).type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(log,
        (std::vector<QString> {"activate", "open /tmp/a.clr", "open /tmp/b c\u00E9.cpf",
            "open /tmp/d.clf", "macro [Open(/tmp/e.clr)]", "activate"}));

    QDBusMessage action
        = QDBusMessage::createMethodCall(ServiceName, path, interface, "ActivateAction");
    action << QStringLiteral("quit") << QVariantList() << QVariantMap();
    const QDBusMessage refused = Wait(FClientBus.asyncCall(action));
    EXPECT_EQ(refused.type(), QDBusMessage::ErrorMessage);
    EXPECT_EQ(refused.errorName(), QDBusError::errorString(QDBusError::NotSupported));

    QDBusMessage tooMany = QDBusMessage::createMethodCall(ServiceName, path, interface, "Open");
    tooMany << QStringList(int(TMessageServer::MaxOpenedFiles) + 1, "file:///tmp/a.clr")
            << QVariantMap();
    log.clear();
    EXPECT_EQ(Wait(FClientBus.asyncCall(tooMany)).type(), QDBusMessage::ErrorMessage);
    EXPECT_TRUE(log.empty());
}

} // namespace
