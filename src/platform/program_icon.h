#pragma once
// The program's picture: the window, the tray, the about box and the icons
// installed into the desktop are all drawn from one drawing, kelmora.svg.

#include <QIcon>
#include <QImage>

namespace kelmora {

// The picture at size x size pixels, on a transparent ground.
QImage programIconImage(int size);

// The picture at the sizes window managers, task bars and trays ask for.
QIcon programIcon();

}  // namespace kelmora
