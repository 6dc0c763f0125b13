#pragma once
// The rules of the three lifelines as plain functions of the program's generator: which two
// answers the fifty-fifty removes, how the hall votes and what a friend says.

#include <QString>

#include <array>

namespace karv {

class Random;

// A whole number 1..n: floor(u * n + 1).
int drawOneTo(Random &random, int n);
// The difficulty class of a question value: 1 up to 1 000, 2 up to 32 000, 3 below 1 000 000, 4 at 1 000 000.
int difficultyClass(int noq);

// The two wrong answers (1..4) the fifty-fifty removes, drawn afresh until they differ.
std::pair<int, int> fiftyFiftyDraw(Random &random, int rt);

// The hall's percentages for A, B, C, D; they add up to 100.
struct Poll {
    std::array<int, 4> percent{};
    int roll = 0;
};
// All four answers on screen.
Poll fourAnswerPoll(Random &random, int difficulty, int rt);
// After a fifty-fifty on this question: `visible` tells which answers are still shown.
Poll twoAnswerPoll(Random &random, int difficulty, int rt, const std::array<bool, 4> &visible);
// The answers whose share is not below any other's (several on a tie).
std::array<bool, 4> pollLeaders(const std::array<int, 4> &percent);

// The eight friends, top to bottom, and how often each knows the answer per difficulty class.
struct Friend {
    const char *caption;
    std::array<int, 4> knows; // the friend knows when roll <= p
};
extern const std::array<Friend, 8> friends;

struct FriendReply {
    enum class Kind { Knows, DoesNotKnow, NamesWrong } kind;
    int answer = 0; // the answer named (1..4), 0 for DoesNotKnow
    int roll = 0;
    int nrt = 0;
    int saysWrong = 0;
};
// `visible` is used after a fifty-fifty on this question (`afterFiftyFifty`): the wrong guess is
// then the one wrong answer still shown.
FriendReply friendReply(Random &random, int friendNo, int difficulty, int rt, bool afterFiftyFifty,
                        const std::array<bool, 4> &visible);
// The line the friend says, given the four answer captions.
QString friendReplyText(const FriendReply &reply, const std::array<QString, 4> &captions);

} // namespace karv
