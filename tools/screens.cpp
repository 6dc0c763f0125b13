// Renders the game's windows in chosen states to PNG files, so the README shows what a player
// sees. It plays through the same public procedures and timers the game uses; only the
// generator and the dialogs are scripted.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QTimer>

#include <deque>

#include "app/services.h"
#include "app/start.h"
#include "app/windows.h"
#include "app/widgets.h"
#include "controls/balloontip.h"
#include "controls/tooltipex.h"
#include "game/gamewindow.h"
#include "gauge/fillgauge.h"

using namespace karv;

namespace {

class FixedRandom : public Random {
public:
    std::deque<double> values;
    double next() override
    {
        if (values.empty())
            return 0.37;
        const double v = values.front();
        values.pop_front();
        return v;
    }
    void seedFromClock() override {}
};

class QuietDialogs : public Dialogs {
public:
    QString name = QStringLiteral("Анна"); // what the player types into the name prompt
    void message(QWidget *, MessageIcon, const QString &, const QString &) override {}
    bool askYesNo(QWidget *, MessageIcon, const QString &, const QString &) override { return true; }
    QString input(QWidget *, const QString &, const QString &, const QString &) override { return name; }
};

QString outDir;

QWidget *top(const char *name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(name))
            return w;
    return nullptr;
}

void fire(QWidget *w, const char *timer)
{
    if (QTimer *t = w->findChild<QTimer *>(QLatin1String(timer)))
        QMetaObject::invokeMethod(t, "timeout");
}

QString active(QWidget *w)
{
    for (QTimer *t : w->findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly))
        if (t->isActive() && t->objectName() != QLatin1String("tmr_CTime") && t->objectName() != QLatin1String("tmr_time"))
            return t->objectName();
    return {};
}

