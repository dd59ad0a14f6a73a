// The benchmarks run headless, with a Qt application for the screens.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "platform/services.h"

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::force_runtime_decimal_point();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
