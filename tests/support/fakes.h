#pragma once
// Fakes of the game's seams for tests: a scripted generator, dialogs that record every call
// and answer from a queue, and a desktop that records calls and keeps its data files in a
// temporary directory.

#include <QList>
#include <QSize>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <functional>

#include "app/services.h"

namespace karv {
class GameWindow;
}

namespace karv::test {

class ScriptedRandom : public Random {
public:
    std::deque<double> values; // served in order; `fallback` when empty
    double fallback = 0.0;
    int seeds = 0;
    double next() override;
    void seedFromClock() override { ++seeds; }
};

struct DialogCall {
    enum class Kind { Message, YesNo, Input } kind;
    MessageIcon icon = MessageIcon::Information;
    QString title;
    QString text;
    QString defaultText;
};

class RecordingDialogs : public Dialogs {
public:
    QList<DialogCall> calls;
    std::deque<bool> yesNoAnswers; // answered in order; `defaultYesNo` when empty
    bool defaultYesNo = false;
    std::deque<QString> inputAnswers; // "" (cancel) when empty
    // Runs while a box is "open", before it is answered: what happens meanwhile (a clock
    // ticking on under the box) can be played from here.
    std::function<void(const DialogCall &)> whileOpen;

    void message(QWidget *owner, MessageIcon icon, const QString &title, const QString &text) override;
    bool askYesNo(QWidget *owner, MessageIcon icon, const QString &title, const QString &text) override;
    QString input(QWidget *owner, const QString &title, const QString &prompt, const QString &defaultText) override;
};

class FakeDesktop : public Desktop {
public:
    FakeDesktop();
    bool otherCopy = false;
    QSize screen{1024, 768};
    QStringList calls;      // "hideStartButton", "beep", "openUrl <url>", "playSound <path>", ...
    QTemporaryDir data;
    QString dataDir;        // defaults to the temporary directory
    QString programDir = QStringLiteral("/opt/karv20");

    int count(const QString &call) const;

    bool anotherCopyRunning() override { return otherCopy; }
    QSize screenSize() override { return screen; }
    void hideStartButton() override { calls << QStringLiteral("hideStartButton"); }
    void disableStartButton() override { calls << QStringLiteral("disableStartButton"); }
    void restoreStartButton() override { calls << QStringLiteral("restoreStartButton"); }
    bool openUrlResult = true; // whether a mail program "takes" the link
    bool openUrl(const QString &url) override
    {
        calls << QStringLiteral("openUrl ") + url;
        return openUrlResult;
    }
    void beep() override { calls << QStringLiteral("beep"); }
    void clearClipboard() override { calls << QStringLiteral("clearClipboard"); }
    void startWindowMove(QWidget *) override { calls << QStringLiteral("startWindowMove"); }
    void playSound(const QString &wavPath) override { calls << QStringLiteral("playSound ") + wavPath; }
    QString dataDirectory() override { return dataDir; }
    QString programDirectory() override { return programDir; }
};

// Installs fresh fakes and returns them; they stay owned by the seams. A new run of the game
// begins: its first failed save is told to the player again.
struct Fakes {
    ScriptedRandom *random;
    RecordingDialogs *dialogs;
    FakeDesktop *desktop;
};
Fakes installFakes();

// Writes raw bytes to a data file of the fake desktop.
void writeDataFile(const QString &name, const QByteArray &bytes);
QByteArray readDataFile(const QString &name);

// Starts the program and a new game from the main menu; the game window, or nullptr.
GameWindow *startNewGame();

// A top-level window of the program by its name, or nullptr.
QWidget *topLevel(const QString &name);
// Fires a named timer of a window once, as its interval running out would.
void fire(QWidget *window, const char *timer);
// The name of the one active timer among `names` of a window, or "" when none or several.
QString activeTimer(QWidget *window);

} // namespace karv::test
