#include "TestMain.h"

#include "link/LineSettings.h"
#include "link/MSComm.h"
#include "link/PortName.h"

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

        QTest::newRow("the program's own") << "2400,n,8,1" << true << 2400 << int(QSerialPort::NoParity) << 8
                                           << int(QSerialPort::OneStop);
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
};

SONARELLE_TEST_MAIN(tst_PortSetup)
#include "tst_PortSetup.moc"
