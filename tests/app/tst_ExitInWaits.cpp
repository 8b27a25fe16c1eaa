// Exit answered Yes inside every kind of wait ends the program at once, with exit status 0 and nothing more
// on the line. The program runs in a process of its own (exit_driver) so that it really ends; the emulator
// runs here, so that its record of the line outlives the program.
#include "EmulatedModem.h"
#include "EmulatedProcessor.h"
#include "Emulator.h"
#include "TestMain.h"
#include "app/DataFolder.h"

#include <QElapsedTimer>
#include <QProcess>

namespace {

// The emulated processor, alone on COM 1 or behind the modem on COM 3, at the driver's fast clock.
struct Line
{
    explicit Line(bool modem)
        : modemDevice(&processor, options()), emulator(modem ? static_cast<Device *>(&modemDevice) : &processor,
                                                       {modem ? 3 : 1, DataFolder::path(), false, true})
    {
        QObject::connect(&emulator, &Emulator::crossed, [this](Transcript::Direction d, const QByteArray &bytes) {
            if (d == Transcript::Direction::ToDevice)
                received += bytes;
        });
        started = emulator.start();
    }
    static EmulatedModem::Options options()
    {
        EmulatedModem::Options o;
        o.timeScale = 10;
        return o;
    }
    EmulatedProcessor processor;
    EmulatedModem modemDevice;
    Emulator emulator;
    bool started = false;
    QByteArray received;
};

} // namespace

class tst_ExitInWaits : public QObject
{
    Q_OBJECT

private slots:
    void exitInsideTheWait_data()
    {
        QTest::addColumn<QByteArray>("kind");
        QTest::addColumn<QByteArray>("silentAfter"); // the processor or modem answers nothing from this text on
        QTest::addColumn<QByteArray>("exitAfter");   // exit is asked once this text has crossed ("": at once)

        QTest::newRow("Delay: the status read's settling") << QByteArray("settle") << QByteArray() << QByteArray();
        QTest::newRow("status read: the attempts") << QByteArray("status") << QByteArray("") << QByteArray("90x90x");
        QTest::newRow("settings write") << QByteArray("write") << QByteArray("91x") << QByteArray("91x8x4x5x2x2x0x");
        QTest::newRow("proof switch") << QByteArray("proof") << QByteArray("92x") << QByteArray("92x90x");
        QTest::newRow("modem set-up") << QByteArray("setup") << QByteArray() << QByteArray("ats37=6\r");
        QTest::newRow("dial wait") << QByteArray("dial") << QByteArray("") << QByteArray("5551234\r");
        QTest::newRow("hang-up: guard time") << QByteArray("guard") << QByteArray("+++") << QByteArray("+++");
        QTest::newRow("hang-up: the OK wait") << QByteArray("hangup") << QByteArray("+++") << QByteArray("ATZ\r");
    }

    void exitInsideTheWait()
    {
        QFETCH(QByteArray, kind);
        QFETCH(QByteArray, silentAfter);
        QFETCH(QByteArray, exitAfter);
        const bool modem = kind == "setup" || kind == "dial" || kind == "guard" || kind == "hangup";
        Line line(modem);
        QVERIFY(line.started);
        // A null text never silences; an empty one silences from the start.
        bool silenced = false;
        const auto silenceIfDue = [&] {
            if (silenced || silentAfter.isNull() || !line.received.contains(silentAfter))
                return;
            silenced = true;
            line.processor.faults.silent = true;
            line.modemDevice.options.dial = EmulatedModem::Outcome::None;
            line.modemDevice.options.neverOk = true;
        };
        silenceIfDue();
        // Runs before the device hears the bytes, so a command that silences is itself not answered.
        QObject::connect(&line.emulator, &Emulator::crossed, &line.emulator, silenceIfDue);

        QProcess driver;
        driver.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QByteArray said;
        qsizetype receivedAtExit = -1;
        QElapsedTimer sinceExit;
        const auto askExit = [&] {
            receivedAtExit = line.received.size();
            sinceExit.start();
            driver.write("exit\n");
        };
        QObject::connect(&driver, &QProcess::readyReadStandardOutput, &driver, [&] {
            said += driver.readAllStandardOutput();
            if (receivedAtExit < 0 && exitAfter.isEmpty() && said.contains("go\n"))
                askExit();
        });
        QObject::connect(&line.emulator, &Emulator::crossed, &driver, [&] {
            if (receivedAtExit < 0 && !exitAfter.isEmpty() && line.received.endsWith(exitAfter))
                askExit();
        });
        driver.start(QStringLiteral(EXIT_DRIVER), {QString::fromLatin1(kind)});
        QVERIFY(driver.waitForStarted());

        QTRY_VERIFY_WITH_TIMEOUT(driver.state() == QProcess::NotRunning, 20000);
        QVERIFY2(receivedAtExit >= 0, said.constData());
        QVERIFY2(!said.contains("finished"), "the exchange ran to its end");
        QCOMPARE(driver.exitStatus(), QProcess::NormalExit);
        QCOMPARE(driver.exitCode(), 0);
        // At once: well inside what was left of the wait (the shortest is a tenth of a second here).
        QVERIFY2(sinceExit.elapsed() < 2000, QByteArray::number(sinceExit.elapsed()).constData());
        QTest::qWait(100);
        QCOMPARE(line.received.size(), receivedAtExit);
        if (!exitAfter.isEmpty())
            QVERIFY(line.received.endsWith(exitAfter));
        else
            QCOMPARE(line.received, QByteArray());
    }
};

SONARELLE_TEST_MAIN(tst_ExitInWaits)
#include "tst_ExitInWaits.moc"
