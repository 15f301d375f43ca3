// The simulated camera's per-frame processing at the largest preview size (800x600): what one
// frame costs on the streaming thread with each setting.
#include "OstImageEffects.h"

#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

QImage Frame() {
    QImage image(800, 600, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 800, 600);
    gradient.setColorAt(0, QColor(20, 40, 200));
    gradient.setColorAt(1, QColor(240, 200, 30));
    painter.fillRect(image.rect(), gradient);
    painter.end();
    return image.convertToFormat(QImage::Format_RGB888);
}

void Effect(benchmark::State& state) {
    const QImage source = Frame();
    QImage frame = source.copy();
    const int effect = static_cast<int>(state.range(0));
    std::uint32_t index = 0;
    for (auto _ : state) {
        OstImageEffects::ApplyEffect(frame, effect, index++);
        benchmark::DoNotOptimize(frame.constBits());
    }
}
BENCHMARK(Effect)->DenseRange(1, 26)->Arg(48)->Unit(benchmark::kMillisecond);

void Sensor(benchmark::State& state) {
    QImage frame = Frame();
    OstImageEffects::Sensor sensor;
    sensor.autoWhiteBalance = false;
    sensor.redGain = 11000;
    sensor.flicker60Hz = state.range(0) != 0;
    sensor.sharpness = state.range(0) != 0 ? 30000 : 10000;
    std::uint32_t index = 0;
    for (auto _ : state) {
        OstImageEffects::ApplySensor(frame, sensor, index++);
        benchmark::DoNotOptimize(frame.constBits());
    }
}
// 0: a colour curve only; 1: with flicker bands and sharpening.
BENCHMARK(Sensor)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void Zoom(benchmark::State& state) {
    QImage frame = Frame();
    for (auto _ : state) {
        OstImageEffects::Zoom(frame, 32);
        benchmark::DoNotOptimize(frame.constBits());
    }
}
BENCHMARK(Zoom)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
