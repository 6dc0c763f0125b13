// The lifelines' rules with a scripted generator: the fifty-fifty draw, both polls, the friend.
#include <QRandomGenerator>
#include <QTest>

#include <cmath>

#include "app/services.h"
#include "lifelines/lifelinerules.h"
#include "tests/support/fakes.h"
#include "tests/support/testmain.h"

using namespace karv;
using namespace karv::test;

namespace {
// The u that makes floor(k * u) come out as `value`.
double pick(int value, int k) { return (value + 0.5) / k; }

// A seeded generator for runs over many draws.
class SeededRandom : public Random {
public:
    explicit SeededRandom(quint32 seed) : gen_(seed) {}
    double next() override { return gen_.generateDouble(); }
    void seedFromClock() override {}

private:
    QRandomGenerator gen_;
};
} // namespace

class LifelineRulesTest : public QObject {
    Q_OBJECT
    ScriptedRandom r;

private slots:
    void init() { r.values.clear(); }

    void theFiftyFiftyRedrawsUntilTwoWrongAnswersDiffer()
    {
        // a: 2 (rt drawn first, redrawn), b: 2 again -> both drawn afresh: a 4, b 3.
        r.values = {pick(0, 4), pick(1, 4), pick(1, 4), pick(3, 4), pick(2, 4)};
        const auto [a, b] = fiftyFiftyDraw(r, 1);
        QCOMPARE(a, 4);
        QCOMPARE(b, 3);
        QVERIFY(r.values.empty());
    }

    void theFiftyFiftyRemovesEachWrongPairAboutEquallyOften()
    {
        SeededRandom seeded(20261207);
        for (int rt = 1; rt <= 4; ++rt) {
            QMap<QPair<int, int>, int> pairs;
            const int runs = 3000;
            for (int i = 0; i < runs; ++i) {
                auto [a, b] = fiftyFiftyDraw(seeded, rt);
                QVERIFY(a != rt && b != rt && a != b);
                pairs[{std::min(a, b), std::max(a, b)}]++;
            }
            QCOMPARE(pairs.size(), 3);
            for (int n : pairs)
                QVERIFY2(std::abs(n - runs / 3) < runs / 15, qPrintable(QString::number(n)));
        }
    }

    void theFourAnswerPollDrawsTheRightShareFromItsRow_data()
    {
        QTest::addColumn<int>("difficulty");
        QTest::addColumn<int>("roll");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        const QList<QList<int>> rows = {
            {1, 100, 90, 95}, {1, 90, 90, 95}, {1, 89, 80, 90}, {1, 80, 80, 90}, {1, 79, 75, 85}, {1, 60, 75, 85},
            {1, 59, 60, 75}, {1, 40, 60, 75}, {1, 39, 50, 60}, {1, 30, 50, 60}, {1, 29, 50, 55}, {1, 20, 50, 55},
            {1, 19, 30, 50}, {1, 10, 30, 50}, {1, 9, 0, 30}, {1, 0, 0, 30},
            {2, 90, 80, 95}, {2, 85, 75, 80}, {2, 60, 65, 75}, {2, 55, 50, 65}, {2, 45, 40, 55}, {2, 35, 40, 50},
            {2, 25, 30, 40}, {2, 15, 20, 30}, {2, 5, 0, 20},
            {3, 95, 70, 80}, {3, 85, 60, 70}, {3, 75, 45, 55}, {3, 50, 40, 50}, {3, 30, 30, 40}, {3, 29, 20, 30},
            {3, 10, 15, 30}, {3, 9, 0, 10},
            {4, 90, 60, 70}, {4, 80, 55, 65}, {4, 70, 40, 50}, {4, 60, 35, 45}, {4, 40, 30, 40}, {4, 20, 20, 30},
            {4, 10, 10, 20}, {4, 0, 0, 10}};
        for (const auto &row : rows)
            QTest::addRow("class %d roll %d", row[0], row[1]) << row[0] << row[1] << row[2] << row[3];
    }
    void theFourAnswerPollDrawsTheRightShareFromItsRow()
    {
        QFETCH(int, difficulty);
        QFETCH(int, roll);
        QFETCH(int, low);
        QFETCH(int, high);
        for (double u : {0.0, std::nextafter(1.0, 0.0)}) {
            r.values = {pick(roll, 101), u};
            r.fallback = 0.5;
            const Poll poll = fourAnswerPoll(r, difficulty, 2);
            QCOMPARE(poll.roll, roll);
            QCOMPARE(poll.percent[1], u == 0.0 ? low : high);
            QCOMPARE(poll.percent[0] + poll.percent[1] + poll.percent[2] + poll.percent[3], 100);
        }
    }

