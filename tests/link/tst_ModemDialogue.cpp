// The modem connect and hang-up over a real pseudo-terminal, with the emulated modem in front of the
// emulated processor, on the fast clock.
#include "ModemWindowFixture.h"
#include "When.h"

#include "link/LinkTexts.h"
#include "panel/ReadoutBox.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <functional>
#include <memory>

using Outcome = EmulatedModem::Outcome;
Q_DECLARE_METATYPE(EmulatedModem::Outcome)

namespace {

const QString Blanks13 = QString(13, QLatin1Char(' '));
const QString DialingBanner = Blanks13 + QStringLiteral("Dialing  ");

FakeDesktop &desktop()
{
    return TestEnvironment::desktop();
}

// Records how long a label stays shown: from its first showing to its next hiding, in milliseconds.
struct ShownFor
{
    explicit ShownFor(QLabel *label)
    {
        QObject::connect(&poll, &QTimer::timeout, &poll, [this, label] {
            if (!label->isHidden() && !clock.isValid())
                clock.start();
            else if (label->isHidden() && clock.isValid() && ms < 0)
                ms = clock.elapsed();
        });
        poll.start(1);
    }
    QTimer poll;
    QElapsedTimer clock;
    qint64 ms = -1;
};

// "Off Line" stands in front of every banner but the three-second ones; the modem's own banners are down.
bool offLineLook(frmMain &w)
{
    return w.cmdConnect->text() == QStringLiteral("&Connect") && !w.lblOffLine->isHidden() && w.lblDialing->isHidden()
           && w.lblInitializing->isHidden() && w.lblHanging->isHidden() && w.lblBusy->isHidden()
           && w.lblNoDialtone->isHidden() && !w.mnuProof->isEnabled() && w.mnuModemSettings->isEnabled()
           && !w.cmdPP_Up->isEnabled();
}

void setDialog(frmMain &w, const QString &speaker, bool tone, bool outside, bool waiting, bool extra,
               const QString &number)
{
    frmModem &m = w.Modem();
    for (QRadioButton *b : {m.optOff, m.optLow, m.optLoud})
        setValue(b, 0);
    if (speaker == QLatin1String("off"))
        setValue(m.optOff, -1);
    else if (speaker == QLatin1String("low"))
        setValue(m.optLow, -1);
    else if (speaker == QLatin1String("loud"))
        setValue(m.optLoud, -1);
    setValue(tone ? m.optTone : m.optPulse, -1);
    setValue(m.chkOutside, outside ? 1 : 0);
    m.txt9->setText(QStringLiteral("9"));
    setValue(m.chkWaiting, waiting ? 1 : 0);
    m.txt70->setText(QStringLiteral("*70"));
    setValue(m.chkModemIni, extra ? 1 : 0);
    m.txtModemIni->setText(QStringLiteral("AT"));
    m.txtPhoneNumber->setText(number);
}

// Connects through the modem to the end of the status read.
bool connected(ModemWindowFixture &f)
{
    f.window.cmdConnect_Click();
    return !f.window.lblConnected->isHidden() && f.window.MSComm1.PortOpen();
}

} // namespace

class tst_ModemDialogue : public QObject
{
    Q_OBJECT

private slots:
    void init() { desktop().reset(); }

    void setUpAndDial_data()
    {
        QTest::addColumn<QString>("speaker");
        QTest::addColumn<bool>("tone");
        QTest::addColumn<bool>("outside");
        QTest::addColumn<bool>("waiting");
        QTest::addColumn<bool>("extra");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("banner");

        QTest::newRow("speaker low, tone, outside line and call waiting")
            << "low" << true << true << true << false
            << QByteArrayLiteral("ATM1L1\rats37=6\rate0\rat%c0\rATDT9,,*70,,5551234\r")
            << DialingBanner + QStringLiteral("9,,*70,,5551234");
        QTest::newRow("pulse, no prefixes, speaker off")
            << "off" << false << false << false << false
            << QByteArrayLiteral("ATM0\rats37=6\rate0\rat%c0\rATDP5551234\r")
            << DialingBanner + QStringLiteral("5551234");
        QTest::newRow("speaker loud, outside line only")
            << "loud" << true << true << false << false
            << QByteArrayLiteral("ATM1L3\rats37=6\rate0\rat%c0\rATDT9,,5551234\r")
            << DialingBanner + QStringLiteral("9,,5551234");
        QTest::newRow("no speaker option: no speaker command")
            << "none" << true << false << false << false << QByteArrayLiteral("ats37=6\rate0\rat%c0\rATDT5551234\r")
            << DialingBanner + QStringLiteral("5551234");
        QTest::newRow("extra command AT is the fifth set-up command")
            << "low" << true << false << true << true
            << QByteArrayLiteral("ATM1L1\rats37=6\rate0\rat%c0\rAT\rATDT*70,,5551234\r")
            << DialingBanner + QStringLiteral("*70,,5551234");
    }

