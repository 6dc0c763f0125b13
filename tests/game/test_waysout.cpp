// Every way out of the game's windows, taken the way a player takes it: the input arrives from
// the event loop as a mouse click, a key, a choice inside the running pop-up menu or a close
// from the window manager, and whatever the command unloads, hides or replaces must outlive the
// event that is still being handled.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>

#include "app/services.h"
#include "app/widgets.h"
#include "app/windows.h"
#include "game/gamerules.h"
#include "game/gamewindow.h"
#include "gauge/fillgauge.h"
#include "tests/support/fakes.h"
#include "tests/support/input.h"
#include "tests/support/testmain.h"

using namespace karv;
using namespace karv::test;

namespace {

const char *const answerNames[4] = {"lbl_A", "lbl_B", "lbl_C", "lbl_D"};

// The window manager's close: a close event for the native window, handled as Qt handles the
// one the window manager sends.
void closeFromWindowManager(QWidget *w)
{
    QCloseEvent close;
    QCoreApplication::sendEvent(w->windowHandle(), &close);
}

enum class Scene { MainMenu, Game, GameOver, Win, Money };
enum class Outcome {
    MainMenuAfresh, // the game windows are gone and a freshly loaded main menu is on screen
    Quit,           // every window is unloaded
    Stays,          // the window is still on screen, enabled
    Minimised,
    AboutOver,      // the About window is shown, its opener disabled
    RulesOver,
    LifelineOver,   // a lifeline window took the game window's place
};

struct Way {
    const char *name;
    Scene scene;
    std::deque<bool> answers; // to the yes/no boxes, in order
    Outcome outcome;
    // The input; returns the widget that receives it (it must outlive its own event).
    std::function<QWidget *(QWidget *scene)> input;
};

QWidget *child(QWidget *w, const char *name) { return w->findChild<QWidget *>(QLatin1String(name)); }

QWidget *click(QWidget *w, const char *name)
{
    QWidget *target = child(w, name);
    QTest::mouseClick(target, Qt::LeftButton);
    return target;
}

QWidget *menuChoice(QWidget *game, const char *item, bool byKey)
{
    QTest::mouseClick(child(game, "cmd_menu"), Qt::LeftButton);
    auto *menu = qobject_cast<GameWindow *>(game)->gameMenu();
    if (byKey)
        keyMenuItem(menu, item);
    else
        clickMenuItem(menu, item);
    return menu;
}

QWidget *key(QWidget *w, Qt::Key k, Qt::KeyboardModifiers mods = {})
{
    QTest::keyClick(w, k, mods);
    return w;
}

QWidget *wmClose(QWidget *w)
{
    closeFromWindowManager(w);
    return w;
}

const std::vector<Way> &ways()
{
    static const std::vector<Way> table = {
        // The game window's pop-up menu.
        {"menu: В главное меню, Да (mouse)", Scene::Game, {true}, Outcome::MainMenuAfresh,
         [](QWidget *g) { return menuChoice(g, "mnu_mmenu", false); }},
        {"menu: В главное меню, Да (keys)", Scene::Game, {true}, Outcome::MainMenuAfresh,
         [](QWidget *g) { return menuChoice(g, "mnu_mmenu", true); }},
        {"menu: В главное меню, Нет", Scene::Game, {false}, Outcome::Stays,
         [](QWidget *g) { return menuChoice(g, "mnu_mmenu", false); }},
        {"menu: Выход, Да (mouse)", Scene::Game, {true}, Outcome::Quit,
         [](QWidget *g) { return menuChoice(g, "mnu_exit", false); }},
        {"menu: Выход, Да (keys)", Scene::Game, {true}, Outcome::Quit,
         [](QWidget *g) { return menuChoice(g, "mnu_exit", true); }},
        {"menu: Выход, Нет", Scene::Game, {false}, Outcome::Stays,
         [](QWidget *g) { return menuChoice(g, "mnu_exit", true); }},
        {"menu: Правила игры", Scene::Game, {}, Outcome::RulesOver,
         [](QWidget *g) { return menuChoice(g, "mnu_rules", false); }},
        {"menu: О программе", Scene::Game, {}, Outcome::AboutOver,
         [](QWidget *g) { return menuChoice(g, "mnu_about", true); }},
        // The game window's commands, caption bar, keys and the window manager.
        {"game: Выход, Да", Scene::Game, {true}, Outcome::Quit, [](QWidget *g) { return click(g, "cmd_exit"); }},
        {"game: Правила", Scene::Game, {}, Outcome::RulesOver, [](QWidget *g) { return click(g, "cmd_rules"); }},
        {"game: caption close, Да", Scene::Game, {true}, Outcome::Quit,
         [](QWidget *g) { return click(g, "EXIT_GAME"); }},
        {"game: caption minimise", Scene::Game, {}, Outcome::Minimised,
         [](QWidget *g) { return click(g, "MINIMIZE_FORM"); }},
        {"game: Esc, Да", Scene::Game, {true}, Outcome::Quit, [](QWidget *g) { return key(g, Qt::Key_Escape); }},
        {"game: Esc, Нет", Scene::Game, {false}, Outcome::Stays, [](QWidget *g) { return key(g, Qt::Key_Escape); }},
        {"game: F1", Scene::Game, {}, Outcome::RulesOver, [](QWidget *g) { return key(g, Qt::Key_F1); }},
        {"game: F12", Scene::Game, {}, Outcome::AboutOver, [](QWidget *g) { return key(g, Qt::Key_F12); }},
        {"game: Alt+Enter", Scene::Game, {}, Outcome::Minimised,
         [](QWidget *g) { return key(g, Qt::Key_Return, Qt::AltModifier); }},
        {"game: Alt+keypad Enter", Scene::Game, {}, Outcome::Minimised,
         [](QWidget *g) { return key(g, Qt::Key_Enter, Qt::AltModifier | Qt::KeypadModifier); }},
        {"game: window manager close, Да", Scene::Game, {true}, Outcome::Quit, wmClose},
        {"game: window manager close, Нет", Scene::Game, {false}, Outcome::Stays, wmClose},
        {"game: Помощь зала", Scene::Game, {}, Outcome::LifelineOver, [](QWidget *g) { return click(g, "cmd_Zal"); }},
        {"game: Звонок другу", Scene::Game, {}, Outcome::LifelineOver,
         [](QWidget *g) { return click(g, "cmd_Friend"); }},
        // The game-over window.
        {"game over: Главное меню", Scene::GameOver, {}, Outcome::MainMenuAfresh,
         [](QWidget *w) { return click(w, "lbl_main"); }},
        {"game over: О программе", Scene::GameOver, {}, Outcome::AboutOver,
         [](QWidget *w) { return click(w, "lbl_about_C"); }},
        {"game over: Выход, Да", Scene::GameOver, {true}, Outcome::Quit,
         [](QWidget *w) { return click(w, "lbl_exit_C"); }},
        {"game over: Alt+Enter", Scene::GameOver, {}, Outcome::Minimised,
         [](QWidget *w) { return key(w, Qt::Key_Return, Qt::AltModifier); }},
        {"game over: Alt+keypad Enter", Scene::GameOver, {}, Outcome::Minimised,
         [](QWidget *w) { return key(w, Qt::Key_Enter, Qt::AltModifier | Qt::KeypadModifier); }},
        {"game over: window manager close, Да", Scene::GameOver, {true}, Outcome::Quit, wmClose},
        {"game over: window manager close, Нет", Scene::GameOver, {false}, Outcome::Stays, wmClose},
        // The top-prize window.
        {"win: Главное меню", Scene::Win, {}, Outcome::MainMenuAfresh, [](QWidget *w) { return click(w, "lbl_main"); }},
        {"win: О программе", Scene::Win, {}, Outcome::AboutOver, [](QWidget *w) { return click(w, "lbl_about_C"); }},
        {"win: Выход, Да", Scene::Win, {true}, Outcome::Quit, [](QWidget *w) { return click(w, "lbl_exit_C"); }},
        {"win: window manager close, Да", Scene::Win, {true}, Outcome::Quit, wmClose},
        {"win: window manager close, Нет", Scene::Win, {false}, Outcome::Stays, wmClose},
        // The took-the-money window, once its try has been shown.
        {"money: Главное меню", Scene::Money, {}, Outcome::MainMenuAfresh,
         [](QWidget *w) { return click(w, "cmd_main"); }},
        {"money: О программе", Scene::Money, {}, Outcome::AboutOver, [](QWidget *w) { return click(w, "cmd_about"); }},
        {"money: Выход, Да", Scene::Money, {true}, Outcome::Quit, [](QWidget *w) { return click(w, "cmd_exit"); }},
        {"money: Выход, Нет", Scene::Money, {false}, Outcome::Stays, [](QWidget *w) { return click(w, "cmd_exit"); }},
        {"money: window manager close, Да", Scene::Money, {true}, Outcome::Quit, wmClose},
        {"money: window manager close, Нет", Scene::Money, {false}, Outcome::Stays, wmClose},
        // The main menu.
        {"main menu: Выход, Да", Scene::MainMenu, {true}, Outcome::Quit,
         [](QWidget *w) { return click(w, "cmd_exit"); }},
        {"main menu: Esc, Да", Scene::MainMenu, {true}, Outcome::Quit, [](QWidget *w) { return key(w, Qt::Key_Escape); }},
        {"main menu: Alt+Enter", Scene::MainMenu, {}, Outcome::Minimised,
         [](QWidget *w) { return key(w, Qt::Key_Return, Qt::AltModifier); }},
        {"main menu: Alt+keypad Enter", Scene::MainMenu, {}, Outcome::Minimised,
         [](QWidget *w) { return key(w, Qt::Key_Enter, Qt::AltModifier | Qt::KeypadModifier); }},
        {"main menu: Shift+Alt+keypad Enter", Scene::MainMenu, {}, Outcome::Stays,
         [](QWidget *w) { return key(w, Qt::Key_Enter, Qt::ShiftModifier | Qt::AltModifier | Qt::KeypadModifier); }},
        {"main menu: window manager close, Да", Scene::MainMenu, {true}, Outcome::Quit, wmClose},
        {"main menu: window manager close, Нет", Scene::MainMenu, {false}, Outcome::Stays, wmClose},
    };
    return table;
}

} // namespace

