// The adjustment buttons and the settings write behind them, over a real pseudo-terminal with the emulated
// processor.
#include "WindowFixture.h"
#include "WindowLook.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

using namespace WindowLook;

namespace {

// The window on line with the processor at the given values and proof off, the buttons enabled, and the
// line's record and the desktop's cleared.
struct Connected : WindowFixture
{
    Connected(int pp, int pd, int hq, int lq, double clockRate = 50) : WindowFixture(clockRate)
    {
        EmulatedProcessor &p = line.processor;
        p.pp = pp, p.pd = pd, p.hq = hq, p.lq = lq;
        window.cmdConnect->click();
        line.received.clear();
        line.sent.clear();
        TestEnvironment::desktop().reset();
    }
};

QPushButton *buttonNamed(frmMain &w, const QString &name)
{
    const QStringList names{"cmdPP_Up", "cmdPP_Dn", "cmdPD_Up", "cmdPD_Dn", "cmdHigh", "cmdLow"};
    return adjustButtons(w).value(names.indexOf(name));
}

} // namespace

class tst_SettingsWrite : public QObject
{
    Q_OBJECT

private slots:
    // Each press steps its value, bound-tested on the result, and sends the whole set even when nothing changed;
    // the values 8 and 9 come from the processor's reply.
    void stepsAndBounds_data()
    {
        QTest::addColumn<QByteArray>("start"); // the processor's values, as its reply carries them
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("presses");
        QTest::addColumn<QByteArray>("line");

        QTest::newRow("PP up 2 -> 3") << QByteArray("2x5x2x1x") << "cmdPP_Up" << 1 << QByteArray("91x8x3x5x2x1x0x777x");
        QTest::newRow("PP up at 7 stays 7")
            << QByteArray("7x5x2x1x") << "cmdPP_Up" << 1 << QByteArray("91x8x7x5x2x1x0x777x");
        QTest::newRow("PP up from 8 -> 7")
            << QByteArray("8x5x2x1x") << "cmdPP_Up" << 1 << QByteArray("91x8x7x5x2x1x0x777x");
        QTest::newRow("PP up from 9 -> 7")
            << QByteArray("9x5x2x1x") << "cmdPP_Up" << 1 << QByteArray("91x8x7x5x2x1x0x777x");
        QTest::newRow("PP down 3 -> 2") << QByteArray("3x5x2x1x") << "cmdPP_Dn" << 1
                                        << QByteArray("91x8x2x5x2x1x0x777x");
        QTest::newRow("PP down at 0 stays 0")
            << QByteArray("0x5x2x1x") << "cmdPP_Dn" << 1 << QByteArray("91x8x0x5x2x1x0x777x");
        QTest::newRow("PP down from 9 -> 8 -> 7")
            << QByteArray("9x5x2x1x") << "cmdPP_Dn" << 2 << QByteArray("91x8x8x5x2x1x0x777x91x8x7x5x2x1x0x777x");
        QTest::newRow("PD up 5 -> 6") << QByteArray("3x5x2x1x") << "cmdPD_Up" << 1 << QByteArray("91x8x3x6x2x1x0x777x");
        QTest::newRow("PD up at 7 stays 7")
            << QByteArray("3x7x2x1x") << "cmdPD_Up" << 1 << QByteArray("91x8x3x7x2x1x0x777x");
        QTest::newRow("PD up from 9 -> 7")
            << QByteArray("3x9x2x1x") << "cmdPD_Up" << 1 << QByteArray("91x8x3x7x2x1x0x777x");
        QTest::newRow("PD down at 0 stays 0")
            << QByteArray("3x0x2x1x") << "cmdPD_Dn" << 1 << QByteArray("91x8x3x0x2x1x0x777x");
        QTest::newRow("PD down from 8 -> 7")
            << QByteArray("3x8x2x1x") << "cmdPD_Dn" << 1 << QByteArray("91x8x3x7x2x1x0x777x");
        QTest::newRow("High 2 -> 3") << QByteArray("3x5x2x1x") << "cmdHigh" << 1 << QByteArray("91x8x3x5x3x1x0x777x");
        QTest::newRow("High 4 wraps to 0")
            << QByteArray("3x5x4x1x") << "cmdHigh" << 1 << QByteArray("91x8x3x5x0x1x0x777x");
        QTest::newRow("High from 5 -> 0")
            << QByteArray("3x5x5x1x") << "cmdHigh" << 1 << QByteArray("91x8x3x5x0x1x0x777x");
        QTest::newRow("High from 9 -> 0")
            << QByteArray("3x5x9x1x") << "cmdHigh" << 1 << QByteArray("91x8x3x5x0x1x0x777x");
        QTest::newRow("Low 1 -> 2") << QByteArray("3x5x2x1x") << "cmdLow" << 1 << QByteArray("91x8x3x5x2x2x0x777x");
        QTest::newRow("Low 4 wraps to 0")
            << QByteArray("3x5x2x4x") << "cmdLow" << 1 << QByteArray("91x8x3x5x2x0x0x777x");
        QTest::newRow("Low from 8 -> 0") << QByteArray("3x5x2x8x") << "cmdLow" << 1
                                         << QByteArray("91x8x3x5x2x0x0x777x");
    }

