#include "frmModem.h"

frmModem::frmModem(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Modem Settings"));
}