    void setUpAndDial()
    {
        QFETCH(QString, speaker);
        QFETCH(bool, tone);
        QFETCH(bool, outside);
        QFETCH(bool, waiting);
        QFETCH(bool, extra);
        QFETCH(QByteArray, line);
        QFETCH(QString, banner);

        ModemWindowFixture f;
        QVERIFY(f.started);
        setDialog(f.window, speaker, tone, outside, waiting, extra, QStringLiteral("5551234"));
        QString bannerWhileDialing;
        when([&] { return !f.window.lblDialing->isHidden(); },
             [&] { bannerWhileDialing = f.window.lblDialing->text(); });

        QVERIFY(connected(f));
        QCOMPARE(bannerWhileDialing, banner);
        // The set-up and the dial, then the status read through the modem.
        QCOMPARE(f.received.left(line.size()), line);
        QCOMPARE(f.received.mid(line.size()), QByteArrayLiteral("90x"));
    }

    // Texts restored from the settings file come back padded to their fields; the modem gets them so.
    void paddedTextsFromTheSettingsFileCarriedUnchanged()
    {
        ModemWindowFixture f;
        setDialog(f.window, QStringLiteral("low"), true, true, true, true, QStringLiteral("5551234"));
        f.window.Save_Data();
        f.window.Restore_Data();
        frmModem &m = f.window.Modem();
        const QString number = QStringLiteral("5551234") + QString(17, QLatin1Char(' '));
        QCOMPARE(m.txt9->text(), QStringLiteral("9     "));
        QCOMPARE(m.txt70->text(), QStringLiteral("*70   "));
        QCOMPARE(m.txtPhoneNumber->text(), number);
        QCOMPARE(m.txtModemIni->text(), QStringLiteral("AT") + QString(21, QLatin1Char(' ')));
        QString bannerWhileDialing;
        when([&] { return !f.window.lblDialing->isHidden(); },
             [&] { bannerWhileDialing = f.window.lblDialing->text(); });

        QVERIFY(connected(f));
        const QByteArray extra = QByteArrayLiteral("\rAT") + QByteArray(21, ' ') + QByteArrayLiteral("\rATDT");
        QVERIFY2(f.received.contains(extra), f.received.constData());
        const QByteArray dial = QByteArrayLiteral("ATDT9     ,,*70   ,,") + number.toLatin1() + '\r';
        QVERIFY2(f.received.contains(dial), f.received.constData());
        QCOMPARE(bannerWhileDialing, DialingBanner + QStringLiteral("9     ,,*70   ,,") + number);
    }

    // The modem's port box restored as "COM3 " (a short text padded by the settings file) still names COM 3.
    void paddedModemPortFromTheSettingsFile()
    {
        ModemWindowFixture f;
        f.window.Modem().cmbModem->setCurrentText(QStringLiteral("COM3"));
        f.window.Save_Data();
        f.window.Restore_Data();
        QCOMPARE(f.window.Modem().cmbModem->currentText(), QStringLiteral("COM3 "));
        QVERIFY(connected(f));
        QCOMPARE(f.window.Modem_Port, QByteArrayLiteral("3"));
        QVERIFY(desktop().warnings.isEmpty());
    }

    void connectBeepsAndReadsTheStatusThroughTheModem()
    {
        ModemWindowFixture f;
        f.processor.setStatus("6x1x4x0x0x");
        QVERIFY(connected(f));
        QCOMPARE(f.window.cmdConnect->text(), QStringLiteral("&Disconnect"));
        QVERIFY(f.window.lblDialing->isHidden());
        QVERIFY(f.window.lblInitializing->isHidden());
        QVERIFY(f.window.mnuProof->isEnabled());
        QVERIFY(!f.window.mnuModemSettings->isEnabled());
        // One beep for the connect, one for the status read that the processor answered through the modem.
        QCOMPARE(desktop().beeps.size(), 2);
        QCOMPARE(f.window.PP_Level, qint16(6));
        QCOMPARE(f.window.PD_Level, qint16(1));
        QCOMPARE(f.window.HQ_Level, qint16(4));
        QVERIFY(f.window.cmdPP_Up->isEnabled());
        // The modem readout: what the dial wait received, and the modem's line.
        QCOMPARE(f.window.picShow->lines(), (QStringList{QStringLiteral("16"), QStringLiteral("CONNECT 2400")}));
    }

