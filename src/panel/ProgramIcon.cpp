#include "ProgramIcon.h"

#include <QPainter>
#include <QPixmap>

namespace {

// The sixteen colours of the classic display palette.
const QList<QRgb> Palette16 = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
};

} // namespace

QImage ProgramIcon::image()
{
    QImage canvas(Side, Side, QImage::Format_RGB32);
    canvas.fill(QColor(192, 192, 192));
    QPainter painter(&canvas);
    // A navy panel with a black edge and a cyan rule across its top.
    painter.fillRect(1, 1, 30, 30, QColor(0, 0, 0));
    painter.fillRect(2, 2, 28, 28, QColor(0, 0, 128));
    painter.fillRect(3, 4, 26, 1, QColor(0, 255, 255));
    // Four columns of eight lamps, 5 x 2 pixels on a 3-pixel pitch, one lit in each column.
    const int litLamp[4] = {5, 3, 6, 2};
    for (int column = 0; column < 4; ++column) {
        const int left = 4 + column * 7;
        for (int lamp = 0; lamp < 8; ++lamp) {
            const int top = 26 - lamp * 3;
            painter.fillRect(left, top, 5, 2, lamp == litLamp[column] ? QColor(255, 0, 0) : QColor(255, 255, 255));
        }
    }
    painter.end();
    return canvas.convertToFormat(QImage::Format_Indexed8, Palette16, Qt::ThresholdDither);
}

QIcon ProgramIcon::icon()
{
    return QIcon(QPixmap::fromImage(image()));
}
