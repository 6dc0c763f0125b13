// The maintainer's table of blind difficulty ratings (questions/ratings.tsv) against the bank:
// every record is rated, and the ladder rises in the ratings.
#include <QCryptographicHash>
#include <QFile>
#include <QHash>
#include <QTest>

#include <algorithm>
#include <cmath>

#include "questions/questionbank.h"
#include "tests/support/testmain.h"

using namespace karv;

namespace {

struct Row {
    QString key;
    QList<int> ratings;
    double mean = 0;
};

// The table's rows by "level/number".
QHash<QString, Row> table()
{
    QHash<QString, Row> rows;
    QFile f(QStringLiteral(KARV_RATINGS_TABLE));
    if (!f.open(QIODevice::ReadOnly))
        return rows;
    f.readLine(); // header
    while (!f.atEnd()) {
        const QStringList fields = QString::fromUtf8(f.readLine()).trimmed().split(QLatin1Char('\t'));
        if (fields.size() < 4)
            continue;
        Row r;
        r.key = fields[2];
        for (qsizetype i = 3; i + 1 < fields.size(); ++i)
            if (!fields[i].isEmpty())
                r.ratings << fields[i].toInt();
        r.mean = fields.last().toDouble();
        rows.insert(fields[0] + QLatin1Char('/') + fields[1], r);
    }
    return rows;
}

// A record's key in the table: it follows the question's text and says nothing of its level.
QString keyOf(const QuestionRecord &r)
{
    return QString::fromLatin1(QCryptographicHash::hash(r.question.toUtf8(), QCryptographicHash::Sha1).toHex().left(8));
}

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    const qsizetype n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

class RatingsTest : public QObject {
    Q_OBJECT
    QHash<QString, Row> rows;

private slots:
    void initTestCase()
    {
        QCOMPARE(QuestionBank::loadAll(), QStringList());
        rows = table();
        QVERIFY2(!rows.isEmpty(), KARV_RATINGS_TABLE " is missing or empty");
    }

    void everyRecordIsRatedBlindByTwoAtLeast()
    {
        for (int level = 1; level <= 15; ++level) {
            const QuestionBank &bank = QuestionBank::level(level);
            for (int n = 1; n <= bank.size(); ++n) {
                const QString where = QStringLiteral("%1/%2").arg(level).arg(n);
                QVERIFY2(rows.contains(where), qPrintable(where + ": not in the table"));
                const Row &r = rows[where];
                QVERIFY2(r.key == keyOf(bank.record(n)),
                         qPrintable(where + ": the table rates another question (rate the new one and rebuild the table)"));
                QVERIFY2(r.ratings.size() >= 2, qPrintable(where + ": fewer than two ratings"));
                double sum = 0;
                for (int x : r.ratings) {
                    QVERIFY2(x >= 1 && x <= 15, qPrintable(where + ": a rating outside 1..15"));
                    sum += x;
                }
                QVERIFY2(std::abs(sum / r.ratings.size() - r.mean) < 0.051, qPrintable(where + ": mean does not match"));
            }
        }
    }

    // The ladder is the drama: the median rating never falls from one level to the next, and
    // hardly any record is rated three or more levels below its place.
    void theLadderRisesInTheRatings()
    {
        int tooEasy = 0, total = 0;
        double previous = 0;
        for (int level = 1; level <= 15; ++level) {
            QList<double> means;
            for (int n = 1; n <= QuestionBank::level(level).size(); ++n) {
                const double m = rows.value(QStringLiteral("%1/%2").arg(level).arg(n)).mean;
                means << m;
                tooEasy += level - m >= 3 ? 1 : 0;
                ++total;
            }
            const double med = median(means);
            QVERIFY2(med >= previous, qPrintable(QStringLiteral("level %1: median rating %2 below the level before (%3)")
                                                     .arg(level).arg(med).arg(previous)));
            previous = med;
        }
        QVERIFY2(tooEasy * 100 <= total * 3,
                 qPrintable(QStringLiteral("%1 of %2 records rated three or more levels too easy").arg(tooEasy).arg(total)));
    }
};

KARV_TEST(RatingsTest)
#include "test_ratings.moc"
