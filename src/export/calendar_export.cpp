#include "export/calendar_export.h"

#include <cstdio>

#include "export/icalendar_text.h"
#include "main/cp932.h"
#include "main/month_files.h"
#include "main/month_model.h"

namespace kelmora {
namespace {

std::string dateValue(const Date& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", date.year, date.month, date.day);
    return text;
}

std::string stampValue(const LocalTime& utc) {
    char text[24];
    std::snprintf(text, sizeof text, "%sT%02d%02d%02dZ", dateValue(utc.date).c_str(), utc.hour, utc.minute,
                  utc.second);
    return text;
}

// The days of a month file that hold a memo or an arrow, in date order.
MonthFileRead readMonthDays(const FileSystem& files, const std::string& path, YearMonth ym, std::vector<MemoDay>& days) {
    MonthModel month;
    const MonthFileRead read = readMonthFile(files, path, ym, month);
    if (read != MonthFileRead::Read) return read;
    for (int day = 1; day <= daysInMonth(ym.year, ym.month); ++day) {
        int col = 0, week = 0;
        month.cellOfDay(day, col, week);
        const Tmemocell& memo = month.memos[col][week];
        if (memo.text.empty() && memo.arrow == NoArrow) continue;
        days.push_back(MemoDay{Date{ym.year, ym.month, day}, cp932::toUtf8(memo.text), memo.arrow});
    }
    return read;
}

void addLine(std::string& out, std::string_view name, std::string_view value) {
    std::string line(name);
    line += ':';
    line += value;
    out += ical::foldLine(line);
}

}  // namespace

std::string uidOf(const MemoEvent& event) {
    return dateValue(event.first) + (event.kind == EventKind::Memo ? "-memo" : "-arrow") + "@kelmora";
}

std::string icalendarOf(const std::vector<MemoEvent>& events, const LocalTime& stampUtc) {
    std::string out;
    addLine(out, "BEGIN", "VCALENDAR");
    addLine(out, "VERSION", "2.0");
    addLine(out, "PRODID", "-//Kelmora//Kelmora//JA");
    addLine(out, "CALSCALE", "GREGORIAN");
    const std::string stamp = stampValue(stampUtc);
    for (const MemoEvent& event : events) {
        addLine(out, "BEGIN", "VEVENT");
        addLine(out, "UID", uidOf(event));
        addLine(out, "DTSTAMP", stamp);
        addLine(out, "DTSTART;VALUE=DATE", dateValue(event.first));
        // DTEND is the day after the last. After 9999-12-31 that day has no
        // four-digit year to be written with: the length is given instead.
        const Date end = addDays(event.last, 1);
        if (end.year <= kMaxYear) addLine(out, "DTEND;VALUE=DATE", dateValue(end));
        else addLine(out, "DURATION", "P" + std::to_string(daysFromCivil(end) - daysFromCivil(event.first)) + "D");
        addLine(out, "SUMMARY", ical::escapeText(event.summary));
        if (!event.description.empty()) addLine(out, "DESCRIPTION", ical::escapeText(event.description));
        addLine(out, "END", "VEVENT");
    }
    addLine(out, "END", "VCALENDAR");
    return out;
}

CalendarExport exportCalendar(const FileSystem& files, const std::string& programDir, YearMonth first,
                              YearMonth last, const LocalTime& stampUtc) {
    CalendarExport result;
    std::vector<MemoDay> days;
    // One month beyond each end: an arrow never spans more than two months.
    for (const auto& [ym, name] : monthFilesIn(files, programDir, first.previous(), last.next())) {
        const std::string path = programDir + name;
        if (readMonthDays(files, path, ym, days) == MonthFileRead::Unreadable && ym >= first && ym <= last)
            result.unreadableFiles.push_back(path);
    }
    result.events = memoEvents(days, Date{first.year, first.month, 1},
                               Date{last.year, last.month, daysInMonth(last.year, last.month)});
    result.ics = icalendarOf(result.events, stampUtc);
    return result;
}

}  // namespace kelmora
