#pragma once
// The push button used on most of the game's windows: a rounded, softly shaded button with
// a caption, hover and pressed looks, an optional hand pointer and a hover sound.

#include <QAbstractButton>

namespace karv {

class CommandButton : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(QString caption READ text WRITE setText)
    Q_PROPERTY(QString soundover READ soundOver WRITE setSoundOver)
    Q_PROPERTY(QString soundclick READ soundClick WRITE setSoundClick)
    Q_PROPERTY(bool defcurhand READ handCursor WRITE setHandCursor)
    Q_PROPERTY(bool hovered READ isHovered)
public:
    CommandButton(const QString &name, const QString &caption, QWidget *parent);

    QString soundOver() const { return soundOver_; }
    void setSoundOver(const QString &path) { soundOver_ = path; }
    QString soundClick() const { return soundClick_; }
    void setSoundClick(const QString &path) { soundClick_ = path; }
    bool handCursor() const { return hand_; }
    void setHandCursor(bool on);
    bool isHovered() const { return hovered_; }

    QSize sizeHint() const override;
    // The face the caption is drawn in: the button's font, condensed when the caption would
    // not fit between the frame's sides otherwise.
    QFont captionFont() const;

signals:
    // The pointer moves over the button: buttons held, modifiers, position.
    void mouseMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods, QPoint pos);

protected:
    void paintEvent(QPaintEvent *) override;
    void enterEvent(QEnterEvent *) override;
    void leaveEvent(QEvent *) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void nextCheckState() override {}

private:
    static constexpr int captionMargin = 5;   // pixels kept clear on each side of the caption
    static constexpr int minimumStretch = 60; // the narrowest a caption is condensed to, in percent
    QString soundOver_;
    QString soundClick_;
    bool hand_ = false;
    bool hovered_ = false;
};

} // namespace karv
