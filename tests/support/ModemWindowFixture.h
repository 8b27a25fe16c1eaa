#pragma once

#include "EmulatedModem.h"
#include "EmulatedProcessor.h"
#include "Emulator.h"
#include "TestMain.h"
#include "app/DataFolder.h"

#include "link/Pacing.h"
#include "panel/frmMain.h"
#include "settings/ControlValue.h"
#include "settings/frmModem.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QRadioButton>

// The main window after start-up, set to Modem on COM 3, with the emulated modem on COM 3 at the other end of
// a real pseudo-terminal and the emulated processor behind it. The window's waits run `clockRate` times
// faster than real time, and so do the modem's pauses unless `modemOptions` says otherwise. The line sends at
// once, or, when `pacedLine`, at 2400 baud on the same clock, so that with the modem's own wire the line's
// arithmetic holds. Every byte the program puts on the line is recorded with the time it arrived.
struct ModemWindowFixture
{
    static constexpr int ModemPort = 3;

    struct Arrival
    {
        qint64 ms; // since the fixture was made
        QByteArray bytes;
    };

    static EmulatedModem::Options scaledTo(double clockRate, EmulatedModem::Options options)
    {
        options.timeScale = clockRate;
        return options;
    }

    explicit ModemWindowFixture(EmulatedModem::Options modemOptions = {}, double clockRate = 50, bool scaleModem = true,
                                bool pacedLine = false)
        : clockSet((Pacing::setTestClockRate(clockRate), true)),
          modem(&processor, scaleModem ? scaledTo(clockRate, modemOptions) : modemOptions),
          emulator(&modem, {ModemPort, DataFolder::path(), false, !pacedLine, clockRate})
    {
        clock.start();
        QObject::connect(&emulator, &Emulator::crossed, [this](Transcript::Direction d, const QByteArray &bytes) {
            if (d == Transcript::Direction::ToDevice) {
                received += bytes;
                arrivals.append({clock.elapsed(), bytes});
            } else {
                sent += bytes;
            }
        });
        started = emulator.start();
        window.Form_Load();
        setValue(window.Modem().optModem, -1);
        window.Modem().cmbModem->setCurrentText(QStringLiteral("COM %1").arg(ModemPort));
        TestEnvironment::desktop().reset();
    }

    ~ModemWindowFixture()
    {
        if (window.MSComm1.PortOpen())
            window.MSComm1.PortOpen(false);
        Pacing::setTestClockRate(1);
    }

    // Forgets what crossed the line so far.
    void clearLine()
    {
        received.clear();
        sent.clear();
        arrivals.clear();
    }

    // Arrival time of the first byte of `text` within what the program sent, or -1.
    qint64 timeOf(QByteArrayView text) const
    {
        const qsizetype at = received.indexOf(text);
        if (at < 0)
            return -1;
        qsizetype seen = 0;
        for (const Arrival &a : arrivals) {
            seen += a.bytes.size();
            if (seen > at)
                return a.ms;
        }
        return -1;
    }

    bool clockSet; // set before the window is made: its timers take their intervals from the clock rate
    EmulatedProcessor processor;
    EmulatedModem modem;
    Emulator emulator;
    bool started = false;
    QElapsedTimer clock;
    QByteArray received; // from the program
    QByteArray sent;     // to the program
    QList<Arrival> arrivals;
    frmMain window;
};
