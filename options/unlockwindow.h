#pragma once
// The unlock challenge `frm_Unlock`: the time limit is switched off only by adding two
// three-digit numbers before the bar runs out. A wrong or missing sum uses up one of the
// three attempts of the run.

#include "app/windows.h"

#include <utility>

class QLineEdit;
class QTimer;

namespace gaugekit {
class Fillgauge;
class PropertyBag;
} // namespace gaugekit

namespace karv {

class Random;
class Label;

namespace unlock {

// The countdown bar as designed, in the bar's stored text form.
extern const char barSettings[];
gaugekit::PropertyBag barProperties();

// One addend of the task: Int(r × 900 + 100), so 100 to 999.
int drawAddend(Random &random);
// The two distinct addends; `second` is drawn again while it equals `first`.
std::pair<int, int> drawTask(Random &random);

// The value of the typed answer, read as the number the text begins with (0 when none).
double answerValue(const QString &typed);
// The message of a failed attempt; the answer is shown exactly as it was typed.
QString failureText(int first, int second, const QString &typed);

// True when every character of a key press may go into the answer box (digits only).
bool acceptsTyped(const QString &text);

} // namespace unlock

class UnlockWindow : public Window {
    Q_OBJECT
    Q_PROPERTY(int first MEMBER first)
    Q_PROPERTY(int second MEMBER second)
public:
    UnlockWindow();

    int first = 0;
    int second = 0;

    // Waiting for "Вперед!!!", counting down, or done (the window is about to be unloaded).
    enum class Stage { Waiting, Running, Finished };
    Stage stage() const { return stage_; }

public slots:
    void cmd_GO_Click();
    void tmr1_Timer();

protected:
    void closeEvent(QCloseEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    void paintEvent(QPaintEvent *) override;

private:
    // Judges the answer; a given-up task fails whatever the box holds.
    void evaluate(bool givenUp);
    // Hides the window and hands the options window back to the player.
    void finish(bool counted);

    Stage stage_ = Stage::Waiting;
    Label *lbl1_ = nullptr;
    Label *time0_ = nullptr;
    QLineEdit *txt_ = nullptr;
    QWidget *go_ = nullptr;
    gaugekit::Fillgauge *bar_ = nullptr;
    QTimer *tmr1_ = nullptr;
};

} // namespace karv
