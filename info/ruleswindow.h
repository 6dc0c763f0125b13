#pragma once
// The rules window `frm_rules`: the rules in one block of text, three lifeline labels that
// explain themselves under the pointer, and "Назад". Its opener is told by `forma`
// (0 the main menu, 1 the game window); leaving re-enables the opener and replaces this
// window by a fresh hidden one, so the next opening starts from the design state.

#include "app/windows.h"

namespace karv {

class Label;
class Shape;

class RulesWindow : public Window {
    Q_OBJECT
    Q_PROPERTY(int forma MEMBER forma)
public:
    RulesWindow();

    int forma = 0; // who opened the window: 0 frm_start, 1 frm_game

public slots:
    // "Назад", Esc and Backspace.
    void goBack();

protected:
    void showEvent(QShowEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void addLifeline(const char *box, const char *label, const QString &caption, int top, const QString &help);
    void hoverBack();
    void showHelp(Label *label, const QString &help);
    void replaceByFreshWindow();
    Label *label(const char *name) const;
    Shape *shape(const char *name) const;
    bool left_ = false;
};

} // namespace karv
