// Fillgauge example: a horizontal bar of blocks with a caption and a smooth vertical bar, moved together
// by a slider or by an animation of their Value property.
#include <fillgauge.h>

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QParallelAnimationGroup>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QWidget>

using gaugekit::Fillgauge;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Fillgauge example"));

    auto *across = new Fillgauge;
    across->setMax(100);
    across->setValue(40);
    across->setCaption(QStringLiteral("40%"));
    across->setForeColor(0x80000008u); // the palette's window text: a system colour

    auto *upright = new Fillgauge;
    upright->setOrientation(Fillgauge::fggOrientationVertical);
    upright->setStyle(Fillgauge::fggSmooth);
    upright->setCaption(QString());
    upright->setFloodColor(QColor(0, 96, 160));
    upright->setValue(40);

    auto *slider = new QSlider(Qt::Horizontal);
    slider->setRange(0, 100);
    slider->setValue(40);

    auto *flat = new QCheckBox(QStringLiteral("Flat border"));
    auto *animate = new QPushButton(QStringLiteral("Animate"));

    auto *layout = new QGridLayout(&window);
    layout->addWidget(across, 0, 0, 1, 2);
    layout->addWidget(slider, 1, 0, 1, 2);
    layout->addWidget(flat, 2, 0);
    layout->addWidget(animate, 2, 1);
    layout->addWidget(upright, 0, 2, 3, 1);

    // The slider sets both bars; the horizontal bar's ValueChanged keeps the slider and the caption in
    // step, also while the animation runs.
    QObject::connect(slider, &QSlider::valueChanged, across, [across](int v) { across->setValue(float(v)); });
    QObject::connect(slider, &QSlider::valueChanged, upright, [upright](int v) { upright->setValue(float(v)); });
    QObject::connect(across, &Fillgauge::ValueChanged, &window, [across, slider] {
        across->setCaption(QString::number(qRound(across->Value())) + QLatin1Char('%'));
        const QSignalBlocker quiet(slider); // the slider follows without setting the bars back
        slider->setValue(qRound(across->Value()));
    });
    QObject::connect(flat, &QCheckBox::toggled, &window, [=](bool on) {
        const auto look = on ? Fillgauge::fggFlat : Fillgauge::fgg3D;
        across->setAppearance(look);
        upright->setAppearance(look);
    });

    // Both Values run from empty to full and back; the animations write them through setProperty().
    auto *run = new QParallelAnimationGroup(&window);
    for (Fillgauge *bar : {across, upright}) {
        auto *fill = new QPropertyAnimation(bar, "Value", run);
        fill->setDuration(3000);
        fill->setKeyValueAt(0, 0.0);
        fill->setKeyValueAt(0.5, 100.0);
        fill->setKeyValueAt(1, 0.0);
        fill->setEasingCurve(QEasingCurve::InOutSine);
        run->addAnimation(fill);
    }
    QObject::connect(animate, &QPushButton::clicked, run, [run] { run->start(); });

    window.resize(440, 140);
    window.show();
    return app.exec();
}
