#pragma once

// A private D-Bus daemon for one test, so tests neither need nor disturb the desktop's session
// bus, and connections to it.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <vector>

class TPrivateBus
{
public:
    // False (and the test should skip) when dbus-daemon is not installed.
    bool Start()
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty())
            return false;
        FDaemon.start(daemon, {"--session", "--nofork", "--print-address=1"});
        EXPECT_TRUE(FDaemon.waitForStarted(5000));
        QByteArray address;
        const QDeadlineTimer deadline(5000);
        while (!address.contains('\n') && FDaemon.waitForReadyRead(deadline.remainingTime()))
            address += FDaemon.readAllStandardOutput();
        EXPECT_TRUE(address.contains('\n')) << "dbus-daemon printed no address";
        FAddress = QString::fromUtf8(address.trimmed());
        return true;
    }

    ~TPrivateBus()
    {
        for (const QString& name : FConnectionNames)
            QDBusConnection::disconnectFromBus(name);
        if (FDaemon.state() != QProcess::NotRunning) {
            FDaemon.kill();
            FDaemon.waitForFinished(5000);
        }
    }

    QDBusConnection Connect()
    {
        static int count = 0;
        const QString name = QStringLiteral("tintwright-test-%1").arg(++count);
        FConnectionNames.push_back(name);
        QDBusConnection connection = QDBusConnection::connectToBus(FAddress, name);
        EXPECT_TRUE(connection.isConnected()) << connection.lastError().message().toStdString();
        return connection;
    }

    const QString& Address() const { return FAddress; }

    // The event loop runs until the reply is in (the server usually lives in this thread).
    static QDBusMessage Wait(QDBusPendingCall call, int milliseconds = 20000)
    {
        const QDeadlineTimer deadline(milliseconds);
        while (!call.isFinished() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return call.reply();
    }

private:
    QProcess FDaemon;
    QString FAddress;
    std::vector<QString> FConnectionNames;
};
