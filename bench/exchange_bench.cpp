// Prints what the processor exchanges cost and how long they take on the real clock, with the emulated processor
// on a real pseudo-terminal at the pace of a 2400-baud line: the CPU used by a status read that gets no answer,
// the time from the press of Connect to the lamps showing the values, the time from an adjustment press to
// the write confirmation on the line, and the resident memory once connected.
#include "EmulatedProcessor.h"
#include "Emulator.h"
#include "QuietDesktop.h"
#include "Report.h"
#include "ScratchApplication.h"
#include "app/DataFolder.h"
#include "panel/Lamp.h"
#include "panel/frmMain.h"
#include "settings/ControlValue.h"
#include "settings/frmModem.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QPushButton>
#include <QRadioButton>

#include <vector>

namespace {

void summary(const QString &what, const std::vector<double> &v)
{
    Report::row(QStringLiteral("%1, %2 runs").arg(what).arg(v.size()),
                QStringLiteral("median %1 ms, worst %2 ms")
                    .arg(Report::number(Report::median(v), 1), Report::number(Report::worst(v), 1)));
}

} // namespace

int main(int argc, char *argv[])
{
    ScratchApplication app(argc, argv);
    QuietDesktop desktop;
    Desktop::install(&desktop);

    EmulatedProcessor processor;
    Emulator emulator(&processor, {1, DataFolder::path(), false, false});
    if (!emulator.start()) {
        Report::note() << emulator.error() << "\n";
        return 1;
    }
    QElapsedTimer clock;
    double confirmed = -1;
    QObject::connect(&emulator, &Emulator::crossed, [&](Transcript::Direction d, const QByteArray &bytes) {
        if (d == Transcript::Direction::ToDevice && bytes.contains("777x"))
            confirmed = clock.nsecsElapsed() / 1e6;
    });

    frmMain w;
    w.Form_Load();
    setValue(w.Modem().optDirect, -1);
    w.Modem().cmbPort->setCurrentText(QStringLiteral("COM 1"));

    // 2 s of settling and ten requests 1.5 s apart.
    processor.faults.silent = true;
    const double before = Report::cpuSeconds();
    clock.start();
    w.cmdConnect->click();
    const double seconds = clock.elapsed() / 1000.0;
    Report::row(QStringLiteral("CPU during a status read with no answer (%1 s)").arg(Report::number(seconds, 1)),
                Report::number((Report::cpuSeconds() - before) / seconds * 100, 2) + "% of one core");
    w.cmdConnect->click();
    processor.faults.silent = false;

    // The read paints the lamps as its last step; the press returns right after.
    std::vector<double> connects;
    for (int run = 0; run < 5; ++run) {
        processor.pp = run;
        clock.start();
        w.cmdConnect->click();
        connects.push_back(clock.nsecsElapsed() / 1e6);
        if (!w.picPP[run]->lit()) {
            Report::note() << "the lamps do not show the processor's values\n";
            return 1;
        }
        w.cmdConnect->click();
    }
    summary(QStringLiteral("Connect pressed to the lamps showing the values (by design about 3 s)"), connects);

    processor.pp = 0;
    w.cmdConnect->click();
    std::vector<double> writes;
    for (int run = 0; run < 5; ++run) {
        confirmed = -1;
        clock.start();
        w.cmdPP_Up->click();
        // The emulator reads what the write sent when the event loop next runs.
        QDeadlineTimer deadline(1000);
        while (confirmed < 0 && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        if (confirmed < 0) {
            Report::note() << "the write was not confirmed\n";
            return 1;
        }
        writes.push_back(confirmed);
    }
    summary(QStringLiteral("Adjustment pressed to \"777x\" on the line (by design about 1 s)"), writes);
    Report::row(QStringLiteral("Resident memory once connected (after the presses above)"),
                Report::mib(Report::residentKb()));
    w.cmdConnect->click();

    Desktop::install(nullptr);
    return 0;
}
