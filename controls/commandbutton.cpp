#include "controls/commandbutton.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

#include "app/services.h"
#include "app/ui.h"

namespace karv {

CommandButton::CommandButton(const QString &name, const QString &caption, QWidget *parent) : QAbstractButton(parent)
{
    setObjectName(name);
    setText(caption);
    setFont(designFont(QStringLiteral("Comic Sans MS"), 10, true));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (!soundClick_.isEmpty())
            desktop().playSound(soundClick_);
    });
}

void CommandButton::setHandCursor(bool on)
{
    hand_ = on;
    if (on)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

QSize CommandButton::sizeHint() const
{
    const QFontMetrics fm(font());
    return QSize(fm.horizontalAdvance(text()) + 24, fm.height() + 12);
}

QFont CommandButton::captionFont() const
{
    // Every button keeps the one caption face; a caption wider than the room inside the frame
    // is drawn condensed, no narrower than it has to be.
    QFont face = font();
    const int room = width() - 2 * captionMargin;
    const int wide = QFontMetrics(face).horizontalAdvance(text());
    if (wide <= room || room <= 0)
        return face;
    for (int stretch = std::min(99, 100 * room / wide); stretch >= minimumStretch; --stretch) {
        face.setStretch(stretch);
        if (QFontMetrics(face).horizontalAdvance(text()) <= room)
            break;
    }
    return face;
}

void CommandButton::enterEvent(QEnterEvent *e)
{
    hovered_ = true;
    if (!soundOver_.isEmpty())
        desktop().playSound(soundOver_);
    update();
    QAbstractButton::enterEvent(e);
}

void CommandButton::leaveEvent(QEvent *e)
{
    hovered_ = false;
    update();
    QAbstractButton::leaveEvent(e);
}

void CommandButton::keyPressEvent(QKeyEvent *e)
{
    // A button with the keyboard focus is pressed by either Enter (the keypad's comes marked
    // with the keypad modifier) as well as by Space; Enter with Alt held goes on to the window,
    // which minimises.
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && mods == Qt::NoModifier) {
        e->accept();
        click();
        return;
    }
    QAbstractButton::keyPressEvent(e);
}

void CommandButton::mouseMoveEvent(QMouseEvent *e)
{
    emit mouseMoved(e->buttons(), e->modifiers(), e->position().toPoint());
    QAbstractButton::mouseMoveEvent(e);
    e->accept(); // the pointer over a button is not over the window's background
}

void CommandButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath shape;
    shape.addRoundedRect(r, 4, 4);

    const bool down = isDown();
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    if (!isEnabled()) {
        g.setColorAt(0, QColor(245, 244, 234));
        g.setColorAt(1, QColor(236, 234, 220));
    } else if (down) {
        g.setColorAt(0, QColor(205, 202, 190));
        g.setColorAt(1, QColor(236, 235, 228));
    } else {
        g.setColorAt(0, QColor(255, 255, 255));
        g.setColorAt(0.85, QColor(236, 235, 230));
        g.setColorAt(1, QColor(214, 208, 197));
    }
    p.fillPath(shape, g);

    if (hovered_ && isEnabled() && !down) {
        // A warm rim while the pointer rests on the button.
        QPainterPath inner;
        inner.addRoundedRect(r.adjusted(1.5, 1.5, -1.5, -1.5), 3, 3);
        p.setPen(QPen(QColor(248, 179, 48), 2));
        p.drawPath(inner);
    }
    p.setPen(QPen(isEnabled() ? QColor(0, 60, 116) : QColor(201, 199, 186), 1));
    p.drawPath(shape);

    p.setPen(isEnabled() ? QColor(0, 0, 0) : QColor(161, 161, 146));
    const QFont face = captionFont();
    p.setFont(face);
    const QRect room = rect().adjusted(captionMargin, 0, -captionMargin, 0);
    const QString caption = QFontMetrics(face).elidedText(text(), Qt::ElideRight, room.width(), Qt::TextShowMnemonic);
    p.drawText(room.translated(down ? 1 : 0, down ? 1 : 0), Qt::AlignCenter | Qt::TextShowMnemonic, caption);
    if (hasFocus()) {
        p.setPen(QPen(QColor(120, 120, 120), 1, Qt::DotLine));
        p.setRenderHint(QPainter::Antialiasing, false);
        p.drawRect(rect().adjusted(3, 3, -4, -4));
    }
}

} // namespace karv
