// The network link: the processor and the modem reached through Debian's ser2net, in RFC 2217 and in raw mode, in
// front of the emulator's pseudo-terminal; and peers that refuse, never answer, refuse the COM port option or
// vanish. All traffic stays on 127.0.0.1, and every wait is bounded.
#include "ModemWindowFixture.h"
#include "Ser2NetFixture.h"
#include "TcpListener.h"
#include "When.h"
#include "WindowFixture.h"
#include "WindowLook.h"

#include "link/LinkTexts.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>

#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

using namespace WindowLook;
using Mode = Ser2NetFixture::Mode;

namespace {

constexpr int NetworkPort = 2; // COM 2 stands for the device server in these tests

FakeDesktop &desktop()
{
    return TestEnvironment::desktop();
}

// The line settings of a serial device as the system holds them: "2400 8N1, no flow control".
QString lineOf(const QString &device)
{
    const int fd = ::open(device.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return QStringLiteral("cannot open %1").arg(device);
    termios t{};
    ::tcgetattr(fd, &t);
    ::close(fd);
    const speed_t speed = ::cfgetospeed(&t);
    const int bits = (t.c_cflag & CSIZE) == CS8 ? 8 : (t.c_cflag & CSIZE) == CS7 ? 7 : 0;
    const char parity = !(t.c_cflag & PARENB) ? 'N' : (t.c_cflag & PARODD) ? 'O' : 'E';
    return QStringLiteral("%1 %2%3%4, %5")
        .arg(speed == B2400   ? "2400"
             : speed == B9600 ? "9600"
                              : "other")
        .arg(bits)
        .arg(QChar::fromLatin1(parity))
        .arg((t.c_cflag & CSTOPB) ? 2 : 1)
        .arg((t.c_cflag & CRTSCTS) ? "hardware flow control" : "no flow control");
}

bool linkTo(const QString &address)
{
    return Ser2NetFixture::link(TestEnvironment::dataFolder(), NetworkPort, address);
}

QString networkAddress(const char *scheme, quint16 port)
{
    return QStringLiteral("%1://127.0.0.1:%2").arg(scheme).arg(port);
}

// A peer on 127.0.0.1 that takes connections and whose behaviour the test sets: it records what it receives,
// and `answer` may reply to it.
struct Peer
{
    Peer()
    {
        server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket *s = server.nextPendingConnection()) {
                socket = s;
                QObject::connect(s, &QTcpSocket::readyRead, [this, s] {
                    received += s->readAll();
                    if (answer)
                        answer(*s);
                });
            }
        });
    }

    // Drops the connection at once: with `reset` as a crash does (RST), else as a closing peer does (FIN).
    void vanish(bool reset)
    {
        if (reset) {
            const linger hard{1, 0};
            ::setsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
        }
        socket->abort();
    }

    QTcpServer server;
    QTcpSocket *socket = nullptr;
    QByteArray received;
    std::function<void(QTcpSocket &)> answer;
};

const QByteArray Iac = QByteArrayLiteral("\xff");
const QByteArray WillComPort = QByteArrayLiteral("\xff\xfb\x2c");
const QByteArray DontComPort = QByteArrayLiteral("\xff\xfe\x2c");

} // namespace

class tst_NetworkLink : public QObject
{
    Q_OBJECT

private slots:
    void init() { desktop().reset(); }

    void modes_data()
    {
        QTest::addColumn<Mode>("mode");
        QTest::newRow("RFC 2217") << Mode::Rfc2217;
        QTest::newRow("raw TCP") << Mode::Raw;
    }

    // Connect, status read, settings write and proof switch, through ser2net. In RFC 2217 mode ser2net starts the
    // line at 9600 7E1, and the program's settings must be what reaches the pseudo-terminal.
    void processorThroughSer2net_data() { modes_data(); }
    void processorThroughSer2net()
    {
        QFETCH(Mode, mode);
        WindowFixture f;
        QVERIFY(f.line.started);
        Ser2NetFixture server(f.line.emulator.device(), mode,
                              mode == Mode::Rfc2217 ? QStringLiteral("9600e71") : QStringLiteral("2400n81"));
        QVERIFY2(server.started, server.process.readAll().constData());
        QVERIFY(linkTo(server.address()));
        f.window.Modem().cmbPort->setCurrentText(QStringLiteral("COM %1").arg(NetworkPort));

        f.window.cmdConnect->click();
        QVERIFY(desktop().warnings.isEmpty());
        QCOMPARE(lamps(f.window), QStringLiteral("PP 3, PD 5, HQ 2, LQ 2"));
        QCOMPARE(buttonsEnabled(f.window), 6);
        QCOMPARE(lineOf(f.line.emulator.device()), QStringLiteral("2400 8N1, no flow control"));
        QCOMPARE(f.line.received, QByteArrayLiteral("90x"));

        f.window.cmdPP_Up->click();
        QCOMPARE(f.line.processor.pp, 4);
        QCOMPARE(lamps(f.window), QStringLiteral("PP 4, PD 5, HQ 2, LQ 2"));

        f.window.mnuProof->trigger();
        QCOMPARE(f.line.processor.proof, 1);
        QVERIFY(!f.window.lblProof->isHidden());
        QCOMPARE(desktop().beeps.size(), 2);

        f.window.cmdConnect->click();
        QVERIFY(!f.window.MSComm1.PortOpen());
        QVERIFY(desktop().warnings.isEmpty());
    }

