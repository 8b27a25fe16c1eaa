#include "TestMain.h"

#include "EmulatorFixture.h"
#include "Transcript.h"
#include "link/MSComm.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>

namespace {
QString link(int n)
{
    return DataFolder::path() + QStringLiteral("/com%1").arg(n);
}
} // namespace

// The emulated processor, heard through the program's own port.
class tst_Emulator : public QObject
{
    Q_OBJECT

    MSComm port;

    void open()
    {
        port.CommPort(1);
        port.PortOpen(true);
        QVERIFY2(port.PortOpen(), qPrintable(port.openFailure()));
    }

private slots:
    void cleanup() { port.PortOpen(false); }

    void exchanges_data()
    {
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("status") << QByteArrayLiteral("90x") << QByteArrayLiteral("3x5x2x2x0x\r\n");
        QTest::newRow("write echoes the new status")
            << QByteArrayLiteral("91x8x7x0x4x1x0x") << QByteArrayLiteral("7x0x4x1x0x\r\n");
        QTest::newRow("write, then status")
            << QByteArrayLiteral("91x8x7x0x4x1x0x777x90x") << QByteArrayLiteral("7x0x4x1x0x\r\n7x0x4x1x0x\r\n");
        QTest::newRow("confirmation alone: no answer") << QByteArrayLiteral("777x") << QByteArray();
        QTest::newRow("proof on") << QByteArrayLiteral("92x") << QByteArrayLiteral("3x5x2x2x1x\r\n");
        QTest::newRow("proof on, then off")
            << QByteArrayLiteral("92x93x") << QByteArrayLiteral("3x5x2x2x1x\r\n3x5x2x2x0x\r\n");
        QTest::newRow("unknown command ignored") << QByteArrayLiteral("55x90x") << QByteArrayLiteral("3x5x2x2x0x\r\n");
        QTest::newRow("broken write ignored, next command answered")
            << QByteArrayLiteral("91x8x7xZx90x") << QByteArrayLiteral("3x5x2x2x0x\r\n");
        QTest::newRow("long noise ignored") << QByteArray(100, '9') + "x90x" << QByteArrayLiteral("3x5x2x2x0x\r\n");
    }

    void exchanges()
    {
        QFETCH(QByteArray, sent);
        QFETCH(QByteArray, reply);
        EmulatorFixture line;
        open();
        port.Output(sent);
        QTRY_COMPARE(line.received, sent);
        {
            Received got{port, {}};
            QTRY_COMPARE(got(), reply);
        }
    }

    void faults_data()
    {
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<EmulatedProcessor::Faults>("faults");
        EmulatedProcessor::Faults f;
        f.silent = true;
        QTest::newRow("silent") << QByteArrayLiteral("90x92x") << QByteArray() << f;
        f = {};
        f.cutTo = 10;
        QTest::newRow("cut to 10") << QByteArrayLiteral("90x") << QByteArrayLiteral("3x5x2x2x0x") << f;
        f = {};
        f.proofStuck = true;
        QTest::newRow("proof stuck") << QByteArrayLiteral("92x") << QByteArrayLiteral("3x5x2x2x0x\r\n") << f;
        f = {};
        f.delayMs = 150;
        QTest::newRow("delayed") << QByteArrayLiteral("90x") << QByteArrayLiteral("3x5x2x2x0x\r\n") << f;
    }

    void faults()
    {
        QFETCH(QByteArray, sent);
        QFETCH(QByteArray, reply);
        QFETCH(EmulatedProcessor::Faults, faults);
        EmulatorFixture line;
        line.processor.faults = faults;
        open();
        QElapsedTimer clock;
        clock.start();
        port.Output(sent);
        QTRY_COMPARE(line.received, sent);
        if (faults.delayMs > 0) {
            QTest::qWait(faults.delayMs / 2);
            QCOMPARE(port.InBufferCount(), 0);
        }
        {
            Received got{port, {}};
            QTRY_COMPARE(got(), reply);
        }
        QVERIFY(clock.elapsed() >= faults.delayMs);
        QTest::qWait(30);
        QCOMPARE(port.Input(), QByteArray());
    }

