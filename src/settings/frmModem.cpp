#include "frmModem.h"

#include "panel/Fonts.h"
#include "panel/Placement.h"
#include "panel/ProgramIcon.h"
#include "panel/Twips.h"
#include "panel/WindowGrey.h"
#include "panel/frmMain.h"
#include "settings/ControlValue.h"
#include "settings/TabControl.h"
#include "settings/TypingLimit.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QColor Red(255, 0, 0);

template <typename Control>
Control *place(Control *control, int left, int top, int width, int height)
{
    control->setGeometry(Twips::rect(left, top, width, height));
    return control;
}

// The boxes draw their frames in the menu colour rather than the colour of the tab control behind them.
void keepOwnFrame(QWidget *control)
{
    QPalette p = control->palette();
    p.setColor(QPalette::Window, QApplication::palette("QMenu").color(QPalette::Window));
    control->setPalette(p);
}

// Frames, option buttons, check boxes and labels on the pages keep the menu colour, whatever the colour
// of the tab control behind them.
template <typename Control>
Control *menuColoured(Control *control)
{
    keepOwnFrame(control);
    control->setAutoFillBackground(true);
    return control;
}

QGroupBox *frame(QWidget *page, const QString &caption)
{
    return menuColoured(new QGroupBox(caption, page));
}

QRadioButton *optionButton(QWidget *parent, const QString &caption)
{
    return menuColoured(new QRadioButton(caption, parent));
}

QCheckBox *checkBox(QWidget *parent, const QString &caption)
{
    return menuColoured(new QCheckBox(caption, parent));
}

QLabel *label(QWidget *parent, const QString &text)
{
    auto *l = menuColoured(new QLabel(text, parent));
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

// The tip labels: Arial 8.25 pt, wrapping; their runs of blanks push the next sentence onto a new line.
QLabel *tipLabel(QWidget *parent, const QString &text)
{
    QLabel *l = label(parent, text);
    l->setFont(Fonts::font(Fonts::Face::Arial, 8.25));
    l->setWordWrap(true);
    return l;
}

QLineEdit *textBox(QWidget *parent, const QString &text, int typingLimit)
{
    auto *box = new QLineEdit(text, parent);
    keepOwnFrame(box);
    TypingLimit::apply(box, typingLimit);
    return box;
}

// An editable box with the four COM ports in its list; typed text is taken as it is, never added to the list.
QComboBox *portBox(QWidget *parent, const QString &text)
{
    auto *box = new QComboBox(parent);
    keepOwnFrame(box);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems({QStringLiteral("COM 1"), QStringLiteral("COM 2"), QStringLiteral("COM 3"), QStringLiteral("COM 4")});
    setText(box, text);
    return box;
}

// One group per frame; a group may have no selection at all.
void group(QGroupBox *frame, std::initializer_list<QRadioButton *> buttons)
{
    auto *g = new QButtonGroup(frame);
    for (QRadioButton *b : buttons)
        g->addButton(b);
}

} // namespace

frmModem::frmModem(frmMain *owner) : QDialog(owner), owner_(owner)
{
    setWindowTitle(QStringLiteral("Modem Settings"));
    setWindowIcon(ProgramIcon::icon());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(Twips::size(4260, 5520));
    setFont(Fonts::font(Fonts::Face::MSSansSerif, 8.25));
    QPalette p = palette();
    p.setColor(QPalette::Window, WindowGrey);
    setPalette(p);
    setAutoFillBackground(true);

    SSTab1 = place(new TabControl(this), 0, 0, 4245, 5535);
    SSTab1->setBackColor(WindowGrey);
    buildConnectionPage(SSTab1->addTab(QStringLiteral("Connection")));
    buildDialingPage(SSTab1->addTab(QStringLiteral("Dialing")));
    buildModemSetupPage(SSTab1->addTab(QStringLiteral("Modem Setup")));
    SSTab1->setCurrentIndex(0);
    SSTab1->setAccessibleName(QStringLiteral("Modem Settings pages"));

    cmdOk = place(new QPushButton(QStringLiteral("&Ok"), this), 1680, 4920, 1095, 495);
    cmdOk->setToolTip(QStringLiteral("Click to Save Changes to Settings"));
    cmdOk->setDefault(true);
    cmdClose = place(new QPushButton(QStringLiteral("&Cancel"), this), 2880, 4920, 1095, 495);
    cmdClose->setToolTip(QStringLiteral("Cl;ick to Exit Setting"));

    setKeyboardOrder();
    connectEvents();

    // Centred on the screen rather than over the main window.
    Placement::centreOnScreen(this);
}

