#include <benchmark/benchmark.h>

#include <cstdlib>

#ifdef SPINALYST_BENCH_WITH_UI
#include <QApplication>
#endif

int main(int argc, char** argv) {
#ifdef SPINALYST_BENCH_WITH_UI
    // Widgets are painted offscreen, so the figures do not depend on a display.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
