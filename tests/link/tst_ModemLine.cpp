// The modem dialogue on a real line: the strict modem on a line paced at 2400 baud, with the window's clock,
// the modem's pauses and the wire all running `Rate` times faster, so that the line's arithmetic holds. A call
// that drops at any step, the port after a failed dial, the escape right after a message, the dial bound, the
// banners of a Disconnect, and endings that outlive their line.
#include "EmulatorFixture.h"
#include "ModemWindowFixture.h"
#include "When.h"
#include "WindowLook.h"

#include "link/LinkTexts.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

using namespace WindowLook;

namespace {

constexpr double Rate = 20;

FakeDesktop &desktop()
{
    return TestEnvironment::desktop();
}

EmulatedModem::Options shortRing(EmulatedModem::Outcome dial = EmulatedModem::Outcome::Connect)
{
    EmulatedModem::Options options;
    options.dial = dial;
    options.ringMs = 1000;
    return options;
}

// The strict modem on the paced line, dialing 5551234.
struct Line : ModemWindowFixture
{
    explicit Line(EmulatedModem::Options options = shortRing(), double rate = Rate)
        : ModemWindowFixture(options, rate, true, true)
    {
        window.Modem().txtPhoneNumber->setText(QStringLiteral("5551234"));
    }
    bool connected()
    {
        window.cmdConnect_Click();
        return !window.lblConnected->isHidden() && window.MSComm1.PortOpen() && !desktop().beeps.isEmpty();
    }
};

bool offLine(frmMain &w)
{
    return w.cmdConnect->text() == QStringLiteral("&Connect") && banners(w) == QStringList{QStringLiteral("Off Line")}
           && !w.mnuProof->isEnabled() && w.mnuModemSettings->isEnabled() && buttonsEnabled(w) == 0
           && !w.Timer1.isActive() && !w.MSComm1.PortOpen() && allLampsLit(w);
}

enum class Step { Idle, Connect, Write, Proof };

} // namespace

Q_DECLARE_METATYPE(Step)

class tst_ModemLine : public QObject
{
    Q_OBJECT

private slots:
    void init() { desktop().reset(); }

    // The modem loses the call ("NO CARRIER") at any step: the off-line look, the port closed, one message, no
    // beep and no value taken from the modem's words, nothing more on the line; the next press connects anew.
    void lostCall_data()
    {
        QTest::addColumn<Step>("step");
        QTest::addColumn<QByteArray>("after"); // the call drops once the program has sent this...
        QTest::addColumn<int>("times");        // ...this many times (0: as soon as "Updating" shows)
        QTest::addColumn<QString>("levels");   // the window's settings, untouched by the loss

        const QString read = QStringLiteral("PP 5, PD 5, HQ 5, LQ 5, Proof 0"); // set before the connect
        QTest::newRow("connected and idle") << Step::Idle << QByteArray() << 0 << "PP 3, PD 6, HQ 1, LQ 3, Proof 0";
        QTest::newRow("status read: settling") << Step::Connect << QByteArray() << 0 << read;
        QTest::newRow("status read: first request") << Step::Connect << QByteArrayLiteral("90x") << 1 << read;
        QTest::newRow("status read: third request") << Step::Connect << QByteArrayLiteral("90x") << 3 << read;
        QTest::newRow("settings write") << Step::Write << QByteArrayLiteral("8x4x6x1x3x0x") << 1
                                        << "PP 4, PD 6, HQ 1, LQ 3, Proof 0";
        QTest::newRow("proof switch: poll")
            << Step::Proof << QByteArrayLiteral("90x") << 1 << "PP 3, PD 6, HQ 1, LQ 3, Proof 0";
    }

