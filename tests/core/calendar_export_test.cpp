#include "export/calendar_export.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "built_month.h"
#include "export/export_file.h"
#include "export/memo_events.h"
#include "main/cp932.h"
#include "main/month_file_format.h"
#include "temp_folder.h"

namespace kelmora {
namespace {

using testing::built;
using testing::TempFolder;

// A day of a month file in these tests: its memo (UTF-8) and arrow byte.
struct Put {
    int day;
    std::string text;
    std::uint8_t arrow = NoArrow;
};

void putMonth(const TempFolder& folder, int year, int month, const std::vector<Put>& days, Layout layout = SundayFirst) {
    MonthModel m = built(year, month, layout);
    for (const Put& p : days) {
        int col = 0, week = 0;
        m.cellOfDay(p.day, col, week);
        m.memos[col][week].text = cp932::literal(p.text);
        m.memos[col][week].arrow = p.arrow;
    }
    folder.put(monthFileName("", year, month), encodeMonthFile(m).value());
}

const LocalTime kStamp{Date{2024, 6, 1}, 3, 4, 5};

// --- memo events --------------------------------------------------------------

TEST(MemoEvents, AMemoGivesItsFirstLineAndTheWholeMemo) {
    const struct {
        const char* text;
        const char* summary;  // nullptr: no event
        const char* description;
    } cases[] = {
        {"会議\r\n資料を準備する", "会議", "会議\r\n資料を準備する"},
        {"\r\n　買い物 \r\n牛乳\r\n\r\n", "買い物", "\r\n　買い物 \r\n牛乳"},  // blank first line, blanks after
        {" 　\r\n\t", nullptr, nullptr},                                       // blanks only
    };
    for (const auto& c : cases) {
        const Date day{2024, 5, 8};
        const std::vector<MemoEvent> events = memoEvents({MemoDay{day, c.text, NoArrow}}, day, day);
        if (!c.summary) {
            EXPECT_TRUE(events.empty()) << c.text;
            continue;
        }
        ASSERT_EQ(events.size(), 1u) << c.text;
        EXPECT_EQ(events[0], (MemoEvent{EventKind::Memo, day, day, c.summary, c.description}));
    }
    // Only the range's days give memo events.
    EXPECT_TRUE(memoEvents({MemoDay{Date{2024, 4, 30}, "x", NoArrow}}, Date{2024, 5, 1}, Date{2024, 5, 31}).empty());
}

// The arrow days of December 2024 and January 2025 in the span cases below.
struct Mark {
    Date date;
    std::uint8_t arrow;
    const char* text = "";
};

struct Span {
    Date first, last;
    const char* summary;
};

TEST(MemoEvents, ArrowSpans) {
    const Date dec1{2024, 12, 1}, dec31{2024, 12, 31}, jan1{2025, 1, 1}, jan31{2025, 1, 31};
    const std::vector<Mark> acrossNewYear = {{{2024, 12, 28}, 1, "スキー旅行\r\n長野"}, {{2024, 12, 29}, 2}, {{2024, 12, 30}, 2},
                                             {{2024, 12, 31}, 2, "大晦日"}, {{2025, 1, 1}, 2}, {{2025, 1, 2}, 2},
                                             {{2025, 1, 3}, 3}};
    const std::vector<Mark> startHalfOnly(acrossNewYear.begin(), acrossNewYear.begin() + 4);
    const std::vector<Mark> endHalfOnly(acrossNewYear.begin() + 4, acrossNewYear.end());
    const Span wholeTrip{{2024, 12, 28}, {2025, 1, 3}, "スキー旅行"};
    const struct {
        const char* name;
        std::vector<Mark> marks;
        Date from, to;
        std::vector<Span> spans;
    } cases[] = {
        {"within a month, no memo", {{{2024, 12, 5}, 1}, {{2024, 12, 6}, 2}, {{2024, 12, 7}, 3}}, dec1, dec31,
         {{{2024, 12, 5}, {2024, 12, 7}, "矢印"}}},
        {"two days", {{{2024, 12, 5}, 1, "\r\n 出張 "}, {{2024, 12, 6}, 3}}, dec1, dec31,
         {{{2024, 12, 5}, {2024, 12, 6}, "出張"}}},
        {"December into January, both months", acrossNewYear, dec1, jan31, {wholeTrip}},
        {"December into January, January alone", acrossNewYear, jan1, jan31, {wholeTrip}},
        {"December into January, December alone", acrossNewYear, dec1, dec31, {wholeTrip}},
        {"start half whose end half is missing", startHalfOnly, dec1, jan31,
         {{{2024, 12, 28}, {2024, 12, 31}, "スキー旅行"}}},
        {"end half whose start half is missing", endHalfOnly, dec1, jan31, {{jan1, {2025, 1, 3}, "矢印"}}},
        {"a day without a mark cuts the span",
         {{{2024, 12, 5}, 1}, {{2024, 12, 6}, 2}, {{2024, 12, 8}, 2}, {{2024, 12, 9}, 3}}, dec1, dec31,
         {{{2024, 12, 5}, {2024, 12, 6}, "矢印"}, {{2024, 12, 8}, {2024, 12, 9}, "矢印"}}},
        {"an end and a start on the next day",
         {{{2024, 12, 5}, 1, "a"}, {{2024, 12, 6}, 3}, {{2024, 12, 7}, 1, "b"}, {{2024, 12, 8}, 3}}, dec1, dec31,
         {{{2024, 12, 5}, {2024, 12, 6}, "a"}, {{2024, 12, 7}, {2024, 12, 8}, "b"}}},
        {"a start before the end", {{{2024, 12, 5}, 1, "a"}, {{2024, 12, 6}, 1, "b"}, {{2024, 12, 7}, 3}}, dec1,
         dec31, {{{2024, 12, 5}, {2024, 12, 5}, "a"}, {{2024, 12, 6}, {2024, 12, 7}, "b"}}},
        {"a lone end", {{{2024, 12, 10}, 3, "c"}}, dec1, dec31, {{{2024, 12, 10}, {2024, 12, 10}, "c"}}},
        {"a byte no arrow has", {{{2024, 12, 5}, 1}, {{2024, 12, 6}, 9}, {{2024, 12, 7}, 3}}, dec1, dec31,
         {{{2024, 12, 5}, {2024, 12, 5}, "矢印"}, {{2024, 12, 7}, {2024, 12, 7}, "矢印"}}},
        {"a span outside the range", {{{2024, 11, 5}, 1}, {{2024, 11, 6}, 3}}, dec1, dec31, {}},
    };
    for (const auto& c : cases) {
        std::vector<MemoDay> days;
        for (const Mark& m : c.marks) days.push_back(MemoDay{m.date, m.text, m.arrow});
        std::vector<MemoEvent> found;
        for (const MemoEvent& e : memoEvents(days, c.from, c.to))
            if (e.kind == EventKind::Arrow) found.push_back(e);
        ASSERT_EQ(found.size(), c.spans.size()) << c.name;
        for (std::size_t i = 0; i < found.size(); ++i) {
            EXPECT_EQ(found[i].first, c.spans[i].first) << c.name;
            EXPECT_EQ(found[i].last, c.spans[i].last) << c.name;
            EXPECT_EQ(found[i].summary, c.spans[i].summary) << c.name;
        }
    }
}

// --- the file -----------------------------------------------------------------

TEST(CalendarExport, WritesTheWholeFile) {
    TempFolder folder;
    putMonth(folder, 2024, 5,
             {{3, "10:00 歯医者; 受付, 2F\\B"}, {15, "出張\r\n大阪", ArrowStart}, {16, "", ArrowThrough},
              {17, "", ArrowEnd}});
    const CalendarExport result =
        exportCalendar(RealFileSystem(), folder.dir(), YearMonth{2024, 5}, YearMonth{2024, 5}, kStamp);
    EXPECT_EQ(result.ics,
              "BEGIN:VCALENDAR\r\n"
              "VERSION:2.0\r\n"
              "PRODID:-//Kelmora//Kelmora//JA\r\n"
              "CALSCALE:GREGORIAN\r\n"
              "BEGIN:VEVENT\r\n"
              "UID:20240503-memo@kelmora\r\n"
              "DTSTAMP:20240601T030405Z\r\n"
              "DTSTART;VALUE=DATE:20240503\r\n"
              "DTEND;VALUE=DATE:20240504\r\n"
              "SUMMARY:10:00 歯医者\\; 受付\\, 2F\\\\B\r\n"
              "DESCRIPTION:10:00 歯医者\\; 受付\\, 2F\\\\B\r\n"
              "END:VEVENT\r\n"
              "BEGIN:VEVENT\r\n"
              "UID:20240515-memo@kelmora\r\n"
              "DTSTAMP:20240601T030405Z\r\n"
              "DTSTART;VALUE=DATE:20240515\r\n"
              "DTEND;VALUE=DATE:20240516\r\n"
              "SUMMARY:出張\r\n"
              "DESCRIPTION:出張\\n大阪\r\n"
              "END:VEVENT\r\n"
              "BEGIN:VEVENT\r\n"
              "UID:20240515-arrow@kelmora\r\n"
              "DTSTAMP:20240601T030405Z\r\n"
              "DTSTART;VALUE=DATE:20240515\r\n"
              "DTEND;VALUE=DATE:20240518\r\n"
              "SUMMARY:出張\r\n"
              "END:VEVENT\r\n"
              "END:VCALENDAR\r\n");
    EXPECT_TRUE(result.unreadableFiles.empty());
}

// Both halves of a New Year arrow, January written with Monday-first weeks;
// an unreadable February inside the range and an unreadable March beyond it.
TEST(CalendarExport, ReadsTheMonthsOfTheRangeAndOneBeyondEachEnd) {
    TempFolder folder;
    putMonth(folder, 2024, 12, {{28, "スキー", ArrowStart}, {29, "", 2}, {30, "", 2}, {31, "", 2}});
    putMonth(folder, 2025, 1, {{1, "元日", 2}, {2, "", 2}, {3, "帰宅", ArrowEnd}, {31, "月末"}}, MondayFirst);
    putMonth(folder, 2025, 2, {{14, "x"}});
    folder.put("202502.wmd", folder.get("202502.wmd").substr(0, 30));
    folder.put("202503.wmd", "\xF0");

    const CalendarExport result =
        exportCalendar(RealFileSystem(), folder.dir(), YearMonth{2025, 1}, YearMonth{2025, 2}, kStamp);
    std::vector<std::string> listed;
    for (const MemoEvent& e : result.events)
        listed.push_back(uidOf(e) + " " + std::to_string(e.last.month) + "/" + std::to_string(e.last.day) + " " +
                         e.summary);
    EXPECT_EQ(listed, (std::vector<std::string>{"20241228-arrow@kelmora 1/3 スキー", "20250101-memo@kelmora 1/1 元日",
                                                "20250103-memo@kelmora 1/3 帰宅", "20250131-memo@kelmora 1/31 月末"}));
    EXPECT_EQ(result.unreadableFiles, std::vector<std::string>{folder.file("202502.wmd")});

    // December alone: the arrow still ends where January's half ends.
    const CalendarExport december =
        exportCalendar(RealFileSystem(), folder.dir(), YearMonth{2024, 12}, YearMonth{2024, 12}, kStamp);
    ASSERT_EQ(december.events.size(), 2u);
    EXPECT_EQ(december.events[1].kind, EventKind::Arrow);
    EXPECT_EQ(december.events[1].last, (Date{2025, 1, 3}));
    EXPECT_TRUE(december.unreadableFiles.empty());
}

TEST(CalendarExport, UidsFollowTheDayAndKindNotTheText) {
    TempFolder folder;
    putMonth(folder, 2024, 5, {{3, "会議"}, {15, "出張", ArrowStart}, {16, "", ArrowEnd}});
    const auto uids = [&](const LocalTime& stamp) {
        std::vector<std::string> all;
        for (const MemoEvent& e :
             exportCalendar(RealFileSystem(), folder.dir(), YearMonth{2024, 5}, YearMonth{2024, 5}, stamp).events)
            all.push_back(uidOf(e));
        return all;
    };
    const std::vector<std::string> before = uids(kStamp);
    EXPECT_EQ(std::set<std::string>(before.begin(), before.end()).size(), before.size()) << "UIDs repeat";

    // The memos edited and the arrow made longer: the same events, updated.
    putMonth(folder, 2024, 5, {{3, "会議（場所変更）"}, {15, "出張（延長）", ArrowStart}, {16, "", 2}, {17, "", ArrowEnd}});
    EXPECT_EQ(uids(LocalTime{Date{2024, 7, 1}, 9, 0, 0}), before);
}

TEST(CalendarExport, EventsEndingOnTheCalendarsLastDayGiveTheirLength) {
    TempFolder folder;
    putMonth(folder, 9999, 12, {{30, "a", ArrowStart}, {31, "b", ArrowEnd}});
    const std::string ics =
        exportCalendar(RealFileSystem(), folder.dir(), YearMonth{9999, 12}, YearMonth{9999, 12}, kStamp).ics;
    for (const char* expected : {"DTSTART;VALUE=DATE:99991230\r\nDTEND;VALUE=DATE:99991231\r\nSUMMARY:a\r\n",
                                 "DTSTART;VALUE=DATE:99991230\r\nDURATION:P2D\r\nSUMMARY:a\r\n",
                                 "DTSTART;VALUE=DATE:99991231\r\nDURATION:P1D\r\nSUMMARY:b\r\n"})
        EXPECT_NE(ics.find(expected), std::string::npos) << expected << "\n" << ics;
}

// --- the stamp and the written file --------------------------------------------

TEST(UniversalTime, LocalTimeGoesThroughTheZoneRules) {
    const char* saved = std::getenv("TZ");
    const std::string restore = saved ? saved : "";
    setenv("TZ", "JST-9", 1);
    tzset();
    const LocalTime morning = universalTimeOf(LocalTime{Date{2024, 5, 3}, 10, 2, 3});
    const LocalTime newYear = universalTimeOf(LocalTime{Date{2025, 1, 1}, 5, 0, 0});
    if (saved) setenv("TZ", restore.c_str(), 1);
    else unsetenv("TZ");
    tzset();
    EXPECT_EQ(morning.date, (Date{2024, 5, 3}));
    EXPECT_EQ(morning.hour * 10000 + morning.minute * 100 + morning.second, 10203);
    EXPECT_EQ(newYear.date, (Date{2024, 12, 31}));
    EXPECT_EQ(newYear.hour, 20);
}

TEST(ExportFile, WritesOrSaysWhyNot) {
    TempFolder folder;
    RealFileSystem files;
    EXPECT_FALSE(writeExportFile(files, folder.file("out.ics"), "BEGIN:VCALENDAR\r\n").has_value());
    EXPECT_EQ(folder.get("out.ics"), "BEGIN:VCALENDAR\r\n");
    std::filesystem::create_directory(folder.file("taken.ics"));
    const struct {
        std::string path;
        const char* cause;
    } failures[] = {
        {folder.file("missing/out.ics"), "保存先のフォルダがありません。"},
        {folder.file("taken.ics"), "同じ名前のフォルダがあります。"},
    };
    for (const auto& f : failures) {
        const std::optional<std::string> cause = writeExportFile(files, f.path, "x");
        ASSERT_TRUE(cause.has_value()) << f.path;
        EXPECT_EQ(cp932::toUtf8(*cause), f.cause);
    }
}

}  // namespace
}  // namespace kelmora
