// Building a month: what every month change and every start costs.

#include <benchmark/benchmark.h>

#include "main/month_model.h"

namespace {

void buildEveryMonth(benchmark::State& state, bool mondayStart) {
    kelmora::MonthModel model;
    model.mondayStart = mondayStart;
    constexpr int kFirst = 1970, kLast = 2100;
    for (auto _ : state) {
        for (int year = kFirst; year <= kLast; ++year) {
            for (int month = 1; month <= 12; ++month) {
                model.year = static_cast<std::uint16_t>(year);
                model.month = static_cast<std::uint16_t>(month);
                bool built = model.buildMonth();
                benchmark::DoNotOptimize(built);
                benchmark::DoNotOptimize(model.cells);
            }
        }
    }
    // Items are month builds: the report's per-item time is one build.
    state.SetItemsProcessed(state.iterations() * (kLast - kFirst + 1) * 12);
}

void BM_BuildMonths1970To2100_SundayFirst(benchmark::State& state) { buildEveryMonth(state, false); }
void BM_BuildMonths1970To2100_MondayFirst(benchmark::State& state) { buildEveryMonth(state, true); }

}  // namespace

BENCHMARK(BM_BuildMonths1970To2100_SundayFirst)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildMonths1970To2100_MondayFirst)->Unit(benchmark::kMillisecond);
