#pragma once
// Procedures shared by several windows.

class QWidget;

namespace karv {

// Disables the owner, shows the About window and puts the focus on its OK button.
void ShowAbout(QWidget *owner);
// Ends a game: reloads the main menu and unloads every game window, in the game's order.
void backToMainMenu(QWidget *from);
// The exit question of the main menu and the game, then the farewell and QuitGame.
void askToQuit(QWidget *owner, const char *farewell);
// Whether the window that asked a question is still on screen once it is answered: a game
// that ended under the box (its time ran out) has been replaced, and the answer is stale.
bool stillOnScreen(const QWidget *asker);

} // namespace karv
