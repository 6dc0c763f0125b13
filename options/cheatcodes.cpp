#include "options/cheatcodes.h"

namespace karv {

namespace {
// The letter keys of the Latin layout and the Cyrillic capitals on the same keys.
constexpr char16_t keyMap[][2] = {
    {u'Q', u'Й'}, {u'W', u'Ц'}, {u'E', u'У'}, {u'R', u'К'}, {u'T', u'Е'}, {u'Y', u'Н'}, {u'U', u'Г'},
    {u'I', u'Ш'}, {u'O', u'Щ'}, {u'P', u'З'}, {u'[', u'Х'}, {u']', u'Ъ'}, {u'A', u'Ф'}, {u'S', u'Ы'},
    {u'D', u'В'}, {u'F', u'А'}, {u'G', u'П'}, {u'H', u'Р'}, {u'J', u'О'}, {u'K', u'Л'}, {u'L', u'Д'},
    {u';', u'Ж'}, {u'\'', u'Э'}, {u'Z', u'Я'}, {u'X', u'Ч'}, {u'C', u'С'}, {u'V', u'М'}, {u'B', u'И'},
    {u'N', u'Т'}, {u'M', u'Ь'}, {u',', u'Б'}, {u'.', u'Ю'},
};
} // namespace

QString russianLayoutSpelling(const QString &latin)
{
    QString out;
    out.reserve(latin.size());
    for (QChar ch : latin) {
        QChar mapped = ch;
        for (const auto &key : keyMap)
            if (ch.toUpper().unicode() == key[0])
                mapped = QChar(key[1]);
        out.append(mapped);
    }
    return out;
}

CheatCode recogniseCheat(const QString &typed)
{
    const QString code = typed.toUpper();
    for (auto [text, kind] : {std::pair{revealCode, CheatCode::RevealAnswer}, std::pair{killLimitCode, CheatCode::KillLimit}}) {
        const QString latin = QLatin1String(text);
        if (code == latin || code == russianLayoutSpelling(latin))
            return kind;
    }
    return CheatCode::None;
}

} // namespace karv