    void lostCall()
    {
        QFETCH(Step, step);
        QFETCH(QByteArray, after);
        QFETCH(int, times);
        QFETCH(QString, levels);
        Line f;
        QVERIFY(f.started);
        frmMain &w = f.window;
        f.processor.setStatus("3x6x1x3x0x");
        if (step == Step::Connect) {
            w.PP_Level = w.PD_Level = w.HQ_Level = w.LQ_Level = 5;
        } else {
            QVERIFY(f.connected());
            QCOMPARE(lamps(w), QStringLiteral("PP 3, PD 6, HQ 1, LQ 3"));
        }
        // The processor stays silent, so that only the modem's words could pass for its answer.
        f.processor.faults.silent = step != Step::Idle;
        f.clearLine();
        desktop().reset();

        qsizetype beepsAtLoss = -1;
        if (step != Step::Idle)
            when([&] { return times == 0 ? !w.lblUpdating->isHidden() : f.received.count(after) >= times; },
                 [&] {
                     beepsAtLoss = desktop().beeps.size();
                     f.modem.dropCarrier();
                 });
        switch (step) {
        case Step::Idle:
            beepsAtLoss = 0;
            f.modem.dropCarrier();
            break;
        case Step::Connect: w.cmdConnect_Click(); break;
        case Step::Write: w.cmdPP_Up_Click(); break;
        case Step::Proof: w.Proof(); break;
        }
        QTRY_COMPARE(w.cmdConnect->text(), QStringLiteral("&Connect"));
        const qsizetype receivedAtLoss = f.received.size();
        QTest::qWait(100);

        QVERIFY2(offLine(w), qPrintable(banners(w).join(u'+')));
        QCOMPARE(f.received.size(), receivedAtLoss);
        QCOMPARE(desktop().beeps.size(), beepsAtLoss);
        QCOMPARE(settings(w), levels);
        QCOMPARE(desktop().warnings.size(), 1);
        QVERIFY2(desktop().warnings.first().text.contains(LinkTexts::NoCarrierSaid),
                 qPrintable(desktop().warnings.first().text));

        // The next press is a whole new connect.
        f.processor.faults.silent = false;
        f.clearLine();
        desktop().reset();
        QVERIFY2(f.connected(), qPrintable(banners(w).join(u'+') + u' ' + QString::fromLatin1(f.received) + u' '
                                           + QString::fromLatin1(f.sent)));
        QVERIFY2(f.received.contains("ats37=6\r") && f.received.contains("ATDT5551234\r"), f.received.constData());
        QCOMPARE(lamps(w), QStringLiteral("PP 3, PD 6, HQ 1, LQ 3"));
        QVERIFY(desktop().warnings.isEmpty());
    }

    // During the hang-up the modem answers "ATH" with "NO CARRIER" and then "OK": that is no loss. A modem slow
    // to hang up answers only after the program has discarded what came before "ATZ".
    void hangUpAnsweredNoCarrierThenOk_data()
    {
        QTest::addColumn<int>("hangUpMs");
        QTest::newRow("ATH answered within its second") << 300;
        QTest::newRow("ATH answered after the discard") << 1500;
    }

    void hangUpAnsweredNoCarrierThenOk()
    {
        QFETCH(int, hangUpMs);
        EmulatedModem::Options options = shortRing();
        options.hangUpMs = hangUpMs;
        Line f(options);
        QVERIFY(f.connected());
        f.clearLine();
        desktop().reset();
        f.window.cmdConnect_Click();
        QCOMPARE(f.received, QByteArrayLiteral("+++ATH\rATZ\r"));
        QVERIFY(f.sent.contains("\r\nOK\r\n\r\nNO CARRIER\r\n\r\nOK\r\n"));
        QVERIFY(offLine(f.window));
        QCOMPARE(desktop().beeps.size(), 1);
        QVERIFY(desktop().warnings.isEmpty());
        QVERIFY(!f.modem.callUp());
    }

    // A Disconnect pressed as soon as an adjustment's message has been written: the message is still on the
    // wire, and the modem takes "+++" only after its guard time counted from the message's last character.
    // The escape is taken, ATH and ATZ follow, the call ends without a message.
    void disconnectRightAfterAnAdjustment()
    {
        const double rate = 5;
        Line f(shortRing(), rate);
        f.processor.setStatus("3x6x1x3x0x");
        QVERIFY(f.connected());
        desktop().reset();
        bool pressed = false;
        QStringList bannersHangingUp;
        when([&] { return f.received.endsWith("91x8x4x6x1x3x0x"); },
             [&] {
                 f.clearLine();
                 when([&] { return !f.window.lblHanging->isHidden(); }, [&] { bannersHangingUp = banners(f.window); });
                 f.window.cmdConnect_Click();
                 pressed = true;
             });
        f.window.cmdPP_Up_Click();
        QVERIFY(pressed);
        // "Hanging Up" showed at once, with no "Updating" in front of it.
        QCOMPARE(bannersHangingUp, QStringList{QStringLiteral("Hanging Up")});
        QCOMPARE(f.received, QByteArrayLiteral("+++ATH\rATZ\r"));
        QVERIFY2(f.sent.contains("\r\nOK\r\n\r\nNO CARRIER\r\n\r\nOK\r\n"), f.sent.constData());
        QVERIFY(!f.modem.callUp());
        QVERIFY(offLine(f.window));
        QCOMPARE(desktop().beeps.size(), 1); // the hang-up's; the interrupted write beeps no more
        QVERIFY(desktop().warnings.isEmpty());
    }

