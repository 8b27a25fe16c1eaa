// Soak: the main window against the emulated processor, first over a direct cable, then through the emulated
// modem, each on a real pseudo-terminal in this process. On each route it runs connect/disconnect cycles, then
// adjustments, then proof switches, checks every exchange, and prints how many were accepted with the
// resident memory and open file descriptors along the way.
//
//     soak [adjustments proof-switches cycles [clock-rate]]      (defaults 1000 100 100 50)
//
// The window's waits run clock-rate times faster than real time and the modem's pauses likewise; the emulator
// answers at once. Exits 1 when an exchange was lost or the program warned.
#include "EmulatedModem.h"
#include "EmulatedProcessor.h"
#include "Emulator.h"
#include "QuietDesktop.h"
#include "Report.h"
#include "ScratchApplication.h"
#include "app/DataFolder.h"
#include "link/Pacing.h"
#include "panel/frmMain.h"
#include "processor/Protocol.h"
#include "settings/ControlValue.h"
#include "settings/frmModem.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>

#include <functional>
#include <memory>

namespace {

using Report::note;

// Counts "777x" among the bytes the program sends, however the line splits them, keeping only the last three
// bytes between arrivals.
class ConfirmationCount
{
public:
    void add(const QByteArray &bytes)
    {
        const QByteArray seen = tail_ + bytes;
        for (qsizetype at = seen.indexOf(Protocol::WriteConfirmation); at >= 0;
             at = seen.indexOf(Protocol::WriteConfirmation, at + 1))
            ++count_;
        tail_ = seen.right(Protocol::WriteConfirmation.size() - 1);
    }
    long count() const { return count_; }

private:
    QByteArray tail_;
    long count_ = 0;
};

// The last bytes that crossed the line each way, for the account of a loss.
struct LineTail
{
    static constexpr qsizetype Keep = 160;
    QByteArray toDevice, fromDevice;

    void add(Transcript::Direction d, const QByteArray &bytes)
    {
        QByteArray &tail = d == Transcript::Direction::ToDevice ? toDevice : fromDevice;
        tail = (tail + bytes).right(Keep);
    }
};

struct Tally
{
    long attempted = 0;
    long accepted = 0;
    QString firstLoss;

    // `why` is asked only for the first loss.
    void check(bool ok, const std::function<QString()> &why)
    {
        ++attempted;
        if (ok)
            ++accepted;
        else if (firstLoss.isEmpty())
            Report::note() << "LOST: " << (firstLoss = why()) << "\n" << Qt::flush;
    }
};

struct Route
{
    QString name;
    EmulatedProcessor *processor;
    Emulator *emulator;
    std::function<void(frmMain &)> choose; // sets the dialog to this route
};

class Soak
{
public:
    Soak(frmMain &w, QuietDesktop &desktop, long adjustments, long proofs, long cycles)
        : w_(w), desktop_(desktop), adjustments_(adjustments), proofs_(proofs), cycles_(cycles)
    {}

    bool run(const Route &route);

private:
    void disconnect() { w_.cmdConnect->click(); }
    bool connected() const { return w_.cmdConnect->text() == QStringLiteral("&Disconnect") && w_.MSComm1.PortOpen(); }
    bool offLine() const
    {
        return w_.cmdConnect->text() == QStringLiteral("&Connect") && !w_.MSComm1.PortOpen()
               && !w_.lblOffLine->isHidden() && !w_.cmdPP_Up->isEnabled();
    }
    // What the window shows and what last crossed the line.
    QString look(const QString &what) const
    {
        QStringList banners;
        for (const QLabel *l : {w_.lblNoDialtone, w_.lblBusy, w_.lblInitializing, w_.lblUpdating, w_.lblOffLine,
                                w_.lblHanging, w_.lblConnected, w_.lblDialing})
            if (!l->isHidden())
                banners << l->text().trimmed();
        return QStringLiteral(
                   "%1: button \"%2\", port %3, banners [%4], levels %5 %6 %7 %8 proof %9, warnings %10 (last: %13); "
                   "last sent \"%11\"; last received \"%12\"")
            .arg(what, w_.cmdConnect->text(), w_.MSComm1.PortOpen() ? QStringLiteral("open") : QStringLiteral("closed"),
                 banners.join(QStringLiteral(", ")))
            .arg(w_.PP_Level)
            .arg(w_.PD_Level)
            .arg(w_.HQ_Level)
            .arg(w_.LQ_Level)
            .arg(w_.Proof_Flag)
            .arg(desktop_.warnings)
            .arg(Transcript::escaped(tail_.toDevice), Transcript::escaped(tail_.fromDevice), desktop_.lastWarning);
    }
    bool levelsAgree(const EmulatedProcessor &p) const
    {
        return w_.PP_Level == p.pp && w_.PD_Level == p.pd && w_.HQ_Level == p.hq && w_.LQ_Level == p.lq;
    }
    void progress(const QString &route, const QString &what, const Tally &t)
    {
        note() << route << ": " << what << " " << t.accepted << "/" << t.attempted << " accepted, "
               << Report::mib(Report::residentKb()) << " resident, " << Report::openDescriptors() << " descriptors, "
               << Report::number(clock_.elapsed() / 1000.0, 0) << " s\n"
               << Qt::flush;
    }
    void result(const Route &route, const QString &kind, const Tally &t)
    {
        Report::row(route.name + QStringLiteral(": ") + kind,
                    QStringLiteral("%1 of %2 accepted").arg(t.accepted).arg(t.attempted));
        lost_ = lost_ || t.accepted != t.attempted;
    }

