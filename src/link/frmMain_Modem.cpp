// The modem dialogue: set the modem up, dial, wait for its result; and hang it up again.
#include "panel/frmMain.h"

#include "app/Desktop.h"
#include "link/DialString.h"
#include "link/LinkTexts.h"
#include "link/Pacing.h"
#include "link/PortText.h"
#include "panel/ReadoutBox.h"
#include "settings/ControlValue.h"
#include "settings/frmModem.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

using namespace LinkTexts;

namespace {
const QByteArray CR = QByteArrayLiteral("\r");
const QByteArray Escape = QByteArrayLiteral("+++");
const QByteArray HangUp = QByteArrayLiteral("ATH");
const QByteArray Reset = QByteArrayLiteral("ATZ");
const QList<QByteArray> SetUp{QByteArrayLiteral("ats37=6"), QByteArrayLiteral("ate0"), QByteArrayLiteral("at%c0")};

bool isOk(QByteArrayView line)
{
    return ModemScan::endsWithOk(line);
}

bool endsDial(QByteArrayView line)
{
    return ModemScan::dialOutcome(line).result != ModemScan::DialResult::None;
}
} // namespace

void frmMain::Modem_Connect()
{
    frmModem &settings = Modem();
    lblInitializing->show();
    const QString portText = settings.cmbModem->currentText();
    Modem_Port = portText.trimmed().right(1).toLatin1();
    if (MSComm1.PortOpen())
        MSComm1.PortOpen(false);
    if (!Choose_Port(portText)) {
        lblInitializing->hide();
        return Offline_Finish();
    }
    quint32 line = MSComm1.lineGeneration();
    // A disconnect pressed during one of the waits below has hung up and put the window off line: the
    // connect takes its own banners down and does nothing more.
    const auto cancelled = [this, &line] {
        if (!Connect_Cancelled(line))
            return false;
        lblInitializing->hide();
        lblDialing->hide();
        return true;
    };
    Delay(Pacing::ModemPortWait.count());
    if (cancelled())
        return;
    MSComm1.Settings(PortSettings);
    Delay(Pacing::ModemPortWait.count());
    if (cancelled())
        return;
    if (!Open_Port()) {
        if (cancelled())
            return;
        lblInitializing->hide();
        return Offline_Finish();
    }
    line = MSComm1.lineGeneration();

    const QByteArray speaker = DialString::speakerCommand(value(settings.optOff) == -1, value(settings.optLow) == -1,
                                                          value(settings.optLoud) == -1);
    QList<QByteArray> commands;
    if (!speaker.isEmpty())
        commands << speaker;
    commands << SetUp;
    for (const QByteArray &command : std::as_const(commands)) {
        Modem_Command(command);
        if (cancelled())
            return;
    }
    if (value(settings.chkModemIni) == 1) {
        Modem_Command(settings.txtModemIni->text().toLatin1());
        if (cancelled())
            return;
    }

    const bool tone = value(settings.optTone) == -1;
    const QString prefixes = DialString::dialPrefixes(value(settings.chkOutside) == 1, settings.txt9->text(),
                                                      value(settings.chkWaiting) == 1, settings.txt70->text());
    lblOffLine->hide();
    const QString number = settings.txtPhoneNumber->text();
    lblDialing->setText(DialString::dialingBanner(prefixes, number));
    lblInitializing->hide();
    lblDialing->show();

    MSComm1.Output(DialString::dialString(tone, prefixes, number));
    // The answers to the set-up commands are of no interest; the dial's result is.
    MSComm1.InBufferCount(0);
    Rx_Buffer.clear();
    Modem_Scan.clear();
    const Wait_End end = Modem_Wait(line, Pacing::DialWaitLimit, endsDial);
    if (cancelled() || end == Wait_End::Line_Gone)
        return;

    lblDialing->hide();
    if (end == Wait_End::Timed_Out) {
        // Any character makes a modem that is still dialing give up the call; dropping the line (DTR) does it
        // only for a modem that heeds DTR.
        MSComm1.Output(CR);
        MSComm1.PortOpen(false);
        lblOffLine->show();
        Offline_Finish();
        Desktop::current().warn(this, ModemErrorTitle, dialTimedOut(portText, Pacing::DialWaitLimit));
        return;
    }

    const ModemScan::DialOutcome outcome = ModemScan::dialOutcome(Modem_Line);
    switch (outcome.result) {
    case ModemScan::DialResult::Connected:
        lblConnected->show();
        Desktop::current().beep();
        MSComm1.watchCall(true);
        return Online_Finish();
    case ModemScan::DialResult::Busy: return Dial_Failed(lblBusy, line);
    case ModemScan::DialResult::NoDialtone: return Dial_Failed(lblNoDialtone, line);
    case ModemScan::DialResult::Failed:
        // The modem's own word, where the dialing banner stood.
        lblDialing->setText(QStringLiteral("             ") + QString::fromLatin1(outcome.word));
        return Dial_Failed(lblDialing, line);
    case ModemScan::DialResult::None: break;
    }
}

