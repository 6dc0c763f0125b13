#include "info/gameicon.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace karv {

namespace {

// The letter К as one outline on the 48-unit grid: the stem, the upper arm and the leg.
QPainterPath letterK()
{
    const QPolygonF k{{QPointF(14, 12), QPointF(20, 12), QPointF(20, 21.5), QPointF(29, 12), QPointF(35.5, 12),
                       QPointF(25.2, 23), QPointF(35.8, 36), QPointF(29.2, 36), QPointF(21.6, 26.8), QPointF(20, 28.5),
                       QPointF(20, 36), QPointF(14, 36)}};
    QPainterPath path;
    path.addPolygon(k);
    path.closeSubpath();
    return path;
}

// A four-pointed glint.
QPainterPath glint(QPointF c, qreal r)
{
    QPainterPath s;
    s.moveTo(c.x(), c.y() - r);
    s.quadTo(c, QPointF(c.x() + r, c.y()));
    s.quadTo(c, QPointF(c.x(), c.y() + r));
    s.quadTo(c, QPointF(c.x() - r, c.y()));
    s.quadTo(c, QPointF(c.x(), c.y() - r));
    return s;
}

} // namespace

QPixmap drawGameEmblem(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 48.0, size / 48.0);

    const QPointF centre(24, 23.5);

    // A soft shadow under the coin.
    QRadialGradient shadow(QPointF(25.5, 26), 23);
    shadow.setColorAt(0.85, QColor(0, 0, 40, 110));
    shadow.setColorAt(1.0, QColor(0, 0, 40, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.drawEllipse(QPointF(25.5, 26), 23, 23);

    // The rim: bright gold lit from the upper left.
    QLinearGradient rim(QPointF(6, 4), QPointF(42, 44));
    rim.setColorAt(0.0, QColor(255, 246, 170));
    rim.setColorAt(0.45, QColor(245, 196, 40));
    rim.setColorAt(1.0, QColor(168, 100, 0));
    p.setBrush(rim);
    p.setPen(QPen(QColor(110, 62, 0), 1.2));
    p.drawEllipse(centre, 21.5, 21.5);

    // The face, sunk into the rim: lit from the other side.
    QLinearGradient face(QPointF(10, 8), QPointF(38, 40));
    face.setColorAt(0.0, QColor(214, 146, 8));
    face.setColorAt(0.55, QColor(252, 212, 70));
    face.setColorAt(1.0, QColor(255, 238, 150));
    p.setBrush(face);
    p.setPen(QPen(QColor(150, 90, 0, 200), 0.9));
    p.drawEllipse(centre, 17, 17);

    // A ring of beads between rim and face, where there are pixels enough to show it.
    if (size >= 32) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 250, 205, 220));
        for (int i = 0; i < 24; ++i) {
            const double a = i * 2 * M_PI / 24;
            p.drawEllipse(QPointF(centre.x() + 19.2 * std::cos(a), centre.y() + 19.2 * std::sin(a)), 0.7, 0.7);
        }
    }

    // The letter, stamped: a light edge below right, the letter in deep blue above it.
    const QPainterPath k = letterK().translated(-0.8, -0.6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 248, 200));
    p.drawPath(k.translated(0.9, 0.9));
    QLinearGradient ink(QPointF(0, 12), QPointF(0, 36));
    ink.setColorAt(0.0, QColor(40, 60, 190));
    ink.setColorAt(1.0, QColor(12, 20, 110));
    p.setBrush(ink);
    p.setPen(QPen(QColor(8, 12, 70), 0.6));
    p.drawPath(k);

    // A glint on the rim.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 235));
    p.drawPath(glint(QPointF(11, 9.5), 4.2));
    p.end();
    return pm;
}

QIcon gameIcon()
{
    static const QIcon icon = [] {
        // Window icons only: the title bar, the task list and Alt+Tab ask for 16 to 64
        // pixels. Larger sizes would be converted for every window the game opens and
        // cost a quarter of a megabyte each time; the desktop menu uses the installed
        // picture files instead.
        QIcon i;
        for (int s : {16, 24, 32, 48, 64})
            i.addPixmap(drawGameEmblem(s));
        return i;
    }();
    return icon;
}

} // namespace karv
