#pragma once

#include "app/Desktop.h"

#include <QElapsedTimer>
#include <QList>
#include <QString>

#include <functional>

// Stands in for the desktop in tests: records every question, warning, beep and end of the program, and
// answers the questions from a script (No when the script has run out).
class FakeDesktop final : public Desktop
{
public:
    struct Box
    {
        QString title;
        QString text;
    };

    QList<bool> answers; // the next answers to askYesNo, taken from the front
    QList<Box> questions;
    QList<Box> warnings;
    QList<qint64> beeps; // milliseconds since the fake was installed, one per beep
    int ends = 0;
    std::function<void()> whenWarned; // runs as each warning is raised, to look at the program at that moment

    FakeDesktop() { clock.start(); }

    bool askYesNo(QWidget *, const QString &title, const QString &text) override
    {
        questions.append({title, text});
        return !answers.isEmpty() && answers.takeFirst();
    }
    void warn(QWidget *, const QString &title, const QString &text) override
    {
        warnings.append({title, text});
        if (whenWarned)
            whenWarned();
    }
    void beep() override { beeps.append(clock.elapsed()); }
    void endProgram() override { ++ends; }

    void reset()
    {
        answers.clear();
        questions.clear();
        warnings.clear();
        beeps.clear();
        ends = 0;
        whenWarned = {};
        clock.restart();
    }

private:
    QElapsedTimer clock;
};
