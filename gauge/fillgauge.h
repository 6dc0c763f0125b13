#pragma once
// Fillgauge, a progress-bar widget for Qt 6 Widgets programs (C++17 or later).
//
// The bar paints a border (none, flat or sunken 3-D), a flood (the filled share, as separate blocks or one
// smooth bar, horizontal or growing upwards) and a caption centred over it. Every property is a Qt property
// under its own name, so hosts set and read it by name:
//
//     auto *bar = new gaugekit::Fillgauge(window);
//     bar->setProperty("Max", 30.0);
//     bar->setProperty("FloodColor", QColor(0, 0, 192));   // or 0xC00000, the 0x00BBGGRR form
//     bar->setProperty("Value", 30.0);
//
// A value the bar cannot take is refused with gaugekit::InvalidPropertyValue (error 380), thrown from the
// typed setter and through setProperty() alike; the bar is then left exactly as it was.
// Include it as <fillgauge.h> and link Fillgauge::Fillgauge. Every property, error and event is described
// in REFERENCE.md, beside this header in the sources and installed in share/doc/Fillgauge.
#include "fillgauge_export.h"

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QSharedDataPointer>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QWidget>

#include <memory>
#include <stdexcept>
#include <string>

namespace gaugekit {

// The error a host raises for an invalid property value, number 380. what() is the description:
// "Max must be greater than Min.", "Min must be between 0 and Max-1." or empty.
class FILLGAUGE_EXPORT InvalidPropertyValue : public std::invalid_argument {
public:
    explicit InvalidPropertyValue(const std::string &description = {});
    // Always 380.
    int number() const;
};

// A value PropertyBag::fromText() could not read, kept with its text so that toText() writes it back
// unchanged. It converts to nothing, so Fillgauge::loadProperties() stops at it.
struct UnreadableValue {
    QByteArray text;
    friend bool operator==(const UnreadableValue &a, const UnreadableValue &b) { return a.text == b.text; }
    friend bool operator!=(const UnreadableValue &a, const UnreadableValue &b) { return !(a == b); }
};

class PropertyBagData;

// An ordered key → value store, like a form designer's property bag: Fillgauge::saveProperties() writes
// into it and Fillgauge::loadProperties() reads from it. Implicitly shared; copies are cheap.
class FILLGAUGE_EXPORT PropertyBag {
public:
    PropertyBag();
    PropertyBag(const PropertyBag &other);
    PropertyBag(PropertyBag &&other) noexcept;
    PropertyBag &operator=(const PropertyBag &other);
    PropertyBag &operator=(PropertyBag &&other) noexcept;
    ~PropertyBag();

    // Stores value under key; a key already present keeps its place and takes the new value.
    void write(const QString &key, const QVariant &value);
    // The value under key, or defaultValue where there is none.
    QVariant read(const QString &key, const QVariant &defaultValue = {}) const;
    // The keys in the order they were first written.
    QStringList keys() const;
    // The bag as UTF-8 text, one "key = type value" line an entry (the text form in REFERENCE.md).
    QByteArray toText() const;
    // Reads the text form. Never fails as a whole: a line without a readable key is skipped, a value that
    // cannot be read is kept as an UnreadableValue, a repeated key replaces the earlier value in its place.
    // Fonts and icons need a running QGuiApplication; without one they are kept as unreadable too.
    static PropertyBag fromText(const QByteArray &text);

private:
    QSharedDataPointer<PropertyBagData> d;
};

class FillgaugePrivate;

// The progress bar. The picture is drawn into a backing image the size of the widget whenever a property
// changes, and the widget only shows that image; image() returns it.
//
// Colours (BackColor, FloodColor, ForeColor) are 32-bit values: 0x00BBGGRR, or 0x80000000 plus a system
// colour index 0-30 that is drawn with the matching colour of the widget's palette. Setting a QColor
// stores its 0x00BBGGRR form; reading the property always gives the 32-bit value, and backColor(),
// floodColor() and foreColor() give the colour actually drawn.
//
// Every change signal but ValueChanged() is emitted only when the value really changes. propertyChanged()
// tells a form designer that a property was set and is worth saving.
class FILLGAUGE_EXPORT Fillgauge : public QWidget {
    Q_OBJECT
    Q_PROPERTY(FGGAppearanceConstants Appearance READ Appearance WRITE setAppearance NOTIFY AppearanceChanged)
    Q_PROPERTY(QVariant BackColor READ BackColor WRITE writeBackColor NOTIFY BackColorChanged)
    Q_PROPERTY(FGGBorderStyleConstants BorderStyle READ BorderStyle WRITE setBorderStyle NOTIFY BorderStyleChanged)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption NOTIFY CaptionChanged)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled NOTIFY EnabledChanged DESIGNABLE false)
    Q_PROPERTY(QVariant FloodColor READ FloodColor WRITE writeFloodColor NOTIFY FloodColorChanged)
    Q_PROPERTY(QFont Font READ Font WRITE setFont NOTIFY FontChanged DESIGNABLE false)
    Q_PROPERTY(QVariant ForeColor READ ForeColor WRITE writeForeColor NOTIFY ForeColorChanged)
    Q_PROPERTY(int HelpContextID READ HelpContextID WRITE setHelpContextID NOTIFY HelpContextIDChanged)
    Q_PROPERTY(double Max READ Max WRITE writeMax NOTIFY MaxChanged)
    Q_PROPERTY(double Min READ Min WRITE writeMin NOTIFY MinChanged)
    Q_PROPERTY(QVariant MouseIcon READ MouseIcon WRITE setMouseIcon NOTIFY MouseIconChanged DESIGNABLE false)
    Q_PROPERTY(int MousePointer READ MousePointer WRITE writeMousePointer NOTIFY MousePointerChanged)
    Q_PROPERTY(FGGOrientationConstants Orientation READ Orientation WRITE setOrientation NOTIFY OrientationChanged)
    Q_PROPERTY(FGGProgressStyleConstants Style READ Style WRITE setStyle NOTIFY StyleChanged)
    Q_PROPERTY(double Value READ Value WRITE writeValue NOTIFY ValueChanged DESIGNABLE false)
    Q_PROPERTY(int WhatsThisHelpID READ WhatsThisHelpID WRITE setWhatsThisHelpID NOTIFY WhatsThisHelpIDChanged)
    Q_PROPERTY(qulonglong hWnd READ hWnd DESIGNABLE false STORED false)
    // The same colours as QColor, for form designers and bindings.
    Q_PROPERTY(QColor backColor READ backColor WRITE setBackColor NOTIFY BackColorChanged STORED false)
    Q_PROPERTY(QColor floodColor READ floodColor WRITE setFloodColor NOTIFY FloodColorChanged STORED false)
    Q_PROPERTY(QColor foreColor READ foreColor WRITE setForeColor NOTIFY ForeColorChanged STORED false)
    Q_PROPERTY(bool designMode READ designMode WRITE setDesignMode NOTIFY designModeChanged DESIGNABLE false
                   STORED false)

