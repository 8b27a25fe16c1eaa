#pragma once

#include <QString>

class QWidget;

// The few calls into the desktop whose effect a test must observe or answer: the modal message boxes,
// the system beep and ending the program. Everything else is plain Qt. Tests install a stand-in.
class Desktop
{
public:
    virtual ~Desktop() = default;

    // A modal question with Yes and No, Yes the default button, no icon. True when the answer is Yes.
    virtual bool askYesNo(QWidget *parent, const QString &title, const QString &text) = 0;
    // A modal message with an OK button and the warning icon.
    virtual void warn(QWidget *parent, const QString &title, const QString &text) = 0;
    virtual void beep() = 0;
    // Ends the program at once: no further handler runs and no waiting operation resumes.
    virtual void endProgram() = 0;

    static Desktop &current();
    // Takes no ownership; nullptr puts the real desktop back.
    static void install(Desktop *desktop);
};
