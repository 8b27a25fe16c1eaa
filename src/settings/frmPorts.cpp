#include "frmPorts.h"

#include "app/Desktop.h"
#include "link/PortName.h"
#include "link/PortTarget.h"
#include "panel/Fonts.h"
#include "panel/ProgramIcon.h"
#include "panel/Twips.h"
#include "panel/WindowGrey.h"
#include "settings/SettingsTexts.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QTreeWidget>

namespace {

template <typename Control>
Control *place(Control *control, int left, int top, int width, int height)
{
    control->setGeometry(Twips::rect(left, top, width, height));
    return control;
}

QLabel *label(QWidget *parent, const QString &text, QWidget *buddy)
{
    auto *l = new QLabel(text, parent);
    l->setBuddy(buddy);
    return l;
}

// How the question names what is there now.
QString whatIsThere(int n, const PortEntry &e)
{
    switch (e.kind) {
    case PortEntry::Kind::Foreign: return SettingsTexts::foreignEntry(e.problem, n);
    case PortEntry::Kind::Unreadable:
        if (e.text.isEmpty())
            return SettingsTexts::unreadableEntry(n, e.problem);
        return SettingsTexts::unreadableLink(e.text, e.problem);
    default: return e.text;
    }
}

#ifdef Q_OS_WIN
// On Windows COM n is the system's port COMn, present or not.
PortRow systemRow(int n, const QList<SystemPort> &ports)
{
    const QString name = QStringLiteral("COM%1").arg(n);
    for (const SystemPort &port : ports)
        if (port.device.section(u'\\', -1).compare(name, Qt::CaseInsensitive) == 0) // \\.\COM3
            return {name, port.about().isEmpty() ? QStringLiteral("present") : port.about()};
    return {name, QStringLiteral("not present")};
}
#endif

} // namespace

