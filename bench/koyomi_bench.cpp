// The almanac of a month: what showing 六曜 and the solar terms costs.

#include <benchmark/benchmark.h>

#include "main/koyomi.h"

namespace {

// Every month of 1900-2100 into one calendar, as a user paging through the
// years would: each lunar year and each year's solar terms computed once.
void BM_KoyomiEveryMonth1900To2100(benchmark::State& state) {
    for (auto _ : state) {
        kelmora::KoyomiCalendar calendar;
        for (int year = kelmora::kKoyomiFirstYear; year <= kelmora::kKoyomiLastYear; ++year)
            for (int month = 1; month <= 12; ++month) benchmark::DoNotOptimize(calendar.month(year, month));
    }
    // Items are months: the report's per-item time is one month built.
    state.SetItemsProcessed(state.iterations() * (kelmora::kKoyomiLastYear - kelmora::kKoyomiFirstYear + 1) * 12);
}

// One month with nothing computed before: December, which needs two lunar
// years (2033: its 閏11月 is decided by the next one).
void BM_KoyomiFirstMonthOfAFreshCalendar(benchmark::State& state) {
    for (auto _ : state) {
        kelmora::KoyomiCalendar calendar;
        benchmark::DoNotOptimize(calendar.month(2033, 12));
    }
}

// A month shown again (every repaint asks for it).
void BM_KoyomiMonthKept(benchmark::State& state) {
    kelmora::KoyomiCalendar calendar;
    calendar.month(2026, 3);
    for (auto _ : state) benchmark::DoNotOptimize(calendar.month(2026, 3));
}

}  // namespace

BENCHMARK(BM_KoyomiEveryMonth1900To2100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KoyomiFirstMonthOfAFreshCalendar)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KoyomiMonthKept);