    void theLastWrongAnswerTakesWhatIsLeft()
    {
        // Right A at 60 %, B 30 %, C 0 %: D gets 10 %.
        r.values = {pick(45, 101), pick(0, 16), pick(30, 41), 0.0};
        const Poll poll = fourAnswerPoll(r, 1, 1);
        QCOMPARE(poll.percent, (std::array<int, 4>{60, 30, 0, 10}));
    }

    void pollsAlwaysAddUpToOneHundred()
    {
        SeededRandom seeded(7);
        for (int i = 0; i < 4000; ++i) {
            const int difficulty = i % 4 + 1, rt = (i / 4) % 4 + 1;
            std::array<bool, 4> visible{true, true, true, true};
            const auto [a, b] = fiftyFiftyDraw(seeded, rt);
            visible[size_t(a - 1)] = visible[size_t(b - 1)] = false;
            for (const Poll &poll : {fourAnswerPoll(seeded, difficulty, rt), twoAnswerPoll(seeded, difficulty, rt, visible)}) {
                int sum = 0;
                for (int p : poll.percent) {
                    QVERIFY(p >= 0 && p <= 100);
                    sum += p;
                }
                QCOMPARE(sum, 100);
            }
        }
    }

    void theTwoAnswerPollKeepsTheHiddenSharesSmall_data()
    {
        QTest::addColumn<int>("difficulty");
        QTest::addColumn<int>("most");
        QTest::newRow("class 1") << 1 << 2;
        QTest::newRow("class 2") << 2 << 5;
        QTest::newRow("class 3") << 3 << 10;
        QTest::newRow("class 4") << 4 << 15;
    }
    void theTwoAnswerPollKeepsTheHiddenSharesSmall()
    {
        QFETCH(int, difficulty);
        QFETCH(int, most);
        // Right C; A and D hidden, so B is the visible wrong answer.
        r.values = {std::nextafter(1.0, 0.0), 0.0, pick(0, 101), 0.0};
        const Poll poll = twoAnswerPoll(r, difficulty, 3, {false, true, true, false});
        QCOMPARE(poll.percent[0], most);
        QCOMPARE(poll.percent[3], 0);
        QCOMPARE(poll.percent[1], 100 - most - poll.percent[2]);
    }

    void theTwoAnswerPollRows_data()
    {
        QTest::addColumn<int>("difficulty");
        QTest::addColumn<int>("roll");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        const QList<QList<int>> rows = {{1, 70, 70, 90}, {1, 71, 50, 70}, {1, 85, 50, 70}, {1, 95, 30, 50}, {1, 96, 10, 30},
                                        {2, 50, 60, 80}, {2, 70, 50, 60}, {2, 87, 35, 50}, {2, 88, 0, 34},
                                        {3, 50, 40, 70}, {3, 60, 30, 50}, {3, 70, 20, 40}, {3, 71, 0, 20},
                                        {4, 30, 50, 70}, {4, 45, 30, 50}, {4, 75, 10, 30}, {4, 76, 0, 10}};
        for (const auto &row : rows)
            QTest::addRow("class %d roll %d", row[0], row[1]) << row[0] << row[1] << row[2] << row[3];
    }
    void theTwoAnswerPollRows()
    {
        QFETCH(int, difficulty);
        QFETCH(int, roll);
        QFETCH(int, low);
        QFETCH(int, high);
        for (double u : {0.0, std::nextafter(1.0, 0.0)}) {
            r.values = {0.0, 0.0, pick(roll, 101), u};
            const Poll poll = twoAnswerPoll(r, difficulty, 1, {true, false, true, false});
            QCOMPARE(poll.percent[0], u == 0.0 ? low : high);
        }
    }

