// The launcher the desktop runs with files, against a stand-in editor on a private bus: it ends
// with 0 once the editor has the files, and otherwise says why and ends with 1, promptly.
#include "app/MessageServer.h"
#include "app/MessageService.h"

#include "TemporaryFolder.h"

#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const QString ServiceName = QStringLiteral("org.tintwright.tintwright");

// What a run of the launcher ended with.
struct TLaunch
{
    int ExitCode = -1;
    std::string Errors;
};

// An editor that has the name but whose window is stuck: its object exists, but nothing that
// reaches it is ever answered while the launcher runs (the test's own thread waits meanwhile).
class TStuckAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")

public:
    explicit TStuckAdaptor(QObject* object)
        : QDBusAbstractAdaptor(object)
    { }

public slots:
    void Open(const QStringList&, const QVariantMap&) { }
};

class OpenLauncherTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty())
            GTEST_SKIP() << "dbus-daemon is not installed";
        FDaemon.start(daemon, {"--session", "--nofork", "--print-address=1"});
        ASSERT_TRUE(FDaemon.waitForStarted(5000));
        QByteArray address;
        const QDeadlineTimer deadline(5000);
        while (!address.contains('\n') && FDaemon.waitForReadyRead(deadline.remainingTime()))
            address += FDaemon.readAllStandardOutput();
        ASSERT_TRUE(address.contains('\n')) << "dbus-daemon printed no address";
        FAddress = QString::fromUtf8(address.trimmed());
        FBus = QDBusConnection::connectToBus(FAddress, QStringLiteral("tintwright-launcher-test"));
        ASSERT_TRUE(FBus.isConnected());
        WriteBytes(FFolder / "night.clr", "001,002,003 // Night\r\n");
        fs::create_directory(FFolder / "folder.clr");
    }

    void TearDown() override
    {
        FServer.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("tintwright-launcher-test"));
        if (FDaemon.state() != QProcess::NotRunning) {
            FDaemon.kill();
            FDaemon.waitForFinished(5000);
        }
    }

    // The stand-in editor: the editor's own server, logging what it is handed.
    void StartEditor(std::function<void()> onOpen = {})
    {
        TDesktopHandlers desktop;
        desktop.Activate = [this] { FLog.push_back("activate"); };
        desktop.OpenFiles = [this, onOpen](const std::vector<fs::path>& files) {
            for (const fs::path& file : files) {
                if (onOpen)
                    onOpen();
                FLog.push_back("open " + file.string());
            }
        };
        FServer = std::make_unique<TMessageServer>(
            FBus, ServiceName, [](const QString&) {}, desktop);
        ASSERT_EQ(FServer->NameState(), TMessageServer::TNameState::Owned);
    }

    // Runs the launcher on the private bus. While it runs, this thread serves the stand-in
    // editor, unless it is to be stuck.
    TLaunch Launch(const QStringList& arguments, bool serve = true)
    {
        QProcess launcher;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), FAddress);
        launcher.setProcessEnvironment(environment);
        FLauncherEnded = false;
        QObject::connect(&launcher, &QProcess::finished, [this] { FLauncherEnded = true; });
        launcher.start(QStringLiteral(TINTWRIGHT_OPEN_PROGRAM), arguments);
        EXPECT_TRUE(launcher.waitForStarted(5000));
        // Well below the bus's own 25 seconds: the launcher must not wait for them.
        const QDeadlineTimer deadline(15000);
        if (serve) {
            while (launcher.state() != QProcess::NotRunning && !deadline.hasExpired())
                QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        } else {
            launcher.waitForFinished(int(deadline.remainingTime()));
        }
        if (launcher.state() != QProcess::NotRunning) {
            ADD_FAILURE() << "the launcher was still waiting after 15 s";
            launcher.kill();
            launcher.waitForFinished(5000);
        }
        return {launcher.exitCode(), launcher.readAllStandardError().toStdString()};
    }

    QString PathOf(const char* name) const
    {
        return QString::fromStdString((FFolder / name).string());
    }

    QProcess FDaemon;
    QString FAddress;
    QDBusConnection FBus {QString()};
    std::unique_ptr<TMessageServer> FServer;
    std::vector<std::string> FLog;
    bool FLauncherEnded = false;
    TTemporaryFolder FFolder;
};

