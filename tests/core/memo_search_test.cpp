#include "find/memo_search.h"

#include <gtest/gtest.h>

#include <map>

#include "built_month.h"
#include "main/cp932.h"
#include "main/month_file_format.h"
#include "main/month_files.h"
#include "temp_folder.h"

namespace kelmora {
namespace {

using testing::built;
using testing::TempFolder;

// A hit as UTF-8, its line with every place of the text in brackets:
// "[歯医者] 10:00". "-" when there is none.
std::string shown(const std::optional<MemoHit>& hit) {
    if (!hit) return "-";
    std::string marked;
    std::size_t at = 0;
    for (const TextSpan& span : hit->spans) {
        marked += cp932::toUtf8(hit->line.substr(at, span.start - at)) + "[" +
                  cp932::toUtf8(hit->line.substr(span.start, span.length)) + "]";
        at = span.start + span.length;
    }
    return marked + cp932::toUtf8(hit->line.substr(at));
}

std::string firstLine(const char* memo, const char* query) {
    MemoMatcher matcher(cp932::literal(query));
    return shown(matcher.firstLineWith(cp932::literal(memo)));
}

TEST(MemoMatching, FormsAJapaneseReaderTakesForTheSameText) {
    struct Case {
        const char* memo;
        const char* query;
        const char* want;
    };
    const Case cases[] = {
        // Latin letters of either case, full-width and half-width alike.
        {"Zoom 会議", "zOOM", "[Zoom] 会議"},
        {"ＰＴＡ役員会", "pta", "[ＰＴＡ]役員会"},
        {"10:00 歯医者", "１０：００", "[10:00] 歯医者"},
        {"会議　第２", "会議 第2", "[会議　第２]"},
        // Half-width katakana, their voiced and semi-voiced marks joined.
        {"ｶﾞｽ点検", "ガス", "[ｶﾞｽ]点検"},
        {"ﾊﾟｰﾃｨｰ 19:00", "パーティー", "[ﾊﾟｰﾃｨｰ] 19:00"},
        {"ｳﾞｧｲｵﾘﾝ教室", "ヴァイオリン", "[ｳﾞｧｲｵﾘﾝ]教室"},
        {"ガス代", "ｶﾞｽ", "[ガス]代"},
        {"｢ﾒﾓ｣", "「メモ」", "[｢ﾒﾓ｣]"},
        // A mark makes another letter: ガ is not カ, パ is not バ.
        {"ｶﾞｽ点検", "カス", "-"},
        {"ﾊﾟﾝ", "バン", "-"},
        {"カス", "ｶﾞｽ", "-"},
        // Hiragana and katakana alike, also from half-width.
        {"定例カイギ", "かいぎ", "定例[カイギ]"},
        {"かいぎ室", "カイギ", "[かいぎ]室"},
        {"ｶﾞｯｺｳ", "がっこう", "[ｶﾞｯｺｳ]"},
        // A byte of a double-byte character is no letter of its own: ア is
        // 83 41 ("A"), ソ is 83 5C ("\").
        {"アイス", "a", "-"},
        {"ソフト", "\\", "-"},
        // Every place in the first line that holds the text, and only there.
        {"買い物\r\n歯医者 10:00 歯医者\r\n歯医者", "歯医者", "[歯医者] 10:00 [歯医者]"},
        {"abc\r\nABC", "ABC", "[abc]"},
        // A hit never runs across a line break.
        {"歯医\r\n者", "歯医者", "-"},
        {"会議\r\n", "会議", "[会議]"},
        {"\r\n\r\n会議", "会議", "[会議]"},
    };
    for (const Case& c : cases) EXPECT_EQ(firstLine(c.memo, c.query), c.want) << c.memo << " / " << c.query;
}

TEST(MemoMatching, TextsNoLineCanHoldAreNotSearched) {
    for (const char* query : {"", "a\r\nb", "\n", "a\rb"}) {
        MemoMatcher matcher(cp932::literal(query));
        EXPECT_FALSE(matcher.searchable()) << query;
        EXPECT_EQ(shown(matcher.firstLineWith(cp932::literal("a\r\nb"))), "-") << query;
    }
}

// Month files written as the calendar writes them.
class MemoFolder {
public:
    // Writes the month with the given memos (day → UTF-8 text) in a layout.
    void write(int year, int month, Layout layout, const std::map<int, const char*>& memos) const {
        folder_.put(fileName(year, month), *encodeMonthFile(filled(year, month, layout, memos)));
    }
    // A file of an old version: Sunday-first, and below version 13 only the
    // texts, below 20 the texts and marks.
    void writeOld(int year, int month, int version, const std::map<int, const char*>& memos) const {
        const MonthModel m = filled(year, month, SundayFirst, memos);
        std::string bytes = *encodeMonthFile(m);
        std::size_t textsEnd = 4;
        for (int week = 1; week <= m.weekRows; ++week)
            for (int col = 0; col < kColumns; ++col) textsEnd += 2 + m.memos[col][week].text.size();
        if (version < 20) bytes.resize(version < 13 ? textsEnd : textsEnd + 7 + 84);
        bytes[0] = static_cast<char>(version);
        bytes[1] = 0;
        folder_.put(fileName(year, month), bytes);
    }
    MemoSearchResult search(const char* query, const MonthSpan& months = {}) const {
        return searchMemoFiles(files_, folder_.dir(), cp932::literal(query), months);
    }
    const TempFolder& folder() const { return folder_; }
    static std::string fileName(int year, int month) { return monthFileName("", year, month); }

private:
    static MonthModel filled(int year, int month, Layout layout, const std::map<int, const char*>& memos) {
        MonthModel m = built(year, month, layout);
        for (const auto& [day, text] : memos) {
            int col = 0, week = 0;
            m.cellOfDay(day, col, week);
            m.memos[col][week].text = cp932::literal(text);
        }
        return m;
    }

