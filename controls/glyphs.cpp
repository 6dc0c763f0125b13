#include "controls/glyphs.h"

#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace karv {

namespace {

enum class Picture : quint64 { CaptionStrip = 1, CaptionCell, Radio, TipIcon };

// Pictures are drawn once per (picture, index, pixel ratio) and then shared.
template <class Draw> QPixmap cached(Picture what, int index, qreal dpr, QSize size, Draw draw)
{
    static QHash<quint64, QPixmap> store;
    const quint64 key = (quint64(what) << 48) | (quint64(quint16(index)) << 32) | quint64(qRound(dpr * 100));
    auto it = store.constFind(key);
    if (it != store.constEnd())
        return *it;
    QPixmap pm(size * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    {
        QPainter p(&pm);
        draw(p);
    }
    store.insert(key, pm);
    return pm;
}

// ---- caption-bar buttons ----

struct ButtonColours {
    QColor top, middle, bottom, border;
    int gloss;       // alpha of the sheen on the upper half
    int glyphAlpha;  // the picture on the button fades when disabled
};

ButtonColours buttonColours(bool red, int cell)
{
    if (red) {
        switch (cell) {
        case 1: return {QColor(255, 168, 138), QColor(240, 104, 66), QColor(214, 72, 36), QColor(255, 255, 255), 120, 255};
        case 2: return {QColor(150, 38, 14), QColor(184, 52, 24), QColor(222, 96, 62), QColor(255, 236, 230), 40, 255};
        case 3: return {QColor(224, 184, 174), QColor(208, 160, 148), QColor(196, 146, 134), QColor(248, 236, 232), 60, 150};
        default: return {QColor(240, 134, 102), QColor(218, 76, 40), QColor(186, 50, 20), QColor(255, 255, 255), 110, 255};
        }
    }
    switch (cell) {
    case 1: return {QColor(150, 190, 255), QColor(82, 136, 255), QColor(52, 100, 240), QColor(255, 255, 255), 120, 255};
    case 2: return {QColor(22, 56, 176), QColor(32, 74, 204), QColor(84, 128, 246), QColor(232, 240, 255), 40, 255};
    case 3: return {QColor(176, 192, 228), QColor(152, 170, 212), QColor(138, 156, 200), QColor(240, 244, 252), 60, 150};
    default: return {QColor(112, 158, 255), QColor(48, 100, 236), QColor(30, 72, 206), QColor(255, 255, 255), 110, 255};
    }
}

// The glyphs are built of whole pixels so they stay sharp at 21 x 21.
void drawCaptionGlyph(QPainter &p, int kind, QColor c, int dx)
{
    auto px = [&](int x, int y, int w, int h) { p.fillRect(QRect(x + dx, y + dx, w, h), c); };
    switch (kind) {
    case 0: // close: a cross two pixels thick
        for (int i = 0; i < 9; ++i) {
            px(6 + i, 6 + i, 2, 1);
            px(13 - i, 6 + i, 2, 1);
        }
        break;
    case 1: // restore: two overlapping windows
        px(8, 4, 8, 2);
        px(8, 6, 1, 2);
        px(15, 6, 1, 6);
        px(13, 11, 2, 1);
        px(5, 8, 8, 2);
        px(5, 10, 1, 6);
        px(12, 10, 1, 6);
        px(5, 15, 8, 1);
        break;
    case 2: // minimise: a bar at the bottom
        px(6, 13, 7, 3);
        break;
    case 3: // maximise: one window
        px(5, 5, 11, 2);
        px(5, 7, 1, 9);
        px(15, 7, 1, 9);
        px(5, 15, 11, 1);
        break;
    default:
        break;
    }
}

void drawCaptionCell(QPainter &p, int kind, int cell, QPointF at)
{
    const ButtonColours c = buttonColours(kind == 0, cell);
    p.save();
    p.translate(at);
    p.setRenderHint(QPainter::Antialiasing);

    const QRectF body(0.5, 0.5, captionCellSize - 1, captionCellSize - 1);
    QLinearGradient fill(0, 0, captionCellSize * 0.35, captionCellSize);
    fill.setColorAt(0, c.top);
    fill.setColorAt(0.55, c.middle);
    fill.setColorAt(1, c.bottom);
    p.setPen(QPen(c.border, 1));
    p.setBrush(fill);
    p.drawRoundedRect(body, 3.5, 3.5);

    // A soft sheen over the upper half and a darker rim inside the border give the rounded look.
    QLinearGradient sheen(0, 1.5, 0, 10.5);
    sheen.setColorAt(0, QColor(255, 255, 255, c.gloss));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sheen);
    p.drawRoundedRect(QRectF(2, 1.5, captionCellSize - 4, 9), 2.5, 2.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 40, cell == 3 ? 25 : 60), 1));
    p.drawRoundedRect(body.adjusted(1, 1, -1, -1), 2.5, 2.5);

    p.setRenderHint(QPainter::Antialiasing, false);
    const int dx = cell == 2 ? 1 : 0; // the picture sinks when pressed
    if (cell != 3)
        drawCaptionGlyph(p, kind, QColor(0, 0, 60, 70), dx + 1);
    drawCaptionGlyph(p, kind, QColor(255, 255, 255, c.glyphAlpha), dx);
    p.restore();
}

// ---- radio marks ----

