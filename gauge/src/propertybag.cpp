#include "fillgauge.h"

#include <QBuffer>
#include <QHash>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QStringDecoder>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

namespace gaugekit {

class PropertyBagData : public QSharedData {
public:
    std::vector<std::pair<QString, QVariant>> entries;
    QHash<QString, qsizetype> index;
};

// An empty bag, and a bag moved from, hold no data until the first write.
PropertyBag::PropertyBag() = default;
PropertyBag::PropertyBag(const PropertyBag &other) = default;
PropertyBag::PropertyBag(PropertyBag &&other) noexcept = default;
PropertyBag &PropertyBag::operator=(const PropertyBag &other) = default;
PropertyBag &PropertyBag::operator=(PropertyBag &&other) noexcept = default;
PropertyBag::~PropertyBag() = default;

void PropertyBag::write(const QString &key, const QVariant &value)
{
    if (!d)
        d = new PropertyBagData;
    if (const auto at = d->index.constFind(key); at != d->index.constEnd()) {
        d->entries[size_t(*at)].second = value;
        return;
    }
    d->index.insert(key, qsizetype(d->entries.size()));
    d->entries.emplace_back(key, value);
}

QVariant PropertyBag::read(const QString &key, const QVariant &defaultValue) const
{
    if (!d)
        return defaultValue;
    const auto at = d->index.constFind(key);
    return at == d->index.constEnd() ? defaultValue : d->entries[size_t(*at)].second;
}

QStringList PropertyBag::keys() const
{
    QStringList out;
    if (!d)
        return out;
    out.reserve(qsizetype(d->entries.size()));
    for (const auto &entry : d->entries)
        out << entry.first;
    return out;
}

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

bool isBareKeyChar(char16_t c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '.' ||
           c == '-';
}

bool isHex(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

bool guiRunning() { return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr; }

// ---- writing ----

void appendUnit(QByteArray &out, char16_t unit)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\u%04X", unsigned(unit));
    out += buf;
}

QByteArray quoted(QStringView s)
{
    QByteArray out;
    out.reserve(s.size() + 2);
    out += '"';
    qsizetype runStart = 0;
    const auto flush = [&](qsizetype end) {
        if (end > runStart)
            out += s.mid(runStart, end - runStart).toUtf8();
    };
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t u = s[i].unicode();
        const bool pair = QChar::isHighSurrogate(u) && i + 1 < s.size() && QChar::isLowSurrogate(s[i + 1].unicode());
        if (pair) {
            ++i;
            continue;
        }
        const bool plain = u >= 0x20 && u != 0x7F && u != '\\' && u != '"' && !QChar::isSurrogate(u);
        if (plain)
            continue;
        flush(i);
        runStart = i + 1;
        switch (u) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default: appendUnit(out, u);
        }
    }
    flush(s.size());
    out += '"';
    return out;
}

QByteArray keyText(const QString &key)
{
    const bool bare = !key.isEmpty() && std::all_of(key.begin(), key.end(), [](QChar c) { return isBareKeyChar(c.unicode()); });
    return bare ? key.toLatin1() : quoted(key);
}

template <class T> QByteArray number(T v)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return QByteArray(buf, r.ptr - buf);
}

QByteArray iconPng(const QIcon &icon)
{
    if (icon.isNull())
        return {};
    QSize size(32, 32);
    for (const QSize &s : icon.availableSizes())
        if (s.width() * s.height() > size.width() * size.height())
            size = s;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    icon.pixmap(size).toImage().save(&buffer, "PNG");
    return png.toBase64();
}

