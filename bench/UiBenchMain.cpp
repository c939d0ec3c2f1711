// Entry point of the window benchmarks: an offscreen QApplication with the Fusion style and the
// program's fonts, as the snapshots use, then the benchmarks.

#include "platform/ui/AppFonts.h"

#include <QApplication>
#include <QStyleFactory>

#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    LoadApplicationFonts();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
