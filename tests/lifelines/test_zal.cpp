// The audience window: opening over the game, the poll growing into bars, the leaders, the
// pick handed to the game and the way back with or without the clock.
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include "gauge/fillgauge.h"
#include "lifelines/zalwindow.h"
#include "tests/lifelines/lifelinetesting.h"
#include "tests/support/testmain.h"

using namespace karv;
using namespace karv::test;

namespace {
const char *const answerNames[4] = {"lbl_A", "lbl_B", "lbl_C", "lbl_D"};
const QColor neutral(128, 128, 255), orange(255, 128, 0), green(0, 255, 0), yellow(255, 255, 0);
} // namespace

class ZalWindowTest : public QObject {
    Q_OBJECT
    LifelineGame g;
    ZalWindow *zal = nullptr;

    // Opens the window over the game, with the question's right answer `rt` when given.
    void open(int rt = 0)
    {
        if (rt)
            g.game->rt = rt;
        g.button(g.game, "cmd_Zal")->click();
        zal = qobject_cast<ZalWindow *>(topLevel(QStringLiteral("frm_zal")));
        QVERIFY(zal);
    }
    // Class 1, right answer A: A 50 %, B 47 %, C 3 %, D 0 %.
    void scriptFourAnswerPoll()
    {
        QCOMPARE(zal->rt, 1);
        g.f.random->values = {pick(35, 101), pick(0, 11), pick(47, 51), pick(3, 4)};
    }
    void runPoll()
    {
        fire(zal, "tmr_wait");
        for (int tick = 0; tick < 50; ++tick)
            fire(zal, "tmr_prb");
    }
    QString percent(int k) { return g.label(zal, qPrintable(QStringLiteral("lbl_per%1").arg(QChar(u'A' + k - 1))))->text(); }
    gaugekit::Fillgauge *bar(int k) { return zal->bar(k); }

private slots:
    void cleanup() { QuitGame(); }

    void openingTakesTheGamesPlaceAndStopsTheClock()
    {
        QVERIFY(g.start());
        g.game->move(40, 30);
        g.game->noq = 64000;
        QVERIFY(g.clock()->isActive());
        open();
        QVERIFY(zal->isVisible());
        QVERIFY(!g.game->isVisible());
        QCOMPARE(zal->pos(), QPoint(40, 30));
        QCOMPARE(g.game->z, 1);
        QVERIFY(g.control(g.game, "cmd_Zal")->isHidden());
        QVERIFY(!g.clock()->isActive());
        QCOMPARE(zal->noq, 3);
        QCOMPARE(zal->rt, g.game->rt);
        QCOMPARE(zal->Click, 0);
        for (const char *name : {"lbl_Question", "lbl_A", "lbl_B", "lbl_C", "lbl_D"})
            QCOMPARE(g.label(zal, name)->text(), g.label(g.game, name)->text());
        QCOMPARE(activeTimer(zal), QStringLiteral("tmr_wait"));
        QCOMPARE(zal->findChild<QTimer *>(QStringLiteral("tmr_wait"))->interval(), 1000);
        QCOMPARE(zal->findChild<QTimer *>(QStringLiteral("tmr_prb"))->interval(), 25);
        QCOMPARE(zal->findChild<QTimer *>(QStringLiteral("tmr_click"))->interval(), 1500);
        QVERIFY(g.control(zal, "lbl_words")->isVisible());
        const int barLeft[4] = {4245, 5205, 6165, 7125};
        for (int k = 1; k <= 4; ++k) {
            QVERIFY(!bar(k)->isVisible());
            QCOMPARE(bar(k)->geometry(), twipRect(barLeft[k - 1], 5160, 615, 3135));
            QCOMPARE(bar(k)->property("Orientation").toInt(), 1);
            QCOMPARE(bar(k)->property("Max").toDouble(), 100.0);
        }
        QCOMPARE(g.control(zal, "shp_valD")->geometry(), twipRect(9338, 3120, 735, 735));
        QCOMPARE(g.control(zal, "cmd_OK")->geometry(), twipRect(5138, 3960, 1695, 375));
        QCOMPARE(zal->size(), QSize(798, 598));
        for (const char *name : answerNames)
            QCOMPARE(zal->childAt(g.control(zal, name)->geometry().center()), g.control(zal, name));
    }

