#pragma once
// The four one-line files the game keeps between runs, in the player's data directory:
// karv20s.inf (settings line), karv20n.inf (player name), karv20win.inf (win counter) and
// karv20ch.inf (cheat information mark). Text is Windows-1251 with CR LF, as the game has
// always written it; a line that Windows-1251 cannot hold, or whose Windows-1251 form would
// itself begin with the bytes of a byte order mark, is written as UTF-8 behind that mark.

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <array>
#include <optional>

namespace karv::datafiles {

inline constexpr char settingsFile[] = "karv20s.inf";
inline constexpr char nameFile[] = "karv20n.inf";
inline constexpr char winsFile[] = "karv20win.inf";
inline constexpr char cheatFile[] = "karv20ch.inf";

// The directory of the four files: the main menu's `win`, or the desktop's data directory.
QString directory();
QString path(const QString &fileName);

// A file counts as present only when it is an ordinary file of that name.
bool present(const QString &fileName);
// The first line without its line end; nothing when the file is missing or unreadable, or when
// anything but an ordinary file stands in its place. Never waits: a pipe put there is refused.
std::optional<QString> readLine(const QString &fileName);
// Replaces the file with one line, through a link that stands in its place. False when it could
// not be written completely: the old file then stays as it was, and the first such failure of a
// run tells the player which folder could not be written and why.
bool writeLine(const QString &fileName, const QString &line);
// A new run of the game: the next failed write is told to the player again.
void forgetReportedWriteFailure();

// Removes what interrupted writes of the four files left behind in the data directory: their
// temporary files older than a minute at `now`.
void removeLeftovers(const QDateTime &now = QDateTime::currentDateTime());

// A player name as one line: each line break (CR, LF or CR LF), tab or other control character
// becomes one blank.
QString oneLine(const QString &text);

QByteArray encodeLine(const QString &line);
QString decodeLine(const QByteArray &bytes);

// The decimal number a line begins with, blanks skipped wherever they stand; 0 when none.
double leadingNumber(const QString &line);

// Which of the five settings (time, cursor, cTime, player, tik) a settings line switches off.
std::array<bool, 5> settingsSwitchedOff(const QString &line);

// What a top-prize win does to the counter file.
struct WinCount {
    enum class Action { WriteCount, ThirdWin, Nothing } action;
    QString line; // what to write for WriteCount
};
WinCount nextWinCount(const std::optional<QString> &currentLine);

// True when an unlock-mark line unlocks the cheat information.
bool unlocksCheats(const QString &line);

} // namespace karv::datafiles
