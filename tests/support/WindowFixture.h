#pragma once

#include "EmulatorFixture.h"
#include "TestMain.h"

#include "link/Pacing.h"
#include "panel/frmMain.h"
#include "settings/ControlValue.h"
#include "settings/frmModem.h"

#include <QComboBox>
#include <QRadioButton>

// The main window after start-up, set to Direct Cable on COM 1, with the emulated processor on COM 1 at the
// other end of a real pseudo-terminal. The window's waits run `clockRate` times faster than real time.
// The start-up's own messages (no settings file yet) are cleared from the fake desktop.
struct WindowFixture
{
    explicit WindowFixture(double clockRate = 50) : clockSet((Pacing::setTestClockRate(clockRate), true))
    {
        window.Form_Load();
        setValue(window.Modem().optDirect, -1);
        window.Modem().cmbPort->setCurrentText(QStringLiteral("COM 1"));
        TestEnvironment::desktop().reset();
    }

    ~WindowFixture()
    {
        if (window.MSComm1.PortOpen())
            window.MSComm1.PortOpen(false);
        Pacing::setTestClockRate(1);
    }

    bool clockSet; // set before the window is made: its timers take their intervals from the clock rate
    EmulatorFixture line;
    frmMain window;
};
