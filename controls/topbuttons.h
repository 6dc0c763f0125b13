#pragma once
// A caption-bar button of a window that draws its own title bar: a fixed 21 x 21 picture
// whose look follows the pointer (normal, hover, pressed) or shows it disabled. `Value`
// chooses the picture strip: 0 close, 1 restore, 2 minimise, 3 maximise.

#include <QAbstractButton>
#include <QVariantMap>

class QTimer;

namespace karv {

class TopButton : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(int Value READ value WRITE setValue)
    Q_PROPERTY(bool Enabled READ enabledSetting WRITE setEnabled)
    Q_PROPERTY(int kind READ kind)
    Q_PROPERTY(int cell READ cell)
public:
    static constexpr int Side = 21;

    TopButton(const QString &name, QWidget *parent, int value = 0);

    // The stored Value; a value outside 0..3 is kept but does not change the picture.
    int value() const { return value_; }
    void setValue(int value);
    // The button's own Enabled setting (a disabled parent window does not change the look).
    bool enabledSetting() const { return !testAttribute(Qt::WA_ForceDisabled); }
    // The picture strip in use (0..3) and the cell shown (0 normal, 1 hover, 2 pressed, 3 disabled).
    int kind() const { return kind_; }
    int cell() const { return cell_; }

    // "Value" (default 0) and "Enabled" (default true); defaults are not written.
    void saveProperties(QVariantMap &bag) const;
    // Value is stored without changing the picture (that follows when the button is shown).
    void loadProperties(const QVariantMap &bag);

    QSize sizeHint() const override { return QSize(Side, Side); }

signals:
    void Click();
    void MouseOut();
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF pos);
    void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, QPointF pos);
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF pos);
    // A saved property changed (only Value is saved this way).
    void propertyChanged(const QString &name);

protected:
    void paintEvent(QPaintEvent *) override;
    void showEvent(QShowEvent *e) override;
    void changeEvent(QEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    void applyKind();
    void showCell(int cell);
    void watchPointer();

    int value_ = 0;
    int kind_ = 0;
    int cell_ = 0;
    QTimer *timer1_;
};

} // namespace karv
