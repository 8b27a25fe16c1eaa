#pragma once

#include "Device.h"

#include <QByteArray>
#include <QList>

// The processor as the control program knows it: four settings and the proof state, and a protocol of short
// commands each ended by "x". "90x" gets the status; "91x" then "8x" and a settings string set the values and
// get the new status back; "777x" confirms a write; "92x" and "93x" switch proof mode on and off and get the
// status. The status is laid out like a settings string with the proof state in the fifth digit ("3x5x2x1x0x"),
// followed by CR LF. Anything else is ignored.
class EmulatedProcessor : public Device
{
    Q_OBJECT

public:
    // Misbehaviour on request, for tests and demonstrations.
    struct Faults
    {
        bool silent = false;     // hears everything, answers nothing
        int cutTo = -1;          // replies cut to this many characters (-1: whole)
        int delayMs = 0;         // replies held back this long
        int noise = 0;           // this many random bytes before every reply
        bool proofStuck = false; // "92x"/"93x" leave proof mode as it is
        int hangUpAfter = 0;     // drop the line after answering this many commands (0: never)
    };

    explicit EmulatedProcessor(QObject *parent = nullptr);

    void receive(const QByteArray &bytes) override;

    Faults faults;
    // The four settings and the proof state, each one digit.
    int pp = 3, pd = 5, hq = 2, lq = 2, proof = 0;

    // The values and proof state as the status reply carries them, without CR LF.
    QByteArray status() const;
    // Takes the values from a text laid out like the status; false (nothing changed) when it is not.
    bool setStatus(QByteArrayView text);
    // Commands answered since the line came up; a new line starts again from 0.
    int commands() const { return commands_; }
    void lineUp() override;

private:
    void token(QByteArrayView t);
    void answer(QByteArray reply);

    QByteArray token_;
    enum class Write { None, Announced, Settings } write_ = Write::None;
    QList<int> fields_;
    int commands_ = 0;
    quint32 noiseSeed_ = 2400;
};