    // Lines that are not the dial's result leave the wait going; here "BUSY" ends it afterwards.
    void onlyConnectAtTheStartOfTheLineCounts_data()
    {
        QTest::addColumn<QByteArray>("words");
        QTest::newRow("lower case") << QByteArrayLiteral("\r\nconnect 2400\r\n");
        QTest::newRow("after other characters") << QByteArrayLiteral("\r\nRING CONNECT 2400\r\n");
        QTest::newRow("numeric result code") << QByteArrayLiteral("1\r");
    }

    void onlyConnectAtTheStartOfTheLineCounts()
    {
        QFETCH(QByteArray, words);
        EmulatedModem::Options options;
        options.dial = Outcome::None;
        ModemWindowFixture f(options);
        bool stillDialing = false;
        when([&] { return !f.window.lblDialing->isHidden(); },
             [&] {
                 emit f.modem.send(words);
                 QTimer::singleShot(100, [&] {
                     stillDialing = !f.window.lblDialing->isHidden() && desktop().beeps.isEmpty();
                     emit f.modem.send(QByteArrayLiteral("\r\nBUSY\r\n"));
                 });
             });
        f.window.cmdConnect_Click();
        QVERIFY(stillDialing);
        QVERIFY(offLineLook(f.window));
        QVERIFY(desktop().beeps.isEmpty());
        QVERIFY(!f.received.contains("90x"));
    }

    // Every failed dial shows what the modem said for three seconds and ends off line with the port open;
    // the next connect closes the port and opens it again.
    void failedDialShowsItsBannerAndEndsOffLine_data()
    {
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("bannerName");
        QTest::addColumn<QString>("caption");

        QTest::newRow("BUSY") << Outcome::Busy << "5551234"
                              << "lblBusy" << QString();
        QTest::newRow("NO DIALTONE") << Outcome::NoDialtone << "5551234"
                                     << "lblNoDialtone" << QString();
        QTest::newRow("NO CARRIER") << Outcome::NoCarrier << "5551234"
                                    << "lblDialing" << Blanks13 + "NO CARRIER";
        QTest::newRow("NO ANSWER") << Outcome::NoAnswer << "5551234"
                                   << "lblDialing" << Blanks13 + "NO ANSWER";
        QTest::newRow("ERROR for a dial string the modem cannot read") << Outcome::Connect << "555=1234"
                                                                       << "lblDialing" << Blanks13 + "ERROR";
    }

    void failedDialShowsItsBannerAndEndsOffLine()
    {
        QFETCH(Outcome, outcome);
        QFETCH(QString, number);
        QFETCH(QString, bannerName);
        QFETCH(QString, caption);
        EmulatedModem::Options options;
        options.dial = outcome;
        const double rate = 25;
        ModemWindowFixture f(options, rate);
        f.window.Modem().txtPhoneNumber->setText(number);
        QLabel *banner = bannerName == QLatin1String("lblBusy")         ? f.window.lblBusy
                         : bannerName == QLatin1String("lblNoDialtone") ? f.window.lblNoDialtone
                                                                        : f.window.lblDialing;
        // The Dialing banner is up before the result: time a failure shown in it from the modem's word.
        std::unique_ptr<ShownFor> shown;
        if (caption.isEmpty())
            shown = std::make_unique<ShownFor>(banner);
        else
            when([&] { return f.sent.contains(caption.trimmed().toLatin1()); },
                 [&] { shown = std::make_unique<ShownFor>(banner); });
        f.window.cmdConnect_Click();
        if (!caption.isEmpty())
            QCOMPARE(banner->text(), caption);
        QVERIFY(shown);
        QTRY_VERIFY(shown->ms >= 0);
        QVERIFY2(shown->ms >= 3000 / rate * 0.9, qPrintable(QString::number(shown->ms)));
        QVERIFY(banner->isHidden());
        QVERIFY(offLineLook(f.window));
        QVERIFY(desktop().beeps.isEmpty());
        QVERIFY(desktop().warnings.isEmpty());
        QVERIFY(f.window.MSComm1.PortOpen());
        QVERIFY(!f.received.contains("90x"));

        const quint32 before = f.window.MSComm1.lineGeneration();
        f.modem.options.dial = Outcome::Connect;
        f.window.Modem().txtPhoneNumber->setText(QStringLiteral("5551234"));
        QVERIFY(connected(f));
        QCOMPARE(f.window.MSComm1.lineGeneration(), before + 2); // closed, then opened again
    }