frmPorts::frmPorts(QWidget *owner, const QString &folder) : QDialog(owner), links_(folder)
{
    setWindowTitle(SettingsTexts::PortsTitle);
    setWindowIcon(ProgramIcon::icon());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(Twips::size(7800, 5235));
    setFont(Fonts::font(Fonts::Face::MSSansSerif, 8.25));
    paintWindowGrey(this);

    lstPorts = place(new QTreeWidget(this), 120, 390, 7560, 2460);
    lstPorts->setAccessibleName(QStringLiteral("COM ports"));
    lstPorts->setRootIsDecorated(false);
    lstPorts->setUniformRowHeights(true);
    lstPorts->setAllColumnsShowFocus(true);
    lstPorts->setHeaderLabels({QStringLiteral("Port"), QStringLiteral("Stands for"), QStringLiteral("State")});
    lstPorts->header()->setStretchLastSection(true);
    lstPorts->setColumnWidth(0, Twips::px(900));
    lstPorts->setColumnWidth(1, Twips::px(3600));
    for (int n = PortLinks::First; n <= PortLinks::Last; ++n)
        lstPorts->addTopLevelItem(new QTreeWidgetItem(QStringList{PortName::label(n)}));
    lstPorts->setCurrentItem(lstPorts->topLevelItem(0));
    lblPorts = place(label(this, QStringLiteral("COM &ports and what they stand for:"), lstPorts), 120, 120, 7560, 255);

    fraAssign = place(new QGroupBox(this), 120, 2940, 7560, 1560);
    optSerial = place(new QRadioButton(QStringLiteral("&Serial port"), fraAssign), 120, 300, 1440, 255);
    cmbSerial = place(new QComboBox(fraAssign), 1680, 270, 5760, 315);
    cmbSerial->setAccessibleName(QStringLiteral("Serial port of the system"));
    optNetwork = place(new QRadioButton(QStringLiteral("Net&work"), fraAssign), 120, 720, 1440, 255);
    txtHost = place(new QLineEdit(fraAssign), 2160, 705, 2520, 285);
    txtHost->setAccessibleName(QStringLiteral("Host"));
    txtHost->setToolTip(QStringLiteral("The device server's host name or IP address"));
    lblHost = place(label(fraAssign, QStringLiteral("&Host"), txtHost), 1680, 720, 480, 255);
    txtTcpPort = place(new QLineEdit(fraAssign), 5280, 705, 720, 285);
    txtTcpPort->setValidator(new QIntValidator(1, 65535, txtTcpPort));
    txtTcpPort->setAccessibleName(QStringLiteral("TCP port"));
    txtTcpPort->setToolTip(QStringLiteral("The device server's TCP port for this line, 1 to 65535"));
    lblTcpPort = place(label(fraAssign, QStringLiteral("Por&t"), txtTcpPort), 4800, 720, 480, 255);
    cmbProtocol = place(new QComboBox(fraAssign), 6120, 690, 1320, 315);
    cmbProtocol->addItems({QStringLiteral("RFC 2217"), QStringLiteral("Raw TCP")});
    cmbProtocol->setAccessibleName(QStringLiteral("Protocol"));
    cmbProtocol->setToolTip(QStringLiteral("RFC 2217 when the device server sets the line's speed and format itself; "
                                           "raw TCP when the server's port is set up for 2400,n,8,1"));
    optNone = place(new QRadioButton(QStringLiteral("&None: the built-in port"), fraAssign), 120, 1140, 3600, 255);

    cmdRefresh = place(new QPushButton(QStringLiteral("&Refresh"), this), 120, 4620, 1095, 495);
    cmdRefresh->setToolTip(QStringLiteral("Read the system's serial ports and the COM ports again"));
    cmdAssign = place(new QPushButton(QStringLiteral("&Assign"), this), 5280, 4620, 1095, 495);
    cmdAssign->setToolTip(QStringLiteral("Let the chosen COM port stand for the choice above, now"));
    cmdAssign->setDefault(true);
    cmdClose = place(new QPushButton(QStringLiteral("&Close"), this), 6480, 4620, 1095, 495);

    lblNote = place(new QLabel(QStringLiteral("On Windows, COM n is the system's port COMn. Network targets are "
                                              "not available on Windows yet."),
                               this),
                    120, 2940, 7560, 1560);
    lblNote->setWordWrap(true);
    lblNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
#ifdef Q_OS_WIN
    fraAssign->hide();
    cmdAssign->hide();
#else
    lblNote->hide();
#endif

    const QList<QWidget *> order{lstPorts,    optSerial, cmbSerial, optNetwork, txtHost, txtTcpPort,
                                 cmbProtocol, optNone,   cmdAssign, cmdRefresh, cmdClose};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    for (QRadioButton *option : {optSerial, optNetwork, optNone})
        connect(option, &QRadioButton::toggled, this, &frmPorts::FrmPortsUpdate);
    connect(lstPorts, &QTreeWidget::currentItemChanged, this, &frmPorts::lstPorts_Click);
    connect(cmdRefresh, &QPushButton::clicked, this, &frmPorts::cmdRefresh_Click);
    connect(cmdAssign, &QPushButton::clicked, this, &frmPorts::cmdAssign_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmPorts::cmdClose_Click);

    optNone->setChecked(true);
    lstPorts_Click();
    lstPorts->setFocus();
    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
}

int frmPorts::chosenPort() const
{
    const int row = lstPorts->indexOfTopLevelItem(lstPorts->currentItem());
    return row < 0 ? PortLinks::First : PortLinks::First + row;
}

void frmPorts::cmdRefresh_Click()
{
    ports_ = SystemPorts::list();
    fillSerialChoices();
    fillPortList();
}

void frmPorts::showEvent(QShowEvent *event)
{
    // Opening the window reads everything afresh, and the choices show what the chosen port stands for.
    if (!event->spontaneous()) {
        cmdRefresh_Click();
        lstPorts_Click();
    }
    QDialog::showEvent(event);
}

void frmPorts::fillSerialChoices()
{
    const QString chosen = cmbSerial->currentData().toString();
    cmbSerial->clear();
    for (const SystemPort &port : ports_) {
        const QString about = port.about();
        cmbSerial->addItem(about.isEmpty() ? port.device : QStringLiteral("%1 (%2)").arg(port.device, about),
                           port.linkTarget());
        cmbSerial->setItemData(cmbSerial->count() - 1, port.linkTarget(), Qt::ToolTipRole);
    }
    if (ports_.isEmpty())
        cmbSerial->addItem(QStringLiteral("The system reports no serial port now"), QString());
    cmbSerial->setCurrentIndex(std::max(0, cmbSerial->findData(chosen)));
}

void frmPorts::fillPortList()
{
    for (int n = PortLinks::First; n <= PortLinks::Last; ++n) {
#ifdef Q_OS_WIN
        const PortRow row = systemRow(n, ports_);
#else
        const PortRow row = PortLinks::row(n, links_.entry(n), ports_);
#endif
        QTreeWidgetItem *item = lstPorts->topLevelItem(n - PortLinks::First);
        item->setText(1, row.standsFor);
        item->setText(2, row.state);
        item->setToolTip(1, row.standsFor);
        item->setToolTip(2, row.state);
    }
}

