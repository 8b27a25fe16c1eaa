#include "PictureButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

PictureButton::PictureButton(const QImage &picture, QWidget *parent) : QPushButton(parent), picture_(picture) {}

void PictureButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    QPixmap face = QPixmap::fromImage(picture_);
    if (!isEnabled())
        face = style()->generatedIconPixmap(QIcon::Disabled, face, &option);
    QPoint topLeft((width() - picture_.width()) / 2, (height() - picture_.height()) / 2);
    if (isDown())
        topLeft += QPoint(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                          style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    // Keep the bevel: the picture shows only inside it.
    const int bevel = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    painter.setClipRect(rect().adjusted(bevel, bevel, -bevel, -bevel));
    painter.drawPixmap(topLeft, face);
}
