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

} // namespace karv