    // After BUSY the modem's port stays open; a Direct Cable connect on COM 1 then closes it and reads on COM 1.
    void busyThenDirectCable()
    {
        Line f(shortRing(EmulatedModem::Outcome::Busy));
        EmulatorFixture com1;
        QVERIFY(f.started && com1.started);
        QSignalSpy modemPortClosed(&f.emulator, &Emulator::portClosed);
        QVERIFY(modemPortClosed.isValid());
        f.window.cmdConnect_Click();
        QCOMPARE(f.window.cmdConnect->text(), QStringLiteral("&Connect"));
        QVERIFY(f.window.MSComm1.PortOpen());
        f.clearLine();

        setValue(f.window.Modem().optDirect, -1);
        f.window.Modem().cmbPort->setCurrentText(QStringLiteral("COM 1"));
        f.window.cmdConnect_Click();
        QCOMPARE(com1.received, QByteArrayLiteral("90x"));
        QCOMPARE(f.received, QByteArray());
        QCOMPARE(lamps(f.window), QStringLiteral("PP 3, PD 5, HQ 2, LQ 2"));
        QCOMPARE(f.window.MSComm1.openDevice(), com1.emulator.device());
        QTRY_COMPARE(modemPortClosed.size(), 1);
    }

    // The dial bound: a character from the line makes a modem that is still dialing give up the call, and it
    // goes out before the port closes.
    void dialBoundAbortsWithACharacter()
    {
        EmulatedModem::Options options;
        options.dial = EmulatedModem::Outcome::None;
        ModemWindowFixture f(options, 500);
        f.window.Modem().txtPhoneNumber->setText(QStringLiteral("5551234"));
        QByteArray events;
        QObject::connect(&f.emulator, &Emulator::crossed, [&](Transcript::Direction d, const QByteArray &bytes) {
            if (d == Transcript::Direction::ToDevice)
                events += bytes;
        });
        QObject::connect(&f.emulator, &Emulator::portClosed, [&] { events += "|closed|"; });
        f.window.cmdConnect_Click();
        QTRY_VERIFY(events.endsWith("|closed|"));
        QVERIFY2(events.endsWith("ATDT5551234\r\r|closed|"), events.constData());
        QVERIFY(f.sent.endsWith("\r\nNO CARRIER\r\n"));
        QCOMPARE(desktop().warnings.size(), 1);
    }

    // The line is lost while an ending waits (the Busy banner, the hang-up's guard time), and Connect is pressed
    // before that wait is over: the new call stands when the old ending unwinds, the loss is told once, and
    // the new call hangs up normally.
    void endingOutlivedByANewCall_data()
    {
        QTest::addColumn<bool>("duringHangUp");
        QTest::newRow("during the Busy banner") << false;
        QTest::newRow("during the hang-up's guard time") << true;
    }

    void endingOutlivedByANewCall()
    {
        QFETCH(bool, duringHangUp);
        Line f(shortRing(duringHangUp ? EmulatedModem::Outcome::Connect : EmulatedModem::Outcome::Busy));
        frmMain &w = f.window;
        if (duringHangUp)
            QVERIFY(f.connected());
        desktop().reset();
        bool newCall = false;
        when([&] { return duringHangUp ? f.received.endsWith("+++") : !w.lblBusy->isHidden(); },
             [&] {
                 f.emulator.hangUp();
                 when([&] { return w.cmdConnect->text() == QStringLiteral("&Connect"); },
                      [&] {
                          f.modem.options.dial = EmulatedModem::Outcome::Connect;
                          w.cmdConnect_Click();
                          newCall = true;
                      });
             });
        w.cmdConnect_Click();
        QVERIFY(newCall);
        QTest::qWait(100);
        QCOMPARE(w.cmdConnect->text(), QStringLiteral("&Disconnect"));
        QCOMPARE(banners(w), QStringList{QStringLiteral("Connected")});
        QVERIFY(w.MSComm1.PortOpen());
        QVERIFY(f.modem.callUp());
        QCOMPARE(lamps(w), QStringLiteral("PP 3, PD 5, HQ 2, LQ 2"));
        QCOMPARE(desktop().warnings.size(), 1);

        desktop().reset();
        w.cmdConnect_Click();
        QVERIFY(offLine(w));
        QCOMPARE(desktop().beeps.size(), 1);
        QVERIFY(desktop().warnings.isEmpty());
    }
};

SONARELLE_TEST_MAIN(tst_ModemLine)
#include "tst_ModemLine.moc"
