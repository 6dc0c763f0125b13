// Whole games played by firing the timers: the verdicts, the ladder, the three endings.
#include <QAbstractButton>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include "app/services.h"
#include "app/widgets.h"
#include "game/gamerules.h"
#include "game/gamewindow.h"
#include "gauge/fillgauge.h"
#include "lifelines/lifelinerules.h"
#include "tests/support/fakes.h"
#include "tests/support/testmain.h"

using namespace karv;
using namespace karv::test;

namespace {
const char *const answerNames[4] = {"lbl_A", "lbl_B", "lbl_C", "lbl_D"};
const char *const ladderNames[15] = {"lbl_100", "lbl_200", "lbl_300",  "lbl_500",  "lbl_1k",
                                     "lbl_2k",  "lbl_4k",  "lbl_8k",   "lbl_16k",  "lbl_32k",
                                     "lbl_64k", "lbl_125k", "lbl_250k", "lbl_500k", "lbl_1kk"};
const QColor lightOrange(255, 192, 128), lightCyan(128, 255, 255), red(255, 0, 0), black(0, 0, 0);
} // namespace

class FlowTest : public QObject {
    Q_OBJECT
    Fakes f{};
    GameWindow *game = nullptr;

    void startGame()
    {
        game = startNewGame();
        QVERIFY(game);
    }
    Label *label(QWidget *w, const char *name) { return w->findChild<Label *>(QLatin1String(name)); }
    Shape *shape(QWidget *w, const char *name) { return w->findChild<Shape *>(QLatin1String(name)); }
    // Answers the question on screen, rightly or wrongly, and runs the verdict up to its last step.
    // Returns the sum of the intervals that ran.
    int answer(bool right)
    {
        const int rt = game->rt;
        const int k = right ? rt : rt % 4 + 1;
        QTest::mouseClick(label(game, answerNames[k - 1]), Qt::LeftButton);
        int total = 0;
        for (int step = 0; step < 6; ++step) {
            const QString t = activeTimer(game);
            if (t.isEmpty())
                break;
            total += game->findChild<QTimer *>(t)->interval();
            fire(game, qPrintable(t));
            if (t == QLatin1String("tmr_R_OZ5") || t == QLatin1String("tmr_W"))
                break;
        }
        return total;
    }

private slots:
    void init()
    {
        f = installFakes();
        f.dialogs->inputAnswers.push_back(QStringLiteral("Игрок"));
    }
    void cleanup() { QuitGame(); }

    // Every step starts silver on black, the guaranteed sums and the top step included: only
    // their own bold face sets those three apart, before and after they are passed.
    void everyStepStartsSilverOnBlack()
    {
        startGame();
        const QColor silver(192, 192, 192);
        for (int level = 2; level <= 15; ++level) {
            Label *step = label(game, ladderNames[level - 1]);
            QCOMPARE(step->backColor(), black);
            QCOMPARE(step->foreColor(), silver);
            const bool guaranteedOrTop = level == 5 || level == 10 || level == 15;
            QVERIFY(step->font().bold());
            QCOMPARE(step->font() != label(game, "lbl_200")->font(), guaranteedOrTop);
        }
        const QImage before = label(game, "lbl_1k")->grab().toImage();
        for (int level = 1; level <= 5; ++level) {
            answer(true);
            fire(game, qPrintable(activeTimer(game)));
        }
        QCOMPARE(label(game, "lbl_1k")->foreColor(), silver);
        QCOMPARE(label(game, "lbl_1k")->grab().toImage(), before); // passed, it looks as it did at the start
    }

