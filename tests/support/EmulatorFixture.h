#pragma once

#include "EmulatedProcessor.h"
#include "Emulator.h"
#include "app/DataFolder.h"

#include "link/MSComm.h"

#include <QByteArray>

// The emulated processor on a real pseudo-terminal, linked as com1 in the test's data folder, sending fast
// unless told otherwise. Records every byte the program put on the line.
struct EmulatorFixture
{
    explicit EmulatorFixture(bool fast = true, int port = 1)
        : emulator(&processor, {port, DataFolder::path(), false, fast})
    {
        QObject::connect(&emulator, &Emulator::crossed, [this](Transcript::Direction d, const QByteArray &bytes) {
            (d == Transcript::Direction::ToDevice ? received : sent) += bytes;
        });
        started = emulator.start();
    }

    EmulatedProcessor processor;
    Emulator emulator;
    bool started = false;
    QByteArray received; // from the program
    QByteArray sent;     // to the program
};

// Gathers what a port receives over several reads: QTRY_COMPARE reads its expression more than once, and
// Input() takes what it returns.
struct Received
{
    MSComm &port;
    QByteArray all;
    const QByteArray &operator()()
    {
        all += port.Input();
        return all;
    }
};