    // A modem that gives no result at all: the dial wait's bound ends it, the line is dropped, one message.
    void dialWaitIsBounded()
    {
        EmulatedModem::Options options;
        options.dial = Outcome::None;
        ModemWindowFixture f(options, 500);
        QElapsedTimer clock;
        clock.start();
        f.window.cmdConnect_Click();
        QVERIFY(clock.elapsed() >= Pacing::DialWaitLimit.count() / 500);
        QVERIFY(offLineLook(f.window));
        QVERIFY(!f.window.MSComm1.PortOpen());
        QCOMPARE(desktop().warnings.size(), 1);
        QCOMPARE(desktop().warnings.first().title, LinkTexts::ModemErrorTitle);
        QCOMPARE(desktop().warnings.first().text,
                 LinkTexts::dialTimedOut(f.window.Modem().cmbModem->currentText(), Pacing::DialWaitLimit));
        QVERIFY(desktop().beeps.isEmpty());
    }

    void hangUp()
    {
        ModemWindowFixture f;
        QVERIFY(connected(f));
        f.clearLine();
        desktop().reset();
        bool hangingShown = false;
        when([&] { return !f.window.lblHanging->isHidden(); },
             [&] { hangingShown = !f.window.cmdPP_Up->isEnabled() && !f.window.mnuProof->isEnabled(); });
        // A second press while the modem hangs up has nothing more to do: no second "+++".
        when([&] { return f.received.contains("+++"); }, [&] { f.window.cmdConnect_Click(); });
        f.window.cmdConnect_Click();
        QVERIFY(hangingShown);
        QVERIFY(f.window.lblConnected->isHidden());
        QCOMPARE(f.received, QByteArrayLiteral("+++ATH\rATZ\r"));
        QVERIFY(!f.window.MSComm1.PortOpen());
        QCOMPARE(desktop().beeps.size(), 1);
        QVERIFY(desktop().warnings.isEmpty());
        QVERIFY(offLineLook(f.window));
        QVERIFY(!f.modem.callUp());
        // The modem's answers, as the hang-up wait saw them.
        QCOMPARE(f.window.picShow->lines().last(), QStringLiteral("OK"));
    }

    // A modem takes "+++" as its escape only after a second of silence on the line; a Disconnect pressed as
    // soon as a settings write has put "777x" on the line must still hang the modem up.
    void hangUpRightAfterAnExchange()
    {
        ModemWindowFixture f;
        QVERIFY(connected(f));
        f.window.cmdPP_Up_Click();
        QVERIFY(f.window.cmdPP_Up->isEnabled());
        QTRY_VERIFY(f.received.endsWith("777x"));
        f.clearLine();
        desktop().reset();
        f.window.cmdConnect_Click();
        QCOMPARE(f.received, QByteArrayLiteral("+++ATH\rATZ\r"));
        QVERIFY(!f.modem.callUp());
        QCOMPARE(desktop().beeps.size(), 1);
        QVERIFY(desktop().warnings.isEmpty());
        QVERIFY(offLineLook(f.window));
    }

    // The modem's port box must name a port, and the port must open: otherwise one message, nothing on the
    // line, and the window stays off line.
    void modemPortThatCannotBeUsed_data()
    {
        QTest::addColumn<QString>("portText");
        QTest::addColumn<QString>("message");
        QTest::newRow("names no port") << "COMX" << LinkTexts::noPort("COMX");
        QTest::newRow("no such device") << "COM 7"
                                        << LinkTexts::openFailure("COM 7", "/nonexistent/sonarelle-tty",
                                                                  "No such file or directory");
    }

