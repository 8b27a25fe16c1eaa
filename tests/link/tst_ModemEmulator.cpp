// The emulator's modem on its own: what it answers in command state, its dial outcomes, and the escape
// back from on line. Its pauses run a thousand times faster.
#include "EmulatedModem.h"
#include "EmulatedProcessor.h"
#include "TestMain.h"

using Outcome = EmulatedModem::Outcome;
Q_DECLARE_METATYPE(EmulatedModem::Outcome)

namespace {

struct Modem
{
    explicit Modem(EmulatedModem::Options options = {})
        : modem(&processor, (options.timeScale = 1000, options))
    {
        QObject::connect(&modem, &Device::send, [this](const QByteArray &bytes) { heard += bytes; });
        modem.lineUp();
    }
    // What the modem says to `bytes`, from the line's side.
    QByteArray say(const QByteArray &bytes)
    {
        heard.clear();
        modem.receive(bytes);
        return heard;
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
        QTest::newRow("lower case register") << QByteArrayLiteral("ats37=6\r") << QByteArrayLiteral("ats37=6\r\r\nOK\r\n");
        QTest::newRow("percent command") << QByteArrayLiteral("at%c0\r") << QByteArrayLiteral("at%c0\r\r\nOK\r\n");
        QTest::newRow("bare AT with blanks") << QByteArrayLiteral("AT     \r") << QByteArrayLiteral("AT     \r\r\nOK\r\n");
        QTest::newRow("what it cannot parse") << QByteArrayLiteral("ATJ\r") << QByteArrayLiteral("ATJ\r\r\nERROR\r\n");
        QTest::newRow("register without value") << QByteArrayLiteral("ATS37\r") << QByteArrayLiteral("ATS37\r\r\nERROR\r\n");
        QTest::newRow("not a command: no answer") << QByteArrayLiteral("hello\r") << QByteArrayLiteral("hello\r");
        QTest::newRow("hang-up escape then ATH, as a line") << QByteArrayLiteral("+++ATH\r")
                                                             << QByteArrayLiteral("+++ATH\r\r\nOK\r\n");
        QTest::newRow("numeric results after ATV0") << QByteArrayLiteral("ATV0\rATJ\r")
                                                     << QByteArrayLiteral("ATV0\r0\rATJ\r4\r");
        QTest::newRow("ATZ turns echo on again") << QByteArrayLiteral("ATE0\rATZ\rAT\r")
                                                  << QByteArrayLiteral("ATE0\r\r\nOK\r\n\r\nOK\r\nAT\r\r\nOK\r\n");
    }

    void commandState()
    {
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, answer);
        Modem m;
        QCOMPARE(m.say(command), answer);
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
        QCOMPARE(m.say("ATH\r"), QByteArrayLiteral("\r\nOK\r\n"));
    }

    void onLineEscapeNeedsGuardSilence()
    {
        Modem m;
        QByteArray processorHeard;
        m.say("ATE0\r");
        m.say("ATDT1\r");
        QTRY_COMPARE(m.heard, QByteArrayLiteral("\r\nCONNECT 2400\r\n"));
        QCOMPARE(m.say("90x"), QByteArrayLiteral("3x5x2x2x0x\r\n")); // passed through both ways
        QTest::qWait(5); // more than the guard time of 1 s, scaled
        // "+++" straight after other bytes is data, not the escape.
        QCOMPARE(m.say("9+++"), QByteArray());
        QTest::qWait(5);
        QCOMPARE(m.modem.state(), EmulatedModem::State::OnLine);
        m.heard.clear();
        m.modem.receive("+++");
        QTRY_COMPARE(m.heard, QByteArrayLiteral("\r\nOK\r\n"));
        QCOMPARE(m.modem.state(), EmulatedModem::State::Command);
        QVERIFY(m.modem.callUp());
        QCOMPARE(m.say("ATH\r"), QByteArrayLiteral("\r\nOK\r\n"));
        QVERIFY(!m.modem.callUp());
        QCOMPARE(m.say("ATO\r"), QByteArrayLiteral("\r\nNO CARRIER\r\n"));
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
