// Delay: the one pacing wait of every serial exchange. It lets the event loop run while it waits, so the
// window stays live and any handler may run (and wait) inside it.
#include "panel/frmMain.h"

#include "link/Pacing.h"

#include <QCoreApplication>

#include <cmath>

void frmMain::Delay(float milliseconds)
{
    // nearbyint rounds a half to the even neighbour.
    Timer2.setInterval(Pacing::scaled(std::nearbyint(milliseconds)));
    Delay_Pending = -1;
    Timer2.start();
    while (Delay_Pending == -1)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void frmMain::Timer2_Timer()
{
    Delay_Pending = 0;
    Timer2.stop();
}
