// Delay: the one pacing wait of every serial exchange. It lets the event loop run while it waits, so the
// window stays live and any handler may run (and wait) inside it.
#include "panel/frmMain.h"

#include "link/Pacing.h"

#include <QCoreApplication>

#include <cmath>

void frmMain::Delay(float milliseconds)
{
    // One tick per wait, on time: Timer2_Timer stops it anyway, and a coarse timer could add up to 5% to a wait.
    Timer2.setSingleShot(true);
    Timer2.setTimerType(Qt::PreciseTimer);
    // nearbyint rounds a half to the even neighbour (2.5 gives 2, 3.5 gives 4).
    Timer2.setInterval(Pacing::scaled(std::nearbyint(milliseconds)));
    Delay_Pending = -1;
    Timer2.start();
    // Sleeps until the next event (the tick, a click, arriving data) instead of spinning. A Delay nested in a
    // handler that this loop runs re-arms Timer2, and its tick ends this wait too.
    // Timer2_Timer, run from processEvents, clears the flag.
    // cppcheck-suppress knownConditionTrueFalse
    while (Delay_Pending == -1)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void frmMain::Timer2_Timer()
{
    Delay_Pending = 0;
    Timer2.stop();
}
