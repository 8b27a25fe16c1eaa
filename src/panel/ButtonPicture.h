#pragma once

#include <QImage>

// The pictures of the adjustment buttons: 32 x 32 pixels, a grey field with a dark-cyan triangle
// 21 pixels wide at its base and 11 pixels tall, centred.
namespace ButtonPicture {

enum class Direction { Up, Down };

inline constexpr int Side = 32;
inline constexpr int TriangleBase = 21;
inline constexpr int TriangleHeight = 11;

QImage triangle(Direction direction);

} // namespace ButtonPicture
