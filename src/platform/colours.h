#pragma once
// Stored colour values as Qt colours: RGB values directly, system colours
// through the application's palette.

#include <QColor>

#include "main/colour.h"

namespace kelmora {

QColor toQColor(Colour colour);
Colour fromQColor(const QColor& colour);

}  // namespace kelmora
