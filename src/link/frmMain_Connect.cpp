// The Connect button: connect and disconnect, by direct cable or through the modem. Its caption is the
// only record of the connection: "&Connect" means off line, anything else on line or on the way there.
#include "panel/frmMain.h"

#include "app/Desktop.h"
#include "link/PortText.h"
#include "settings/frmModem.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {
const QString ConnectCaption = QStringLiteral("&Connect");
const QString DisconnectCaption = QStringLiteral("&Disconnect");
const QString LineSettings = QStringLiteral("2400,n,8,1");
const QString PortErrorTitle = QStringLiteral("PORT ERROR");
const QString LineLostTitle = QStringLiteral("CONNECTION LOST");
} // namespace

void frmMain::cmdConnect_Click()
{
    const bool viaModem = frmModem::value(Modem().optModem) == -1;
    if (cmdConnect->text() == ConnectCaption) {
        cmdConnect->setText(DisconnectCaption);
        mnuModemSettings->setEnabled(true);
        mnuProof->setEnabled(false);
        lblDialing->hide();
        if (viaModem) {
            Desktop::current().warn(this, PortErrorTitle,
                                    QStringLiteral("Modem connections are not available yet. Choose Direct Cable "
                                                   "under Modem > Modem Settings."));
            Offline_Finish();
        } else {
            Direct_Connect();
        }
    } else {
        if (viaModem)
            Offline_Finish();
        else
            Direct_Disconnect();
    }
}

void frmMain::Direct_Connect()
{
    const QString portText = Modem().cmbPort->currentText();
    const std::optional<int> port = portFromText(portText);
    if (!port) {
        Desktop::current().warn(this, PortErrorTitle,
                                QStringLiteral("\"%1\" names no COM port: the port must end in a digit from 1 to 9. "
                                               "Choose the port under Modem > Modem Settings.")
                                    .arg(portText));
        return Offline_Finish();
    }
    MSComm1.CommPort(*port);
    MSComm1.Settings(LineSettings);
    if (!MSComm1.PortOpen()) {
        MSComm1.PortOpen(true);
        if (!MSComm1.PortOpen()) {
            Desktop::current().warn(this, PortErrorTitle, MSComm1.openFailure());
            return Offline_Finish();
        }
        lblConnected->show();
        lblOffLine->hide();
    }
    Online_Finish();
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
    lblOffLine->show();
    lblProof->hide();
    Displays_On();
    ButtonHide();
    Timer1.stop();
}

// The line went away under an open port (the port is already closed): the same off-line look as a
// disconnect, and one message that says so.
void frmMain::Line_Lost(const QString &reason)
{
    if (cmdConnect->text() == ConnectCaption)
        return;
    for (QLabel *banner : {lblConnected, lblUpdating, lblInitializing, lblDialing, lblHanging})
        banner->hide();
    Offline_Finish();
    Desktop::current().warn(this, LineLostTitle,
                            QStringLiteral("The connection to the Sonarelle was lost: %1\n"
                                           "Check the cable or the modem, then press Connect again.")
                                .arg(reason));
}

void frmMain::Modem_status() {}