void frmModem::buildConnectionPage(QWidget *page)
{
    Frame4 = place(frame(page, QString()), 240, 480, 3735, 1095);
    Frame4->setToolTip(QStringLiteral("Connect via a Direct Cable or Modem."));
    Frame4->setAccessibleName(QStringLiteral("Connect by"));
    optDirect = place(optionButton(Frame4, QStringLiteral("Direct Cable")), 240, 240, 1455, 255);
    optModem = place(optionButton(Frame4, QStringLiteral("Modem")), 240, 720, 1095, 255);
    group(Frame4, {optDirect, optModem});
    cmbPort = place(portBox(Frame4, QStringLiteral("COM 1")), 1800, 240, 1695, 315);
    cmbPort->setToolTip(QStringLiteral("Pick Direct Cable Com Port"));
    cmbPort->setAccessibleName(QStringLiteral("Direct Cable port"));

    Frame1 = place(frame(page, QStringLiteral("Tip")), 240, 2880, 3735, 1935);
    Label2 = place(tipLabel(Frame1, QStringLiteral("Pick which way you are going to connect your computer to the "
                                                   "Sonarelle.  If by a direct cable, pick which COM port you are "
                                                   "going to use.  (Usually COM1 or COM2)")),
                   360, 480, 3255, 975);
}

void frmModem::buildDialingPage(QWidget *page)
{
    Frame5 = place(frame(page, QString()), 240, 480, 3735, 1095);
    optTone = place(optionButton(Frame5, QStringLiteral("Tone")), 240, 240, 975, 255);
    optPulse = place(optionButton(Frame5, QStringLiteral("Pulse")), 240, 720, 1095, 195);
    group(Frame5, {optTone, optPulse});
    Frame5->setAccessibleName(QStringLiteral("Dialing Mode / Number"));
    Label5 = place(label(Frame5, QStringLiteral("Dialing Mode / Number")), 1200, 240, 2295, 255);
    Label5->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    txtPhoneNumber = place(textBox(Frame5, QString(), 24), 1200, 600, 2295, 285);
    txtPhoneNumber->setToolTip(QStringLiteral("Double Click to Change Phone Number"));
    txtPhoneNumber->setAccessibleName(QStringLiteral("Phone number"));

    chkOutside = place(checkBox(page, QStringLiteral("Dial for outside line.")), 480, 1920, 1695, 375);
    chkOutside->setToolTip(QStringLiteral("Check if you need to dial a number to get an outside line."));
    txt9 = place(textBox(page, QStringLiteral("9"), 5), 3120, 1920, 615, 285);
    txt9->setEnabled(false);
    txt9->setAccessibleName(QStringLiteral("Outside line digits"));
    chkWaiting = place(checkBox(page, QStringLiteral("Disable Call waiting.")), 480, 2400, 1815, 375);
    chkWaiting->setToolTip(QStringLiteral("Check to disable call waiting."));
    txt70 = place(textBox(page, QStringLiteral("*70"), 5), 3120, 2400, 615, 285);
    txt70->setEnabled(false);
    txt70->setAccessibleName(QStringLiteral("Call waiting code"));

    Frame2 = place(frame(page, QStringLiteral("Tip")), 240, 2880, 3735, 1935);
    Label3 = place(tipLabel(Frame2, QStringLiteral("Select which mode your modem will use in dialing on an outside "
                                                   "line.%1If you need to dial a 9 (or other number) to get an "
                                                   "outside line, check that box.%2To disable call waiting while "
                                                   "connected to the Sonarelle, check this box.")
                                        .arg(QString(34, u' '), QString(15, u' '))),
                   360, 360, 3255, 1335);
}

