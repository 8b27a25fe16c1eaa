#include "SplashLogo.h"

#include <QPainter>
#include <QPainterPath>

namespace {
// The drawing is made on this grid and stretched to the widget.
constexpr qreal DesignWidth = 90;
constexpr qreal DesignHeight = 150;
} // namespace

SplashLogo::SplashLogo(QWidget *parent) : QWidget(parent) {}

void SplashLogo::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(width() / DesignWidth, height() / DesignHeight);

    const QColor navy(0, 0, 128), cyan(0, 255, 255), white(255, 255, 255), red(255, 0, 0);
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(navy);
    painter.drawRoundedRect(QRectF(1, 1, DesignWidth - 2, DesignHeight - 2), 10, 10);

    // The loudspeaker: a square body and a flared cone, facing right.
    painter.setPen(Qt::NoPen);
    painter.setBrush(white);
    painter.drawRect(QRectF(14, 30, 10, 16));
    QPainterPath cone;
    cone.moveTo(24, 30);
    cone.lineTo(38, 18);
    cone.lineTo(38, 58);
    cone.lineTo(24, 46);
    cone.closeSubpath();
    painter.drawPath(cone);

    // Three waves leaving it.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(cyan, 4, Qt::SolidLine, Qt::RoundCap));
    for (int wave = 0; wave < 3; ++wave) {
        const qreal r = 10 + wave * 10;
        painter.drawArc(QRectF(36 - r, 38 - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
    }

    // A column of eight lamps, the sixth lit, as on the processor's front panel.
    painter.setPen(QPen(Qt::black, 1));
    for (int lamp = 0; lamp < 8; ++lamp) {
        painter.setBrush(lamp == 5 ? red : white);
        painter.drawRect(QRectF(30, 134 - lamp * 8, 30, 5));
    }
    // A cyan rule under the speaker, between the two halves.
    painter.fillRect(QRectF(12, 72, DesignWidth - 24, 3), cyan);
}
