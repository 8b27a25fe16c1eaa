#include "TestMain.h"

#include "link/LineSettings.h"
#include "link/MSComm.h"
#include "link/PortName.h"
#include "link/PortTarget.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

class tst_PortSetup : public QObject
{
    Q_OBJECT

private slots:
    void settingsText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("baud");
        QTest::addColumn<int>("parity");
        QTest::addColumn<int>("dataBits");
        QTest::addColumn<int>("stopBits");

        QTest::newRow("the program's own")
            << "2400,n,8,1" << true << 2400 << int(QSerialPort::NoParity) << 8 << int(QSerialPort::OneStop);
        QTest::newRow("even, 7, 2") << "9600,e,7,2" << true << 9600 << int(QSerialPort::EvenParity) << 7
                                    << int(QSerialPort::TwoStop);
        QTest::newRow("odd, upper case") << "1200,O,8,1" << true << 1200 << int(QSerialPort::OddParity) << 8
                                         << int(QSerialPort::OneStop);
        QTest::newRow("mark, 1.5 stop") << "300,m,5,1.5" << true << 300 << int(QSerialPort::MarkParity) << 5
                                        << int(QSerialPort::OneAndHalfStop);
        QTest::newRow("space, blanks") << " 19200 , s , 6 , 1 " << true << 19200 << int(QSerialPort::SpaceParity) << 6
                                       << int(QSerialPort::OneStop);
        QTest::newRow("empty") << "" << false << 0 << 0 << 0 << 0;
        QTest::newRow("three fields") << "2400,n,8" << false << 0 << 0 << 0 << 0;
        QTest::newRow("five fields") << "2400,n,8,1,1" << false << 0 << 0 << 0 << 0;
        QTest::newRow("baud not a number") << "fast,n,8,1" << false << 0 << 0 << 0 << 0;
        QTest::newRow("baud zero") << "0,n,8,1" << false << 0 << 0 << 0 << 0;
        QTest::newRow("unknown parity") << "2400,x,8,1" << false << 0 << 0 << 0 << 0;
        QTest::newRow("parity word") << "2400,none,8,1" << false << 0 << 0 << 0 << 0;
        QTest::newRow("9 data bits") << "2400,n,9,1" << false << 0 << 0 << 0 << 0;
        QTest::newRow("3 stop bits") << "2400,n,8,3" << false << 0 << 0 << 0 << 0;
    }

    void settingsText()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        const std::optional<LineSettings> s = LineSettings::parse(text);
        QCOMPARE(s.has_value(), valid);
        if (!valid)
            return;
        QTEST(int(s->baudRate), "baud");
        QTEST(int(s->parity), "parity");
        QTEST(int(s->dataBits), "dataBits");
        QTEST(int(s->stopBits), "stopBits");
    }

    void refusedSettingsKeepThePrevious()
    {
        MSComm port;
        QVERIFY(port.Settings(QStringLiteral("2400,n,8,1")));
        QVERIFY(!port.Settings(QStringLiteral("2400;n;8;1")));
        QCOMPARE(port.Settings(), QStringLiteral("2400,n,8,1"));
    }

    void portNames()
    {
        QTemporaryDir folder;
        QVERIFY(QFile::link(QStringLiteral("/dev/ttyUSB0"), folder.filePath(QStringLiteral("com1"))));
        QCOMPARE(PortName::device(1, folder.path()), QStringLiteral("/dev/ttyUSB0"));
        // A link that leads nowhere is still where the operator pointed the port; opening it says so.
        QVERIFY(QFile::link(QStringLiteral("/dev/nothing-here"), folder.filePath(QStringLiteral("com3"))));
        QCOMPARE(PortName::device(3, folder.path()), QStringLiteral("/dev/nothing-here"));
        QCOMPARE(PortName::device(2, folder.path()), QStringLiteral("/dev/ttyS1"));
        QCOMPARE(PortName::device(4, folder.path()), QStringLiteral("/dev/ttyS3"));
        QCOMPARE(PortName::label(3), QStringLiteral("COM 3"));
        // The program's own folder, as MSComm reads it.
        QCOMPARE(MSComm::deviceName(1), QStringLiteral("/dev/ttyS0"));
    }

    void linkTargetsAsWritten()
    {
        QTemporaryDir folder;
        const auto link = [&](const QString &target, int n) {
            return QFile::link(target, folder.filePath(QStringLiteral("com%1").arg(n)));
        };
        QVERIFY(link(QStringLiteral("rfc2217://serial-server.local:4001"), 1));
        QVERIFY(link(QStringLiteral("tcp://[::1]:2000"), 2));
        QVERIFY(link(QStringLiteral("../dev/ttyUSB1"), 3));
        QCOMPARE(PortName::link(1, folder.path()), QStringLiteral("rfc2217://serial-server.local:4001"));
        QCOMPARE(PortName::device(1, folder.path()), QStringLiteral("rfc2217://serial-server.local:4001"));
        QCOMPARE(PortName::device(2, folder.path()), QStringLiteral("tcp://[::1]:2000"));
        // A relative device link is read as written, and opened from the folder it lives in.
        QCOMPARE(PortName::link(3, folder.path()), QStringLiteral("../dev/ttyUSB1"));
        QCOMPARE(PortName::device(3, folder.path()),
                 QDir::cleanPath(folder.path() + QStringLiteral("/../dev/ttyUSB1")));
        QCOMPARE(PortName::link(4, folder.path()), std::nullopt);
    }

    void targets_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("deviceOrHost");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("written");

        const int device = int(PortTarget::Kind::Device), rfc = int(PortTarget::Kind::Rfc2217),
                  tcp = int(PortTarget::Kind::Tcp);
        QTest::newRow("device") << "/dev/ttyUSB0" << true << device << "/dev/ttyUSB0" << 0 << "/dev/ttyUSB0";
        QTest::newRow("by-id device") << "/dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0" << true << device
                                      << "/dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0" << 0
                                      << "/dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0";
        QTest::newRow("rfc2217 by name") << "rfc2217://ts-3.studio:4001" << true << rfc << "ts-3.studio" << 4001
                                         << "rfc2217://ts-3.studio:4001";
        QTest::newRow("tcp by address") << "tcp://127.0.0.1:2000" << true << tcp << "127.0.0.1" << 2000
                                        << "tcp://127.0.0.1:2000";
        QTest::newRow("scheme in capitals") << "TCP://host:7" << true << tcp << "host" << 7 << "tcp://host:7";
        QTest::newRow("ipv6 in brackets")
            << "rfc2217://[fe80::1]:4001" << true << rfc << "fe80::1" << 4001 << "rfc2217://[fe80::1]:4001";
        QTest::newRow("ipv6 bare") << "tcp://::1:2000" << false << 0 << "" << 0 << "";
        QTest::newRow("no port") << "tcp://host" << false << 0 << "" << 0 << "";
        QTest::newRow("empty port") << "tcp://host:" << false << 0 << "" << 0 << "";
        QTest::newRow("port 0") << "tcp://host:0" << false << 0 << "" << 0 << "";
        QTest::newRow("port too big") << "tcp://host:65536" << false << 0 << "" << 0 << "";
        QTest::newRow("port signed") << "tcp://host:+80" << false << 0 << "" << 0 << "";
        QTest::newRow("no host") << "rfc2217://:4001" << false << 0 << "" << 0 << "";
        QTest::newRow("path after") << "tcp://host:80/x" << false << 0 << "" << 0 << "";
        QTest::newRow("unknown scheme") << "telnet://host:23" << false << 0 << "" << 0 << "";
        QTest::newRow("empty") << "" << false << 0 << "" << 0 << "";
    }

    void targets()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        const std::optional<PortTarget> t = PortTarget::parse(text);
        QCOMPARE(t.has_value(), valid);
        if (!valid)
            return;
        QTEST(int(t->kind), "kind");
        QTEST(t->isNetwork() ? t->host : t->device, "deviceOrHost");
        QTEST(int(t->port), "port");
        QTEST(t->text(), "written");
        QCOMPARE(PortTarget::parse(t->text()), t);
    }
};

SONARELLE_TEST_MAIN(tst_PortSetup)
#include "tst_PortSetup.moc"
