#pragma once
// The program's windows by name. A window is loaded (created, hidden) on first use and
// unloaded (destroyed) only where the game says so: QuitGame and the return to the main menu.

#include <QString>
#include <QWidget>

namespace karv {

// The base of every window of the game: a fixed-size top-level window that knows its name,
// carries the game's pointer when the cursor setting is on, and can be told it is unloading.
class Window : public QWidget {
    Q_OBJECT
public:
    explicit Window(const QString &name, QWidget *parent = nullptr);
    // Sets the fixed client size from the design's twips.
    void setClientTwips(int width, int height);
    // The window's own pointer: the game's custom cursor or the standard one.
    virtual void setCustomCursor(bool on);
    // Runs just before the window object is destroyed by an unload.
    virtual void unloading() {}

protected:
    void showEvent(QShowEvent *e) override;
    // Alt+Enter minimises the window; true when the key was that.
    bool minimiseOnAltEnter(QKeyEvent *e);

private:
    bool placed_ = false;
};

QWidget *window(const QString &name);        // the window, loaded hidden when needed
QWidget *loadedWindow(const QString &name);  // nullptr while it is not loaded
void unloadWindow(const QString &name);

template <class T> T *windowAs(const QString &name) { return qobject_cast<T *>(window(name)); }

// A public flag of the options window (time, cursor_, cTime, player, tik, try_, checkTime).
int optionFlag(const char *property);

// The windows in the order QuitGame unloads them, and the ones a return to the main menu
// unloads after reloading the main menu.
extern const char *const quitOrder[12];
extern const char *const gameWindows[10];

} // namespace karv
