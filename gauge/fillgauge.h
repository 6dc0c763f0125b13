#pragma once
// The Fillgauge progress-bar control: a bar that paints its border, its flood (the filled share) and a
// caption into a persistent picture, set and read by its hosts through Qt properties by name
// (bar->setProperty("Value", 29.0)). Invalid values are refused with InvalidPropertyValue (error 380).
#include "gauge/fillgauge_export.h"

#include <QByteArray>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QWidget>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace gaugekit {

// The host's error 380, "invalid property value". what() is the description, empty where there is none.
class FILLGAUGE_EXPORT InvalidPropertyValue : public std::invalid_argument {
public:
    explicit InvalidPropertyValue(const std::string &description = {});
    int number() const; // 380
};

// A value that PropertyBag::fromText could not read, kept with its text so that it is written back unchanged.
// It converts to nothing, so loading a control stops at it.
struct UnreadableValue {
    QByteArray text;
    bool operator==(const UnreadableValue &) const = default;
};

// Ordered key → value store, like a form designer's property bag. Writing a key that is already present
// replaces its value in place.
//
// Text form (toText/fromText), UTF-8, one entry a line:
//
//     # Fillgauge properties
//     Appearance = int 1
//     BackColor = uint 0x8000000F
//     Caption = string "50%"
//     Enabled = bool true
//     Max = float 100
//     Font = font "Liberation Sans,9,-1,5,400,0,0,0,0,0,0,0,0,0,0,1"
//     MouseIcon = icon iVBORw0KGgo...
//
// A line is `key = type value`. The key is a bare word of letters, digits, '_', '.' and '-', or a quoted
// string. Types: `empty` (no value), `bool true|false`, `short`, `int`, `long` (16-, 32-, 64-bit signed
// decimal), `uint` (32-bit unsigned, decimal or 0x hex; written as hex), `ulong`, `float`, `double`
// (shortest decimal that reads back to the same number, or inf, -inf, nan), `string "…"`, `font "…"`
// (the font's description), `bytes BASE64`, `icon BASE64-PNG` (an empty payload is a null icon) and
// `damaged BASE64` (a value an earlier read could not understand). Quoted text escapes \\ \" \n \r \t and
// \uXXXX (one UTF-16 unit); every other character is written as itself. Other value types are written
// as the string of their text form. Blank lines and lines starting with '#' are ignored; a CR before
// the line feed is allowed.
//
// Reading never fails as a whole: a line without a readable key is skipped, a value that cannot be read
// is kept under its key as an UnreadableValue, and a later line with the same key replaces an earlier
// one. Fonts and icons need a running QGuiApplication; without one they are kept as unreadable too.
class FILLGAUGE_EXPORT PropertyBag {
public:
    void write(const QString &key, const QVariant &value);
    QVariant read(const QString &key, const QVariant &defaultValue = {}) const;
    QStringList keys() const; // in the order written
    QByteArray toText() const;
    static PropertyBag fromText(const QByteArray &text);

private:
    std::vector<std::pair<QString, QVariant>> entries_;
    QHash<QString, qsizetype> index_;
};