// Shows why the dial failed for a while, then goes off line. The port stays open: the modem is back in its
// command state, and the next connect closes and reopens the port. When the line went during the banner's
// time, whoever closed it (a disconnect, the report of a lost line) has put the window off line already, and
// a connect may have been made since: the banner goes and nothing else is touched.
void frmMain::Dial_Failed(QLabel *banner, quint32 line)
{
    banner->show();
    Delay(Pacing::ModemBannerTime.count());
    banner->hide();
    if (Line_Gone(line))
        return;
    lblOffLine->show();
    Offline_Finish();
}

// Hangs the modem up and closes its port. False when the line was lost on the way: the window is then left to
// the report of the loss (and to any connection made since).
bool frmMain::Modem_Hangup()
{
    if (!MSComm1.PortOpen())
        return true;
    const quint32 line = MSComm1.lineGeneration();
    Hanging_Up_Line = line;
    // The call ends here: the modem's "NO CARRIER" for "ATH" is no loss.
    MSComm1.watchCall(false);
    lblConnected->hide();
    lblUpdating->hide();
    ButtonHide();
    // Nothing may talk to the processor through a modem that is being hung up.
    mnuProof->setEnabled(false);
    lblHanging->show();

    Wait_End end = Wait_End::Line_Gone;
    // A modem takes "+++" as its escape only after a silence (its S12, a second) counted from the end of the
    // last character on the wire, and the last exchange may have ended just now: what was written must have
    // left the port before the silence starts, and the wait keeps a margin. The same holds after "+++".
    if (MSComm1.drain())
        Delay(Pacing::ModemEscapeSilence.count());
    if (!Line_Gone(line)) {
        MSComm1.Output(Escape);
        if (MSComm1.drain())
            Delay(Pacing::ModemGuardTime.count());
    }
    if (!Line_Gone(line)) {
        Modem_Command(HangUp);
        MSComm1.InBufferCount(0);
    }
    if (!Line_Gone(line))
        Modem_Command(Reset);
    if (!Line_Gone(line)) {
        // The scan goes on from what was received before (the last processor reply); the modem's leading
        // line end parts the two.
        Modem_Scan.clear();
        Modem_Scan.append(Rx_Buffer);
        end = Modem_Wait(line, Pacing::HangupWaitLimit, isOk);
    }
    if (Hanging_Up_Line == line)
        Hanging_Up_Line = 0;
    if (end == Wait_End::Line_Gone)
        return false;

    lblHanging->hide();
    if (MSComm1.PortOpen())
        MSComm1.PortOpen(false);
    if (end == Wait_End::Line)
        Desktop::current().beep();
    else
        Desktop::current().warn(this, ModemErrorTitle, hangupUnconfirmed(Pacing::HangupWaitLimit));
    return true;
}

// Sends one command to the modem, with its CR, and gives the modem a second for it.
void frmMain::Modem_Command(const QByteArray &command)
{
    if (!MSComm1.PortOpen())
        return;
    MSComm1.Output(command + CR);
    Delay(Pacing::ModemCommandWait.count());
}

// Reads the modem's answers as they arrive until `done` accepts its latest line, the port goes, or the
// bound runs out. The wait sleeps until something happens: arriving text, a click, the bound's tick.
frmMain::Wait_End frmMain::Modem_Wait(quint32 line, std::chrono::milliseconds bound, bool (*done)(QByteArrayView line))
{
    bool timedOut = false;
    QTimer limit;
    limit.setSingleShot(true);
    connect(&limit, &QTimer::timeout, this, [&timedOut] { timedOut = true; });
    limit.start(Pacing::scaled(double(bound.count())));
    for (;;) {
        QCoreApplication::processEvents(MSComm1.InBufferCount() == 0 ? QEventLoop::WaitForMoreEvents
                                                                     : QEventLoop::AllEvents);
        if (Line_Gone(line))
            return Wait_End::Line_Gone;
        if (MSComm1.InBufferCount() != 0) {
            Modem_Scan.append(MSComm1.Input());
            Modem_status();
            Modem_Readout();
            if (done(Modem_Line))
                return Wait_End::Line;
        }
        if (timedOut)
            return Wait_End::Timed_Out;
    }
}

void frmMain::Modem_status()
{
    Modem_Line = Modem_Scan.line();
}

void frmMain::Modem_Readout()
{
    picShow->Cls();
    picShow->Print(QString::number(Modem_Scan.received()));
    picShow->Print(QString::fromLatin1(Modem_Line));
}
