// The data files and the single-copy lock under attack: a full disk, folders that cannot be
// written, leftover and damaged locks, pipes and other odd things in a file's place, names
// with line breaks and control characters, links, and what interrupted writes leave behind.
#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <chrono>
#include <csignal>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/datafiles.h"
#include "app/services.h"
#include "game/gamewindow.h"
#include "tests/support/fakes.h"
#include "tests/support/testmain.h"

using namespace karv;
using namespace karv::test;
using namespace karv::datafiles;

namespace {

// A disk that takes no more bytes: every write past the start of a file fails, as with a
// file-size limit of zero; the signal such a write raises is ignored, so the write reports EFBIG.
class FullDisk {
public:
    FullDisk()
    {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigaction(SIGXFSZ, &ignore, &oldAction_);
        getrlimit(RLIMIT_FSIZE, &oldLimit_);
        rlimit none = oldLimit_;
        none.rlim_cur = 0;
        setrlimit(RLIMIT_FSIZE, &none);
    }
    ~FullDisk()
    {
        setrlimit(RLIMIT_FSIZE, &oldLimit_);
        sigaction(SIGXFSZ, &oldAction_, nullptr);
    }

private:
    rlimit oldLimit_{};
    struct sigaction oldAction_ {};
};

// Sets an environment variable for the life of the object.
class Env {
public:
    Env(const char *name, const QByteArray &value) : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~Env() { had_ ? qputenv(name_, old_) : qunsetenv(name_); }

private:
    const char *name_;
    bool had_;
    QByteArray old_;
};

// Every entry of a folder with its bytes (folders and other odd entries by their kind).
QMap<QString, QByteArray> snapshot(const QString &dir)
{
    QMap<QString, QByteArray> out;
    for (const QFileInfo &info :
         QDir(dir).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        QFile f(info.absoluteFilePath());
        out.insert(info.fileName(), info.isFile() && f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<not a file>"));
    }
    return out;
}

QList<DialogCall> exclamations(const RecordingDialogs *dialogs)
{
    QList<DialogCall> out;
    for (const DialogCall &c : dialogs->calls)
        if (c.kind == DialogCall::Kind::Message && c.icon == MessageIcon::Exclamation)
            out << c;
    return out;
}

// The process ids that hold an advisory whole-file lock, as the system lists them.
bool holdsAFileLock(qint64 pid)
{
    QFile locks(QStringLiteral("/proc/locks"));
    if (!locks.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : locks.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() > 4 && fields[1] == "FLOCK" && fields[4].toLongLong() == pid)
            return true;
    }
    return false;
}

bool lockedByAnother(const QString &lockFile)
{
    const int fd = ::open(QFile::encodeName(lockFile).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool busy = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return busy;
}

const QByteArray petya("\xcf\xe5\xf2\xff\r\n"); // "Петя" in Windows-1251

} // namespace

class HostileFilesTest : public QObject {
    Q_OBJECT
    Fakes f{};

    QWidget *menu() { return topLevel(QStringLiteral("frm_start")); }
    void click(QWidget *w, const char *name)
    {
        auto *b = w->findChild<QAbstractButton *>(QLatin1String(name));
        QVERIFY2(b, name);
        b->click();
    }
    // The real desktop in place of the fake, with its data and runtime folders in `home`.
    void useRealDesktop() { install(std::unique_ptr<Desktop>()); }

private slots:
    void init() { f = installFakes(); }
    void cleanup()
    {
        QuitGame();
        installFakes(); // lets go of a real desktop and its lock
    }

    // -- Writes ---------------------------------------------------------------------------

