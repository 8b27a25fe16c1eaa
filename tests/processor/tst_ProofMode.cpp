// The proof switch from the File menu and the blinking banner, over a real pseudo-terminal with the emulated
// processor.
#include "WindowFixture.h"
#include "WindowLook.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

using namespace WindowLook;

namespace {

// The window on line after a status read that found the processor at PP 4, PD 6, HQ 1, LQ 3 and the given
// proof state; the line's record and the desktop's cleared.
struct Connected : WindowFixture
{
    explicit Connected(int proof)
    {
        EmulatedProcessor &p = line.processor;
        p.pp = 4, p.pd = 6, p.hq = 1, p.lq = 3, p.proof = proof;
        window.cmdConnect->click();
        line.received.clear();
        TestEnvironment::desktop().reset();
    }
};

} // namespace

class tst_ProofMode : public QObject
{
    Q_OBJECT

private slots:
    // The check mark chooses the command ("92x" when clear, "93x" when set); the menu click itself leaves it
    // alone. The window's proof state follows what the processor reported, or the old state when it never did.
    void proofSwitch_data()
    {
        QTest::addColumn<int>("startProof");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("updatingShown");
        QTest::addColumn<int>("flag");
        QTest::addColumn<bool>("endsOn");

        QTest::newRow("on, answered at once") << 0 << "none" << QByteArray("92x") << true << 1 << true;
        QTest::newRow("on, answered after one poll")
            << 0 << "silent until polled" << QByteArray("92x90x") << true << 1 << true;
        QTest::newRow("on, never reported") << 0 << "stuck" << QByteArray("92x").repeated(5) << true << 0 << false;
        QTest::newRow("off, answered") << 1 << "none" << QByteArray("93x") << false << 0 << false;
        QTest::newRow("off, no answer: nothing zeroed")
            << 1 << "silent" << QByteArray("93x90x90x").repeated(5) << false << 1 << true;
        QTest::newRow("off, answered by noise alone: nothing zeroed")
            << 1 << "noise" << QByteArray("93x").repeated(5) << false << 1 << true;
        QTest::newRow("Proof_Flag 7, on with no answer")
            << 7 << "silent" << QByteArray("92x90x90x").repeated(5) << true << 7 << false;
    }

    void proofSwitch()
    {
        QFETCH(int, startProof);
        QFETCH(QString, fault);
        QFETCH(QByteArray, line);
        QFETCH(bool, updatingShown);
        QFETCH(int, flag);
        QFETCH(bool, endsOn);

        Connected f(startProof);
        EmulatedProcessor &p = f.line.processor;
        p.faults.proofStuck = fault == "stuck";
        p.faults.silent = fault.startsWith("silent");
        if (fault == "noise") { // eleven bytes of noise where the status should be
            p.faults.noise = 11;
            p.faults.cutTo = 11;
        }
        if (fault == "silent until polled")
            QObject::connect(&f.line.emulator, &Emulator::crossed, &p,
                             [&p](Transcript::Direction d, const QByteArray &b) {
                                 if (d == Transcript::Direction::ToDevice && b.contains("90x"))
                                     p.faults.silent = false;
                             });
        QCOMPARE(f.window.mnuProof->isChecked(), startProof == 1);
        bool updatingSeen = false;
        QTimer::singleShot(3, [&] { updatingSeen = !f.window.lblUpdating->isHidden(); });
        f.window.mnuProof->trigger();

        QTRY_COMPARE(f.line.received, line);
        QCOMPARE(updatingSeen, updatingShown);
        QCOMPARE(settings(f.window), QStringLiteral("PP 4, PD 6, HQ 1, LQ 3, Proof %1").arg(flag));
        QCOMPARE(lamps(f.window), QStringLiteral("PP 4, PD 6, HQ 1, LQ 3"));
        QCOMPARE(f.window.mnuProof->isChecked(), endsOn);
        QCOMPARE(f.window.Timer1.isActive(), endsOn);
        QCOMPARE(buttonsEnabled(f.window), endsOn ? 0 : 6);
        QCOMPARE(f.window.lblUpdating->isHidden(), true);
        QVERIFY(f.window.mnuProof->isEnabled());
        if (!endsOn)
            QVERIFY(f.window.lblProof->isHidden());
        QTest::qWait(30);
        QCOMPARE(f.line.received, line);
    }

    // After a status read that finds proof mode on, the running Timer1 blinks the banner by itself: it
    // changes on every tick, from the first on.
    void theRunningTimerBlinksTheBanner()
    {
        Connected f(1);
        QVERIFY(!f.window.lblProof->isHidden());
        QVERIFY(f.window.Timer1.isActive());
        QSignalSpy ticks(&f.window.Timer1, &QTimer::timeout);
        QVERIFY(ticks.isValid());
        int changes = 0;
        bool hidden = f.window.lblProof->isHidden();
        QObject::connect(&f.window.Timer1, &QTimer::timeout, f.window.lblProof, [&] {
            changes += f.window.lblProof->isHidden() != hidden;
            hidden = f.window.lblProof->isHidden();
        });
        QTRY_VERIFY_WITH_TIMEOUT(ticks.size() >= 2, 5000);
        QCOMPARE(changes, int(ticks.size()));
    }