    void stepsAndBounds()
    {
        QFETCH(QByteArray, start);
        QFETCH(QString, button);
        QFETCH(int, presses);
        QFETCH(QByteArray, line);

        Connected f(start[0] - '0', start[2] - '0', start[4] - '0', start[6] - '0');
        for (int i = 0; i < presses; ++i)
            buttonNamed(f.window, button)->click();

        QTRY_COMPARE(f.line.received, line);
        const QByteArray last = line.right(14).left(8); // the four values of the last settings string
        QCOMPARE(
            settings(f.window),
            QStringLiteral("PP %1, PD %2, HQ %3, LQ %4, Proof 0").arg(last[0]).arg(last[2]).arg(last[4]).arg(last[6]));
        QCOMPARE(TestEnvironment::desktop().beeps.size(), presses);
    }

    void acceptedWrite()
    {
        Connected f(2, 5, 2, 1);
        int buttonsDuringWrite = -1;
        bool proofDuringWrite = true;
        QStringList bannersDuringWrite;
        QTimer::singleShot(5, [&] {
            buttonsDuringWrite = buttonsEnabled(f.window);
            proofDuringWrite = f.window.mnuProof->isEnabled();
            bannersDuringWrite = banners(f.window);
        });
        f.window.cmdPP_Up->click();

        QTRY_COMPARE(f.line.received, QByteArrayLiteral("91x8x3x5x2x1x0x777x"));
        QCOMPARE(f.window.Tx_Settings, QByteArrayLiteral("8x3x5x2x1x0x"));
        QCOMPARE(TestEnvironment::desktop().beeps.size(), 1);
        QCOMPARE(settings(f.window), QStringLiteral("PP 3, PD 5, HQ 2, LQ 1, Proof 0"));
        QCOMPARE(lamps(f.window), QStringLiteral("PP 3, PD 5, HQ 2, LQ 1"));
        QCOMPARE(buttonsDuringWrite, 0);
        QVERIFY(!proofDuringWrite);
        QCOMPARE(bannersDuringWrite, (QStringList{"Updating", "Connected"}));
        QCOMPARE(buttonsEnabled(f.window), 6);
        QVERIFY(f.window.mnuProof->isEnabled());
        QCOMPARE(banners(f.window), QStringList{"Connected"});
    }

    // Each attempt discards what waits, so an echo one character short never arrives.
    void echoOfExactlyTenCharacters()
    {
        Connected f(3, 5, 2, 2, 20);
        f.line.processor.faults.cutTo = 10;
        f.window.cmdPP_Up->click();

        QTRY_COMPARE(f.line.received, QByteArrayLiteral("91x8x4x5x2x2x0x").repeated(10));
        QTest::qWait(30);
        QVERIFY(!f.line.received.contains("777x"));
        QVERIFY(TestEnvironment::desktop().beeps.isEmpty());
        QCOMPARE(buttonsEnabled(f.window), 6);
        QCOMPARE(lamps(f.window), QStringLiteral("PP 4, PD 5, HQ 2, LQ 2"));
        QCOMPARE(banners(f.window), QStringList{"Connected"});
    }

