// Prints what the processor exchanges cost and how long they take on the real clock, with the emulated processor
// on a real pseudo-terminal at the pace of a 2400-baud line: the CPU used by a status read that gets no answer,
// the time from the press of Connect to the lamps showing the values, and the time from an adjustment press to
// the write confirmation on the line.
#include "EmulatedProcessor.h"
#include "Emulator.h"
#include "app/DataFolder.h"
#include "app/Desktop.h"
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
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <ctime>
#include <vector>

namespace {

QTextStream out(stdout);

// No boxes and no sound: the start-up's settings warning must not wait for a click.
class QuietDesktop final : public Desktop
{
public:
    bool askYesNo(QWidget *, const QString &, const QString &) override { return false; }
    void warn(QWidget *, const QString &, const QString &) override {}
    void beep() override {}
    void endProgram() override {}
};

double cpuSeconds()
{
    return double(std::clock()) / CLOCKS_PER_SEC;
}

QString ms(double v)
{
    return QString::number(v, 'f', 1) + QStringLiteral(" ms");
}

void summary(const QString &what, std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const double median = v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
    out << what << ", " << v.size() << " runs: median " << ms(median) << ", worst " << ms(v.back()) << "\n"
        << Qt::flush;
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
    QuietDesktop desktop;
    Desktop::install(&desktop);

    EmulatedProcessor processor;
    Emulator emulator(&processor, {1, DataFolder::path(), false, false});
    if (!emulator.start()) {
        out << emulator.error() << "\n";
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
    const double before = cpuSeconds();
    clock.start();
    w.cmdConnect->click();
    const double seconds = clock.elapsed() / 1000.0;
    out << "CPU during a status read with no answer (" << QString::number(seconds, 'f', 1) << " s): "
        << QString::number((cpuSeconds() - before) / seconds * 100, 'f', 2) << "% of one core\n"
        << Qt::flush;
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
            out << "the lamps do not show the processor's values\n";
            return 1;
        }
        w.cmdConnect->click();
    }
    summary(QStringLiteral("Connect pressed to the lamps showing the values"), connects);

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
            out << "the write was not confirmed\n";
            return 1;
        }
        writes.push_back(confirmed);
    }
    summary(QStringLiteral("Adjustment pressed to \"777x\" on the line"), writes);
    w.cmdConnect->click();

    Desktop::install(nullptr);
    return 0;
}
