#include "find/memo_search.h"

#include <algorithm>
#include <utility>

#include "main/expired_files.h"
#include "main/month_files.h"

namespace kelmora {
namespace {

constexpr std::u16string_view kLineBreaks = u"\r\n";

}  // namespace

MemoMatcher::MemoMatcher(std::string_view cp932Query)
    : query_(foldedText(cp932Query)),
      searchable_(!query_.empty() && query_.find_first_of(kLineBreaks) == std::u16string::npos) {}

std::optional<MemoHit> MemoMatcher::firstLineWith(std::string_view memo) {
    if (!searchable_) return std::nullopt;
    memo_.assign(memo);
    const std::u16string_view text = memo_.chars();
    std::size_t at = text.find(query_);
    if (at == std::u16string_view::npos) return std::nullopt;

    // The query holds no line break, so the line around its first place
    // holds all of it.
    const std::size_t breakBefore = text.find_last_of(kLineBreaks, at);
    const std::size_t lineStart = breakBefore == std::u16string_view::npos ? 0 : breakBefore + 1;
    const std::size_t lineEnd = std::min(text.find_first_of(kLineBreaks, at), text.size());
    const std::size_t lineByte = memo_.sourceOffset(lineStart);

    MemoHit hit;
    hit.line.assign(memo.substr(lineByte, memo_.sourceOffset(lineEnd) - lineByte));
    for (; at != std::u16string_view::npos && at + query_.size() <= lineEnd; at = text.find(query_, at + query_.size())) {
        const std::size_t start = memo_.sourceOffset(at);
        hit.spans.push_back({start - lineByte, memo_.sourceOffset(at + query_.size()) - start});
    }
    return hit;
}

MemoSearchResult searchMemoFiles(const FileSystem& files, const std::string& directory, std::string_view cp932Query,
                                 const MonthSpan& months) {
    MemoSearchResult result;
    MemoMatcher matcher(cp932Query);
    if (!matcher.searchable()) return result;

    const std::string dir = withTrailingSeparator(directory);
    // One month model for all files: the decoder puts each day's memo into
    // the day's cell, whatever week layout the file was written in.
    MonthModel model;
    for (const auto& [month, name] : monthFilesIn(files, dir, months.first, months.last)) {
        if (readMonthFile(files, dir + name, month, model) != MonthFileRead::Read) {
            result.unreadable.push_back(name);
            continue;
        }
        const int days = daysInMonth(month.year, month.month);
        for (int day = 1; day <= days; ++day) {
            int col = 0, week = 0;
            model.cellOfDay(day, col, week);
            const std::string& memo = model.memos[col][week].text;
            if (memo.empty()) continue;
            if (std::optional<MemoHit> hit = matcher.firstLineWith(memo)) {
                hit->date = Date{month.year, month.month, day};
                result.hits.push_back(std::move(*hit));
            }
        }
    }
    return result;
}

}  // namespace kelmora
