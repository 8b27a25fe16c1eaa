#pragma once

#include <QString>

class QCheckBox;
class QComboBox;
class QRadioButton;

// The values of the dialog's option buttons, check boxes and port boxes as the program reads and sets them:
// an option button is -1 when selected and 0 when not; a check box is 0 clear, 1 checked, 2 greyed.

qint16 value(const QRadioButton *button);
int value(const QCheckBox *box);

// Selects the button when value is non-zero (clearing the others of its group) and clears it when 0, which
// may leave its group with no selection.
void setValue(QRadioButton *button, qint16 value);
// 2 greys the box; the operator's next click takes it out of the greyed state for good.
void setValue(QCheckBox *box, int value);

// Puts the text into an editable port box whole. When it is one of the list's items, that item becomes
// current too, so that the open list highlights it and the arrow keys step on from it; any other text
// leaves no item current.
void setText(QComboBox *box, const QString &text);
