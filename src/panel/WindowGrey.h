#pragma once

#include <QColor>

class QWidget;

// The grey that every window of the program is drawn on.
inline const QColor WindowGrey(192, 192, 192);

// Black text on the grey, with the window filling its own background.
void paintWindowGrey(QWidget *window);