    void aFullDiskKeepsEveryFileAndSaysSoOnce_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QByteArray>("wins");
        QTest::addColumn<QString>("file"); // the first file that cannot be written
        QTest::newRow("name at a game start") << "start" << QByteArray("1\r\n") << "karv20n.inf";
        QTest::newRow("settings on leaving the options") << "options" << QByteArray("1\r\n") << "karv20s.inf";
        QTest::newRow("win counter") << "win" << QByteArray("1\r\n") << "karv20win.inf";
        QTest::newRow("third win: counter and cheat mark") << "win" << QByteArray(" 2\r\n") << "karv20win.inf";
    }
    void aFullDiskKeepsEveryFileAndSaysSoOnce()
    {
        QFETCH(QString, action);
        QFETCH(QByteArray, wins);
        QFETCH(QString, file);
        writeDataFile(QLatin1String(settingsFile), "10111\r\n");
        writeDataFile(QLatin1String(nameFile), petya);
        writeDataFile(QLatin1String(winsFile), wins);
        writeDataFile(QLatin1String(cheatFile), "19\r\n");
        const QString dir = f.desktop->dataDir;

        GameWindow *game = nullptr;
        if (action == QLatin1String("win")) {
            f.dialogs->inputAnswers.push_back(QStringLiteral("Петя"));
            game = startNewGame();
            QVERIFY(game);
        } else {
            QVERIFY(Main());
        }
        if (action == QLatin1String("options")) {
            click(menu(), "cmd_options");
            topLevel(QStringLiteral("frm_options"))->findChild<QCheckBox *>(QStringLiteral("chk_beep"))->click();
        }
        const auto before = snapshot(dir);
        f.dialogs->inputAnswers.push_back(QStringLiteral("Вася"));
        {
            FullDisk full;
            if (action == QLatin1String("start"))
                click(menu(), "cmd_start");
            else if (action == QLatin1String("options"))
                click(topLevel(QStringLiteral("frm_options")), "cmd_OK");
            else
                game->CountWins();
        }
        QCOMPARE(snapshot(dir), before);
        auto told = exclamations(f.dialogs);
        QCOMPARE(told.size(), 1);
        QCOMPARE(told[0].title, QStringLiteral("Не удалось сохранить"));
        QVERIFY2(told[0].text.contains(QStringLiteral("''%1''").arg(file)), qPrintable(told[0].text));
        QVERIFY2(told[0].text.contains(QStringLiteral("\r\n") + QDir::toNativeSeparators(dir) + QStringLiteral("\r\n")),
                 qPrintable(told[0].text));
        QVERIFY2(told[0].text.contains(QStringLiteral("превышен допустимый размер файла")), qPrintable(told[0].text));

        // The game plays on, and later failures of the run stay quiet.
        if (action == QLatin1String("start"))
            QCOMPARE(topLevel(QStringLiteral("frm_game"))->findChild<QLabel *>(QStringLiteral("lbl_player"))->text(),
                     QStringLiteral("Вася"));
        if (action == QLatin1String("options"))
            QVERIFY(menu()->isEnabled());
        {
            FullDisk full;
            QVERIFY(!writeLine(QLatin1String(cheatFile), QStringLiteral("20")));
        }
        QCOMPARE(exclamations(f.dialogs).size(), 1);
        QCOMPARE(snapshot(dir), before);
    }

