// The question clock: the count, its colour stages, the beep and the time-out.
#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include "app/services.h"
#include "app/widgets.h"
#include "game/gamewindow.h"
#include "gauge/fillgauge.h"
#include "tests/support/fakes.h"
#include "tests/support/testmain.h"

using namespace karv;
using namespace karv::test;

class ClockTest : public QObject {
    Q_OBJECT
    Fakes f{};
    GameWindow *game = nullptr;

    void startGame(const QByteArray &settings = "11111")
    {
        writeDataFile(QStringLiteral("karv20s.inf"), settings + "\r\n");
        game = startNewGame();
        QVERIFY(game);
    }
    Label *timeLabel() { return game->findChild<Label *>(QStringLiteral("lbl_Time")); }
    QTimer *clock() { return game->findChild<QTimer *>(QStringLiteral("tmr_time")); }
    uint flood() { return game->timeBar()->property("FloodColor").toUInt(); }
    void tick() { fire(game, "tmr_time"); }

private slots:
    void init() { f = installFakes(); }
    void cleanup() { QuitGame(); }

    void theColoursChangeAtTwoThirdsAndOneThird_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("warning");
        QTest::addColumn<int>("urgent");
        QTest::newRow("30 s") << 30 << 20 << 10;
        QTest::newRow("40 s") << 40 << 26 << 13;
        QTest::newRow("50 s") << 50 << 33 << 16;
        QTest::newRow("60 s") << 60 << 40 << 20;
    }
    void theColoursChangeAtTwoThirdsAndOneThird()
    {
        QFETCH(int, limit);
        QFETCH(int, warning);
        QFETCH(int, urgent);
        startGame();
        game->StartQuestionClock(limit);
        QCOMPARE(clock()->interval(), 1000);
        QVERIFY(clock()->isActive());
        QCOMPARE(timeLabel()->text(), QString::number(limit));
        QCOMPARE(game->timeBar()->property("Max").toDouble(), double(limit));
        for (int shown = limit - 1; shown >= 0; --shown) {
            tick();
            QCOMPARE(timeLabel()->text(), QString::number(shown));
            QCOMPARE(game->timeBar()->property("Value").toDouble(), double(shown));
            const bool isUrgent = shown <= urgent, isWarning = !isUrgent && shown <= warning;
            QCOMPARE(timeLabel()->foreColor(), isUrgent ? QColor(255, 0, 0) : isWarning ? QColor(255, 255, 0) : QColor(192, 192, 255));
            QCOMPARE(flood(), isUrgent ? 0x0000C0u : isWarning ? 0xFF0000u : 0xC00000u);
            QCOMPARE(f.desktop->count(QStringLiteral("beep")), isUrgent ? urgent - shown + 1 : 0);
        }
        QCOMPARE(game->c, 0);
        QVERIFY(game->isVisible());
    }

    void withoutTheTickSettingThereIsNoBeep()
    {
        startGame("11110");
        for (int i = 0; i < 30; ++i)
            tick();
        QCOMPARE(timeLabel()->text(), QStringLiteral("0"));
        QCOMPARE(f.desktop->count(QStringLiteral("beep")), 0);
    }

    void theTickAfterZeroTakesTheMoney()
    {
        startGame();
        game->sMoney = QStringLiteral("300");
        for (int i = 0; i < 30; ++i)
            tick();
        QVERIFY(game->isVisible());
        tick();
        QWidget *money = topLevel(QStringLiteral("frm_money"));
        QVERIFY(money && money->isVisible());
        QVERIFY(!game->isVisible());
        QVERIFY(!clock()->isActive());
        QCOMPARE(game->m, 0);
        QCOMPARE(money->findChild<QLabel *>(QStringLiteral("lbl_summa"))->text(), QStringLiteral("300 рублей"));
        QCOMPARE(money->findChild<QLabel *>(QStringLiteral("lbl_words"))->text(),
                 QStringLiteral("Вам не хватило времени?\r\nТогда в следующий раз думайте побыстрее или отключите опцию "
                                "времени на раздумье.\r\nА на этот раз вы выиграли"));
        QVERIFY(money->findChild<QLabel *>(QStringLiteral("lbl_r"))->text().startsWith(QStringLiteral("Ведь вы выбрали")));
        QVERIFY(money->findChild<QLabel *>(QStringLiteral("lbl_W"))->text().startsWith(QStringLiteral("Все-таки иногда")));
        // No question was asked: the time decided.
        for (const DialogCall &call : f.dialogs->calls)
            QVERIFY(call.title != QStringLiteral("Взять деньги?"));
    }

    void anAnswerOnTheTickThatShowsZeroStillCounts()
    {
        startGame();
        for (int i = 0; i < 30; ++i)
            tick();
        game->rt = 1;
        game->lbl_A_Click();
        QVERIFY(!clock()->isActive());
        QCOMPARE(activeTimer(game), QStringLiteral("tmr_R_OZ11"));
    }

    void hidingTheBarDoesNotPauseTheCount()
    {
        startGame();
        QAction *item = game->findChild<QAction *>(QStringLiteral("mnu_prb"));
        item->trigger();
        QCOMPARE(item->text(), QStringLiteral("Показать полосу времени"));
        QVERIFY(!game->timeBar()->isVisible());
        QVERIFY(game->findChild<QWidget *>(QStringLiteral("lbl_Time"))->isVisible());
        tick();
        QCOMPARE(timeLabel()->text(), QStringLiteral("29"));
        QVERIFY(clock()->isActive());
        item->trigger();
        QCOMPARE(item->text(), QStringLiteral("Спрятать полосу времени"));
        QVERIFY(game->timeBar()->isVisible());
    }

    void withoutTheTimeSettingNoClockShowsOrRuns()
    {
        startGame("01111");
        QVERIFY(!clock()->isActive());
        QVERIFY(!game->timeBar()->isVisible());
        QCOMPARE(game->timeBar()->property("Value").toDouble(), 30.0);
        game->rt = 1;
        game->lbl_A_Click();
        for (int i = 0; i < 6; ++i)
            fire(game, qPrintable(activeTimer(game)));
        fire(game, "tmr_01to02");
        QCOMPARE(game->noq, 200);
        QVERIFY(!clock()->isActive());
        QCOMPARE(game->timeBar()->property("Value").toDouble(), 30.0);
    }

    void theClockOfTheDayShowsTheTime()
    {
        startGame();
        QTimer *day = game->findChild<QTimer *>(QStringLiteral("tmr_CTime"));
        QVERIFY(day->isActive());
        QCOMPARE(day->interval(), 10);
        fire(game, "tmr_CTime");
        QVERIFY(QTime::fromString(game->findChild<QLabel *>(QStringLiteral("lbl_CTime"))->text(), QStringLiteral("HH:mm:ss")).isValid());
    }
};

KARV_TEST(ClockTest)
#include "test_clock.moc"
