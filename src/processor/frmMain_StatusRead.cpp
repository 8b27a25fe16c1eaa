// The status read that follows every connect: ask the processor for its settings and proof state, and show them.
#include "panel/frmMain.h"

#include "app/Desktop.h"
#include "link/Pacing.h"
#include "processor/Protocol.h"

#include <QCoreApplication>
#include <QLabel>

void frmMain::Display_Update()
{
    const quint32 line = Begin_Exchange();
    lblUpdating->show();
    Delay(Pacing::StatusSettle.count());
    if (Line_Gone(line))
        return Abandon_Exchange();

    // Whatever came during the settling time (the tail of a modem's connect message) is not the answer.
    MSComm1.InBufferCount(0);
    Rx_Buffer.clear();
    for (int attempt = 0; attempt < Pacing::StatusAttempts; ++attempt) {
        if (MSComm1.PortOpen()) {
            MSComm1.Output(Protocol::StatusRequest.toByteArray());
            Delay(Pacing::StatusReplyWait.count());
        }
        QCoreApplication::processEvents();
        if (Line_Gone(line))
            return Abandon_Exchange();
        if (Protocol::replyArrived(MSComm1.InBufferCount())) {
            Rx_Buffer += MSComm1.Input();
            Desktop::current().beep();
            break;
        }
        // A late or partial answer stays waiting and counts towards the next attempt.
        Delay(Pacing::StatusRetryWait.count());
        if (Line_Gone(line))
            return Abandon_Exchange();
    }

    if (Rx_Buffer.isEmpty()) {
        // No answer: the off-line look, while the connection itself stays up.
        End_Exchange();
        lblOffLine->show();
        Displays_On();
        return;
    }

    Store_Reply(Rx_Buffer);
    if (Proof_Flag == 1 || Proof_Flag == 0)
        Proof_State(Proof_Flag == 1);
    Paint_Levels();
    End_Exchange();
}
