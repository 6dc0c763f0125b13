#pragma once
// Where the bar's border, flood and caption go, in pixels of the control (origin top left, y down).
// Plain arithmetic on sizes and text measures: the control paints what these functions return.
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>

namespace gaugekit::geometry {

// Nearest integer, ties to the even one.
double roundHalfEven(double v);
// roundHalfEven as a pixel coordinate, held within a range no picture reaches (NaN gives 0).
int toPixel(double v);

struct Layout {
    int x0 = 0, y0 = 0; // top left of the flood area
    int w = 0, h = 0;   // its width and height
    int right = 0, bottom = 0;
    QRect inner; // cleared by an erasing repaint
};
Layout layoutFor(bool bordered, int clientWidth, int clientHeight);

struct Flood {
    bool horizontal = true;
    bool blocks = true;  // separate blocks rather than one smooth bar
    bool preview = false; // half full, whatever the value
    double value = 0, min = 0, max = 100;
};
// The rectangles filled with the flood colour. Blocks wholly outside `picture` may be left out.
QList<QRect> floodRects(const Layout &layout, const Flood &flood, QSize picture);

struct Stroke {
    QRect pixels;
    bool light; // 3-D highlight, else button shadow
};
// The lines of a bevel of `rings` rings inside (x1, y1)–(x2, y2), in drawing order: sunken has dark top and
// left edges and light right and bottom edges, raised the other way round. Lines exclude their end point.
QList<Stroke> bevel(double x1, double y1, double x2, double y2, int rings, bool raised);

struct Glyph {
    QString text;
    QPoint topLeft;
};
using Measure = std::function<int(const QString &)>;
// Where the caption's text goes: one run centred on a horizontal bar, one character a line down the middle
// of a vertical one. `width` measures a string; `lineHeight` is the height of a line of text.
QList<Glyph> captionGlyphs(const Layout &layout, bool horizontal, bool preview, const QString &caption,
                           const Measure &width, int lineHeight);

} // namespace gaugekit::geometry
