// The adjustment buttons and the settings write behind them.
#include "panel/frmMain.h"

void frmMain::Data_Out() {}
void frmMain::cmdPP_Up_Click() {}
void frmMain::cmdPP_Dn_Click() {}
void frmMain::cmdPD_Up_Click() {}
void frmMain::cmdPD_Dn_Click() {}
void frmMain::cmdHigh_Click() {}
void frmMain::cmdLow_Click() {}
