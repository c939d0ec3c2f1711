// Paint time of each instrument view at 480x536 and 800x480: the status view with a full
// satellite table on its bar-and-sky page, the gauge panel with four gauges, the digital panel
// with twenty cells and the analysis view with four plots of 800 samples.

#include "app/SettingsStore.h"
#include "app/ui/ViewContext.h"
#include "gps/NMEAParser.h"
#include "map/ui/MapWnd.h"
#include "nav/ui/DigitalPanelWnd.h"
#include "views/ViewCommandIds.h"
#include "views/ui/AnalysisWnd.h"
#include "views/ui/GPSStatusWnd.h"
#include "views/ui/GaugePanelWnd.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

namespace {

std::string Sentence(const std::string& body)
{
    unsigned checksum = 0;
    for (const char c : body)
        checksum ^= static_cast<unsigned char>(c);
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", checksum);
    return "$" + body + tail;
}

// Nine GSV sentences filling all 36 entries of the satellite table.
std::string FullSkyLog()
{
    std::string log = Sentence("GPGGA,120000.00,5546.8198,N,02334.7060,E,1,12,0.9,127.1,M,,M,,");
    for (int message = 1; message <= 9; ++message) {
        std::string body = "GPGSV,8," + std::to_string(message) + ",36";
        for (int k = 0; k < 4; ++k) {
            const int prn = (message - 1) * 4 + k + 1;
            body += "," + std::to_string(prn) + "," + std::to_string(prn * 7 % 90) + "," +
                    std::to_string(prn * 37 % 360) + "," + std::to_string(15 + prn % 35);
        }
        log += Sentence(body);
    }
    return log;
}

struct BenchWorld {
    QTemporaryDir settingsDir;
    CNMEAParser parser;
    ViewContext context{parser};
    std::unique_ptr<CMapWnd> map;

    BenchWorld()
    {
        OpenSettingsStore(settingsDir.path());
        map = std::make_unique<CMapWnd>(context, nullptr);
        context.map = map.get();
        const std::string log = FullSkyLog();
        parser.ProcessBytes(reinterpret_cast<const uint8_t*>(log.data()), log.size());
    }
};

BenchWorld& World()
{
    static BenchWorld world;
    return world;
}

void Tap(QWidget& view)
{
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &release);
}

void PaintLoop(benchmark::State& state, CBufferedView& view)
{
    view.resize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state)
        benchmark::DoNotOptimize(view.Render());
}

void BM_StatusViewSkyPage(benchmark::State& state)
{
    CGPSStatusWnd view(World().context, nullptr);
    Tap(view);
    Tap(view);
    PaintLoop(state, view);
}

void BM_StatusViewPositionPage(benchmark::State& state)
{
    CGPSStatusWnd view(World().context, nullptr);
    PaintLoop(state, view);
}

void BM_GaugePanelFourGauges(benchmark::State& state)
{
    CGaugePanelWnd view(World().context, nullptr);
    for (const int id :
         {ID_GAUGE_CYCLE, ID_GAUGE_ALTIMETER, ID_GAUGE_SPEEDOMETER, ID_GAUGE_VERTICAL_SPEED})
        view.HandleCommand(id);
    PaintLoop(state, view);
    for (const int id :
         {ID_GAUGE_CYCLE, ID_GAUGE_ALTIMETER, ID_GAUGE_SPEEDOMETER, ID_GAUGE_VERTICAL_SPEED})
        view.HandleCommand(id);
}

void BM_DigitalPanelTwentyCells(benchmark::State& state)
{
    CDigitalPanelWnd view(World().context, nullptr);
    view.HandleCommand(ID_PANEL_LAYOUT_FIRST + 15); // "4X5"
    PaintLoop(state, view);
}

void BM_AnalysisFourPlots(benchmark::State& state)
{
    CAnalysisWnd view(World().context, nullptr);
    view.HandleCommand(ID_PLOT_SCREEN_FIRST + 4); // "2X2"
    for (int i = 0; i < 800; ++i) {
        view.AddFixValues(10 + 5 * std::sin(i / 20.0), 100 + i * 0.5, 20 * std::cos(i / 15.0),
                          0.01 * std::sin(i / 30.0));
        view.AddAcceleration(0.3 * std::sin(i / 10.0));
    }
    PaintLoop(state, view);
}

void Sizes(benchmark::internal::Benchmark* bench)
{
    bench->Args({480, 536})->Args({800, 480})->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_StatusViewSkyPage)->Apply(Sizes);
BENCHMARK(BM_StatusViewPositionPage)->Apply(Sizes);
BENCHMARK(BM_GaugePanelFourGauges)->Apply(Sizes);
BENCHMARK(BM_DigitalPanelTwentyCells)->Apply(Sizes);
BENCHMARK(BM_AnalysisFourPlots)->Apply(Sizes);

} // namespace
