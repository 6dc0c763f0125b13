#pragma once
// The entry point of the sound module (karv20_sound), looked up by name when the first sound
// is played. Plays a wave file once, from the start; returns at once.
#include <QString>

extern "C" void karv20_play_wave(const QString &wavPath);
using PlayWaveFunction = void (*)(const QString &);
inline constexpr const char *playWaveSymbol = "karv20_play_wave";
