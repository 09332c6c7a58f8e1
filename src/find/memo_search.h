#pragma once
// Finding a text in the memos of every month of a folder: each month file
// ("YYYYMM.wmd") is read in the week layout and version it was written with,
// and the text is compared in its folded form (text_folding.h). A hit never
// runs across a line break.

#include <compare>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "find/text_folding.h"
#include "main/civil_date.h"
#include "main/file_system.h"
#include "main/year_month.h"
#include "main/month_model.h"

namespace kelmora {

// Where the searched text stands in a line, in bytes.
struct TextSpan {
    std::size_t start = 0;
    std::size_t length = 0;
    bool operator==(const TextSpan&) const = default;
};

struct MemoHit {
    Date date;
    std::string line;             // CP932: the memo's first line that holds the text
    std::vector<TextSpan> spans;  // every place the text stands in `line`, left to right
};

struct MemoSearchResult {
    std::vector<MemoHit> hits;            // in date order, one a day at most
    std::vector<std::string> unreadable;  // names of month files skipped because they could not be read
};

// The months searched, both ends included.
struct MonthSpan {
    YearMonth first{kMinYear, 1};
    YearMonth last{kMaxYear, 12};
};

// A searched text, folded once, compared with one memo after another.
class MemoMatcher {
public:
    explicit MemoMatcher(std::string_view cp932Query);

    // False for a text no memo line can hold: an empty one, or one with a
    // line break.
    bool searchable() const { return searchable_; }

    // The first line of `memo` that holds the text, with every place the text
    // stands in it; nothing when no line does.
    std::optional<MemoHit> firstLineWith(std::string_view memo);

private:
    std::u16string query_;
    bool searchable_ = false;
    FoldedText memo_;  // reused from memo to memo
};

// Every day of the month files in `directory` whose memo holds the text.
// A file that cannot be read is skipped and named in the result.
MemoSearchResult searchMemoFiles(const FileSystem& files, const std::string& directory, std::string_view cp932Query,
                                 const MonthSpan& months = {});

}  // namespace kelmora
