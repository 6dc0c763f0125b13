#include "app/datafiles.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>
#include <QWidget>

#include <cerrno>
#include <cmath>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "app/services.h"
#include "app/windows.h"

namespace karv::datafiles {
namespace {

// Windows-1251, bytes 0x80..0xFF. 0x98 is unassigned and maps to U+FFFD.
constexpr char16_t cp1251High[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C,
    0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0xFFFD, 0x2122, 0x0459, 0x203A,
    0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9,
    0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, 0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415,
    0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423,
    0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, 0x0430, 0x0431,
    0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, 0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D,
    0x044E, 0x044F};

constexpr char utf8Bom[] = "\xEF\xBB\xBF";
// Only the first line of a file is ever used; a file larger than this is not read further.
constexpr qint64 maxLineBytes = 64 * 1024;

std::optional<char> to1251(char16_t c)
{
    if (c < 0x80)
        return char(c);
    for (int i = 0; i < 128; ++i)
        if (cp1251High[i] == c && c != 0xFFFD)
            return char(0x80 + i);
    return std::nullopt;
}

// Why a file could not be written, in the player's words.
QString failureReason(int error, const QString &target)
{
    switch (error) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return QStringLiteral("на диске не осталось свободного места");
    case EFBIG: return QStringLiteral("превышен допустимый размер файла");
    case EACCES:
    case EPERM: return QStringLiteral("в эту папку нельзя записывать");
    case EROFS: return QStringLiteral("диск открыт только для чтения");
    case ENOENT: return QStringLiteral("этой папки нет, и создать ее не удалось");
    case ENOTDIR: return QStringLiteral("на месте папки лежит файл");
    case EISDIR: return QStringLiteral("на месте файла лежит папка");
    case EIO: return QStringLiteral("ошибка чтения или записи диска");
    default: break;
    }
    const QFileInfo info(target);
    if (info.exists() && !info.isFile())
        return QStringLiteral("на месте файла лежит папка или особый файл");
    return error ? QStringLiteral("ошибка записи (код %1)").arg(error) : QStringLiteral("ошибка записи");
}

struct WriteFailure {
    QString folder; // where the new file was to be made
    QString reason;
};

// Writes the whole file beside the old one and puts it in place only when every byte reached
// the disk; on any failure the temporary file is discarded and the old file is not touched.
std::optional<WriteFailure> replaceFile(const QString &filePath, const QByteArray &bytes)
{
    // A link in the file's place is written through: the new file is made beside its target.
    const QFileInfo link(filePath);
    const QString target = link.isSymLink() ? link.symLinkTarget() : filePath;
    QSaveFile f(filePath);
    auto failed = [&](int error) {
        if (!error && f.error() == QFileDevice::PermissionsError)
            error = EACCES;
        f.cancelWriting();
        return WriteFailure{QDir::toNativeSeparators(QFileInfo(target).absolutePath()), failureReason(error, target)};
    };
    // Only an ordinary file is ever replaced: a pipe, a device or a folder in the file's place,
    // or at the end of its link, is left alone.
    if (const QFileInfo final(filePath); final.exists() && !final.isFile())
        return failed(0);
    errno = 0;
    // Unbuffered, so that a short write shows here and not in a flush hidden inside commit().
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed(errno);
    errno = 0;
    if (f.write(bytes) != bytes.size())
        return failed(errno ? errno : EIO);
#ifdef Q_OS_UNIX
    // A full disk may only show when the data reaches it.
    if (::fsync(f.handle()) != 0)
        return failed(errno);
#endif
    errno = 0;
    if (!f.commit())
        return failed(errno);
    return std::nullopt;
}

bool writeFailureReported = false;

// The window a message about a failed write belongs to: the one the player looks at.
QWidget *messageOwner()
{
    if (QWidget *active = QApplication::activeWindow(); active && active->isVisible())
        return active;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->isWindow() && !w->objectName().isEmpty()
            && (w->windowType() == Qt::Window || w->windowType() == Qt::Dialog))
            return w;
    return nullptr;
}

} // namespace

QString directory()
{
    if (QWidget *menu = loadedWindow(QStringLiteral("frm_start"))) {
        const QString win = menu->property("win").toString();
        if (!win.isEmpty())
            return win;
    }
    return desktop().dataDirectory();
}

QString path(const QString &fileName) { return directory() + QLatin1Char('/') + fileName; }

bool present(const QString &fileName)
{
    const QFileInfo info(path(fileName));
    return info.exists() && info.isFile() && !info.isHidden()
           && info.fileName().toLower() == fileName.toLower();
}

QByteArray encodeLine(const QString &line)
{
    QByteArray out;
    out.reserve(line.size());
    for (QChar ch : line) {
        const auto b = to1251(ch.unicode());
        if (!b)
            return QByteArray(utf8Bom) + line.toUtf8();
        out.append(*b);
    }
    // A line read back behind these bytes would be taken for UTF-8.
    if (out.startsWith(utf8Bom))
        return QByteArray(utf8Bom) + line.toUtf8();
    return out;
}

QString decodeLine(const QByteArray &bytes)
{
    if (bytes.startsWith(utf8Bom)) {
        // Earlier versions wrote such a name in Windows-1251 as it was; what is not UTF-8
        // behind the mark is read that way.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8(bytes.mid(3));
        if (!utf8.hasError())
            return text;
    }
    QString out;
    out.reserve(bytes.size());
    for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        out.append(u < 0x80 ? QChar(u) : QChar(cp1251High[u - 0x80]));
    }
    return out;
}