    void aGameClimbsTheWholeLadderToTheWin()
    {
        startGame();
        for (int level = 1; level <= 14; ++level) {
            QCOMPARE(answer(true), 2000 + 4 * 200 + (level <= 5 ? 0 : level <= 10 ? 1500 : 3000));
            const AdvanceRow &row = advances[size_t(level - 1)];
            QCOMPARE(activeTimer(game), QLatin1String(row.timer));
            QCOMPARE(label(game, ladderNames[level - 1])->backColor(), lightCyan);
            fire(game, row.timer);
            QCOMPARE(game->noq, row.noq);
            QCOMPARE(game->money, row.money);
            QCOMPARE(game->sMoney, QString::fromUtf8(row.sMoney));
            QCOMPARE(game->summa, level >= 10 ? 32000 : level >= 5 ? 1000 : 0);
            QCOMPARE(label(game, "lbl_Qu")->text(), QString::fromUtf8(row.qu));
            QCOMPARE(label(game, "lbl_Zar")->text(), QString::fromUtf8(row.zar));
            QCOMPARE(label(game, "lbl_ost")->text(), QString::fromUtf8(row.ost));
            QCOMPARE(label(game, "lbl_lose")->text(), QString::fromUtf8(row.lose));
            QCOMPARE(label(game, ladderNames[level - 1])->backColor(), black);
            QCOMPARE(label(game, ladderNames[level - 1])->foreColor(), QColor(192, 192, 192));
            QCOMPARE(label(game, ladderNames[level])->backColor(), lightOrange);
            QCOMPARE(game->timeBar()->property("Max").toDouble(), double(row.limit));
            QCOMPARE(activeTimer(game), QStringLiteral("tmr_time"));
            QCOMPARE(game->c, 0);
            QVERIFY(game->findChild<QWidget *>(QStringLiteral("cmd_money"))->isVisible() == (level != 5 && level != 10));
        }
        QCOMPARE(answer(true), 7000 + 800);
        QCOMPARE(activeTimer(game), QStringLiteral("tmr_1mToWin"));
        QCOMPARE(game->findChild<QTimer *>(QStringLiteral("tmr_1mToWin"))->interval(), 3000);
        fire(game, "tmr_1mToWin");
        QVERIFY(!game->isVisible());
        QVERIFY(topLevel(QStringLiteral("frm_win"))->isVisible());
        QCOMPARE(readDataFile(QStringLiteral("karv20win.inf")), QByteArray("1\r\n"));
    }

    void aWrongAnswerKeepsTheGuaranteedSum_data()
    {
        QTest::addColumn<int>("rightAnswers");
        QTest::addColumn<QString>("prize");
        QTest::addColumn<int>("kept"); // ladder step marked as kept, 0 for none
        QTest::newRow("first question") << 0 << "Выигрыш: 0 руб." << 0;
        QTest::newRow("fifth question") << 4 << "Выигрыш: 0 руб." << 0;
        QTest::newRow("sixth question") << 5 << "Выигрыш: 1 000 руб." << 5;
        QTest::newRow("tenth question") << 9 << "Выигрыш: 1 000 руб." << 5;
        QTest::newRow("eleventh question") << 10 << "Выигрыш: 32 000 руб." << 10;
        QTest::newRow("last question") << 14 << "Выигрыш: 32 000 руб." << 10;
    }
    void aWrongAnswerKeepsTheGuaranteedSum()
    {
        QFETCH(int, rightAnswers);
        QFETCH(QString, prize);
        QFETCH(int, kept);
        startGame();
        for (int level = 1; level <= rightAnswers; ++level) {
            answer(true);
            fire(game, advances[size_t(level - 1)].timer);
        }
        const int band = difficultyClass(game->noq);
        QCOMPARE(answer(false), 2000 + 800 + 3000 + (band == 1 ? 0 : band == 2 ? 1500 : band == 3 ? 3000 : 5000));
        QCOMPARE(label(game, ladderNames[rightAnswers])->backColor(), red);
        if (kept) {
            QCOMPARE(label(game, ladderNames[kept - 1])->backColor(), lightCyan);
            QCOMPARE(label(game, ladderNames[kept - 1])->foreColor(), black);
        }
        QWidget *end = topLevel(QStringLiteral("frm_end"));
        QVERIFY(end && end->isVisible());
        QVERIFY(!game->isVisible());
        QCOMPARE(label(end, "lbl_money")->text(), prize);
    }

    void theWrongVerdictBlinksTheRightAnswer()
    {
        startGame();
        game->rt = 2;
        game->lbl_A_Click();
        const QColor green(0, 255, 0), neutral(128, 128, 255), orange(255, 128, 0);
        const QList<QColor> expected = {green, neutral, green, neutral, green};
        for (const QColor &c : expected) {
            fire(game, qPrintable(activeTimer(game)));
            QCOMPARE(shape(game, "shp_B")->fillColor(), c);
            QCOMPARE(shape(game, "shp_A")->fillColor(), orange);
        }
        QCOMPARE(activeTimer(game), QStringLiteral("tmr_W"));
    }

