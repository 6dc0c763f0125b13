#include "controls/tooltipex.h"

#include <QColor>
#include <QWidget>

#include "controls/balloontip.h"

namespace karv {

namespace {

QColor fromCode(int code)
{
    return QColor(code & 0xFF, (code >> 8) & 0xFF, (code >> 16) & 0xFF);
}

int toCode(const QColor &c)
{
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

} // namespace

ToolTipEx::ToolTipEx(QObject *parent) : QObject(parent) {}

ToolTipEx::~ToolTipEx()
{
    DestroyToolTip();
}

void ToolTipEx::CreateToolTip(QWidget *owner, int style, int icon, const QString &title, int width, int delay,
                              int visibleTime, int backColor, int foreColor)
{
    // A second window would keep the first one's tools showing tips nobody can remove.
    DestroyToolTip();
    tipWindow_ = new BalloonTip(owner, style);
    if (icon != 0 || !title.isEmpty())
        tipWindow_->setTitle(title, icon);
    if (width != -1)
        setMaxToolTipWidth(width);
    if (delay != -1)
        tipWindow_->setInitialDelay(delay);
    if (visibleTime != -1)
        tipWindow_->setDisplayTime(visibleTime);
    if (backColor != -1)
        setBackColor(backColor);
    if (foreColor != -1)
        setForeColor(foreColor);
}

void ToolTipEx::AddToolTip(QWidget *tool, const QString &text, int flags)
{
    if (tipWindow_)
        tipWindow_->addTool(tool, text, flags);
}

bool ToolTipEx::RemoveToolTip(QWidget *tool)
{
    return tipWindow_ && tipWindow_->removeTool(tool);
}

void ToolTipEx::DestroyToolTip()
{
    delete tipWindow_.data();
    tipWindow_ = nullptr;
}

int ToolTipEx::ToolTipCount() const
{
    return tipWindow_ ? tipWindow_->toolCount() : 0;
}

int ToolTipEx::MaxToolTipWidth() const
{
    return tipWindow_ ? qint16(tipWindow_->maxWidth() & 0xFFFF) : 0;
}

void ToolTipEx::setMaxToolTipWidth(int cx)
{
    if (tipWindow_)
        tipWindow_->setMaxWidth(qint16(cx & 0xFFFF));
}

QString ToolTipEx::ToolTipText(QWidget *tool) const
{
    const int index = tipWindow_ ? tipWindow_->findTool(tool) : -1;
    return index < 0 ? QString() : tipWindow_->tool(index).text.left(maxTextRead);
}

void ToolTipEx::setToolTipText(QWidget *tool, const QString &text)
{
    const int index = tipWindow_ ? tipWindow_->findTool(tool) : -1;
    if (index >= 0)
        tipWindow_->setToolText(index, text);
}

int ToolTipEx::BackColor() const
{
    return tipWindow_ ? toCode(tipWindow_->backColor()) : 0;
}

void ToolTipEx::setBackColor(int colour)
{
    if (tipWindow_)
        tipWindow_->setBackColor(fromCode(colour));
}

int ToolTipEx::ForeColor() const
{
    return tipWindow_ ? toCode(tipWindow_->foreColor()) : 0;
}

void ToolTipEx::setForeColor(int colour)
{
    if (tipWindow_)
        tipWindow_->setForeColor(fromCode(colour));
}

int ToolTipEx::DelayTime(int type) const
{
    if (!tipWindow_)
        return 0;
    switch (type) {
    case AutomaticDelay:
    case InitialDelay: return tipWindow_->initialDelay();
    case DisplayDelay: return tipWindow_->displayTime();
    default: return 0;
    }
}

void ToolTipEx::setDelayTime(int type, int ms)
{
    if (!tipWindow_)
        return;
    const int initial = ms < 0 ? BalloonTip::defaultInitialDelay : ms;
    switch (type) {
    case AutomaticDelay:
        tipWindow_->setInitialDelay(initial);
        tipWindow_->setDisplayTime(initial * 10);
        break;
    case DisplayDelay:
        tipWindow_->setDisplayTime(ms < 0 ? tipWindow_->initialDelay() * 10 : ms);
        break;
    case InitialDelay:
        tipWindow_->setInitialDelay(initial);
        break;
    default:
        break;
    }
}

} // namespace karv