    void modemPortThatCannotBeUsed()
    {
        QFETCH(QString, portText);
        QFETCH(QString, message);
        ModemWindowFixture f;
        // COM 7 stands for a device that does not exist, whatever serial ports this machine has.
        const QString com7 = QDir(TestEnvironment::dataFolder()).filePath(QStringLiteral("com7"));
        QFile::remove(com7);
        QVERIFY(QFile::link(QStringLiteral("/nonexistent/sonarelle-tty"), com7));
        f.window.Modem().cmbModem->setCurrentText(portText);
        f.window.cmdConnect_Click();
        QTest::qWait(20);
        QCOMPARE(f.received, QByteArray());
        QVERIFY(!f.window.MSComm1.PortOpen());
        QCOMPARE(desktop().warnings.size(), 1);
        QCOMPARE(desktop().warnings.first().title, LinkTexts::PortErrorTitle);
        QCOMPARE(desktop().warnings.first().text, message);
        QVERIFY(offLineLook(f.window));
    }

    void hangUpWithThePortClosedSendsNothing()
    {
        ModemWindowFixture f;
        QVERIFY(connected(f));
        f.window.MSComm1.PortOpen(false);
        f.clearLine();
        desktop().reset();
        f.window.cmdConnect_Click();
        QTest::qWait(50);
        QCOMPARE(f.received, QByteArray());
        QVERIFY(desktop().beeps.isEmpty());
        QVERIFY(offLineLook(f.window));
    }

    // A modem that never says OK: the hang-up wait's bound ends it; the port is closed all the same.
    void hangUpWaitIsBounded()
    {
        EmulatedModem::Options options;
        options.neverOk = true;
        ModemWindowFixture f(options);
        QVERIFY(connected(f));
        desktop().reset();
        f.window.cmdConnect_Click();
        QVERIFY(!f.window.MSComm1.PortOpen());
        QVERIFY(offLineLook(f.window));
        QVERIFY(desktop().beeps.isEmpty());
        QCOMPARE(desktop().warnings.size(), 1);
        QCOMPARE(desktop().warnings.first().title, LinkTexts::ModemErrorTitle);
        QCOMPARE(desktop().warnings.first().text, LinkTexts::hangupUnconfirmed(Pacing::HangupWaitLimit));
    }

    // A Disconnect pressed while the modem is set up or dialing hangs up, and the connect that it
    // interrupted ends there: nothing more is sent, and the window is off line.
    void disconnectDuringTheConnect_data()
    {
        QTest::addColumn<QByteArray>("pressAfter");
        QTest::addColumn<QByteArray>("sentBefore");
        QTest::newRow("during the set-up")
            << QByteArrayLiteral("ate0\r") << QByteArrayLiteral("ATM1L1\rats37=6\rate0\r");
        QTest::newRow("during the dial wait")
            << QByteArrayLiteral("ATDT5551234\r") << QByteArrayLiteral("ATM1L1\rats37=6\rate0\rat%c0\rATDT5551234\r");
    }

    void disconnectDuringTheConnect()
    {
        QFETCH(QByteArray, pressAfter);
        QFETCH(QByteArray, sentBefore);
        EmulatedModem::Options options;
        options.dial = Outcome::None;
        ModemWindowFixture f(options);
        setDialog(f.window, QStringLiteral("low"), true, false, false, false, QStringLiteral("5551234"));
        when([&] { return f.received.endsWith(pressAfter); }, [&] { f.window.cmdConnect_Click(); });
        f.window.cmdConnect_Click();
        QTest::qWait(100);
        QCOMPARE(f.received, sentBefore + QByteArrayLiteral("+++ATH\rATZ\r"));
        QVERIFY(offLineLook(f.window));
        QVERIFY(!f.window.MSComm1.PortOpen());
        QCOMPARE(desktop().beeps.size(), 1); // the hang-up's
        QVERIFY(desktop().warnings.isEmpty());
        QCOMPARE(f.modem.state(), EmulatedModem::State::Command);
    }

    void exitWhileConnectedSendsNothing()
    {
        ModemWindowFixture f;
        QVERIFY(connected(f));
        f.clearLine();
        desktop().reset();
        desktop().answers = {true};
        f.window.cmdExit_Click();
        QCOMPARE(desktop().ends, 1);
        QVERIFY(!f.window.MSComm1.PortOpen());
        QTest::qWait(50);
        QCOMPARE(f.received, QByteArray());
    }
};

SONARELLE_TEST_MAIN(tst_ModemDialogue)
#include "tst_ModemDialogue.moc"