QByteArray valueText(const QVariant &v)
{
    if (v.metaType() == QMetaType::fromType<UnreadableValue>())
        return "damaged " + v.value<UnreadableValue>().text.toBase64();
    switch (v.metaType().id()) {
    case QMetaType::UnknownType: return "empty";
    case QMetaType::Bool: return v.toBool() ? "bool true" : "bool false";
    case QMetaType::Short: return "short " + number(v.value<short>());
    case QMetaType::Int:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar: return "int " + number(v.toInt());
    case QMetaType::Long:
    case QMetaType::LongLong: return "long " + number(v.toLongLong());
    case QMetaType::UInt: return "uint 0x" + QByteArray::number(v.toUInt(), 16).toUpper().rightJustified(8, '0');
    case QMetaType::ULong:
    case QMetaType::ULongLong: return "ulong " + number(v.toULongLong());
    case QMetaType::Float: return "float " + number(v.value<float>());
    case QMetaType::Double: return "double " + number(v.toDouble());
    case QMetaType::QByteArray: return "bytes " + v.toByteArray().toBase64();
    case QMetaType::QFont: return "font " + quoted(v.value<QFont>().toString());
    case QMetaType::QIcon: {
        const QByteArray png = iconPng(v.value<QIcon>());
        return png.isEmpty() ? QByteArray("icon") : "icon " + png;
    }
    default: return "string " + quoted(v.toString());
    }
}

// ---- reading ----

QByteArrayView trimmed(QByteArrayView s)
{
    while (!s.isEmpty() && isBlank(s.front()))
        s = s.sliced(1);
    while (!s.isEmpty() && isBlank(s.back()))
        s.chop(1);
    return s;
}

// Reads a quoted text starting at s[pos] == '"'; pos ends after the closing quote.
std::optional<QString> readQuoted(QByteArrayView s, qsizetype &pos)
{
    if (pos >= s.size() || s[pos] != '"')
        return std::nullopt;
    ++pos;
    QString out;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    qsizetype runStart = pos;
    const auto flush = [&](qsizetype end) {
        if (end > runStart)
            out += utf8.decode(s.sliced(runStart, end - runStart));
        return !utf8.hasError();
    };
    while (pos < s.size()) {
        const char c = s[pos];
        if (c == '"') {
            if (!flush(pos))
                return std::nullopt;
            ++pos;
            return out;
        }
        if (c != '\\') {
            ++pos;
            continue;
        }
        if (!flush(pos) || pos + 1 >= s.size())
            return std::nullopt;
        const char e = s[pos + 1];
        pos += 2;
        switch (e) {
        case '\\': out += u'\\'; break;
        case '"': out += u'"'; break;
        case 'n': out += u'\n'; break;
        case 'r': out += u'\r'; break;
        case 't': out += u'\t'; break;
        case 'u': {
            if (pos + 4 > s.size() || !std::all_of(s.begin() + pos, s.begin() + pos + 4, isHex))
                return std::nullopt;
            out += QChar(char16_t(QByteArray(s.sliced(pos, 4).data(), 4).toUInt(nullptr, 16)));
            pos += 4;
            break;
        }
        default: return std::nullopt;
        }
        runStart = pos;
    }
    return std::nullopt; // no closing quote
}

// A quoted text that is all of s.
std::optional<QString> wholeQuoted(QByteArrayView s)
{
    qsizetype pos = 0;
    auto text = readQuoted(s, pos);
    return pos == s.size() ? text : std::nullopt;
}

template <class T> std::optional<T> wholeNumber(QByteArrayView s, int base = 10)
{
    T v{};
    const char *end = s.data() + s.size();
    std::from_chars_result r;
    if constexpr (std::is_floating_point_v<T>)
        r = std::from_chars(s.data(), end, v);
    else
        r = std::from_chars(s.data(), end, v, base);
    if (s.isEmpty() || r.ec != std::errc() || r.ptr != end)
        return std::nullopt;
    return v;
}

