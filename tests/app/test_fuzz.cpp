// Every reader of outside input fed random and hostile bytes: no crash, no hang, and the
// results stay within what the game can use.
#include <QRandomGenerator>
#include <QTest>

#include "app/datafiles.h"
#include "questions/questionbank.h"
#include "tests/support/fakes.h"
#include "tests/support/testmain.h"

using namespace karv;
using namespace karv::test;
using namespace karv::datafiles;

namespace {
QByteArray randomBytes(QRandomGenerator &gen, int maxLength, const QByteArray &alphabet = {})
{
    QByteArray out(int(gen.bounded(maxLength + 1)), '\0');
    for (char &c : out)
        c = alphabet.isEmpty() ? char(gen.bounded(256)) : alphabet.at(int(gen.bounded(alphabet.size())));
    return out;
}
} // namespace

class FuzzTest : public QObject {
    Q_OBJECT
    Fakes f{};

private slots:
    void init() { f = installFakes(); }

    void theFileReadersTakeAnyBytes()
    {
        QRandomGenerator gen(1207);
        const QByteArray numberish = " +-0123456789.eEdD\t\r\nx";
        for (int i = 0; i < 3000; ++i) {
            const QByteArray bytes = randomBytes(gen, 200, i % 2 ? numberish : QByteArray());
            writeDataFile(QLatin1String(winsFile), bytes);
            const auto line = readLine(QLatin1String(winsFile));
            QVERIFY(line.has_value());
            QVERIFY(!line->contains(QLatin1Char('\r')) && !line->contains(QLatin1Char('\n')));
            const double v = leadingNumber(*line);
            QVERIFY(std::isfinite(v));
            const WinCount next = nextWinCount(line);
            if (next.action == WinCount::Action::WriteCount) {
                bool ok = false;
                const int written = next.line.trimmed().toInt(&ok);
                QVERIFY(ok && written < 3 && written >= -32768);
            }
            settingsSwitchedOff(*line);
            unlocksCheats(*line);
        }
    }

    void encodingRoundTripsAnyText()
    {
        QRandomGenerator gen(42);
        for (int i = 0; i < 2000; ++i) {
            QString text;
            const int n = int(gen.bounded(40));
            for (int k = 0; k < n; ++k) {
                char32_t c;
                do
                    c = char32_t(gen.bounded(i % 2 ? 0x500u : 0x1F700u));
                while (c < 0x20 || (c >= 0xD800 && c < 0xE000) || c == 0x7F);
                text += QString::fromUcs4(&c, 1);
            }
            QCOMPARE(decodeLine(encodeLine(text)), text);
        }
    }

    void theBankParserRefusesDamageCleanly()
    {
        QRandomGenerator gen(99);
        const QByteArray header = "number\tright\tquestion\tanswerA\tanswerB\tanswerC\tanswerD\n";
        const QByteArray good = "1\tB\tВопрос?\tA: 1\tB: 2\tC: 3\tD: 4\n";
        for (int i = 0; i < 3000; ++i) {
            QByteArray text = header + good;
            // Damage a few bytes, cut the text or append noise.
            switch (i % 3) {
            case 0:
                for (int k = 0; k < 3; ++k)
                    text[int(gen.bounded(text.size()))] = char(gen.bounded(256));
                break;
            case 1: text.truncate(int(gen.bounded(text.size()))); break;
            default: text += randomBytes(gen, 100, "\t\nABCD: 0123456789?"); break;
            }
            QString error;
            const QuestionBank bank = QuestionBank::parse(text, QStringLiteral("fuzz.tsv"), &error);
            QCOMPARE(bank.size() == 0, !error.isEmpty());
            for (int n = 1; n <= bank.size(); ++n) {
                QVERIFY(bank.record(n).right >= 1 && bank.record(n).right <= 4);
                QCOMPARE(drawNumber(0.999999, bank.size()) <= bank.size(), true);
            }
        }
    }
};

KARV_TEST(FuzzTest)
#include "test_fuzz.moc"
