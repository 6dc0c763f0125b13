#include "controls/radiobutton.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>

#include "controls/glyphs.h"
#include "controls/pointerwatch.h"

namespace karv {

namespace {

constexpr int boxSide = 16;     // the mark's box
constexpr int captionLeft = 32; // where the caption starts

enum Glyph { Unchecked = 0, Hover = 1, Pressed = 2, Disabled = 3, Checked = 4 };

// The box that shows the current mark. Clicks on it belong to the button.
class GlyphBox : public QWidget {
public:
    explicit GlyphBox(QWidget *parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("p"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    void setIndex(int index)
    {
        index_ = index;
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        const int inset = (boxSide - radioGlyphSize) / 2;
        p.drawPixmap(inset, inset, radioGlyph(index_, devicePixelRatioF()));
    }

private:
    int index_ = 0;
};

} // namespace

QColor RadioButton::defaultBackColor()
{
    return QApplication::palette().color(QPalette::Active, QPalette::Button);
}

RadioButton::RadioButton(const QString &name, QWidget *parent, const QString &caption)
    : QAbstractButton(parent), back_(defaultBackColor())
{
    setObjectName(name);
    setCheckable(true);
    setAutoExclusive(false); // the group is the whole window; see nextCheckState()
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);

    box_ = new GlyphBox(this);
    box_->resize(boxSide, boxSide);
    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("lbl"));
    label_->setAttribute(Qt::WA_TransparentForMouseEvents);

    // The watch runs from creation and stops itself once the pointer is away; each move
    // over the button starts it again.
    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(10);
    connect(timer1_, &QTimer::timeout, this, &RadioButton::watchPointer);

    QAbstractButton::setText(caption.isNull() ? name : caption);
    label_->setText(text());
    QPalette pal = palette();
    pal.setColor(QPalette::Window, back_);
    setPalette(pal);
    applyCaptionColour();
    layoutParts();
    showNormalGlyph();
    timer1_->start();
}

void RadioButton::setValue(bool on)
{
    setChecked(on);
    showNormalGlyph();
    emit propertyChanged(QStringLiteral("Value"));
}

void RadioButton::setCaption(const QString &caption)
{
    QAbstractButton::setText(caption);
    label_->setText(caption);
    layoutParts();
    emit propertyChanged(QStringLiteral("Caption"));
}

void RadioButton::setCaptionFont(const QFont &font)
{
    setFont(font); // the mark's box and the caption take it from here; the layout follows
    emit propertyChanged(QStringLiteral("Font"));
}

void RadioButton::setBackColor(const QColor &c)
{
    back_ = c;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, c);
    setPalette(pal);
    emit propertyChanged(QStringLiteral("BackColor"));
}

void RadioButton::setForeColor(const QColor &c)
{
    fore_ = c;
    applyCaptionColour();
    emit propertyChanged(QStringLiteral("ForeColor"));
}

void RadioButton::applyCaptionColour()
{
    QPalette pal = label_->palette();
    pal.setColor(QPalette::WindowText, enabledSetting() ? fore_ : disabledCaptionColor());
    label_->setPalette(pal);
}

void RadioButton::layoutParts()
{
    box_->move(0, (height() - boxSide) / 2);
    label_->adjustSize();
    label_->move(captionLeft, (height() - label_->height()) / 2);
}

QSize RadioButton::sizeHint() const
{
    const QSize caption = label_->sizeHint();
    return QSize(captionLeft + caption.width(), qMax(boxSide, caption.height()));
}

void RadioButton::showGlyph(int index)
{
    if (glyph_ == index)
        return;
    glyph_ = index;
    static_cast<GlyphBox *>(box_)->setIndex(index);
}

void RadioButton::showNormalGlyph()
{
    const int base = isChecked() ? Checked : Unchecked;
    showGlyph(base + (enabledSetting() ? 0 : Disabled));
}

QFont RadioButton::ambientFont() const
{
    return parentWidget() ? parentWidget()->font() : QApplication::font();
}

