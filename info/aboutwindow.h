#pragma once
// The About window `frmAbout`: title, version and date, the credits with the author's mail
// link, the thanks, and the game's emblem, which lists the cheat codes once they have been
// unlocked. Its opener is told by `forma` (0 frm_start, 1 frm_game, 2 frm_end, 3 frm_money,
// 4 frm_win) and is re-enabled when the window closes; closing only hides it.

#include "app/windows.h"

class QPainter;

namespace karv {

class Label;

// The window's background: one shade per pixel row, black at the top to blue at the bottom.
// A zero height paints nothing.
void paintGradient(QPainter &p, int width, int height);

class AboutWindow : public Window {
    Q_OBJECT
    Q_PROPERTY(int forma MEMBER forma)
public:
    AboutWindow();

    int forma = 0; // who opened the window

    // The link the mail label opens: the author's address with the game's subject.
    static QString mailLink(const QString &address);

public slots:
    void cmdOK_Click();
    void cmd_et_Click();
    void lbl_email_Click();
    void img_bitmap_Click();

protected:
    void paintEvent(QPaintEvent *) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    Label *addLabel(const char *name, const QString &text, QRect geo, const QFont &font, QColor color);
    void restoreMailLink();
    Label *email_ = nullptr;
};

} // namespace karv