std::optional<QByteArray> base64(QByteArrayView s)
{
    auto decoded = QByteArray::fromBase64Encoding(s.toByteArray(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return std::nullopt;
    return std::move(decoded.decoded);
}

template <class T> std::optional<QVariant> boxed(const std::optional<T> &v)
{
    return v ? std::optional<QVariant>(QVariant::fromValue(*v)) : std::nullopt;
}

std::optional<QVariant> readValue(QByteArrayView text)
{
    qsizetype typeEnd = 0;
    while (typeEnd < text.size() && text[typeEnd] >= 'a' && text[typeEnd] <= 'z')
        ++typeEnd;
    const QByteArrayView type = text.first(typeEnd);
    const QByteArrayView literal = trimmed(text.sliced(typeEnd));
    if (typeEnd < text.size() && !isBlank(text[typeEnd]))
        return std::nullopt;

    if (type == "empty")
        return literal.isEmpty() ? std::optional<QVariant>(QVariant()) : std::nullopt;
    if (type == "bool") {
        if (literal == "true" || literal == "false")
            return QVariant(literal == "true");
        return std::nullopt;
    }
    if (type == "short")
        return boxed(wholeNumber<short>(literal));
    if (type == "int")
        return boxed(wholeNumber<qint32>(literal));
    if (type == "long")
        return boxed(wholeNumber<qlonglong>(literal));
    if (type == "uint" || type == "ulong") {
        const bool hex = literal.startsWith("0x") || literal.startsWith("0X");
        const QByteArrayView digits = hex ? literal.sliced(2) : literal;
        if (type == "uint")
            return boxed(wholeNumber<quint32>(digits, hex ? 16 : 10));
        return boxed(wholeNumber<qulonglong>(digits, hex ? 16 : 10));
    }
    if (type == "float")
        return boxed(wholeNumber<float>(literal));
    if (type == "double")
        return boxed(wholeNumber<double>(literal));
    if (type == "string")
        return boxed(wholeQuoted(literal));
    if (type == "bytes")
        return boxed(base64(literal));
    if (type == "damaged") {
        const auto raw = base64(literal);
        return raw ? std::optional<QVariant>(QVariant::fromValue(UnreadableValue{*raw})) : std::nullopt;
    }
    if (type == "font") {
        // A font's description is a family and at most 16 comma-separated numbers.
        const auto description = wholeQuoted(literal);
        QFont font;
        if (!description || description->size() > 1024 || description->count(u',') > 16 || !guiRunning() ||
            !font.fromString(*description))
            return std::nullopt;
        return QVariant(font);
    }
    if (type == "icon") {
        if (literal.isEmpty())
            return QVariant(QIcon());
        const auto png = base64(literal);
        if (!png || !guiRunning())
            return std::nullopt;
        const QImage image = QImage::fromData(*png, "PNG");
        if (image.isNull())
            return std::nullopt;
        return QVariant(QIcon(QPixmap::fromImage(image)));
    }
    return std::nullopt;
}

void readLine(QByteArrayView line, PropertyBag &bag)
{
    line = trimmed(line);
    if (line.isEmpty() || line.front() == '#')
        return;
    QString key;
    qsizetype pos = 0;
    if (line.front() == '"') {
        auto q = readQuoted(line, pos);
        if (!q || q->isEmpty())
            return;
        key = *q;
    } else {
        while (pos < line.size() && isBareKeyChar(char16_t(uchar(line[pos]))))
            ++pos;
        if (pos == 0)
            return;
        key = QString::fromLatin1(line.first(pos));
    }
    QByteArrayView rest = trimmed(line.sliced(pos));
    if (!rest.startsWith('=')) {
        bag.write(key, QVariant::fromValue(UnreadableValue{rest.toByteArray()}));
        return;
    }
    rest = trimmed(rest.sliced(1));
    if (auto value = readValue(rest))
        bag.write(key, *value);
    else
        bag.write(key, QVariant::fromValue(UnreadableValue{rest.toByteArray()}));
}

} // namespace

QByteArray PropertyBag::toText() const
{
    QByteArray out = "# Fillgauge properties\n";
    if (!d)
        return out;
    for (const auto &[key, value] : d->entries)
        out += keyText(key) + " = " + valueText(value) + '\n';
    return out;
}

PropertyBag PropertyBag::fromText(const QByteArray &text)
{
    PropertyBag bag;
    QByteArrayView rest(text);
    if (rest.startsWith("\xEF\xBB\xBF"))
        rest = rest.sliced(3);
    while (!rest.isEmpty()) {
        const qsizetype end = rest.indexOf('\n');
        readLine(end < 0 ? rest : rest.first(end), bag);
        rest = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
    }
    return bag;
}

} // namespace gaugekit
