#include "TestMain.h"

#include "EmulatorFixture.h"
#include "link/MSComm.h"
#include "link/Pacing.h"
#include "panel/frmMain.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>

#include <ctime>

namespace {

// Waits without running the event loop: only what the port itself does can make `done` true.
template <typename F>
bool withoutEventLoop(F done, int ms = 2000)
{
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired())
        if (done())
            return true;
    return done();
}

double cpuSeconds()
{
    return double(std::clock()) / CLOCKS_PER_SEC;
}

} // namespace

class tst_MSComm : public QObject
{
    Q_OBJECT

    void open(MSComm &port)
    {
        port.CommPort(1);
        QVERIFY(port.Settings(QStringLiteral("2400,n,8,1")));
        port.PortOpen(true);
        QVERIFY2(port.PortOpen(), qPrintable(port.openFailure()));
    }

private slots:
    void outputPutsExactlyTheBytesOnTheLine()
    {
        EmulatorFixture line;
        QVERIFY(line.started);
        MSComm port;
        open(port);
        port.Output(QByteArrayLiteral("ATM0\r"));
        QTRY_COMPARE(line.received, QByteArrayLiteral("ATM0\r"));
        port.Output("90");
        port.Output("x");
        QTRY_COMPARE(line.received, QByteArrayLiteral("ATM0\r90x"));
    }

    void inputIsEmptyWhenNothingWaits()
    {
        EmulatorFixture line;
        MSComm port;
        open(port);
        QCOMPARE(port.InBufferCount(), 0);
        QCOMPARE(port.Input(), QByteArray());
    }

    // Qt reads only when the event loop runs; the count must include what the system already holds.
    void countIncludesWhatThePeerJustWrote()
    {
        EmulatorFixture line;
        MSComm port;
        open(port);
        line.processor.receive("90x");
        QVERIFY(withoutEventLoop([&] { return port.InBufferCount() == 12; }));
        QCOMPARE(port.Input(), QByteArrayLiteral("3x5x2x2x0x\r\n"));
        QCOMPARE(port.InBufferCount(), 0);
        QCOMPARE(port.Input(), QByteArray());
    }

    void writingZeroDiscardsWhatWaits()
    {
        EmulatorFixture line;
        MSComm port;
        open(port);
        port.Output("90x");
        QTRY_COMPARE(port.InBufferCount(), 12);
        port.InBufferCount(0);
        QCOMPARE(port.InBufferCount(), 0);
        QCOMPARE(port.Input(), QByteArray());
        // and the port goes on working
        port.Output("90x");
        {
            Received got{port, {}};
            QTRY_COMPARE(got(), QByteArrayLiteral("3x5x2x2x0x\r\n"));
        }
    }

    void bytesSentBeforeTheOpeningAreDropped()
    {
        EmulatorFixture line;
        line.processor.receive("90x"); // answered while nobody listens
        QTRY_COMPARE(line.sent.size(), 12);
        MSComm port;
        open(port);
        QTest::qWait(20);
        QCOMPARE(port.InBufferCount(), 0);
    }

    void closingDrainsAndOpensAgain()
    {
        EmulatorFixture line;
        MSComm port;
        open(port);
        const quint32 generation = port.lineGeneration();
        port.Output(QByteArray(199, 'a') + 'x');
        port.PortOpen(false);
        QVERIFY(!port.PortOpen());
        QVERIFY(port.lineGeneration() != generation);
        QTRY_COMPARE(line.received.size(), 200);
        // closed: nothing is sent, nothing is read
        port.Output("90x");
        QCOMPARE(port.InBufferCount(), 0);
        QCOMPARE(port.Input(), QByteArray());
        open(port);
        port.Output("90x");
        {
            Received got{port, {}};
            QTRY_COMPARE(got(), QByteArrayLiteral("3x5x2x2x0x\r\n"));
        }
    }

    // The far end hangs up while the event loop runs: one close, one report, and the process stays idle
    // (Qt alone would flood its error signal and keep a core busy).
    void hangUpIsReportedOnceWithoutBurningCpu()
    {
        EmulatorFixture line;
        MSComm port;
        open(port);
        QSignalSpy lost(&port, &MSComm::lineLost);
        QVERIFY(lost.isValid());
        const quint32 generation = port.lineGeneration();
        line.emulator.hangUp();
        QTRY_COMPARE(lost.size(), 1);
        QVERIFY(!port.PortOpen());
        QCOMPARE(port.lineGeneration(), generation + 1);
        QVERIFY(lost.at(0).at(0).toString().contains(QStringLiteral("COM 1")));

        const double cpuBefore = cpuSeconds();
        QTest::qWait(500);
        const double cpu = cpuSeconds() - cpuBefore;
        QVERIFY2(cpu < 0.1, qPrintable(QStringLiteral("%1 s of CPU in 0.5 s").arg(cpu)));
        QCOMPARE(lost.size(), 1);
        QCOMPARE(port.lineGeneration(), generation + 1);
    }

