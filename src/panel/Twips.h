#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <cmath>

// The window layouts are drawn in twips (1/1440 inch); 15 twips make one logical pixel, and Qt's logical
// pixels keep the windows right on high-DPI screens.
namespace Twips {

inline constexpr int PerPixel = 15;

constexpr int px(int twips)
{
    return (twips + (twips >= 0 ? PerPixel / 2 : -PerPixel / 2)) / PerPixel;
}

constexpr QPoint at(int left, int top)
{
    return {px(left), px(top)};
}

constexpr QSize size(int width, int height)
{
    return {px(width), px(height)};
}

// A box from its left and top edge and its size; the far edges are rounded, not the size, so that
// boxes laid edge to edge in twips stay edge to edge in pixels.
constexpr QRect rect(int left, int top, int width, int height)
{
    return QRect(QPoint(px(left), px(top)), QPoint(px(left + width) - 1, px(top + height) - 1));
}

} // namespace Twips
