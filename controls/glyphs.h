#pragma once
// The pictures of the game's own controls, drawn once with QPainter and kept: the picture
// strips of the caption-bar buttons, the eight radio marks and the title icons of the
// balloon tips. Each is drawn for the device pixel ratio it is asked for, so it stays crisp
// on high-DPI screens; sizes are in logical pixels.

#include <QPixmap>

namespace karv {

// Caption-bar buttons: one strip per kind, four square cells side by side.
constexpr int captionCellSize = 21;
constexpr int captionCellCount = 4;
enum class CaptionKind { Close = 0, Restore = 1, Minimise = 2, Maximise = 3 };
enum class CaptionCell { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3 };

// The 84 x 21 strip of a kind (0..3): normal, hover, pressed and disabled cells.
QPixmap captionButtonStrip(int kind, qreal dpr = 1.0);
// One 21 x 21 cell of a strip.
QPixmap captionButtonCell(int kind, int cell, qreal dpr = 1.0);

// Radio marks, 13 x 13: 0..3 unchecked and 4..7 checked, each normal, hover, pressed, disabled.
constexpr int radioGlyphSize = 13;
QPixmap radioGlyph(int index, qreal dpr = 1.0);

// Title icons of the balloon tips, 16 x 16: 1 information, 2 warning, 3 error; null otherwise.
constexpr int tipIconSize = 16;
QPixmap tipIcon(int icon, qreal dpr = 1.0);

} // namespace karv
