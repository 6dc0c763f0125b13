#include "fillgauge.h"

#include "colours.h"
#include "gaugegeometry.h"
#include "hostinput.h"

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

template <class Enum> bool isMember(Enum value) { return qint32(value) == 0 || qint32(value) == 1; }

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

// The bar's state and the steps its setters share.
class FillgaugePrivate {
public:
    explicit FillgaugePrivate(Fillgauge *q) : q(q) {}

    // Refuses a value: thrown as error 380 to the caller, or logged while a form designer shows the bar.
    bool accept(bool ok, const char *description = "") const;
    void changed(const char *name) { emit q->propertyChanged(QLatin1String(name)); }
    void fitImage();
    void resized();
    void paint(bool eraseFirst = false);
    void giveBackColor(uint colour);
    void storeColour(uint &slot, uint colour, const char *name, void (Fillgauge::*notify)());
    void giveMouseIcon(const QVariant &picture);
    void giveMousePointer(short pointer);
    void applyCursor();
    void noteEnabled();
    void noteFont();
    void emitMouse(void (Fillgauge::*signal)(short, short, float, float), QMouseEvent *event, bool heldButtons);
    QSize barSize(bool minimum) const;

    Fillgauge *const q;
    Fillgauge::FGGAppearanceConstants appearance = Fillgauge::fgg3D;
    Fillgauge::FGGBorderStyleConstants borderStyle = Fillgauge::fggFixedSingle;
    QString caption = QStringLiteral("50%");
    uint floodColor = 192;
    uint foreColor = colours::highlightedText;
    int helpContextId = 0;
    float max = 100.0f;
    float min = 0.0f;
    Fillgauge::FGGOrientationConstants orientation = Fillgauge::fggOrientationHorizontal;
    int oleDropMode = 0;
    Fillgauge::FGGProgressStyleConstants style = Fillgauge::fggStandard;
    float value = -1.0f;
    int whatsThisHelpId = 0;
    bool resizeSuppressed = false;

    // Held for the surface: the background, the mouse icon and pointer.
    uint backColor = colours::buttonFace;
    QVariant mouseIcon;
    short mousePointer = 0;

    bool designMode = false;
    QImage image;

    // What the change signals last reported for the state QWidget keeps.
    bool knownEnabled = true;
    QFont knownFont;
    bool settingFont = false;
};

namespace {

// A QColor as the bar stores it, 0x00BBGGRR; the alpha channel is dropped.
uint storedForm(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return uint(rgb.red()) | uint(rgb.green()) << 8 | uint(rgb.blue()) << 16;
}

// A colour handed to setProperty(): a QColor or Qt::GlobalColor, or a number in the 32-bit form.
std::optional<uint> colourOf(const QVariant &v)
{
    if (v.metaType() == QMetaType::fromType<QColor>()) {
        const QColor c = v.value<QColor>();
        return c.isValid() ? std::optional<uint>(storedForm(c)) : std::nullopt;
    }
    if (v.metaType() == QMetaType::fromType<Qt::GlobalColor>())
        return storedForm(QColor(v.value<Qt::GlobalColor>()));
    if (!v.isValid())
        return std::nullopt;
    return storedColour(v);
}

// The QColor and setProperty() forms of a colour property lead to its 32-bit setter.
void setColour(FillgaugePrivate &d, void (Fillgauge::*set)(uint), const QColor &colour)
{
    if (d.accept(colour.isValid()))
        (d.q->*set)(storedForm(colour));
}

void setColour(FillgaugePrivate &d, void (Fillgauge::*set)(uint), const QVariant &colour)
{
    const auto c = colourOf(colour);
    if (d.accept(c.has_value()))
        (d.q->*set)(*c);
}

// Which icon a MouseIcon value holds: copies of one icon share a key; no icon is 0.
qint64 iconKey(const QVariant &icon) { return icon.isValid() ? qint64(icon.value<QIcon>().cacheKey()) : 0; }

// Long and thin: a bar stretches along its length and keeps its thickness.
QSizePolicy defaultPolicy(Fillgauge::FGGOrientationConstants orientation)
{
    return orientation == Fillgauge::fggOrientationHorizontal
               ? QSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed)
               : QSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

// A double as the bar's 32-bit float; beyond the float range it is infinite, as the host's conversion gives.
float toFloat(double v)
{
    if (v > double(std::numeric_limits<float>::max()))
        return std::numeric_limits<float>::infinity();
    if (v < -double(std::numeric_limits<float>::max()))
        return -std::numeric_limits<float>::infinity();
    return float(v);
}

} // namespace

