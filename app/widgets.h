#pragma once
// The plain building blocks of the game's windows: labels that take clicks and report the
// pointer, filled shapes and lines. Colours are properties, so a window and a test read
// them back the same way they were set.

#include <QAbstractButton>
#include <QColor>
#include <QLabel>
#include <QWidget>

namespace karv {

class Label : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QColor backColor READ backColor WRITE setBackColor)
    Q_PROPERTY(QColor foreColor READ foreColor WRITE setForeColor)
    Q_PROPERTY(bool backStyleOpaque READ isOpaque WRITE setOpaque)
    // The same colours under the names the window designs use.
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(QColor ForeColor READ foreColor WRITE setForeColor)
public:
    explicit Label(const QString &name, QWidget *parent, const QString &text = {});

    QColor backColor() const { return back_; }
    void setBackColor(const QColor &c);
    QColor foreColor() const { return fore_; }
    void setForeColor(const QColor &c);
    bool isOpaque() const { return opaque_; }
    void setOpaque(bool on);
    // One line that always fits the label's width: drawn smaller, down to `minimumPoints`, and
    // then cut short with an ellipsis. text() keeps the whole text. 0 turns this off.
    void setShrinkToFit(double minimumPoints);
    // What the label draws: in that mode the face and the text cut short where needed,
    // otherwise its own font and text.
    QFont fittedFont() const;
    QString fittedText() const;

signals:
    void clicked();
    void mouseMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods, QPoint pos);
    void mousePressed(Qt::MouseButton button, Qt::KeyboardModifiers mods, QPoint pos);
    void mouseReleased(Qt::MouseButton button, Qt::KeyboardModifiers mods, QPoint pos);

protected:
    void mouseMoveEvent(QMouseEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void paintEvent(QPaintEvent *e) override;

private:
    void applyPalette();
    QRect textRoom() const;
    QColor back_{Qt::black};
    QColor fore_{Qt::black};
    bool opaque_ = false;
    bool pressed_ = false;
    double shrinkMinimum_ = 0;
};

// A filled rectangle, rounded rectangle or oval with a border. Like the shapes of the
// window designs it takes no mouse input: the pointer over it belongs to the window.
class Shape : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor fillColor READ fillColor WRITE setFillColor)
    Q_PROPERTY(QColor borderColor READ borderColor WRITE setBorderColor)
    Q_PROPERTY(QColor FillColor READ fillColor WRITE setFillColor)
    Q_PROPERTY(QColor BorderColor READ borderColor WRITE setBorderColor)
public:
    enum class Kind { Rectangle, RoundedRectangle, Oval };
    explicit Shape(const QString &name, QWidget *parent, Kind kind = Kind::Rectangle);

    QColor fillColor() const { return fill_; }
    void setFillColor(const QColor &c);
    QColor borderColor() const { return border_; }
    void setBorderColor(const QColor &c);
    void setBorderWidth(int w);
    void setFilled(bool on);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    Kind kind_;
    QColor fill_{Qt::white};
    QColor border_{Qt::black};
    int borderWidth_ = 1;
    bool filled_ = true;
};

// A straight line between two points of the parent, drawn in one colour.
class Line : public QWidget {
    Q_OBJECT
public:
    Line(const QString &name, QWidget *parent, QPoint from, QPoint to, const QColor &color, int width = 1);
    // The line's starting point in its parent's coordinates.
    QPoint start() const { return pos() + from_; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QPoint from_, to_;
    QColor color_;
    int width_;
};

} // namespace karv

namespace karv {

// A standard push button with a flat back colour that a window can change (the lifeline and
// take-the-money buttons light up under the pointer).
class PushButton : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(QColor backColor READ backColor WRITE setBackColor)
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor)
public:
    PushButton(const QString &name, const QString &caption, QWidget *parent);
    QColor backColor() const { return back_; }
    void setBackColor(const QColor &c);

signals:
    void mouseMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods, QPoint pos);

protected:
    void paintEvent(QPaintEvent *) override;
    void mouseMoveEvent(QMouseEvent *e) override;

private:
    QColor back_;
};

} // namespace karv
