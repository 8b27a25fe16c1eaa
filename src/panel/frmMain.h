#pragma once

#include "link/MSComm.h"
#include "link/ModemScan.h"

#include <QByteArray>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <QVector>

#include <chrono>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class Lamp;
class ReadoutBox;
class frmAbout;
class frmModem;
class frmPorts;

// The program's one working window. It owns the serial port, both timers and the processor's settings;
// its procedures are spread over the subsystems they belong to:
//   src/panel     the window, its lamps and banners (frmMain.cpp)
//   src/app       exit and the About box (frmMain_Exit.cpp)
//   src/link      Delay, the Connect button and the modem dialogue
//   src/processor the status read, the settings write and the proof switch
//   src/settings  the settings file (Restore_Data, Save_Data) and the Ports window
class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // The load handler: runs Draw_Form. Called once, before the window is first shown.
    void Form_Load();

    // Painting and the adjustment buttons
    void Draw_Form();
    void Peak();
    void Program();
    void High();
    void Low();
    void Displays_On();
    void ButtonHide();
    void ButtonShow();

    // Exit
    void Exit_Program();
    void cmdExit_Click();
    void mnuFileExit_Click();
    void Form_Unload(bool &cancel);
    void mnuAbout_Click();

    // Pacing
    void Delay(float milliseconds);
    void Timer2_Timer();

    // Connection
    void cmdConnect_Click();
    void Modem_status();

    // Processor exchanges
    void Display_Update();
    void Data_Out();
    void cmdPP_Up_Click();
    void cmdPP_Dn_Click();
    void cmdPD_Up_Click();
    void cmdPD_Dn_Click();
    void cmdHigh_Click();
    void cmdLow_Click();
    void mnuProof_Click();
    void Proof();
    void Timer1_Timer();

    // Connection settings
    void Restore_Data();
    void Save_Data();
    void mnuFileSave_Click();
    void mnuModemSettings_Click();
    // The modem settings dialog; made, hidden, on first use.
    frmModem &Modem();
    void mnuPorts_Click();
    // The Ports window; made, hidden, on first use.
    frmPorts &Ports();

    // Controls
    QVector<Lamp *> picPP, picPD, picHQ, picLQ;
    // Label1: the scale labels beside the lamps, column by column (Peak Processing, Program Density, High EQ,
    // Low EQ), each from lamp 0 upward. Label2: the column headings.
    QVector<QLabel *> Label1, Label2;
    QPushButton *cmdPP_Up, *cmdPP_Dn, *cmdPD_Up, *cmdPD_Dn, *cmdHigh, *cmdLow;
    QPushButton *cmdConnect, *cmdExit;
    QLabel *lblNoDialtone, *lblBusy, *lblInitializing, *lblUpdating, *lblOffLine, *lblProof, *lblHanging, *lblConnected,
        *lblDialing;
    ReadoutBox *picShow;
    QMenu *mnuFile, *mnuModem, *mnuHelpMenu;
    QAction *mnuFileSave, *mnuProof, *mnuLine1, *mnuFileExit, *mnuModemSettings, *mnuPorts, *mnuAbout;
    QTimer Timer1;
    QTimer Timer2;
    MSComm MSComm1;

    // Processor settings, as last reported by the processor or stepped by the buttons
    qint16 PP_Level = 0;
    qint16 PD_Level = 0;
    qint16 HQ_Level = 0;
    qint16 LQ_Level = 0;
    qint16 Proof_Flag = 0;

    QByteArray Rx_Buffer;
    QByteArray Tx_Settings;
    QByteArray Modem_Line;
    // What the modem waits have received, kept only as far as the line scan needs it.
    ModemScan::Scanner Modem_Scan;
    QByteArray Modem_Port;
    qint16 Delay_Pending = 0;
    qint16 Beep_Count = 0;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // The branches of the Connect button
    bool Choose_Port(const QString &portText);
    bool Open_Port();
    void Direct_Connect();
    void Direct_Disconnect();
    void Online_Finish();
    void Offline_Finish();
    void Line_Lost(const QString &reason);

    // The line generation (MSComm::lineGeneration) is taken where a wait begins and checked after every wait
    // and every read. Line_Gone: the line it was taken on is no longer the open line (closed, lost, or closed
    // and opened again). Connect_Cancelled: that, or the connect was ended by a disconnect meanwhile.
    bool Line_Gone(quint32 line) const;
    bool Connect_Cancelled(quint32 line) const;

    // The modem dialogue. A modem wait ends on the modem's line, its bound, or Line_Gone.
    enum class Wait_End { Line, Timed_Out, Line_Gone };
    void Modem_Connect();
    bool Modem_Hangup();
    void Modem_Command(const QByteArray &command);
    Wait_End Modem_Wait(quint32 line, std::chrono::milliseconds bound, bool (*done)(QByteArrayView line));
    void Modem_Readout();
    void Dial_Failed(QLabel *banner, quint32 line);

    // What the three processor exchanges share
    quint32 Begin_Exchange();
    void Abandon_Exchange();
    void End_Exchange();
    void Store_Reply(QByteArrayView reply);
    void Proof_State(bool on);
    void Paint_Levels();

    // The line the modem hang-up runs on (0: none); a press meanwhile has nothing more to do.
    quint32 Hanging_Up_Line = 0;

    frmModem *modemForm_ = nullptr;
    frmPorts *portsForm_ = nullptr;
    QPointer<frmAbout> aboutForm_;
};
