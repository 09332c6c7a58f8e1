// Saving and loading a full month: what every idle save, month change and
// start costs. A six-week month with all 42 memo cells written full.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "full_months.h"
#include "main/file_system.h"
#include "main/month_file_format.h"
#include "main/month_store.h"

namespace {

using namespace kelmora;

class NoPrompts : public Prompts {
public:
    Answer ask(MessageIcon, Buttons, const std::string&) override { return Answer::Abort; }
};

MonthModel fullMonth() {
    MonthModel m;
    m.mondayStart = true;
    m.year = 2024;
    m.month = 12;  // six weeks when weeks begin on Monday
    (void)m.buildMonth();
    bench::fillFullMonth(m, 15);
    return m;
}

std::string benchFolder() {
    auto dir = std::filesystem::temp_directory_path() / "kelmora-month-file-bench";
    std::filesystem::create_directories(dir);
    return dir.string() + "/";
}

void BM_EncodeFullMonth(benchmark::State& state) {
    const MonthModel m = fullMonth();
    for (auto _ : state) benchmark::DoNotOptimize(encodeMonthFile(m));
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(encodeMonthFile(m)->size()));
}

void BM_DecodeFullMonth(benchmark::State& state) {
    const std::string bytes = *encodeMonthFile(fullMonth());
    MonthModel target = fullMonth();
    for (auto _ : state) {
        target.clearMemos();
        benchmark::DoNotOptimize(decodeMonthFile(bytes, target));
    }
}

// The whole save: encode, write a temporary file, flush it to the disk, rename.
void BM_SaveFullMonth(benchmark::State& state) {
    RealFileSystem files;
    NoPrompts prompts;
    MonthStore store(files, prompts, benchFolder());
    MonthModel m = fullMonth();
    for (auto _ : state) {
        m.dirty = true;
        if (store.saveMonth(m, false) != SaveOutcome::Written) state.SkipWithError("save failed");
    }
    std::filesystem::remove_all(benchFolder());
}

// The load after a month change: read the file and place every cell.
void BM_LoadFullMonth(benchmark::State& state) {
    RealFileSystem files;
    NoPrompts prompts;
    MonthStore store(files, prompts, benchFolder());
    MonthModel m = fullMonth();
    m.dirty = true;
    (void)store.saveMonth(m, false);
    for (auto _ : state)
        if (store.loadMonth(m) != LoadOutcome::Loaded) state.SkipWithError("load failed");
    std::filesystem::remove_all(benchFolder());
}

}  // namespace

BENCHMARK(BM_EncodeFullMonth)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecodeFullMonth)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveFullMonth)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadFullMonth)->Unit(benchmark::kMicrosecond);
