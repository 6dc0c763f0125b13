// The first question of a game: the draw, the answer click and the preparation of the next question.
#include <QAbstractButton>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include "app/services.h"
#include "app/widgets.h"
#include "game/gamewindow.h"
#include "gauge/fillgauge.h"
#include "questions/questionbank.h"
#include "tests/support/fakes.h"
#include "tests/support/testmain.h"

using namespace karv;
using namespace karv::test;

class QuestionTest : public QObject {
    Q_OBJECT
    Fakes f{};
    GameWindow *game = nullptr;

    void startGame()
    {
        game = startNewGame();
        QVERIFY(game);
    }
    QLabel *label(const char *name) { return game->findChild<QLabel *>(QLatin1String(name)); }
    QWidget *widget(const char *name) { return game->findChild<QWidget *>(QLatin1String(name)); }
    QColor fill(const char *shape) { return game->findChild<Shape *>(QLatin1String(shape))->fillColor(); }

private slots:
    void init()
    {
        f = installFakes();
        f.dialogs->inputAnswers.push_back(QStringLiteral("Игрок"));
    }
    void cleanup() { QuitGame(); }

    void theFirstDrawCoversTheWholeBank_data()
    {
        QTest::addColumn<double>("u");
        QTest::addColumn<int>("number");
        const int n = QuestionBank::level(1).size();
        QTest::newRow("u = 0") << 0.0 << 1;
        QTest::newRow("u just below 1") << std::nextafter(1.0, 0.0) << n;
        QTest::newRow("u = 0.5") << 0.5 << n / 2 + 1;
    }
    void theFirstDrawCoversTheWholeBank()
    {
        QFETCH(double, u);
        QFETCH(int, number);
        f.random->values = {u};
        startGame();
        QCOMPARE(game->property("q100").toInt(), number);
        const QuestionRecord &r = QuestionBank::level(1).record(number);
        QCOMPARE(label("lbl_Question")->text(), r.question);
        QCOMPARE(label("lbl_A")->text(), r.answers[0]);
        QCOMPARE(label("lbl_D")->text(), r.answers[3]);
        QCOMPARE(game->property("rt").toInt(), r.right);
    }

    void theFirstQuestionStartsAFreshGame()
    {
        startGame();
        QCOMPARE(game->property("noq").toInt(), 100);
        QCOMPARE(game->property("money").toInt(), 0);
        QCOMPARE(game->property("sSumma").toString(), QStringLiteral("0"));
        QVERIFY(!widget("cmd_money")->isVisible());
        for (const char *name : {"cmd_50", "cmd_Zal", "cmd_Friend", "lbl_help", "cmd_exit", "cmd_menu", "cmd_rules"})
            QVERIFY2(widget(name)->isVisible(), name);
        auto *first = game->findChild<Label *>(QStringLiteral("lbl_100"));
        QCOMPARE(first->backColor(), QColor(255, 192, 128));
        QCOMPARE(first->foreColor(), QColor(0, 0, 0));
        QCOMPARE(game->timeBar()->property("Value").toDouble(), 30.0);
        QVERIFY(game->findChild<QTimer *>(QStringLiteral("tmr_time"))->isActive());
        QCOMPARE(label("lbl_A")->cursor().shape(), Qt::BitmapCursor);
    }

    void aClickOnAnAnswerLocksAndStartsTheVerdict_data()
    {
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("clicked");
        QTest::addColumn<QString>("timer");
        QTest::newRow("right answer") << 3 << 3 << QStringLiteral("tmr_R_OZ11");
        QTest::newRow("wrong answer") << 3 << 1 << QStringLiteral("tmr_W_OZ11");
    }
    void aClickOnAnAnswerLocksAndStartsTheVerdict()
    {
        QFETCH(int, right);
        QFETCH(int, clicked);
        QFETCH(QString, timer);
        startGame();
        game->rt = right;
        const char *names[4] = {"lbl_A", "lbl_B", "lbl_C", "lbl_D"};
        const char *shapes[4] = {"shp_A", "shp_B", "shp_C", "shp_D"};
        QTest::mouseClick(label(names[clicked - 1]), Qt::LeftButton);
        QCOMPARE(game->property("c").toInt(), 1);
        QCOMPARE(fill(shapes[clicked - 1]), QColor(255, 128, 0));
        QVERIFY(!game->findChild<QTimer *>(QStringLiteral("tmr_time"))->isActive());
        for (const char *name : {"lbl_help", "lbl_cheat", "cmd_50", "cmd_Zal", "cmd_Friend", "cmd_money", "cmd_exit",
                                 "cmd_menu", "cmd_rules"})
            QVERIFY2(!widget(name)->isVisible(), name);
        QCOMPARE(activeTimer(game), timer);
        QCOMPARE(label("lbl_A")->cursor().shape(), Qt::ArrowCursor);

        // A second click changes nothing.
        const int other = clicked % 4 + 1;
        QTest::mouseClick(label(names[other - 1]), Qt::LeftButton);
        QCOMPARE(fill(shapes[other - 1]), QColor(128, 128, 255));
        QCOMPARE(activeTimer(game), timer);
    }