    // The banner changes on every tick; the beep comes on every fifth, counted on from the last session.
    void blinkTicks_data()
    {
        QTest::addColumn<int>("startCount");
        QTest::addColumn<QList<int>>("beepTicks");
        QTest::newRow("from 0") << 0 << QList<int>{5, 10, 15};
        QTest::newRow("from 3, left by an earlier session") << 3 << QList<int>{2, 7, 12};
    }

    void blinkTicks()
    {
        QFETCH(int, startCount);
        QFETCH(QList<int>, beepTicks);

        frmMain w;
        w.Form_Load();
        QCOMPARE(w.Timer1.interval(), 333);
        TestEnvironment::desktop().reset();
        w.Beep_Count = qint16(startCount);
        int changes = 0;
        QList<int> beeps;
        for (int tick = 1; tick <= 15; ++tick) {
            const bool hidden = w.lblProof->isHidden();
            const qsizetype beepsBefore = TestEnvironment::desktop().beeps.size();
            w.Timer1_Timer();
            changes += w.lblProof->isHidden() != hidden;
            if (TestEnvironment::desktop().beeps.size() > beepsBefore)
                beeps << tick;
        }
        QCOMPARE(changes, 15);
        QCOMPARE(beeps, beepTicks);
    }

    // A disconnect during the switch ends it at once; a connect right after it gets a new line, on which the
    // old switch sends nothing more. A line lost under the switch ends it the same way, with one message.
    void lineGoneDuringTheSwitch_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("disconnect") << "disconnect";
        QTest::newRow("disconnect and connect again") << "reconnect";
        QTest::newRow("line lost") << "hang up";
    }

    void lineGoneDuringTheSwitch()
    {
        QFETCH(QString, how);
        Connected f(0);
        f.line.processor.faults.silent = true;
        f.line.processor.faults.proofStuck = true;
        QByteArray beforeGone;
        if (how == "hang up") {
            // the proof command is the last thing the line carries
            f.line.processor.faults.hangUpAfter = f.line.processor.commands() + 1;
        } else {
            QTimer::singleShot(30, [&] {
                beforeGone = f.line.received;
                f.line.received.clear();
                f.window.cmdConnect->click();
                if (how == "reconnect") {
                    f.line.processor.faults.silent = false;
                    f.window.cmdConnect->click();
                }
            });
        }
        f.window.mnuProof->trigger();
        if (how == "hang up") {
            QTRY_COMPARE(f.window.cmdConnect->text(), QStringLiteral("&Connect"));
            beforeGone = f.line.received;
            f.line.received.clear();
        }
        QTest::qWait(50);

        QVERIFY(beforeGone.startsWith("92x"));
        QVERIFY(f.window.lblUpdating->isHidden());
        if (how == "reconnect") {
            QCOMPARE(f.line.received, QByteArrayLiteral("90x"));
            QCOMPARE(banners(f.window), QStringList{"Connected"});
            QCOMPARE(buttonsEnabled(f.window), 6);
            QVERIFY(f.window.mnuProof->isEnabled());
        } else {
            QCOMPARE(f.line.received, QByteArray());
            QCOMPARE(banners(f.window), QStringList{"Off Line"});
            QCOMPARE(buttonsEnabled(f.window), 0);
            QVERIFY(allLampsLit(f.window));
            QVERIFY(!f.window.Timer1.isActive());
            QVERIFY(!f.window.mnuProof->isEnabled());
        }
        QCOMPARE(TestEnvironment::desktop().warnings.size(), how == "hang up" ? 1 : 0);
        QVERIFY(!f.window.mnuProof->isChecked());
    }

    // The switch is the one exchange on the line while it runs: an adjustment or a second Proof click starts nothing.
    void adjustmentOrProofClickDuringTheSwitchStartsNothing()
    {
        Connected f(0);
        f.line.processor.faults.silent = true;
        int buttonsDuringSwitch = -1;
        bool proofDuringSwitch = true;
        QTimer::singleShot(30, [&] {
            buttonsDuringSwitch = buttonsEnabled(f.window);
            proofDuringSwitch = f.window.mnuProof->isEnabled();
            f.window.cmdPP_Up->click();
            f.window.mnuProof->trigger();
        });
        f.window.mnuProof->trigger();

        QTRY_COMPARE(f.line.received, QByteArrayLiteral("92x90x90x").repeated(5));
        QCOMPARE(buttonsDuringSwitch, 0);
        QVERIFY(!proofDuringSwitch);
        QCOMPARE(settings(f.window), QStringLiteral("PP 4, PD 6, HQ 1, LQ 3, Proof 0"));
        QCOMPARE(buttonsEnabled(f.window), 6);
        QVERIFY(f.window.mnuProof->isEnabled());
    }
};

SONARELLE_TEST_MAIN(tst_ProofMode)
#include "tst_ProofMode.moc"
