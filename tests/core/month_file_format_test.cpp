#include "main/month_file_format.h"

#include <gtest/gtest.h>

#include "built_month.h"

#include <optional>

#include "main/cp932.h"

namespace kelmora {
namespace {

using testing::built;

// What the day `day` holds in these tests: every field differs from day to day.
struct DayContent {
    std::string text;
    Tdaymark mark;
    std::uint8_t arrow = 0;
    std::optional<Colour> back, font;
};

DayContent contentOf(int day) {
    DayContent c;
    if (day % 7 != 0) c.text = "day " + std::to_string(day) + "\r\n" + cp932::literal("会議・出張");
    if (day % 5 == 1) c.mark.holidayMark = 1;
    if (day % 5 == 2) c.mark.weekdayMark = 1;
    c.arrow = static_cast<std::uint8_t>(day % 4);
    if (day % 3 == 0) c.back = rgb(day, 0, 200);
    if (day % 2 == 0) c.font = kSystemColourBit | static_cast<Colour>(day);
    return c;
}

void fill(MonthModel& m) {
    for (int col = 0; col < kColumns; ++col) {
        for (int week = 1; week <= kWeeks; ++week) {
            const int day = m.cells[col][week].day;
            if (day == 0) continue;
            const DayContent c = contentOf(day);
            Tmemocell& memo = m.memos[col][week];
            memo.text = c.text;
            memo.arrow = c.arrow;
            memo.hasBackColor = c.back.has_value();
            memo.backColor = c.back.value_or(0x123456);  // kept but unused when the flag is off
            memo.hasFontColor = c.font.has_value();
            memo.fontColor = c.font.value_or(0x654321);
            m.marks[col][week] = c.mark;
        }
    }
}

// The sections a file version carries.
struct Sections {
    bool marks = true;
    bool arrows = true;
};

// Every cell of `loaded` holds what its date was given, and cells without a
// date hold nothing; holiday flags are the built ones with the marks applied.
void expectContentByDate(const MonthModel& loaded, Sections sections, const std::string& where) {
    const MonthModel fresh = built(loaded.year, loaded.month, loaded.layout());
    for (int col = 0; col < kColumns; ++col) {
        for (int week = 1; week <= kWeeks; ++week) {
            SCOPED_TRACE(where + " col " + std::to_string(col) + " week " + std::to_string(week));
            const int day = loaded.cells[col][week].day;
            const Tmemocell& memo = loaded.memos[col][week];
            const Tdaymark& mark = loaded.marks[col][week];
            const DayContent c = day ? contentOf(day) : DayContent{};
            EXPECT_EQ(memo.text, c.text);
            EXPECT_EQ(mark.holidayMark, sections.marks ? c.mark.holidayMark : 0);
            EXPECT_EQ(mark.weekdayMark, sections.marks ? c.mark.weekdayMark : 0);
            EXPECT_EQ(memo.arrow, sections.arrows ? c.arrow : 0);
            const bool back = sections.arrows && c.back, font = sections.arrows && c.font;
            EXPECT_EQ(memo.hasBackColor, back ? 1 : 0);
            if (back) {
                EXPECT_EQ(memo.backColor, *c.back);
            }
            EXPECT_EQ(memo.hasFontColor, font ? 1 : 0);
            if (font) {
                EXPECT_EQ(memo.fontColor, *c.font);
            }

            int holiday = fresh.cells[col][week].holiday;
            if (sections.marks && c.mark.holidayMark) holiday = 1;
            if (sections.marks && c.mark.weekdayMark) holiday = 0;
            EXPECT_EQ(loaded.cells[col][week].holiday, holiday);
        }
    }
    EXPECT_EQ(loaded.arrowDataLoaded, sections.arrows);
}

// A month file written byte by byte, cells taken from `shape` (built in the
// layout the file claims), contents from contentOf.
class Fixture {
public:
    Fixture(std::uint16_t version, const MonthModel& shape) {
        u16(version);
        u16(0xBEEF);  // reserved: never read
        for (int week = 1; week <= shape.weekRows; ++week) {
            for (int col = 0; col < kColumns; ++col) {
                const std::string text = contentAt(shape, col, week).text;
                u16(static_cast<std::uint16_t>(text.size()));
                bytes += text;
            }
        }
        if (version < 13) return;
        bytes += std::string(7, '\1');  // every weekday a day off when written
        for (int week = 1; week <= kWeeks; ++week) {
            for (int col = 0; col < kColumns; ++col) {
                const Tdaymark mark = contentAt(shape, col, week).mark;
                u8(mark.holidayMark);
                u8(mark.weekdayMark);
            }
        }
        if (version < 20) return;
        for (int week = 1; week <= kWeeks; ++week)
            for (int col = 0; col < kColumns; ++col) u8(contentAt(shape, col, week).arrow);
        for (bool background : {true, false}) {
            for (int week = 1; week <= kWeeks; ++week) {
                for (int col = 0; col < kColumns; ++col) {
                    const DayContent c = contentAt(shape, col, week);
                    const std::optional<Colour> colour = background ? c.back : c.font;
                    u8(colour ? 1 : 0);
                    if (colour)
                        for (int shift = 0; shift < 32; shift += 8) u8(static_cast<std::uint8_t>(*colour >> shift));
                }
            }
        }
    }

