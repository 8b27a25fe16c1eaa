#pragma once

#include <QObject>

class QLineEdit;

// Limits what the operator can type into a text box, as a maximum length would, but leaves the program free
// to set a longer text: QLineEdit's own maximum length would cut such a text. Typing, pasting and input-method
// text are held to the limit; dragging text into the box is turned off.
class TypingLimit : public QObject
{
    Q_OBJECT

public:
    static void apply(QLineEdit *box, int limit);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TypingLimit(QLineEdit *box, int limit);

    // How many more characters the operator may put in, replacing the selection.
    qsizetype room() const;
    void paste(const QString &text);

    QLineEdit *box_;
    int limit_;
};
