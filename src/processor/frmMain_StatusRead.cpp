// The status read that follows every connect.
#include "panel/frmMain.h"

void frmMain::Display_Update() {}
