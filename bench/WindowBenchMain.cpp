// The main() of the benchmarks that measure through the real window: the offscreen platform, and
// settings kept out of the user's own.

#include <QApplication>
#include <QByteArray>
#include <QStandardPaths>

#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
