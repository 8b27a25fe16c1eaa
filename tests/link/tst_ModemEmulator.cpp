// The emulator's modem on its own: what it answers in command state, its dial outcomes, its result sets, the
// escape back from on line counted on the wire, the carrier failing, and DTR. Its pauses run a thousand times
// faster, except where the guard time is measured.
#include "EmulatedModem.h"
#include "EmulatedProcessor.h"
#include "EmulatorFixture.h"
#include "TestMain.h"

#include <QSignalSpy>

using Outcome = EmulatedModem::Outcome;
Q_DECLARE_METATYPE(EmulatedModem::Outcome)

namespace {

// Hears what the modem passes on to the far end, and answers nothing.
struct FarEnd : Device
{
    void receive(const QByteArray &bytes) override { heard += bytes; }
    QByteArray heard;
};

// The modem without wire time (its answers come at once), unless a test counts the wire.
struct Modem
{
    explicit Modem(EmulatedModem::Options options = {}, double timeScale = 1000)
        : modem(&processor, (options.timeScale = timeScale, options.lenient = true, options))
    {
        QObject::connect(&modem, &Device::send, [this](const QByteArray &bytes) { heard += bytes; });
        modem.lineUp();
    }
    // What the modem says to `bytes` at once, from the line's side (a command at work answers later).
    QByteArray say(const QByteArray &bytes)
    {
        heard.clear();
        modem.receive(bytes);
        return heard;
    }
    // Dials and waits for the call.
    bool call()
    {
        say("ATE0\r");
        say("ATDT1\r");
        return QTest::qWaitFor([this] { return modem.callUp(); }, 1000);
    }
    EmulatedProcessor processor;
    EmulatedModem modem;
    QByteArray heard;
};

} // namespace

