// Proof mode: the switch from the File menu and the blinking banner.
#include "panel/frmMain.h"

#include "app/Desktop.h"
#include "link/Pacing.h"
#include "processor/Protocol.h"

#include <QAction>
#include <QLabel>

void frmMain::mnuProof_Click()
{
    Proof();
}

void frmMain::Proof()
{
    // The check mark is the window's belief of the processor's state; the switch asks for the other one.
    const qint16 wanted = mnuProof->isChecked() ? 0 : 1;
    const QByteArray command = (wanted == 1 ? Protocol::ProofOnCommand : Protocol::ProofOffCommand).toByteArray();

    const quint32 line = Begin_Exchange();
    ButtonHide();
    if (wanted == 1)
        lblUpdating->show();

    for (int attempt = 0; attempt < Pacing::ProofAttempts; ++attempt) {
        MSComm1.InBufferCount(0);
        Rx_Buffer.clear();
        if (MSComm1.PortOpen()) {
            MSComm1.Output(command);
            Delay(Pacing::ProofReplyWait.count());
            if (Line_Gone(line))
                return Abandon_Exchange();
        }
        for (int poll = 0; poll < Pacing::ProofPolls && !Protocol::replyArrived(MSComm1.InBufferCount()); ++poll) {
            if (MSComm1.PortOpen()) {
                MSComm1.Output(Protocol::StatusRequest.toByteArray());
                Delay(Pacing::ProofReplyWait.count());
                if (Line_Gone(line))
                    return Abandon_Exchange();
            }
        }
        Rx_Buffer += MSComm1.Input();
        // Taking the input may be what finds the line gone.
        if (Line_Gone(line))
            return Abandon_Exchange();
        // A short answer is no report: it must not pass for "off" and zero the settings.
        if (Protocol::proofReportFound(Rx_Buffer, wanted)) {
            Store_Reply(Rx_Buffer);
            break;
        }
    }

    Proof_State(Proof_Flag == 1);
    Paint_Levels();
    End_Exchange();
}

void frmMain::Timer1_Timer()
{
    lblProof->setVisible(lblProof->isHidden());
    if (++Beep_Count >= Pacing::BlinkTicksPerBeep) {
        Desktop::current().beep();
        Beep_Count = 0;
    }
}
