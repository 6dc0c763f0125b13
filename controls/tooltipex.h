#pragma once
// Balloon tool tips for a window: one tip window per instance, any number of tools (widgets
// that show their tip when the pointer rests on them). The instance keeps nothing itself and
// asks its tip window for everything; without a tip window every operation does nothing and
// reads 0 or empty. Colours are 0x00BBGGRR numbers, as the game stores its colours; −1 in
// CreateToolTip leaves a setting at its default.

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace karv {

class BalloonTip;

class ToolTipEx : public QObject {
    Q_OBJECT
public:
    static constexpr int BalloonStyle = 0x40;
    enum Icon { NoIcon = 0, InformationIcon = 1, WarningIcon = 2, ErrorIcon = 3 };
    enum DelayType { AutomaticDelay = 1, DisplayDelay = 2, InitialDelay = 3 };
    static constexpr int maxTextRead = 80; // texts read back are cut to this many characters

    explicit ToolTipEx(QObject *parent = nullptr);
    ~ToolTipEx() override; // destroys the tip window

    // Creates the tip window for `owner` (destroying one this instance made before).
    // `style` 0x40 gives the balloon shape; `icon` 0 none, 1 information, 2 warning, 3 error.
    void CreateToolTip(QWidget *owner, int style, int icon, const QString &title, int width = -1, int delay = -1,
                       int visibleTime = -1, int backColor = -1, int foreColor = -1);
    void AddToolTip(QWidget *tool, const QString &text, int flags = 0);
    // True when the widget's tool was found and removed.
    bool RemoveToolTip(QWidget *tool);
    void DestroyToolTip();

    int ToolTipCount() const;
    // The width at which tip lines wrap; −1 is no limit.
    int MaxToolTipWidth() const;
    void setMaxToolTipWidth(int cx);
    // The tool's text, cut to 80 characters; empty when the widget has no tool.
    QString ToolTipText(QWidget *tool) const;
    void setToolTipText(QWidget *tool, const QString &text);
    int BackColor() const;
    void setBackColor(int colour);
    int ForeColor() const;
    void setForeColor(int colour);
    // Delays in ms: 2 the display time, 3 the initial delay; 1 sets both from one initial
    // delay (display ten times as long). −1 restores the default.
    int DelayTime(int type) const;
    void setDelayTime(int type, int ms);

    BalloonTip *tipWindow() const { return tipWindow_; }

private:
    QPointer<BalloonTip> tipWindow_;
};

} // namespace karv
