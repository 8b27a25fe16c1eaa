// The line breaks at every step of every exchange: the far end hangs up, or goes silent, as soon as the
// program has put a given text on the line. Whatever the step, the window ends in the off-line look (or, for
// silence, the look of an exchange nobody answered), sends nothing after a hang-up, claims no success with a
// beep, and leaves no adjustment button enabled while off line.
#include "ModemWindowFixture.h"
#include "When.h"
#include "WindowFixture.h"
#include "WindowLook.h"

#include "link/LinkTexts.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <type_traits>

using namespace WindowLook;

namespace {

enum class Fault { HangUp, Silence };
enum class Look { OffLine, NoAnswer, Connected, DialTimedOut, HangUpUnconfirmed };
enum class Step { Connect, Write, Proof, Disconnect };

// The two line fixtures seen the same way.
QByteArray &received(WindowFixture &f)
{
    return f.line.received;
}
QByteArray &received(ModemWindowFixture &f)
{
    return f.received;
}
Emulator &emulator(WindowFixture &f)
{
    return f.line.emulator;
}
Emulator &emulator(ModemWindowFixture &f)
{
    return f.emulator;
}
EmulatedProcessor &processor(WindowFixture &f)
{
    return f.line.processor;
}
EmulatedProcessor &processor(ModemWindowFixture &f)
{
    return f.processor;
}

bool offLine(frmMain &w)
{
    return w.cmdConnect->text() == QStringLiteral("&Connect") && !w.lblOffLine->isHidden() && w.lblConnected->isHidden()
           && w.lblUpdating->isHidden() && w.lblDialing->isHidden() && w.lblInitializing->isHidden()
           && w.lblHanging->isHidden() && !w.mnuProof->isEnabled() && buttonsEnabled(w) == 0 && !w.Timer1.isActive()
           && !w.MSComm1.PortOpen();
}

} // namespace

Q_DECLARE_METATYPE(Fault)
Q_DECLARE_METATYPE(Look)
Q_DECLARE_METATYPE(Step)

class tst_LineFaults : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestEnvironment::desktop().reset(); }

    void faultAtEveryStep_data()
    {
        QTest::addColumn<bool>("modem");
        QTest::addColumn<Step>("step");
        QTest::addColumn<QByteArray>("after"); // the fault comes once the program has sent this text...
        QTest::addColumn<int>("times");        // ...this many times (0: at the step's first wait)
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<Look>("look");

        const auto H = Fault::HangUp;
        const auto S = Fault::Silence;
        const QByteArray settings = QByteArrayLiteral("8x4x6x1x3x0x"); // PP 3 stepped up to 4
        // Direct cable
        QTest::newRow("status read: settling, hang-up")
            << false << Step::Connect << QByteArray() << 0 << H << Look::OffLine;
        QTest::newRow("status read: first request, hang-up")
            << false << Step::Connect << QByteArray("90x") << 1 << H << Look::OffLine;
        QTest::newRow("status read: fourth request, hang-up")
            << false << Step::Connect << QByteArray("90x") << 4 << H << Look::OffLine;
        QTest::newRow("status read: settling, silence")
            << false << Step::Connect << QByteArray() << 0 << S << Look::NoAnswer;
        QTest::newRow("status read: first request, silence")
            << false << Step::Connect << QByteArray("90x") << 1 << S << Look::NoAnswer;
        QTest::newRow("settings write: command, hang-up")
            << false << Step::Write << QByteArray("91x") << 1 << H << Look::OffLine;
        QTest::newRow("settings write: settings, hang-up")
            << false << Step::Write << settings << 1 << H << Look::OffLine;
        QTest::newRow("settings write: second attempt, hang-up")
            << false << Step::Write << settings << 2 << H << Look::OffLine;
        QTest::newRow("settings write: silence")
            << false << Step::Write << QByteArray("91x") << 1 << S << Look::Connected;
        QTest::newRow("proof switch: command, hang-up")
            << false << Step::Proof << QByteArray("92x") << 1 << H << Look::OffLine;
        QTest::newRow("proof switch: poll, hang-up")
            << false << Step::Proof << QByteArray("90x") << 1 << H << Look::OffLine;
        QTest::newRow("proof switch: second poll, hang-up")
            << false << Step::Proof << QByteArray("90x") << 2 << H << Look::OffLine;
        QTest::newRow("proof switch: second attempt, hang-up")
            << false << Step::Proof << QByteArray("92x") << 2 << H << Look::OffLine;
        QTest::newRow("proof switch: silence")
            << false << Step::Proof << QByteArray("92x") << 1 << S << Look::Connected;
        // Through the modem
        QTest::newRow("modem set-up: first command, hang-up")
            << true << Step::Connect << QByteArray("ats37=6\r") << 1 << H << Look::OffLine;
        QTest::newRow("modem set-up: last command, hang-up")
            << true << Step::Connect << QByteArray("at%c0\r") << 1 << H << Look::OffLine;
        QTest::newRow("dial wait, hang-up")
            << true << Step::Connect << QByteArray("5551234\r") << 1 << H << Look::OffLine;
        QTest::newRow("dial wait, silence")
            << true << Step::Connect << QByteArray("5551234\r") << 1 << S << Look::DialTimedOut;
        QTest::newRow("status read through the modem, hang-up")
            << true << Step::Connect << QByteArray("90x") << 1 << H << Look::OffLine;
        QTest::newRow("settings write through the modem, hang-up")
            << true << Step::Write << settings << 1 << H << Look::OffLine;
        QTest::newRow("proof switch through the modem, hang-up")
            << true << Step::Proof << QByteArray("92x") << 1 << H << Look::OffLine;
        QTest::newRow("hang-up: guard time, hang-up")
            << true << Step::Disconnect << QByteArray("+++") << 1 << H << Look::OffLine;
        QTest::newRow("hang-up: ATH, hang-up")
            << true << Step::Disconnect << QByteArray("ATH\r") << 1 << H << Look::OffLine;
        QTest::newRow("hang-up: ATZ, hang-up")
            << true << Step::Disconnect << QByteArray("ATZ\r") << 1 << H << Look::OffLine;
        QTest::newRow("hang-up: OK wait, silence")
            << true << Step::Disconnect << QByteArray("ATZ\r") << 1 << S << Look::HangUpUnconfirmed;
    }

    void faultAtEveryStep()
    {
        QFETCH(bool, modem);
        if (modem) {
            ModemWindowFixture f;
            QVERIFY(f.started);
            f.window.Modem().txtPhoneNumber->setText(QStringLiteral("5551234"));
            run(f);
        } else {
            WindowFixture f;
            QVERIFY(f.line.started);
            run(f);
        }
    }