    void takingTheMoneyOnTheFirstQuestionPaysNothing()
    {
        startGame();
        auto *take = game->findChild<QAbstractButton *>(QStringLiteral("cmd_money"));
        f.dialogs->yesNoAnswers = {false};
        take->click();
        QVERIFY(game->isVisible());
        QCOMPARE(f.dialogs->calls.back().text, QStringLiteral("Вы действительно хотите прекратить игру и взять 0 рублей?"));
        QCOMPARE(f.dialogs->calls.back().title, QStringLiteral("Взять деньги?"));
        f.dialogs->yesNoAnswers = {true};
        take->click();
        QWidget *money = topLevel(QStringLiteral("frm_money"));
        QVERIFY(money && money->isVisible());
        QVERIFY(!game->isVisible());
        QVERIFY(!game->findChild<QTimer *>(QStringLiteral("tmr_time"))->isActive());
        QCOMPARE(label(money, "lbl_summa")->text(), QStringLiteral("0 рублей"));
        QCOMPARE(label(money, "lbl_Question")->text(), label(game, "lbl_Question")->text());
    }

    void triesOnTheTookTheMoneyWindow_data()
    {
        QTest::addColumn<bool>("right");
        QTest::newRow("right try") << true;
        QTest::newRow("wrong try") << false;
    }
    void triesOnTheTookTheMoneyWindow()
    {
        QFETCH(bool, right);
        startGame();
        answer(true);
        fire(game, "tmr_01to02");
        game->rt = 3;
        game->findChild<QWidget *>(QStringLiteral("lbl_A"))->hide(); // as a fifty-fifty leaves it
        game->findChild<QWidget *>(QStringLiteral("lbl_B"))->hide();
        f.dialogs->yesNoAnswers = {true};
        game->findChild<QAbstractButton *>(QStringLiteral("cmd_money"))->click();
        QWidget *money = topLevel(QStringLiteral("frm_money"));
        QCOMPARE(label(money, "lbl_summa")->text(), QStringLiteral("100 рублей"));
        QVERIFY(!label(money, "lbl_A")->isVisible());
        QVERIFY(!label(money, "lbl_B")->isVisible());

        QTest::mouseClick(label(money, right ? "lbl_C" : "lbl_D"), Qt::LeftButton);
        const QColor green(0, 255, 0), orange(255, 128, 0), neutral(128, 128, 255);
        QCOMPARE(shape(money, right ? "shp_C" : "shp_D")->fillColor(), orange);
        const QList<QColor> looks = right ? QList<QColor>{green, orange, green, orange, green}
                                          : QList<QColor>{green, neutral, green, neutral, green};
        const QList<int> waits = {2000, 250, 250, 250, 250};
        for (int i = 0; i < 5; ++i) {
            const QString t = activeTimer(money);
            QCOMPARE(money->findChild<QTimer *>(t)->interval(), waits[i]);
            fire(money, qPrintable(t));
            QCOMPARE(shape(money, "shp_C")->fillColor(), looks[i]);
            if (!right)
                QCOMPARE(shape(money, "shp_D")->fillColor(), orange);
            // A second click, during the blink, is ignored.
            QTest::mouseClick(label(money, right ? "lbl_D" : "lbl_C"), Qt::LeftButton);
        }
        QCOMPARE(activeTimer(money), right ? QStringLiteral("tmr_R") : QStringLiteral("tmr_W"));
        QVERIFY(!money->findChild<QWidget *>(QStringLiteral("cmd_main"))->isVisible());
        fire(money, right ? "tmr_R" : "tmr_W");
        QVERIFY(label(money, right ? "lbl_r" : "lbl_W")->isVisible());
        QVERIFY(!label(money, right ? "lbl_W" : "lbl_r")->isVisible());
        for (const char *name : {"cmd_main", "cmd_about", "cmd_exit"})
            QVERIFY(money->findChild<QWidget *>(QLatin1String(name))->isVisible());
        QCOMPARE(activeTimer(money), QString());
    }