    std::string bytes;

private:
    static DayContent contentAt(const MonthModel& shape, int col, int week) {
        const int day = shape.cells[col][week].day;
        return day ? contentOf(day) : DayContent{};
    }
    void u8(std::uint8_t v) { bytes.push_back(static_cast<char>(v)); }
    void u16(std::uint16_t v) {
        u8(static_cast<std::uint8_t>(v & 0xFF));
        u8(static_cast<std::uint8_t>(v >> 8));
    }
};

TEST(MonthFileName, YearUnpaddedMonthInTwoDigits) {
    EXPECT_EQ(monthFileName("/opt/kelmora/", 2024, 5), "/opt/kelmora/202405.wmd");
    EXPECT_EQ(monthFileName("/opt/kelmora/", 2024, 12), "/opt/kelmora/202412.wmd");
    EXPECT_EQ(monthFileName("", 1999, 1), "199901.wmd");
}

TEST(MonthFileFormat, EveryMonthRoundTripsWithinAndAcrossLayouts) {
    // 2015..2026 holds every week count of both layouts, Februaries filling
    // four weeks among them (February 2015 starts on a Sunday, 2021 on a Monday).
    int weekCounts[2][7] = {};
    for (int year = 2015; year <= 2026; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (Layout written : {SundayFirst, MondayFirst}) {
                MonthModel source = built(year, month, written);
                ++weekCounts[written][source.weekRows];
                fill(source);
                const std::optional<std::string> bytes = encodeMonthFile(source);
                ASSERT_TRUE(bytes);
                for (Layout read : {SundayFirst, MondayFirst}) {
                    MonthModel target = built(year, month, read);
                    ASSERT_TRUE(decodeMonthFile(*bytes, target));
                    expectContentByDate(target, {}, std::to_string(year) + "/" + std::to_string(month) + " written " +
                                                        std::to_string(written) + " read " + std::to_string(read));
                }
            }
        }
    }
    for (Layout layout : {SundayFirst, MondayFirst}) {
        EXPECT_GT(weekCounts[layout][5], 0);
        EXPECT_GT(weekCounts[layout][6], 0);
    }
}

TEST(MonthFileFormat, ThirtyOneDaysFromASundayHoldsFiveWeeksOfTextsAndMovesInTheMondayLayout) {
    MonthModel sunday = built(2024, 12, SundayFirst);
    MonthModel monday = built(2024, 12, MondayFirst);
    // Header 4, texts 2 bytes a cell, days off 7, marks 84, arrows 42, two colour flags 42 each.
    EXPECT_EQ(encodeMonthFile(sunday)->size(), 4u + 35 * 2 + 7 + 84 + 42 + 42 + 42);
    EXPECT_EQ(encodeMonthFile(monday)->size(), 4u + 42 * 2 + 7 + 84 + 42 + 42 + 42);

    sunday.memos[0][1].text = "first";
    sunday.memos[2][5].text = "last";
    ASSERT_TRUE(decodeMonthFile(*encodeMonthFile(sunday), monday));
    EXPECT_EQ(monday.memos[6][1].text, "first");
    EXPECT_EQ(monday.memos[1][6].text, "last");
}

struct VersionCase {
    std::uint16_t version;
    Layout fileLayout;
    Sections sections;
};

TEST(MonthFileFormat, EveryVersionReadsItsSectionsInItsLayout) {
    const VersionCase cases[] = {
        {10, SundayFirst, {false, false}}, {12, SundayFirst, {false, false}}, {13, SundayFirst, {true, false}},
        {19, SundayFirst, {true, false}},  {20, SundayFirst, {true, true}},   {200, SundayFirst, {true, true}},
        {240, SundayFirst, {true, true}},  {241, MondayFirst, {true, true}},  {245, SundayFirst, {true, true}},
        {251, MondayFirst, {true, true}},
    };
    // Months whose week count differs between the layouts, both ways, and a
    // four-week February.
    const std::pair<int, int> months[] = {{2024, 12}, {2024, 6}, {2024, 3}, {2024, 9}, {2015, 2}};
    for (const VersionCase& c : cases) {
        for (auto [year, month] : months) {
            const Fixture file(c.version, built(year, month, c.fileLayout));
            for (Layout read : {SundayFirst, MondayFirst}) {
                MonthModel target = built(year, month, read);
                ASSERT_TRUE(decodeMonthFile(file.bytes, target)) << c.version;
                expectContentByDate(target, c.sections,
                                    "version " + std::to_string(c.version) + " " + std::to_string(year) + "/" +
                                        std::to_string(month) + " read " + std::to_string(read));
                EXPECT_EQ(target.weeklyDaysOff, MonthModel{}.weeklyDaysOff) << "days off come from the settings";
            }
        }
    }
}

TEST(MonthFileFormat, AFileEndingBeforeItsLastSectionIsUnreadable) {
    // Every cut, so also every boundary between sections and between texts.
    for (std::uint16_t version : {10, 15, 240, 241}) {
        const Layout layout = version == 241 ? MondayFirst : SundayFirst;
        const Fixture file(version, built(2024, 12, layout));
        for (std::size_t length = 0; length < file.bytes.size(); ++length) {
            MonthModel target = built(2024, 12, SundayFirst);
            EXPECT_FALSE(decodeMonthFile(std::string_view(file.bytes).substr(0, length), target))
                << "version " << version << " cut at " << length << " of " << file.bytes.size();
            EXPECT_FALSE(target.arrowDataLoaded);
        }
        MonthModel whole = built(2024, 12, SundayFirst);
        EXPECT_TRUE(decodeMonthFile(file.bytes, whole)) << version;
    }
}

TEST(MonthFileFormat, AMemoLongerThanASixteenBitLengthIsRefusedNotCut) {
    MonthModel m = built(2024, 5, SundayFirst);
    m.memos[3][1].text = std::string(kMaxMemoBytes, 'a');
    const std::optional<std::string> longest = encodeMonthFile(m);
    ASSERT_TRUE(longest);
    MonthModel back = built(2024, 5, SundayFirst);
    ASSERT_TRUE(decodeMonthFile(*longest, back));
    EXPECT_EQ(back.memos[3][1].text.size(), kMaxMemoBytes);

    m.memos[3][1].text.push_back('b');
    EXPECT_FALSE(encodeMonthFile(m));
}

}  // namespace
}  // namespace kelmora
