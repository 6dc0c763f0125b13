#pragma once
// A player's input as it really arrives: from the event loop, and inside a running pop-up menu.

#include <functional>

class QMenu;
class QWidget;

namespace karv::test {

// Runs `input` from the event loop, as a player's input arrives, then lets the loop finish what
// the command left for it (windows destroyed once their event is over).
void fromEventLoop(const std::function<void()> &input);

// Chooses an item of the running pop-up menu with the mouse.
void clickMenuItem(QMenu *menu, const char *item);
// Chooses an item of the running pop-up menu with the arrow keys and Enter.
void keyMenuItem(QMenu *menu, const char *item);

} // namespace karv::test
