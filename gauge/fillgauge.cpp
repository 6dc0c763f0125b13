#include "gauge/fillgauge.h"

#include "gauge/colours.h"
#include "gauge/gaugegeometry.h"
#include "gauge/hostinput.h"

#include <QBitmap>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include <cmath>
#include <functional>
#include <initializer_list>
#include <limits>
#include <optional>

namespace gaugekit {

InvalidPropertyValue::InvalidPropertyValue(const std::string &description) : std::invalid_argument(description) {}

int InvalidPropertyValue::number() const { return 380; }

namespace {

using Appearance_ = Fillgauge::FGGAppearanceConstants;
using Border = Fillgauge::FGGBorderStyleConstants;
using Orientation_ = Fillgauge::FGGOrientationConstants;
using Style_ = Fillgauge::FGGProgressStyleConstants;

template <class T, class U> bool assign(T &to, const std::optional<U> &from)
{
    if (!from)
        return false;
    to = T(*from);
    return true;
}

void requireColour(uint colour)
{
    if (!colours::isValid(colour))
        throw InvalidPropertyValue();
}

template <class Enum> bool isMember(Enum value) { return qint32(value) == 0 || qint32(value) == 1; }

template <class Enum> void requireMember(Enum value)
{
    if (!isMember(value))
        throw InvalidPropertyValue();
}

// What a mouse-icon value is: nothing, an icon, or a picture that is no icon.
enum class PictureKind { None, Icon, NotIcon };

PictureKind pictureKind(const QVariant &picture)
{
    if (!picture.isValid())
        return PictureKind::None;
    switch (picture.metaType().id()) {
    case QMetaType::QIcon:
        return picture.value<QIcon>().isNull() ? PictureKind::None : PictureKind::Icon;
    case QMetaType::QPixmap:
        return picture.value<QPixmap>().isNull() ? PictureKind::None : PictureKind::NotIcon;
    case QMetaType::QBitmap:
        return picture.value<QBitmap>().isNull() ? PictureKind::None : PictureKind::NotIcon;
    case QMetaType::QImage:
        return picture.value<QImage>().isNull() ? PictureKind::None : PictureKind::NotIcon;
    default:
        return PictureKind::NotIcon;
    }
}

// Strict readers of stored values: a value of the wrong kind is a failure, not a zero.
std::optional<qint64> storedInteger(const QVariant &v, qint64 lowest, qint64 highest)
{
    bool ok = false;
    qint64 n = 0;
    switch (v.metaType().id()) {
    case QMetaType::UnknownType:
        return 0;
    case QMetaType::Bool:
        return v.toBool() ? -1 : 0;
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = v.toDouble();
        if (!(d >= double(lowest) - 0.5 && d <= double(highest) + 0.5))
            return std::nullopt;
        n = qint64(geometry::roundHalfEven(d));
        ok = true;
        break;
    }
    case QMetaType::ULongLong:
        n = qint64(v.toULongLong(&ok));
        ok = ok && v.toULongLong() <= quint64(highest);
        break;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::LongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::QString:
        n = v.toLongLong(&ok);
        break;
    default:
        return std::nullopt;
    }
    if (!ok || n < lowest || n > highest)
        return std::nullopt;
    return n;
}

std::optional<int> storedInt(const QVariant &v)
{
    const auto n = storedInteger(v, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
    return n ? std::optional<int>(int(*n)) : std::nullopt;
}

// Colours are stored as 32-bit values, signed or unsigned.
std::optional<uint> storedColour(const QVariant &v)
{
    const auto n = storedInteger(v, std::numeric_limits<qint32>::min(), std::numeric_limits<quint32>::max());
    return n ? std::optional<uint>(uint(quint32(*n))) : std::nullopt;
}

template <class Enum> std::optional<Enum> storedMember(const QVariant &v)
{
    const auto n = storedInt(v);
    if (!n || !isMember(Enum(*n)))
        return std::nullopt;
    return Enum(*n);
}

std::optional<float> storedFloat(const QVariant &v)
{
    bool ok = true;
    double d = 0;
    switch (v.metaType().id()) {
    case QMetaType::UnknownType:
        break;
    case QMetaType::Bool:
        d = v.toBool() ? -1 : 0;
        break;
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::QString:
        d = v.toDouble(&ok);
        break;
    default:
        ok = false;
    }
    if (!ok || std::isnan(d))
        return std::nullopt;
    return float(d);
}

std::optional<bool> storedBool(const QVariant &v)
{
    switch (v.metaType().id()) {
    case QMetaType::UnknownType:
        return false;
    case QMetaType::Bool:
        return v.toBool();
    case QMetaType::QString: {
        const QString s = v.toString().trimmed().toLower();
        if (s == u"true" || s == u"1" || s == u"-1")
            return true;
        if (s == u"false" || s == u"0")
            return false;
        return std::nullopt;
    }
    default:
        if (const auto n = storedInteger(v, std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max()))
            return *n != 0;
        return std::nullopt;
    }
}

std::optional<QString> storedString(const QVariant &v)
{
    switch (v.metaType().id()) {
    case QMetaType::UnknownType:
        return QString();
    case QMetaType::QString:
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return v.toString();
    default:
        return std::nullopt;
    }
}

std::optional<QFont> storedFont(const QVariant &v)
{
    switch (v.metaType().id()) {
    case QMetaType::UnknownType:
        return QFont();
    case QMetaType::QFont:
        return v.value<QFont>();
    case QMetaType::QString: {
        QFont f;
        if (f.fromString(v.toString()))
            return f;
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

} // namespace

Fillgauge::Fillgauge(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(true);
    fitImage();
}

void Fillgauge::changed(const char *name) { emit propertyChanged(QLatin1String(name)); }

// The backing image follows the control's size; what was drawn stays in the part both sizes share.
void Fillgauge::fitImage()
{
    if (image_.size() == size())
        return;
    QImage next(size(), QImage::Format_RGB32);
    if (next.isNull()) {
        image_ = QImage();
        return;
    }
    next.fill(colours::resolve(backColor_, palette()));
    if (!image_.isNull()) {
        QPainter p(&next);
        p.drawImage(0, 0, image_);
    }
    image_ = std::move(next);
}

// A new background colour clears the picture to it, as a fresh surface would be.
void Fillgauge::giveBackColor(uint colour)
{
    requireColour(colour);
    backColor_ = colour;
    fitImage();
    if (!image_.isNull())
        image_.fill(colours::resolve(backColor_, palette()));
    update();
}

void Fillgauge::giveForeColor(uint colour)
{
    requireColour(colour);
    foreColor_ = colour;
}

void Fillgauge::giveMouseIcon(const QVariant &picture)
{
    switch (pictureKind(picture)) {
    case PictureKind::None:
        mouseIcon_ = QVariant();
        break;
    case PictureKind::Icon:
        mouseIcon_ = picture;
        break;
    case PictureKind::NotIcon:
        throw InvalidPropertyValue();
    }
    applyCursor();
}

void Fillgauge::giveMousePointer(short pointer)
{
    if (!hostinput::pointerLook(pointer))
        throw InvalidPropertyValue();
    mousePointer_ = pointer;
    applyCursor();
}

void Fillgauge::applyCursor()
{
    const auto look = hostinput::pointerLook(mousePointer_);
    if (look->kind == hostinput::Pointer::Shape)
        setCursor(look->shape);
    else if (look->kind == hostinput::Pointer::Custom && mouseIcon_.isValid())
        setCursor(QCursor(mouseIcon_.value<QIcon>().pixmap(32, 32)));
    else
        unsetCursor();
}

void Fillgauge::setAppearance(FGGAppearanceConstants appearance)
{
    requireMember(appearance);
    appearance_ = appearance;
    if (appearance == FGGAppearanceConstants::fggFlat) {
        giveBackColor(colours::windowBackground);
        changed("Appearance");
    } else {
        changed("Appearance");
        giveBackColor(colours::buttonFace);
    }
    PaintBar(true);
}

void Fillgauge::setBackColor(uint colour)
{
    giveBackColor(colour);
    changed("BackColor");
    PaintBar(true);
}

void Fillgauge::setBorderStyle(FGGBorderStyleConstants style)
{
    requireMember(style);
    borderStyle_ = style;
    changed("BorderStyle");
    PaintBar(true);
}

void Fillgauge::setCaption(const QString &caption)
{
    caption_ = caption;
    changed("Caption");
    PaintBar(true);
}

bool Fillgauge::Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }

void Fillgauge::setEnabled_(bool enabled)
{
    setEnabled(enabled);
    changed("Enabled");
}

void Fillgauge::setFloodColor(uint colour)
{
    requireColour(colour);
    floodColor_ = colour;
    changed("FloodColor");
    PaintBar();
}

void Fillgauge::setFont_(const QFont &font)
{
    setFont(font);
    changed("Font");
    PaintBar(true);
}

void Fillgauge::setForeColor(uint colour)
{
    giveForeColor(colour);
    changed("ForeColor");
    PaintBar();
}

void Fillgauge::setHelpContextID(int id)
{
    helpContextId_ = id;
    changed("HelpContextID");
}

void Fillgauge::setMax(float max)
{
    if (!(max > min_))
        throw InvalidPropertyValue("Max must be greater than Min.");
    max_ = max;
    changed("Max");
    PaintBar(true);
}

void Fillgauge::setMin(float min)
{
    if (!(min < max_))
        throw InvalidPropertyValue("Min must be between 0 and Max-1.");
    min_ = min;
    changed("Min");
    PaintBar(true);
}

void Fillgauge::setMouseIcon(const QVariant &picture)
{
    giveMouseIcon(picture);
    changed("MouseIcon");
}

void Fillgauge::setMousePointer(short pointer)
{
    giveMousePointer(pointer);
    changed("MousePointer");
}

void Fillgauge::setOrientation(FGGOrientationConstants orientation)
{
    if (!Enabled() || orientation == orientation_)
        return;
    requireMember(orientation);
    orientation_ = orientation;
    changed("Orientation");
    // Swap width and height; only the second size change repaints.
    resizeSuppressed_ = true;
    const int w = width(), h = height();
    resize(h, h);
    resizeSuppressed_ = false;
    resize(h, w);
    // A hidden widget hears of its new size only when shown; the bar's picture must follow now.
    if (testAttribute(Qt::WA_PendingResizeEvent))
        resized();
}

void Fillgauge::setStyle(FGGProgressStyleConstants style)
{
    requireMember(style);
    style_ = style;
    changed("Style");
    PaintBar(true);
}

void Fillgauge::setValue(float value)
{
    // NaN compares with nothing: refused like any other value outside [Min, Max].
    if (!(value >= min_ && value <= max_))
        throw InvalidPropertyValue();
    const bool eraseFirst = !caption_.isEmpty() || value < value_;
    value_ = value;
    emit ValueChanged();
    changed("Value");
    PaintBar(eraseFirst);
}

void Fillgauge::setWhatsThisHelpID(int id) { whatsThisHelpId_ = id; }

qulonglong Fillgauge::hWnd() const { return qulonglong(winId()); }

void Fillgauge::setDesignMode(bool on)
{
    if (on == designMode_)
        return;
    designMode_ = on;
    PaintBar(true);
}

void Fillgauge::PaintBar(bool eraseFirst)
{
    fitImage();
    if (image_.isNull())
        return;
    const QPalette &pal = palette();
    const int sw = width(), sh = height();
    const bool bordered = borderStyle_ == FGGBorderStyleConstants::fggFixedSingle;
    const geometry::Layout layout = geometry::layoutFor(bordered, sw, sh);

    QPainter p(&image_);
    if (bordered) {
        if (appearance_ == FGGAppearanceConstants::fggFlat) {
            const QColor c = colours::resolve(colours::darkShadow3D, pal);
            p.fillRect(QRect(0, 0, sw, 1), c);
            p.fillRect(QRect(0, sh - 1, sw, 1), c);
            p.fillRect(QRect(0, 0, 1, sh), c);
            p.fillRect(QRect(sw - 1, 0, 1, sh), c);
        } else {
            const QColor light = colours::resolve(colours::highlight3D, pal);
            const QColor dark = colours::resolve(colours::buttonShadow, pal);
            for (const auto &stroke : geometry::bevel(0, 0, sw, sh, 1, false))
                p.fillRect(stroke.pixels, stroke.light ? light : dark);
        }
    }
    if (eraseFirst)
        p.fillRect(layout.inner, colours::resolve(backColor_, pal));

    if (min_ != max_) {
        const bool horizontal = orientation_ == FGGOrientationConstants::fggOrientationHorizontal;
        const geometry::Flood flood{horizontal, style_ == FGGProgressStyleConstants::fggStandard, designMode_,
                                    value_, min_, max_};
        const QColor floodColour = colours::resolve(floodColor_, pal);
        for (const QRect &r : geometry::floodRects(layout, flood, image_.size()))
            p.fillRect(r, floodColour);

        const QFont f = font();
        const QFontMetrics metrics(f, &image_);
        const auto width = [&metrics](const QString &s) { return metrics.horizontalAdvance(s); };
        const auto glyphs =
            geometry::captionGlyphs(layout, horizontal, designMode_, caption_, width, metrics.height());
        if (!glyphs.isEmpty()) {
            p.setFont(f);
            p.setPen(colours::resolve(foreColor_, pal));
            for (const auto &g : glyphs)
                p.drawText(g.topLeft + QPoint(0, metrics.ascent()), g.text);
        }
    }
    p.end();
    update();
}

void Fillgauge::saveProperties(PropertyBag &bag) const
{
    bag.write(QStringLiteral("Appearance"), qint32(appearance_));
    bag.write(QStringLiteral("BackColor"), backColor_);
    bag.write(QStringLiteral("BorderStyle"), qint32(borderStyle_));
    bag.write(QStringLiteral("Caption"), caption_);
    bag.write(QStringLiteral("Enabled"), Enabled());
    bag.write(QStringLiteral("FloodColor"), floodColor_);
    bag.write(QStringLiteral("ForeColor"), foreColor_);
    bag.write(QStringLiteral("Font"), font());
    bag.write(QStringLiteral("HelpContextID"), helpContextId_);
    bag.write(QStringLiteral("Max"), max_);
    bag.write(QStringLiteral("Min"), min_);
    // The mouse icon and pointer are left out while they hold their defaults (none and 0).
    if (mouseIcon_.isValid())
        bag.write(QStringLiteral("MouseIcon"), mouseIcon_);
    if (mousePointer_ != 0)
        bag.write(QStringLiteral("MousePointer"), mousePointer_);
    bag.write(QStringLiteral("OLEDropMode"), oleDropMode_);
    bag.write(QStringLiteral("Orientation"), qint32(orientation_));
    bag.write(QStringLiteral("Style"), qint32(style_));
    bag.write(QStringLiteral("WhatsThisHelpID"), whatsThisHelpId_);
}

void Fillgauge::loadProperties(const PropertyBag &bag)
{
    resizeSuppressed_ = false;
    const auto get = [&bag](const char *key) { return bag.read(QLatin1String(key)); };
    // One step a key, in the stored order; a missing key reads as an empty value. Loading stops quietly at
    // the first value that cannot be taken, keeping what was read before it.
    const std::initializer_list<std::function<bool()>> steps = {
        [&] { return assign(appearance_, storedMember<Appearance_>(get("Appearance"))); },
        [&] {
            const auto c = storedColour(get("BackColor"));
            return c && (giveBackColor(*c), true);
        },
        [&] { return assign(borderStyle_, storedMember<Border>(get("BorderStyle"))); },
        [&] { return assign(caption_, storedString(get("Caption"))); },
        [&] {
            const auto on = storedBool(get("Enabled"));
            return on && (setEnabled(*on), true);
        },
        [&] {
            const auto c = storedColour(get("FloodColor"));
            return c && colours::isValid(*c) && assign(floodColor_, c);
        },
        [&] {
            const auto c = storedColour(get("ForeColor"));
            return c && (giveForeColor(*c), true);
        },
        [&] {
            const auto f = storedFont(get("Font"));
            return f && (setFont(*f), true);
        },
        [&] { return assign(helpContextId_, storedInt(get("HelpContextID"))); },
        [&] { return assign(max_, storedFloat(get("Max"))); },
        [&] { return assign(min_, storedFloat(get("Min"))); },
        [&] { return giveMouseIcon(get("MouseIcon")), true; },
        [&] {
            const auto n = storedInteger(get("MousePointer"), std::numeric_limits<short>::min(),
                                         std::numeric_limits<short>::max());
            return n && (giveMousePointer(short(*n)), true);
        },
        [&] { return assign(oleDropMode_, storedInt(get("OLEDropMode"))); },
        [&] { return assign(orientation_, storedMember<Orientation_>(get("Orientation"))); },
        [&] {
            if (!assign(style_, storedMember<Style_>(get("Style"))))
                return false;
            value_ = min_;
            return true;
        },
        [&] { return assign(whatsThisHelpId_, storedInt(get("WhatsThisHelpID"))); },
    };
    for (const auto &step : steps) {
        try {
            if (!step())
                break;
        } catch (const InvalidPropertyValue &) {
            break;
        }
    }
    PaintBar(true);
}

void Fillgauge::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawImage(0, 0, image_);
}

void Fillgauge::resizeEvent(QResizeEvent *) { resized(); }

void Fillgauge::resized()
{
    fitImage();
    if (!resizeSuppressed_)
        PaintBar(true);
}

void Fillgauge::showEvent(QShowEvent *) { PaintBar(); }

void Fillgauge::keyPressEvent(QKeyEvent *event)
{
    if (const auto code = hostinput::keyCode(event->key(), event->modifiers()))
        emit KeyDown(*code, hostinput::shiftState(event->modifiers()));
    for (const QChar c : event->text())
        emit KeyPress(short(c.unicode()));
    // The bar has no use for keys: its window sees them too.
    event->ignore();
}

void Fillgauge::emitMouse(void (Fillgauge::*signal)(short, short, float, float), QMouseEvent *event, bool heldButtons)
{
    const short button = hostinput::buttons(heldButtons ? event->buttons() : Qt::MouseButtons(event->button()));
    const QPointF at = event->position();
    emit(this->*signal)(button, hostinput::shiftState(event->modifiers()), float(at.x()), float(at.y()));
}

void Fillgauge::mousePressEvent(QMouseEvent *event)
{
    emitMouse(&Fillgauge::MouseDown, event, false);
    QWidget::mousePressEvent(event);
}

void Fillgauge::mouseMoveEvent(QMouseEvent *event)
{
    emitMouse(&Fillgauge::MouseMove, event, true);
    QWidget::mouseMoveEvent(event);
}

void Fillgauge::mouseReleaseEvent(QMouseEvent *event)
{
    emitMouse(&Fillgauge::MouseUp, event, false);
    QWidget::mouseReleaseEvent(event);
}

} // namespace gaugekit
