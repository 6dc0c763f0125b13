#pragma once
// Helpers shared by the bar's tests: a bar with known colours and ways to read its picture.
#include "gauge/fillgauge.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QPalette>

#include <memory>
#include <utility>

namespace gaugetest {

using gaugekit::Fillgauge;

inline const QColor background(200, 200, 200); // button face
inline const QColor light(255, 255, 255);       // 3-D highlight
inline const QColor dark(128, 128, 128);        // button shadow
inline const QColor darkest(0, 0, 0);           // 3-D dark shadow
inline const QColor window(250, 250, 240);      // window background
inline const QColor red(255, 0, 0);
constexpr uint redFlood = 0x0000FF;

inline QPalette knownPalette()
{
    QPalette p;
    p.setColor(QPalette::Button, background);
    p.setColor(QPalette::Light, light);
    p.setColor(QPalette::Dark, dark);
    p.setColor(QPalette::Shadow, darkest);
    p.setColor(QPalette::Base, window);
    p.setColor(QPalette::HighlightedText, QColor(0, 0, 255));
    return p;
}

// A bordered 3-D bar of the given size with known colours, a red flood and no caption.
inline std::unique_ptr<Fillgauge> makeBar(int width, int height)
{
    auto bar = std::make_unique<Fillgauge>();
    bar->setPalette(knownPalette());
    bar->resize(width, height);
    bar->setFloodColor(redFlood);
    bar->setCaption(QString());
    return bar;
}

inline QColor pixel(const Fillgauge &bar, int x, int y) { return bar.image().pixelColor(x, y); }

// Runs [start, end) of pixels of `colour` along row y (or column x when vertical is true).
inline QList<std::pair<int, int>> runs(const QImage &image, int line, const QColor &colour, bool vertical = false)
{
    QList<std::pair<int, int>> out;
    const int length = vertical ? image.height() : image.width();
    int start = -1;
    for (int i = 0; i <= length; ++i) {
        const bool on = i < length && image.pixelColor(vertical ? line : i, vertical ? i : line) == colour;
        if (on && start < 0)
            start = i;
        if (!on && start >= 0) {
            out.append({start, i});
            start = -1;
        }
    }
    return out;
}

inline int countColour(const QImage &image, const QColor &colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y) == colour;
    return n;
}

} // namespace gaugetest
