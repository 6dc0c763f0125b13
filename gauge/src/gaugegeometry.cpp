#include "gaugegeometry.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <cmath>

namespace gaugekit::geometry {

namespace {

constexpr int blockGap = 3;
// Far beyond any picture, small enough that pixel arithmetic cannot overflow.
constexpr double farAway = 1 << 24;

// The filled rectangle [left, right) × [top, bottom); nothing when it is empty.
void fill(QList<QRect> &out, int left, int top, int right, int bottom)
{
    if (right > left && bottom > top)
        out << QRect(left, top, right - left, bottom - top);
}

// A 1-pixel line from a towards b, without b.
void hline(QList<Stroke> &out, int a, int b, int y, bool light)
{
    if (b > a)
        out << Stroke{QRect(a, y, b - a, 1), light};
    else if (b < a)
        out << Stroke{QRect(b + 1, y, a - b, 1), light};
}

void vline(QList<Stroke> &out, int x, int a, int b, bool light)
{
    if (b > a)
        out << Stroke{QRect(x, a, 1, b - a), light};
    else if (b < a)
        out << Stroke{QRect(x, b + 1, 1, a - b), light};
}

int blockSize(int thickness) { return int(std::floor(thickness * 0.66 + 0.5)); }

QStringList characters(const QString &text)
{
    QStringList out;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    while (finder.toNextBoundary() != -1) {
        out << text.mid(start, finder.position() - start);
        start = finder.position();
    }
    return out;
}

} // namespace

double roundHalfEven(double v)
{
    const double down = std::floor(v);
    const double diff = v - down;
    if (diff < 0.5)
        return down;
    if (diff > 0.5)
        return down + 1;
    return std::fmod(down, 2.0) == 0 ? down : down + 1;
}

int toPixel(double v)
{
    if (std::isnan(v))
        return 0;
    return int(roundHalfEven(std::clamp(v, -farAway, farAway)));
}

Layout layoutFor(bool bordered, int clientWidth, int clientHeight)
{
    Layout l;
    if (bordered) {
        l.x0 = 2;
        l.y0 = 2;
        l.w = clientWidth - 5;
        l.h = clientHeight - 5;
        l.inner = QRect(QPoint(1, 1), QPoint(clientWidth - 2, clientHeight - 2));
    } else {
        l.w = clientWidth;
        l.h = clientHeight;
        l.inner = QRect(0, 0, clientWidth, clientHeight);
    }
    l.right = l.x0 + l.w;
    l.bottom = l.y0 + l.h;
    return l;
}

QList<QRect> floodRects(const Layout &l, const Flood &f, QSize picture)
{
    QList<QRect> out;
    if (!f.preview && !(f.value > f.min))
        return out;
    // The filled part of a bar `extent` pixels long, counted from Min (Value / Max of it for the usual Min of 0).
    // Multiplying before dividing keeps whole results exact.
    const auto filled = [&f](int extent) { return (double(f.value) - f.min) * extent / (double(f.max) - f.min); };
    if (!f.preview && std::isnan(filled(1)))
        return out;

    if (f.horizontal) {
        if (!f.blocks) {
            const double end = f.preview ? (l.right + l.x0) * 0.5 : filled(l.w) + l.x0;
            fill(out, l.x0, l.y0, toPixel(end), l.bottom);
            return out;
        }
        const int b = blockSize(l.h);
        if (b <= 0)
            return out;
        double end = f.preview ? (l.right + l.x0) * 0.5 : std::floor(filled(l.w)) + l.x0;
        // Blocks past the picture are invisible; stopping there keeps a huge value from looping for ages.
        end = std::min(end, double(std::max(picture.width(), l.right)) + 2 * (b + blockGap));
        int x = l.x0;
        for (; x <= end - b; x += b + blockGap)
            fill(out, x, l.y0, x + b, l.bottom);
        // The last started block is drawn whole, but never past the inner right edge.
        if (x < end)
            fill(out, x, l.y0, std::min(x + b, l.right), l.bottom);
        return out;
    }

    // A vertical bar grows upwards from its bottom.
    const double end = f.preview ? (l.bottom + l.y0) * 0.5 : l.bottom - filled(l.h);
    if (!f.blocks) {
        fill(out, l.x0, toPixel(end), l.right, l.bottom);
        return out;
    }
    const int b = blockSize(l.w);
    if (b <= 0)
        return out;
    const double stop = std::max(end, double(std::min(0, l.y0)) - 2 * (b + blockGap));
    int y = l.bottom;
    for (; y >= stop + b; y -= b + blockGap)
        fill(out, l.x0, y - b, l.right, y);
    if (y > stop)
        fill(out, l.x0, std::max(y - b, l.y0), l.right, y);
    return out;
}

QList<Stroke> bevel(double x1, double y1, double x2, double y2, int rings, bool raised)
{
    QList<Stroke> out;
    int left = toPixel(x1), top = toPixel(y1), right = toPixel(x2), bottom = toPixel(y2);
    for (int ring = 0; ring < rings; ++ring) {
        const bool first = raised, second = !raised;
        hline(out, left, right, top, first);
        vline(out, left, top, bottom, first);
        vline(out, right - 1, top, bottom, second);
        hline(out, left, right, bottom - 1, second);
        ++left;
        ++top;
        --right;
        --bottom;
    }
    return out;
}

QList<Glyph> captionGlyphs(const Layout &l, bool horizontal, bool preview, const QString &caption,
                           const Measure &width, int lineHeight)
{
    QList<Glyph> out;
    const QString half = QStringLiteral("50%");
    if (horizontal) {
        if (caption.isEmpty())
            return out;
        // The preview centres the caption as if it read "50%".
        const int runWidth = width(preview ? half : caption);
        const double x = (l.w - runWidth) * 0.5 + l.x0;
        const double y = l.y0 + (l.bottom - l.y0 - lineHeight) * 0.5;
        out << Glyph{caption, QPoint(toPixel(x), toPixel(y))};
        return out;
    }
    // The preview shows "50%" down the bar, centred as if it were four lines tall.
    const QStringList chars = characters(preview ? half : caption);
    const qsizetype lines = preview ? 4 : chars.size();
    for (qsizetype i = 0; i < chars.size(); ++i) {
        const double x = l.x0 + (l.right - l.x0 - width(chars[i])) * 0.5;
        const double y = (l.h - double(lineHeight) * lines) * 0.5 + l.y0 + double(i) * lineHeight;
        out << Glyph{chars[i], QPoint(toPixel(x), toPixel(y))};
    }
    return out;
}

} // namespace gaugekit::geometry
