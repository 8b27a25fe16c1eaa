#include "WindowGrey.h"

#include <QWidget>

void paintWindowGrey(QWidget *window)
{
    QPalette grey = window->palette();
    grey.setColor(QPalette::Window, WindowGrey);
    grey.setColor(QPalette::WindowText, Qt::black);
    window->setPalette(grey);
    window->setAutoFillBackground(true);
}
