#pragma once

#include <QPixmap>

// The pictures of the main window's header, drawn by the program.
namespace headerpictures {

// The title band, 267 by 26 pixels.
QPixmap titleBand();
// The emblem at the header's right edge: a computer screen, 101 by 87 pixels.
QPixmap screenEmblem();

} // namespace headerpictures
