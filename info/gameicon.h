#pragma once
// The game's emblem: a gold coin stamped with the letter К above a small prize ladder.
// It is the picture of the About window and the icon of the program's windows.

#include <QIcon>
#include <QPixmap>

namespace karv {

// The emblem drawn at one size (square, `size` pixels).
QPixmap drawGameEmblem(int size);
// The emblem at the sizes a desktop asks for (16 to 256 pixels), drawn once.
QIcon gameIcon();

} // namespace karv
