// The friend window: choosing, calling, the dialling bar, the reply under both rule sets, the
// way back; and what the three lifelines leave on the game window.
#include <QLabel>
#include <QTest>
#include <QTimer>

#include "controls/radiobutton.h"
#include "gauge/fillgauge.h"
#include "lifelines/friendwindow.h"
#include "lifelines/lifelinerules.h"
#include "lifelines/zalwindow.h"
#include "tests/lifelines/lifelinetesting.h"
#include "tests/support/testmain.h"

using namespace karv;
using namespace karv::test;

namespace {
const QString thinks = QStringLiteral("Ваш друг думает, что правильный ответ - это вариант ");
const QString doesNotKnow = QStringLiteral("К сожалению, ваш друг не знает правильного ответа.");
} // namespace

class FriendWindowTest : public QObject {
    Q_OBJECT
    LifelineGame g;
    FriendWindow *phone = nullptr;

    void open()
    {
        g.button(g.game, "cmd_Friend")->click();
        phone = qobject_cast<FriendWindow *>(topLevel(QStringLiteral("frm_friend")));
        QVERIFY(phone);
    }
    void choose(int k) { QTest::mouseClick(phone->findChild<RadioButton *>(QStringLiteral("opt_%1").arg(k)), Qt::LeftButton); }
    void dial(int ticks)
    {
        for (int i = 0; i < ticks; ++i)
            fire(phone, "tmr_status");
    }
    QString reply() { return g.label(phone, "lbl_answer")->text(); }
    QString caption(int k) { return g.label(phone, qPrintable(QStringLiteral("lbl_%1").arg(QChar(u'A' + k - 1))))->text(); }

private slots:
    void cleanup() { QuitGame(); }

    void callingIsOfferedOnlyAfterAChoiceAndOkOnlyAfterTheReply()
    {
        QVERIFY(g.start());
        g.game->move(24, 12);
        g.game->noq = 1000000;
        open();
        QVERIFY(phone->isVisible());
        QVERIFY(!g.game->isVisible());
        QCOMPARE(phone->pos(), QPoint(24, 12));
        QCOMPARE(g.game->fr, 1);
        QVERIFY(g.control(g.game, "cmd_Friend")->isHidden());
        QVERIFY(!g.clock()->isActive());
        QCOMPARE(phone->noq, 4);
        QCOMPARE(g.label(phone, "lbl_Question")->text(), g.label(g.game, "lbl_Question")->text());
        QCOMPARE(g.button(phone, "cmd_call")->text(), QStringLiteral("Звоним!"));
        QVERIFY(g.control(phone, "cmd_call")->isHidden());
        QVERIFY(g.control(phone, "cmd_OK")->isHidden());
        QCOMPARE(activeTimer(phone), QString());

        // Every friend can be reached by the pointer: nothing lies over the list.
        for (int k = 1; k <= 8; ++k) {
            auto *option = phone->findChild<RadioButton *>(QStringLiteral("opt_%1").arg(k));
            QWidget *hit = phone->childAt(option->geometry().center());
            QVERIFY(hit == option || option->isAncestorOf(hit));
        }
        choose(3);
        QVERIFY(g.control(phone, "cmd_call")->isVisible());
        QVERIFY(g.control(phone, "cmd_OK")->isHidden());
        g.button(phone, "cmd_call")->click();
        QCOMPARE(phone->rt, g.game->rt);
        for (const char *name : {"cmd_call", "lbl_words", "shp_opts", "opt_1", "opt_8"})
            QVERIFY2(g.control(phone, name)->isHidden(), name);
        QVERIFY(g.control(phone, "lbl_status")->isVisible());
        QVERIFY(g.control(phone, "prb_status")->isVisible());
        QCOMPARE(activeTimer(phone), QStringLiteral("tmr_status"));
        QCOMPARE(phone->findChild<QTimer *>(QStringLiteral("tmr_status"))->interval(), 10);

        dial(99);
        QCOMPARE(g.control(phone, "prb_status")->property("Value").toDouble(), 99.0);
        QVERIFY(g.control(phone, "cmd_OK")->isHidden());
        QVERIFY(reply().isEmpty());
        dial(1);
        QVERIFY(g.control(phone, "cmd_OK")->isVisible());
        QVERIFY(!g.control(phone, "lbl_status")->isVisible());
        QVERIFY(!g.control(phone, "prb_status")->isVisible());
        QCOMPARE(activeTimer(phone), QString());
        QCOMPARE(phone->friendNo, 3);
        QVERIFY(!reply().isEmpty());
    }

