// Uses the bar as any Qt program would and says whether it behaved; exits 0 when it did.
#include <fillgauge.h>

#include <QApplication>

#include <cstdio>

static_assert(__cplusplus == 201703L, "the consumer is built as C++17");

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    gaugekit::Fillgauge bar;
    bar.resize(205, 20);
    int told = 0;
    QObject::connect(&bar, &gaugekit::Fillgauge::ValueChanged, [&told] { ++told; });
    bar.setProperty("Style", 1);
    bar.setProperty("Caption", QString());
    bar.setProperty("FloodColor", QColor(255, 0, 0));
    bar.setProperty("Value", 50.0);
    bool refused = false;
    try {
        bar.setProperty("Value", 101.0);
    } catch (const gaugekit::InvalidPropertyValue &e) {
        refused = e.number() == 380;
    }
    const QImage picture = bar.image();
    const bool ok = refused && told == 1 && bar.property("FloodColor").toUInt() == 0x0000FFu &&
                    picture.pixelColor(50, 10) == QColor(255, 0, 0) && picture.pixelColor(150, 10) != QColor(255, 0, 0);
    std::puts(ok ? "consumer: the bar behaves" : "consumer: the bar misbehaves");
    return ok ? 0 : 1;
}