    void tiesGiveSeveralLeaders()
    {
        QCOMPARE(pollLeaders({40, 40, 10, 10}), (std::array<bool, 4>{true, true, false, false}));
        QCOMPARE(pollLeaders({0, 100, 0, 0}), (std::array<bool, 4>{false, true, false, false}));
        QCOMPARE(pollLeaders({25, 25, 25, 25}), (std::array<bool, 4>{true, true, true, true}));
    }

    void aFriendKnowsUpToTheirPercentage_data()
    {
        QTest::addColumn<int>("friendNo");
        QTest::addColumn<int>("difficulty");
        QTest::addColumn<int>("p");
        const int table[8][4] = {{75, 60, 45, 35}, {50, 35, 20, 10}, {85, 75, 60, 45}, {70, 50, 35, 25},
                                 {95, 85, 70, 55}, {70, 50, 35, 25}, {70, 50, 35, 25}, {85, 75, 60, 45}};
        for (int fno = 1; fno <= 8; ++fno)
            for (int c = 1; c <= 4; ++c)
                QTest::addRow("friend %d class %d", fno, c) << fno << c << table[fno - 1][c - 1];
    }
    void aFriendKnowsUpToTheirPercentage()
    {
        QFETCH(int, friendNo);
        QFETCH(int, difficulty);
        QFETCH(int, p);
        const std::array<bool, 4> all{true, true, true, true};
        r.values = {pick(0, 4), pick(1, 2), pick(p, 101)};
        FriendReply reply = friendReply(r, friendNo, difficulty, 2, false, all);
        QCOMPARE(reply.kind, FriendReply::Kind::Knows);
        QCOMPARE(reply.answer, 2);
        r.values = {pick(0, 4), pick(1, 2), pick(p + 1, 101)};
        reply = friendReply(r, friendNo, difficulty, 2, false, all);
        QCOMPARE(reply.kind, FriendReply::Kind::NamesWrong);
        QCOMPARE(reply.answer, 1);
    }

    void aFriendWhoDoesNotKnowAdmitsItOrGuessesWrong()
    {
        SeededRandom seeded(11);
        const std::array<bool, 4> all{true, true, true, true};
        int admits = 0, guesses = 0;
        for (int i = 0; i < 2000; ++i) {
            const FriendReply reply = friendReply(seeded, 2, 4, 3, false, all);
            QVERIFY(reply.nrt != 3);
            if (reply.kind == FriendReply::Kind::DoesNotKnow)
                ++admits;
            if (reply.kind == FriendReply::Kind::NamesWrong) {
                ++guesses;
                QVERIFY(reply.answer != 3);
            }
        }
        QVERIFY(std::abs(admits - guesses) < 200);
        // After a fifty-fifty the wrong guess is always the other answer still shown.
        for (int i = 0; i < 500; ++i) {
            const FriendReply reply = friendReply(seeded, 2, 4, 3, true, {false, true, true, false});
            QVERIFY(reply.kind != FriendReply::Kind::NamesWrong || reply.answer == 2);
        }
    }

    void theFriendsWords()
    {
        const std::array<QString, 4> captions{"A: Сердечко", "B: Глазок", "C: Яблочко", "D: Пятачок"};
        QCOMPARE(friendReplyText({FriendReply::Kind::Knows, 3}, captions),
                 QStringLiteral("Ваш друг думает, что правильный ответ - это вариант C: Яблочко"));
        QCOMPARE(friendReplyText({FriendReply::Kind::DoesNotKnow, 0}, captions),
                 QStringLiteral("К сожалению, ваш друг не знает правильного ответа."));
        QCOMPARE(friendReplyText({FriendReply::Kind::NamesWrong, 1}, captions),
                 QStringLiteral("Ваш друг думает, что правильный ответ - это вариант A: Сердечко"));
        QCOMPARE(difficultyClass(1000), 1);
        QCOMPARE(difficultyClass(2000), 2);
        QCOMPARE(difficultyClass(32000), 2);
        QCOMPARE(difficultyClass(500000), 3);
        QCOMPARE(difficultyClass(1000000), 4);
    }
};

KARV_TEST(LifelineRulesTest)
#include "test_rules.moc"
