// Prints what the serial link costs: CPU while waiting, the overshoot of Delay, and the time from Output to the
// bytes at the far end (the emulator, in this process, on a real pseudo-terminal).
#include "EmulatedProcessor.h"
#include "Emulator.h"
#include "app/DataFolder.h"
#include "link/MSComm.h"
#include "panel/frmMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <ctime>
#include <vector>

namespace {

QTextStream out(stdout);

double cpuSeconds()
{
    return double(std::clock()) / CLOCKS_PER_SEC;
}

template<typename F>
void cpuDuring(const QString &what, double seconds, F wait)
{
    const double before = cpuSeconds();
    wait();
    out << what << ": " << QString::number((cpuSeconds() - before) / seconds * 100, 'f', 2) << "% of one core\n"
        << Qt::flush;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Brevantic"));
    QApplication::setApplicationName(QStringLiteral("Sonarelle"));

    EmulatedProcessor processor;
    processor.faults.silent = true;
    Emulator emulator(&processor, {1, DataFolder::path(), false, false});
    if (!emulator.start()) {
        out << emulator.error() << "\n";
        return 1;
    }
    frmMain w;
    w.MSComm1.CommPort(1);
    w.MSComm1.Settings(QStringLiteral("2400,n,8,1"));
    w.MSComm1.PortOpen(true);
    if (!w.MSComm1.PortOpen()) {
        out << w.MSComm1.openFailure() << "\n";
        return 1;
    }

    cpuDuring(QStringLiteral("CPU during Delay(10000)"), 10, [&] { w.Delay(10000); });

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
    out << "Delay(1000) overshoot over 20: median " << QString::number(median(overshoot), 'f', 2) << " ms, worst "
        << QString::number(*std::max_element(overshoot.begin(), overshoot.end()), 'f', 2) << " ms\n";

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
    out << "Output to the far end over 100: median " << QString::number(median(latency), 'f', 1) << " us, worst "
        << QString::number(*std::max_element(latency.begin(), latency.end()), 'f', 1) << " us\n";
    w.MSComm1.PortOpen(false);
    return 0;
}
