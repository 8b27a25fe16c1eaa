#include "ClientArea.h"

#include "Twips.h"

#include <QPainter>

namespace {

struct Box
{
    int left, top, width, height;
};
struct Line
{
    int x1, y1, x2, y2;
};

// Shape1 to Shape3: the Peak Processing panel, the Program Density panel and the EQ panel.
constexpr Box Panels[] = {{240, 240, 2175, 1695}, {2640, 240, 2175, 1695}, {5040, 240, 2175, 1695}};
constexpr int PanelOutline = 2;
constexpr qreal PanelCornerRadius = 8;

// The rule across the top, and the two EQ brackets with their leads to cmdHigh and cmdLow.
constexpr Line Lines[] = {
    {0, 45, 9600, 45},                                                            // Line9
    {5760, 390, 6000, 390},   {5760, 1005, 6000, 1005}, {6000, 390, 6000, 1000},  // Line1(0), Line4, Line6
    {6000, 600, 6720, 600},                                                       // Line7
    {5760, 1155, 6000, 1155}, {5760, 1785, 6000, 1785}, {6000, 1155, 6000, 1785}, // Line3, Line2, Line5
    {6000, 1560, 6720, 1560},                                                     // Line8
};

} // namespace

ClientArea::ClientArea(QWidget *parent) : QWidget(parent)
{
    setAutoFillBackground(true);
}

void ClientArea::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QColor ink = palette().color(QPalette::WindowText);

    painter.setPen(QPen(ink, 1));
    for (const Line &line : Lines)
        painter.drawLine(Twips::at(line.x1, line.y1), Twips::at(line.x2, line.y2));

    // The outline lies inside each panel's box: the pen runs along a path inset by half its width.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ink, PanelOutline));
    painter.setBrush(Qt::NoBrush);
    const qreal half = PanelOutline / 2.0;
    for (const Box &panel : Panels) {
        const QRectF box = Twips::rect(panel.left, panel.top, panel.width, panel.height);
        painter.drawRoundedRect(box.adjusted(half, half, -half, -half), PanelCornerRadius, PanelCornerRadius);
    }
}
