#pragma once
// The game's own radio button: a round 13 x 13 mark in eight looks (unchecked or checked,
// each normal, hover, pressed or disabled) with a caption beside it. It follows the pointer
// itself so it can show the hover look and report when the pointer has left. All radio
// buttons of one top-level window form one group, whatever container holds them.
//
// Value is the button's checked state; Caption is its text(). A click (mouse, keyboard or
// click()) raises Click, unchecks every radio button of the window and checks this one.

#include <QAbstractButton>
#include <QColor>
#include <QVariantMap>

class QLabel;
class QTimer;

namespace karv {

class RadioButton : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(bool Value READ value WRITE setValue)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(bool Enabled READ enabledSetting WRITE setEnabled)
    Q_PROPERTY(QFont Font READ font WRITE setCaptionFont)
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(QColor ForeColor READ foreColor WRITE setForeColor)
    Q_PROPERTY(int glyph READ glyph)
public:
    // The caption starts as the button's name, as a newly placed control's does.
    RadioButton(const QString &name, QWidget *parent, const QString &caption = QString());

    bool value() const { return isChecked(); }
    void setValue(bool on); // does not touch the other buttons of the window
    QString caption() const { return text(); }
    void setCaption(const QString &caption);
    void setCaptionFont(const QFont &font);
    // The button's own Enabled setting (a disabled parent window does not change the look).
    bool enabledSetting() const { return !testAttribute(Qt::WA_ForceDisabled); }
    QColor backColor() const { return back_; }
    void setBackColor(const QColor &c);
    QColor foreColor() const { return fore_; }
    void setForeColor(const QColor &c);
    // The mark shown: 0..3 unchecked, 4..7 checked; each normal, hover, pressed, disabled.
    int glyph() const { return glyph_; }

    static QColor defaultBackColor(); // the system's button face
    static constexpr QColor disabledCaptionColor() { return QColor(161, 161, 146); }

    // Keys "Font", "Value", "Caption", "Enabled", "BackColor", "ForeColor"; a value equal to
    // its default (the parent's font, false, the button's name, true, button face, black)
    // is not written.
    void saveProperties(QVariantMap &bag) const;
    void loadProperties(const QVariantMap &bag);

    QSize sizeHint() const override;

signals:
    void KeyDown(int key, Qt::KeyboardModifiers shift);
    void KeyPress(QChar key);
    void KeyUp(int key, Qt::KeyboardModifiers shift);
    void MouseOut();
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF pos);
    void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, QPointF pos);
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF pos);
    void Click();
    // A saved property was set (every one but Enabled).
    void propertyChanged(const QString &name);

protected:
    void paintEvent(QPaintEvent *) override;
    void resizeEvent(QResizeEvent *e) override;
    void changeEvent(QEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void nextCheckState() override;

private:
    void layoutParts();
    void showGlyph(int index);
    void showNormalGlyph();
    void applyCaptionColour();
    void watchPointer();
    QFont ambientFont() const;

    QWidget *box_;   // `p`, the 16 x 16 box of the mark
    QLabel *label_;  // `lbl`, the caption
    QTimer *timer1_;
    QColor back_;
    QColor fore_{Qt::black};
    int glyph_ = 0;
};

} // namespace karv
