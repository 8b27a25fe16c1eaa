// Prints what the network link costs against the direct line, on the real clock with the emulated processor at the
// pace of a 2400-baud line: the time from the press of Connect to the lamps showing the values over RFC 2217
// through Debian's ser2net on 127.0.0.1 and on the pseudo-terminal itself, and the CPU while a connected network
// line is idle.
#include "EmulatedProcessor.h"
#include "Emulator.h"
#include "QuietDesktop.h"
#include "Report.h"
#include "ScratchApplication.h"
#include "Ser2NetFixture.h"
#include "app/DataFolder.h"
#include "panel/Lamp.h"
#include "panel/frmMain.h"
#include "settings/ControlValue.h"
#include "settings/frmModem.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <vector>

namespace {

// The median time from Connect to the values on the lamps, over five connects on the given port.
std::optional<double> connectTime(frmMain &w, EmulatedProcessor &processor, const QString &port)
{
    w.Modem().cmbPort->setCurrentText(port);
    std::vector<double> times;
    for (int run = 0; run < 5; ++run) {
        processor.pp = run;
        QElapsedTimer clock;
        clock.start();
        w.cmdConnect->click();
        times.push_back(clock.nsecsElapsed() / 1e6);
        const bool shown = w.picPP[run]->lit();
        w.cmdConnect->click();
        if (!shown)
            return std::nullopt;
    }
    return Report::median(times);
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
    Ser2NetFixture server(emulator.device(), Ser2NetFixture::Mode::Rfc2217);
    if (!server.started || !Ser2NetFixture::link(DataFolder::path(), 2, server.address())) {
        Report::note() << "ser2net did not start: " << server.process.readAll() << "\n";
        return 1;
    }

    frmMain w;
    w.Form_Load();
    setValue(w.Modem().optDirect, -1);
    const std::optional<double> direct = connectTime(w, processor, QStringLiteral("COM 1"));
    const std::optional<double> network = connectTime(w, processor, QStringLiteral("COM 2"));
    if (!direct || !network) {
        Report::note() << "the lamps do not show the processor's values\n";
        return 1;
    }
    Report::row(
        QStringLiteral("Connect pressed to the lamps showing the values, median of 5: RFC 2217 through "
                       "ser2net on 127.0.0.1 against the pseudo-terminal itself (goal: within 50 ms)"),
        QStringLiteral("%1 ms against %2 ms (%3 ms more)")
            .arg(Report::number(*network, 1), Report::number(*direct, 1), Report::number(*network - *direct, 1)));

    w.cmdConnect->click();
    const double before = Report::cpuSeconds();
    QEventLoop idle;
    QTimer::singleShot(10000, &idle, &QEventLoop::quit);
    idle.exec();
    Report::row(QStringLiteral("CPU while connected over RFC 2217 with the line idle for 10 s (goal: under 0.1%)"),
                Report::number((Report::cpuSeconds() - before) / 10 * 100, 3) + "% of one core");
    w.cmdConnect->click();

    Desktop::install(nullptr);
    return 0;
}
