#include "ButtonPicture.h"

QImage ButtonPicture::triangle(Direction direction)
{
    QImage picture(Side, Side, QImage::Format_RGB32);
    picture.fill(QColor(192, 192, 192));
    const QRgb cyan = qRgb(0, 128, 128);
    // Drawn row by row so that every row is exact: the apex is one pixel, each row below it two wider.
    const int left = (Side - TriangleBase) / 2;
    const int top = (Side - TriangleHeight) / 2;
    const int apexColumn = left + TriangleBase / 2;
    for (int k = 0; k < TriangleHeight; ++k) {
        const int row = direction == Direction::Up ? top + k : top + TriangleHeight - 1 - k;
        for (int x = apexColumn - k; x <= apexColumn + k; ++x)
            picture.setPixel(x, row, cyan);
    }
    return picture;
}