    // The echo is found after other characters; the values are read from the start of what came, noise and all.
    void echoAfterOtherCharacters()
    {
        Connected f(3, 5, 2, 2);
        f.line.processor.faults.noise = 4;
        f.window.cmdHigh->click();

        QTRY_COMPARE(f.line.received, QByteArrayLiteral("91x8x3x5x3x2x0x777x"));
        QCOMPARE(TestEnvironment::desktop().beeps.size(), 1);
        QCOMPARE(f.window.Rx_Buffer, f.line.sent);
        const QByteArray &got = f.line.sent;
        const auto digit = [](char c) { return c >= '0' && c <= '9' ? c - '0' : 0; };
        // Positions 1 and 3 are noise; 5, 7 and 9 are the echo's PP, PD and HQ.
        QCOMPARE(settings(f.window),
                 QStringLiteral("PP %1, PD %2, HQ 3, LQ 5, Proof 3").arg(digit(got[0])).arg(digit(got[2])));
        // The write stores the proof state and does nothing else with it.
        QVERIFY(!f.window.Timer1.isActive());
        QVERIFY(!f.window.mnuProof->isChecked());
        QCOMPARE(buttonsEnabled(f.window), 6);
    }

    // The settings string always carries proof off, so a processor in proof mode never echoes it.
    void echoWithProofOnNeverPasses()
    {
        Connected f(3, 5, 2, 2);
        f.line.processor.proof = 1;
        f.window.cmdPD_Dn->click();

        QTRY_COMPARE(f.line.received, QByteArrayLiteral("91x8x3x4x2x2x0x").repeated(10));
        QVERIFY(TestEnvironment::desktop().beeps.isEmpty());
        QCOMPARE(settings(f.window), QStringLiteral("PP 3, PD 4, HQ 2, LQ 2, Proof 0"));
        QCOMPARE(buttonsEnabled(f.window), 6);
    }

    // A disconnect during the write ends it at once: no confirmation, no beep, and the buttons stay disabled.
    // A connect right after it gets a new line, on which the old write sends nothing more.
    void disconnectDuringTheWrite_data()
    {
        QTest::addColumn<bool>("reconnect");
        QTest::newRow("disconnect") << false;
        QTest::newRow("disconnect and connect again") << true;
    }

    void disconnectDuringTheWrite()
    {
        QFETCH(bool, reconnect);
        Connected f(3, 5, 2, 2);
        f.line.processor.faults.silent = true;
        QByteArray beforeDisconnect;
        QTimer::singleShot(50, [&] {
            beforeDisconnect = f.line.received;
            f.line.received.clear();
            f.window.cmdConnect->click();
            if (reconnect) {
                f.line.processor.faults.silent = false;
                f.window.cmdConnect->click(); // a whole connect, with its status read, inside the write
            }
        });
        f.window.cmdPP_Up->click();
        QTest::qWait(50);

        QVERIFY(beforeDisconnect.startsWith("91x8x4x5x2x2x0x"));
        if (reconnect) {
            QCOMPARE(f.line.received, QByteArrayLiteral("90x"));
            QCOMPARE(TestEnvironment::desktop().beeps.size(), 1); // the new status read's
            QCOMPARE(banners(f.window), QStringList{"Connected"});
            QCOMPARE(buttonsEnabled(f.window), 6);
        } else {
            QCOMPARE(f.line.received, QByteArray());
            QVERIFY(TestEnvironment::desktop().beeps.isEmpty());
            QCOMPARE(banners(f.window), QStringList{"Off Line"});
            QCOMPARE(buttonsEnabled(f.window), 0);
            QVERIFY(allLampsLit(f.window));
            QCOMPARE(f.window.cmdConnect->text(), QStringLiteral("&Connect"));
            QVERIFY(!f.window.mnuProof->isEnabled());
        }
    }

    // The write is the one exchange on the line while it runs: the Proof item is greyed and a click starts nothing.
    void proofClickDuringTheWriteStartsNothing()
    {
        Connected f(3, 5, 2, 2);
        f.line.processor.faults.silent = true;
        QTimer::singleShot(30, [&] { f.window.mnuProof->trigger(); });
        f.window.cmdLow->click();

        QTRY_COMPARE(f.line.received, QByteArrayLiteral("91x8x3x5x2x3x0x").repeated(10));
        QVERIFY(!f.window.mnuProof->isChecked());
        QVERIFY(f.window.mnuProof->isEnabled());
    }
};

SONARELLE_TEST_MAIN(tst_SettingsWrite)
#include "tst_SettingsWrite.moc"
