#pragma once

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TabControl;
class frmMain;

// The modem settings dialog. Its controls are the one live store of the connection settings: the connect
// logic reads them by name when it needs them (option buttons and check boxes through value(), see
// settings/ControlValue.h), the settings file fills them at start-up and saves them when asked.
// Made hidden once and kept for the whole run; OK, Cancel, Esc and the close box only hide it.
class frmModem : public QDialog
{
    Q_OBJECT

public:
    explicit frmModem(frmMain *owner);

    // Applies the enable rules to the settings controls; changes no value.
    void FrmModemUpdate();

    void optDirect_Click();
    void optModem_Click();
    void chkOutside_Click();
    void chkWaiting_Click();
    void chkModemIni_Click();
    void SSTab1_GotFocus();
    void cmdOk_Click();
    void cmdClose_Click();

    TabControl *SSTab1;

    // Page "Connection"
    QGroupBox *Frame4;
    QRadioButton *optDirect, *optModem;
    QComboBox *cmbPort;
    QGroupBox *Frame1;
    QLabel *Label2;

    // Page "Dialing"
    QGroupBox *Frame5;
    QRadioButton *optTone, *optPulse;
    QLabel *Label5;
    QLineEdit *txtPhoneNumber;
    QCheckBox *chkOutside;
    QLineEdit *txt9;
    QCheckBox *chkWaiting;
    QLineEdit *txt70;
    QGroupBox *Frame2;
    QLabel *Label3;

    // Page "Modem Setup"
    QLabel *Label6;
    QComboBox *cmbModem;
    QGroupBox *Frame6;
    QRadioButton *optOff, *optLow, *optLoud;
    QLabel *Label7;
    QCheckBox *chkModemIni;
    QLineEdit *txtModemIni;
    QGroupBox *Frame3;
    QLabel *Label4;

    QPushButton *cmdOk, *cmdClose;

public slots:
    // Esc and the window's close box act as Cancel.
    void reject() override;

private:
    void buildConnectionPage(QWidget *page);
    void buildDialingPage(QWidget *page);
    void buildModemSetupPage(QWidget *page);
    void setKeyboardOrder();
    void connectEvents();
    void bringOwnerForward();

    frmMain *owner_;
};
