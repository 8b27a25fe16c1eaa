// The Connect button: connect and disconnect, by direct cable or through the modem.
#include "panel/frmMain.h"

void frmMain::cmdConnect_Click() {}

void frmMain::Modem_status() {}
