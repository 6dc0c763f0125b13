#pragma once
// The audience window `frm_zal`: the hall gets a second to get ready, four bars grow to its
// percentages for A to D, the largest share is marked, and the player goes back with "OK" or
// picks an answer right here.

#include <array>

#include "lifelines/lifelinewindow.h"

namespace gaugekit {
class Fillgauge;
}

namespace karv {

class ZalWindow : public LifelineWindow {
    Q_OBJECT
    Q_PROPERTY(int Click MEMBER Click)
    Q_PROPERTY(int rt MEMBER rt)
    Q_PROPERTY(int noq MEMBER noq)
    Q_PROPERTY(int pcA READ pcA)
    Q_PROPERTY(int pcB READ pcB)
    Q_PROPERTY(int pcC READ pcC)
    Q_PROPERTY(int pcD READ pcD)
    Q_PROPERTY(int roll MEMBER roll)
public:
    ZalWindow();

    int Click = 0; // 1 once an answer is picked here
    int rt = 1;    // the right answer, from the game
    int noq = 1;   // difficulty class 1..4 of the question
    std::array<int, 4> pc{}; // the hall's percentages for A..D
    int roll = 0;
    int pcA() const { return pc[0]; }
    int pcB() const { return pc[1]; }
    int pcC() const { return pc[2]; }
    int pcD() const { return pc[3]; }

    gaugekit::Fillgauge *bar(int k) const; // 1 = A ... 4 = D

public slots:
    // Asking the hall from the game window: the lifeline is used up, the clock stops and this
    // window takes the game's place with the question on screen.
    void open(QWidget *game);
    void pick(int k);
    void ok();

protected:
    bool mayClose() const override;
    void closeNow() override;

private:
    void prepare();
    void growBars();
    void showResult();
    void handPickToGame();

    int ticks_ = 0; // ticks of the bars so far
};

} // namespace karv