    void theMainMenuCommandStartsAfresh()
    {
        startGame();
        answer(false);
        QWidget *end = topLevel(QStringLiteral("frm_end"));
        QPointer<QWidget> oldGame = game;
        QPointer<QWidget> oldMenu = topLevel(QStringLiteral("frm_start"));
        QPointer<QWidget> options = topLevel(QStringLiteral("frm_options"));
        QTest::mouseClick(end->findChild<QWidget *>(QStringLiteral("lbl_main")), Qt::LeftButton);
        QVERIFY(!oldGame);
        QVERIFY(!oldMenu);
        QVERIFY(options);
        QVERIFY(!topLevel(QStringLiteral("frm_end")));
        QVERIFY(!topLevel(QStringLiteral("frm_game")));
        QVERIFY(topLevel(QStringLiteral("frm_start"))->isVisible());
        QCOMPARE(f.desktop->count(QStringLiteral("restoreStartButton")), 1);
    }

    void theEndCommandsLightUnderThePointer()
    {
        startGame();
        answer(false);
        QWidget *end = topLevel(QStringLiteral("frm_end"));
        QTest::mouseMove(end->findChild<QWidget *>(QStringLiteral("lbl_exit_C")));
        QCOMPARE(label(end, "lbl_exit")->foreColor(), black);
        QCOMPARE(shape(end, "shp_exit")->fillColor(), red);
        QCOMPARE(shape(end, "shp_exit")->borderColor(), QColor(255, 255, 0));
        QCOMPARE(label(end, "lbl_main")->foreColor(), QColor(0, 0, 255));
        QTest::mouseMove(end, QPoint(5, 5));
        QCOMPARE(label(end, "lbl_exit")->foreColor(), QColor(0, 0, 255));
        QCOMPARE(shape(end, "shp_exit")->fillColor(), QColor(255, 255, 128));
    }

    void leavingFromAnEndWindowAsksFirst()
    {
        startGame();
        answer(false);
        QWidget *end = topLevel(QStringLiteral("frm_end"));
        f.dialogs->yesNoAnswers = {false};
        QTest::mouseClick(end->findChild<QWidget *>(QStringLiteral("lbl_exit_C")), Qt::LeftButton);
        QCOMPARE(f.dialogs->calls.back().title, QStringLiteral("Выход"));
        QCOMPARE(f.dialogs->calls.back().text, QStringLiteral("Вы действительно хотите выйти из игры?"));
        QVERIFY(end->isVisible());
        f.dialogs->yesNoAnswers = {true};
        QTest::mouseClick(end->findChild<QWidget *>(QStringLiteral("lbl_exit_C")), Qt::LeftButton);
        QCOMPARE(f.dialogs->calls.back().text, QStringLiteral("До скорых встреч!"));
        QVERIFY(!topLevel(QStringLiteral("frm_end")));
        QVERIFY(!topLevel(QStringLiteral("frm_start")));
    }

    void theWinCounterUnlocksTheCheatsOnTheThirdWin()
    {
        startGame();
        const QList<QByteArray> counts = {"1\r\n", " 2\r\n", "100\r\n", "100\r\n"};
        for (int win = 0; win < 4; ++win) {
            const int before = int(f.dialogs->calls.size());
            game->CountWins();
            QCOMPARE(readDataFile(QStringLiteral("karv20win.inf")), counts[win]);
            const bool third = win == 2;
            QCOMPARE(int(f.dialogs->calls.size()) - before, third ? 1 : 0);
            if (third) {
                QCOMPARE(f.dialogs->calls.back().title, QStringLiteral("Да прибудут чит-коды!"));
                QCOMPARE(f.dialogs->calls.back().text,
                         QStringLiteral("Вы дошли до миллиона три раза!\r\nТеперь вы можете просмотреть информацию по "
                                        "чит-кодам игры, кликнув на значок\r\nв окне ''О программе...''!"));
            }
            QCOMPARE(readDataFile(QStringLiteral("karv20ch.inf")), win >= 2 ? QByteArray("20\r\n") : QByteArray());
        }
    }
};

KARV_TEST(FlowTest)
#include "test_flow.moc"