    void theBarsReachTheirSharesOnTheFiftiethTick()
    {
        QVERIFY(g.start());
        open(1);
        scriptFourAnswerPoll();
        fire(zal, "tmr_wait");
        QVERIFY(g.f.random->values.empty());
        QVERIFY(!g.control(zal, "lbl_words")->isVisible());
        QCOMPARE(activeTimer(zal), QStringLiteral("tmr_prb"));
        QCOMPARE(QList<int>({zal->pcA(), zal->pcB(), zal->pcC(), zal->pcD()}), QList<int>({50, 47, 3, 0}));
        QCOMPARE(zal->roll, 35);
        for (int k = 1; k <= 4; ++k) {
            QVERIFY(bar(k)->isVisible());
            QCOMPARE(percent(k), QStringLiteral("0%"));
        }
        for (int tick = 1; tick <= 49; ++tick) {
            fire(zal, "tmr_prb");
            if (tick == 40) {
                QCOMPARE(bar(2)->property("Value").toFloat(), 37.6f);
                QCOMPARE(QStringList({percent(1), percent(2), percent(3), percent(4)}),
                         QStringList({"40%", "37%", "2%", "0%"}));
            }
        }
        QVERIFY(g.control(zal, "cmd_OK")->isHidden());
        QVERIFY(bar(1)->property("Value").toDouble() < 50);
        fire(zal, "tmr_prb");
        for (int k = 1; k <= 4; ++k)
            QCOMPARE(bar(k)->property("Value").toDouble(), double(QList<int>({50, 47, 3, 0})[k - 1]));
        QCOMPARE(QStringList({percent(1), percent(2), percent(3), percent(4)}), QStringList({"50%", "47%", "3%", "0%"}));
        QCOMPARE(g.label(zal, "lbl_valB")->text(), QStringLiteral("47%"));
        QCOMPARE(activeTimer(zal), QString()); // nothing runs once the result is shown
        QVERIFY(g.control(zal, "cmd_OK")->isVisible());
        QVERIFY(g.control(zal, "shp_valD")->isVisible() && g.control(zal, "lbl_valD")->isVisible());
        QCOMPARE(g.shape(zal, "shp_valA")->fillColor(), green);
        QCOMPARE(g.shape(zal, "shp_valA")->borderColor(), QColor(128, 128, 255));
        QCOMPARE(g.shape(zal, "shp_valB")->fillColor(), yellow);
        QCOMPARE(g.shape(zal, "shp_valB")->borderColor(), QColor(0, 192, 0));
    }

    void tiesMakeSeveralLeaders()
    {
        QVERIFY(g.start());
        open(1);
        // A 30 % from the lowest row; B and C 30 % each; D the remaining 10 %.
        g.f.random->values = {pick(5, 101), pick(30, 31), pick(30, 71), pick(30, 41)};
        runPoll();
        QCOMPARE(QList<int>({zal->pcA(), zal->pcB(), zal->pcC(), zal->pcD()}), QList<int>({30, 30, 30, 10}));
        for (const char *name : {"shp_valA", "shp_valB", "shp_valC"})
            QCOMPARE(g.shape(zal, name)->fillColor(), green);
        QCOMPARE(g.shape(zal, "shp_valD")->fillColor(), yellow);
    }