    void changingTheFriendBeforeCallingChangesWhoseOddsApply_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<bool>("knows");
        // roll 80 at a question up to 1 000: the doctor (95) knows, the cleaner (50) does not.
        QTest::newRow("cleaner, then doctor") << 2 << 5 << true;
        QTest::newRow("doctor, then cleaner") << 5 << 2 << false;
    }
    void changingTheFriendBeforeCallingChangesWhoseOddsApply()
    {
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(bool, knows);
        QVERIFY(g.start());
        g.game->rt = 3;
        open();
        choose(first);
        choose(last);
        g.button(phone, "cmd_call")->click();
        // Wrong guess A, admits it, roll 80.
        g.f.random->values = {pick(0, 4), pick(0, 2), pick(80, 101)};
        dial(100);
        QCOMPARE(phone->friendNo, last);
        QCOMPARE(phone->roll, 80);
        QCOMPARE(phone->nrt, 1);
        QCOMPARE(phone->saysWrong, 0);
        QCOMPARE(reply(), knows ? thinks + caption(3) : doesNotKnow);
        QVERIFY(reply() != thinks + caption(3) || caption(3).startsWith(QLatin1Char('C')));
    }

    void afterAFiftyFiftyAWrongGuessNamesTheOtherAnswerLeft()
    {
        QVERIFY(g.start());
        g.game->rt = 1;
        g.fiftyFifty(2, 3);
        open();
        QVERIFY(g.control(phone, "lbl_B")->isHidden() && g.control(phone, "lbl_C")->isHidden());
        QVERIFY(!g.control(phone, "lbl_D")->isHidden());
        choose(2);
        g.button(phone, "cmd_call")->click();
        // No draw for the wrong answer: guesses, roll 100.
        g.f.random->values = {pick(1, 2), pick(100, 101)};
        dial(100);
        QVERIFY(g.f.random->values.empty());
        QCOMPARE(phone->nrt, 4);
        QCOMPARE(reply(), thinks + caption(4));
    }

    void aFiftyFiftyOnAnEarlierQuestionLeavesTheFullRules()
    {
        QVERIFY(g.start());
        g.fiftyFifty(g.game->rt % 4 + 1, (g.game->rt + 1) % 4 + 1);
        g.answerRightly();
        QCOMPARE(g.game->noq, 200);
        open();
        for (int k = 1; k <= 4; ++k)
            QVERIFY(!g.label(phone, qPrintable(QStringLiteral("lbl_%1").arg(QChar(u'A' + k - 1))))->isHidden());
        const int wrong = g.game->rt % 4 + 1;
        choose(2);
        g.button(phone, "cmd_call")->click();
        g.f.random->values = {pick(wrong - 1, 4), pick(1, 2), pick(100, 101)};
        dial(100);
        QCOMPARE(phone->nrt, wrong);
        QCOMPARE(reply(), thinks + caption(wrong));
    }

    void goingBackRestartsTheClockOnlyWithTheTimeOption_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<bool>("runs");
        QTest::newRow("time on") << QByteArray("11111") << true;
        QTest::newRow("time off") << QByteArray("01111") << false;
    }
    void goingBackRestartsTheClockOnlyWithTheTimeOption()
    {
        QFETCH(QByteArray, settings);
        QFETCH(bool, runs);
        QVERIFY(g.start(settings));
        open();
        // Before the reply the close button is ignored: the game window is hidden meanwhile.
        QVERIFY(!phone->close());
        choose(1);
        g.button(phone, "cmd_call")->click();
        QVERIFY(!phone->close());
        QVERIFY(phone->isVisible());
        dial(100);
        QVERIFY(!g.clock()->isActive());
        QTest::keyClick(phone, Qt::Key_Return, Qt::AltModifier);
        QVERIFY(phone->isMinimized());
        // Once the reply is there the close button acts as "OK".
        if (runs)
            phone->close();
        else
            g.button(phone, "cmd_OK")->click();
        QVERIFY(!phone->isVisible());
        QVERIFY(g.game->isVisible());
        QCOMPARE(g.clock()->isActive(), runs);
    }

    // Each lifeline once a game; the heading goes with the last one, whichever it is.
    void theHeadingGoesWithTheLastLifeline_data()
    {
        QTest::addColumn<QString>("order");
        QTest::newRow("fifty-fifty last") << "zf5";
        QTest::newRow("audience last") << "5fz";
        QTest::newRow("friend last") << "5zf";
    }
    void theHeadingGoesWithTheLastLifeline()
    {
        QFETCH(QString, order);
        QVERIFY(g.start());
        QWidget *help = g.control(g.game, "lbl_help");
        for (int i = 0; i < 3; ++i) {
            switch (order.at(i).toLatin1()) {
            case '5':
                g.fiftyFifty(g.game->rt % 4 + 1, (g.game->rt + 1) % 4 + 1);
                QCOMPARE(g.game->fi, 1);
                QVERIFY(g.control(g.game, "cmd_50")->isHidden());
                break;
            case 'z': {
                g.button(g.game, "cmd_Zal")->click();
                QWidget *zal = topLevel(QStringLiteral("frm_zal"));
                fire(zal, "tmr_wait");
                for (int tick = 0; tick < 50; ++tick)
                    fire(zal, "tmr_prb");
                g.button(zal, "cmd_OK")->click();
                QCOMPARE(g.game->z, 1);
                QVERIFY(g.control(g.game, "cmd_Zal")->isHidden());
                break;
            }
            case 'f':
                open();
                choose(1);
                g.button(phone, "cmd_call")->click();
                g.f.random->values = {pick(g.game->rt % 4, 4)}; // a wrong answer at the first draw
                dial(100);
                g.button(phone, "cmd_OK")->click();
                QCOMPARE(g.game->fr, 1);
                QVERIFY(g.control(g.game, "cmd_Friend")->isHidden());
                break;
            }
            QVERIFY(g.game->isVisible());
            QCOMPARE(help->isHidden(), i == 2);
            g.answerRightly();
        }
        QVERIFY(help->isHidden());
        for (const char *name : {"cmd_50", "cmd_Zal", "cmd_Friend"})
            QVERIFY2(g.control(g.game, name)->isHidden(), name);
    }
};

KARV_TEST(FriendWindowTest)
#include "test_friend.moc"