class WaysOutTest : public QObject {
    Q_OBJECT
    Fakes f{};
    GameWindow *game = nullptr;

    void startGame()
    {
        game = startNewGame();
        QVERIFY(game);
    }
    // Answers the question on screen and runs the verdict through to what follows it: the next
    // question, the game-over window or the win.
    void answer(bool right)
    {
        const int k = right ? game->rt : game->rt % 4 + 1;
        QTest::mouseClick(child(game, answerNames[k - 1]), Qt::LeftButton);
        for (int step = 0; step < 7; ++step) {
            const QString t = activeTimer(game);
            if (t.isEmpty())
                return;
            fire(game, qPrintable(t));
            if (t == QLatin1String("tmr_W") || t.contains(QLatin1String("to"), Qt::CaseInsensitive))
                return;
        }
    }
    // Half a minute passes: the question clock ticks as long as it is running, which runs a
    // 30-second question out of time.
    void letTheClockRun()
    {
        QTimer *clock = game->findChild<QTimer *>(QStringLiteral("tmr_time"));
        for (int tick = 0; tick <= 31 && clock->isActive(); ++tick)
            fire(game, "tmr_time");
    }
    QWidget *scene(Scene s)
    {
        switch (s) {
        case Scene::MainMenu:
            return Main() ? topLevel(QStringLiteral("frm_start")) : nullptr;
        case Scene::Game:
            startGame();
            return game;
        case Scene::GameOver:
            startGame();
            answer(false);
            return topLevel(QStringLiteral("frm_end"));
        case Scene::Win:
            startGame();
            for (int level = 1; level <= 15; ++level)
                answer(true); // the last step of each answer starts the advance, which it also fires
            return topLevel(QStringLiteral("frm_win"));
        case Scene::Money: {
            startGame();
            answer(true);
            f.dialogs->yesNoAnswers = {true};
            QTest::mouseClick(child(game, "cmd_money"), Qt::LeftButton);
            QWidget *money = topLevel(QStringLiteral("frm_money"));
            if (!money)
                return nullptr;
            QTest::mouseClick(child(money, "lbl_A"), Qt::LeftButton);
            for (int step = 0; step < 6 && !activeTimer(money).isEmpty(); ++step)
                fire(money, qPrintable(activeTimer(money)));
            return money;
        }
        }
        return nullptr;
    }