void RadioButton::saveProperties(QVariantMap &bag) const
{
    if (font() != ambientFont())
        bag.insert(QStringLiteral("Font"), font());
    if (value())
        bag.insert(QStringLiteral("Value"), true);
    if (caption() != objectName())
        bag.insert(QStringLiteral("Caption"), caption());
    if (!enabledSetting())
        bag.insert(QStringLiteral("Enabled"), false);
    if (back_ != defaultBackColor())
        bag.insert(QStringLiteral("BackColor"), back_);
    if (fore_ != QColor(Qt::black))
        bag.insert(QStringLiteral("ForeColor"), fore_);
}

void RadioButton::loadProperties(const QVariantMap &bag)
{
    setValue(bag.value(QStringLiteral("Value"), false).toBool());
    setCaption(bag.value(QStringLiteral("Caption"), objectName()).toString());
    setEnabled(bag.value(QStringLiteral("Enabled"), true).toBool());
    setCaptionFont(bag.value(QStringLiteral("Font"), ambientFont()).value<QFont>());
    setBackColor(bag.value(QStringLiteral("BackColor"), defaultBackColor()).value<QColor>());
    setForeColor(bag.value(QStringLiteral("ForeColor"), QColor(Qt::black)).value<QColor>());
}

void RadioButton::paintEvent(QPaintEvent *)
{
    // The surface is its background colour; the mark and the caption are child widgets.
}

void RadioButton::resizeEvent(QResizeEvent *e)
{
    layoutParts();
    QAbstractButton::resizeEvent(e);
}

void RadioButton::changeEvent(QEvent *e)
{
    switch (e->type()) {
    case QEvent::EnabledChange:
        showNormalGlyph();
        applyCaptionColour();
        break;
    case QEvent::FontChange:
        layoutParts();
        break;
    default:
        break;
    }
    QAbstractButton::changeEvent(e);
}

void RadioButton::nextCheckState()
{
    QPointer<RadioButton> self(this);
    emit Click();
    if (!self)
        return;
    QWidget *top = window();
    const auto all = top->findChildren<RadioButton *>();
    for (RadioButton *other : all) {
        if (other->window() == top) // not those of a separate window parented here
            other->setValue(false);
    }
    setValue(true);
}

void RadioButton::mousePressEvent(QMouseEvent *e)
{
    QPointer<RadioButton> self(this);
    if (enabledSetting())
        showGlyph((isChecked() ? Checked : Unchecked) + Pressed);
    emit MouseDown(e->button(), e->modifiers(), e->position());
    if (!self)
        return;
    QAbstractButton::mousePressEvent(e);
    if (self)
        e->accept();
}

void RadioButton::mouseMoveEvent(QMouseEvent *e)
{
    if (!timer1_->isActive())
        timer1_->start();
    if (withinSurface(this, e->position())) {
        QPointer<RadioButton> self(this);
        emit MouseMove(e->buttons(), e->modifiers(), e->position());
        if (!self)
            return;
        if (enabledSetting())
            showGlyph((isChecked() ? Checked : Unchecked) + (e->buttons() == Qt::LeftButton ? Pressed : Hover));
    }
    QAbstractButton::mouseMoveEvent(e);
}

void RadioButton::mouseReleaseEvent(QMouseEvent *e)
{
    // The mark changes with the click that may follow, or when the pointer has left.
    QPointer<RadioButton> self(this);
    emit MouseUp(e->button(), e->modifiers(), e->position());
    if (!self)
        return;
    QAbstractButton::mouseReleaseEvent(e);
    if (self)
        e->accept();
}

void RadioButton::keyPressEvent(QKeyEvent *e)
{
    QPointer<RadioButton> self(this);
    emit KeyDown(e->key(), e->modifiers());
    if (self && !e->text().isEmpty())
        emit KeyPress(e->text().front());
    if (self)
        QAbstractButton::keyPressEvent(e);
}

void RadioButton::keyReleaseEvent(QKeyEvent *e)
{
    QPointer<RadioButton> self(this);
    emit KeyUp(e->key(), e->modifiers());
    if (self)
        QAbstractButton::keyReleaseEvent(e);
}

void RadioButton::watchPointer()
{
    if (pointerOver(this))
        return;
    timer1_->stop();
    QPointer<RadioButton> self(this);
    emit MouseOut();
    if (self)
        showNormalGlyph();
}

} // namespace karv
