#include "controls/balloontip.h"

#include <QBitmap>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>
#include <QToolTip>

#include "controls/glyphs.h"

namespace karv {

namespace {

constexpr int balloonMargin = 9;  // between the balloon's edge and its contents
constexpr int boxMargin = 4;      // the same for a plain box
constexpr int radius = 9;         // corners of the balloon
constexpr int tailHeight = 16;
constexpr int tailWidth = 16;
constexpr int tailInset = 18;     // from the balloon's side to the tail's straight edge
constexpr int titleGap = 6;       // between the title row and the text, and after the icon
constexpr int pointerGap = 18;    // a tip below the pointer starts under the arrow
const QColor borderColour(96, 96, 96);

QColor blend(const QColor &a, const QColor &b, double t)
{
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t);
}

} // namespace

BalloonTip::BalloonTip(QWidget *owner, int style)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowTransparentForInput
                         | Qt::WindowDoesNotAcceptFocus),
      balloon_(style & BalloonStyle)
{
    setObjectName(QStringLiteral("tipWindow"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFont(QToolTip::font());
    setBackColor(back_);

    showTimer_ = new QTimer(this);
    showTimer_->setObjectName(QStringLiteral("tmr_show"));
    showTimer_->setSingleShot(true);
    connect(showTimer_, &QTimer::timeout, this, &BalloonTip::showCurrent);
    hideTimer_ = new QTimer(this);
    hideTimer_->setObjectName(QStringLiteral("tmr_hide"));
    hideTimer_->setSingleShot(true);
    connect(hideTimer_, &QTimer::timeout, this, [this] {
        hideTimer_->stop();
        hide();
        shownOnce_ = true; // not again until the pointer has left the tool
    });
}

void BalloonTip::setTitle(const QString &title, int icon)
{
    title_ = title;
    icon_ = icon;
    refresh();
}

void BalloonTip::setMaxWidth(int width)
{
    maxWidth_ = width;
    refresh();
}

void BalloonTip::setBackColor(const QColor &c)
{
    back_ = c;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, c); // the blend behind the border's soft edge
    setPalette(pal);
    update();
}

void BalloonTip::setForeColor(const QColor &c)
{
    fore_ = c;
    update();
}

void BalloonTip::setInitialDelay(int ms)
{
    initial_ = ms;
}

void BalloonTip::setDisplayTime(int ms)
{
    display_ = ms;
}

void BalloonTip::addTool(QWidget *widget, const QString &text, int flags)
{
    if (!widget)
        return;
    tools_.push_back(Tool{widget, widget, text, flags});
    widget->installEventFilter(this);
    connect(widget, &QObject::destroyed, this, &BalloonTip::toolDestroyed, Qt::UniqueConnection);
}

int BalloonTip::findTool(const QObject *widget) const
{
    if (!widget)
        return -1;
    for (size_t i = 0; i < tools_.size(); ++i)
        if (tools_[i].id == widget)
            return int(i);
    return -1;
}

bool BalloonTip::removeTool(const QObject *widget)
{
    const int index = findTool(widget);
    if (index < 0)
        return false;
    QWidget *w = tools_[size_t(index)].widget;
    tools_.erase(tools_.begin() + index);
    if (w && findTool(w) < 0) {
        w->removeEventFilter(this);
        disconnect(w, &QObject::destroyed, this, &BalloonTip::toolDestroyed);
        if (current_ == w)
            dismiss();
    }
    return true;
}

void BalloonTip::toolDestroyed(QObject *widget)
{
    std::erase_if(tools_, [widget](const Tool &t) { return t.id == widget; });
    if (!current_ && (isVisible() || showTimer_->isActive()))
        dismiss();
}

void BalloonTip::setToolText(int index, const QString &text)
{
    tools_[size_t(index)].text = text;
    if (tools_[size_t(index)].widget == current_)
        refresh();
}

void BalloonTip::dismiss()
{
    showTimer_->stop();
    hideTimer_->stop();
    hide();
    current_ = nullptr;
    shownOnce_ = false;
}

void BalloonTip::startWaiting(QWidget *tool)
{
    hideTimer_->stop();
    hide();
    current_ = tool;
    shownOnce_ = false;
    showTimer_->start(qMax(0, initial_));
}

bool BalloonTip::eventFilter(QObject *watched, QEvent *e)
{
    auto *tool = qobject_cast<QWidget *>(watched);
    if (!tool || findTool(tool) < 0)
        return false;
    switch (e->type()) {
    case QEvent::Enter:
        startWaiting(tool);
        break;
    case QEvent::MouseMove:
    case QEvent::HoverMove:
        // The tip waits until the pointer rests on the tool.
        if (tool != current_)
            startWaiting(tool);
        else if (!isVisible() && !shownOnce_)
            showTimer_->start(qMax(0, initial_));
        break;
    case QEvent::Leave:
    case QEvent::Hide:
    case QEvent::EnabledChange:
        if (tool == current_)
            dismiss();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        // A click puts the tip away until the pointer comes back to the tool.
        if (tool == current_) {
            showTimer_->stop();
            hideTimer_->stop();
            hide();
            shownOnce_ = true;
        }
        break;
    default:
        break;
    }
    return false;
}

void BalloonTip::showCurrent()
{
    QWidget *tool = current_;
    if (!tool || !tool->isVisible() || !tool->isEnabled())
        return;
    const int index = findTool(tool);
    if (index < 0 || tools_[size_t(index)].text.isEmpty())
        return;
    if (tools_[size_t(index)].flags & CentreTipFlag)
        popUp(tool, tool->mapToGlobal(QPoint(tool->width() / 2, tool->height())), 0);
    else
        popUp(tool, QCursor::pos(), pointerGap);
}

void BalloonTip::popUp(QWidget *tool, QPoint anchor, int gapBelow)
{
    const int index = findTool(tool);
    if (index < 0)
        return;
    showTimer_->stop();
    current_ = tool;
    anchor_ = anchor;
    gapBelow_ = gapBelow;
    layoutFor(tools_[size_t(index)]);
    show();
    raise();
    update();
    hideTimer_->stop();
    if (display_ > 0)
        hideTimer_->start(display_);
}

void BalloonTip::refresh()
{
    if (!isVisible() || !current_)
        return;
    const int index = findTool(current_);
    if (index < 0)
        return;
    layoutFor(tools_[size_t(index)]);
    update();
}

QString BalloonTip::displayText(const Tool &tool)
{
    QString text = tool.text;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QFont BalloonTip::titleFont() const
{
    QFont f = font();
    f.setBold(true);
    return f;
}

bool BalloonTip::hasTitleRow() const
{
    return !title_.isEmpty() || !tipIcon(icon_).isNull();
}

void BalloonTip::layoutFor(const Tool &tool)
{
    text_ = displayText(tool);
    const QFontMetrics fm(font());
    const int align = Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs;
    const QRect textBox = maxWidth_ > 0
        ? fm.boundingRect(QRect(0, 0, maxWidth_, 1 << 20), align | Qt::TextWordWrap, text_)
        : fm.boundingRect(QRect(0, 0, 1 << 20, 1 << 20), align, text_);

    QSize titleRow;
    if (hasTitleRow()) {
        const QFontMetrics tfm(titleFont());
        const bool icon = !tipIcon(icon_).isNull();
        int w = icon ? tipIconSize : 0;
        if (!title_.isEmpty())
            w += (icon ? titleGap : 0) + tfm.horizontalAdvance(title_);
        titleRow = QSize(w, qMax(icon ? tipIconSize : 0, tfm.height()));
    }
    const int margin = balloon_ ? balloonMargin : boxMargin;
    const int contentWidth = qMax(titleRow.width(), textBox.width());
    const int contentHeight = titleRow.height() + (titleRow.isEmpty() ? 0 : titleGap) + textBox.height();
    const QSize bodySize(contentWidth + 2 * margin, contentHeight + 2 * margin);

    const QScreen *screen = QGuiApplication::screenAt(anchor_);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1 << 16, 1 << 16);
    const int tail = balloon_ ? tailHeight : 0;
    const int fullHeight = bodySize.height() + tail;

    // Below the pointer where it fits, else above it with the tail pointing down.
    const bool below = anchor_.y() + gapBelow_ + fullHeight <= area.bottom() + 1 || anchor_.y() - fullHeight < area.top();
    const int top = below ? anchor_.y() + gapBelow_ : anchor_.y() - fullHeight;

    // The tail sits near the balloon's left side, or its right side near the screen's edge.
    bool tailRight = false;
    int left = anchor_.x() - (balloon_ ? tailInset : 0);
    if (left + bodySize.width() > area.right() + 1) {
        tailRight = balloon_;
        left = balloon_ ? anchor_.x() - (bodySize.width() - tailInset) : area.right() + 1 - bodySize.width();
    }
    left = qBound(area.left(), left, qMax(area.left(), area.right() + 1 - bodySize.width()));

    body_ = QRect(QPoint(0, below ? tail : 0), bodySize);
    tail_.clear();
    if (balloon_) {
        const int apexX = qBound(radius, anchor_.x() - left, bodySize.width() - radius);
        const int baseY = below ? body_.top() + 1 : body_.bottom();
        const int apexY = below ? 0 : fullHeight - 1;
        int otherX = tailRight ? apexX - tailWidth : apexX + tailWidth;
        if (otherX < radius || otherX > bodySize.width() - radius) // a narrow balloon: lean the other way
            otherX = 2 * apexX - otherX;
        tail_ << QPoint(apexX, baseY) << QPoint(apexX, apexY) << QPoint(otherX, baseY);
    }

    int y = body_.top() + margin;
    const int x = body_.left() + margin;
    iconAt_ = QPoint(x, y + (titleRow.height() - tipIconSize) / 2);
    titleRect_ = QRect(x, y, titleRow.width(), titleRow.height());
    if (!titleRow.isEmpty())
        y += titleRow.height() + titleGap;
    // Wrapped again at paint time, so at the same width it was measured with.
    textRect_ = QRect(x, y, maxWidth_ > 0 ? qMax(maxWidth_, textBox.width()) : textBox.width(), textBox.height());

    setGeometry(left, top, bodySize.width(), fullHeight);
    QBitmap mask(size());
    mask.fill(Qt::color0);
    {
        QPainter p(&mask);
        p.setPen(QPen(Qt::color1, 1));
        p.setBrush(Qt::color1);
        p.drawPath(outline());
    }
    setMask(mask);
}

QPainterPath BalloonTip::outline() const
{
    QPainterPath path;
    const QRectF body = QRectF(body_).adjusted(0.5, 0.5, -0.5, -0.5);
    if (balloon_)
        path.addRoundedRect(body, radius, radius);
    else
        path.addRect(body);
    if (!tail_.isEmpty()) {
        QPainterPath tail;
        tail.addPolygon(QPolygonF(tail_).translated(0.5, 0));
        tail.closeSubpath();
        path = path.united(tail).simplified();
    }
    return path;
}

void BalloonTip::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, body_.top(), 0, body_.bottom());
    fill.setColorAt(0, blend(back_, Qt::white, 0.55));
    fill.setColorAt(0.45, back_);
    fill.setColorAt(1, back_);
    p.setPen(QPen(borderColour, 1));
    p.setBrush(fill);
    p.drawPath(outline());

    p.setRenderHint(QPainter::Antialiasing, false);
    const QPixmap icon = tipIcon(icon_, devicePixelRatioF());
    int titleLeft = titleRect_.left();
    if (!icon.isNull()) {
        p.drawPixmap(iconAt_, icon);
        titleLeft += tipIconSize + titleGap;
    }
    p.setPen(fore_);
    if (!title_.isEmpty()) {
        p.setFont(titleFont());
        p.drawText(QRect(titleLeft, titleRect_.top(), titleRect_.right() - titleLeft + 1, titleRect_.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, title_);
    }
    p.setFont(font());
    const int wrap = maxWidth_ > 0 ? Qt::TextWordWrap : 0;
    p.drawText(textRect_, Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs | wrap, text_);
}

} // namespace karv
