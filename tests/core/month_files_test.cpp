#include "main/month_files.h"

#include <gtest/gtest.h>

#include <map>

#include "temp_folder.h"

namespace kelmora {
namespace {

using testing::TempFolder;

// One rule for every feature: the names the calendar writes, and nothing
// that merely looks like them.
TEST(MemoFileNames, OnlyTheNamesTheCalendarWrites) {
    const std::map<std::string, std::optional<YearMonth>> cases{
        {"202405.wmd", YearMonth{2024, 5}}, {"100001.wmd", YearMonth{1000, 1}}, {"999912.wmd", YearMonth{9999, 12}},
        {"202413.wmd", std::nullopt},       {"202400.wmd", std::nullopt},       {"099912.wmd", std::nullopt},
        {"2024051.wmd", std::nullopt},      {"20245.wmd", std::nullopt},        {"202405.WMD", std::nullopt},
        {"201904.Wmd", std::nullopt},       {"2024-5.wmd", std::nullopt},       {"202405.wmd.tmp", std::nullopt},
        {"202405.wmd.unreadable", std::nullopt}, {"201912 コピー.wmd", std::nullopt}, {"２０１９１２.wmd", std::nullopt},
        {"201912.wmdx", std::nullopt},      {".wmd", std::nullopt},             {"201912-20240510-101500.wmd", std::nullopt},
    };
    for (const auto& [name, want] : cases) EXPECT_EQ(monthOfMemoFile(name), want) << name;
}

TEST(ConflictCopies, TheSyncToolsNamesForAMonthChangedTwiceAtOnce) {
    const std::map<std::string, bool> cases{
        {"202612 (Kazu's conflicted copy 2026-12-01).wmd", true},
        {"202612 (conflicted copy 2026-12-01 101500).wmd", true},
        {"202612.sync-conflict-20261201-101500-ABCDEFG.wmd", true},
        {"202612-CONFLICT.WMD", true},
        {"202612.wmd", false},                      // the month file itself
        {"notes (conflicted copy).wmd", false},     // no month
        {"202613 (conflicted copy).wmd", false},    // no month either
        {"202612 (conflicted copy).txt", false},
        {"202612 copy.wmd", false},
    };
    for (const auto& [name, want] : cases) EXPECT_EQ(isConflictCopyName(name), want) << name;

    TempFolder folder;
    for (const char* name : {"202612.wmd", "202612.sync-conflict-20261201-101500-ABCDEFG.wmd",
                             "202611 (conflicted copy 2026-11-02).wmd", "kelmora.ini"})
        folder.put(name, "x");
    RealFileSystem files;
    EXPECT_EQ(conflictCopiesIn(files, folder.dir()),
              (std::vector<std::string>{"202611 (conflicted copy 2026-11-02).wmd",
                                        "202612.sync-conflict-20261201-101500-ABCDEFG.wmd"}));
    EXPECT_EQ(listMemoFiles(files, folder.dir()).size(), 1u) << "a conflict copy is no month file";
}

}  // namespace
}  // namespace kelmora