void shot(QWidget *w, const QString &name)
{
    QApplication::processEvents();
    w->grab().save(outDir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// A window with a pop-up (menu, balloon) drawn over it where the pop-up stands on screen.
void shotWith(QWidget *w, QWidget *popup, const QString &name)
{
    QApplication::processEvents();
    QPixmap base = w->grab();
    const QPoint at = popup->pos() - w->pos();
    QRect area = QRect(QPoint(0, 0), base.size()).united(QRect(at, popup->size()));
    QPixmap all(area.size());
    all.fill(QColor(40, 40, 40));
    QPainter p(&all);
    p.drawPixmap(-area.topLeft(), base);
    p.drawPixmap(at - area.topLeft(), popup->grab());
    p.end();
    all.save(outDir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

GameWindow *newGame()
{
    top("frm_start")->findChild<QAbstractButton *>(QStringLiteral("cmd_start"))->click();
    return qobject_cast<GameWindow *>(top("frm_game"));
}

void answer(GameWindow *game, bool right)
{
    const int k = right ? game->rt : game->rt % 4 + 1;
    QMetaObject::invokeMethod(game, QString(QStringLiteral("lbl_%1_Click")).arg(QChar('A' + k - 1)).toLatin1().constData());
    for (int i = 0; i < 7; ++i) {
        const QString t = active(game);
        if (t.isEmpty())
            break;
        fire(game, qPrintable(t));
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(outDir);
    auto random = std::make_unique<FixedRandom>();
    FixedRandom *r = random.get();
    install(std::move(random));
    auto quiet = std::make_unique<QuietDialogs>();
    QuietDialogs *dialogs = quiet.get();
    install(std::move(quiet));
    if (!Main())
        return 1;
    shot(top("frm_start"), QStringLiteral("start"));
    {
        QWidget *menu = top("frm_start");
        auto *tips = menu->findChild<ToolTipEx *>();
        auto *button = menu->findChild<QWidget *>(QStringLiteral("cmd_start"));
        if (tips && tips->tipWindow()) {
            tips->tipWindow()->popUp(button, button->mapToGlobal(QPoint(button->width() / 2, button->height())));
            shotWith(menu, tips->tipWindow(), QStringLiteral("balloon"));
            tips->tipWindow()->dismiss();
        }
    }

    // The options window, then the unlock challenge a second into its countdown, with the
    // digits typed at once going into the answer box.
    if (QWidget *menu = top("frm_start")) {
        menu->findChild<QAbstractButton *>(QStringLiteral("cmd_options"))->click();
        QWidget *options = top("frm_options");
        shot(options, QStringLiteral("options"));
        options->findChild<QAbstractButton *>(QStringLiteral("chk_time"))->click();
        if (QWidget *unlock = top("frm_Unlock")) {
            r->values = {0.57, 0.7};
            unlock->findChild<QAbstractButton *>(QStringLiteral("cmd_GO"))->click();
            for (int i = 0; i < 30; ++i)
                fire(unlock, "tmr1");
            for (const char digit : {'1', '2', '3'}) {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_0 + (digit - '0'), Qt::NoModifier, QString(QLatin1Char(digit)));
                if (QWidget *typed = unlock->focusWidget())
                    QApplication::sendEvent(typed, &press);
            }
            shot(unlock, QStringLiteral("unlock"));
            for (int i = 0; i < 45 && top("frm_Unlock"); ++i)
                fire(unlock, "tmr1"); // a wrong sum: the time limit stays on for the games below
        }
        options->findChild<QAbstractButton *>(QStringLiteral("cmd_OK"))->click();
        menu->findChild<QAbstractButton *>(QStringLiteral("cmd_about"))->click();
        if (QWidget *about = top("frmAbout")) {
            shot(about, QStringLiteral("about"));
            about->findChild<QAbstractButton *>(QStringLiteral("cmdOK"))->click();
        }
    }

    // A name too long for its frame goes under it, shrunk and cut short clear of the words beside it.
    dialogs->name = QStringLiteral("Анна-Мария Константиновна Римская-Корсакова-Оболенская");
    GameWindow *game = newGame();
    shot(game, QStringLiteral("long-name"));
    backToMainMenu(game);
    dialogs->name = QStringLiteral("Анна");

    r->values = {0.05};
    game = newGame();
    shot(game, QStringLiteral("game"));
    if (QWidget *cheat = karv::window(QStringLiteral("frm_cheat"))) {
        QMetaObject::invokeMethod(cheat, "summon");
        shot(cheat, QStringLiteral("cheat"));
        QMetaObject::invokeMethod(cheat, "enter");
    }
    for (int i = 0; i < 10; ++i)
        fire(game, "tmr_time");
    shot(game, QStringLiteral("clock-warning"));
    for (int i = 0; i < 10; ++i)
        fire(game, "tmr_time");
    shot(game, QStringLiteral("clock-urgent"));
    game->StartQuestionClock(30);

    // Seven right answers, then the eighth question with some time gone.
    for (int i = 0; i < 7; ++i)
        answer(game, true);
    for (int i = 0; i < 17; ++i)
        fire(game, "tmr_time");
    shot(game, QStringLiteral("ladder"));
    game->gameMenu()->popup(game->mapToGlobal(QPoint(60, 380)));
    shotWith(game, game->gameMenu(), QStringLiteral("menu"));
    game->gameMenu()->hide();

    // The hall's answer on the eighth question.
    game->findChild<QAbstractButton *>(QStringLiteral("cmd_Zal"))->click();
    if (QWidget *zal = top("frm_zal")) {
        fire(zal, "tmr_wait");
        for (int i = 0; i < 50; ++i)
            fire(zal, "tmr_prb");
        shot(zal, QStringLiteral("zal"));
        zal->findChild<QAbstractButton *>(QStringLiteral("cmd_OK"))->click();
    }

    // A wrong answer on the eighth question.
    game->lbl_A_Click();
    fire(game, qPrintable(active(game)));
    shot(game, QStringLiteral("verdict-wrong"));
    answer(game, false);
    if (QWidget *end = top("frm_end"))
        shot(end, QStringLiteral("end"));
    QMetaObject::invokeMethod(top("frm_end"), "goToMainMenu");

    // Taking the money on the third question, then a wrong try.
    game = newGame();
    answer(game, true);
    answer(game, true);
    game->findChild<QAbstractButton *>(QStringLiteral("cmd_money"))->click();
    QWidget *money = top("frm_money");
    const int wrong = game->rt % 4 + 1;
    QMetaObject::invokeMethod(money, "tryAnswer", Q_ARG(int, wrong));
    for (int i = 0; i < 3; ++i)
        fire(money, qPrintable(active(money)));
    shot(money, QStringLiteral("money-try"));
    for (int i = 0; i < 4; ++i)
        fire(money, qPrintable(active(money)));
    shot(money, QStringLiteral("money"));
    QMetaObject::invokeMethod(money, "goToMainMenu");

    // The top prize.
    game = newGame();
    for (int i = 0; i < 15; ++i)
        answer(game, true);
    if (QWidget *win = top("frm_win"))
        shot(win, QStringLiteral("win"));
    QuitGame();
    return 0;
}