    // The modem in front of the processor, behind the device server: set-up, dial, status read, hang-up.
    void modemThroughSer2net_data() { modes_data(); }
    void modemThroughSer2net()
    {
        QFETCH(Mode, mode);
        ModemWindowFixture f;
        QVERIFY(f.started);
        Ser2NetFixture server(f.emulator.device(), mode);
        QVERIFY2(server.started, server.process.readAll().constData());
        QVERIFY(linkTo(server.address()));
        f.window.Modem().cmbModem->setCurrentText(QStringLiteral("COM %1").arg(NetworkPort));
        f.processor.setStatus("6x1x4x0x0x");

        f.window.cmdConnect_Click();
        QVERIFY(desktop().warnings.isEmpty());
        QVERIFY(!f.window.lblConnected->isHidden());
        QVERIFY(f.modem.callUp());
        QCOMPARE(lamps(f.window), QStringLiteral("PP 6, PD 1, HQ 4, LQ 0"));
        QVERIFY(f.received.endsWith("90x"));

        f.clearLine();
        f.window.cmdConnect_Click();
        QCOMPARE(f.received, QByteArrayLiteral("+++ATH\rATZ\r"));
        QVERIFY(!f.modem.callUp());
        QVERIFY(!f.window.MSComm1.PortOpen());
        QVERIFY(desktop().warnings.isEmpty());
    }

    // Stopping the device server is a lost line, told once.
    void ser2netStoppedIsALostLine_data() { modes_data(); }
    void ser2netStoppedIsALostLine()
    {
        QFETCH(Mode, mode);
        EmulatorFixture line;
        QVERIFY(line.started);
        Ser2NetFixture server(line.emulator.device(), mode);
        QVERIFY(server.started);
        QVERIFY(linkTo(server.address()));
        MSComm port;
        port.CommPort(NetworkPort);
        port.Settings(QStringLiteral("2400,n,8,1"));
        port.PortOpen(true);
        QVERIFY2(port.PortOpen(), qPrintable(port.openFailure()));
        QSignalSpy lost(&port, &MSComm::lineLost);
        QVERIFY(lost.isValid());
        const quint32 generation = port.lineGeneration();

        server.stop();
        QTRY_COMPARE_WITH_TIMEOUT(lost.size(), 1, 5000);
        QVERIFY(!port.PortOpen());
        QCOMPARE(port.lineGeneration(), generation + 1);
        QCOMPARE(lost.at(0).at(0).toString(),
                 QStringLiteral("The line on COM 2 (%1) was lost: the device server closed the connection or stopped "
                                "answering.")
                     .arg(server.address()));
        QTest::qWait(200);
        QCOMPARE(lost.size(), 1);
    }

    // Nobody listens: the same PORT ERROR as a device that will not open, and the window stays off line.
    void refusedConnection_data()
    {
        QTest::addColumn<QString>("scheme");
        QTest::newRow("rfc2217") << "rfc2217";
        QTest::newRow("tcp") << "tcp";
    }
    void refusedConnection()
    {
        QFETCH(QString, scheme);
        WindowFixture f;
        const QString address = networkAddress(qPrintable(scheme), Ser2NetFixture::freePort());
        QVERIFY(linkTo(address));
        f.window.Modem().cmbPort->setCurrentText(QStringLiteral("COM %1").arg(NetworkPort));
        f.window.cmdConnect->click();

        QCOMPARE(desktop().warnings.size(), 1);
        QCOMPARE(desktop().warnings[0].title, LinkTexts::PortErrorTitle);
        QCOMPARE(desktop().warnings[0].text,
                 QStringLiteral("COM 2 (%1) could not be opened: the connection was refused (is the device server "
                                "running, and is this its port?).")
                     .arg(address));
        QCOMPARE(f.window.cmdConnect->text(), QStringLiteral("&Connect"));
        QVERIFY(!f.window.lblOffLine->isHidden());
        QVERIFY(!f.window.MSComm1.PortOpen());
    }

