// What the status read, the settings write and the proof switch share: one exchange on the line at a time,
// and the end of an exchange whose line has gone under it.
#include "panel/frmMain.h"

#include "processor/Protocol.h"

#include <QAction>
#include <QLabel>

// While an exchange runs, nothing that would start another one can be used: the Proof item is greyed here
// and the adjustment buttons are disabled by each exchange. Returns the line generation the exchange runs on.
quint32 frmMain::Begin_Exchange()
{
    mnuProof->setEnabled(false);
    return MSComm1.lineGeneration();
}

// The disconnect that closed the line has already put the window in its off-line look; the exchange only
// takes its own banner down and sends, beeps and enables nothing more.
void frmMain::Abandon_Exchange()
{
    lblUpdating->hide();
}

void frmMain::End_Exchange()
{
    lblUpdating->hide();
    mnuProof->setEnabled(true);
}

void frmMain::Store_Reply(QByteArrayView reply)
{
    const Protocol::Reply r = Protocol::parseReply(reply);
    PP_Level = r.PP;
    PD_Level = r.PD;
    HQ_Level = r.HQ;
    LQ_Level = r.LQ;
    Proof_Flag = r.Proof;
}

void frmMain::Proof_State(bool on)
{
    if (on) {
        Timer1.start();
        lblProof->show();
        mnuProof->setChecked(true);
        ButtonHide();
    } else {
        Timer1.stop();
        lblProof->hide();
        mnuProof->setChecked(false);
        ButtonShow();
    }
}

void frmMain::Paint_Levels()
{
    Peak();
    Program();
    High();
    Low();
}
