#pragma once
// A game started from the main menu for the lifeline windows' tests, with the helpers they share.
#include <QAbstractButton>
#include <QTest>
#include <QTimer>

#include "app/services.h"
#include "app/ui.h"
#include "app/widgets.h"
#include "game/gamewindow.h"
#include "tests/support/fakes.h"

namespace karv::test {

// The u that makes floor(k * u) come out as `value`.
inline double pick(int value, int k) { return (value + 0.5) / k; }

class LifelineGame {
public:
    Fakes f{};
    GameWindow *game = nullptr;

    // Settings line as stored: "11111" all on, "01111" without the time limit.
    bool start(const QByteArray &settings = "11111")
    {
        f = installFakes();
        f.dialogs->inputAnswers.push_back(QStringLiteral("Игрок"));
        writeDataFile(QStringLiteral("karv20s.inf"), settings + "\r\n");
        if (!Main())
            return false;
        topLevel(QStringLiteral("frm_start"))->findChild<QAbstractButton *>(QStringLiteral("cmd_start"))->click();
        game = qobject_cast<GameWindow *>(topLevel(QStringLiteral("frm_game")));
        return game != nullptr;
    }

    QAbstractButton *button(QWidget *w, const char *name) const
    {
        return w->findChild<QAbstractButton *>(QLatin1String(name));
    }
    QWidget *control(QWidget *w, const char *name) const { return w->findChild<QWidget *>(QLatin1String(name)); }
    Label *label(QWidget *w, const char *name) const { return w->findChild<Label *>(QLatin1String(name)); }
    Shape *shape(QWidget *w, const char *name) const { return w->findChild<Shape *>(QLatin1String(name)); }
    QTimer *clock() const { return game->findChild<QTimer *>(QStringLiteral("tmr_time")); }

    // Uses the fifty-fifty on the question on screen, removing the answers a and b.
    void fiftyFifty(int a, int b)
    {
        f.random->values = {pick(a - 1, 4), pick(b - 1, 4)};
        button(game, "cmd_50")->click();
    }

    // Answers the question on screen rightly and runs the verdict and the advance.
    void answerRightly()
    {
        const int noq = game->noq;
        QMetaObject::invokeMethod(game, qPrintable(QStringLiteral("lbl_%1_Click").arg(QChar(u'A' + game->rt - 1))));
        for (int step = 0; step < 10 && game->noq == noq; ++step)
            fire(game, qPrintable(activeTimer(game)));
    }
};

} // namespace karv::test
