// Builds and reads back the menu description of a design with 5,000 entries.
#include "BenchDesign.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_BuildMenuXml(benchmark::State &state)
{
    QTemporaryDir dir;
    TMenuDesign d(dir.path());
    FillBenchDesign(d);
    qsizetype bytes = 0;
    for (auto _ : state) {
        const QString text = d.BuildMenuXml(false, true, false);
        bytes = text.size();
        benchmark::DoNotOptimize(text);
    }
    state.counters["chars"] = double(bytes);
}
BENCHMARK(BM_BuildMenuXml)->Unit(benchmark::kMillisecond);

void BM_ReadMenuXml(benchmark::State &state)
{
    QTemporaryDir dir;
    TMenuDesign d(dir.path());
    FillBenchDesign(d);
    const QString text = d.BuildMenuXml(false, true, false);
    for (auto _ : state)
        d.ReadMenuXml(text);
    state.counters["entries"] = double(d.MenuEntryCount() - 1);
}
BENCHMARK(BM_ReadMenuXml)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_BuildAndReadBack)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
