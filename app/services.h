#pragma once
// The seams between the game and everything outside it: the random generator, the modal
// dialogs and the operating system. The game reaches them only through random(), dialogs()
// and desktop(); tests install fakes in their place.

#include <QSize>
#include <QString>

#include <memory>

class QWidget;

namespace karv {

class Random {                       // the one program-wide generator
public:
    virtual ~Random() = default;
    virtual double next() = 0;       // uniform in [0, 1)
    virtual void seedFromClock() = 0;
};

enum class MessageIcon { Critical, Question, Exclamation, Information };

class Dialogs {                      // every modal message box and the input box
public:
    virtual ~Dialogs() = default;
    virtual void message(QWidget *owner, MessageIcon icon, const QString &title, const QString &text) = 0; // OK only
    virtual bool askYesNo(QWidget *owner, MessageIcon icon, const QString &title, const QString &text) = 0; // true on Yes
    virtual QString input(QWidget *owner, const QString &title, const QString &prompt, const QString &defaultText) = 0; // "" on cancel
};

class Desktop {                      // everything the game asks of the operating system
public:
    virtual ~Desktop() = default;
    virtual bool anotherCopyRunning() = 0;
    virtual QSize screenSize() = 0;                  // pixels
    virtual void hideStartButton() = 0;              // no-ops where there is no taskbar Start button
    virtual void disableStartButton() = 0;
    virtual void restoreStartButton() = 0;           // enable and show
    virtual bool openUrl(const QString &url) = 0;    // mailto: links; false when no program took the link
    virtual void beep() = 0;
    virtual void clearClipboard() = 0;
    virtual void startWindowMove(QWidget *window) = 0;
    virtual void playSound(const QString &wavPath) = 0;
    virtual QString dataDirectory() = 0;             // where the four data files live
    virtual QString programDirectory() = 0;          // where over.wav is looked for
};

Random &random();
Dialogs &dialogs();
Desktop &desktop();
void install(std::unique_ptr<Random>);
void install(std::unique_ptr<Dialogs>);
void install(std::unique_ptr<Desktop>);

bool Main();        // the entry steps; true when the main menu is shown (main() then runs the event loop)
void QuitGame();

} // namespace karv
