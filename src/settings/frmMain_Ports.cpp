// The Ports window, reached from the Modem menu.
#include "panel/frmMain.h"

#include "app/DataFolder.h"
#include "settings/frmPorts.h"

frmPorts &frmMain::Ports()
{
    if (!portsForm_)
        portsForm_ = new frmPorts(this, DataFolder::path());
    return *portsForm_;
}

void frmMain::mnuPorts_Click()
{
    frmPorts &form = Ports();
    form.show();
    form.raise();
    form.activateWindow();
}
