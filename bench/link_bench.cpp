// Prints what the serial link costs: CPU while waiting, the overshoot of Delay, and the time from Output to the
// bytes at the far end (the emulator, in this process, on a real pseudo-terminal).
#include "EmulatedProcessor.h"
#include "Emulator.h"
#include "Report.h"
#include "ScratchApplication.h"
#include "app/DataFolder.h"
#include "link/MSComm.h"
#include "panel/frmMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <vector>

namespace {

template <typename F>
void cpuDuring(const QString &what, double seconds, F wait)
{
    const double before = Report::cpuSeconds();
    wait();
    Report::row(what, Report::number((Report::cpuSeconds() - before) / seconds * 100, 2) + "% of one core");
}

} // namespace

int main(int argc, char *argv[])
{
    ScratchApplication app(argc, argv);

    EmulatedProcessor processor;
    processor.faults.silent = true;
    Emulator emulator(&processor, {1, DataFolder::path(), false, false});
    if (!emulator.start()) {
        Report::note() << emulator.error() << "\n";
        return 1;
    }
    frmMain w;
    w.MSComm1.CommPort(1);
    w.MSComm1.Settings(QStringLiteral("2400,n,8,1"));
    w.MSComm1.PortOpen(true);
    if (!w.MSComm1.PortOpen()) {
        Report::note() << w.MSComm1.openFailure() << "\n";
        return 1;
    }

    cpuDuring(QStringLiteral("CPU during `Delay(10000)`"), 10, [&] { w.Delay(10000); });

    // A wait as the modem dialogue makes it: sleep until something happens, then look at the port, for 10 s on a
    // line where nothing arrives.
    cpuDuring(QStringLiteral("CPU while polling a silent line for 10 s"), 10, [&] {
        QElapsedTimer clock;
        clock.start();
        QTimer bound;
        bound.start(10000);
        while (clock.elapsed() < 10000 && w.MSComm1.InBufferCount() == 0)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    });

    std::vector<double> overshoot;
    for (int i = 0; i < 20; ++i) {
        QElapsedTimer clock;
        clock.start();
        w.Delay(1000);
        overshoot.push_back(clock.nsecsElapsed() / 1e6 - 1000);
    }
    Report::row(QStringLiteral("`Delay(1000)` overshoot, 20 runs"),
                QStringLiteral("median %1 ms, worst %2 ms")
                    .arg(Report::number(Report::median(overshoot), 2), Report::number(Report::worst(overshoot), 2)));

    std::vector<double> latency;
    QElapsedTimer clock;
    bool arrived = false;
    QObject::connect(&emulator, &Emulator::crossed, [&](Transcript::Direction d, const QByteArray &) {
        if (d == Transcript::Direction::ToDevice) {
            latency.push_back(clock.nsecsElapsed() / 1e3);
            arrived = true;
        }
    });
    for (int i = 0; i < 100; ++i) {
        arrived = false;
        clock.start();
        w.MSComm1.Output("90x");
        while (!arrived)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    Report::row(QStringLiteral("`Output` to bytes at the far end, 100 runs"),
                QStringLiteral("median %1 µs, worst %2 µs")
                    .arg(Report::number(Report::median(latency), 1), Report::number(Report::worst(latency), 1)));
    w.MSComm1.PortOpen(false);
    return 0;
}
