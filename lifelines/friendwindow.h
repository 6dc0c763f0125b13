#pragma once
// The friend window `frm_friend`: the player chooses one of eight friends, calls (a short
// dialling bar) and hears which answer the friend thinks is right.

#include "lifelines/lifelinewindow.h"

namespace karv {

class FriendWindow : public LifelineWindow {
    Q_OBJECT
    Q_PROPERTY(int noq MEMBER noq)
    Q_PROPERTY(int rt MEMBER rt)
    Q_PROPERTY(int nrt MEMBER nrt)
    Q_PROPERTY(int roll MEMBER roll)
    Q_PROPERTY(int friendNo MEMBER friendNo)
    Q_PROPERTY(int saysWrong MEMBER saysWrong)
public:
    FriendWindow();

    int noq = 0;       // difficulty class 1..4 of the question
    int rt = 0;        // the right answer, taken from the game when the call starts
    int nrt = 0;       // the wrong answer a guessing friend names
    int roll = 0;      // the knowledge draw, 0..100
    int friendNo = 0;  // the friend called, 1..8
    int saysWrong = 0; // 1: a friend who does not know guesses instead of saying so

public slots:
    // Phoning from the game window: the lifeline is used up, the clock stops and this window
    // takes the game's place with the question on screen.
    void open(QWidget *game);
    void call();
    void ok();

protected:
    bool mayClose() const override;
    void closeNow() override;

private:
    void dial();
    void reply();
};

} // namespace karv
