#pragma once
// What the audience and friend windows share: they take the game window's place on screen,
// repeat its question and answers (a fifty-fifty's removals included) and hand the screen
// back to it when they close.

#include <QPointer>

#include <array>

#include "app/windows.h"

namespace karv {

class Label;
class Shape;

class LifelineWindow : public Window {
    Q_OBJECT
public:
    explicit LifelineWindow(const QString &name);

    Label *answerLabel(int k) const; // 1 = A ... 4 = D
    Shape *answerShape(int k) const;
    // Which answers are on screen, and whether a fifty-fifty on this question removed two.
    std::array<bool, 4> answersShown() const;
    bool twoAnswersRemoved(int fi) const;

protected:
    // The question box and label, and the four answer boxes (2895 x 735 twips, labels
    // 2655 x 495 inside) at their design positions in twips.
    void addQuestion(int left, int top, int width, int height);
    void addAnswers(const std::array<QPoint, 4> &boxTopLeft);

    // The game's question and answer captions, then which answers it shows.
    void copyQuestionFrom(QWidget *game);
    // Shows this window where the game window is and hides the game.
    void takePlaceOf(QWidget *game);
    // Shows the game again, hides this window and lets the game's clock run on when the time
    // option is on.
    void returnToGame();
    // A named control of the game window, or nullptr.
    QWidget *gameControl(const char *name) const;

    // The window manager's close button: honoured once the window offers its way back.
    virtual bool mayClose() const = 0;
    virtual void closeNow() = 0;

    void keyPressEvent(QKeyEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

    QPointer<QWidget> game_;
};

} // namespace karv