    void noiseComesBeforeTheReply()
    {
        EmulatorFixture line;
        line.processor.faults.noise = 5;
        open();
        port.Output("90x");
        QTRY_COMPARE(port.InBufferCount(), 17);
        const QByteArray got = port.Input();
        QVERIFY(got.endsWith("3x5x2x2x0x\r\n"));
        QVERIFY(got.left(5) != got.mid(5, 5));
    }

    void hangsUpAfterNCommands()
    {
        EmulatorFixture line;
        line.processor.faults.hangUpAfter = 2;
        QSignalSpy hungUp(&line.emulator, &Emulator::hungUp);
        QSignalSpy lost(&port, &MSComm::lineLost);
        open();
        port.Output("90x");
        {
            Received got{port, {}};
            QTRY_COMPARE(got(), QByteArrayLiteral("3x5x2x2x0x\r\n"));
        }
        QCOMPARE(hungUp.size(), 0);
        port.Output("92x");
        QTRY_COMPARE(lost.size(), 1);
        QCOMPARE(hungUp.size(), 1);
        QVERIFY(!port.PortOpen());
        // a new line is up behind com1, counting afresh
        QVERIFY(QFileInfo::exists(link(1)));
        QCOMPARE(QFileInfo(link(1)).symLinkTarget(), line.emulator.device());
        open();
        port.Output("90x");
        {
            Received got{port, {}};
            QTRY_COMPARE(got(), QByteArrayLiteral("3x5x2x2x1x\r\n"));
        }
    }

    // Real pace: twelve characters at 2400 baud take 50 ms.
    void sendsAtTheLinePace()
    {
        EmulatorFixture line(false);
        open();
        QElapsedTimer clock;
        clock.start();
        port.Output("90x");
        QTRY_COMPARE(port.InBufferCount(), 12);
        QVERIFY2(clock.elapsed() >= 45, QByteArray::number(clock.elapsed()));
    }

    void linkIsItsOwnAndGoesAway()
    {
        QString device;
        {
            EmulatorFixture line;
            device = line.emulator.device();
            QCOMPARE(QFileInfo(link(1)).symLinkTarget(), device);
        }
        QVERIFY(!QFileInfo(link(1)).isSymLink());
    }

    void neverReplacesAnotherLink()
    {
        QVERIFY(QFile::link(QStringLiteral("/dev/ttyUSB0"), link(1)));
        {
            EmulatorFixture line;
            QVERIFY(!line.started);
            QVERIFY(line.emulator.error().contains(QStringLiteral("com1")));
            QCOMPARE(QFileInfo(link(1)).symLinkTarget(), QStringLiteral("/dev/ttyUSB0"));

            EmulatedProcessor processor;
            Emulator next(&processor, {1, DataFolder::path(), true, true});
            QVERIFY(next.start());
            QCOMPARE(next.port(), 2);
            QCOMPARE(QFileInfo(link(2)).symLinkTarget(), next.device());
        }
        QCOMPARE(QFileInfo(link(1)).symLinkTarget(), QStringLiteral("/dev/ttyUSB0"));
        QVERIFY(!QFileInfo(link(2)).isSymLink());
        QFile::remove(link(1));
    }

    void replacesALeftoverLink()
    {
        QVERIFY(QFile::link(QStringLiteral("/dev/pts/99999"), link(1)));
        EmulatorFixture line;
        QVERIFY(line.started);
        QCOMPARE(QFileInfo(link(1)).symLinkTarget(), line.emulator.device());
    }

    void transcriptEscapes()
    {
        QCOMPARE(Transcript::line(QTime(9, 5, 1, 7), Transcript::Direction::FromDevice, "3x\r\n\x01\xff\\"),
                 QStringLiteral("09:05:01.007 <- device  3x\\r\\n\\x01\\xff\\\\"));
        QCOMPARE(Transcript::line(QTime(9, 5, 1, 7), Transcript::Direction::ToDevice, "90x"),
                 QStringLiteral("09:05:01.007 program -> 90x"));
    }

