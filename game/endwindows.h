#pragma once
// The three windows a game ends on: took the money (`frm_money`), lost (`frm_end`) and
// won the top prize (`frm_win`). Each offers the main menu, the About window and leaving.

#include "app/windows.h"

namespace karv {

class Label;
class Shape;

// What the end windows share: their look, their three commands and Alt+Enter.
class EndWindow : public Window {
    Q_OBJECT
public:
    EndWindow(const QString &name, int aboutNumber);

public slots:
    void goToMainMenu();
    void openAbout();
    void askExit();

protected:
    void paintEvent(QPaintEvent *) override;
    void keyPressEvent(QKeyEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    Label *addText(const char *name, const QString &text, QRect geo, double points, QColor color, bool bold = true);
    // A command drawn as a caption over a frame, with a transparent label taking its clicks.
    void addLabelCommand(const char *caption, const char *shape, const char *clickTaker, const QString &text, QRect geo,
                         void (EndWindow::*action)());
    // The three commands of the game-over and top-prize windows, in one row.
    void addLabelCommands(const QString &mainCaption, int top, int height);

private:
    int aboutNumber_;
};

class MoneyWindow : public EndWindow {
    Q_OBJECT
    Q_PROPERTY(int rt MEMBER rt)
    Q_PROPERTY(int c MEMBER c)
public:
    MoneyWindow();
    int rt = 1; // the right answer of the abandoned question
    int c = 0;  // 1 once an answer has been tried

public slots:
    // Takes the abandoned question over from the game window.
    void takeOver(QWidget *game);
    void tryAnswer(int k);

private:
    Shape *frame(int k) const;
};

class GameOverWindow : public EndWindow {
    Q_OBJECT
public:
    GameOverWindow();

protected:
    void mouseMoveEvent(QMouseEvent *) override;

private:
    void highlight(int command, bool on);
};

class WinWindow : public EndWindow {
    Q_OBJECT
public:
    WinWindow();
};

} // namespace karv