bool FillgaugePrivate::accept(bool ok, const char *description) const
{
    if (ok)
        return true;
    if (designMode) {
        qWarning("Fillgauge: invalid property value%s%s", *description ? ": " : "", description);
        return false;
    }
    throw InvalidPropertyValue(description);
}

// The backing image follows the control's size; what was drawn stays in the part both sizes share.
void FillgaugePrivate::fitImage()
{
    if (image.size() == q->size())
        return;
    QImage next(q->size(), QImage::Format_RGB32);
    if (next.isNull()) {
        image = QImage();
        return;
    }
    next.fill(colours::resolve(backColor, q->palette()));
    if (!image.isNull()) {
        QPainter p(&next);
        p.drawImage(0, 0, image);
    }
    image = std::move(next);
}

// A colour the bar paints with: stored in its 32-bit form, the host told, the bar repainted, and
// the change signal raised when the colour really changed.
void FillgaugePrivate::storeColour(uint &slot, uint colour, const char *name, void (Fillgauge::*notify)())
{
    if (!accept(colours::isValid(colour)))
        return;
    const uint before = slot;
    slot = colour;
    changed(name);
    paint();
    if (before != colour)
        emit (q->*notify)();
}

// A new background colour clears the picture to it, as a fresh surface would be.
void FillgaugePrivate::giveBackColor(uint colour)
{
    backColor = colour;
    fitImage();
    if (!image.isNull())
        image.fill(colours::resolve(backColor, q->palette()));
    q->update();
}

// Takes nothing, an icon or a null picture; the caller has refused any other picture.
void FillgaugePrivate::giveMouseIcon(const QVariant &picture)
{
    mouseIcon = pictureKind(picture) == PictureKind::Icon ? picture : QVariant();
    applyCursor();
}

void FillgaugePrivate::giveMousePointer(short pointer)
{
    mousePointer = pointer;
    applyCursor();
}

void FillgaugePrivate::applyCursor()
{
    const auto look = hostinput::pointerLook(mousePointer);
    if (look->kind == hostinput::Pointer::Shape)
        q->setCursor(look->shape);
    else if (look->kind == hostinput::Pointer::Custom && mouseIcon.isValid())
        q->setCursor(QCursor(mouseIcon.value<QIcon>().pixmap(32, 32)));
    else
        q->unsetCursor();
}

void FillgaugePrivate::noteEnabled()
{
    if (q->Enabled() == knownEnabled)
        return;
    knownEnabled = q->Enabled();
    emit q->EnabledChanged();
}

void FillgaugePrivate::noteFont()
{
    if (q->font() == knownFont)
        return;
    knownFont = q->font();
    q->updateGeometry();
    emit q->FontChanged();
}

void FillgaugePrivate::resized()
{
    fitImage();
    if (!resizeSuppressed)
        paint(true);
}

