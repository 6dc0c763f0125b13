// The fifteen question banks as the program reads them, checked against the house rules.
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QTest>

#include <array>

#include "questions/questionbank.h"
#include "tests/support/testmain.h"

using namespace karv;

namespace {
constexpr std::array<int, 15> bankSizes = {69, 67, 59, 61, 65, 60, 86, 61, 83, 64, 49, 50, 13, 10, 10};

QString fileName(int level) { return QStringLiteral("level-%1.tsv").arg(level, 2, 10, QLatin1Char('0')); }

QByteArray raw(int level)
{
    QFile f(QStringLiteral(":/questions/data/") + fileName(level));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class BankTest : public QObject {
    Q_OBJECT

private slots:
    void everyBankLoads() { QCOMPARE(QuestionBank::loadAll(), QStringList()); }

    void everyFileKeepsTheFormat_data()
    {
        QTest::addColumn<int>("level");
        for (int level = 1; level <= 15; ++level)
            QTest::newRow(qPrintable(fileName(level))) << level;
    }
    void everyFileKeepsTheFormat()
    {
        QFETCH(int, level);
        const QByteArray bytes = raw(level);
        const QString file = fileName(level);
        QVERIFY2(!bytes.isEmpty(), qPrintable(file + ": missing"));
        QVERIFY2(!bytes.startsWith("\xEF\xBB\xBF"), qPrintable(file + ": has a byte order mark"));
        QVERIFY2(!bytes.contains('\r'), qPrintable(file + ": CR in line ends"));
        QVERIFY2(bytes.endsWith('\n'), qPrintable(file + ": no final line end"));
        QVERIFY2(QString::fromUtf8(bytes).toUtf8() == bytes, qPrintable(file + ": not UTF-8"));

        QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
        lines.removeLast();
        QCOMPARE(lines.size() - 1, bankSizes[size_t(level - 1)]);
        QString error;
        const QuestionBank bank = QuestionBank::parse(bytes, file, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(bank.size(), bankSizes[size_t(level - 1)]);

        std::array<int, 4> letters{};
        for (int n = 1; n <= bank.size(); ++n) {
            const QuestionRecord &r = bank.record(n);
            const QString where = QStringLiteral("%1:%2: ").arg(file).arg(n + 1);
            ++letters[size_t(r.right - 1)];
            QVERIFY2(r.question.size() <= 133, qPrintable(where + "question longer than 133 characters"));
            QStringList texts{r.question};
            for (int k = 0; k < 4; ++k) {
                const QString &a = r.answers[size_t(k)];
                QVERIFY2(a.size() <= 35, qPrintable(where + "answer longer than 35 characters: " + a));
                QVERIFY2(a.size() > 3, qPrintable(where + "empty answer"));
                texts << a;
            }
            for (const QString &t : texts) {
                QVERIFY2(t == t.trimmed(), qPrintable(where + "leading or trailing blank"));
                QVERIFY2(!t.contains(QStringLiteral("  ")), qPrintable(where + "double blank"));
                QVERIFY2(!t.contains(QLatin1Char('"')) && !t.contains(QChar(0x00AB)) && !t.contains(QChar(0x00BB)),
                         qPrintable(where + "quotation marks must be two apostrophes"));
                QVERIFY2(!t.contains(QChar(0x0451)) && !t.contains(QChar(0x0401)),
                         qPrintable(where + "the bank writes е for ё"));
            }
        }
        for (int k = 0; k < 4; ++k) {
            const QString where = QStringLiteral("%1: letter %2 ").arg(file).arg(QChar('A' + k));
            QVERIFY2(letters[size_t(k)] > 0, qPrintable(where + "is never right"));
            if (bank.size() >= 49) {
                const double share = double(letters[size_t(k)]) / bank.size();
                QVERIFY2(share >= 0.18 && share <= 0.32, qPrintable(where + "right outside 18–32 %"));
            }
        }
    }

    void noQuestionIsAskedTwice()
    {
        QHash<QString, QString> seen;
        for (int level = 1; level <= 15; ++level) {
            const QuestionBank &bank = QuestionBank::level(level);
            for (int n = 1; n <= bank.size(); ++n) {
                QString key = bank.record(n).question.toLower();
                key.remove(QRegularExpression(QStringLiteral("[^\\w]"), QRegularExpression::UseUnicodePropertiesOption));
                const QString where = QStringLiteral("%1:%2").arg(fileName(level)).arg(n + 1);
                QVERIFY2(!seen.contains(key), qPrintable(where + ": the same question as " + seen.value(key)));
                seen.insert(key, where);
            }
        }
    }

    void theExampleRecordsStandAtTheirPlaces_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<int>("right");
        QTest::newRow("1-4") << 1 << 4 << "Как называется самый центр мишени?"
                             << QStringList{"A: Сердечко", "B: Глазок", "C: Яблочко", "D: Пятачок"} << 3;
        QTest::newRow("2-1") << 2 << 1 << "Сколько букв в русском алфавите?"
                             << QStringList{"A: 31", "B: 35", "C: 33", "D: 28"} << 3;
        QTest::newRow("6-1") << 6 << 1 << "В какой из этих игр есть термин ''каре''?"
                             << QStringList{"A: Гольф", "B: Покер", "C: Бейсбол", "D: Боулинг"} << 2;
        QTest::newRow("8-3") << 8 << 3 << "Какая птица является символом Новой Зеландии?"
                             << QStringList{"A: Казуар", "B: Киви", "C: Жако", "D: Эму"} << 2;
        QTest::newRow("9-3") << 9 << 3 << "Как называется гибрид ослицы с жеребцом?"
                             << QStringList{"A: Лошак", "B: Онагр", "C: Мул", "D: Кулан"} << 1;
    }
    void theExampleRecordsStandAtTheirPlaces()
    {
        QFETCH(int, level);
        QFETCH(int, number);
        QFETCH(QString, question);
        QFETCH(QStringList, answers);
        QFETCH(int, right);
        const QuestionRecord &r = QuestionBank::level(level).record(number);
        QCOMPARE(r.question, question);
        for (int k = 0; k < 4; ++k)
            QCOMPARE(r.answers[size_t(k)], answers[k]);
        QCOMPARE(r.right, right);
    }

    void aDamagedFileIsRefusedWithItsLine_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("error");
        const QByteArray header = "number\tright\tquestion\tanswerA\tanswerB\tanswerC\tanswerD\n";
        QTest::newRow("empty") << QByteArray() << "x.tsv, строка 1: нет заголовка";
        QTest::newRow("header only") << header << "x.tsv, строка 2: нет ни одного вопроса";
        QTest::newRow("short record") << header + "1\tA\tВопрос?\tA: 1\n" << "x.tsv, строка 2: ожидалось 7 полей";
        QTest::newRow("gap in numbers") << header + "2\tA\tВопрос?\tA: 1\tB: 2\tC: 3\tD: 4\n"
                                        << "x.tsv, строка 2: номер вопроса не по порядку";
        QTest::newRow("bad letter") << header + "1\tE\tВопрос?\tA: 1\tB: 2\tC: 3\tD: 4\n"
                                    << "x.tsv, строка 2: буква ответа не A, B, C или D";
        QTest::newRow("missing prefix") << header + "1\tA\tВопрос?\tA: 1\tB: 2\t3\tD: 4\n"
                                        << "x.tsv, строка 2: ответ без префикса C: ";
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe\x01", 4) << "x.tsv, строка 1: нет заголовка";
    }
    void aDamagedFileIsRefusedWithItsLine()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, error);
        QString got;
        QCOMPARE(QuestionBank::parse(text, QStringLiteral("x.tsv"), &got).size(), 0);
        QCOMPARE(got, error);
    }

    void aBankOfOneQuestionIsDrawnFromInFull()
    {
        const QByteArray text = "number\tright\tquestion\tanswerA\tanswerB\tanswerC\tanswerD\n"
                                "1\tD\tВопрос?\tA: 1\tB: 2\tC: 3\tD: 4\n";
        QString error;
        const QuestionBank bank = QuestionBank::parse(text, QStringLiteral("one.tsv"), &error);
        QCOMPARE(bank.size(), 1);
        QCOMPARE(bank.record(1).right, 4);
        QCOMPARE(drawNumber(0.0, 1), 1);
        QCOMPARE(drawNumber(std::nextafter(1.0, 0.0), 1), 1);
        QCOMPARE(drawNumber(std::nextafter(1.0, 0.0), 69), 69);
        QCOMPARE(drawNumber(1.0, 69), 69); // a generator out of range still lands in the bank
    }
};

KARV_TEST(BankTest)
#include "test_bank.moc"