    // The far end hangs up while a wait polls the port without letting Qt read: the poll itself notices.
    void hangUpSeenByAPoll()
    {
        EmulatorFixture line;
        MSComm port;
        open(port);
        QSignalSpy lost(&port, &MSComm::lineLost);
        line.emulator.hangUp();
        QVERIFY(withoutEventLoop([&] { return !port.PortOpen() || port.InBufferCount() != 0; }));
        QVERIFY(!port.PortOpen());
        port.Output("90x"); // nothing happens on a closed port
        QTRY_COMPARE(lost.size(), 1);
        QTest::qWait(50);
        QCOMPARE(lost.size(), 1);
        // the emulator's new line behind com1 opens as usual
        open(port);
        port.Output("90x");
        {
            Received got{port, {}};
            QTRY_COMPARE(got(), QByteArrayLiteral("3x5x2x2x0x\r\n"));
        }
    }

    // The far end stops taking what is written (here it cannot: it runs on this thread, which Output holds):
    // Output gives up within its bound, and the line counts as lost, once.
    void stalledOutputLosesTheLineWithinItsBound()
    {
        EmulatorFixture line;
        MSComm port;
        open(port);
        QSignalSpy lost(&port, &MSComm::lineLost);
        QElapsedTimer clock;
        clock.start();
        port.Output(QByteArray(4 << 20, 'a'));
        const qint64 ms = clock.elapsed();
        QVERIFY2(ms >= Pacing::PortLimit.count() && ms < Pacing::PortLimit.count() + 1000,
                 qPrintable(QString::number(ms)));
        QVERIFY(!port.PortOpen());
        QVERIFY(!port.drain());
        QTRY_COMPARE(lost.size(), 1);
        QVERIFY(lost.at(0).at(0).toString().contains(QStringLiteral("stopped sending")));
        QTest::qWait(50);
        QCOMPARE(lost.size(), 1);
    }

    // While a modem call is watched, the modem's "NO CARRIER" loses the line, and no reader ever gets its words,
    // even when they arrive in pieces; what came before them is read as usual.
    void noCarrierLosesAWatchedCall()
    {
        EmulatorFixture line;
        MSComm port;
        open(port);
        QSignalSpy lost(&port, &MSComm::lineLost);
        port.watchCall(true);
        emit line.processor.send("12x\r\nNO CAR");
        QVERIFY(withoutEventLoop([&] { return port.InBufferCount() == 5; }));
        QCOMPARE(port.Input(), QByteArrayLiteral("12x\r\n"));
        port.InBufferCount(0); // the held-back start of the words is not discarded either
        emit line.processor.send("RIER\r\n");
        QVERIFY(withoutEventLoop([&] { return port.InBufferCount() != 0 || !port.PortOpen(); }));
        QVERIFY(!port.PortOpen());
        QCOMPARE(port.Input(), QByteArray());
        QTRY_COMPARE(lost.size(), 1);
        QVERIFY(lost.at(0).at(0).toString().contains(QStringLiteral("NO CARRIER")));
    }

    // Without the watch (a direct cable, the modem's own dialogue) the words are text like any other.
    void noCarrierIsTextWithoutTheWatch()
    {
        EmulatorFixture line;
        MSComm port;
        open(port);
        QSignalSpy lost(&port, &MSComm::lineLost);
        emit line.processor.send("\r\nNO CARRIER\r\n");
        Received got{port, {}};
        QTRY_COMPARE(got(), QByteArrayLiteral("\r\nNO CARRIER\r\n"));
        QVERIFY(port.PortOpen());
        QCOMPARE(lost.size(), 0);
    }

    void openingFailuresAreNamed_data()
    {
        QTest::addColumn<int>("commPort");
        QTest::addColumn<QString>("failure");
        QTest::newRow("no such device") << 7
                                        << QStringLiteral(
                                               "COM 7 (/dev/ttyS6) could not be opened: No such file or directory.");
        QTest::newRow("a digit with no port")
            << 0 << QStringLiteral("COM 0 (/dev/ttyS-1) could not be opened: No such file or directory.");
    }

    void openingFailuresAreNamed()
    {
        QFETCH(int, commPort);
        MSComm port;
        const quint32 generation = port.lineGeneration();
        port.CommPort(commPort);
        port.PortOpen(true);
        QVERIFY(!port.PortOpen());
        QTEST(port.openFailure(), "failure");
        QCOMPARE(port.lineGeneration(), generation);
    }

    void portHeldByAnotherProgram()
    {
        EmulatorFixture line;
        QProcess holder;
        holder.start(QStringLiteral(PORT_HOLDER), {line.emulator.device()});
        QVERIFY(holder.waitForReadyRead(5000));
        QCOMPARE(holder.readLine().trimmed(), QByteArray("open"));

        MSComm port;
        port.CommPort(1);
        port.PortOpen(true);
        QVERIFY(!port.PortOpen());
        QCOMPARE(port.openFailure(), QStringLiteral("COM 1 (%1) could not be opened: it is in use by another program.")
                                         .arg(line.emulator.device()));
        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished(5000));
        open(port);
    }

    void exitClosesTheOpenPortAndSendsNothing()
    {
        EmulatorFixture line;
        FakeDesktop &desktop = TestEnvironment::desktop();
        desktop.reset();
        desktop.answers = {true};
        frmMain w;
        open(w.MSComm1);
        w.Exit_Program();
        QCOMPARE(desktop.ends, 1);
        QVERIFY(!w.MSComm1.PortOpen());
        QTest::qWait(50);
        QCOMPARE(line.received, QByteArray());
    }
};

SONARELLE_TEST_MAIN(tst_MSComm)
#include "tst_MSComm.moc"