    // The program itself: links com3, prints both directions, and removes its link on SIGTERM.
    void programRunsAndCleansUp()
    {
        QProcess emulator;
        emulator.start(QStringLiteral(EMULATOR),
                       {QStringLiteral("--port"), QStringLiteral("3"), QStringLiteral("--folder"), DataFolder::path(),
                        QStringLiteral("--status"), QStringLiteral("1x2x3x4x0x")});
        QVERIFY(emulator.waitForStarted());
        QTRY_VERIFY(QFileInfo(link(3)).isSymLink() && QFileInfo::exists(link(3)));
        port.CommPort(3);
        port.PortOpen(true);
        QVERIFY2(port.PortOpen(), qPrintable(port.openFailure()));
        port.Output("90x");
        {
            Received got{port, {}};
            QTRY_COMPARE(got(), QByteArrayLiteral("1x2x3x4x0x\r\n"));
        }
        port.PortOpen(false);
        emulator.terminate();
        QVERIFY(emulator.waitForFinished(5000));
        QCOMPARE(emulator.exitStatus(), QProcess::NormalExit);
        QCOMPARE(emulator.exitCode(), 0);
        QVERIFY(!QFileInfo(link(3)).isSymLink());
        const QByteArray out = emulator.readAllStandardOutput();
        QVERIFY2(out.contains("program -> 90x"), out.constData());
        QVERIFY2(out.contains("<- device  1x2x3x4x0x\\r\\n"), out.constData());
    }

    // The modem's switches: the result set X0 (CONNECT without the speed), the informational lines, and the
    // carrier failing after the processor's first reply.
    void modemSwitches()
    {
        QProcess emulator;
        emulator.start(QStringLiteral(EMULATOR),
                       {QStringLiteral("--port"), QStringLiteral("3"), QStringLiteral("--folder"), DataFolder::path(),
                        QStringLiteral("--quiet"), QStringLiteral("--fast"), QStringLiteral("--modem"),
                        QStringLiteral("--modem-scale"), QStringLiteral("100"), QStringLiteral("--results"),
                        QStringLiteral("0"), QStringLiteral("--info"), QStringLiteral("--drop-after"),
                        QStringLiteral("1")});
        QVERIFY(emulator.waitForStarted());
        QTRY_VERIFY(QFileInfo(link(3)).isSymLink() && QFileInfo::exists(link(3)));
        port.CommPort(3);
        port.PortOpen(true);
        QVERIFY2(port.PortOpen(), qPrintable(port.openFailure()));
        Received got{port, {}};
        port.Output("ATE0\rATDT1\r");
        QTRY_COMPARE(got(),
                     QByteArrayLiteral("ATE0\r\r\nOK\r\n\r\nCARRIER 2400\r\n\r\nPROTOCOL: NONE\r\n\r\nCONNECT\r\n"));
        got.all.clear();
        port.Output("90x");
        QTRY_COMPARE(got(), QByteArrayLiteral("3x5x2x2x0x\r\n\r\nNO CARRIER\r\n"));
        port.PortOpen(false);
        emulator.terminate();
        QVERIFY(emulator.waitForFinished(5000));
        QCOMPARE(emulator.exitCode(), 0);
    }

    void modemSwitchesRefuseBadValues_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("result set 5") << QStringList{QStringLiteral("--results"), QStringLiteral("5")};
        QTest::newRow("drop after a word") << QStringList{QStringLiteral("--drop-after"), QStringLiteral("soon")};
        QTest::newRow("drop after 0") << QStringList{QStringLiteral("--drop-after"), QStringLiteral("0ms")};
    }

    void modemSwitchesRefuseBadValues()
    {
        QFETCH(QStringList, arguments);
        QProcess emulator;
        emulator.start(QStringLiteral(EMULATOR),
                       QStringList{QStringLiteral("--folder"), DataFolder::path(), QStringLiteral("--modem")}
                           + arguments);
        QVERIFY(emulator.waitForFinished(5000));
        QCOMPARE(emulator.exitCode(), 2);
        QVERIFY(!emulator.readAllStandardError().isEmpty());
    }
};

SONARELLE_TEST_MAIN(tst_Emulator)
#include "tst_Emulator.moc"
