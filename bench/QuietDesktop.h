#pragma once

#include "app/Desktop.h"

// No boxes and no sound: the start-up's settings warning must not wait for a click. Counts what the program
// would have said, so that a run can tell a success beep or a warning it did not expect.
class QuietDesktop final : public Desktop
{
public:
    bool askYesNo(QWidget *, const QString &, const QString &) override { return false; }
    void warn(QWidget *, const QString &, const QString &text) override
    {
        ++warnings;
        lastWarning = text;
    }
    void beep() override { ++beeps; }
    void endProgram() override {}

    long beeps = 0;
    long warnings = 0;
    QString lastWarning;
};
