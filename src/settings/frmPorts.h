#pragma once

#include "settings/PortLinks.h"
#include "settings/SystemPorts.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;

// The Ports window: what COM 1 to COM 9 stand for, and the means to point one at a serial port of the system,
// at a device server on the network, or back at the built-in port. A change is written at once, as the link
// com<n> in the data folder (see PortLinks); the next connect on that port follows it.
// Made hidden once and kept for the whole run, so that it knows which links it wrote itself.
class frmPorts : public QDialog
{
    Q_OBJECT

public:
    // `folder` holds the links: the program's data folder.
    frmPorts(QWidget *owner, const QString &folder);

    // Reads the system's serial ports and what each COM n stands for, again (and when the window opens).
    void cmdRefresh_Click();
    // Writes the choice for the chosen port, asking first before it replaces what it did not write itself.
    void cmdAssign_Click();
    void cmdClose_Click();
    // A port chosen in the list: the choices below show what it stands for now.
    void lstPorts_Click();
    // Enables the controls of the chosen kind of target only.
    void FrmPortsUpdate();

    // The port chosen in the list, 1 to 9.
    int chosenPort() const;

    QLabel *lblPorts;
    QTreeWidget *lstPorts; // one row per port: "COM n", what it stands for, its state
    QGroupBox *fraAssign;
    QRadioButton *optSerial, *optNetwork, *optNone;
    QComboBox *cmbSerial; // the system's serial ports; each item's data is the link target
    QLabel *lblHost;
    QLineEdit *txtHost;
    QLabel *lblTcpPort;
    QLineEdit *txtTcpPort;
    QComboBox *cmbProtocol;
    QLabel *lblNote; // on Windows only, where the window only shows
    QPushButton *cmdAssign, *cmdRefresh, *cmdClose;

public slots:
    // Esc and the close box act as Close.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void fillPortList();
    void fillSerialChoices();
    // The target the choices name: a link text, an empty text for the built-in port, nothing when the
    // choices name no usable target (the operator has been told why).
    std::optional<QString> chosenTarget();
    bool operatorAgrees(int n, const PortEntry &now, const QString &target);

    PortLinks links_;
    QList<SystemPort> ports_;
};
