#pragma once
// The options window `frm_options`: the five settings of the game, in memory for the whole run.

#include "app/windows.h"

class QCheckBox;

namespace karv {

class OptionsWindow : public Window {
    Q_OBJECT
    Q_PROPERTY(int time MEMBER time)
    Q_PROPERTY(int cTime MEMBER cTime)
    Q_PROPERTY(int cursor_ MEMBER cursor_)
    Q_PROPERTY(int player MEMBER player)
    Q_PROPERTY(int try_ MEMBER try_)
    Q_PROPERTY(int tik MEMBER tik)
    Q_PROPERTY(int checkTime MEMBER checkTime)
public:
    OptionsWindow();

    int time = 1;
    int cTime = 1;
    int cursor_ = 1;
    int player = 1;
    int try_ = 0;
    int tik = 1;
    int checkTime = 0;

    // Switches off what a settings line says is off.
    void applySettingsLine(const QString &line);
    // The settings line the five check boxes show.
    QString settingsLine() const;

    QCheckBox *timeBox() const;
    // The unlock challenge has closed: the window is the player's again. A counted challenge
    // rewrites the attempts left on the time box and locks the box after the third failure.
    void challengeEnded(bool counted);

public slots:
    void Cursor0();
    void Cursor1();
    void chk_time_Click();
    void resetToDefaults();
    void goBack();

protected:
    void paintEvent(QPaintEvent *) override;
    void closeEvent(QCloseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    QCheckBox *box(const char *name) const;
    void setAllCursors(bool custom);
};

} // namespace karv