public:
    // Look of the border: flat (a dark outline on the window background) or sunken 3-D (on the button face).
    enum FGGAppearanceConstants : qint32 { fggFlat = 0, fgg3D = 1 };
    Q_ENUM(FGGAppearanceConstants)
    // Border or none.
    enum FGGBorderStyleConstants : qint32 { fggNone = 0, fggFixedSingle = 1 };
    Q_ENUM(FGGBorderStyleConstants)
    // Horizontal bars fill from the left, vertical ones from the bottom.
    enum FGGOrientationConstants : qint32 { fggOrientationHorizontal = 0, fggOrientationVertical = 1 };
    Q_ENUM(FGGOrientationConstants)
    // The flood as a row of blocks (66 % of the bar's thickness, 3-pixel gaps) or as one smooth bar.
    enum FGGProgressStyleConstants : qint32 { fggStandard = 0, fggSmooth = 1 };
    Q_ENUM(FGGProgressStyleConstants)

    // A new bar: 3-D border, caption "50%", flood 0x0000C0 (dark red), range 0-100, Value -1 (no flood).
    explicit Fillgauge(QWidget *parent = nullptr);
    ~Fillgauge() override;

    // Writes the stored properties into bag, in their fixed order (Value is not saved).
    void saveProperties(PropertyBag &bag) const;
    // Reads them back in the same order; stops quietly at the first value the bar cannot take, keeping what
    // it read before. Sets Value to Min.
    void loadProperties(const PropertyBag &bag);

    // Every setter refuses an invalid value with InvalidPropertyValue and then changes nothing; in design
    // mode it logs a warning instead of throwing (see setDesignMode()).

    FGGAppearanceConstants Appearance() const;
    // fggFlat also sets BackColor to the window background (0x80000005), fgg3D to the button face
    // (0x8000000F).
    void setAppearance(FGGAppearanceConstants appearance);

    // The background, 0x8000000F (button face) at first. A new background clears the whole picture to it.
    uint BackColor() const;
    void setBackColor(uint colour);
    void setBackColor(const QColor &colour);
    void setBackColor(Qt::GlobalColor colour) { setBackColor(QColor(colour)); }
    QColor backColor() const;

    FGGBorderStyleConstants BorderStyle() const;
    void setBorderStyle(FGGBorderStyleConstants style);

    // Text centred over the bar, "50%" at first; a vertical bar prints one character a line.
    QString Caption() const;
    void setCaption(const QString &caption);

    // The bar's own enabled state (QWidget::isEnabled() also follows the parent). setEnabled() is
    // QWidget::setEnabled() that also tells a form designer; changing Orientation needs an enabled bar.
    bool Enabled() const;
    void setEnabled(bool enabled);

    // The flood, 0x000000C0 (dark red) at first.
    uint FloodColor() const;
    void setFloodColor(uint colour);
    void setFloodColor(const QColor &colour);
    void setFloodColor(Qt::GlobalColor colour) { setFloodColor(QColor(colour)); }
    QColor floodColor() const;

    // The caption's font: the widget's font. setFont() is QWidget::setFont() that also tells a form
    // designer; the bar redraws after either.
    QFont Font() const;
    void setFont(const QFont &font);

    // The caption's colour, 0x8000000E (highlighted text) at first.
    uint ForeColor() const;
    void setForeColor(uint colour);
    void setForeColor(const QColor &colour);
    void setForeColor(Qt::GlobalColor colour) { setForeColor(QColor(colour)); }
    QColor foreColor() const;

    // Stored for hosts; the bar makes no use of it.
    int HelpContextID() const;
    void setHelpContextID(int id);

    // The range, 0 to 100 at first. Max must stay above Min ("Max must be greater than Min.") and Min below
    // Max ("Min must be between 0 and Max-1."); Value is not moved into a new range.
    float Max() const;
    void setMax(float max);
    float Min() const;
    void setMin(float min);

    // Empty, or the QIcon used as mouse pointer when MousePointer is 99. An empty value or a null icon,
    // pixmap or image clears it; any other picture is refused.
    QVariant MouseIcon() const;
    void setMouseIcon(const QVariant &picture);

    // 0 default, 1 arrow, 2 cross, 3 I-beam, 4 icon, 5 size, 6 size NE-SW, 7 size N-S, 8 size NW-SE,
    // 9 size W-E, 10 up arrow, 11 hourglass, 12 no drop, 13 arrow and hourglass, 14 arrow and question,
    // 15 size all, 99 the MouseIcon. Other numbers are refused.
    short MousePointer() const;
    void setMousePointer(short pointer);

    // Turning a bar swaps its width and height where its shape suits the old orientation (a horizontal bar
    // wider than high); a bar already shaped for the new one keeps its size. Ignored (not even an
    // out-of-range value is refused) while the bar is disabled or when the value is the current one.
    FGGOrientationConstants Orientation() const;
    void setOrientation(FGGOrientationConstants orientation);

    FGGProgressStyleConstants Style() const;
    void setStyle(FGGProgressStyleConstants style);
    using QWidget::setStyle;

    // The filled share is Value / (Max - Min) of the bar; nothing is filled while Value <= Min. Values
    // outside [Min, Max] are refused. Every accepted value, the same one too, emits ValueChanged() before
    // the bar is redrawn. -1 at first.
    float Value() const;
    void setValue(float value);

    // Stored for hosts; setting it is not reported by propertyChanged().
    int WhatsThisHelpID() const;
    void setWhatsThisHelpID(int id);

    // The native window the bar is drawn into: its own if it has one, else its window's; 0 before that
    // window exists. Reading it creates nothing (QWidget::effectiveWinId()); winId() gives the bar a native
    // window of its own where a host needs one.
    qulonglong hWnd() const;

    // True while a form designer shows the bar: the flood is drawn half full and the caption laid out as
    // "50%", whatever the value, and a refused value is logged as a warning instead of thrown, since a form
    // designer's property editor cannot catch it. False at first.
    bool designMode() const;
    void setDesignMode(bool on);

    // The bar's picture, the size of the widget.
    QImage image() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The bar's events. Key codes are the host's virtual-key codes, Shift is 1 Shift + 2 Ctrl + 4 Alt,
    // Button is 1 left + 2 right + 4 middle, X and Y are pixels in the bar.
    void Click(); // declared for hosts; never emitted
    void KeyDown(short KeyCode, short Shift);
    void KeyPress(short KeyAscii);
    void KeyUp(short KeyCode, short Shift); // declared for hosts; never emitted
    void MouseDown(short Button, short Shift, float X, float Y);
    void MouseMove(short Button, short Shift, float X, float Y);
    void MouseUp(short Button, short Shift, float X, float Y);
    // Every accepted Value, also one equal to the current Value; emitted before the bar is redrawn.
    void ValueChanged();

    // A property was set and is worth saving (all but WhatsThisHelpID and designMode).
    void propertyChanged(const QString &name);

    // The change signals of the properties.
    void AppearanceChanged();
    void BackColorChanged();
    void BorderStyleChanged();
    void CaptionChanged();
    void EnabledChanged();
    void FloodColorChanged();
    void FontChanged();
    void ForeColorChanged();
    void HelpContextIDChanged();
    void MaxChanged();
    void MinChanged();
    void MouseIconChanged();
    void MousePointerChanged();
    void OrientationChanged();
    void StyleChanged();
    void WhatsThisHelpIDChanged();
    void designModeChanged();

protected:
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // Writers behind setProperty() for the properties whose Qt type differs from the typed setter's.
    void writeBackColor(const QVariant &colour);
    void writeFloodColor(const QVariant &colour);
    void writeForeColor(const QVariant &colour);
    void writeMax(double max);
    void writeMin(double min);
    void writeMousePointer(int pointer);
    void writeValue(double value);

    friend class FillgaugePrivate;
    std::unique_ptr<FillgaugePrivate> d;
};

} // namespace gaugekit

Q_DECLARE_METATYPE(gaugekit::UnreadableValue)
