#pragma once
// The bytes of a month memo file, one file per month beside the program.
//
// Layout (little-endian): version u16 (240 Sunday-first, 241 Monday-first),
// reserved u16, the texts of weeks 1..weekRows (length u16, CP932 bytes),
// the seven weekly days-off flags (Sunday first), then for weeks 1..6 the
// marks (2 bytes a cell), the arrows (1 byte), the background colours and
// the font colours (a flag byte, the 0x00BBGGRR value only when the flag is
// 1). Cells run week by week, column 0..6, in the layout the file was written
// with. Older files stop earlier: below version 13 after the texts, below 20
// after the marks; both are Sunday-first.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "main/month_model.h"

namespace kelmora {

// The longest memo a file can hold: its length is stored in 16 bits.
constexpr std::size_t kMaxMemoBytes = 65535;

// The largest file the format allows: six weeks of the longest memos, then
// the days off, marks, arrows and both colours of every cell (~2.8 MB). A
// larger file is no month file and is not read.
constexpr std::size_t kMaxMonthFileBytes =
    4 + kWeeks * kColumns * (2 + kMaxMemoBytes) + 7 + kWeeks * kColumns * (2 + 1 + 5 + 5);

// Which sections a file holds beyond its texts, by the version it begins with.
struct MonthFileSections {
    bool marks = true;
    bool arrowsAndColours = true;
};
MonthFileSections sectionsOf(std::string_view bytes);

// "<programDir>2024" "05" ".wmd": the year unpadded, the month in two digits.
std::string monthFileName(const std::string& programDir, int year, int month);

// The file's bytes for the shown month, in the current layout. Nothing when a
// memo is longer than kMaxMemoBytes (its length would not fit).
std::optional<std::string> encodeMonthFile(const MonthModel& month);
// Why `encodeMonthFile` gave nothing, in words for the user (CP932).
std::string memoTooLongCause();

// Fills the memo data of `month` (freshly built, memos cleared) from a file's
// bytes: texts, marks (applied to the holiday flags), arrows, colours, and
// arrowDataLoaded. Each stored cell goes to the cell of the same date in the
// current layout. False when the bytes end early; `month` is then partly
// filled and the caller has to undo it.
bool decodeMonthFile(std::string_view bytes, MonthModel& month);

}  // namespace kelmora
