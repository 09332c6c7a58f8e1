// Searching a hundred years of full months: 1,200 month files in which every
// memo cell holds 10 lines, as a user finds a word in all of them.

#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "find/memo_search.h"
#include "main/cp932.h"
#include "main/file_system.h"
#include "main/month_file_format.h"

namespace {

using namespace kelmora;

constexpr int kFirstYear = 1925;
constexpr int kYears = 100;

// Lines of the kind people write, Latin, kana and kanji mixed; the dentist
// comes once a month, on a different day each time.
const std::array<std::string, 10>& everydayLines() {
    static const std::array<std::string, 10> lines{
        cp932::literal("10:00 打ち合わせ 会議室B"), cp932::literal("ランチ ミーティング"),
        cp932::literal("定例カイギ（第３会議室）"),  cp932::literal("Zoom 15:30〜16:00"),
        cp932::literal("資料の提出しめきり"),        cp932::literal("ｶﾞｽ点検 午前中"),
        cp932::literal("燃えるゴミの日"),            cp932::literal("ジム 19:00"),
        cp932::literal("母に電話する"),              cp932::literal("ＰＴＡ役員会 体育館"),
    };
    return lines;
}

class HundredYearsFolder {
public:
    HundredYearsFolder() {
        dir_ = (std::filesystem::temp_directory_path() / ("kelmora-search-bench-" + std::to_string(std::random_device{}())))
                   .string() + "/";
        std::filesystem::create_directories(dir_);
        const std::string dentist = cp932::literal("歯医者 14:00");
        for (int year = kFirstYear; year < kFirstYear + kYears; ++year) {
            for (int month = 1; month <= 12; ++month) {
                MonthModel m;
                m.mondayStart = (year + month) % 2 == 0;  // both layouts
                m.year = static_cast<std::uint16_t>(year);
                m.month = static_cast<std::uint16_t>(month);
                (void)m.buildMonth();
                const int dentistDay = (year * 12 + month) % 28 + 1;
                for (int week = 1; week <= m.weekRows; ++week) {
                    for (int col = 0; col < kColumns; ++col) {
                        std::string text;
                        for (int i = 0; i < 10; ++i) {
                            if (i) text += "\r\n";
                            const bool dentistLine = m.cells[col][week].day == dentistDay && i == 7;
                            text += dentistLine ? dentist : everydayLines()[(i + col + week) % 10];
                        }
                        m.memos[col][week].text = std::move(text);
                    }
                }
                const std::string bytes = *encodeMonthFile(m);
                // Plain writes: the search reads the files, how durably they
                // were written does not matter here.
                std::ofstream(monthFileName(dir_, year, month), std::ios::binary) << bytes;
                bytes_ += static_cast<long long>(bytes.size());
            }
        }
    }
    ~HundredYearsFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    const std::string& dir() const { return dir_; }
    long long bytes() const { return bytes_; }

private:
    std::string dir_;
    long long bytes_ = 0;
};

const HundredYearsFolder& folder() {
    static const HundredYearsFolder f;
    return f;
}

// The whole search as the window runs it: list the folder, read and decode
// every file, compare every memo.
// `expectedHits` < 0: some hits, how many does not matter.
void BM_SearchHundredYears(benchmark::State& state, const char* utf8Query, long expectedHits) {
    RealFileSystem files;
    const std::string query = cp932::literal(utf8Query);
    const std::string& dir = folder().dir();  // built before the clock runs
    for (auto _ : state) {
        const MemoSearchResult result = searchMemoFiles(files, dir, query);
        const auto hits = static_cast<long>(result.hits.size());
        if ((expectedHits < 0 ? hits == 0 : hits != expectedHits) || !result.unreadable.empty())
            state.SkipWithError("wrong hits");
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(state.iterations() * folder().bytes());
    state.counters["files"] = kYears * 12;
}

}  // namespace

// Kanji found once a month; a half-width word found from hiragana on almost
// every day; a word found nowhere.
BENCHMARK_CAPTURE(BM_SearchHundredYears, once_a_month, "歯医者", kYears * 12)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchHundredYears, almost_every_day, "がす点検", -1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchHundredYears, nowhere, "会議録", 0)->Unit(benchmark::kMillisecond);
