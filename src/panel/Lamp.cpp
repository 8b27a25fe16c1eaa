#include "Lamp.h"

#include <QPainter>

Lamp::Lamp(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
}

Lamp *Lamp::copy() const
{
    auto *lamp = new Lamp(parentWidget());
    lamp->setFrameStyle(frameStyle());
    lamp->setLineWidth(lineWidth());
    lamp->setPalette(palette());
    lamp->setGeometry(geometry());
    lamp->lit_ = lit_;
    return lamp;
}

void Lamp::setLit(bool lit)
{
    if (lit_ == lit)
        return;
    lit_ = lit;
    update();
}

void Lamp::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(rect(), lit_ ? QColor(255, 0, 0) : QColor(255, 255, 255));
    painter.end();
    QFrame::paintEvent(event);
}
