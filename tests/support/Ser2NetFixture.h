#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <filesystem>
#include <sys/prctl.h>
#include <system_error>

// Debian's ser2net in front of a serial device, listening on 127.0.0.1 with a configuration made for the test,
// in RFC 2217 mode (the client sets the line) or raw mode (the line stays as `lineSettings` says, e.g. 2400n81).
// Stopped by its PID when the fixture goes, or earlier by stop().
struct Ser2NetFixture
{
    enum class Mode { Rfc2217, Raw };

    Ser2NetFixture(const QString &device, Mode mode, const QString &lineSettings = QStringLiteral("2400n81"))
        : mode(mode)
    {
        port = freePort();
        const QString accepter = mode == Mode::Rfc2217 ? QStringLiteral("telnet(rfc2217),tcp") : QStringLiteral("tcp");
        QFile config(dir.filePath(QStringLiteral("ser2net.yaml")));
        if (!config.open(QIODevice::WriteOnly))
            return;
        config.write(QStringLiteral("%YAML 1.1\n---\n"
                                    "connection: &line\n"
                                    "  accepter: %1,127.0.0.1,%2\n"
                                    "  connector: serialdev,%3,%4,local\n"
                                    "  options:\n"
                                    "    kickolduser: true\n"
                                    "    mdns: false\n")
                         .arg(accepter)
                         .arg(port)
                         .arg(device, lineSettings)
                         .toUtf8());
        config.close();
        // -n: stay in the foreground, as our child; -u: no UUCP lock files in the system's lock folder.
        process.setProcessChannelMode(QProcess::MergedChannels);
        // Ends with the test, even one that crashes.
        process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        process.start(QStringLiteral("ser2net"),
                      {QStringLiteral("-n"), QStringLiteral("-u"), QStringLiteral("-c"), config.fileName(),
                       QStringLiteral("-P"), dir.filePath(QStringLiteral("ser2net.pid"))});
        if (!process.waitForStarted(5000))
            return;
        // Listening once a connection is taken (and dropped at once, which ser2net shrugs off).
        QDeadlineTimer deadline(5000);
        while (!deadline.hasExpired() && process.state() == QProcess::Running) {
            QTcpSocket probe;
            probe.connectToHost(QStringLiteral("127.0.0.1"), port);
            if (probe.waitForConnected(200)) {
                probe.abort();
                started = true;
                // ser2net lets go of the device after the probe's connection before it takes the next one.
                QTest::qWait(50);
                return;
            }
            QTest::qWait(20);
        }
    }

    ~Ser2NetFixture() { stop(); }

    // Stops ser2net by its PID, as a service manager would.
    void stop()
    {
        if (process.state() == QProcess::NotRunning)
            return;
        ::kill(pid_t(process.processId()), SIGTERM);
        if (!process.waitForFinished(5000)) {
            process.kill();
            process.waitForFinished(5000);
        }
    }

    QString address() const
    {
        return QStringLiteral("%1://127.0.0.1:%2").arg(mode == Mode::Rfc2217 ? "rfc2217" : "tcp").arg(port);
    }

    // A port on 127.0.0.1 that nobody listens on just now.
    static quint16 freePort()
    {
        QTcpServer server;
        server.listen(QHostAddress::LocalHost, 0);
        return server.serverPort();
    }

    // Points com<n> in the folder at `target` (a device or an address), as a person would by hand.
    static bool link(const QString &folder, int n, const QString &target)
    {
        const QString name = QDir(folder).filePath(QStringLiteral("com%1").arg(n));
        QFile::remove(name);
        // Written as it is: QFile::link would take an address for a path and spoil it.
        std::error_code error;
        QDir().mkpath(folder);
        std::filesystem::create_symlink(target.toStdString(), name.toStdString(), error);
        return !error;
    }

    Mode mode;
    QTemporaryDir dir;
    QProcess process;
    quint16 port = 0;
    bool started = false;
};