private:
    template <class Fixture>
    void run(Fixture &f)
    {
        QFETCH(Step, step);
        QFETCH(QByteArray, after);
        QFETCH(int, times);
        QFETCH(Fault, fault);
        QFETCH(Look, look);
        FakeDesktop &desktop = TestEnvironment::desktop();
        frmMain &w = f.window;

        processor(f).setStatus("3x6x1x3x0x");
        if (step != Step::Connect) { // connected first, the processor answering
            w.cmdConnect_Click();
            QVERIFY(!w.lblConnected->isHidden());
            QCOMPARE(buttonsEnabled(w), 6);
        }
        // From here the processor answers nothing, so that every attempt and poll of an exchange is made; the
        // silent rows silence the modem too, from the start of the step, since it reads its options as it goes.
        processor(f).faults.silent = true;
        if constexpr (std::is_same_v<Fixture, ModemWindowFixture>) {
            if (fault == Fault::Silence) {
                f.modem.options.dial = EmulatedModem::Outcome::None;
                f.modem.options.neverOk = true;
            }
        }
        received(f).clear();
        desktop.reset();

        qsizetype receivedAtFault = -1;
        qsizetype beepsAtFault = -1;
        when([&] { return received(f).count(after) >= times; },
             [&] {
                 receivedAtFault = received(f).size();
                 beepsAtFault = desktop.beeps.size();
                 if (fault == Fault::HangUp)
                     emulator(f).hangUp();
             });

        switch (step) {
        case Step::Connect:
        case Step::Disconnect: w.cmdConnect_Click(); break;
        case Step::Write: w.cmdPP_Up_Click(); break;
        case Step::Proof: w.Proof(); break;
        }
        QVERIFY2(receivedAtFault >= 0, "the fault never came");
        // A lost line is noticed within the port's watch, if not at once.
        QTest::qWait(Pacing::scaled(3 * double(Pacing::LineWatch.count())));

        QCOMPARE(desktop.beeps.size(), beepsAtFault);
        if (fault == Fault::HangUp && look == Look::OffLine) {
            QCOMPARE(received(f).size(), receivedAtFault);
            QCOMPARE(desktop.warnings.size(), 1);
            QCOMPARE(desktop.warnings.first().title, LinkTexts::LineLostTitle);
        }
        switch (look) {
        case Look::OffLine:
        case Look::DialTimedOut:
        case Look::HangUpUnconfirmed:
            QVERIFY2(offLine(w), qPrintable(banners(w).join(QStringLiteral(", "))));
            if (look != Look::OffLine) {
                QCOMPARE(desktop.warnings.size(), 1);
                QCOMPARE(desktop.warnings.first().title, LinkTexts::ModemErrorTitle);
                QCOMPARE(desktop.warnings.first().text,
                         look == Look::DialTimedOut
                             ? LinkTexts::dialTimedOut(w.Modem().cmbModem->currentText(), Pacing::DialWaitLimit)
                             : LinkTexts::hangupUnconfirmed(Pacing::HangupWaitLimit));
            }
            break;
        case Look::NoAnswer:
            // The connection stays; the window shows no values, as a processor that never answered.
            QCOMPARE(w.cmdConnect->text(), QStringLiteral("&Disconnect"));
            QCOMPARE(banners(w), (QStringList{QStringLiteral("Off Line"), QStringLiteral("Connected")}));
            QVERIFY(allLampsLit(w));
            QCOMPARE(buttonsEnabled(w), 0);
            QVERIFY(desktop.warnings.isEmpty());
            break;
        case Look::Connected:
            // The exchange ran out of attempts: still on line.
            QCOMPARE(w.cmdConnect->text(), QStringLiteral("&Disconnect"));
            QVERIFY(w.MSComm1.PortOpen());
            QVERIFY(w.lblUpdating->isHidden());
            QVERIFY(w.mnuProof->isEnabled());
            QVERIFY(desktop.warnings.isEmpty());
            break;
        }
    }
};

SONARELLE_TEST_MAIN(tst_LineFaults)
#include "tst_LineFaults.moc"
