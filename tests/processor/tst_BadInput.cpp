// Bad input over the line: noise, NUL bytes, bytes above 127 and a reply of 10,000 characters answering the
// status read, the settings write and the proof switch, and a megabyte of noise during the modem's dial wait.
// The window stays live, what it holds of the line stays bounded, and its values come from the last reply
// that passed the exchange's tests.
#include "ModemWindowFixture.h"
#include "When.h"
#include "WindowFixture.h"
#include "WindowLook.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <memory>

using namespace WindowLook;

namespace {

const QByteArray NoDigits = QByteArrayLiteral("#!\x13\x7f~");
const QByteArray Nuls(10, '\0');
const QByteArray High = QByteArrayLiteral("\x80\xff\xb3\xc0\xa9\x90\xfe\x81\xe9\xb0");

// Text with no "x", no digit, no CR or LF: it can pass for no reply, no echo and no modem line.
QByteArray noise(qsizetype size)
{
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char(i % 3 == 0 ? 0 : 0x80 + (i * 37) % 128);
    return bytes;
}

// The processor silent, and `bytes` sent in its place whenever (or the first time) the program's text ends
// with `command`.
void answerWith(WindowFixture &f, QByteArrayView command, const QByteArray &bytes, bool once = false)
{
    f.line.processor.faults.silent = true;
    auto answered = std::make_shared<bool>(false);
    QObject::connect(
        &f.line.emulator, &Emulator::crossed, &f.line.processor,
        [&f, command = command.toByteArray(), bytes, once, answered](Transcript::Direction d, const QByteArray &) {
            if (d != Transcript::Direction::ToDevice || !f.line.received.endsWith(command) || (once && *answered))
                return;
            *answered = true;
            emit f.line.processor.send(bytes);
        });
}

// Connects to a processor at 4, 6, 1, 3 with proof off; the line's record and the desktop's cleared.
void connectedAt4613(WindowFixture &f)
{
    f.line.processor.setStatus("4x6x1x3x0x");
    f.window.cmdConnect_Click();
    QCOMPARE(settings(f.window), QStringLiteral("PP 4, PD 6, HQ 1, LQ 3, Proof 0"));
    f.line.received.clear();
    TestEnvironment::desktop().reset();
}

// Watches the window while an exchange runs: that a timer set during the wait fires inside it, and the most
// the window holds of the line at any moment.
struct Watch
{
    explicit Watch(frmMain &w) : window(w)
    {
        QObject::connect(&poll, &QTimer::timeout, &poll, [this] {
            mostHeld = std::max(mostHeld, window.Rx_Buffer.size());
            longestModemLine = std::max(longestModemLine, window.Modem_Line.size());
            mostScanned = std::max(mostScanned, window.Modem_Scan.received());
            mostKeptByScan = std::max(mostKeptByScan, window.Modem_Scan.keptSize());
        });
        poll.start(1);
    }
    // Sets a 5 ms timer once `busy` shows, and records whether it fired while `busy` still showed.
    void timerDuring(QLabel *busy)
    {
        when([busy] { return !busy->isHidden(); },
             [this, busy] { QTimer::singleShot(5, &poll, [this, busy] { firedInWait = !busy->isHidden(); }); });
    }
    frmMain &window;
    QTimer poll;
    qsizetype mostHeld = 0;
    qsizetype longestModemLine = 0;
    qint64 mostScanned = 0;
    qsizetype mostKeptByScan = 0;
    bool firedInWait = false;
};

} // namespace

