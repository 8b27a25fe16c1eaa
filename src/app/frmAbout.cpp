#include "frmAbout.h"

frmAbout::frmAbout(QWidget *owner) : QWidget(owner, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("About "));
}