std::optional<QString> readLine(const QString &fileName)
{
    QFile f;
#ifdef Q_OS_UNIX
    // One step: open without waiting (a pipe would block a plain open until someone writes
    // to it), then refuse whatever the opened thing is if it is not an ordinary file.
    const int fd = ::open(QFile::encodeName(path(fileName)).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || !f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
#else
    if (!present(fileName))
        return std::nullopt;
    f.setFileName(path(fileName));
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
#endif
    QByteArray line;
    char buf[4096];
    while (line.size() < maxLineBytes) {
        const qint64 n = f.read(buf, sizeof buf);
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            break;
        const QByteArray chunk(buf, int(n));
        const int end = [&] {
            const int cr = chunk.indexOf('\r');
            const int lf = chunk.indexOf('\n');
            if (cr < 0)
                return lf;
            if (lf < 0)
                return cr;
            return std::min(cr, lf);
        }();
        if (end >= 0) {
            line += chunk.left(end);
            break;
        }
        line += chunk;
    }
    return decodeLine(line.left(maxLineBytes));
}

bool writeLine(const QString &fileName, const QString &line)
{
    const auto failure = replaceFile(path(fileName), encodeLine(line) + "\r\n");
    if (!failure)
        return true;
    if (!writeFailureReported) {
        writeFailureReported = true;
        dialogs().message(messageOwner(), MessageIcon::Exclamation, QStringLiteral("Не удалось сохранить"),
                          QStringLiteral("Игра не смогла записать файл ''%1'' в папку\r\n%2\r\n"
                                         "Причина: %3.\r\n"
                                         "Игра продолжается, но эти данные не сохранятся.\r\n"
                                         "О других ошибках записи до выхода из игры сообщений не будет.")
                              .arg(fileName, failure->folder, failure->reason));
    }
    return false;
}

void forgetReportedWriteFailure() { writeFailureReported = false; }

void removeLeftovers(const QDateTime &now)
{
    // QSaveFile names its temporary file after the final one, with six letters or digits added.
    static const QRegularExpression temporary(QStringLiteral("^karv20(s|n|win|ch)\\.inf\\.[A-Za-z0-9]{6}$"));
    const QDir dir(directory());
    for (const QFileInfo &info : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks)) {
        if (temporary.match(info.fileName()).hasMatch() && info.lastModified().secsTo(now) > 60)
            QFile::remove(info.absoluteFilePath());
    }
}

QString oneLine(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            ++i; // CR LF is one line break
        const bool control = c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
        out.append(control ? QChar(u' ') : text.at(i));
    }
    return out;
}

double leadingNumber(const QString &line)
{
    QString s;
    bool digits = false, point = false, exponent = false, expDigits = false;
    for (QChar ch : line) {
        if (ch == QLatin1Char(' ') || ch == QLatin1Char('\t') || ch == QLatin1Char('\n') || ch == QLatin1Char('\r'))
            continue;
        const char c = ch.toLatin1();
        if (c >= '0' && c <= '9') {
            (exponent ? expDigits : digits) = true;
            s += ch;
        } else if ((c == '+' || c == '-') && s.isEmpty()) {
            s += ch;
        } else if ((c == '+' || c == '-') && exponent && (s.endsWith(QLatin1Char('e')))) {
            s += ch;
        } else if (c == '.' && !point && !exponent) {
            point = true;
            s += ch;
        } else if ((c == 'e' || c == 'E' || c == 'd' || c == 'D') && digits && !exponent) {
            exponent = true;
            s += QLatin1Char('e');
        } else {
            break;
        }
    }
    if (exponent && !expDigits) {
        while (!s.isEmpty() && !s.back().isDigit())
            s.chop(1);
    }
    if (!digits)
        return 0;
    bool ok = false;
    const double v = s.toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0;
}

std::array<bool, 5> settingsSwitchedOff(const QString &line)
{
    std::array<bool, 5> off{};
    if (line.isEmpty())
        return off;
    for (int k = 1; k <= 4; ++k)
        off[k - 1] = line.at(std::min<qsizetype>(k, line.size()) - 1) == QLatin1Char('0');
    off[4] = line.back() == QLatin1Char('0');
    return off;
}

WinCount nextWinCount(const std::optional<QString> &currentLine)
{
    if (!currentLine)
        return {WinCount::Action::WriteCount, QStringLiteral("1")};
    // The count is kept as a 16-bit number; anything that would not fit is far past 3.
    const double sum = leadingNumber(*currentLine) + 1;
    if (!(sum < 32767.5) || !(sum >= -32768.5))
        return {WinCount::Action::Nothing, {}};
    const double v = std::nearbyint(sum); // ties to even, the default rounding mode
    if (v < 3)
        return {WinCount::Action::WriteCount,
                (v < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + QString::number(std::abs(qint64(v)))};
    if (v == 3)
        return {WinCount::Action::ThirdWin, QStringLiteral("100")};
    return {WinCount::Action::Nothing, {}};
}

bool unlocksCheats(const QString &line) { return leadingNumber(line) == 20; }

} // namespace karv::datafiles
