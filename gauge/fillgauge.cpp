#include "gauge/fillgauge.h"

namespace gaugekit {

InvalidPropertyValue::InvalidPropertyValue(const std::string &description) : std::invalid_argument(description) {}
int InvalidPropertyValue::number() const { return 380; }

void PropertyBag::write(const QString &key, const QVariant &value) { entries_.emplace_back(key, value); }
QVariant PropertyBag::read(const QString &key, const QVariant &defaultValue) const
{
    for (const auto &[k, v] : entries_)
        if (k == key)
            return v;
    return defaultValue;
}
QStringList PropertyBag::keys() const
{
    QStringList out;
    for (const auto &e : entries_)
        out << e.first;
    return out;
}
QByteArray PropertyBag::toText() const { return {}; }
PropertyBag PropertyBag::fromText(const QByteArray &) { return {}; }

Fillgauge::Fillgauge(QWidget *parent) : QWidget(parent) {}
void Fillgauge::saveProperties(PropertyBag &) const {}
void Fillgauge::loadProperties(const PropertyBag &) {}

} // namespace gaugekit
