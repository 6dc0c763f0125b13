#pragma once
// The test behind the mouse-leave watch of the game's own controls: is the pointer still
// over the control? The control's edges count as inside. A hidden control has no pointer
// over it, so its watch stops at the next tick.

#include <QCursor>
#include <QWidget>

namespace karv {

inline bool pointerOver(const QWidget *w)
{
    if (!w->isVisible())
        return false;
    const QPoint p = w->mapFromGlobal(QCursor::pos());
    return p.x() >= 0 && p.y() >= 0 && p.x() <= w->width() && p.y() <= w->height();
}

// The same test for a position reported by the control's own mouse events.
inline bool withinSurface(const QWidget *w, QPointF p)
{
    return p.x() >= 0 && p.y() >= 0 && p.x() <= w->width() && p.y() <= w->height();
}

} // namespace karv
