#pragma once
// The fifteen question banks, one per prize level, compiled into the program, and the draw.

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace karv {

struct QuestionRecord {
    QString question;
    std::array<QString, 4> answers; // each with its own prefix "A: " ... "D: "
    int right = 1;                  // 1 = A ... 4 = D
};

// One level of the prize ladder and what belongs to it.
struct LevelInfo {
    int noq;          // the question's value in roubles
    const char *code; // how the question number message and the error report name the level
    const char *var;  // the game window's variable holding the drawn number
};
inline constexpr std::array<LevelInfo, 15> levels = {{
    {100, "100", "q100"},     {200, "200", "q200"},     {300, "300", "q300"},    {500, "500", "q500"},
    {1000, "1k", "q1k"},      {2000, "2k", "q2k"},      {4000, "4k", "q4k"},     {8000, "8k", "q8k"},
    {16000, "16k", "q16k"},   {32000, "32k", "q32k"},   {64000, "64k", "q64k"},  {125000, "125k", "q125k"},
    {250000, "250k", "q250k"}, {500000, "500k", "q500k"}, {1000000, "1m", "q1m"},
}};

// The level (1..15) of a question value; 0 when the value is not a step of the ladder.
int levelOf(int noq);

class QuestionBank {
public:
    // Parses a bank file; on failure returns an empty bank and sets `error`.
    static QuestionBank parse(const QByteArray &text, const QString &fileName, QString *error);
    // The compiled-in bank of a level (1..15).
    static const QuestionBank &level(int level);
    // Loads all fifteen banks; an empty list means every bank is usable.
    static QStringList loadAll();

    int size() const { return int(records_.size()); }
    const QuestionRecord &record(int number) const { return records_.at(size_t(number - 1)); }

private:
    std::vector<QuestionRecord> records_;
};

// n = floor(u * N + 1): 1..N for u in [0, 1).
int drawNumber(double u, int bankSize);

} // namespace karv
