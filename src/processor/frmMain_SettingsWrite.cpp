// The adjustment buttons and the settings write behind them.
#include "panel/frmMain.h"

#include "app/Desktop.h"
#include "link/Pacing.h"
#include "processor/Protocol.h"
#include "processor/Steps.h"

#include <QCoreApplication>
#include <QLabel>

void frmMain::cmdPP_Up_Click()
{
    PP_Level = Steps::up(PP_Level, Steps::LevelTop);
    Data_Out();
}

void frmMain::cmdPP_Dn_Click()
{
    PP_Level = Steps::down(PP_Level);
    Data_Out();
}

void frmMain::cmdPD_Up_Click()
{
    PD_Level = Steps::up(PD_Level, Steps::LevelTop);
    Data_Out();
}

void frmMain::cmdPD_Dn_Click()
{
    PD_Level = Steps::down(PD_Level);
    Data_Out();
}

void frmMain::cmdHigh_Click()
{
    HQ_Level = Steps::cycle(HQ_Level, Steps::EqTop);
    Data_Out();
}

void frmMain::cmdLow_Click()
{
    LQ_Level = Steps::cycle(LQ_Level, Steps::EqTop);
    Data_Out();
}

void frmMain::Data_Out()
{
    const quint32 line = Begin_Exchange();
    lblUpdating->show();
    ButtonHide();

    const QByteArray settings = Protocol::settingsString(PP_Level, PD_Level, HQ_Level, LQ_Level);
    Tx_Settings = Protocol::settingsMessage(PP_Level, PD_Level, HQ_Level, LQ_Level);
    for (int attempt = 0; attempt < Pacing::WriteAttempts; ++attempt) {
        MSComm1.InBufferCount(0);
        Rx_Buffer.clear();
        if (MSComm1.PortOpen())
            MSComm1.Output(Protocol::WriteCommand.toByteArray());
        if (MSComm1.PortOpen()) {
            MSComm1.Output(Tx_Settings);
            Delay(Pacing::WriteReplyWait.count());
        }
        QCoreApplication::processEvents();
        if (Line_Gone(line))
            return Abandon_Exchange();
        if (Protocol::replyArrived(MSComm1.InBufferCount())) {
            Rx_Buffer += MSComm1.Input();
            if (Protocol::echoFound(Rx_Buffer, settings)) {
                if (MSComm1.PortOpen()) {
                    MSComm1.Output(Protocol::WriteConfirmation.toByteArray());
                    Desktop::current().beep();
                    Store_Reply(Rx_Buffer);
                }
                break;
            }
        }
        Delay(Pacing::WriteRetryWait.count());
        if (Line_Gone(line))
            return Abandon_Exchange();
    }

    Paint_Levels();
    ButtonShow();
    End_Exchange();
}
