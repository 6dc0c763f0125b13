#include "app/widgets.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace karv {

Label::Label(const QString &name, QWidget *parent, const QString &text) : QLabel(text, parent)
{
    setObjectName(name);
    setMouseTracking(true);
    setWordWrap(true);
    applyPalette();
}

void Label::setBackColor(const QColor &c)
{
    back_ = c;
    setOpaque(true);
    applyPalette();
}

void Label::setForeColor(const QColor &c)
{
    fore_ = c;
    applyPalette();
}

void Label::setOpaque(bool on)
{
    opaque_ = on;
    setAutoFillBackground(on);
    applyPalette();
}

void Label::applyPalette()
{
    QPalette p = palette();
    p.setColor(QPalette::Window, back_);
    p.setColor(QPalette::WindowText, fore_);
    setPalette(p);
}

void Label::setShrinkToFit(double minimumPoints)
{
    shrinkMinimum_ = minimumPoints;
    update();
}

QRect Label::textRoom() const
{
    const int m = margin();
    return contentsRect().adjusted(m, m, -m, -m);
}

QFont Label::fittedFont() const
{
    QFont face = font();
    if (shrinkMinimum_ <= 0)
        return face;
    const int room = textRoom().width();
    while (QFontMetrics(face).horizontalAdvance(text()) > room && face.pointSizeF() - 0.25 >= shrinkMinimum_)
        face.setPointSizeF(face.pointSizeF() - 0.25);
    return face;
}

QString Label::fittedText() const
{
    if (shrinkMinimum_ <= 0)
        return text();
    return QFontMetrics(fittedFont()).elidedText(text(), Qt::ElideRight, textRoom().width());
}

void Label::paintEvent(QPaintEvent *e)
{
    if (shrinkMinimum_ <= 0) {
        QLabel::paintEvent(e);
        return;
    }
    QPainter p(this);
    p.setFont(fittedFont());
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(textRoom(), int(alignment()) | Qt::TextSingleLine, fittedText());
}

void Label::mouseMoveEvent(QMouseEvent *e)
{
    emit mouseMoved(e->buttons(), e->modifiers(), e->position().toPoint());
    e->accept();
}

void Label::mousePressEvent(QMouseEvent *e)
{
    pressed_ = e->button() == Qt::LeftButton;
    emit mousePressed(e->button(), e->modifiers(), e->position().toPoint());
    e->accept();
}

void Label::mouseReleaseEvent(QMouseEvent *e)
{
    QPointer<Label> self(this);
    const bool wasPressed = pressed_;
    pressed_ = false;
    emit mouseReleased(e->button(), e->modifiers(), e->position().toPoint());
    if (!self)
        return;
    if (wasPressed && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit clicked();
    if (self)
        e->accept();
}

Shape::Shape(const QString &name, QWidget *parent, Kind kind) : QWidget(parent), kind_(kind)
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::setFillColor(const QColor &c)
{
    fill_ = c;
    QPalette p = palette();
    p.setColor(QPalette::Window, c);
    setPalette(p);
    update();
}

void Shape::setBorderColor(const QColor &c)
{
    border_ = c;
    update();
}

void Shape::setBorderWidth(int w)
{
    borderWidth_ = w;
    update();
}

void Shape::setFilled(bool on)
{
    filled_ = on;
    update();
}

void Shape::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, kind_ != Kind::Rectangle);
    const qreal half = borderWidth_ / 2.0;
    const QRectF r = QRectF(rect()).adjusted(half, half, -half, -half);
    p.setPen(borderWidth_ > 0 ? QPen(border_, borderWidth_) : QPen(Qt::NoPen));
    p.setBrush(filled_ ? QBrush(fill_) : QBrush(Qt::NoBrush));
    switch (kind_) {
    case Kind::Rectangle: p.drawRect(r); break;
    case Kind::RoundedRectangle: p.drawRoundedRect(r, 8, 8); break;
    case Kind::Oval: p.drawEllipse(r); break;
    }
}

Line::Line(const QString &name, QWidget *parent, QPoint from, QPoint to, const QColor &color, int width)
    : QWidget(parent), color_(color), width_(width)
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    const QRect box = QRect(from, to).normalized().adjusted(-width, -width, width, width);
    setGeometry(box);
    from_ = from - box.topLeft();
    to_ = to - box.topLeft();
}

void Line::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setPen(QPen(color_, width_));
    p.drawLine(from_, to_);
}

} // namespace karv

namespace karv {

PushButton::PushButton(const QString &name, const QString &caption, QWidget *parent) : QAbstractButton(parent)
{
    setObjectName(name);
    setText(caption);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setBackColor(QColor(192, 192, 255));
}

void PushButton::setBackColor(const QColor &c)
{
    back_ = c;
    QPalette p = palette();
    p.setColor(QPalette::Button, c);
    setPalette(p);
    update();
}

void PushButton::mouseMoveEvent(QMouseEvent *e)
{
    emit mouseMoved(e->buttons(), e->modifiers(), e->position().toPoint());
    QAbstractButton::mouseMoveEvent(e);
    e->accept(); // the pointer over a button is not over the window's background
}

void PushButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, back_);
    const bool down = isDown();
    const QColor light = down ? QColor(64, 64, 64) : QColor(255, 255, 255);
    const QColor dark = down ? QColor(255, 255, 255) : QColor(64, 64, 64);
    p.setPen(light);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(dark);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    p.setPen(Qt::black);
    p.setFont(font());
    p.drawText(r.translated(down ? 1 : 0, down ? 1 : 0), Qt::AlignCenter, text());
    if (hasFocus()) {
        p.setPen(QPen(QColor(0, 0, 0), 1, Qt::DotLine));
        p.drawRect(r.adjusted(3, 3, -4, -4));
    }
}

} // namespace karv