    void aFiftyFiftyOnThisQuestionGivesTheTwoAnswerPoll()
    {
        QVERIFY(g.start());
        g.game->rt = 1;
        g.fiftyFifty(2, 3);
        open();
        QVERIFY(g.control(zal, "lbl_B")->isHidden() && g.control(zal, "lbl_C")->isHidden());
        QVERIFY(!g.control(zal, "lbl_A")->isHidden() && !g.control(zal, "lbl_D")->isHidden());
        // B 2 %, C 1 %, roll 50: A gets 70 + 10; D the rest.
        g.f.random->values = {pick(2, 3), pick(1, 3), pick(50, 101), pick(10, 21)};
        runPoll();
        QVERIFY(g.f.random->values.empty());
        QCOMPARE(QList<int>({zal->pcA(), zal->pcB(), zal->pcC(), zal->pcD()}), QList<int>({80, 2, 1, 17}));
        // The removed answers keep their bars and shares; their texts stay away and cannot be picked.
        QVERIFY(bar(2)->isVisible());
        QCOMPARE(g.label(zal, "lbl_valC")->text(), QStringLiteral("1%"));
        QTest::mouseClick(g.label(zal, "lbl_B"), Qt::LeftButton);
        QCOMPARE(zal->Click, 0);
    }

    void aFiftyFiftyOnAnEarlierQuestionLeavesTheFourAnswerPoll()
    {
        QVERIFY(g.start());
        g.fiftyFifty(g.game->rt % 4 + 1, (g.game->rt + 1) % 4 + 1);
        g.answerRightly();
        QCOMPARE(g.game->noq, 200);
        QCOMPARE(g.game->fi, 1);
        open(1);
        for (const char *name : answerNames)
            QVERIFY(!g.control(zal, name)->isHidden());
        scriptFourAnswerPoll();
        runPoll();
        QCOMPARE(QList<int>({zal->pcA(), zal->pcB(), zal->pcC(), zal->pcD()}), QList<int>({50, 47, 3, 0}));
    }

    void anAnswerIsPickedOnlyOnceTheHallHasAnswered()
    {
        QVERIFY(g.start());
        open();
        const int right = g.game->rt;
        const int chosen = right % 4 + 1;
        QTest::mouseClick(g.label(zal, answerNames[chosen - 1]), Qt::LeftButton);
        QCOMPARE(zal->Click, 0);
        fire(zal, "tmr_wait");
        fire(zal, "tmr_prb");
        QTest::mouseClick(g.label(zal, answerNames[chosen - 1]), Qt::LeftButton);
        QCOMPARE(zal->Click, 0);
        QCOMPARE(activeTimer(zal), QStringLiteral("tmr_prb"));
        for (int tick = 2; tick <= 50; ++tick)
            fire(zal, "tmr_prb");
        QCOMPARE(g.label(zal, "lbl_A")->cursor().shape(), answerCursor().shape());

        QTest::mouseClick(g.label(zal, answerNames[chosen - 1]), Qt::LeftButton);
        QCOMPARE(zal->Click, 1);
        QCOMPARE(g.shape(zal, qPrintable(QStringLiteral("shp_%1").arg(QChar(u'A' + chosen - 1))))->fillColor(), orange);
        QCOMPARE(g.label(zal, "lbl_A")->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(activeTimer(zal), QStringLiteral("tmr_click"));
        // A second pick is refused.
        const int other = chosen % 4 + 1;
        QTest::mouseClick(g.label(zal, answerNames[other - 1]), Qt::LeftButton);
        QCOMPARE(g.shape(zal, qPrintable(QStringLiteral("shp_%1").arg(QChar(u'A' + other - 1))))->fillColor(), neutral);
        QCOMPARE(g.game->c, 0);

        fire(zal, "tmr_click");
        QVERIFY(!zal->isVisible());
        QVERIFY(g.game->isVisible());
        QCOMPARE(g.game->c, 1);
        QCOMPARE(g.shape(g.game, qPrintable(QStringLiteral("shp_%1").arg(QChar(u'A' + chosen - 1))))->fillColor(),
                 orange);
        QCOMPARE(activeTimer(g.game), QStringLiteral("tmr_W_OZ11")); // the clock stopped again by the answer
        QCOMPARE(activeTimer(zal), QString());
    }

    // The answers wear the pick pointer only once an answer can be picked: not while the hall
    // gets ready or the bars grow.
    void thePickPointerComesWithTheResult()
    {
        QVERIFY(g.start());
        const QImage pickPointer = answerCursor().pixmap().toImage();
        auto wearsPickPointer = [&](int k) {
            return g.label(zal, answerNames[k - 1])->cursor().pixmap().toImage() == pickPointer;
        };
        open();
        for (int k = 1; k <= 4; ++k)
            QVERIFY2(!wearsPickPointer(k), answerNames[k - 1]);
        fire(zal, "tmr_wait");
        for (int tick = 1; tick < 50; ++tick)
            fire(zal, "tmr_prb");
        for (int k = 1; k <= 4; ++k)
            QVERIFY2(!wearsPickPointer(k), answerNames[k - 1]);
        fire(zal, "tmr_prb");
        QVERIFY(g.control(zal, "cmd_OK")->isVisible());
        for (int k = 1; k <= 4; ++k)
            QVERIFY2(wearsPickPointer(k), answerNames[k - 1]);
    }

    void altWithEitherEnterMinimises_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Alt+Enter") << int(Qt::Key_Return) << int(Qt::AltModifier);
        QTest::newRow("Alt+keypad Enter") << int(Qt::Key_Enter) << int(Qt::AltModifier | Qt::KeypadModifier);
    }
    void altWithEitherEnterMinimises()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QVERIFY(g.start());
        open();
        QTest::keyClick(zal, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QVERIFY(zal->isMinimized());
    }

