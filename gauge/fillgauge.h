#pragma once
// Placeholder of the progress-bar control: the library's full control replaces it.
#include "gauge/fillgauge_export.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QWidget>

#include <stdexcept>
#include <utility>
#include <vector>

namespace gaugekit {

class FILLGAUGE_EXPORT InvalidPropertyValue : public std::invalid_argument {
public:
    explicit InvalidPropertyValue(const std::string &description = {});
    int number() const;
};

class FILLGAUGE_EXPORT PropertyBag {
public:
    void write(const QString &key, const QVariant &value);
    QVariant read(const QString &key, const QVariant &defaultValue = {}) const;
    QStringList keys() const;
    QByteArray toText() const;
    static PropertyBag fromText(const QByteArray &text);

private:
    std::vector<std::pair<QString, QVariant>> entries_;
};

class FILLGAUGE_EXPORT Fillgauge : public QWidget {
    Q_OBJECT
public:
    explicit Fillgauge(QWidget *parent = nullptr);
    void saveProperties(PropertyBag &bag) const;
    void loadProperties(const PropertyBag &bag);
};

} // namespace gaugekit