void frmPorts::lstPorts_Click()
{
    const int n = chosenPort();
    fraAssign->setTitle(QStringLiteral("Let %1 stand for").arg(PortName::label(n)));
    const PortEntry e = links_.entry(n);
    switch (e.kind) {
    case PortEntry::Kind::None: optNone->setChecked(true); break;
    case PortEntry::Kind::Rfc2217:
    case PortEntry::Kind::Tcp:
        if (const std::optional<PortTarget> target = PortTarget::parse(e.text)) {
            optNetwork->setChecked(true);
            txtHost->setText(target->host);
            txtTcpPort->setText(QString::number(target->port));
            cmbProtocol->setCurrentIndex(e.kind == PortEntry::Kind::Rfc2217 ? 0 : 1);
        }
        break;
    case PortEntry::Kind::Device:
    case PortEntry::Kind::ById:
    case PortEntry::Kind::Absent:
        optSerial->setChecked(true);
        // The system's port by the name written, or by the device it leads to (a link made by hand to
        // /dev/ttyUSB0 is the adapter listed under its stable name).
        for (qsizetype i = 0; i < ports_.size(); ++i)
            if (ports_[i].linkTarget() == e.text
                || (!e.device.isEmpty() && QFileInfo(ports_[i].device).canonicalFilePath() == e.device))
                cmbSerial->setCurrentIndex(int(i));
        break;
    case PortEntry::Kind::Unreadable:
    case PortEntry::Kind::Foreign: break;
    }
    FrmPortsUpdate();
}

void frmPorts::FrmPortsUpdate()
{
    cmbSerial->setEnabled(optSerial->isChecked());
    for (QWidget *control : std::initializer_list<QWidget *>{lblHost, txtHost, lblTcpPort, txtTcpPort, cmbProtocol})
        control->setEnabled(optNetwork->isChecked());
}

std::optional<QString> frmPorts::chosenTarget()
{
    if (optNone->isChecked())
        return QString();
    if (optSerial->isChecked()) {
        const QString device = cmbSerial->currentData().toString();
        if (device.isEmpty())
            Desktop::current().warn(this, SettingsTexts::PortsTitle, SettingsTexts::NoSerialPort);
        return device.isEmpty() ? std::nullopt : std::optional(device);
    }
    PortTarget address;
    address.kind = cmbProtocol->currentIndex() == 0 ? PortTarget::Kind::Rfc2217 : PortTarget::Kind::Tcp;
    address.host = txtHost->text().trimmed();
    if (address.host.startsWith(u'[') && address.host.endsWith(u']'))
        address.host = address.host.mid(1, address.host.size() - 2);
    address.port = quint16(txtTcpPort->text().toUInt());
    if (!PortTarget::parse(address.text())) {
        Desktop::current().warn(this, SettingsTexts::PortsTitle, SettingsTexts::NoAddress);
        return std::nullopt;
    }
    return address.text();
}

bool frmPorts::operatorAgrees(int n, const PortEntry &now, const QString &target)
{
    if (!links_.needsAsking(n, now))
        return true;
    const QString label = PortName::label(n);
    const QString change =
        target.isEmpty() ? SettingsTexts::clearTo(label, PortName::builtIn(n)) : SettingsTexts::replaceWith(target);
    return Desktop::current().askYesNo(this, SettingsTexts::PortsTitle,
                                       SettingsTexts::setOutside(label, whatIsThere(n, now), change));
}

void frmPorts::cmdAssign_Click()
{
    const int n = chosenPort();
    const std::optional<QString> target = chosenTarget();
    if (!target)
        return;
    const PortEntry now = links_.entry(n);
    if (target->isEmpty() ? now.kind == PortEntry::Kind::None : now.text == *target)
        return cmdRefresh_Click(); // already so
    if (!operatorAgrees(n, now, *target))
        return;
    QString error;
    const bool written = target->isEmpty() ? links_.clear(n, now, &error) : links_.assign(n, *target, now, &error);
    cmdRefresh_Click();
    if (!written)
        Desktop::current().warn(this, SettingsTexts::PortsTitle, SettingsTexts::notWritten(error, PortName::label(n)));
}

void frmPorts::cmdClose_Click()
{
    hide();
}

void frmPorts::reject()
{
    cmdClose->click();
}
