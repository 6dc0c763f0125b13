#pragma once
// The game window `frm_game`: one game at a time — the question, the four answers, the prize
// ladder, the money lines, the lifelines, the clock and the commands.

#include <QPointer>

#include "app/windows.h"

class QMenu;
class QTimer;

namespace gaugekit {
class Fillgauge;
}

namespace karv {

class Label;
class Shape;
class PushButton;
class CommandButton;

class GameWindow : public Window {
    Q_OBJECT
    Q_PROPERTY(int noq MEMBER noq)
    Q_PROPERTY(int money MEMBER money)
    Q_PROPERTY(int summa MEMBER summa)
    Q_PROPERTY(QString sMoney MEMBER sMoney)
    Q_PROPERTY(QString sSumma MEMBER sSumma)
    Q_PROPERTY(int rt MEMBER rt)
    Q_PROPERTY(int c MEMBER c)
    Q_PROPERTY(int fi MEMBER fi)
    Q_PROPERTY(int z MEMBER z)
    Q_PROPERTY(int fr MEMBER fr)
    Q_PROPERTY(int m MEMBER m)
    Q_PROPERTY(int q100 MEMBER q100)
    Q_PROPERTY(int q200 MEMBER q200)
    Q_PROPERTY(int q300 MEMBER q300)
    Q_PROPERTY(int q500 MEMBER q500)
    Q_PROPERTY(int q1k MEMBER q1k)
    Q_PROPERTY(int q2k MEMBER q2k)
    Q_PROPERTY(int q4k MEMBER q4k)
    Q_PROPERTY(int q8k MEMBER q8k)
    Q_PROPERTY(int q16k MEMBER q16k)
    Q_PROPERTY(int q32k MEMBER q32k)
    Q_PROPERTY(int q64k MEMBER q64k)
    Q_PROPERTY(int q125k MEMBER q125k)
    Q_PROPERTY(int q250k MEMBER q250k)
    Q_PROPERTY(int q500k MEMBER q500k)
    Q_PROPERTY(int q1m MEMBER q1m)
public:
    GameWindow();

    // Game state, shared by every part of the game under these names.
    int noq = 100;
    int money = 0;
    int summa = 0;
    QString sMoney = QStringLiteral("0");
    QString sSumma = QStringLiteral("0");
    int rt = 1;
    int c = 0;
    int fi = 0;
    int z = 0;
    int fr = 0;
    int m = 0;
    int q100 = 0, q200 = 0, q300 = 0, q500 = 0, q1k = 0, q2k = 0, q4k = 0, q8k = 0, q16k = 0, q32k = 0,
        q64k = 0, q125k = 0, q250k = 0, q500k = 0, q1m = 0;
    // The variable that keeps the number drawn at a level (1..15).
    int &drawnNumber(int level);

public slots:
    void Question_100();
    void Question_200() { drawQuestion(2); }
    void Question_300() { drawQuestion(3); }
    void Question_500() { drawQuestion(4); }
    void Question_1k() { drawQuestion(5); }
    void Question_2k() { drawQuestion(6); }
    void Question_4k() { drawQuestion(7); }
    void Question_8k() { drawQuestion(8); }
    void Question_16k() { drawQuestion(9); }
    void Question_32k() { drawQuestion(10); }
    void Question_64k() { drawQuestion(11); }
    void Question_125k() { drawQuestion(12); }
    void Question_250k() { drawQuestion(13); }
    void Question_500k() { drawQuestion(14); }
    void Question_1m() { drawQuestion(15); }

    void lbl_A_Click() { chooseAnswer(1); }
    void lbl_B_Click() { chooseAnswer(2); }
    void lbl_C_Click() { chooseAnswer(3); }
    void lbl_D_Click() { chooseAnswer(4); }

    void PrepareNextQuestion();
    void HideControlsForVerdict();
    void StartQuestionClock(int seconds);
    void TimeOutEnding();
    void CountWins();
    void SaveCheatSetting();
    void useFiftyFifty();
    // The audience and friend windows take the game window's place; they open themselves
    // through their slot `open(QWidget *game)`.
    void askTheAudience();
    void phoneAFriend();

    // Player name and title line at the start of a game.
    void showPlayer(const QString &name);

public:
    // The answer label and shape of a letter (1 = A ... 4 = D).
    Label *answerLabel(int k) const;
    Shape *answerShape(int k) const;
    gaugekit::Fillgauge *timeBar() const { return timeBar_; }
    QMenu *gameMenu() const { return menu_; }

protected:
    void paintEvent(QPaintEvent *) override;
    void keyPressEvent(QKeyEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void buildLayout();
    void buildLadder();
    void buildMenu();
    void buildTimers();
    void drawQuestion(int level);
    void chooseAnswer(int k);
    void verdictFirstStep(bool right, int band);
    void advance(int fromLevel);
    void markBand(int band, const QColor &color);
    void setLadderLook(int level, bool current);
    void clockTick();
    void takeMoney();
    void showWin();
    void showGameOver();
    void askExit();
    void returnToMainMenu();
    void showQuestionNumber();
    void sendErrorReport();
    void openRules();
    void openAbout();
    void toggleTimeBar();
    void restoreHoverLooks();
    void hideLifeline(const QString &name);

    Label *ladder_[15] = {};
    gaugekit::Fillgauge *timeBar_ = nullptr;
    QMenu *menu_ = nullptr;
};

// A sum of roubles as the game shows it: groups of three digits separated by one blank.
QString moneyText(qint64 roubles);

} // namespace karv