void drawRadio(QPainter &p, int index)
{
    const bool checked = index >= 4;
    const int look = index % 4; // normal, hover, pressed, disabled
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF ring(0.5, 0.5, radioGlyphSize - 1, radioGlyphSize - 1);

    QLinearGradient face(1, 1, 12, 12);
    QColor border(28, 81, 128);
    switch (look) {
    case 2:
        face.setColorAt(0, QColor(176, 176, 167));
        face.setColorAt(1, QColor(227, 226, 218));
        break;
    case 3:
        border = QColor(202, 200, 187);
        face.setColorAt(0, QColor(255, 255, 255));
        face.setColorAt(1, QColor(255, 255, 255));
        break;
    default:
        face.setColorAt(0, QColor(218, 218, 211));
        face.setColorAt(1, QColor(255, 255, 255));
        break;
    }
    p.setPen(QPen(border, 1));
    p.setBrush(face);
    p.drawEllipse(ring);

    if (look == 1) { // a warm ring inside the border under the pointer
        QLinearGradient warm(2, 2, 11, 11);
        warm.setColorAt(0, QColor(255, 226, 148));
        warm.setColorAt(1, QColor(246, 172, 40));
        p.setPen(QPen(QBrush(warm), 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(2.3, 2.3, 8.4, 8.4));
    }
    if (checked) {
        const QPointF centre(6.5, 6.5);
        if (look == 3) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(202, 200, 187));
        } else {
            QRadialGradient dot(centre - QPointF(1, 1), 3.6);
            dot.setColorAt(0, QColor(150, 236, 120));
            dot.setColorAt(0.6, QColor(48, 176, 44));
            dot.setColorAt(1, QColor(22, 128, 24));
            p.setPen(Qt::NoPen);
            p.setBrush(dot);
        }
        p.drawEllipse(centre, 2.8, 2.8);
    }
}

// ---- balloon title icons ----

void drawTipIcon(QPainter &p, int icon)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF disc(0.5, 0.5, tipIconSize - 1, tipIconSize - 1);
    switch (icon) {
    case 1: { // information: a blue disc with a white "i"
        QRadialGradient g(QPointF(5.5, 4.5), 12);
        g.setColorAt(0, QColor(170, 205, 255));
        g.setColorAt(0.5, QColor(52, 112, 224));
        g.setColorAt(1, QColor(20, 60, 170));
        p.setPen(QPen(QColor(18, 52, 150), 1));
        p.setBrush(g);
        p.drawEllipse(disc);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.fillRect(QRect(7, 3, 2, 2), Qt::white);
        p.fillRect(QRect(6, 6, 3, 1), Qt::white);
        p.fillRect(QRect(7, 7, 2, 5), Qt::white);
        p.fillRect(QRect(6, 12, 4, 1), Qt::white);
        break;
    }
    case 2: { // warning: a yellow triangle with a black "!"
        QPainterPath tri;
        tri.moveTo(8, 0.8);
        tri.lineTo(15.4, 14.6);
        tri.lineTo(0.6, 14.6);
        tri.closeSubpath();
        QLinearGradient g(0, 0, 0, 16);
        g.setColorAt(0, QColor(255, 238, 120));
        g.setColorAt(1, QColor(240, 178, 0));
        p.setPen(QPen(QColor(150, 100, 0), 1));
        p.setBrush(g);
        p.drawPath(tri);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.fillRect(QRect(7, 5, 2, 5), Qt::black);
        p.fillRect(QRect(7, 11, 2, 2), Qt::black);
        break;
    }
    case 3: { // error: a red disc with a white cross
        QRadialGradient g(QPointF(5.5, 4.5), 12);
        g.setColorAt(0, QColor(255, 160, 140));
        g.setColorAt(0.5, QColor(222, 48, 30));
        g.setColorAt(1, QColor(160, 14, 4));
        p.setPen(QPen(QColor(128, 10, 0), 1));
        p.setBrush(g);
        p.drawEllipse(disc);
        p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(5, 5), QPointF(11, 11));
        p.drawLine(QPointF(11, 5), QPointF(5, 11));
        break;
    }
    default:
        break;
    }
}

} // namespace

QPixmap captionButtonStrip(int kind, qreal dpr)
{
    kind = qBound(0, kind, 3);
    return cached(Picture::CaptionStrip, kind, dpr, QSize(captionCellSize * captionCellCount, captionCellSize),
                  [kind](QPainter &p) {
                      for (int cell = 0; cell < captionCellCount; ++cell)
                          drawCaptionCell(p, kind, cell, QPointF(cell * captionCellSize, 0));
                  });
}

QPixmap captionButtonCell(int kind, int cell, qreal dpr)
{
    kind = qBound(0, kind, 3);
    cell = qBound(0, cell, captionCellCount - 1);
    return cached(Picture::CaptionCell, kind * captionCellCount + cell, dpr,
                  QSize(captionCellSize, captionCellSize), [kind, cell, dpr](QPainter &p) {
                      // Cut from the strip, as the cells of one picture.
                      const QPixmap strip = captionButtonStrip(kind, dpr);
                      const QRectF source(cell * captionCellSize * dpr, 0, captionCellSize * dpr,
                                          captionCellSize * dpr);
                      p.drawPixmap(QRectF(0, 0, captionCellSize, captionCellSize), strip, source);
                  });
}

QPixmap radioGlyph(int index, qreal dpr)
{
    index = qBound(0, index, 7);
    return cached(Picture::Radio, index, dpr, QSize(radioGlyphSize, radioGlyphSize),
                  [index](QPainter &p) { drawRadio(p, index); });
}

QPixmap tipIcon(int icon, qreal dpr)
{
    if (icon < 1 || icon > 3)
        return {};
    return cached(Picture::TipIcon, icon, dpr, QSize(tipIconSize, tipIconSize),
                  [icon](QPainter &p) { drawTipIcon(p, icon); });
}

} // namespace karv