void FillgaugePrivate::paint(bool eraseFirst)
{
    fitImage();
    if (image.isNull())
        return;
    const QPalette &pal = q->palette();
    const int sw = q->width(), sh = q->height();
    const bool bordered = borderStyle == Fillgauge::fggFixedSingle;
    const geometry::Layout layout = geometry::layoutFor(bordered, sw, sh);

    QPainter p(&image);
    if (bordered) {
        if (appearance == Fillgauge::fggFlat) {
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
        p.fillRect(layout.inner, colours::resolve(backColor, pal));

    if (min != max) {
        const bool horizontal = orientation == Fillgauge::fggOrientationHorizontal;
        const geometry::Flood flood{horizontal, style == Fillgauge::fggStandard, designMode, value, min, max};
        const QColor floodColour = colours::resolve(floodColor, pal);
        for (const QRect &r : geometry::floodRects(layout, flood, image.size()))
            p.fillRect(r, floodColour);

        const QFont f = q->font();
        const QFontMetrics metrics(f, &image);
        const auto width = [&metrics](const QString &s) { return metrics.horizontalAdvance(s); };
        const auto glyphs = geometry::captionGlyphs(layout, horizontal, designMode, caption, width, metrics.height());
        if (!glyphs.isEmpty()) {
            p.setFont(f);
            p.setPen(colours::resolve(foreColor, pal));
            for (const auto &g : glyphs)
                p.drawText(g.topLeft + QPoint(0, metrics.ascent()), g.text);
        }
    }
    p.end();
    q->update();
}

// A horizontal bar as wide as twenty digits and as high as a line of the caption inside its border;
// at least as long as "100%". A vertical bar is the same turned.
QSize FillgaugePrivate::barSize(bool minimum) const
{
    const QFontMetrics metrics(q->font());
    const int frame = borderStyle == Fillgauge::fggFixedSingle ? 5 : 0;
    const int thickness = metrics.height() + frame;
    const int length = frame + (minimum ? metrics.horizontalAdvance(QStringLiteral("100%"))
                                        : 20 * metrics.horizontalAdvance(QLatin1Char('0')));
    return orientation == Fillgauge::fggOrientationHorizontal ? QSize(length, thickness) : QSize(thickness, length);
}

void FillgaugePrivate::emitMouse(void (Fillgauge::*signal)(short, short, float, float), QMouseEvent *event,
                                 bool heldButtons)
{
    const short button = hostinput::buttons(heldButtons ? event->buttons() : Qt::MouseButtons(event->button()));
    const QPointF at = event->position();
    emit(q->*signal)(button, hostinput::shiftState(event->modifiers()), float(at.x()), float(at.y()));
}

Fillgauge::Fillgauge(QWidget *parent) : QWidget(parent), d(std::make_unique<FillgaugePrivate>(this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(true);
    setSizePolicy(defaultPolicy(fggOrientationHorizontal));
    d->knownEnabled = Enabled();
    d->knownFont = font();
    d->fitImage();
}

Fillgauge::~Fillgauge() = default;

Fillgauge::FGGAppearanceConstants Fillgauge::Appearance() const { return d->appearance; }

void Fillgauge::setAppearance(FGGAppearanceConstants appearance)
{
    if (!d->accept(isMember(appearance)))
        return;
    const auto before = std::pair(d->appearance, d->backColor);
    d->appearance = appearance;
    if (appearance == fggFlat) {
        d->giveBackColor(colours::windowBackground);
        d->changed("Appearance");
    } else {
        d->changed("Appearance");
        d->giveBackColor(colours::buttonFace);
    }
    d->paint(true);
    if (before.first != d->appearance)
        emit AppearanceChanged();
    if (before.second != d->backColor)
        emit BackColorChanged();
}

uint Fillgauge::BackColor() const { return d->backColor; }

void Fillgauge::setBackColor(uint colour)
{
    if (!d->accept(colours::isValid(colour)))
        return;
    const uint before = d->backColor;
    d->giveBackColor(colour);
    d->changed("BackColor");
    d->paint(true);
    if (before != colour)
        emit BackColorChanged();
}

void Fillgauge::setBackColor(const QColor &colour)
{
    setColour(*d, qOverload<uint>(&Fillgauge::setBackColor), colour);
}

QColor Fillgauge::backColor() const { return colours::resolve(d->backColor, palette()); }

void Fillgauge::writeBackColor(const QVariant &colour)
{
    setColour(*d, qOverload<uint>(&Fillgauge::setBackColor), colour);
}

Fillgauge::FGGBorderStyleConstants Fillgauge::BorderStyle() const { return d->borderStyle; }

void Fillgauge::setBorderStyle(FGGBorderStyleConstants style)
{
    if (!d->accept(isMember(style)))
        return;
    const auto before = d->borderStyle;
    d->borderStyle = style;
    d->changed("BorderStyle");
    d->paint(true);
    if (before != style) {
        updateGeometry();
        emit BorderStyleChanged();
    }
}

QString Fillgauge::Caption() const { return d->caption; }

void Fillgauge::setCaption(const QString &caption)
{
    const bool moved = caption != d->caption;
    d->caption = caption;
    d->changed("Caption");
    d->paint(true);
    if (moved)
        emit CaptionChanged();
}

bool Fillgauge::Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }

void Fillgauge::setEnabled(bool enabled)
{
    QWidget::setEnabled(enabled);
    d->changed("Enabled");
    d->noteEnabled();
}

uint Fillgauge::FloodColor() const { return d->floodColor; }

void Fillgauge::setFloodColor(uint colour)
{
    d->storeColour(d->floodColor, colour, "FloodColor", &Fillgauge::FloodColorChanged);
}

void Fillgauge::setFloodColor(const QColor &colour)
{
    setColour(*d, qOverload<uint>(&Fillgauge::setFloodColor), colour);
}

QColor Fillgauge::floodColor() const { return colours::resolve(d->floodColor, palette()); }

void Fillgauge::writeFloodColor(const QVariant &colour)
{
    setColour(*d, qOverload<uint>(&Fillgauge::setFloodColor), colour);
}

QFont Fillgauge::Font() const { return font(); }

void Fillgauge::setFont(const QFont &font)
{
    d->settingFont = true;
    QWidget::setFont(font);
    d->settingFont = false;
    d->changed("Font");
    d->paint(true);
    d->noteFont();
}

uint Fillgauge::ForeColor() const { return d->foreColor; }

void Fillgauge::setForeColor(uint colour)
{
    d->storeColour(d->foreColor, colour, "ForeColor", &Fillgauge::ForeColorChanged);
}

void Fillgauge::setForeColor(const QColor &colour)
{
    setColour(*d, qOverload<uint>(&Fillgauge::setForeColor), colour);
}

QColor Fillgauge::foreColor() const { return colours::resolve(d->foreColor, palette()); }

void Fillgauge::writeForeColor(const QVariant &colour)
{
    setColour(*d, qOverload<uint>(&Fillgauge::setForeColor), colour);
}

int Fillgauge::HelpContextID() const { return d->helpContextId; }

void Fillgauge::setHelpContextID(int id)
{
    const bool moved = id != d->helpContextId;
    d->helpContextId = id;
    d->changed("HelpContextID");
    if (moved)
        emit HelpContextIDChanged();
}

float Fillgauge::Max() const { return d->max; }

void Fillgauge::setMax(float max)
{
    if (!d->accept(max > d->min, "Max must be greater than Min."))
        return;
    const bool moved = max != d->max;
    d->max = max;
    d->changed("Max");
    d->paint(true);
    if (moved)
        emit MaxChanged();
}

void Fillgauge::writeMax(double max) { setMax(toFloat(max)); }

float Fillgauge::Min() const { return d->min; }

void Fillgauge::setMin(float min)
{
    if (!d->accept(min < d->max, "Min must be between 0 and Max-1."))
        return;
    const bool moved = min != d->min;
    d->min = min;
    d->changed("Min");
    d->paint(true);
    if (moved)
        emit MinChanged();
}

void Fillgauge::writeMin(double min) { setMin(toFloat(min)); }

QVariant Fillgauge::MouseIcon() const { return d->mouseIcon; }

void Fillgauge::setMouseIcon(const QVariant &picture)
{
    if (!d->accept(pictureKind(picture) != PictureKind::NotIcon))
        return;
    const qint64 before = iconKey(d->mouseIcon);
    d->giveMouseIcon(picture);
    d->changed("MouseIcon");
    if (iconKey(d->mouseIcon) != before)
        emit MouseIconChanged();
}

short Fillgauge::MousePointer() const { return d->mousePointer; }

void Fillgauge::setMousePointer(short pointer)
{
    if (!d->accept(hostinput::pointerLook(pointer).has_value()))
        return;
    const bool moved = pointer != d->mousePointer;
    d->giveMousePointer(pointer);
    d->changed("MousePointer");
    if (moved)
        emit MousePointerChanged();
}

void Fillgauge::writeMousePointer(int pointer)
{
    if (d->accept(pointer >= std::numeric_limits<short>::min() && pointer <= std::numeric_limits<short>::max()))
        setMousePointer(short(pointer));
}

Fillgauge::FGGOrientationConstants Fillgauge::Orientation() const { return d->orientation; }

void Fillgauge::setOrientation(FGGOrientationConstants orientation)
{
    if (!Enabled() || orientation == d->orientation)
        return;
    if (!d->accept(isMember(orientation)))
        return;
    const QSizePolicy oldDefault = defaultPolicy(d->orientation);
    d->orientation = orientation;
    d->changed("Orientation");
    const int w = width(), h = height();
    // A bar shaped for its old orientation is turned: width and height swap, and only the second size
    // change repaints. One already shaped for the new orientation (a vertical bar loaded from a form, whose
    // height was set before its orientation) keeps its size and is repainted as it is.
    if (orientation == fggOrientationVertical ? w > h : h > w) {
        d->resizeSuppressed = true;
        resize(h, h);
        d->resizeSuppressed = false;
        resize(h, w);
        // A hidden widget hears of its new size only when shown; the bar's picture must follow now.
        if (testAttribute(Qt::WA_PendingResizeEvent))
            d->resized();
    } else {
        d->paint(true);
    }
    // The bar's own size policy turns with it; one the host chose stays.
    if (sizePolicy() == oldDefault)
        setSizePolicy(defaultPolicy(orientation));
    else
        updateGeometry();
    emit OrientationChanged();
}

Fillgauge::FGGProgressStyleConstants Fillgauge::Style() const { return d->style; }

void Fillgauge::setStyle(FGGProgressStyleConstants style)
{
    if (!d->accept(isMember(style)))
        return;
    const auto before = d->style;
    d->style = style;
    d->changed("Style");
    d->paint(true);
    if (before != style)
        emit StyleChanged();
}

float Fillgauge::Value() const { return d->value; }

void Fillgauge::setValue(float value)
{
    // NaN compares with nothing: refused like any other value outside [Min, Max].
    if (!d->accept(value >= d->min && value <= d->max))
        return;
    const bool eraseFirst = !d->caption.isEmpty() || value < d->value;
    d->value = value;
    emit ValueChanged();
    d->changed("Value");
    d->paint(eraseFirst);
}

void Fillgauge::writeValue(double value) { setValue(toFloat(value)); }

int Fillgauge::WhatsThisHelpID() const { return d->whatsThisHelpId; }

void Fillgauge::setWhatsThisHelpID(int id)
{
    const bool moved = id != d->whatsThisHelpId;
    d->whatsThisHelpId = id;
    if (moved)
        emit WhatsThisHelpIDChanged();
}

qulonglong Fillgauge::hWnd() const { return qulonglong(effectiveWinId()); }

bool Fillgauge::designMode() const { return d->designMode; }

void Fillgauge::setDesignMode(bool on)
{
    if (on == d->designMode)
        return;
    d->designMode = on;
    d->paint(true);
    emit designModeChanged();
}

QImage Fillgauge::image() const { return d->image; }

QSize Fillgauge::sizeHint() const { return d->barSize(false); }

QSize Fillgauge::minimumSizeHint() const { return d->barSize(true); }

void Fillgauge::saveProperties(PropertyBag &bag) const
{
    bag.write(QStringLiteral("Appearance"), qint32(d->appearance));
    bag.write(QStringLiteral("BackColor"), d->backColor);
    bag.write(QStringLiteral("BorderStyle"), qint32(d->borderStyle));
    bag.write(QStringLiteral("Caption"), d->caption);
    bag.write(QStringLiteral("Enabled"), Enabled());
    bag.write(QStringLiteral("FloodColor"), d->floodColor);
    bag.write(QStringLiteral("ForeColor"), d->foreColor);
    bag.write(QStringLiteral("Font"), font());
    bag.write(QStringLiteral("HelpContextID"), d->helpContextId);
    bag.write(QStringLiteral("Max"), d->max);
    bag.write(QStringLiteral("Min"), d->min);
    // The mouse icon and pointer are left out while they hold their defaults (none and 0).
    if (d->mouseIcon.isValid())
        bag.write(QStringLiteral("MouseIcon"), d->mouseIcon);
    if (d->mousePointer != 0)
        bag.write(QStringLiteral("MousePointer"), d->mousePointer);
    bag.write(QStringLiteral("OLEDropMode"), d->oleDropMode);
    bag.write(QStringLiteral("Orientation"), qint32(d->orientation));
    bag.write(QStringLiteral("Style"), qint32(d->style));
    bag.write(QStringLiteral("WhatsThisHelpID"), d->whatsThisHelpId);
}

void Fillgauge::loadProperties(const PropertyBag &bag)
{
    // Loading reports its changes once, at the end, for every property that ended up different.
    const PropertyBag before = [this] {
        PropertyBag b;
        saveProperties(b);
        return b;
    }();

    d->resizeSuppressed = false;
    const auto get = [&bag](const char *key) { return bag.read(QLatin1String(key)); };
    // One step a key, in the stored order; a missing key reads as an empty value. Loading stops quietly at
    // the first value that cannot be taken, keeping what was read before it.
    const std::initializer_list<std::function<bool()>> steps = {
        [&] { return assign(d->appearance, storedMember<Appearance_>(get("Appearance"))); },
        [&] {
            const auto c = storedColour(get("BackColor"));
            return c && colours::isValid(*c) && (d->giveBackColor(*c), true);
        },
        [&] { return assign(d->borderStyle, storedMember<Border>(get("BorderStyle"))); },
        [&] { return assign(d->caption, storedString(get("Caption"))); },
        [&] {
            const auto on = storedBool(get("Enabled"));
            return on && (QWidget::setEnabled(*on), true);
        },
        [&] {
            const auto c = storedColour(get("FloodColor"));
            return c && colours::isValid(*c) && assign(d->floodColor, c);
        },
        [&] {
            const auto c = storedColour(get("ForeColor"));
            return c && colours::isValid(*c) && assign(d->foreColor, c);
        },
        [&] {
            const auto f = storedFont(get("Font"));
            if (!f)
                return false;
            d->settingFont = true;
            QWidget::setFont(*f);
            d->settingFont = false;
            return true;
        },
        [&] { return assign(d->helpContextId, storedInt(get("HelpContextID"))); },
        [&] { return assign(d->max, storedFloat(get("Max"))); },
        [&] { return assign(d->min, storedFloat(get("Min"))); },
        [&] {
            const QVariant picture = get("MouseIcon");
            return pictureKind(picture) != PictureKind::NotIcon && (d->giveMouseIcon(picture), true);
        },
        [&] {
            const auto n = storedInteger(get("MousePointer"), std::numeric_limits<short>::min(),
                                         std::numeric_limits<short>::max());
            return n && hostinput::pointerLook(short(*n)) && (d->giveMousePointer(short(*n)), true);
        },
        [&] { return assign(d->oleDropMode, storedInt(get("OLEDropMode"))); },
        [&] { return assign(d->orientation, storedMember<Orientation_>(get("Orientation"))); },
        [&] {
            if (!assign(d->style, storedMember<Style_>(get("Style"))))
                return false;
            d->value = d->min;
            return true;
        },
        [&] { return assign(d->whatsThisHelpId, storedInt(get("WhatsThisHelpID"))); },
    };
    for (const auto &step : steps) {
        if (!step())
            break;
    }
    d->paint(true);
    updateGeometry();

    PropertyBag after;
    saveProperties(after);
    const std::pair<const char *, void (Fillgauge::*)()> notifiers[] = {
        {"Appearance", &Fillgauge::AppearanceChanged},   {"BackColor", &Fillgauge::BackColorChanged},
        {"BorderStyle", &Fillgauge::BorderStyleChanged}, {"Caption", &Fillgauge::CaptionChanged},
        {"FloodColor", &Fillgauge::FloodColorChanged},   {"ForeColor", &Fillgauge::ForeColorChanged},
        {"HelpContextID", &Fillgauge::HelpContextIDChanged}, {"Max", &Fillgauge::MaxChanged},
        {"Min", &Fillgauge::MinChanged},
        {"MousePointer", &Fillgauge::MousePointerChanged}, {"Orientation", &Fillgauge::OrientationChanged},
        {"Style", &Fillgauge::StyleChanged},             {"WhatsThisHelpID", &Fillgauge::WhatsThisHelpIDChanged},
    };
    for (const auto &[key, signal] : notifiers) {
        const QString name = QLatin1String(key);
        if (before.read(name) != after.read(name))
            emit(this->*signal)();
    }
    if (iconKey(before.read(QStringLiteral("MouseIcon"))) != iconKey(d->mouseIcon))
        emit MouseIconChanged();
    d->noteEnabled();
    d->noteFont();
}

void Fillgauge::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange) {
        d->noteEnabled();
    } else if (event->type() == QEvent::FontChange && !d->settingFont) {
        // A font set through QWidget, or inherited from the window: the caption is drawn with it.
        d->paint(true);
        d->noteFont();
    }
    QWidget::changeEvent(event);
}

void Fillgauge::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawImage(0, 0, d->image);
}

void Fillgauge::resizeEvent(QResizeEvent *) { d->resized(); }

void Fillgauge::showEvent(QShowEvent *) { d->paint(); }

void Fillgauge::keyPressEvent(QKeyEvent *event)
{
    if (const auto code = hostinput::keyCode(event->key(), event->modifiers()))
        emit KeyDown(*code, hostinput::shiftState(event->modifiers()));
    for (const QChar c : event->text())
        emit KeyPress(short(c.unicode()));
    // The bar has no use for keys: its window sees them too.
    event->ignore();
}

void Fillgauge::mousePressEvent(QMouseEvent *event)
{
    d->emitMouse(&Fillgauge::MouseDown, event, false);
    QWidget::mousePressEvent(event);
}

void Fillgauge::mouseMoveEvent(QMouseEvent *event)
{
    d->emitMouse(&Fillgauge::MouseMove, event, true);
    QWidget::mouseMoveEvent(event);
}

void Fillgauge::mouseReleaseEvent(QMouseEvent *event)
{
    d->emitMouse(&Fillgauge::MouseUp, event, false);
    QWidget::mouseReleaseEvent(event);
}

} // namespace gaugekit