    void aFolderThatCannotBeWrittenSaysSoOnceAndPlaysOn_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing folder") << "missing" << "этой папки нет, и создать ее не удалось";
        QTest::newRow("a file in the folder's place") << "file" << "на месте папки лежит файл";
        QTest::newRow("a folder in the name file's place") << "folder" << "на месте файла лежит папка или особый файл";
        QTest::newRow("read-only folder") << "read-only" << "в эту папку нельзя записывать";
    }
    void aFolderThatCannotBeWrittenSaysSoOnceAndPlaysOn()
    {
        QFETCH(QString, where);
        QFETCH(QString, reason);
        QString dir = f.desktop->dataDir;
        if (where == QLatin1String("missing")) {
            dir += QStringLiteral("/gone/karv20");
        } else if (where == QLatin1String("file")) {
            writeDataFile(QStringLiteral("karv20"), "not a folder");
            dir += QStringLiteral("/karv20");
        } else if (where == QLatin1String("folder")) {
            QVERIFY(QDir(dir).mkdir(QLatin1String(nameFile)));
        } else {
            if (::geteuid() == 0)
                QSKIP("the superuser writes into read-only folders");
            writeDataFile(QLatin1String(nameFile), petya);
            QVERIFY(QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner));
        }
        const auto writable = qScopeGuard(
            [this] { QFile::setPermissions(f.desktop->data.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
        f.desktop->dataDir = dir;
        f.dialogs->inputAnswers.push_back(QStringLiteral("Вася"));
        GameWindow *game = startNewGame();
        QVERIFY(game && game->isVisible());
        QCOMPARE(game->findChild<QLabel *>(QStringLiteral("lbl_player"))->text(), QStringLiteral("Вася"));
        QCOMPARE(game->property("noq").toInt(), 100);
        auto told = exclamations(f.dialogs);
        QCOMPARE(told.size(), 1);
        QVERIFY2(told[0].text.contains(QDir::toNativeSeparators(dir)), qPrintable(told[0].text));
        QVERIFY2(told[0].text.contains(QStringLiteral("Причина: ") + reason + QLatin1Char('.')), qPrintable(told[0].text));
        QVERIFY(!writeLine(QLatin1String(nameFile), QStringLiteral("Петя")));
        QCOMPARE(exclamations(f.dialogs).size(), 1);
    }

    void leftoversOfInterruptedWritesAreClearedAtStart()
    {
        const QDateTime old = QDateTime::currentDateTime().addSecs(-120);
        const QStringList leftovers = {"karv20n.inf.aXCGVj", "karv20s.inf.Q1w2E3", "karv20win.inf.zzzzzz",
                                       "karv20ch.inf.AbCdEf"};
        const QStringList kept = {"karv20n.inf.fresh1", // younger than a minute: a write may be under way
                                  "karv20n.inf.toolong", "karv20x.inf.aXCGVj", "notes.txt.aXCGVj", "karv20n.inf"};
        for (const QString &name : leftovers + kept) {
            writeDataFile(name, "Вася\r\n");
            QFile file(f.desktop->dataDir + QLatin1Char('/') + name);
            QVERIFY(file.open(QIODevice::ReadWrite));
            if (name != QLatin1String("karv20n.inf.fresh1"))
                QVERIFY(file.setFileTime(old, QFileDevice::FileModificationTime));
        }
        QVERIFY(QDir(f.desktop->dataDir).mkdir(QStringLiteral("karv20s.inf.Folder")));
        QVERIFY(Main());
        const QStringList left = QDir(f.desktop->dataDir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        for (const QString &name : leftovers)
            QVERIFY2(!left.contains(name), qPrintable(name));
        for (const QString &name : kept + QStringList{QStringLiteral("karv20s.inf.Folder")})
            QVERIFY2(left.contains(name), qPrintable(name));
    }

    void aLinkInAFilesPlaceIsWrittenThrough()
    {
        const QString dir = f.desktop->dataDir;
        QVERIFY(QDir(dir).mkdir(QStringLiteral("dotfiles")));
        const QString target = dir + QStringLiteral("/dotfiles/name");
        writeDataFile(QStringLiteral("dotfiles/name"), petya);
        QVERIFY(QFile::link(QStringLiteral("dotfiles/name"), dir + QStringLiteral("/karv20n.inf")));

        {
            FullDisk full;
            QVERIFY(!writeLine(QLatin1String(nameFile), QStringLiteral("Вася")));
        }
        QCOMPARE(readDataFile(QStringLiteral("dotfiles/name")), petya);
        QVERIFY(exclamations(f.dialogs).first().text.contains(QDir::toNativeSeparators(dir + QStringLiteral("/dotfiles"))));

        QVERIFY(writeLine(QLatin1String(nameFile), QStringLiteral("Вася")));
        QVERIFY(QFileInfo(dir + QStringLiteral("/karv20n.inf")).isSymLink());
        QCOMPARE(readDataFile(QStringLiteral("dotfiles/name")), QByteArray("\xc2\xe0\xf1\xff\r\n"));
        QCOMPARE(QDir(dir + QStringLiteral("/dotfiles")).entryList(QDir::Files), QStringList{QStringLiteral("name")});
    }

    // -- Reads ----------------------------------------------------------------------------

    void oddThingsInAFilesPlaceAreNeitherReadNorReplaced_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char *kind : {"pipe", "link to a pipe", "folder", "link to a folder", "dangling link"})
            QTest::newRow(kind) << QString::fromLatin1(kind);
    }
    void oddThingsInAFilesPlaceAreNeitherReadNorReplaced()
    {
        QFETCH(QString, kind);
        const QString dir = f.desktop->dataDir;
        const QString file = dir + QStringLiteral("/karv20n.inf");
        const QByteArray pipe = QFile::encodeName(dir + QStringLiteral("/pipe"));
        QCOMPARE(::mkfifo(pipe.constData(), 0644), 0);
        if (kind == QLatin1String("pipe"))
            QVERIFY(QFile::rename(dir + QStringLiteral("/pipe"), file));
        else if (kind == QLatin1String("link to a pipe"))
            QVERIFY(QFile::link(QStringLiteral("pipe"), file));
        else if (kind == QLatin1String("folder"))
            QVERIFY(QDir(dir).mkdir(QStringLiteral("karv20n.inf")));
        else if (kind == QLatin1String("link to a folder"))
            QVERIFY(QDir(dir).mkdir(QStringLiteral("folder")) && QFile::link(QStringLiteral("folder"), file));
        else
            QVERIFY(QFile::link(QStringLiteral("nowhere"), file));
        const auto before = snapshot(dir);
        QVERIFY(!readLine(QLatin1String(nameFile)).has_value());
        // The game starts with the default name, and saving it leaves the odd thing as it was;
        // only a dangling link gets a file at its end.
        QVERIFY(Main());
        click(menu(), "cmd_start");
        QCOMPARE(f.dialogs->calls.first().defaultText, QStringLiteral("Мистер X"));
        if (kind == QLatin1String("dangling link")) {
            QVERIFY(QFileInfo(file).isSymLink());
            QCOMPARE(readDataFile(QStringLiteral("nowhere")), QByteArray("\xcc\xe8\xf1\xf2\xe5\xf0 X\r\n"));
        } else {
            QCOMPARE(snapshot(dir), before);
            QCOMPARE(QFileInfo(file).isSymLink(), kind.startsWith(QLatin1String("link")));
            QCOMPARE(exclamations(f.dialogs).size(), 1);
        }
    }

    void aPipeSwappedInJustBeforeTheReadDoesNotHang()
    {
        // Another program swaps a pipe and an ordinary file in the name file's place as fast as
        // it can, while the game reads; a read that ever waits for a writer is let go after two
        // seconds and counted.
        const QByteArray dir = QFile::encodeName(f.desktop->dataDir);
        const QByteArray target = dir + "/karv20n.inf", pipe = dir + "/pipe", plain = dir + "/plain",
                         swap = dir + "/swap";
        QCOMPARE(::mkfifo(pipe.constData(), 0644), 0);
        writeDataFile(QStringLiteral("plain"), petya);
        using Clock = std::chrono::steady_clock;
        std::atomic<bool> stop{false}, hung{false};
        bool wrongLine = false;
        std::atomic<Clock::rep> lastRead{Clock::now().time_since_epoch().count()};
        std::thread swapper([&] {
            while (!stop) {
                for (const QByteArray *from : {&plain, &pipe}) {
                    if (::link(from->constData(), swap.constData()) == 0)
                        ::rename(swap.constData(), target.constData());
                }
                if (Clock::now().time_since_epoch().count() - lastRead > Clock::duration(std::chrono::seconds(2)).count()) {
                    hung = true;
                    const int fd = ::open(pipe.constData(), O_WRONLY | O_NONBLOCK);
                    if (fd >= 0)
                        ::close(fd);
                }
            }
        });
        QElapsedTimer clock;
        clock.start();
        int reads = 0;
        while (clock.elapsed() < 3000 && !hung) {
            const auto line = readLine(QLatin1String(nameFile));
            wrongLine = wrongLine || (line && *line != QStringLiteral("Петя"));
            ++reads;
            lastRead = Clock::now().time_since_epoch().count();
        }
        stop = true;
        swapper.join();
        QVERIFY2(!hung, qPrintable(QStringLiteral("a read waited on the pipe after %1 reads").arg(reads)));
        QVERIFY(!wrongLine);
    }

    // -- Names ----------------------------------------------------------------------------

    void aNameIsOneLineAndComesBackExactly_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("utf8"); // stored as UTF-8 behind a byte order mark
        const QString vp = QStringLiteral("Вася Пупкин");
        QTest::newRow("CR") << QStringLiteral("Вася\rПупкин") << vp << false;
        QTest::newRow("LF") << QStringLiteral("Вася\nПупкин") << vp << false;
        QTest::newRow("CR LF") << QStringLiteral("Вася\r\nПупкин") << vp << false;
        QTest::newRow("tab") << QStringLiteral("Вася\tПупкин") << vp << false;
        QTest::newRow("NUL") << QString::fromUtf16(u"Вася\0Пупкин", 11) << vp << false;
        QTest::newRow("escape and delete") << QStringLiteral("Вася\x1b\x7fПупкин") << QStringLiteral("Вася  Пупкин") << false;
        QTest::newRow("line separator") << QStringLiteral("Вася\u2028Пупкин") << vp << false;
        QTest::newRow("pasted with a line end") << QStringLiteral("Вася Пупкин\r\n") << vp << false;
        QTest::newRow("line breaks only") << QStringLiteral("\r\n\t\n") << QStringLiteral("Мистер X") << false;
        QTest::newRow("Windows-1251 bytes of a byte order mark") << QStringLiteral("п»їВася") << QStringLiteral("п»їВася")
                                                                 << true;
        QTest::newRow("the same behind a blank") << QStringLiteral(" п»їВася") << QStringLiteral("п»їВася") << true;
    }
    void aNameIsOneLineAndComesBackExactly()
    {
        QFETCH(QString, typed);
        QFETCH(QString, name);
        QFETCH(bool, utf8);
        f.dialogs->inputAnswers.push_back(typed);
        QVERIFY(Main());
        click(menu(), "cmd_start");
        QCOMPARE(menu()->property("nn").toString(), name);
        QCOMPARE(topLevel(QStringLiteral("frm_game"))->findChild<QLabel *>(QStringLiteral("lbl_title"))->text(),
                 name + QStringLiteral(" хочет стать карвелоном!"));
        const QByteArray bytes = readDataFile(QLatin1String(nameFile));
        QVERIFY(bytes.endsWith("\r\n"));
        QCOMPARE(bytes.count('\r') + bytes.count('\n') + bytes.count('\t') + bytes.count('\0'), 2);
        QCOMPARE(bytes.startsWith("\xEF\xBB\xBF"), utf8);
        if (utf8)
            QCOMPARE(bytes, "\xEF\xBB\xBF" + name.toUtf8() + "\r\n");
        QCOMPARE(readLine(QLatin1String(nameFile)).value_or(QString()), name);

        // The next game proposes it as it was.
        QuitGame();
        QVERIFY(Main());
        click(menu(), "cmd_start");
        QCOMPARE(f.dialogs->calls.last().defaultText, name);
    }

    void aNameFileOfAnEarlierVersionReadsAsWritten_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");
        QTest::newRow("Windows-1251 beginning with the mark's bytes") << QByteArray("\xEF\xBB\xBF\xC2\xE0\xF1\xFF\r\n")
                                                                      << QStringLiteral("п»їВася");
        QTest::newRow("UTF-8 behind the mark") << QByteArray("\xEF\xBB\xBF\xE2\x98\xBA Zoë\r\n") << QStringLiteral("☺ Zoë");
    }
    void aNameFileOfAnEarlierVersionReadsAsWritten()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        writeDataFile(QLatin1String(nameFile), bytes);
        QCOMPARE(readLine(QLatin1String(nameFile)).value_or(QString()), name);
    }

    // -- The single-copy lock -------------------------------------------------------------

    void aLockNoLiveCopyHoldsDoesNotStopAStart_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("held"); // the start then holds the lock itself
        QTest::newRow("empty") << "empty" << true;
        QTest::newRow("garbage") << "garbage" << true;
        QTest::newRow("a dead copy's") << "dead" << true;
        QTest::newRow("unreadable") << "unreadable" << true;
        QTest::newRow("a folder in its place") << "folder" << false;
    }
    void aLockNoLiveCopyHoldsDoesNotStopAStart()
    {
        QFETCH(QString, kind);
        QFETCH(bool, held);
        QTemporaryDir home;
        const QString data = home.path() + QStringLiteral("/data/karv20-tests"), runtime = home.path() + QStringLiteral("/run");
        QVERIFY(QDir().mkpath(data) && QDir().mkpath(runtime));
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        // The damaged lock lies wherever a copy of the game has kept its lock.
        for (const QString &dir : {data, runtime}) {
            const QString lock = dir + QStringLiteral("/karv20.lock");
            if (kind == QLatin1String("folder")) {
                QVERIFY(QDir(dir).mkdir(QStringLiteral("karv20.lock")));
                continue;
            }
            QFile file(lock);
            QVERIFY(file.open(QIODevice::WriteOnly));
            if (kind == QLatin1String("garbage"))
                file.write("\xff\xfe garbage \x00\x01\n\n\n", 16);
            else if (kind == QLatin1String("dead"))
                file.write("999999\nkarv20\nelsewhere\n");
            file.close();
            if (kind == QLatin1String("unreadable"))
                QVERIFY(QFile::setPermissions(lock, {}));
        }
        Env dataHome("XDG_DATA_HOME", QFile::encodeName(home.path() + QStringLiteral("/data")));
        Env runtimeDir("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
        useRealDesktop();
        QCOMPARE(desktop().dataDirectory(), data);
        QVERIFY(!desktop().anotherCopyRunning());
        QCOMPARE(lockedByAnother(data + QStringLiteral("/karv20.lock")), held);
    }

    void aDataFolderThatCannotHoldALockStillStarts_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("read-only folder") << "read-only";
        QTest::newRow("a file in the folder's place") << "file";
    }
    void aDataFolderThatCannotHoldALockStillStarts()
    {
        QFETCH(QString, kind);
        QTemporaryDir home;
        const QString data = home.path() + QStringLiteral("/karv20-tests");
        if (kind == QLatin1String("file")) {
            QFile file(data);
            QVERIFY(file.open(QIODevice::WriteOnly));
        } else {
            QVERIFY(QDir().mkpath(data));
            QVERIFY(QFile::setPermissions(data, QFile::ReadOwner | QFile::ExeOwner));
        }
        const auto writable = qScopeGuard([&] { QFile::setPermissions(data, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
        Env dataHome("XDG_DATA_HOME", QFile::encodeName(home.path()));
        useRealDesktop();
        QVERIFY(!desktop().anotherCopyRunning());
    }

    void aSecondCopyOnTheSameDataFolderIsRefusedWhateverItsRuntimeFolder()
    {
        QTemporaryDir home;
        const QString runtime1 = home.path() + QStringLiteral("/run1"), runtime2 = home.path() + QStringLiteral("/run2");
        for (const QString &dir : {runtime1, runtime2}) {
            QVERIFY(QDir().mkpath(dir));
            QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        // The first copy: the game itself.
        QProcess first;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), home.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime1);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        first.setProcessEnvironment(env);
        first.setProgram(QStringLiteral(KARV_PROGRAM));
        first.start();
        QVERIFY(first.waitForStarted());
        QElapsedTimer clock;
        clock.start();
        while (!holdsAFileLock(first.processId()) && clock.elapsed() < 10000 && first.state() == QProcess::Running)
            QTest::qWait(20);
        QCOMPARE(first.state(), QProcess::Running);

        // The second copy: this process, as the game, with a runtime folder of its own.
        const QString testName = QCoreApplication::applicationName();
        QCoreApplication::setApplicationName(QStringLiteral("karv20"));
        Env dataHome("XDG_DATA_HOME", QFile::encodeName(home.path()));
        Env runtimeDir("XDG_RUNTIME_DIR", QFile::encodeName(runtime2));
        useRealDesktop();
        const bool refused = desktop().anotherCopyRunning();

        // Killed, the first copy leaves nothing that keeps the next one out.
        first.kill();
        first.waitForFinished();
        useRealDesktop();
        const bool refusedAfterKill = desktop().anotherCopyRunning();
        QCoreApplication::setApplicationName(testName);
        QVERIFY(refused);
        QVERIFY(!refusedAfterKill);
    }
};

KARV_TEST(HostileFilesTest)
#include "test_hostile.moc"