// The progress bar. Every property is a Q_PROPERTY under its own name. Colours are 32-bit values,
// 0x00BBGGRR or 0x80000000 + a system colour index (drawn with the matching colour of the palette).
// The picture lives in a backing image the size of the control: every property change draws into it
// and the widget only shows it, so image() gives the bar's picture without a screen.
class FILLGAUGE_EXPORT Fillgauge : public QWidget {
    Q_OBJECT
    Q_PROPERTY(FGGAppearanceConstants Appearance READ Appearance WRITE setAppearance)
    Q_PROPERTY(uint BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(FGGBorderStyleConstants BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled_)
    Q_PROPERTY(uint FloodColor READ FloodColor WRITE setFloodColor)
    Q_PROPERTY(QFont Font READ Font WRITE setFont_)
    Q_PROPERTY(uint ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(int HelpContextID READ HelpContextID WRITE setHelpContextID)
    Q_PROPERTY(float Max READ Max WRITE setMax)
    Q_PROPERTY(float Min READ Min WRITE setMin)
    Q_PROPERTY(QVariant MouseIcon READ MouseIcon WRITE setMouseIcon)
    Q_PROPERTY(short MousePointer READ MousePointer WRITE setMousePointer)
    Q_PROPERTY(FGGOrientationConstants Orientation READ Orientation WRITE setOrientation)
    Q_PROPERTY(FGGProgressStyleConstants Style READ Style WRITE setStyle)
    Q_PROPERTY(float Value READ Value WRITE setValue DESIGNABLE false)
    Q_PROPERTY(int WhatsThisHelpID READ WhatsThisHelpID WRITE setWhatsThisHelpID)
    Q_PROPERTY(qulonglong hWnd READ hWnd)
    // The host's mode, not a property of the bar: true while a form designer shows it (a half-full preview).
    Q_PROPERTY(bool designMode READ designMode WRITE setDesignMode)

public:
    enum class FGGAppearanceConstants : qint32 { fggFlat = 0, fgg3D = 1 };
    Q_ENUM(FGGAppearanceConstants)
    enum class FGGBorderStyleConstants : qint32 { fggNone = 0, fggFixedSingle = 1 };
    Q_ENUM(FGGBorderStyleConstants)
    enum class FGGOrientationConstants : qint32 { fggOrientationHorizontal = 0, fggOrientationVertical = 1 };
    Q_ENUM(FGGOrientationConstants)
    enum class FGGProgressStyleConstants : qint32 { fggStandard = 0, fggSmooth = 1 };
    Q_ENUM(FGGProgressStyleConstants)

    explicit Fillgauge(QWidget *parent = nullptr);

    void saveProperties(PropertyBag &bag) const;
    void loadProperties(const PropertyBag &bag);

    // Every setter below refuses an invalid value with InvalidPropertyValue and then changes nothing.
    FGGAppearanceConstants Appearance() const { return appearance_; }
    void setAppearance(FGGAppearanceConstants appearance);
    uint BackColor() const { return backColor_; }
    void setBackColor(uint colour);
    FGGBorderStyleConstants BorderStyle() const { return borderStyle_; }
    void setBorderStyle(FGGBorderStyleConstants style);
    QString Caption() const { return caption_; }
    void setCaption(const QString &caption);
    bool Enabled() const;
    void setEnabled_(bool enabled);
    uint FloodColor() const { return floodColor_; }
    void setFloodColor(uint colour);
    QFont Font() const { return font(); }
    void setFont_(const QFont &font);
    uint ForeColor() const { return foreColor_; }
    void setForeColor(uint colour);
    int HelpContextID() const { return helpContextId_; }
    void setHelpContextID(int id);
    float Max() const { return max_; }
    void setMax(float max);
    float Min() const { return min_; }
    void setMin(float min);
    // Empty, or an icon (QIcon). A null icon, pixmap or image clears it; any other picture is refused.
    QVariant MouseIcon() const { return mouseIcon_; }
    void setMouseIcon(const QVariant &picture);
    // 0 default, 1 arrow, 2 cross, 3 I-beam, 4 icon, 5 size, 6 size NE-SW, 7 size N-S, 8 size NW-SE,
    // 9 size W-E, 10 up arrow, 11 hourglass, 12 no drop, 13 arrow and hourglass, 14 arrow and question,
    // 15 size all, 99 the MouseIcon.
    short MousePointer() const { return mousePointer_; }
    void setMousePointer(short pointer);
    FGGOrientationConstants Orientation() const { return orientation_; }
    void setOrientation(FGGOrientationConstants orientation);
    FGGProgressStyleConstants Style() const { return style_; }
    void setStyle(FGGProgressStyleConstants style);
    using QWidget::setStyle;
    float Value() const { return value_; }
    void setValue(float value);
    int WhatsThisHelpID() const { return whatsThisHelpId_; }
    void setWhatsThisHelpID(int id);
    qulonglong hWnd() const;

    bool designMode() const { return designMode_; }
    void setDesignMode(bool on);

    // Redraws the bar into the backing image; eraseFirst clears the inside of the border first.
    Q_INVOKABLE void PaintBar(bool eraseFirst = false);
    QImage image() const { return image_; }

signals:
    // The bar's events. Key codes are the host's virtual-key codes, Shift is 1 Shift + 2 Ctrl + 4 Alt,
    // Button is 1 left + 2 right + 4 middle, X and Y are pixels.
    void Click(); // declared for hosts; the bar never raises it
    void KeyDown(short KeyCode, short Shift);
    void KeyPress(short KeyAscii);
    void KeyUp(short KeyCode, short Shift); // declared for hosts; the bar never raises it
    void MouseDown(short Button, short Shift, float X, float Y);
    void MouseMove(short Button, short Shift, float X, float Y);
    void MouseUp(short Button, short Shift, float X, float Y);
    void ValueChanged();
    // Tells a host (a form designer) that a property changed and is worth saving.
    void propertyChanged(const QString &name);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void changed(const char *name);
    void fitImage();
    void resized();
    void giveBackColor(uint colour);
    void giveForeColor(uint colour);
    void giveMouseIcon(const QVariant &picture);
    void giveMousePointer(short pointer);
    void applyCursor();
    void emitMouse(void (Fillgauge::*signal)(short, short, float, float), QMouseEvent *event, bool heldButtons);

    FGGAppearanceConstants appearance_ = FGGAppearanceConstants::fgg3D;
    FGGBorderStyleConstants borderStyle_ = FGGBorderStyleConstants::fggFixedSingle;
    QString caption_ = QStringLiteral("50%");
    uint floodColor_ = 192;
    uint foreColor_ = 0x8000000E;
    int helpContextId_ = 0;
    float max_ = 100.0f;
    float min_ = 0.0f;
    FGGOrientationConstants orientation_ = FGGOrientationConstants::fggOrientationHorizontal;
    int oleDropMode_ = 0;
    FGGProgressStyleConstants style_ = FGGProgressStyleConstants::fggStandard;
    float value_ = -1.0f;
    int whatsThisHelpId_ = 0;
    bool resizeSuppressed_ = false;

    // Held for the surface: the background, the mouse icon and pointer.
    uint backColor_ = 0x8000000F;
    QVariant mouseIcon_;
    short mousePointer_ = 0;

    bool designMode_ = false;
    QImage image_;
};

} // namespace gaugekit

Q_DECLARE_METATYPE(gaugekit::UnreadableValue)
