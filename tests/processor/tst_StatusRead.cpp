// The status read after a direct-cable connect, over a real pseudo-terminal with the emulated processor.
#include "WindowFixture.h"
#include "WindowLook.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

using namespace WindowLook;

class tst_StatusRead : public QObject
{
    Q_OBJECT

private slots:
    void answerToTheFirstRequest_data()
    {
        QTest::addColumn<int>("proof");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<bool>("blinking");
        QTest::addColumn<bool>("checked");

        QTest::newRow("proof off: buttons enabled") << 0 << 6 << QStringList{"Connected"} << false << false;
        QTest::newRow("proof on: banner flashing, buttons disabled")
            << 1 << 0 << QStringList{"Proof", "Connected"} << true << true;
        QTest::newRow("proof 5: proof state left as it was") << 5 << 0 << QStringList{"Connected"} << false << false;
    }

    void answerToTheFirstRequest()
    {
        QFETCH(int, proof);
        QFETCH(int, buttons);
        QFETCH(QStringList, shown);
        QFETCH(bool, blinking);
        QFETCH(bool, checked);

        WindowFixture f;
        QVERIFY(f.line.started);
        EmulatedProcessor &p = f.line.processor;
        p.pp = 7, p.pd = 0, p.hq = 4, p.lq = 0, p.proof = proof;
        f.window.cmdConnect->click();

        QCOMPARE(f.line.received, QByteArrayLiteral("90x"));
        QCOMPARE(TestEnvironment::desktop().beeps.size(), 1);
        QCOMPARE(settings(f.window), QStringLiteral("PP 7, PD 0, HQ 4, LQ 0, Proof %1").arg(proof));
        QCOMPARE(lamps(f.window), QStringLiteral("PP 7, PD 0, HQ 4, LQ 0"));
        QCOMPARE(buttonsEnabled(f.window), buttons);
        QCOMPARE(banners(f.window), shown);
        QCOMPARE(f.window.Timer1.isActive(), blinking);
        QCOMPARE(f.window.mnuProof->isChecked(), checked);
        QVERIFY(f.window.mnuProof->isEnabled());
        QTest::qWait(50);
        QCOMPARE(f.line.received, QByteArrayLiteral("90x"));
    }

    // A proof state other than 0 or 1 leaves the window's proof state as the last session left it.
    void proofFiveLeavesTheProofStateAlone()
    {
        WindowFixture f;
        f.line.processor.proof = 1;
        f.window.cmdConnect->click();
        f.window.cmdConnect->click(); // disconnect: the check mark stays set
        QVERIFY(f.window.mnuProof->isChecked());
        f.line.processor.proof = 5;
        f.window.cmdConnect->click();
        QCOMPARE(f.window.Proof_Flag, qint16(5));
        QCOMPARE(lamps(f.window), QStringLiteral("PP 3, PD 5, HQ 2, LQ 2"));
        QVERIFY(f.window.mnuProof->isChecked());
        QVERIFY(!f.window.Timer1.isActive());
        QCOMPARE(buttonsEnabled(f.window), 0);
        QCOMPARE(banners(f.window), QStringList{"Connected"});
    }

    // Each answer falls one short of the arrival test; the second request's answer completes it.
    void answersOfExactlyTenCharacters()
    {
        WindowFixture f(20);
        EmulatedProcessor &p = f.line.processor;
        p.faults.cutTo = 10;
        p.pp = 1, p.pd = 2, p.hq = 3, p.lq = 4;
        // Once the first answer is on its way, the processor's value changes: the second answer carries 9,
        // which the parse must not read.
        QObject::connect(&f.line.emulator, &Emulator::crossed, &p, [&p](Transcript::Direction d) {
            if (d == Transcript::Direction::FromDevice)
                p.pp = 9;
        });
        f.window.cmdConnect->click();

        QCOMPARE(f.line.received, QByteArrayLiteral("90x90x"));
        QCOMPARE(f.window.Rx_Buffer, QByteArrayLiteral("1x2x3x4x0x9x2x3x4x0x"));
        QCOMPARE(settings(f.window), QStringLiteral("PP 1, PD 2, HQ 3, LQ 4, Proof 0"));
        QCOMPARE(TestEnvironment::desktop().beeps.size(), 1);
    }

    void noAnswer()
    {
        WindowFixture f(20);
        f.line.processor.faults.silent = true;
        f.window.cmdConnect->click();

        QTRY_COMPARE(f.line.received, QByteArrayLiteral("90x").repeated(10));
        QVERIFY(TestEnvironment::desktop().beeps.isEmpty());
        QCOMPARE(banners(f.window), (QStringList{"Off Line", "Connected"}));
        QVERIFY(allLampsLit(f.window));
        QVERIFY(f.window.MSComm1.PortOpen());
        QCOMPARE(f.window.cmdConnect->text(), QStringLiteral("&Disconnect"));
        QVERIFY(f.window.mnuProof->isEnabled());
        QVERIFY(!f.window.mnuModemSettings->isEnabled());
        QCOMPARE(buttonsEnabled(f.window), 0);
        QCOMPARE(settings(f.window), QStringLiteral("PP 0, PD 0, HQ 0, LQ 0, Proof 0"));
        QVERIFY(TestEnvironment::desktop().warnings.isEmpty());
    }

    // Whatever the processor sent during the settling time is dropped before the first request.
    void textDuringTheFirstTwoSecondsIsDropped()
    {
        WindowFixture f;
        EmulatedProcessor &p = f.line.processor;
        p.pp = 9, p.pd = 9, p.hq = 9, p.lq = 9, p.proof = 9;
        QTimer::singleShot(5, [&] {
            p.receive("90x"); // an answer nobody asked for, as the tail of an earlier exchange would be
            p.pp = 1, p.pd = 2, p.hq = 3, p.lq = 4, p.proof = 0;
        });
        f.window.cmdConnect->click();

        QCOMPARE(f.line.sent, QByteArrayLiteral("9x9x9x9x9x\r\n1x2x3x4x0x\r\n"));
        QCOMPARE(f.window.Rx_Buffer, QByteArrayLiteral("1x2x3x4x0x\r\n"));
        QCOMPARE(settings(f.window), QStringLiteral("PP 1, PD 2, HQ 3, LQ 4, Proof 0"));
    }

    // The status read is the one exchange on the line while it runs: the Proof item is greyed and a click on
    // it starts no switch.
    void proofClickDuringTheReadStartsNothing()
    {
        WindowFixture f;
        f.line.processor.faults.silent = true;
        bool proofEnabledDuringRead = true;
        QTimer::singleShot(60, [&] {
            proofEnabledDuringRead = f.window.mnuProof->isEnabled();
            f.window.mnuProof->trigger();
        });
        f.window.cmdConnect->click();

        QVERIFY(!proofEnabledDuringRead);
        QTRY_COMPARE(f.line.received, QByteArrayLiteral("90x").repeated(10));
        QVERIFY(f.window.mnuProof->isEnabled());
        QVERIFY(!f.window.mnuProof->isChecked());
    }
};

SONARELLE_TEST_MAIN(tst_StatusRead)
#include "tst_StatusRead.moc"
