// Runs each animation chain on real timers and prints its length against the nominal one,
// then the time to load the fifteen question banks.
//   QT_QPA_PLATFORM=offscreen bench_timing
#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

#include <cstdio>
#include <functional>

#include "app/services.h"
#include "game/gamewindow.h"
#include "questions/questionbank.h"

using namespace karv;

namespace {
class QuietDialogs : public Dialogs {
public:
    void message(QWidget *, MessageIcon, const QString &, const QString &) override {}
    bool askYesNo(QWidget *, MessageIcon, const QString &, const QString &) override { return true; }
    QString input(QWidget *, const QString &, const QString &, const QString &) override { return QStringLiteral("Тест"); }
};

QWidget *top(const char *name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(name))
            return w;
    return nullptr;
}

// Milliseconds from `start()` until `done()` holds, checked every millisecond.
double measure(const std::function<void()> &start, const std::function<bool()> &done)
{
    QElapsedTimer clock;
    QEventLoop loop;
    QTimer poll;
    poll.setTimerType(Qt::PreciseTimer);
    poll.setInterval(1);
    double result = -1;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (done()) {
            result = clock.nsecsElapsed() / 1e6;
            loop.quit();
        }
    });
    clock.start();
    start();
    poll.start();
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    loop.exec();
    return result;
}

int failures = 0;
void report(const char *what, double ms, double nominal)
{
    const double off = 100.0 * (ms - nominal) / nominal;
    const bool ok = ms >= 0 && std::abs(off) <= 2.0;
    failures += ok ? 0 : 1;
    std::printf("%-40s %8.1f ms  nominal %6.0f ms  %+5.2f %%  %s\n", what, ms, nominal, off, ok ? "ok" : "OFF");
}

GameWindow *newGame()
{
    top("frm_start")->findChild<QAbstractButton *>(QStringLiteral("cmd_start"))->click();
    return qobject_cast<GameWindow *>(top("frm_game"));
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("karv20-bench"));
    install(std::make_unique<QuietDialogs>());

    QElapsedTimer load;
    load.start();
    const QStringList errors = QuestionBank::loadAll();
    std::printf("%-40s %8.2f ms  (807 questions%s)\n", "loading the question bank", load.nsecsElapsed() / 1e6,
                errors.isEmpty() ? "" : ", with errors");

    if (!Main())
        return 1;
    GameWindow *game = newGame();
    report("right answer, band 1, to the next question",
           measure([&] { QMetaObject::invokeMethod(game, QString(QStringLiteral("lbl_%1_Click")).arg(QChar('A' + game->rt - 1)).toLatin1().constData()); },
                   [&] { return game->noq == 200; }),
           5800);

    if (QWidget *zal = karv::window(QStringLiteral("frm_zal"))) {
        QWidget *ok = zal->findChild<QWidget *>(QStringLiteral("cmd_OK"));
        report("audience: wait and growing bars", measure([&] { game->askTheAudience(); }, [&] { return ok->isVisible(); }),
               1000 + 50 * 25);
        QMetaObject::invokeMethod(ok, "click");
    }
    if (QWidget *phone = karv::window(QStringLiteral("frm_friend"))) {
        game->phoneAFriend();
        phone->findChild<QAbstractButton *>(QStringLiteral("opt_5"))->click();
        QWidget *ok = phone->findChild<QWidget *>(QStringLiteral("cmd_OK"));
        report("friend: dialling",
               measure([&] { phone->findChild<QAbstractButton *>(QStringLiteral("cmd_call"))->click(); },
                       [&] { return ok->isVisible(); }),
               100 * 10);
        QMetaObject::invokeMethod(ok, "click");
    }
    if (QWidget *unlock = karv::window(QStringLiteral("frm_Unlock"))) {
        unlock->show();
        // The challenge unloads itself once it has judged the answer.
        QPointer<QTimer> tick = unlock->findChild<QTimer *>(QStringLiteral("tmr1"));
        bool started = false;
        report("unlock challenge: countdown",
               measure([&] { unlock->findChild<QAbstractButton *>(QStringLiteral("cmd_GO"))->click(); started = true; },
                       [&] { return started && !(tick && tick->isActive()); }),
               75 * 35);
    }
    QuitGame();
    return failures == 0 ? 0 : 1;
}
