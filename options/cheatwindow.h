#pragma once
// The hidden cheat-code entry `frm_cheat`: a caption-less window dragged by its background,
// which keeps the clipboard empty while it is open.

#include "app/windows.h"

class QLineEdit;

namespace karv {

class CheatWindow : public Window {
    Q_OBJECT
public:
    CheatWindow();

public slots:
    // Shows the entry over the game window and disables the game.
    void summon();
    // Runs the typed code (the OK button and Enter).
    void enter();

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void finish();
    QLineEdit *text_ = nullptr;
};

} // namespace karv
