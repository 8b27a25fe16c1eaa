#pragma once

#include <QFont>

// The faces the windows were designed with, mapped to the nearest faces installed here of the same size
// and weight (the set-up installs the Liberation and DejaVu families).
namespace Fonts {

enum class Face { SmallFonts, MSSansSerif, MSSerif, Arial, ArialBlack };

QFont font(Face face, qreal points, bool bold = false);

} // namespace Fonts
