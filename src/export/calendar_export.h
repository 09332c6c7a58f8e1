#pragma once
// The memos of a run of months as an iCalendar file (UTF-8, CR LF) that
// phone and web calendars import: an all-day event per day with a memo and
// per arrow span.
//
// Each event's UID is made of its first day and its kind ("20240503-memo",
// "20241228-arrow"), never of its text: exporting again after a memo was
// edited gives the same UID, so the importing calendar updates the event
// instead of adding a second one.

#include <compare>
#include <string>
#include <vector>

#include "export/memo_events.h"
#include "main/clock.h"
#include "main/file_system.h"
#include "main/year_month.h"

namespace kelmora {

struct CalendarExport {
    std::string ics;
    std::vector<MemoEvent> events;
    // Month files of the range that exist but could not be read; their
    // months are left out, the others exported.
    std::vector<std::string> unreadableFiles;
};

// Exports the months `first` to `last` of the calendar in `programDir` (with
// its trailing separator). A month without a file has no memos. An arrow
// running over the range's edge is exported whole, read from the month
// beyond it, so every export gives the span the same days and UID.
// `stampUtc` is the time of the export in UTC (DTSTAMP).
CalendarExport exportCalendar(const FileSystem& files, const std::string& programDir, YearMonth first,
                              YearMonth last, const LocalTime& stampUtc);

// The iCalendar file of `events`.
std::string icalendarOf(const std::vector<MemoEvent>& events, const LocalTime& stampUtc);

// The UID of an event: the same on every export of the same memo or span.
std::string uidOf(const MemoEvent& event);

}  // namespace kelmora
