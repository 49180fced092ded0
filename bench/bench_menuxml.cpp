// Builds and reads back the menu description of a design with 5,000 entries.
#include "uDesign.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int MainEntries = 1000;
constexpr int SubsPerMain = 4; // 1000 + 4000 = 5000 entries

void Fill(TMenuDesign &d)
{
    d.ResetDesign(true);
    for (int id = 1; id <= 3; ++id)
        d.RemoveMenuEntry(id);
    for (int m = 0; m < MainEntries; ++m) {
        const int id = d.AddMainMenuEntry(QString(), QStringLiteral("Main & %1").arg(m), true, QStringLiteral("main"),
                                          QStringLiteral("page%1.htm").arg(m));
        for (int s = 0; s < SubsPerMain; ++s)
            d.AddSubMenuEntry(id, QStringLiteral("<b>Sub</b> %1.%2").arg(m).arg(s), QStringLiteral("mainFrame"),
                              QStringLiteral("sub%1_%2.htm?a=1&b=2").arg(m).arg(s));
    }
}

void BM_BuildMenuXml(benchmark::State &state)
{
    QTemporaryDir dir;
    TMenuDesign d(dir.path());
    Fill(d);
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
    Fill(d);
    const QString text = d.BuildMenuXml(false, true, false);
    for (auto _ : state)
        d.ReadMenuXml(text);
    state.counters["entries"] = double(d.MenuEntryCount() - 1);
}
BENCHMARK(BM_ReadMenuXml)->Unit(benchmark::kMillisecond);

void BM_BuildAndReadBack(benchmark::State &state)
{
    QTemporaryDir dir;
    TMenuDesign d(dir.path());
    Fill(d);
    for (auto _ : state)
        d.ReadMenuXml(d.BuildMenuXml(false, true, false));
}
BENCHMARK(BM_BuildAndReadBack)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
