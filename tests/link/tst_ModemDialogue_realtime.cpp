// The modem dialogue's pacing on the real clock, against the strict modem on a line paced at 2400 baud: the
// set-up commands one second apart; a Disconnect pressed as soon as an adjustment's message is written keeps
// its silence before "+++" so that the modem takes the escape; the hang-up's three seconds after "+++" and one
// second after "ATH". (Only the modem's dial pauses are short.)
#include "ModemWindowFixture.h"
#include "When.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

class tst_ModemDialogue_realtime : public QObject
{
    Q_OBJECT

private slots:
    void setUpDialAndHangUpAtRealPacing()
    {
        EmulatedModem::Options options;
        options.commaMs = 100;
        options.ringMs = 500;
        ModemWindowFixture f(options, 1, false, true);
        QVERIFY(f.started);
        frmModem &m = f.window.Modem();
        setValue(m.optLow, -1);
        setValue(m.optTone, -1);
        setValue(m.chkOutside, 1);
        m.txt9->setText(QStringLiteral("9"));
        setValue(m.chkWaiting, 1);
        m.txt70->setText(QStringLiteral("*70"));
        setValue(m.chkModemIni, 0);
        m.txtPhoneNumber->setText(QStringLiteral("5551234"));

        f.window.cmdConnect_Click();
        QVERIFY(!f.window.lblConnected->isHidden());
        QCOMPARE(f.window.lblDialing->text(), QStringLiteral("             Dialing  9,,*70,,5551234"));
        const QList<QByteArray> steps{"ATM1L1\r", "ats37=6\r", "ate0\r", "at%c0\r", "ATDT9,,*70,,5551234\r"};
        QCOMPARE(f.received.left(steps.join().size()), steps.join());
        for (qsizetype i = 1; i < steps.size(); ++i) {
            const qint64 gap = f.timeOf(steps[i]) - f.timeOf(steps[i - 1]);
            QVERIFY2(gap >= 990 && gap < 1400, qPrintable(QStringLiteral("%1: %2 ms").arg(i).arg(gap)));
        }

        f.clearLine();
        const QByteArray message = QByteArrayLiteral("91x8x4x5x2x2x0x");
        when([&] { return f.received.endsWith(message); }, [&] { f.window.cmdConnect_Click(); });
        f.window.cmdPP_Up_Click();
        QCOMPARE(f.received, message + QByteArrayLiteral("+++ATH\rATZ\r"));
        // The modem took the escape (its OK), then said NO CARRIER and OK to ATH.
        QVERIFY2(f.sent.contains("\r\nOK\r\n\r\nNO CARRIER\r\n\r\nOK\r\n"), f.sent.constData());
        const qint64 silence = f.timeOf("+++") - f.timeOf(message);
        QVERIFY2(silence >= 1250 && silence < 1600, qPrintable(QString::number(silence)));
        const qint64 guard = f.timeOf("ATH") - f.timeOf("+++");
        const qint64 command = f.timeOf("ATZ") - f.timeOf("ATH");
        QVERIFY2(guard >= 2990 && guard < 3400, qPrintable(QString::number(guard)));
        QVERIFY2(command >= 990 && command < 1400, qPrintable(QString::number(command)));
        QVERIFY(!f.window.MSComm1.PortOpen());
        QVERIFY(!f.modem.callUp());
        QVERIFY(TestEnvironment::desktop().warnings.isEmpty());
        QCOMPARE(TestEnvironment::desktop().beeps.size(), 3); // connect, status read, hang-up
    }
};

SONARELLE_TEST_MAIN(tst_ModemDialogue_realtime)
#include "tst_ModemDialogue_realtime.moc"
