// Setting Value repaints the bar: the game does it once a second on the question clock (600 × 20, smooth)
// and on the challenge countdown (465 × 17). Run: bench_gauge (offscreen unless a display is chosen).
#include "gauge/fillgauge.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

using gaugekit::Fillgauge;

// Counts Value down from Max and starts again, as the clocks do: every set shrinks the bar and clears it.
void setValue(benchmark::State &state, int width, int height, Fillgauge::FGGProgressStyleConstants style,
              const QString &caption)
{
    Fillgauge bar;
    bar.resize(width, height);
    bar.setStyle(style);
    bar.setCaption(caption);
    bar.setMax(300);
    float value = 300;
    for (auto _ : state) {
        bar.setValue(value);
        value = value <= 0 ? 300 : value - 1;
    }
    benchmark::DoNotOptimize(bar.image().constBits());
}

using S = Fillgauge::FGGProgressStyleConstants;
BENCHMARK_CAPTURE(setValue, bar465x17_blocks, 465, 17, S::fggStandard, QString());
BENCHMARK_CAPTURE(setValue, bar465x17_smooth, 465, 17, S::fggSmooth, QString());
BENCHMARK_CAPTURE(setValue, bar465x17_blocks_caption, 465, 17, S::fggStandard, QStringLiteral("50%"));
BENCHMARK_CAPTURE(setValue, bar600x20_blocks, 600, 20, S::fggStandard, QString());
BENCHMARK_CAPTURE(setValue, bar600x20_smooth, 600, 20, S::fggSmooth, QString());
BENCHMARK_CAPTURE(setValue, bar600x20_smooth_caption, 600, 20, S::fggSmooth, QStringLiteral("50%"));

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
