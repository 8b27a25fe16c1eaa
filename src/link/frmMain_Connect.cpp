// The Connect button: connect and disconnect, by direct cable or through the modem. Its caption is the
// only record of the connection: "&Connect" means off line, anything else on line or on the way there.
#include "panel/frmMain.h"

#include "app/Desktop.h"
#include "link/LinkTexts.h"
#include "link/PortText.h"
#include "settings/ControlValue.h"
#include "settings/frmModem.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using namespace LinkTexts;

void frmMain::cmdConnect_Click()
{
    if (cmdConnect->text() == ConnectCaption) {
        cmdConnect->setText(DisconnectCaption);
        mnuModemSettings->setEnabled(true);
        mnuProof->setEnabled(false);
        lblDialing->hide();
        if (value(Modem().optModem) == -1)
            Modem_Connect();
        else
            Direct_Connect();
    } else if (Hanging_Up_Line == 0 || Line_Gone(Hanging_Up_Line)) {
        if (value(Modem().optModem) == -1) {
            // A hang-up whose line was lost leaves the window to the report of the loss.
            if (Modem_Hangup())
                Offline_Finish();
        } else {
            Direct_Disconnect();
        }
    }
}

void frmMain::Direct_Connect()
{
    if (!Choose_Port(Modem().cmbPort->currentText()))
        return Offline_Finish();
    // A port still open on another device (the modem's, after a failed dial) is not the one chosen.
    if (MSComm1.PortOpen() && MSComm1.openDevice() != MSComm::deviceName(MSComm1.CommPort()))
        MSComm1.PortOpen(false);
    MSComm1.Settings(PortSettings);
    if (!MSComm1.PortOpen()) {
        const quint32 line = MSComm1.lineGeneration();
        if (!Open_Port()) {
            if (!Connect_Cancelled(line))
                Offline_Finish();
            return;
        }
        lblConnected->show();
        lblOffLine->hide();
    }
    Online_Finish();
}

// Writes the port that a port box names to CommPort; a text that names no port is refused with a message.
bool frmMain::Choose_Port(const QString &portText)
{
    const std::optional<int> port = portFromText(portText);
    if (!port) {
        Desktop::current().warn(this, PortErrorTitle, noPort(portText));
        return false;
    }
    MSComm1.CommPort(*port);
    return true;
}

// Opens the chosen port; one that will not open is reported with the device and the system's reason. A network
// port is waited for with the window live: a disconnect pressed meanwhile cancels the opening, and is not a failure
// to report (the caller finds its connect cancelled).
bool frmMain::Open_Port()
{
    const quint32 line = MSComm1.lineGeneration();
    MSComm1.PortOpen(true);
    // An opening moves the generation on by one. More than that, or a port closed with the generation moved,
    // means that a handler run during the wait closed the port (and perhaps opened it again for a newer connect).
    if (MSComm1.PortOpen())
        return MSComm1.lineGeneration() == line + 1;
    if (!Line_Gone(line))
        Desktop::current().warn(this, PortErrorTitle, MSComm1.openFailure());
    return false;
}

void frmMain::Direct_Disconnect()
{
    lblConnected->hide();
    if (MSComm1.PortOpen())
        MSComm1.PortOpen(false);
    Offline_Finish();
}

void frmMain::Online_Finish()
{
    cmdConnect->setText(DisconnectCaption);
    mnuModemSettings->setEnabled(false);
    mnuProof->setEnabled(true);
    Display_Update();
}

void frmMain::Offline_Finish()
{
    cmdConnect->setText(ConnectCaption);
    mnuProof->setEnabled(false);
    mnuModemSettings->setEnabled(true);
    lblUpdating->hide(); // it stands in front of "Off Line"
    lblOffLine->show();
    lblProof->hide();
    Displays_On();
    ButtonHide();
    Timer1.stop();
}

// The line went away under an open port (the port is already closed): the same off-line look as a
// disconnect, and one message that says so. Whatever was waiting on that line when it went ends without
// touching the window, so this is the one place that puts it off line. A port left open with no connection
// under way (the modem's, after a failed dial) is no connection lost; nor is one after which a newer line has
// been opened.
void frmMain::Line_Lost(const QString &reason)
{
    if (cmdConnect->text() == ConnectCaption || MSComm1.PortOpen())
        return;
    for (QLabel *banner : {lblConnected, lblUpdating, lblInitializing, lblDialing, lblHanging, lblBusy, lblNoDialtone})
        banner->hide();
    Offline_Finish();
    Desktop::current().warn(this, LineLostTitle, lineLost(reason));
}

// The port was closed (a disconnect, a lost line) or closed and opened again since `line` was taken: whatever
// the waiting procedure would still do belongs to a line that is no longer there.
bool frmMain::Line_Gone(quint32 line) const
{
    return MSComm1.lineGeneration() != line;
}

// A disconnect (or a disconnect and a new connect) ran inside one of the connect's waits: the connect
// that was waiting has nothing more to do.
bool frmMain::Connect_Cancelled(quint32 line) const
{
    return cmdConnect->text() == ConnectCaption || Line_Gone(line);
}
