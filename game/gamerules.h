#pragma once
// The rules of the ladder and the clock as tables: what each level advance sets, and the
// stages of the question clock.

#include <QString>

#include <array>

namespace karv {

inline constexpr int advanceInterval = 3000;

// One level advance: the timer that runs it and everything it sets.
struct AdvanceRow {
    const char *timer;
    int noq;            // the new question's value
    int money;
    const char *sMoney;
    int summa;          // -1 where the guaranteed sum does not change
    const char *sSumma;
    const char *qu, *zar, *ost, *lose; // the four money lines
    int limit;          // the new question's time limit in seconds
};

inline constexpr std::array<AdvanceRow, 14> advances = {{
    {"tmr_01to02", 200, 100, "100", -1, "", "200", "100", "0", "100", 30},
    {"tmr_02to03", 300, 200, "200", -1, "", "300", "200", "0", "200", 30},
    {"tmr_03to05", 500, 300, "300", -1, "", "500", "300", "0", "300", 30},
    {"tmr_05to1", 1000, 500, "500", -1, "", "1 000", "500", "0", "500", 30},
    {"tmr_1to2", 2000, 1000, "1 000", 1000, "1 000", "2 000", "1 000", "1 000", "0", 40},
    {"tmr_2to4", 4000, 2000, "2 000", -1, "", "4 000", "2 000", "1 000", "1 000", 40},
    {"tmr_4to8", 8000, 4000, "4 000", -1, "", "8 000", "4 000", "1 000", "3 000", 40},
    {"tmr_8to16", 16000, 8000, "8 000", -1, "", "16 000", "8 000", "1 000", "7 000", 40},
    {"tmr_16to32", 32000, 16000, "16 000", -1, "", "32 000", "16 000", "1 000", "15 000", 40},
    {"tmr_32to64", 64000, 32000, "32 000", 32000, "32 000", "64 000", "32 000", "32 000", "0", 50},
    {"tmr_64to125", 125000, 64000, "64 000", -1, "", "125 000", "64 000", "32 000", "32 000", 50},
    {"tmr_125to250", 250000, 125000, "125 000", -1, "", "250 000", "125 000", "32 000", "93 000", 50},
    {"tmr_250to500", 500000, 250000, "250 000", -1, "", "500 000", "250 000", "32 000", "218 000", 50},
    {"tmr_500to1m", 1000000, 500000, "500 000", -1, "", "1 000 000", "500 000", "32 000", "468 000", 60},
}};

// The clock changes colour on the tick that shows exactly two thirds and one third of the limit.
enum class ClockStage { None, Warning, Urgent };
constexpr ClockStage clockStage(int limit, int shown)
{
    if (shown == (2 * limit) / 3)
        return ClockStage::Warning;
    if (shown == limit / 3)
        return ClockStage::Urgent;
    return ClockStage::None;
}

// The author's address, shown by the About window and used by the error report.
inline constexpr char authorEmail[] = "karvelon.avtor@example.org";
// The subject of the error report about a question: level code and number.
QString errorReportSubject(const QString &levelCode, int number);

} // namespace karv
