#pragma once
// The bar's 32-bit colours: 0x00BBGGRR, or 0x80000000 plus a system colour index drawn with the matching
// colour of the control's palette.
#include <QColor>
#include <QPalette>

namespace gaugekit::colours {

constexpr uint windowBackground = 0x80000005;
constexpr uint highlightedText = 0x8000000E;
constexpr uint buttonFace = 0x8000000F;
constexpr uint buttonShadow = 0x80000010;
constexpr uint highlight3D = 0x80000014;
constexpr uint darkShadow3D = 0x80000015;

// A plain colour, or one of the 31 system colours (indices 0 to 30).
bool isValid(uint colour);
// The colour to draw with; an invalid value draws as the palette's text colour.
QColor resolve(uint colour, const QPalette &palette);

} // namespace gaugekit::colours