class tst_BadInput : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestEnvironment::desktop().reset(); }

    // Bad bytes too few to pass for a reply: ten requests, no answer, the no-answer look, the old values kept.
    void statusReadAnsweredWithBadBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("noise") << NoDigits;
        QTest::newRow("NUL bytes") << Nuls;
        QTest::newRow("bytes above 127") << High;
    }

    void statusReadAnsweredWithBadBytes()
    {
        QFETCH(QByteArray, bytes);
        WindowFixture f;
        connectedAt4613(f);
        f.window.cmdConnect_Click(); // disconnect
        answerWith(f, "90x", bytes, true);
        Watch watch(f.window);
        watch.timerDuring(f.window.lblUpdating);

        f.window.cmdConnect_Click();

        QVERIFY(watch.firedInWait);
        QCOMPARE(f.line.received, QByteArrayLiteral("90x").repeated(10));
        QVERIFY(TestEnvironment::desktop().beeps.isEmpty());
        QCOMPARE(settings(f.window), QStringLiteral("PP 4, PD 6, HQ 1, LQ 3, Proof 0"));
        QVERIFY(allLampsLit(f.window));
        QCOMPARE(banners(f.window), (QStringList{QStringLiteral("Off Line"), QStringLiteral("Connected")}));
        QCOMPARE(buttonsEnabled(f.window), 0);
        QCOMPARE(f.window.Rx_Buffer, QByteArray());
    }

    // A reply of 10,000 characters passes the arrival test at once: its values are read from its start, and
    // the window holds no more of it than the one take that the status read makes (at most the 10,000).
    void statusReadAnsweredWithTenThousandCharacters()
    {
        WindowFixture f;
        const QByteArray reply = QByteArrayLiteral("5x2x3x1x0x") + noise(10'000 - 10);
        answerWith(f, "90x", reply);
        Watch watch(f.window);

        f.window.cmdConnect_Click();

        QCOMPARE(f.line.received, QByteArrayLiteral("90x"));
        QCOMPARE(TestEnvironment::desktop().beeps.size(), 1);
        QCOMPARE(settings(f.window), QStringLiteral("PP 5, PD 2, HQ 3, LQ 1, Proof 0"));
        QCOMPARE(lamps(f.window), QStringLiteral("PP 5, PD 2, HQ 3, LQ 1"));
        QVERIFY(f.window.Rx_Buffer.size() <= reply.size());
        QVERIFY(reply.startsWith(f.window.Rx_Buffer));
        QVERIFY(watch.mostHeld <= reply.size());
        // What the take left waiting is discarded by the next exchange, before it sends.
        f.window.cmdPP_Up_Click();
        QVERIFY(f.window.Rx_Buffer.size() <= reply.size());
    }

    // Answers that fail the write's echo test or the proof switch's report test change nothing the window
    // shows of the processor, beep for nothing and confirm nothing; each attempt starts from an empty take.
    void adjustmentsAnsweredWithBadBytes_data()
    {
        QTest::addColumn<bool>("proof");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("write: noise") << false << NoDigits;
        QTest::newRow("write: NUL bytes") << false << Nuls + Nuls;
        QTest::newRow("write: bytes above 127") << false << High + High;
        QTest::newRow("write: 10,000 characters") << false << noise(10'000);
        QTest::newRow("proof on: noise") << true << NoDigits;
        QTest::newRow("proof on: NUL bytes") << true << Nuls + Nuls;
        QTest::newRow("proof on: bytes above 127") << true << High + High;
        QTest::newRow("proof on: 10,000 characters") << true << noise(10'000);
    }

    void adjustmentsAnsweredWithBadBytes()
    {
        QFETCH(bool, proof);
        QFETCH(QByteArray, bytes);
        WindowFixture f;
        connectedAt4613(f);
        answerWith(f, proof ? "2x" : "0x", bytes); // after the proof command and the poll; after the settings
        Watch watch(f.window);
        watch.timerDuring(f.window.lblUpdating);

        proof ? f.window.Proof() : f.window.cmdPP_Up_Click();

        QVERIFY(watch.firedInWait);
        QVERIFY(!f.line.received.contains("777x"));
        QVERIFY(TestEnvironment::desktop().beeps.isEmpty());
        // The write's own step of PP stays, as after a write nobody answered; the processor's values stay.
        QCOMPARE(settings(f.window), proof ? QStringLiteral("PP 4, PD 6, HQ 1, LQ 3, Proof 0")
                                           : QStringLiteral("PP 5, PD 6, HQ 1, LQ 3, Proof 0"));
        QCOMPARE(lamps(f.window),
                 proof ? QStringLiteral("PP 4, PD 6, HQ 1, LQ 3") : QStringLiteral("PP 5, PD 6, HQ 1, LQ 3"));
        QCOMPARE(buttonsEnabled(f.window), 6);
        QVERIFY(!f.window.mnuProof->isChecked());
        QVERIFY(f.window.mnuProof->isEnabled());
        QVERIFY(watch.mostHeld <= bytes.size());
    }

    // A megabyte of noise without a line end during the dial wait: the window stays live, what the wait keeps of
    // it (the scan's line and the two characters not yet scanned) stays within the scan's limit while many times
    // that goes through the scan, and the dial still ends on the modem's result or on the bound.
    void floodDuringTheDialWait_data()
    {
        QTest::addColumn<bool>("connect");
        QTest::newRow("then CONNECT") << true;
        QTest::newRow("then the bound") << false;
    }

    void floodDuringTheDialWait()
    {
        QFETCH(bool, connect);
        EmulatedModem::Options options;
        options.dial = connect ? EmulatedModem::Outcome::Connect : EmulatedModem::Outcome::None;
        ModemWindowFixture f(options);
        QVERIFY(f.started);
        f.window.Modem().txtPhoneNumber->setText(QStringLiteral("5551234"));
        const QByteArray flood = noise(1 << 20);
        when([&] { return f.received.endsWith("5551234\r"); }, [&] { emit f.modem.send(flood); });
        Watch watch(f.window);
        watch.timerDuring(f.window.lblDialing);

        f.window.cmdConnect_Click();

        QVERIFY(watch.firedInWait);
        QVERIFY(watch.longestModemLine <= ModemScan::Scanner::LineLimit + ModemScan::Scanner::Join.size());
        QVERIFY2(watch.mostScanned > 10 * ModemScan::Scanner::LineLimit,
                 qPrintable(QStringLiteral("only %1 characters of the flood were scanned").arg(watch.mostScanned)));
        QVERIFY(watch.mostKeptByScan <= ModemScan::Scanner::LineLimit + ModemScan::Scanner::Join.size() + 2);
        if (connect) {
            QCOMPARE(f.window.cmdConnect->text(), QStringLiteral("&Disconnect"));
            QVERIFY(!f.window.lblConnected->isHidden());
            QVERIFY(f.received.endsWith("90x"));
        } else {
            QCOMPARE(f.window.cmdConnect->text(), QStringLiteral("&Connect"));
            QVERIFY(!f.window.lblOffLine->isHidden());
            QCOMPARE(buttonsEnabled(f.window), 0);
            QCOMPARE(TestEnvironment::desktop().warnings.size(), 1);
            QVERIFY(TestEnvironment::desktop().beeps.isEmpty());
        }
    }
};

SONARELLE_TEST_MAIN(tst_BadInput)
#include "tst_BadInput.moc"