    frmMain &w_;
    QuietDesktop &desktop_;
    long adjustments_, proofs_, cycles_;
    QElapsedTimer clock_;
    bool lost_ = false;
    LineTail tail_;
};

bool Soak::run(const Route &route)
{
    clock_.start();
    route.choose(w_);
    EmulatedProcessor &p = *route.processor;
    ConfirmationCount confirmations;
    const QMetaObject::Connection watch =
        QObject::connect(route.emulator, &Emulator::crossed, [&](Transcript::Direction d, const QByteArray &bytes) {
            tail_.add(d, bytes);
            if (d == Transcript::Direction::ToDevice)
                confirmations.add(bytes);
        });
    QRandomGenerator random(2400);

    // Each cycle gives the processor new values: the status read must bring them to the window.
    Tally cycles;
    for (long i = 1; i <= cycles_; ++i) {
        p.pp = random.bounded(8);
        p.pd = random.bounded(8);
        p.hq = random.bounded(5);
        p.lq = random.bounded(5);
        w_.cmdConnect->click();
        const bool in = connected() && levelsAgree(p) && w_.cmdPP_Up->isEnabled();
        const QString lookIn = in ? QString() : look(QStringLiteral("cycle %1 after the connect").arg(i));
        disconnect();
        cycles.check(in && offLine(),
                     [&] { return in ? look(QStringLiteral("cycle %1 after the disconnect").arg(i)) : lookIn; });
        if (i % 25 == 0)
            progress(route.name, QStringLiteral("connect/disconnect"), cycles);
    }
    result(route, QStringLiteral("connect/disconnect cycles"), cycles);

    w_.cmdConnect->click();
    if (!connected()) {
        note() << route.name << ": could not connect for the adjustments\n";
        QObject::disconnect(watch);
        return lost_ = true;
    }
    QPushButton *const buttons[] = {w_.cmdPP_Up, w_.cmdPD_Up, w_.cmdHigh, w_.cmdLow, w_.cmdPP_Dn, w_.cmdPD_Dn};
    Tally adjustments;
    const long beepsBefore = desktop_.beeps;
    for (long i = 1; i <= adjustments_; ++i) {
        // Runs of four presses on each button, so the levels climb to the top and back down.
        const std::size_t which = (i / 4) % std::size(buttons);
        QPushButton *button = buttons[which];
        const long confirmedBefore = confirmations.count();
        button->click();
        // The emulator reads the confirmation when the event loop next runs.
        QDeadlineTimer deadline(1000);
        while (confirmations.count() == confirmedBefore && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        adjustments.check(confirmations.count() == confirmedBefore + 1 && levelsAgree(p) && connected()
                              && w_.cmdPP_Up->isEnabled(),
                          [&] { return look(QStringLiteral("press %1 (button %2)").arg(i).arg(which)); });
        if (i % 250 == 0)
            progress(route.name, QStringLiteral("adjustments"), adjustments);
    }
    result(route, QStringLiteral("adjustments (\"777x\" on the line, processor's values = window's)"), adjustments);
    Report::row(route.name + QStringLiteral(": success beeps during the adjustments"),
                QString::number(desktop_.beeps - beepsBefore));

    Tally proofs;
    for (long i = 1; i <= proofs_; ++i) {
        const int wanted = w_.mnuProof->isChecked() ? 0 : 1;
        w_.mnuProof->trigger();
        proofs.check(p.proof == wanted && w_.Proof_Flag == wanted && w_.mnuProof->isChecked() == (wanted == 1)
                         && w_.Timer1.isActive() == (wanted == 1) && levelsAgree(p),
                     [&] { return look(QStringLiteral("switch %1 to %2").arg(i).arg(wanted)); });
        if (i % 25 == 0)
            progress(route.name, QStringLiteral("proof switches"), proofs);
    }
    result(route, QStringLiteral("proof switches"), proofs);
    if (w_.mnuProof->isChecked())
        w_.mnuProof->trigger();
    disconnect();
    if (!offLine()) {
        note() << route.name << ": the last disconnect did not leave the window off line\n";
        lost_ = true;
    }
    QObject::disconnect(watch);
    Report::row(route.name + QStringLiteral(": time"), Report::number(clock_.elapsed() / 1000.0, 1) + " s");
    return !lost_;
}

} // namespace

int main(int argc, char *argv[])
{
    ScratchApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const long adjustments = args.value(1, QStringLiteral("1000")).toLong();
    const long proofs = args.value(2, QStringLiteral("100")).toLong();
    const long cycles = args.value(3, QStringLiteral("100")).toLong();
    const double rate = args.value(4, QStringLiteral("50")).toDouble();
    if (adjustments <= 0 || proofs <= 0 || cycles <= 0 || rate < 1) {
        note() << "usage: soak [adjustments proof-switches cycles [clock-rate]]\n";
        return 2;
    }
    QuietDesktop desktop;
    Desktop::install(&desktop);
    // Before the window is made: its timers take their intervals from the clock rate.
    Pacing::setTestClockRate(rate);

    EmulatedProcessor direct;
    Emulator cable(&direct, {1, DataFolder::path(), false, true});
    EmulatedProcessor farEnd;
    EmulatedModem::Options modemOptions;
    modemOptions.timeScale = rate;
    EmulatedModem modem(&farEnd, modemOptions);
    Emulator modemLine(&modem, {3, DataFolder::path(), false, true});
    for (Emulator *e : {&cable, &modemLine})
        if (!e->start()) {
            note() << e->error() << "\n";
            return 1;
        }

    auto w = std::make_unique<frmMain>();
    w->Form_Load();
    desktop.warnings = 0; // the start-up's word about the missing settings file
    const long startKb = Report::residentKb();
    const long startFds = Report::openDescriptors();
    note() << "start: " << Report::mib(startKb) << " resident, " << startFds << " descriptors; clock rate " << rate
           << "\n";

    Soak soak(*w, desktop, adjustments, proofs, cycles);
    bool ok = soak.run({QStringLiteral("Direct cable"), &direct, &cable, [](frmMain &m) {
                            setValue(m.Modem().optDirect, -1);
                            m.Modem().cmbPort->setCurrentText(QStringLiteral("COM 1"));
                        }});
    const long middleKb = Report::residentKb();
    const long middleFds = Report::openDescriptors();
    ok = soak.run({QStringLiteral("Modem"), &farEnd, &modemLine,
                   [](frmMain &m) {
                       setValue(m.Modem().optModem, -1);
                       m.Modem().cmbModem->setCurrentText(QStringLiteral("COM 3"));
                   }})
         && ok;
    const long endKb = Report::residentKb();
    const long endFds = Report::openDescriptors();

    Report::row(QStringLiteral("Resident memory: start, after the cable, end"),
                QStringLiteral("%1, %2, %3").arg(Report::mib(startKb), Report::mib(middleKb), Report::mib(endKb)));
    Report::row(QStringLiteral("Open file descriptors: start, after the cable, end"),
                QStringLiteral("%1, %2, %3").arg(startFds).arg(middleFds).arg(endFds));
    Report::row(QStringLiteral("Warnings shown"), QString::number(desktop.warnings));

    w.reset();
    Pacing::setTestClockRate(1);
    Desktop::install(nullptr);
    return ok && desktop.warnings == 0 ? 0 : 1;
}
