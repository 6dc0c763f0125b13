#include "lifelines/lifelinerules.h"

#include <cmath>

#include "app/services.h"

namespace karv {

namespace {
// floor(k * u) + base, with a fresh u.
int draw(Random &random, int k, int base) { return int(std::floor(k * random.next())) + base; }

struct Row {
    int rollFrom; // the row applies when roll >= rollFrom (rows from the top of the table down)
    int k, base;  // v = floor(k * u) + base
};

// Four-answer poll: the right answer's share by class and roll.
const std::array<std::array<Row, 9>, 4> fourRows = {{
    {{{90, 6, 90}, {80, 11, 80}, {60, 11, 75}, {40, 16, 60}, {30, 11, 50}, {20, 6, 50}, {10, 21, 30}, {0, 31, 0}, {0, 31, 0}}},
    {{{90, 16, 80}, {80, 6, 75}, {60, 11, 65}, {50, 16, 50}, {40, 16, 40}, {30, 11, 40}, {20, 11, 30}, {10, 11, 20}, {0, 21, 0}}},
    {{{90, 11, 70}, {80, 11, 60}, {70, 11, 45}, {50, 11, 40}, {30, 11, 30}, {20, 11, 20}, {10, 16, 15}, {0, 11, 0}, {0, 11, 0}}},
    {{{90, 11, 60}, {80, 11, 55}, {70, 11, 40}, {60, 11, 35}, {40, 11, 30}, {20, 11, 20}, {10, 11, 10}, {0, 11, 0}, {0, 11, 0}}},
}};

// Two-answer poll: bounds and the four draws, per class.
struct TwoRows {
    std::array<int, 3> bounds;
    std::array<Row, 4> draws; // rollFrom unused
};
const std::array<TwoRows, 4> twoRows = {{
    {{70, 85, 95}, {{{0, 21, 70}, {0, 21, 50}, {0, 21, 30}, {0, 21, 10}}}},
    {{50, 70, 87}, {{{0, 21, 60}, {0, 11, 50}, {0, 16, 35}, {0, 35, 0}}}},
    {{50, 60, 70}, {{{0, 31, 40}, {0, 21, 30}, {0, 21, 20}, {0, 21, 0}}}},
    {{30, 45, 75}, {{{0, 21, 50}, {0, 21, 30}, {0, 21, 10}, {0, 11, 0}}}},
}};
constexpr std::array<int, 4> hiddenShare = {3, 6, 11, 16};

int clampClass(int difficulty) { return std::clamp(difficulty, 1, 4); }
} // namespace

int drawOneTo(Random &random, int n) { return std::clamp(int(std::floor(random.next() * n + 1)), 1, n); }

int difficultyClass(int noq)
{
    if (noq <= 1000)
        return 1;
    if (noq <= 32000)
        return 2;
    if (noq < 1000000)
        return 3;
    return 4;
}

std::pair<int, int> fiftyFiftyDraw(Random &random, int rt)
{
    for (;;) {
        int a = drawOneTo(random, 4);
        while (a == rt)
            a = drawOneTo(random, 4);
        int b = drawOneTo(random, 4);
        while (b == rt)
            b = drawOneTo(random, 4);
        if (a != b)
            return {a, b};
    }
}

Poll fourAnswerPoll(Random &random, int difficulty, int rt)
{
    Poll poll;
    poll.roll = draw(random, 101, 0);
    for (const Row &row : fourRows[size_t(clampClass(difficulty) - 1)]) {
        if (poll.roll >= row.rollFrom) {
            poll.percent[size_t(rt - 1)] = draw(random, row.k, row.base);
            break;
        }
    }
    const int v = poll.percent[size_t(rt - 1)];
    int given = 0, wrongSeen = 0;
    for (int k = 1; k <= 4; ++k) {
        if (k == rt)
            continue;
        ++wrongSeen;
        const int share = wrongSeen < 3 ? draw(random, 101 - v - given, 0) : 100 - v - given;
        poll.percent[size_t(k - 1)] = share;
        given += share;
    }
    return poll;
}

Poll twoAnswerPoll(Random &random, int difficulty, int rt, const std::array<bool, 4> &visible)
{
    const int cls = clampClass(difficulty);
    Poll poll;
    std::array<bool, 4> set{};
    for (int k = 0; k < 4; ++k) {
        if (!visible[size_t(k)] && k + 1 != rt) {
            poll.percent[size_t(k)] = draw(random, hiddenShare[size_t(cls - 1)], 0);
            set[size_t(k)] = true;
        }
    }
    poll.roll = draw(random, 101, 0);
    const TwoRows &t = twoRows[size_t(cls - 1)];
    const int row = poll.roll <= t.bounds[0] ? 0 : poll.roll <= t.bounds[1] ? 1 : poll.roll <= t.bounds[2] ? 2 : 3;
    poll.percent[size_t(rt - 1)] = draw(random, t.draws[size_t(row)].k, t.draws[size_t(row)].base);
    set[size_t(rt - 1)] = true;
    int sum = 0;
    for (int p : poll.percent)
        sum += p;
    for (int k = 0; k < 4; ++k)
        if (!set[size_t(k)]) {
            poll.percent[size_t(k)] = 100 - sum;
            break;
        }
    return poll;
}

std::array<bool, 4> pollLeaders(const std::array<int, 4> &percent)
{
    std::array<bool, 4> leaders{};
    for (size_t i = 0; i < 4; ++i) {
        bool lead = true;
        for (size_t j = 0; j < 4; ++j)
            lead = lead && percent[i] >= percent[j];
        leaders[i] = lead;
    }
    return leaders;
}

const std::array<Friend, 8> friends = {{
    {"Бывший одноклассник Ведрин", {75, 60, 45, 35}},
    {"Уборщица из соседнего подъезда", {50, 35, 20, 10}},
    {"Директор компьютерной фирмы \"АнтиMicrosoft\"", {85, 75, 60, 45}},
    {"По объявлению \"Помогу с деньгами\"", {70, 50, 35, 25}},
    {"Доктор математических наук Синус", {95, 85, 70, 55}},
    {"Тетя Ася! Ура!!! Ас -- Больше, чем отбеливатель. (Срок рекламы скоро истечет)", {70, 50, 35, 25}},
    {"Кто такой???? Сам не знаю. В кармане номер валялся.", {70, 50, 35, 25}},
    {"Торбин", {85, 75, 60, 45}},
}};

FriendReply friendReply(Random &random, int friendNo, int difficulty, int rt, bool afterFiftyFifty,
                        const std::array<bool, 4> &visible)
{
    FriendReply reply{FriendReply::Kind::DoesNotKnow};
    if (afterFiftyFifty) {
        for (int k = 1; k <= 4; ++k)
            if (k != rt && visible[size_t(k - 1)])
                reply.nrt = k;
    } else {
        reply.nrt = drawOneTo(random, 4);
        while (reply.nrt == rt)
            reply.nrt = drawOneTo(random, 4);
    }
    reply.saysWrong = draw(random, 2, 0);
    reply.roll = draw(random, 101, 0);
    const int p = friends[size_t(std::clamp(friendNo, 1, 8) - 1)].knows[size_t(clampClass(difficulty) - 1)];
    if (reply.roll <= p) {
        reply.kind = FriendReply::Kind::Knows;
        reply.answer = rt;
    } else if (reply.saysWrong == 0 || reply.nrt == 0) {
        reply.kind = FriendReply::Kind::DoesNotKnow;
    } else {
        reply.kind = FriendReply::Kind::NamesWrong;
        reply.answer = reply.nrt;
    }
    return reply;
}

QString friendReplyText(const FriendReply &reply, const std::array<QString, 4> &captions)
{
    if (reply.kind == FriendReply::Kind::DoesNotKnow)
        return QStringLiteral("К сожалению, ваш друг не знает правильного ответа.");
    return QStringLiteral("Ваш друг думает, что правильный ответ - это вариант ") + captions[size_t(reply.answer - 1)];
}

} // namespace karv
