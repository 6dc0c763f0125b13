#include "questions/questionbank.h"

#include <QFile>

#include <cmath>

namespace karv {

int levelOf(int noq)
{
    for (size_t i = 0; i < levels.size(); ++i)
        if (levels[i].noq == noq)
            return int(i) + 1;
    return 0;
}

int drawNumber(double u, int bankSize)
{
    const int n = int(std::floor(u * bankSize + 1));
    // A generator that strays outside [0, 1) must not reach past the bank.
    return std::clamp(n, 1, bankSize);
}

QuestionBank QuestionBank::parse(const QByteArray &text, const QString &fileName, QString *error)
{
    static const QString header = QStringLiteral("number\tright\tquestion\tanswerA\tanswerB\tanswerC\tanswerD");
    static const char *const prefixes[4] = {"A: ", "B: ", "C: ", "D: "};
    QuestionBank bank;
    auto fail = [&](int line, const QString &why) {
        if (error)
            *error = QStringLiteral("%1, строка %2: %3").arg(fileName).arg(line).arg(why);
        return QuestionBank{};
    };
    QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    if (lines.isEmpty() || lines.front() != header)
        return fail(1, QStringLiteral("нет заголовка"));
    for (int i = 1; i < lines.size(); ++i) {
        const QStringList f = lines.at(i).split(QLatin1Char('\t'));
        if (f.size() != 7)
            return fail(i + 1, QStringLiteral("ожидалось 7 полей"));
        bool ok = false;
        if (f[0].toInt(&ok) != i || !ok)
            return fail(i + 1, QStringLiteral("номер вопроса не по порядку"));
        const QString letter = f[1];
        if (letter.size() != 1 || letter < QLatin1String("A") || letter > QLatin1String("D"))
            return fail(i + 1, QStringLiteral("буква ответа не A, B, C или D"));
        QuestionRecord r;
        r.right = letter.at(0).unicode() - 'A' + 1;
        r.question = f[2];
        if (r.question.isEmpty())
            return fail(i + 1, QStringLiteral("пустой вопрос"));
        for (int k = 0; k < 4; ++k) {
            r.answers[size_t(k)] = f[3 + k];
            if (!f[3 + k].startsWith(QLatin1String(prefixes[k])))
                return fail(i + 1, QStringLiteral("ответ без префикса %1").arg(QLatin1String(prefixes[k])));
        }
        bank.records_.push_back(std::move(r));
    }
    if (bank.records_.empty())
        return fail(2, QStringLiteral("нет ни одного вопроса"));
    return bank;
}

namespace {
struct Banks {
    std::array<QuestionBank, 15> banks;
    QStringList errors;
};

const Banks &banks()
{
    static const Banks all = [] {
        Banks b;
        for (int level = 1; level <= 15; ++level) {
            const QString name = QStringLiteral("level-%1.tsv").arg(level, 2, 10, QLatin1Char('0'));
            QFile f(QStringLiteral(":/questions/data/") + name);
            if (!f.open(QIODevice::ReadOnly)) {
                b.errors << QStringLiteral("%1: файл не найден").arg(name);
                continue;
            }
            QString error;
            b.banks[size_t(level - 1)] = QuestionBank::parse(f.readAll(), name, &error);
            if (!error.isEmpty())
                b.errors << error;
        }
        return b;
    }();
    return all;
}
} // namespace

const QuestionBank &QuestionBank::level(int level) { return banks().banks.at(size_t(std::clamp(level, 1, 15) - 1)); }

QStringList QuestionBank::loadAll() { return banks().errors; }

} // namespace karv