TEST_F(OpenLauncherTest, HandsOverFilesThatExistAndNamesThoseThatDoNot)
{
    StartEditor();
    struct TRow
    {
        const char* Name;
        QStringList Arguments;
        int ExitCode;
        std::string Errors;
        std::vector<std::string> Handed; // what the editor was handed, in order
    };
    const std::string night = (FFolder / "night.clr").string();
    const std::string missing = (FFolder / "missing.clr").string();
    const std::string folder = (FFolder / "folder.clr").string();
    const std::vector<TRow> rows = {
        {"a file", {PathOf("night.clr")}, 0, "", {"activate", "open " + night}},
        {"a file URL", {"file://" + PathOf("night.clr")}, 0, "", {"activate", "open " + night}},
        {"nothing: the editor comes forward", {}, 0, "", {"activate"}},
        {"a missing file", {PathOf("missing.clr")}, 1,
            "tintwright-open: " + missing + ": No such file or directory\n", {}},
        {"a missing file URL", {"file://" + PathOf("missing.clr")}, 1,
            "tintwright-open: file://" + missing + ": No such file or directory\n", {}},
        {"a folder", {PathOf("folder.clr")}, 1, "tintwright-open: " + folder + ": Is a directory\n",
            {}},
        {"a missing file beside one that exists", {PathOf("missing.clr"), PathOf("night.clr")}, 1,
            "tintwright-open: " + missing + ": No such file or directory\n",
            {"activate", "open " + night}},
        {"another computer's file", {"file://elsewhere/night.clr"}, 1,
            "tintwright-open: file://elsewhere/night.clr: not a file on this computer\n", {}},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        FLog.clear();
        const TLaunch launch = Launch(row.Arguments);
        EXPECT_EQ(launch.ExitCode, row.ExitCode);
        EXPECT_EQ(launch.Errors, row.Errors);
        EXPECT_EQ(FLog, row.Handed);
    }
}

TEST_F(OpenLauncherTest, ARefusedRequestIsAFailure)
{
    StartEditor();
    QStringList tooMany;
    for (int i = 0; i <= TMessageServer::MaxOpenedFiles; ++i)
        tooMany << PathOf("night.clr");
    const TLaunch launch = Launch(tooMany);
    EXPECT_EQ(launch.ExitCode, 1);
    EXPECT_EQ(launch.Errors, "tintwright-open: More than 1000 files to open at once.\n");
    EXPECT_TRUE(FLog.empty());
}

TEST_F(OpenLauncherTest, ANameHeldByAProgramThatNeverAnswersIsAFailure)
{
    auto* application = new QObject(qApp);
    new TStuckAdaptor(application);
    ASSERT_TRUE(FBus.registerObject(
        QString::fromStdString(ApplicationObjectPath(ServiceName.toStdString())), application,
        QDBusConnection::ExportAdaptors));
    ASSERT_TRUE(FBus.registerService(ServiceName));

    const TLaunch launch = Launch({PathOf("night.clr")}, false);
    EXPECT_EQ(launch.ExitCode, 1);
    EXPECT_NE(launch.Errors.find("does not answer"), std::string::npos) << launch.Errors;
    FBus.unregisterObject(QString::fromStdString(ApplicationObjectPath(ServiceName.toStdString())));
    FBus.unregisterService(ServiceName);
    delete application;
}

// A dialog of the user's (the question whether to save changes) holds the request up for as long
// as it is open: the editor has it, which is all the launcher waits for.
TEST_F(OpenLauncherTest, AnEditorHeldUpByADialogHasTheFiles)
{
    bool endedMeanwhile = false;
    StartEditor([this, &endedMeanwhile] {
        // The dialog stays open until the launcher has ended, or for ten seconds.
        const QDeadlineTimer deadline(10000);
        while (!FLauncherEnded && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        endedMeanwhile = FLauncherEnded;
    });
    const TLaunch launch = Launch({PathOf("night.clr")});
    EXPECT_EQ(launch.ExitCode, 0);
    EXPECT_EQ(launch.Errors, "");
    EXPECT_TRUE(endedMeanwhile) << "the launcher waited for the dialog to close";
    EXPECT_EQ(
        FLog, (std::vector<std::string> {"activate", "open " + (FFolder / "night.clr").string()}));
}

} // namespace

#include "OpenLauncherTest.moc"
