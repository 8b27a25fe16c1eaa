#include "ControlValue.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

qint16 value(const QRadioButton *button)
{
    return button->isChecked() ? -1 : 0;
}

int value(const QCheckBox *box)
{
    switch (box->checkState()) {
    case Qt::Unchecked: return 0;
    case Qt::PartiallyChecked: return 2;
    case Qt::Checked: break;
    }
    return 1;
}

void setValue(QRadioButton *button, qint16 value)
{
    if (value != 0 || !button->isChecked()) {
        button->setChecked(value != 0);
        return;
    }
    // An exclusive group refuses to clear its checked button; let go of it for that one change.
    QButtonGroup *group = button->group();
    const bool exclusive = group ? group->exclusive() : button->autoExclusive();
    if (group)
        group->setExclusive(false);
    else
        button->setAutoExclusive(false);
    button->setChecked(false);
    if (group)
        group->setExclusive(exclusive);
    else
        button->setAutoExclusive(exclusive);
}

void setValue(QCheckBox *box, int value)
{
    if (value == 2) {
        box->setTristate(true);
        box->setCheckState(Qt::PartiallyChecked);
        return;
    }
    box->setCheckState(value ? Qt::Checked : Qt::Unchecked);
    box->setTristate(false);
}

void setText(QComboBox *box, const QString &text)
{
    box->setCurrentIndex(box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
    box->setEditText(text);
}