    void theVerdictChainsHaveTheirBandTimings_data()
    {
        QTest::addColumn<int>("noq");
        QTest::addColumn<QString>("right");
        QTest::addColumn<QString>("wrong");
        QTest::addColumn<int>("interval");
        QTest::newRow("band 1") << 1000 << "tmr_R_OZ11" << "tmr_W_OZ11" << 2000;
        QTest::newRow("band 2") << 2000 << "tmr_R_OZ12" << "tmr_W_OZ12" << 3500;
        QTest::newRow("band 3") << 500000 << "tmr_R_OZ13" << "tmr_W_OZ13" << 5000;
        QTest::newRow("band 4") << 1000000 << "tmr_R_OZ14" << "tmr_W_OZ14" << 7000;
    }
    void theVerdictChainsHaveTheirBandTimings()
    {
        QFETCH(int, noq);
        QFETCH(QString, right);
        QFETCH(QString, wrong);
        QFETCH(int, interval);
        startGame();
        game->noq = noq;
        game->rt = 2;
        game->lbl_B_Click();
        QCOMPARE(activeTimer(game), right);
        QCOMPARE(game->findChild<QTimer *>(right)->interval(), interval);
        QCOMPARE(game->findChild<QTimer *>(wrong)->interval(), interval);
    }

    void theFiftyFiftyHidesTwoWrongAnswers()
    {
        startGame();
        game->rt = 1;
        game->z = 1;
        f.random->values = {0.3, 0.6}; // B and C
        game->findChild<QAbstractButton *>(QStringLiteral("cmd_50"))->click();
        QCOMPARE(game->fi, 1);
        QVERIFY(!widget("cmd_50")->isVisible());
        QVERIFY(widget("lbl_A")->isVisible());
        QVERIFY(!widget("lbl_B")->isVisible());
        QVERIFY(!widget("lbl_C")->isVisible());
        QVERIFY(widget("lbl_D")->isVisible());
        QVERIFY(widget("shp_B")->isVisible());
        QVERIFY(widget("lbl_help")->isVisible()); // the friend is still there
        QVERIFY(game->findChild<QTimer *>(QStringLiteral("tmr_time"))->isActive());
        game->fr = 1;
        game->fi = 0;
        widget("cmd_50")->show();
        f.random->values = {0.3, 0.6};
        game->findChild<QAbstractButton *>(QStringLiteral("cmd_50"))->click();
        QVERIFY(!widget("lbl_help")->isVisible()); // the last lifeline used
    }

    void theLifelineButtonsLightUnderThePointer()
    {
        startGame();
        auto *fifty = game->findChild<PushButton *>(QStringLiteral("cmd_50"));
        auto *money = game->findChild<PushButton *>(QStringLiteral("cmd_money"));
        money->show();
        QTest::mouseMove(fifty);
        QCOMPARE(fifty->backColor(), QColor(255, 0, 0));
        QVERIFY(fifty->font().bold());
        QTest::mouseMove(money);
        QCOMPARE(money->backColor(), QColor(255, 255, 0));
        QCOMPARE(fifty->backColor(), QColor(255, 0, 0)); // only the background restores
        QTest::mouseMove(game, QPoint(700, 560));
        QCOMPARE(fifty->backColor(), QColor(192, 192, 255));
        QCOMPARE(money->backColor(), QColor(192, 192, 255));
        QVERIFY(!fifty->font().bold());
    }

    void preparingTheNextQuestionReopensTheWindow()
    {
        startGame();
        game->rt = 1;
        widget("lbl_C")->hide();
        game->lbl_B_Click();
        game->noq = 2000; // the question after the first guaranteed sum
        game->fi = 1;
        game->z = 1;
        game->fr = 1;
        game->PrepareNextQuestion();
        QCOMPARE(game->property("c").toInt(), 0);
        QVERIFY(widget("lbl_C")->isVisible());
        QCOMPARE(fill("shp_B"), QColor(128, 128, 255));
        QVERIFY(!widget("cmd_money")->isVisible());
        QVERIFY(!widget("cmd_50")->isVisible());
        QVERIFY(!widget("lbl_help")->isVisible());
        for (const char *name : {"lbl_cheat", "cmd_exit", "cmd_menu", "cmd_rules"})
            QVERIFY2(widget(name)->isVisible(), name);
        QCOMPARE(label("lbl_A")->cursor().shape(), Qt::BitmapCursor);
        game->noq = 4000;
        game->z = 0;
        game->PrepareNextQuestion();
        QVERIFY(widget("cmd_money")->isVisible());
        QVERIFY(widget("cmd_Zal")->isVisible());
        QVERIFY(widget("lbl_help")->isVisible());
    }
};

KARV_TEST(QuestionTest)
#include "test_question.moc"
