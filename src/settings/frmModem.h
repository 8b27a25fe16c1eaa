#pragma once

#include <QDialog>

// The modem settings dialog. Its controls are the one live store of the connection settings.
class frmModem : public QDialog
{
    Q_OBJECT

public:
    explicit frmModem(QWidget *parent = nullptr);
};