    TempFolder folder_;
    RealFileSystem files_;
};

// "2024-12-01 [歯医者]", one a hit.
std::vector<std::string> listed(const MemoSearchResult& result) {
    std::vector<std::string> lines;
    for (const MemoHit& hit : result.hits) {
        char date[16];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", hit.date.year, hit.date.month, hit.date.day);
        lines.push_back(std::string(date) + " " + shown(hit));
    }
    return lines;
}

TEST(MemoSearch, EachFileIsReadInItsOwnLayoutAndVersion) {
    MemoFolder f;
    // December 2024 begins on a Sunday: Monday-first it has six weeks, day 1
    // alone at the end of week 1.
    f.write(2024, 12, MondayFirst, {{1, "歯医者 10:00"}, {31, "買い物\r\nｼｶ 予約"}});
    f.write(2024, 11, SundayFirst, {{30, "歯医者"}});
    // Old files: texts only, texts and marks, all sections before layouts.
    f.writeOld(1999, 9, 10, {{1, "しか"}, {30, "会議"}});
    f.writeOld(2001, 3, 15, {{31, "歯医者の予約"}});
    f.writeOld(2005, 6, 200, {{15, "ｼｶ検診"}});
    EXPECT_EQ(listed(f.search("歯医者")),
              (std::vector<std::string>{"2001-03-31 [歯医者]の予約", "2024-11-30 [歯医者]", "2024-12-01 [歯医者] 10:00"}));
    EXPECT_EQ(listed(f.search("シカ")),
              (std::vector<std::string>{"1999-09-01 [しか]", "2005-06-15 [ｼｶ]検診", "2024-12-31 [ｼｶ] 予約"}));
}

TEST(MemoSearch, OnlyMonthFilesWithinTheMonthsAsked) {
    MemoFolder f;
    for (int month : {1, 2, 3}) f.write(2024, month, SundayFirst, {{month, "会議"}});
    f.write(2023, 12, SundayFirst, {{24, "会議"}});
    // Names the calendar never reads.
    for (const char* name : {"202404.WMD", "20240501.wmd", "notes.wmd", "202406.wmd.tmp"})
        f.folder().put(name, f.folder().get(MemoFolder::fileName(2024, 1)));
    std::filesystem::create_directory(f.folder().file("202407.wmd"));

    EXPECT_EQ(listed(f.search("会議")), (std::vector<std::string>{"2023-12-24 [会議]", "2024-01-01 [会議]",
                                                                  "2024-02-02 [会議]", "2024-03-03 [会議]"}));
    EXPECT_EQ(listed(f.search("会議", MonthSpan{{2024, 1}, {2024, 2}})),
              (std::vector<std::string>{"2024-01-01 [会議]", "2024-02-02 [会議]"}));
    EXPECT_TRUE(f.search("会議", MonthSpan{{2024, 4}, {2030, 1}}).hits.empty());
}

TEST(MemoSearch, AMemoBesideTheMonthsDaysHasNoDateAndIsNotFound) {
    MemoFolder f;
    MonthModel m = built(2024, 5);  // begins on a Wednesday: three blank cells before it
    m.memos[0][1].text = cp932::literal("会議");
    f.folder().put("202405.wmd", *encodeMonthFile(m));
    EXPECT_TRUE(f.search("会議").hits.empty());
}

TEST(MemoSearch, AnUnreadableFileIsSkippedAndNamed) {
    MemoFolder f;
    f.write(2024, 1, SundayFirst, {{10, "会議"}});
    f.write(2024, 2, SundayFirst, {{10, "会議"}});
    f.write(2024, 3, SundayFirst, {{10, "会議"}});
    const std::string february = f.folder().get("202402.wmd");
    f.folder().put("202402.wmd", february.substr(0, february.size() / 2));
    f.folder().put("202404.wmd", "");

    const MemoSearchResult result = f.search("会議");
    EXPECT_EQ(listed(result), (std::vector<std::string>{"2024-01-10 [会議]", "2024-03-10 [会議]"}));
    EXPECT_EQ(result.unreadable, (std::vector<std::string>{"202402.wmd", "202404.wmd"}));
}

TEST(MemoSearch, AFolderThatCannotBeListedFindsNothing) {
    MemoFolder f;
    RealFileSystem files;
    const MemoSearchResult result = searchMemoFiles(files, f.folder().file("missing"), cp932::literal("会議"));
    EXPECT_TRUE(result.hits.empty());
    EXPECT_TRUE(result.unreadable.empty());
}

}  // namespace
}  // namespace kelmora
