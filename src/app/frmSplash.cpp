#include "frmSplash.h"

#include "panel/frmMain.h"

frmSplash::frmSplash(QWidget *parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {}

frmMain *frmSplash::Form_Load()
{
    auto *main = new frmMain;
    main->Form_Load();
    main->show();
    return main;
}