    static bool noWindowLeft()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible())
                return false;
        return true;
    }

private slots:
    void init()
    {
        f = installFakes();
        f.dialogs->inputAnswers.push_back(QStringLiteral("Игрок"));
    }
    void cleanup()
    {
        QuitGame();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void everyWayOutOutlivesItsOwnEvent_data()
    {
        QTest::addColumn<int>("row");
        for (size_t i = 0; i < ways().size(); ++i)
            QTest::newRow(ways()[i].name) << int(i);
    }
    void everyWayOutOutlivesItsOwnEvent()
    {
        QFETCH(int, row);
        const Way &way = ways()[size_t(row)];
        QPointer<QWidget> start = scene(way.scene);
        QVERIFY(start && start->isVisible());
        const QPointer<QWidget> oldMenu = topLevel(QStringLiteral("frm_start"));
        const QPointer<QWidget> options = topLevel(QStringLiteral("frm_options"));
        f.dialogs->yesNoAnswers = way.answers;
        const qsizetype asked = f.dialogs->calls.size();

        bool receiverLived = false;
        QPointer<QWidget> receiver;
        fromEventLoop([&] {
            receiver = way.input(start);
            // Still inside the event loop's turn that delivered the input: nothing Qt is about
            // to return to may be gone yet.
            receiverLived = !receiver.isNull() && !start.isNull();
        });
        QVERIFY2(receiverLived, "a widget was destroyed inside its own event");
        QCOMPARE(f.dialogs->calls.size() - asked, qsizetype(way.answers.size()) + (way.outcome == Outcome::Quit ? 1 : 0));

        switch (way.outcome) {
        case Outcome::MainMenuAfresh:
            QVERIFY(!oldMenu || way.scene == Scene::MainMenu);
            QVERIFY(start.isNull());
            QVERIFY(options);
            for (const char *name : gameWindows)
                QVERIFY2(!topLevel(QLatin1String(name)), name);
            QVERIFY(topLevel(QStringLiteral("frm_start")) && topLevel(QStringLiteral("frm_start"))->isVisible());
            break;
        case Outcome::Quit:
            QCOMPARE(f.dialogs->calls.back().title, QStringLiteral("До свидания!"));
            for (const char *name : quitOrder)
                QVERIFY2(!topLevel(QLatin1String(name)), name);
            QVERIFY(start.isNull());
            QVERIFY(noWindowLeft());
            break;
        case Outcome::Stays:
            QVERIFY(start && start->isVisible() && start->isEnabled() && !start->isMinimized());
            break;
        case Outcome::Minimised:
            QVERIFY(start && start->isMinimized());
            break;
        case Outcome::AboutOver:
            QVERIFY(topLevel(QStringLiteral("frmAbout"))->isVisible());
            QVERIFY(start && !start->isEnabled());
            break;
        case Outcome::RulesOver:
            QVERIFY(topLevel(QStringLiteral("frm_rules"))->isVisible());
            QVERIFY(start && !start->isEnabled());
            break;
        case Outcome::LifelineOver:
            QVERIFY(start && start->isHidden());
            QVERIFY((topLevel(QStringLiteral("frm_zal")) && topLevel(QStringLiteral("frm_zal"))->isVisible())
                    || (topLevel(QStringLiteral("frm_friend")) && topLevel(QStringLiteral("frm_friend"))->isVisible()));
            break;
        }
    }

    // The time runs out while a confirmation box is open: the box is answered "Нет" by the
    // time-out, and its answer does not act on the game that has ended.
    void aTimeOutAnswersTheOpenBox_data()
    {
        QTest::addColumn<QString>("box");
        QTest::newRow("Взять деньги?") << QStringLiteral("cmd_money");
        QTest::newRow("Выход из игры") << QStringLiteral("cmd_exit");
        QTest::newRow("Выход в главное меню") << QStringLiteral("mnu_mmenu");
    }
    void aTimeOutAnswersTheOpenBox()
    {
        QFETCH(QString, box);
        startGame();
        answer(true); // the second question, where the money is offered
        QVERIFY(game->findChild<QTimer *>(QStringLiteral("tmr_time"))->isActive());
        // The player answers "Да" — but only after the clock has run out under the box.
        f.dialogs->yesNoAnswers = {true};
        f.dialogs->whileOpen = [this](const DialogCall &call) {
            if (call.kind != DialogCall::Kind::YesNo)
                return;
            f.dialogs->whileOpen = nullptr;
            letTheClockRun();
        };
        fromEventLoop([&] {
            if (box == QLatin1String("mnu_mmenu"))
                menuChoice(game, "mnu_mmenu", false);
            else
                click(game, qPrintable(box));
        });
        QWidget *money = topLevel(QStringLiteral("frm_money"));
        QVERIFY(money && money->isVisible());
        QCOMPARE(money->findChild<QLabel *>(QStringLiteral("lbl_words"))->text().left(23),
                 QStringLiteral("Вам не хватило времени?"));
        QVERIFY(!game->isVisible());
        QVERIFY(topLevel(QStringLiteral("frm_game"))); // not returned to the main menu
        QCOMPARE(f.dialogs->calls.back().kind, DialogCall::Kind::YesNo); // no farewell, no second take
        QCOMPARE(money->property("c").toInt(), 0);
    }

    // The same with the real message box: the time-out closes it, so the took-the-money window
    // is the one window left and takes clicks.
    void aTimeOutClosesTheRealMessageBox()
    {
        startGame();
        answer(true);
        install(std::unique_ptr<Dialogs>()); // the program's own boxes from here on
        bool boxWasOpen = false;
        // Played from inside the box's own event loop, once it is open: the tick after the one
        // that showed 0.
        const auto underTheBox = [this, &boxWasOpen] {
            boxWasOpen = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()) != nullptr;
            game->findChild<gaugekit::Fillgauge *>(QStringLiteral("PrB_Time"))->setProperty("Value", 0.0);
            fire(game, "tmr_time");
        };
        // A box left open is answered "Да" after three seconds, as a player finally would.
        QTimer stale;
        stale.setSingleShot(true);
        connect(&stale, &QTimer::timeout, this, [] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                box->done(QMessageBox::Yes);
        });
        stale.start(3000);
        QElapsedTimer clock;
        clock.start();
        fromEventLoop([&] {
            QTimer::singleShot(0, this, underTheBox);
            click(game, "cmd_money"); // returns once its box is closed
        });
        QVERIFY(boxWasOpen);
        QVERIFY2(clock.elapsed() < 2000, "the box stayed open after the time-out");
        QVERIFY(!QApplication::activeModalWidget());
        QWidget *money = topLevel(QStringLiteral("frm_money"));
        QVERIFY(money && money->isVisible());
        QVERIFY(!game->isVisible());
        QCOMPARE(money->findChild<QLabel *>(QStringLiteral("lbl_summa"))->text(), QStringLiteral("100 рублей"));
        // The window takes clicks: a try starts.
        QTest::mouseClick(money->findChild<QWidget *>(QStringLiteral("lbl_B")), Qt::LeftButton);
        QCOMPARE(money->property("c").toInt(), 1);
    }

    void aTimeOutClosesTheWindowsOpenedFromTheGame_data()
    {
        QTest::addColumn<QString>("opened");
        QTest::newRow("F1, rules") << QStringLiteral("frm_rules");
        QTest::newRow("F12, About") << QStringLiteral("frmAbout");
        QTest::newRow("cheat entry") << QStringLiteral("frm_cheat");
    }
    void aTimeOutClosesTheWindowsOpenedFromTheGame()
    {
        QFETCH(QString, opened);
        startGame();
        if (opened == QLatin1String("frm_rules"))
            QTest::keyClick(game, Qt::Key_F1);
        else if (opened == QLatin1String("frmAbout"))
            QTest::keyClick(game, Qt::Key_F12);
        else
            QTest::mouseClick(child(game, "lbl_cheat"), Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier);
        QVERIFY(topLevel(opened)->isVisible());
        QVERIFY(!game->isEnabled());
        fromEventLoop([&] {
            letTheClockRun();
        });
        QVERIFY(topLevel(QStringLiteral("frm_money"))->isVisible());
        int shown = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            shown += w->isVisible() ? 1 : 0;
        QCOMPARE(shown, 1);
        QVERIFY(!topLevel(opened) || !topLevel(opened)->isVisible());
        if (QWidget *cheat = topLevel(QStringLiteral("frm_cheat")))
            QVERIFY(!cheat->findChild<QTimer *>(QStringLiteral("tmr_clear"))->isActive());
    }

    // The code that kills the limit stops the clock before its message: however long the player
    // reads it, the question is not lost to the time.
    void killingTheLimitStopsTheClockBeforeTheMessage()
    {
        startGame();
        QTest::mouseClick(child(game, "lbl_cheat"), Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier);
        QWidget *cheat = topLevel(QStringLiteral("frm_cheat"));
        QTest::keyClicks(child(cheat, "txt_cheat"), QStringLiteral("let the clocks sleep now"));
        f.dialogs->whileOpen = [this](const DialogCall &) {
            letTheClockRun(); // half a minute of reading
        };
        fromEventLoop([&] { QTest::keyClick(child(cheat, "txt_cheat"), Qt::Key_Return); });
        QCOMPARE(f.dialogs->calls.back().text, QStringLiteral("Твое счастье!\r\nYou have killed the limit"));
        QVERIFY(game->isVisible());
        QVERIFY(!topLevel(QStringLiteral("frm_money")) || !topLevel(QStringLiteral("frm_money"))->isVisible());
        QCOMPARE(game->findChild<QLabel *>(QStringLiteral("lbl_Time"))->text(), QStringLiteral("30"));
    }

    // 50 : 50 pressed with the keyboard: its button goes, and the focus does not land on another
    // lifeline, which the next Space would spend.
    void fiftyFiftyByKeyLeavesNoLifelineFocused()
    {
        startGame();
        QWidget *fifty = child(game, "cmd_50");
        game->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(game));
        fifty->setFocus();
        QVERIFY(fifty->hasFocus());
        f.random->values = {0.1, 0.4, 0.6, 0.9, 0.1, 0.4, 0.6, 0.9}; // two different wrong answers
        fromEventLoop([&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); });
        QCOMPARE(game->fi, 1);
        QVERIFY(fifty->isHidden());
        QWidget *focus = QApplication::focusWidget();
        QVERIFY(focus != child(game, "cmd_Zal") && focus != child(game, "cmd_Friend"));
        fromEventLoop([&] {
            if (QWidget *w = QApplication::focusWidget())
                QTest::keyClick(w, Qt::Key_Space);
        });
        QCOMPARE(game->z, 0);
        QCOMPARE(game->fr, 0);
        QVERIFY(game->isVisible());
    }
};

KARV_TEST(WaysOutTest)
#include "test_waysout.moc"
