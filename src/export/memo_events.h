#pragma once
// The events a run of memo days gives: one all-day event per day with a memo
// and one per arrow span. Texts are UTF-8.

#include <cstdint>
#include <string>
#include <vector>

#include "main/civil_date.h"

namespace kelmora {

// A day of a month file that holds a memo or an arrow mark.
struct MemoDay {
    Date date;
    std::string text;  // UTF-8, lines separated by CR LF
    std::uint8_t arrow = 0;
};

enum class EventKind { Memo, Arrow };

struct MemoEvent {
    EventKind kind = EventKind::Memo;
    Date first, last;  // both days belong to the event
    std::string summary;
    std::string description;  // the whole memo; empty for an arrow
    auto operator<=>(const MemoEvent&) const = default;
};

// The memo and arrow events of the days from `from` to `to`. `days` run in
// date order and may begin and end outside that range, so that an arrow
// crossing its edge is found whole; a day missing from them (no file, an
// unreadable one) holds nothing. A span runs from an arrow start through its
// passing days to its end; its summary is its first day's first line, or
// "矢印". A span cut short (a half whose other half is missing, a start
// without an end) covers the marked days it has. Events come in date order,
// a day's memo before a span starting that day.
std::vector<MemoEvent> memoEvents(const std::vector<MemoDay>& days, Date from, Date to);

}  // namespace kelmora
