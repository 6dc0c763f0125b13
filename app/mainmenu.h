#pragma once
// The main menu `frm_start`: the game's first window.

#include <QPointer>

#include "app/windows.h"

namespace karv {

class CommandButton;
class Label;

class MainMenu : public Window {
    Q_OBJECT
    Q_PROPERTY(QString n MEMBER n)
    Q_PROPERTY(QString nn MEMBER nn)
    Q_PROPERTY(QString win MEMBER win)
public:
    MainMenu();

    QString n;   // the raw answer of the last name prompt
    QString nn;  // the player name in use
    QString win; // the directory of the four data files

    void unloading() override;

    void startNewGame();
    void openRules();
    void openOptions();
    void openAbout();
    void askExit();

protected:
    void paintEvent(QPaintEvent *) override;
    void keyPressEvent(QKeyEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void hideEvent(QHideEvent *e) override;

private:
    void buildDecoration();
    void createToolTips();
    void readSettings();
    void placePlayerName(QWidget *game);
    QObject *toolTips_ = nullptr;
};

} // namespace karv
