#pragma once
// Shared look of the game's windows: design units, colours, fonts and the custom pointer.

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QRect>
#include <QString>

class QPainter;

namespace karv {

// Window designs are measured in twips; 15 twips make one pixel at 96 dpi.
constexpr int px(int twips) { return (twips + 7) / 15; }
inline QRect twipRect(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

constexpr QColor rgb(int r, int g, int b) { return QColor(r, g, b); }
// A colour stored the way the game's records keep it: 0x00BBGGRR.
inline QColor bgr(quint32 v) { return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF)); }

// The faces the windows name, with the point size and style they ask for. The names stay
// as designed (the rules window tests them); start-up maps them to installed faces that
// cover Cyrillic.
QFont designFont(const QString &family, double points, bool bold = false, bool italic = false);
void installFontSubstitutes();

// The dark-blue backdrop of the game's windows: a vertical gradient from `top` to `bottom`.
void paintBackdrop(QPainter &p, const QRect &area, const QColor &top, const QColor &bottom);

// The game's own 32 x 32 mouse pointer, drawn once.
const QCursor &customCursor();
// The pointer the answer labels carry while a choice is open.
const QCursor &answerCursor();

} // namespace karv
