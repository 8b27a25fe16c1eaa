// The settings file: restored into the modem settings dialog at start-up, saved on request.
#include "panel/frmMain.h"

#include "settings/frmModem.h"

frmModem &frmMain::Modem()
{
    if (!modemForm_)
        modemForm_ = new frmModem(this);
    return *modemForm_;
}

void frmMain::Restore_Data()
{
    Modem();
}

void frmMain::Save_Data() {}

void frmMain::mnuFileSave_Click()
{
    Save_Data();
}

void frmMain::mnuModemSettings_Click()
{
    Modem().show();
}
