// Proof mode: the switch and the blinking banner.
#include "panel/frmMain.h"

void frmMain::mnuProof_Click() {}
void frmMain::Proof() {}
void frmMain::Timer1_Timer() {}
