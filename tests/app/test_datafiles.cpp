// The four one-line data files: their forms, their readers and what a damaged file does.
#include <QDir>
#include <QFile>
#include <QTest>

#include "app/datafiles.h"
#include "app/services.h"
#include "tests/support/fakes.h"
#include "tests/support/testmain.h"

using namespace karv;
using namespace karv::test;
using namespace karv::datafiles;

class DataFilesTest : public QObject {
    Q_OBJECT
    Fakes f{};

private slots:
    void init() { f = installFakes(); }

    void theLeadingNumberOfALine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "20" << 20.0;
        QTest::newRow("blank before") << " 20" << 20.0;
        QTest::newRow("blanks inside") << "2 0" << 20.0;
        QTest::newRow("letter after") << "20x" << 20.0;
        QTest::newRow("decimal") << "20.0" << 20.0;
        QTest::newRow("half") << "20.5" << 20.5;
        QTest::newRow("negative") << "-3" << -3.0;
        QTest::newRow("exponent") << "2e1" << 20.0;
        QTest::newRow("exponent without digits") << "2e" << 2.0;
        QTest::newRow("second point stops") << "1.5.3" << 1.5;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("no number") << "x20" << 0.0;
        QTest::newRow("sign only") << "-" << 0.0;
        QTest::newRow("too large for a double") << "1e999" << 0.0;
    }
    void theLeadingNumberOfALine()
    {
        QFETCH(QString, line);
        QFETCH(double, value);
        QCOMPARE(leadingNumber(line), value);
    }

    void theUnlockMark_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("unlocked");
        for (const char *yes : {"20", " 20", "20.0", "20x"})
            QTest::newRow(yes) << QString::fromLatin1(yes) << true;
        for (const char *no : {"21", "2", "20.5", ""})
            QTest::newRow(no[0] ? no : "empty") << QString::fromLatin1(no) << false;
    }
    void theUnlockMark()
    {
        QFETCH(QString, line);
        QFETCH(bool, unlocked);
        QCOMPARE(unlocksCheats(line), unlocked);
    }

    void theWinCounterRunsToOneHundred_data()
    {
        QTest::addColumn<QString>("before"); // "<missing>" for no file
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("written");
        using A = WinCount::Action;
        QTest::newRow("missing") << "<missing>" << int(A::WriteCount) << "1";
        QTest::newRow("first") << "1" << int(A::WriteCount) << " 2";
        QTest::newRow("second") << " 2" << int(A::ThirdWin) << "100";
        QTest::newRow("digit 2 without blank") << "2" << int(A::ThirdWin) << "100";
        QTest::newRow("after the third") << "100" << int(A::Nothing) << "";
        QTest::newRow("not a number") << "abc" << int(A::WriteCount) << " 1";
        QTest::newRow("half rounds to even") << "0.5" << int(A::WriteCount) << " 2";
        QTest::newRow("negative") << "-5" << int(A::WriteCount) << "-4";
        QTest::newRow("16-bit overflow") << "32767" << int(A::Nothing) << "";
        QTest::newRow("huge") << "1e300" << int(A::Nothing) << "";
        QTest::newRow("huge negative") << "-99999" << int(A::Nothing) << "";
    }
    void theWinCounterRunsToOneHundred()
    {
        QFETCH(QString, before);
        QFETCH(int, action);
        QFETCH(QString, written);
        const auto line = before == QLatin1String("<missing>") ? std::nullopt : std::optional<QString>(before);
        const WinCount next = nextWinCount(line);
        QCOMPARE(int(next.action), action);
        if (next.action != WinCount::Action::Nothing)
            QCOMPARE(next.line, written);
    }

    void linesAreWrittenInTheOldCodePageWithCrLf()
    {
        QVERIFY(writeLine(QLatin1String(nameFile), QStringLiteral("Мистер X")));
        QCOMPARE(readDataFile(QLatin1String(nameFile)), QByteArray("\xcc\xe8\xf1\xf2\xe5\xf0 X\r\n"));
        QCOMPARE(readLine(QLatin1String(nameFile)).value(), QStringLiteral("Мистер X"));
    }

    void aLineTheOldCodePageCannotHoldComesBackExactly()
    {
        const QString name = QStringLiteral("Ἀθηνᾶ 😀 Ёжик");
        QVERIFY(writeLine(QLatin1String(nameFile), name));
        QCOMPARE(readLine(QLatin1String(nameFile)).value(), name);
    }

    void onlyTheFirstLineIsRead_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("line");
        QTest::newRow("crlf") << QByteArray("abc\r\ndef\r\n") << "abc";
        QTest::newRow("lf") << QByteArray("abc\ndef") << "abc";
        QTest::newRow("cr") << QByteArray("abc\rdef") << "abc";
        QTest::newRow("no line end") << QByteArray("abc") << "abc";
        QTest::newRow("empty line") << QByteArray("\r\n") << "";
        QTest::newRow("empty file") << QByteArray() << "";
        QTest::newRow("binary") << QByteArray("\x00\x01\xff\x98", 4) << QString::fromUtf16(u"\u0000\u0001\u044f\ufffd", 4);
    }
    void onlyTheFirstLineIsRead()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, line);
        writeDataFile(QLatin1String(settingsFile), bytes);
        QCOMPARE(readLine(QLatin1String(settingsFile)).value(), line);
    }

    void aHugeFileIsReadOnlyAsFarAsItsFirstLine()
    {
        QFile big(f.desktop->dataDir + QStringLiteral("/karv20s.inf"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        const QByteArray block(1 << 20, '1');
        for (int i = 0; i < 50; ++i)
            big.write(block);
        big.close();
        const auto line = readLine(QLatin1String(settingsFile));
        QVERIFY(line.has_value());
        QVERIFY(line->size() <= 64 * 1024);
        QCOMPARE(settingsSwitchedOff(*line), (std::array<bool, 5>{}));
    }

    void aFolderWhereAFileShouldBeCountsAsMissing()
    {
        QVERIFY(QDir(f.desktop->dataDir).mkdir(QStringLiteral("karv20n.inf")));
        QVERIFY(!present(QLatin1String(nameFile)));
        QVERIFY(!readLine(QLatin1String(nameFile)).has_value());
        QVERIFY(!writeLine(QLatin1String(nameFile), QStringLiteral("Иван")));
    }

    void anUnwritableDirectoryFailsWithoutHarmingTheOtherFiles()
    {
        writeDataFile(QLatin1String(winsFile), " 2\r\n");
        // A data directory that is really a file cannot hold anything.
        const QString blocker = f.desktop->dataDir + QStringLiteral("/blocker");
        writeDataFile(QStringLiteral("blocker"), "x");
        const QString good = f.desktop->dataDir;
        f.desktop->dataDir = blocker;
        QVERIFY(!writeLine(QLatin1String(settingsFile), QStringLiteral("11111")));
        QVERIFY(!readLine(QLatin1String(settingsFile)).has_value());
        f.desktop->dataDir = good;
        QCOMPARE(readDataFile(QLatin1String(winsFile)), QByteArray(" 2\r\n"));
    }

    void aRewriteReplacesTheWholeFile()
    {
        writeDataFile(QLatin1String(nameFile), "a very long old name\r\nsecond line\r\n");
        QVERIFY(writeLine(QLatin1String(nameFile), QStringLiteral("Ян")));
        QCOMPARE(readDataFile(QLatin1String(nameFile)), QByteArray("\xdf\xed\r\n"));
    }
};

KARV_TEST(DataFilesTest)
#include "test_datafiles.moc"