    // A link whose target looks like an address but is not one that can be reached is not taken for a device.
    void unusableAddress_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("no port") << "tcp://127.0.0.1";
        QTest::newRow("port 0") << "rfc2217://127.0.0.1:0";
        QTest::newRow("unknown scheme") << "telnet://127.0.0.1:23";
    }
    void unusableAddress()
    {
        QFETCH(QString, target);
        QVERIFY(linkTo(target));
        MSComm port;
        port.CommPort(NetworkPort);
        port.PortOpen(true);
        QVERIFY(!port.PortOpen());
        QCOMPARE(port.openFailure(), QStringLiteral("COM 2 (%1) could not be opened: an address must read "
                                                    "rfc2217://host:port or tcp://host:port.")
                                         .arg(target));
    }

    // A peer that takes the connection and never says a word: connected, but with the look of a processor that
    // does not answer. An RFC 2217 port gives up waiting for the option after a bounded time and carries on as a
    // plain Telnet link, its commands still on the wire.
    void peerThatNeverAnswers_data()
    {
        QTest::addColumn<QString>("scheme");
        QTest::addColumn<QByteArray>("first");
        QTest::newRow("rfc2217") << "rfc2217" << WillComPort;
        QTest::newRow("tcp") << "tcp" << QByteArrayLiteral("90x");
    }
    void peerThatNeverAnswers()
    {
        QFETCH(QString, scheme);
        QFETCH(QByteArray, first);
        WindowFixture f;
        Peer peer;
        QVERIFY(linkTo(networkAddress(qPrintable(scheme), peer.server.serverPort())));
        f.window.Modem().cmbPort->setCurrentText(QStringLiteral("COM %1").arg(NetworkPort));
        QElapsedTimer clock;
        clock.start();
        f.window.cmdConnect->click();

        QVERIFY(desktop().warnings.isEmpty());
        QCOMPARE(f.window.cmdConnect->text(), QStringLiteral("&Disconnect"));
        QCOMPARE(banners(f.window), (QStringList{QStringLiteral("Off Line"), QStringLiteral("Connected")}));
        QVERIFY(allLampsLit(f.window));
        QCOMPARE(buttonsEnabled(f.window), 0);
        QVERIFY(peer.received.contains(first));
        QCOMPARE(peer.received.count("90x"), Pacing::StatusAttempts);
        QVERIFY(clock.elapsed() < 2 * Pacing::NetworkConnectLimit.count());
    }

    // A disconnect pressed, or the program ended, while the port waits for its device server ends the wait: no
    // port, no message.
    void endedDuringTheConnectWait_data()
    {
        QTest::addColumn<bool>("exit");
        QTest::newRow("Disconnect") << false;
        QTest::newRow("Exit") << true;
    }
    void endedDuringTheConnectWait()
    {
        QFETCH(bool, exit);
        WindowFixture f;
        Peer peer;
        QVERIFY(linkTo(networkAddress("rfc2217", peer.server.serverPort())));
        f.window.Modem().cmbPort->setCurrentText(QStringLiteral("COM %1").arg(NetworkPort));
        desktop().answers = {true};
        when([&] { return peer.received.contains(WillComPort); },
             [&] { exit ? f.window.Exit_Program() : f.window.cmdConnect->click(); });
        QElapsedTimer clock;
        clock.start();
        f.window.cmdConnect->click();

        QVERIFY(clock.elapsed() < Pacing::NetworkNegotiationLimit.count());
        QVERIFY(desktop().warnings.isEmpty());
        QCOMPARE(desktop().ends, exit ? 1 : 0);
        QVERIFY(!f.window.MSComm1.PortOpen());
        QTRY_COMPARE(peer.socket->state(), QAbstractSocket::UnconnectedState);
        if (exit)
            return; // the program ends here; the window is of no more interest
        QCOMPARE(f.window.cmdConnect->text(), QStringLiteral("&Connect"));
        QVERIFY(!f.window.lblOffLine->isHidden());
        QVERIFY(f.window.lblConnected->isHidden());
    }

    // A server that refuses COM port control is used as a plain Telnet link, at once: the payload still goes
    // through the Telnet layer both ways, an IAC doubled on the wire and single in the payload.
    void serverRefusingComPortControlIsPlainTelnet()
    {
        Peer peer;
        peer.answer = [&](QTcpSocket &s) {
            if (peer.received.contains(WillComPort) && !peer.received.contains("done"))
                s.write(DontComPort), peer.received += "done";
            if (peer.received.endsWith("90x"))
                s.write(QByteArrayLiteral("3x5x\xff\xff"
                                          "2x2x0x\r\n"));
        };
        QVERIFY(linkTo(networkAddress("rfc2217", peer.server.serverPort())));
        MSComm port;
        port.CommPort(NetworkPort);
        QElapsedTimer clock;
        clock.start();
        port.PortOpen(true);
        QVERIFY2(port.PortOpen(), qPrintable(port.openFailure()));
        QVERIFY(clock.elapsed() < Pacing::NetworkNegotiationLimit.count() / 2);
        QVERIFY(!peer.received.contains("\xff\xfa")); // no COM port control was sent

        port.Output(QByteArrayLiteral("\xff"));
        QTRY_VERIFY(peer.received.endsWith("\xff\xff"));
        port.Output("90x");
        Received got{port, {}};
        QTRY_COMPARE(got(), QByteArrayLiteral("3x5x\xff"
                                              "2x2x0x\r\n"));
    }

    // The device server goes away without its connection being closed in order, or closes it.
    void peerThatVanishes_data()
    {
        QTest::addColumn<bool>("reset");
        QTest::newRow("closes") << false;
        QTest::newRow("resets") << true;
    }
    void peerThatVanishes()
    {
        QFETCH(bool, reset);
        Peer peer;
        QVERIFY(linkTo(networkAddress("tcp", peer.server.serverPort())));
        MSComm port;
        port.CommPort(NetworkPort);
        port.PortOpen(true);
        QVERIFY2(port.PortOpen(), qPrintable(port.openFailure()));
        QSignalSpy lost(&port, &MSComm::lineLost);
        QTRY_VERIFY(peer.socket);
        peer.vanish(reset);
        QTRY_COMPARE(lost.size(), 1);
        QVERIFY(!port.PortOpen());
        port.Output("90x"); // nothing happens on a closed port
        QCOMPARE(port.Input(), QByteArray());
        QTest::qWait(100);
        QCOMPARE(lost.size(), 1);
    }

    // The emulator's own listener stands in for a device server in raw mode: one client at a time, and a hang-up
    // of its line ends the connection, which the program takes for a lost line.
    void emulatorListener()
    {
        EmulatorFixture line(true, 5);
        QVERIFY(line.started);
        TcpListener listener(&line.emulator);
        QString error;
        QVERIFY2(listener.listen(QHostAddress::LocalHost, 0, &error), qPrintable(error));
        QVERIFY(linkTo(networkAddress("tcp", listener.port())));
        MSComm port;
        port.CommPort(NetworkPort);
        port.PortOpen(true);
        QVERIFY2(port.PortOpen(), qPrintable(port.openFailure()));
        QSignalSpy lost(&port, &MSComm::lineLost);

        QTcpSocket second;
        second.connectToHost(QHostAddress::LocalHost, listener.port());
        QTRY_COMPARE(second.state(), QAbstractSocket::UnconnectedState);

        port.Output("90x");
        {
            Received got{port, {}};
            QTRY_COMPARE(got(), QByteArrayLiteral("3x5x2x2x0x\r\n"));
        }
        line.emulator.hangUp();
        QTRY_COMPARE(lost.size(), 1);
        // the next client gets the new line
        port.PortOpen(true);
        QVERIFY2(port.PortOpen(), qPrintable(port.openFailure()));
        port.Output("90x");
        Received got{port, {}};
        QTRY_COMPARE(got(), QByteArrayLiteral("3x5x2x2x0x\r\n"));
    }

    // A device server that never completes the connection: the opening gives up after its limit, with the window
    // live meanwhile. The listening queue of the peer is full, so the system drops our connection request.
    void connectionThatNeverCompletes()
    {
        const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        QVERIFY(::bind(listener, reinterpret_cast<sockaddr *>(&address), size) == 0);
        QVERIFY(::listen(listener, 0) == 0);
        QVERIFY(::getsockname(listener, reinterpret_cast<sockaddr *>(&address), &size) == 0);
        const quint16 port = ntohs(address.sin_port);
        QList<QTcpSocket *> fillers;
        for (int i = 0; i < 3; ++i) {
            fillers.append(new QTcpSocket(this));
            fillers.last()->connectToHost(QHostAddress::LocalHost, port);
        }
        QTest::qWait(200);

        QVERIFY(linkTo(networkAddress("tcp", port)));
        MSComm comm;
        comm.CommPort(NetworkPort);
        int ticks = 0;
        QTimer tick;
        connect(&tick, &QTimer::timeout, [&] { ++ticks; });
        tick.start(100);
        QElapsedTimer clock;
        clock.start();
        comm.PortOpen(true);
        const qint64 took = clock.elapsed();
        ::close(listener);
        qDeleteAll(fillers);

        QVERIFY(!comm.PortOpen());
        QCOMPARE(
            comm.openFailure(),
            QStringLiteral("COM 2 (tcp://127.0.0.1:%1) could not be opened: no answer within 5 seconds.").arg(port));
        QVERIFY2(took >= Pacing::NetworkConnectLimit.count() - 50 && took < Pacing::NetworkConnectLimit.count() + 2000,
                 qPrintable(QString::number(took)));
        QVERIFY(ticks >= 20);
    }
};

SONARELLE_TEST_MAIN(tst_NetworkLink)
#include "tst_NetworkLink.moc"
