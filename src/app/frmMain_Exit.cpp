// The ways out of the program, and the About box.
#include "panel/frmMain.h"

#include "app/Desktop.h"
#include "app/frmAbout.h"

#include <QCloseEvent>

namespace {
const QString ExitTitle = QStringLiteral("EXIT PROGRAM");
const QString ExitQuestion = QStringLiteral("                Are you sure?   ");
} // namespace

void frmMain::Exit_Program()
{
    if (!Desktop::current().askYesNo(this, ExitTitle, ExitQuestion))
        return;
    if (MSComm1.PortOpen())
        MSComm1.PortOpen(false);
    Desktop::current().endProgram();
}

void frmMain::cmdExit_Click()
{
    Exit_Program();
}

void frmMain::mnuFileExit_Click()
{
    Exit_Program();
}

void frmMain::Form_Unload(bool &cancel)
{
    Exit_Program();
    cancel = true;
}

void frmMain::closeEvent(QCloseEvent *event)
{
    bool cancel = false;
    Form_Unload(cancel);
    if (cancel)
        event->ignore();
    else
        event->accept();
}

void frmMain::mnuAbout_Click()
{
    if (!aboutForm_)
        aboutForm_ = new frmAbout(this);
    aboutForm_->show();
    aboutForm_->raise();
}
