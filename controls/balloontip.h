#pragma once
// The tip window behind ToolTipEx: a frameless, top-most window painted as a rounded balloon
// with a tail pointing at the pointer (or as a plain box), with an optional bold title and
// icon above the text. It holds the tools (widgets that show a tip when the pointer rests on
// them) and all the settings; it watches the tools itself.

#include <QColor>
#include <QPainterPath>
#include <QPointer>
#include <QPolygon>
#include <QWidget>

#include <vector>

class QTimer;

namespace karv {

class BalloonTip : public QWidget {
    Q_OBJECT
public:
    static constexpr int BalloonStyle = 0x40;
    static constexpr int CentreTipFlag = 0x02; // the tail points at the tool's lower middle
    static constexpr int defaultInitialDelay = 500;
    static constexpr QColor defaultBackColor() { return QColor(255, 255, 225); }

    struct Tool {
        const QObject *id;          // the widget, also after it has gone
        QPointer<QWidget> widget;
        QString text;
        int flags;
    };

    BalloonTip(QWidget *owner, int style);

    bool isBalloon() const { return balloon_; }
    void setTitle(const QString &title, int icon);
    QString title() const { return title_; }
    int icon() const { return icon_; }
    // Lines of the text wrap at this width in pixels; a negative width (or 0) means no limit.
    int maxWidth() const { return maxWidth_; }
    void setMaxWidth(int width);
    QColor backColor() const { return back_; }
    void setBackColor(const QColor &c);
    QColor foreColor() const { return fore_; }
    void setForeColor(const QColor &c);
    int initialDelay() const { return initial_; }
    void setInitialDelay(int ms);
    int displayTime() const { return display_; }
    void setDisplayTime(int ms);

    void addTool(QWidget *widget, const QString &text, int flags);
    bool removeTool(const QObject *widget); // the first tool of the widget
    int toolCount() const { return int(tools_.size()); }
    int findTool(const QObject *widget) const; // index, or -1
    const Tool &tool(int index) const { return tools_[size_t(index)]; }
    void setToolText(int index, const QString &text);

    // The tool whose tip is shown, or is waiting for the initial delay.
    QWidget *currentTool() const { return current_; }
    // Shows the tip of a tool at once, its tail pointing at `anchor` (global pixels), or
    // `gapBelow` pixels under it when the balloon opens downwards.
    void popUp(QWidget *tool, QPoint anchor, int gapBelow = 0);
    void dismiss();

    // The shape of the balloon in the window's own pixels: body and tail.
    QPainterPath outline() const;
    QRect bodyRect() const { return body_; }
    QRect textRect() const { return textRect_; }
    // The text as shown: line breaks of either kind become new lines.
    static QString displayText(const Tool &tool);

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;
    void paintEvent(QPaintEvent *) override;

private:
    void startWaiting(QWidget *tool);
    void showCurrent();
    void refresh();
    void layoutFor(const Tool &tool);
    void toolDestroyed(QObject *widget);
    QFont titleFont() const;
    bool hasTitleRow() const;

    bool balloon_;
    QString title_;
    int icon_ = 0;
    int maxWidth_ = -1;
    QColor back_ = defaultBackColor();
    QColor fore_{Qt::black};
    int initial_ = defaultInitialDelay;
    int display_ = defaultInitialDelay * 10;
    std::vector<Tool> tools_;

    QPointer<QWidget> current_;
    bool shownOnce_ = false; // the tip of the current tool was shown; it waits for the pointer to leave
    QTimer *showTimer_;
    QTimer *hideTimer_;

    // Layout of the window last shown.
    QPoint anchor_;
    int gapBelow_ = 0;
    QRect body_;
    QPolygon tail_;
    QPoint iconAt_;
    QRect titleRect_;
    QRect textRect_;
    QString text_;
};

} // namespace karv
