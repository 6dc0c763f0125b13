#include "app/ui.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace karv {

QFont designFont(const QString &family, double points, bool bold, bool italic)
{
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setItalic(italic);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

void installFontSubstitutes()
{
    const QStringList families = QFontDatabase::families(QFontDatabase::Cyrillic);
    auto pick = [&](std::initializer_list<const char *> wanted) {
        for (const char *w : wanted)
            if (families.contains(QString::fromLatin1(w)))
                return QString::fromLatin1(w);
        return QString();
    };
    struct Map {
        const char *design;
        std::initializer_list<const char *> faces;
    };
    const Map maps[] = {
        {"Arial", {"Liberation Sans", "Arimo", "DejaVu Sans"}},
        {"MS Sans Serif", {"Liberation Sans", "DejaVu Sans"}},
        {"Courier New", {"Liberation Mono", "Cousine", "DejaVu Sans Mono"}},
        {"Comic Sans MS", {"DejaVu Sans", "Liberation Sans"}},
        {"Trebuchet MS", {"DejaVu Sans", "Liberation Sans"}},
        {"Palatino Linotype", {"P052", "Liberation Serif", "DejaVu Serif"}},
    };
    for (const Map &m : maps) {
        const QString face = pick(m.faces);
        const QString design = QString::fromLatin1(m.design);
        if (!face.isEmpty() && !families.contains(design))
            QFont::insertSubstitution(design, face);
    }
}

void paintBackdrop(QPainter &p, const QRect &area, const QColor &top, const QColor &bottom)
{
    QLinearGradient g(area.topLeft(), area.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(area, g);
}

namespace {

QCursor drawCursor(bool forAnswers)
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.moveTo(1, 1);
    arrow.lineTo(1, 24);
    arrow.lineTo(7, 18);
    arrow.lineTo(11, 28);
    arrow.lineTo(15, 26);
    arrow.lineTo(11, 17);
    arrow.lineTo(19, 17);
    arrow.closeSubpath();
    QLinearGradient fill(0, 0, 18, 26);
    if (forAnswers) {
        fill.setColorAt(0, QColor(255, 255, 160));
        fill.setColorAt(1, QColor(255, 160, 0));
    } else {
        fill.setColorAt(0, QColor(200, 220, 255));
        fill.setColorAt(1, QColor(40, 70, 220));
    }
    p.setPen(QPen(QColor(0, 0, 40), 1.3));
    p.setBrush(fill);
    p.drawPath(arrow);
    if (forAnswers) {
        // A small gold coin beside the arrow: a click here is a bet.
        p.setBrush(QColor(255, 210, 40));
        p.setPen(QPen(QColor(120, 80, 0), 1.2));
        p.drawEllipse(QRectF(19.5, 19.5, 11, 11));
    }
    p.end();
    return QCursor(pm, 1, 1);
}

} // namespace

const QCursor &customCursor()
{
    static const QCursor c = drawCursor(false);
    return c;
}

const QCursor &answerCursor()
{
    static const QCursor c = drawCursor(true);
    return c;
}

} // namespace karv