    void goingBackWithAPickPendingHandsItOverAtOnce()
    {
        QVERIFY(g.start());
        open();
        runPoll();
        QTest::mouseClick(g.label(zal, answerNames[g.game->rt - 1]), Qt::LeftButton);
        g.button(zal, "cmd_OK")->click();
        QCOMPARE(activeTimer(zal), QString());
        QCOMPARE(g.game->c, 1);
        QCOMPARE(activeTimer(g.game), QStringLiteral("tmr_R_OZ11"));
    }

    void theClockRunsOnAfterOkOnlyWithTheTimeOption_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<bool>("runs");
        QTest::newRow("time on") << QByteArray("11111") << true;
        QTest::newRow("time off") << QByteArray("01111") << false;
    }
    void theClockRunsOnAfterOkOnlyWithTheTimeOption()
    {
        QFETCH(QByteArray, settings);
        QFETCH(bool, runs);
        QVERIFY(g.start(settings));
        open();
        runPoll();
        QVERIFY(!g.clock()->isActive());
        g.button(zal, "cmd_OK")->click();
        QVERIFY(!zal->isVisible());
        QVERIFY(g.game->isVisible());
        QCOMPARE(g.clock()->isActive(), runs);
        QCOMPARE(g.game->c, 0);
    }

    void theCloseButtonLeadsBackOnlyOnceOkIsOfferedAndAltEnterMinimises()
    {
        QVERIFY(g.start());
        open();
        QVERIFY(!zal->close());
        QVERIFY(zal->isVisible());
        QVERIFY(!g.game->isVisible());
        runPoll();
        zal->close();
        QVERIFY(!zal->isVisible());
        QVERIFY(g.game->isVisible());
        QVERIFY(g.clock()->isActive());
        QTest::keyClick(zal, Qt::Key_A, Qt::AltModifier);
        QVERIFY(!zal->isMinimized());
        QTest::keyClick(zal, Qt::Key_Return, Qt::AltModifier);
        QVERIFY(zal->isMinimized());
    }
};

KARV_TEST(ZalWindowTest)
#include "test_zal.moc"
