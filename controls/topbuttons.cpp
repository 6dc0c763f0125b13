#include "controls/topbuttons.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>

#include "controls/glyphs.h"
#include "controls/pointerwatch.h"

namespace karv {

namespace {
constexpr int normalCell = 0, hoverCell = 1, pressedCell = 2, disabledCell = 3;
} // namespace

TopButton::TopButton(const QString &name, QWidget *parent, int value) : QAbstractButton(parent), value_(value)
{
    setObjectName(name);
    setFixedSize(Side, Side);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);

    // The watch notices the pointer leaving even when the window below never reports it
    // (a press dragged off the button keeps the mouse grabbed). It runs while the pointer is
    // over the button and stops itself once the pointer is away.
    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(10);
    connect(timer1_, &QTimer::timeout, this, &TopButton::watchPointer);
    connect(this, &QAbstractButton::clicked, this, &TopButton::Click);

    applyKind();
    timer1_->start();
}

void TopButton::setValue(int value)
{
    value_ = value;
    emit propertyChanged(QStringLiteral("Value"));
    applyKind();
}

void TopButton::applyKind()
{
    if (value_ >= 0 && value_ <= 3)
        kind_ = value_;
    showCell(enabledSetting() ? normalCell : disabledCell);
}

void TopButton::showCell(int cell)
{
    if (cell_ == cell)
        return;
    cell_ = cell;
    update();
}

void TopButton::saveProperties(QVariantMap &bag) const
{
    if (value_ != 0)
        bag.insert(QStringLiteral("Value"), value_);
    if (!enabledSetting())
        bag.insert(QStringLiteral("Enabled"), false);
}

void TopButton::loadProperties(const QVariantMap &bag)
{
    value_ = bag.value(QStringLiteral("Value"), 0).toInt();
    setEnabled(bag.value(QStringLiteral("Enabled"), true).toBool());
    showCell(enabledSetting() ? normalCell : disabledCell);
}

void TopButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawPixmap(0, 0, captionButtonCell(kind_, cell_, devicePixelRatioF()));
}

void TopButton::showEvent(QShowEvent *e)
{
    applyKind();
    QAbstractButton::showEvent(e);
}

void TopButton::changeEvent(QEvent *e)
{
    if (e->type() == QEvent::EnabledChange)
        showCell(enabledSetting() ? normalCell : disabledCell);
    QAbstractButton::changeEvent(e);
}

void TopButton::mousePressEvent(QMouseEvent *e)
{
    QPointer<TopButton> self(this);
    showCell(pressedCell);
    emit MouseDown(e->button(), e->modifiers(), e->position());
    if (!self)
        return;
    QAbstractButton::mousePressEvent(e);
    e->accept(); // other buttons than the left one stop here too, not on the window below
}

void TopButton::mouseMoveEvent(QMouseEvent *e)
{
    if (!timer1_->isActive())
        timer1_->start();
    if (withinSurface(this, e->position())) {
        QPointer<TopButton> self(this);
        emit MouseMove(e->buttons(), e->modifiers(), e->position());
        if (!self)
            return;
        showCell(e->buttons() == Qt::LeftButton ? pressedCell : hoverCell);
    }
    QAbstractButton::mouseMoveEvent(e);
}

void TopButton::mouseReleaseEvent(QMouseEvent *e)
{
    QPointer<TopButton> self(this);
    showCell(normalCell);
    emit MouseUp(e->button(), e->modifiers(), e->position());
    if (!self)
        return;
    QAbstractButton::mouseReleaseEvent(e); // raises Click when released over the button
    if (self)
        e->accept();
}

void TopButton::watchPointer()
{
    if (pointerOver(this))
        return;
    timer1_->stop();
    QPointer<TopButton> self(this);
    emit MouseOut();
    if (self && enabledSetting())
        showCell(normalCell);
}

} // namespace karv
