#pragma once
// The two cheat codes, accepted in their Latin spelling and as the same keys typed with the
// Russian keyboard layout.

#include <QString>

namespace karv {

enum class CheatCode { None, RevealAnswer, KillLimit };

inline constexpr char revealCode[] = "OPEN THE SECRET DOOR NOW";
inline constexpr char killLimitCode[] = "LET THE CLOCKS SLEEP NOW";

// What the same keys give with the Russian layout active: each Latin letter becomes the
// Cyrillic capital on its key; everything else stays.
QString russianLayoutSpelling(const QString &latin);
// The code a typed text is, compared in upper case.
CheatCode recogniseCheat(const QString &typed);

} // namespace karv
