#include "ReadoutBox.h"

#include <QPainter>

ReadoutBox::ReadoutBox(QWidget *parent) : QWidget(parent) {}

void ReadoutBox::Cls()
{
    lines_.clear();
    update();
}

void ReadoutBox::Print(const QString &text)
{
    lines_.append(text);
    update();
}

void ReadoutBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const int step = fontMetrics().lineSpacing();
    int baseline = fontMetrics().ascent();
    for (const QString &line : lines_) {
        painter.drawText(0, baseline, line);
        baseline += step;
    }
}
