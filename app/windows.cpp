#include "app/windows.h"

#include <QGuiApplication>
#include <QHash>
#include <QScreen>
#include <QKeyEvent>
#include <QPointer>
#include <QSet>
#include <QThread>
#include <QTimer>

#include "app/mainmenu.h"
#include "app/ui.h"
#include "game/endwindows.h"
#include "game/gamewindow.h"
#include "info/aboutwindow.h"
#include "info/ruleswindow.h"
#include "lifelines/friendwindow.h"
#include "lifelines/zalwindow.h"
#include "options/cheatwindow.h"
#include "options/optionswindow.h"
#include "options/unlockwindow.h"

namespace karv {

const char *const quitOrder[12] = {"frm_cheat", "frm_end",     "frm_friend", "frm_game", "frm_money", "frm_options",
                                   "frm_rules", "frm_start",   "frm_Unlock", "frm_win",  "frm_zal",   "frmAbout"};
const char *const gameWindows[10] = {"frm_cheat", "frm_end",    "frm_friend", "frm_game", "frm_money",
                                     "frm_rules", "frm_Unlock", "frm_win",    "frm_zal",  "frmAbout"};

namespace {

using Factory = QWidget *(*)();

// Every window the game can load, by its name.
const QHash<QString, Factory> &factories()
{
    static const QHash<QString, Factory> table = {
        {QStringLiteral("frm_start"), [] { return static_cast<QWidget *>(new MainMenu); }},
        {QStringLiteral("frm_game"), [] { return static_cast<QWidget *>(new GameWindow); }},
        {QStringLiteral("frm_options"), [] { return static_cast<QWidget *>(new OptionsWindow); }},
        {QStringLiteral("frm_money"), [] { return static_cast<QWidget *>(new MoneyWindow); }},
        {QStringLiteral("frm_end"), [] { return static_cast<QWidget *>(new GameOverWindow); }},
        {QStringLiteral("frm_win"), [] { return static_cast<QWidget *>(new WinWindow); }},
        {QStringLiteral("frm_rules"), [] { return static_cast<QWidget *>(new RulesWindow); }},
        {QStringLiteral("frmAbout"), [] { return static_cast<QWidget *>(new AboutWindow); }},
        {QStringLiteral("frm_cheat"), [] { return static_cast<QWidget *>(new CheatWindow); }},
        {QStringLiteral("frm_Unlock"), [] { return static_cast<QWidget *>(new UnlockWindow); }},
        {QStringLiteral("frm_zal"), [] { return static_cast<QWidget *>(new ZalWindow); }},
        {QStringLiteral("frm_friend"), [] { return static_cast<QWidget *>(new FriendWindow); }},
    };
    return table;
}

QHash<QString, QPointer<QWidget>> &loaded()
{
    static QHash<QString, QPointer<QWidget>> map;
    return map;
}

} // namespace

Window::Window(const QString &name, QWidget *parent) : QWidget(parent)
{
    setObjectName(name);
    setAttribute(Qt::WA_QuitOnClose, false);
    setCustomCursor(optionFlag("cursor_") == 1);
}

void Window::setClientTwips(int width, int height) { setFixedSize(px(width), px(height)); }

void Window::setCustomCursor(bool on)
{
    setCursor(on ? customCursor() : QCursor(Qt::ArrowCursor));
}

void Window::showEvent(QShowEvent *e)
{
    // A window opens in the middle of the screen the first time it is shown.
    if (!placed_) {
        placed_ = true;
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
    }
    QWidget::showEvent(e);
}

bool Window::minimiseOnAltEnter(QKeyEvent *e)
{
    // Either Enter: the keypad's comes marked with the keypad modifier as well.
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && mods == Qt::AltModifier) {
        showMinimized();
        return true;
    }
    return false;
}

QWidget *loadedWindow(const QString &name)
{
    auto it = loaded().find(name);
    if (it == loaded().end())
        return nullptr;
    if (it->isNull()) {
        loaded().erase(it);
        return nullptr;
    }
    return it->data();
}

QWidget *window(const QString &name)
{
    if (QWidget *w = loadedWindow(name))
        return w;
    const auto f = factories().find(name);
    if (f == factories().end())
        return nullptr;
    // A window that is still loading is not loaded twice (its own load may ask for all windows).
    static QSet<QString> loading;
    if (loading.contains(name))
        return nullptr;
    loading.insert(name);
    QWidget *w = (*f)();
    loading.remove(name);
    loaded().insert(name, w);
    return w;
}

void unloadWindow(const QString &name)
{
    QWidget *w = loadedWindow(name);
    if (!w)
        return;
    loaded().remove(name);
    if (auto *win = qobject_cast<Window *>(w))
        win->unloading();
    for (QTimer *t : w->findChildren<QTimer *>())
        t->stop();
    w->hide();
    // An unloaded window no longer answers to its name, so a window loaded afresh under it
    // is the only one found.
    w->setObjectName(QString());
    // In the running game every unload comes from some event — a click, a key, a menu item,
    // a close — and the window whose event it is (or its pop-up menu) may be among those
    // unloaded. Qt still works on that object when the handler returns, so it is destroyed
    // once control is back in the event loop. With no event loop running (a program driving
    // the windows directly, as the unit tests do), the window goes at once.
    if (QThread::currentThread()->loopLevel() > 0)
        w->deleteLater();
    else
        delete w;
}

int optionFlag(const char *property)
{
    QWidget *options = loadedWindow(QStringLiteral("frm_options"));
    if (!options)
        return 1;
    const QVariant v = options->property(property);
    return v.isValid() ? v.toInt() : 1;
}

} // namespace karv
