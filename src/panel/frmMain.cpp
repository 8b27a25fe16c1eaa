#include "frmMain.h"

#include "Lamp.h"
#include "ReadoutBox.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>

frmMain::frmMain(QWidget *parent) : QMainWindow(parent)
{
    auto *client = new QWidget(this);
    setCentralWidget(client);
    for (auto *column : {&picPP, &picPD, &picHQ, &picLQ})
        column->append(new Lamp(client));
    for (auto **button : {&cmdPP_Up, &cmdPP_Dn, &cmdPD_Up, &cmdPD_Dn, &cmdHigh, &cmdLow, &cmdConnect, &cmdExit})
        *button = new QPushButton(client);
    cmdConnect->setText(QStringLiteral("&Connect"));
    cmdExit->setText(QStringLiteral("E&xit"));
    for (auto **banner : {&lblDialing, &lblConnected, &lblHanging, &lblProof, &lblOffLine, &lblUpdating,
                          &lblInitializing, &lblBusy, &lblNoDialtone}) {
        *banner = new QLabel(client);
        (*banner)->hide();
    }
    picShow = new ReadoutBox(client);

    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFileSave = mnuFile->addAction(QStringLiteral("&Save Settings"));
    mnuProof = mnuFile->addAction(QStringLiteral("&Proof"));
    mnuProof->setCheckable(true);
    mnuLine1 = mnuFile->addSeparator();
    mnuFileExit = mnuFile->addAction(QStringLiteral("E&xit"));
    mnuModem = menuBar()->addMenu(QStringLiteral("&Modem"));
    mnuModemSettings = mnuModem->addAction(QStringLiteral("&Modem Settings"));
    mnuHelpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuAbout = mnuHelpMenu->addAction(QStringLiteral("About"));

    connect(cmdExit, &QPushButton::clicked, this, &frmMain::cmdExit_Click);
    connect(mnuFileExit, &QAction::triggered, this, &frmMain::mnuFileExit_Click);
    connect(mnuAbout, &QAction::triggered, this, &frmMain::mnuAbout_Click);
    connect(&Timer2, &QTimer::timeout, this, &frmMain::Timer2_Timer);
    connect(&MSComm1, &MSComm::lineLost, this, &frmMain::Line_Lost);
}

frmMain::~frmMain() = default;

void frmMain::Form_Load()
{
    Draw_Form();
}

void frmMain::Draw_Form()
{
    ButtonHide();
    mnuProof->setEnabled(false);
    Restore_Data();
    lblOffLine->show();
    Timer1.stop();
    mnuProof->setChecked(false);
    Displays_On();
}

namespace {

// Lights the lamp whose index is the value and clears the others; a value out of range lights none.
void paintColumn(const QVector<Lamp *> &lamps, qint16 value)
{
    for (int i = 0; i < lamps.size(); ++i)
        lamps[i]->setLit(i == value);
}

} // namespace

void frmMain::Peak()
{
    paintColumn(picPP, PP_Level);
}

void frmMain::Program()
{
    paintColumn(picPD, PD_Level);
}

void frmMain::High()
{
    paintColumn(picHQ, HQ_Level);
}

void frmMain::Low()
{
    paintColumn(picLQ, LQ_Level);
}

void frmMain::Displays_On()
{
    for (auto *column : {&picPP, &picPD, &picLQ, &picHQ})
        for (Lamp *lamp : *column)
            lamp->setLit(true);
}

void frmMain::ButtonHide()
{
    for (QPushButton *button : {cmdPP_Up, cmdPP_Dn, cmdPD_Up, cmdPD_Dn, cmdHigh, cmdLow})
        button->setEnabled(false);
}

void frmMain::ButtonShow()
{
    for (QPushButton *button : {cmdPP_Up, cmdPP_Dn, cmdPD_Up, cmdPD_Dn, cmdHigh, cmdLow})
        button->setEnabled(true);
}