class tst_ModemEmulator : public QObject
{
    Q_OBJECT

private slots:
    void commandState_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("answer");
        QTest::newRow("echo on at first") << QByteArrayLiteral("ATM1L1\r") << QByteArrayLiteral("ATM1L1\r\r\nOK\r\n");
        QTest::newRow("ate0 stops the echo") << QByteArrayLiteral("ate0\r") << QByteArrayLiteral("ate0\r\r\nOK\r\n");
        QTest::newRow("lower case register")
            << QByteArrayLiteral("ats37=6\r") << QByteArrayLiteral("ats37=6\r\r\nOK\r\n");
        QTest::newRow("percent command") << QByteArrayLiteral("at%c0\r") << QByteArrayLiteral("at%c0\r\r\nOK\r\n");
        QTest::newRow("bare AT with blanks")
            << QByteArrayLiteral("AT     \r") << QByteArrayLiteral("AT     \r\r\nOK\r\n");
        QTest::newRow("what it cannot parse") << QByteArrayLiteral("ATJ\r") << QByteArrayLiteral("ATJ\r\r\nERROR\r\n");
        QTest::newRow("register without value")
            << QByteArrayLiteral("ATS37\r") << QByteArrayLiteral("ATS37\r\r\nERROR\r\n");
        QTest::newRow("not a command: no answer") << QByteArrayLiteral("hello\r") << QByteArrayLiteral("hello\r");
        QTest::newRow("hang-up escape then ATH, as a line")
            << QByteArrayLiteral("+++ATH\r") << QByteArrayLiteral("+++ATH\r\r\nOK\r\n");
        QTest::newRow("numeric results after ATV0")
            << QByteArrayLiteral("ATV0\rATJ\r") << QByteArrayLiteral("ATV0\r0\rATJ\r4\r");
        QTest::newRow("ATZ turns echo on again, and what follows it waits")
            << QByteArrayLiteral("ATE0\rATZ\rAT\r") << QByteArrayLiteral("ATE0\r\r\nOK\r\n\r\nOK\r\nAT\r\r\nOK\r\n");
        QTest::newRow("ATQ1 says nothing, not even its own OK")
            << QByteArrayLiteral("ATQ1\rATJ\rATQ0\r") << QByteArrayLiteral("ATQ1\rATJ\rATQ0\r\r\nOK\r\n");
        QTest::newRow("result sets X0 to X4")
            << QByteArrayLiteral("ATX0X4\r") << QByteArrayLiteral("ATX0X4\r\r\nOK\r\n");
        QTest::newRow("no result set X5") << QByteArrayLiteral("ATX5\r") << QByteArrayLiteral("ATX5\r\r\nERROR\r\n");
        QTest::newRow("ATH without a call") << QByteArrayLiteral("ATH\r") << QByteArrayLiteral("ATH\r\r\nOK\r\n");
    }

    void commandState()
    {
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, answer);
        Modem m;
        m.modem.receive(command);
        QTRY_COMPARE(m.heard, answer);
        QTest::qWait(5);
        QCOMPARE(m.heard, answer);
    }

    // ATH and ATZ take their time (scaled here); their results come after it.
    void hangUpAndResetTakeTheirTime_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<int>("ms");
        QTest::newRow("ATH") << QByteArrayLiteral("ATH\r") << EmulatedModem::Options().hangUpMs;
        QTest::newRow("ATZ") << QByteArrayLiteral("ATZ\r") << EmulatedModem::Options().resetMs;
    }

    void hangUpAndResetTakeTheirTime()
    {
        QFETCH(QByteArray, command);
        QFETCH(int, ms);
        Modem m({}, 10);
        m.say("ATE0\r");
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(m.say(command), QByteArray());
        QTRY_COMPARE(m.heard, QByteArrayLiteral("\r\nOK\r\n"));
        QVERIFY2(clock.elapsed() >= ms / 10, qPrintable(QString::number(clock.elapsed())));
    }

    // What each result set says for each outcome of the dial.
    void resultSets_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<QByteArray>("word");
        const QByteArray connect = "\r\nCONNECT\r\n", speed = "\r\nCONNECT 2400\r\n", noCarrier = "\r\nNO CARRIER\r\n";
        const QByteArray busy = "\r\nBUSY\r\n", noDialtone = "\r\nNO DIALTONE\r\n";
        QTest::newRow("X0 connect") << 0 << Outcome::Connect << connect;
        QTest::newRow("X0 busy") << 0 << Outcome::Busy << noCarrier;
        QTest::newRow("X0 no dialtone") << 0 << Outcome::NoDialtone << noCarrier;
        QTest::newRow("X1 connect") << 1 << Outcome::Connect << speed;
        QTest::newRow("X1 busy") << 1 << Outcome::Busy << noCarrier;
        QTest::newRow("X2 no dialtone") << 2 << Outcome::NoDialtone << noDialtone;
        QTest::newRow("X2 busy") << 2 << Outcome::Busy << noCarrier;
        QTest::newRow("X3 busy") << 3 << Outcome::Busy << busy;
        QTest::newRow("X3 no dialtone") << 3 << Outcome::NoDialtone << noCarrier;
        QTest::newRow("X4 busy") << 4 << Outcome::Busy << busy;
        QTest::newRow("X4 no dialtone") << 4 << Outcome::NoDialtone << noDialtone;
    }

    void resultSets()
    {
        QFETCH(int, set);
        QFETCH(Outcome, outcome);
        QFETCH(QByteArray, word);
        EmulatedModem::Options options;
        options.dial = outcome;
        Modem m(options);
        m.say("ATE0X" + QByteArray::number(set) + "\r");
        m.say("ATDT1\r");
        QTRY_COMPARE(m.heard, word);
    }

    // ATW1: the informational lines come before CONNECT; as numbers (V0) they are not said.
    void informationalLinesBeforeConnect()
    {
        Modem m;
        m.say("ATE0W1\r");
        m.say("ATDT1\r");
        QTRY_VERIFY(m.modem.callUp());
        QCOMPARE(m.heard, QByteArrayLiteral("\r\nCARRIER 2400\r\n\r\nPROTOCOL: NONE\r\n\r\nCONNECT 2400\r\n"));

        EmulatedModem::Options options;
        options.informational = true;
        options.numeric = true;
        Modem numeric(options);
        numeric.say("ATE0\r");
        numeric.say("ATDT1\r");
        QTRY_COMPARE(numeric.heard, QByteArrayLiteral("10\r"));
    }

    void numericAndNeverOkSwitches()
    {
        EmulatedModem::Options options;
        options.numeric = true;
        options.dial = Outcome::Busy;
        Modem numeric(options);
        QCOMPARE(numeric.say("ATE0\r"), QByteArrayLiteral("ATE0\r0\r"));
        numeric.say("ATDT123\r");
        QTRY_COMPARE(numeric.heard, QByteArrayLiteral("7\r"));

        options = {};
        options.neverOk = true;
        Modem silent(options);
        QCOMPARE(silent.say("ATE0\rATJ\r"), QByteArrayLiteral("ATE0\r\r\nERROR\r\n"));
    }

    void dialOutcome_data()
    {
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<QByteArray>("word");
        QTest::newRow("connect") << Outcome::Connect << QByteArrayLiteral("\r\nCONNECT 2400\r\n");
        QTest::newRow("busy") << Outcome::Busy << QByteArrayLiteral("\r\nBUSY\r\n");
        QTest::newRow("no dialtone") << Outcome::NoDialtone << QByteArrayLiteral("\r\nNO DIALTONE\r\n");
        QTest::newRow("no carrier") << Outcome::NoCarrier << QByteArrayLiteral("\r\nNO CARRIER\r\n");
        QTest::newRow("no answer") << Outcome::NoAnswer << QByteArrayLiteral("\r\nNO ANSWER\r\n");
    }

    void dialOutcome()
    {
        QFETCH(Outcome, outcome);
        QFETCH(QByteArray, word);
        EmulatedModem::Options options;
        options.dial = outcome;
        Modem m(options);
        m.say("ATE0\r");
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(m.say("atdp9,,*70,,5551234\r"), QByteArray());
        QTRY_COMPARE(m.heard, word);
        // Four commas of 2 s and the ring time of 6 s, a thousand times faster.
        QVERIFY(clock.elapsed() >= 14);
        QCOMPARE(m.modem.callUp(), outcome == Outcome::Connect);
    }

    // No outcome: the modem keeps dialing until a character from the line abandons the call.
    void characterAbandonsTheDial()
    {
        EmulatedModem::Options options;
        options.dial = Outcome::None;
        Modem m(options);
        m.say("ATE0\r");
        m.say("ATDT1\r");
        QTest::qWait(20);
        QCOMPARE(m.heard, QByteArray());
        QCOMPARE(m.say("+++"), QByteArrayLiteral("\r\nNO CARRIER\r\n"));
        m.say("ATH\r");
        QTRY_COMPARE(m.heard, QByteArrayLiteral("\r\nOK\r\n"));
    }

    void onLineEscapeNeedsGuardSilence()
    {
        Modem m;
        QByteArray processorHeard;
        m.say("ATE0\r");
        m.say("ATDT1\r");
        QTRY_COMPARE(m.heard, QByteArrayLiteral("\r\nCONNECT 2400\r\n"));
        QCOMPARE(m.say("90x"), QByteArrayLiteral("3x5x2x2x0x\r\n")); // passed through both ways
        QTest::qWait(5);                                             // more than the guard time of 1 s, scaled
        // "+++" straight after other bytes is data, not the escape.
        QCOMPARE(m.say("9+++"), QByteArray());
        QTest::qWait(5);
        QCOMPARE(m.modem.state(), EmulatedModem::State::OnLine);
        m.heard.clear();
        m.modem.receive("+++");
        QTRY_COMPARE(m.heard, QByteArrayLiteral("\r\nOK\r\n"));
        QCOMPARE(m.modem.state(), EmulatedModem::State::Command);
        QVERIFY(m.modem.callUp());
        // With the call up, ATH says NO CARRIER before its OK.
        m.say("ATH\r");
        QTRY_COMPARE(m.heard, QByteArrayLiteral("\r\nNO CARRIER\r\n\r\nOK\r\n"));
        QVERIFY(!m.modem.callUp());
        QCOMPARE(m.say("ATO\r"), QByteArrayLiteral("\r\nNO CARRIER\r\n"));
    }

    // The guard time is counted on the wire: from the end of the last character before the first "+" (each
    // character takes 4.17 ms at 2400 baud) to its start, and from the end of the last "+"; the whole S12,
    // without tolerance. "+++" without it is data for the far end. The modem's clock runs 10 times faster here,
    // so S12 is 100 ms and a character 0.417 ms.
    void escapeCountedOnTheWire_data()
    {
        QTest::addColumn<QByteArray>("before"); // sent, then the silence, then "+++"
        QTest::addColumn<int>("silenceMs");     // real ms from writing `before` to writing "+++"
        QTest::addColumn<QByteArray>("after");  // written straight after "+++" ("" for nothing)
        QTest::addColumn<bool>("escape");
        const QByteArray message = "91x8x4x5x2x2x0x"; // 15 characters, 6.25 ms here
        QTest::newRow("silence well over S12 after a message") << message << 160 << QByteArray() << true;
        QTest::newRow("S12 from writing, but the message was still on the wire")
            << message << 101 << QByteArray() << false;
        QTest::newRow("silence short of S12") << QByteArrayLiteral("9") << 70 << QByteArray() << false;
        QTest::newRow("a character within the guard after")
            << QByteArrayLiteral("9") << 160 << QByteArrayLiteral("x") << false;
    }

    void escapeCountedOnTheWire()
    {
        QFETCH(QByteArray, before);
        QFETCH(int, silenceMs);
        QFETCH(QByteArray, after);
        QFETCH(bool, escape);
        FarEnd far;
        EmulatedModem::Options options;
        options.timeScale = 10;
        options.ringMs = 100;
        EmulatedModem modem(&far, options);
        QByteArray heard;
        QObject::connect(&modem, &Device::send, [&heard](const QByteArray &bytes) { heard += bytes; });
        modem.lineUp();
        modem.receive("ATE0\rATDT1\r");
        QTRY_VERIFY(modem.callUp());
        QTest::qWait(150);
        heard.clear();

        modem.receive(before);
        QElapsedTimer clock;
        clock.start();
        QTRY_COMPARE(far.heard, before);
        QTest::qWait(int(silenceMs - clock.elapsed()));
        modem.receive("+++" + after);
        QTest::qWait(200);
        QCOMPARE(modem.state() == EmulatedModem::State::Command, escape);
        QCOMPARE(heard, escape ? QByteArrayLiteral("\r\nOK\r\n") : QByteArray());
        QCOMPARE(far.heard, escape ? before : before + "+++" + after);
        QVERIFY(modem.callUp());
    }

    // The carrier fails: NO CARRIER, command state, the call down; by the test's hand or after n replies.
    void carrierFails_data()
    {
        QTest::addColumn<int>("afterReplies");
        QTest::newRow("dropCarrier()") << 0;
        QTest::newRow("after the second reply") << 2;
    }

    void carrierFails()
    {
        QFETCH(int, afterReplies);
        EmulatedModem::Options options;
        options.dropAfterReplies = afterReplies;
        Modem m(options);
        QVERIFY(m.call());
        m.heard.clear();
        if (afterReplies == 0) {
            m.modem.dropCarrier();
            QCOMPARE(m.heard, QByteArrayLiteral("\r\nNO CARRIER\r\n"));
        } else {
            QCOMPARE(m.say("90x"), QByteArrayLiteral("3x5x2x2x0x\r\n"));
            QCOMPARE(m.say("90x"), QByteArrayLiteral("3x5x2x2x0x\r\n\r\nNO CARRIER\r\n"));
        }
        QVERIFY(!m.modem.callUp());
        QCOMPARE(m.modem.state(), EmulatedModem::State::Command);
        QCOMPARE(m.say("AT\r"), QByteArrayLiteral("\r\nOK\r\n"));
    }

    void carrierFailsAfterATime()
    {
        EmulatedModem::Options options;
        options.dropAfterMs = 5000;
        Modem m(options);
        QVERIFY(m.call());
        m.heard.clear();
        QTRY_COMPARE(m.heard, QByteArrayLiteral("\r\nNO CARRIER\r\n"));
        QVERIFY(!m.modem.callUp());
    }

    // DTR: the program closing its port ends the call, and the modem's settings do not outlive it. Seen over a
    // real pseudo-terminal opened and closed by the program's own port.
    void closingThePortDropsDtr()
    {
        EmulatedProcessor processor;
        EmulatedModem::Options options;
        options.timeScale = 1000;
        EmulatedModem modem(&processor, options);
        Emulator emulator(&modem, {1, DataFolder::path(), false, true});
        QVERIFY(emulator.start());
        QSignalSpy closed(&emulator, &Emulator::portClosed);
        QVERIFY(closed.isValid());
        MSComm port;
        port.CommPort(1);
        port.PortOpen(true);
        QVERIFY(port.PortOpen());
        Received got{port, {}};
        port.Output("ATE0V0\rATDT1\r");
        QTRY_COMPARE(got(), QByteArrayLiteral("ATE0V0\r0\r10\r"));
        QVERIFY(modem.callUp());
        port.Output("90x");
        port.PortOpen(false);
        QTRY_COMPARE(closed.size(), 1);
        QVERIFY(!modem.callUp());
        QCOMPARE(modem.state(), EmulatedModem::State::Command);
        QCOMPARE(processor.commands(), 0); // a new line for the far end
        // Echo and words again, as after a reset.
        port.PortOpen(true);
        Received again{port, {}};
        port.Output("AT\r");
        QTRY_COMPARE(again(), QByteArrayLiteral("AT\r\r\nOK\r\n"));
        QCOMPARE(closed.size(), 1);
    }

    void farEndHangingUpEndsTheCall()
    {
        Modem m;
        m.processor.faults.hangUpAfter = 1;
        m.say("ATE0\rATDT1\r");
        QTRY_VERIFY(m.modem.callUp());
        QCOMPARE(m.say("90x"), QByteArrayLiteral("3x5x2x2x0x\r\n\r\nNO CARRIER\r\n"));
        QVERIFY(!m.modem.callUp());
        QCOMPARE(m.modem.state(), EmulatedModem::State::Command);
    }
};

SONARELLE_TEST_MAIN(tst_ModemEmulator)
#include "tst_ModemEmulator.moc"