void frmModem::buildModemSetupPage(QWidget *page)
{
    Label6 = place(label(page, QStringLiteral("Modem Port")), 480, 720, 1335, 255);
    cmbModem = place(portBox(page, QStringLiteral("COM 3")), 2040, 720, 1695, 315);
    cmbModem->setToolTip(QStringLiteral("Choose which Com Port your modem is set to."));
    cmbModem->setAccessibleName(QStringLiteral("Modem Port"));

    Frame6 = place(frame(page, QString()), 240, 1080, 3735, 1335);
    Frame6->setToolTip(QStringLiteral("Set the internal Modem Speaker Volume."));
    Frame6->setAccessibleName(QStringLiteral("Modem Speaker Volume"));
    optOff = place(optionButton(Frame6, QStringLiteral("Off")), 240, 120, 1095, 375);
    optLow = place(optionButton(Frame6, QStringLiteral("Low")), 240, 480, 1095, 375);
    optLoud = place(optionButton(Frame6, QStringLiteral("Loud")), 240, 840, 1095, 375);
    group(Frame6, {optOff, optLow, optLoud});
    Label7 = place(label(Frame6, QStringLiteral("Modem Speaker%1Volume").arg(QString(12, u' '))), 2040, 480, 1335, 495);
    Label7->setWordWrap(true);

    chkModemIni = place(checkBox(page, QStringLiteral("Ini. String")), 480, 2475, 975, 375);
    chkModemIni->setToolTip(QStringLiteral("Check to add Custom AT commands to the modem settings."));
    txtModemIni = place(textBox(page, QStringLiteral("AT"), 23), 1560, 2520, 2175, 315);
    txtModemIni->setEnabled(false);
    txtModemIni->setAccessibleName(QStringLiteral("Ini. String command"));

    Frame3 = place(frame(page, QStringLiteral("Tip")), 240, 2880, 3735, 1935);
    Label4 = place(tipLabel(Frame3, QStringLiteral("Pick which ComPort your modem is connected to and what the volume "
                                                   "level you want through your modem's speakers.%1If you need to "
                                                   "send any additional commands to your modem, use the area "
                                                   "provided and check the Ini. String box.")
                                        .arg(QString(9, u' '))),
                   360, 480, 3255, 1335);
}

void frmModem::setKeyboardOrder()
{
    const QList<QWidget *> order{SSTab1,  chkOutside, chkWaiting,     txt9,     txt70,       optDirect,   optModem,
                                 optTone, optPulse,   cmbPort,        cmbModem, txtModemIni, chkModemIni, optOff,
                                 optLow,  optLoud,    txtPhoneNumber, cmdClose, cmdOk};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    // First in the order, the tab control takes the focus when the dialog is first shown.
    SSTab1->setFocus();
}

void frmModem::connectEvents()
{
    // Fired for the operator's changes and the program's alike, so the enable rules always match the values.
    connect(optDirect, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected)
            optDirect_Click();
    });
    connect(optModem, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected)
            optModem_Click();
    });
    const std::pair<QCheckBox *, void (frmModem::*)()> boxes[]{{chkOutside, &frmModem::chkOutside_Click},
                                                               {chkWaiting, &frmModem::chkWaiting_Click},
                                                               {chkModemIni, &frmModem::chkModemIni_Click}};
    for (const auto &[box, handler] : boxes) {
        connect(box, &QCheckBox::stateChanged, this, [this, box = box, handler = handler] {
            // Only a saved file greys a box; once the operator clicks it, it is clear or checked again.
            if (box->checkState() != Qt::PartiallyChecked)
                box->setTristate(false);
            (this->*handler)();
        });
    }
    connect(SSTab1, &TabControl::gotFocus, this, &frmModem::SSTab1_GotFocus);
    connect(cmdOk, &QPushButton::clicked, this, &frmModem::cmdOk_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmModem::cmdClose_Click);
}

void frmModem::FrmModemUpdate()
{
    const bool direct = optDirect->isChecked();
    cmbPort->setEnabled(direct);
    optTone->setEnabled(!direct);
    optPulse->setEnabled(!direct);
    txtPhoneNumber->setEnabled(!direct);
    chkOutside->setEnabled(!direct);
    chkWaiting->setEnabled(!direct);
    txt9->setEnabled(!direct && value(chkOutside) == 1);
    txt70->setEnabled(!direct && value(chkWaiting) == 1);
    cmbModem->setEnabled(!direct);
    optOff->setEnabled(!direct);
    optLow->setEnabled(!direct);
    optLoud->setEnabled(!direct);
    chkModemIni->setEnabled(!direct);
    txtModemIni->setEnabled(!direct && value(chkModemIni) == 1);
}

void frmModem::optDirect_Click()
{
    FrmModemUpdate();
}

void frmModem::optModem_Click()
{
    FrmModemUpdate();
}

void frmModem::chkOutside_Click()
{
    FrmModemUpdate();
}

void frmModem::chkWaiting_Click()
{
    FrmModemUpdate();
}

void frmModem::chkModemIni_Click()
{
    FrmModemUpdate();
}

void frmModem::SSTab1_GotFocus()
{
    FrmModemUpdate();
    SSTab1->setBackColor(Red);
}

void frmModem::cmdOk_Click()
{
    owner_->Save_Data();
    hide();
    bringOwnerForward();
}

void frmModem::cmdClose_Click()
{
    hide();
    bringOwnerForward();
}

void frmModem::bringOwnerForward()
{
    owner_->show();
    owner_->raise();
    owner_->activateWindow();
    owner_->update();
}

void frmModem::reject()
{
    cmdClose->click();
}
