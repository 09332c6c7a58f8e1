#include "export/memo_events.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "main/month_model.h"

namespace kelmora {
namespace {

constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";
constexpr const char* kArrowSummary = "矢印";

// Length of the blank (space, tab, line break, ideographic space) at `pos`, 0 if none.
std::size_t blankAt(std::string_view text, std::size_t pos) {
    const char ch = text[pos];
    if (ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n') return 1;
    return text.substr(pos, kIdeographicSpace.size()) == kIdeographicSpace ? kIdeographicSpace.size() : 0;
}

std::string_view trimmedEnd(std::string_view text) {
    for (;;) {
        if (!text.empty() && blankAt(text, text.size() - 1) == 1) text.remove_suffix(1);
        else if (text.size() >= kIdeographicSpace.size() && text.ends_with(kIdeographicSpace))
            text.remove_suffix(kIdeographicSpace.size());
        else return text;
    }
}

std::string_view trimmed(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t blank = blankAt(text, start);
        if (blank == 0) break;
        start += blank;
    }
    return trimmedEnd(text.substr(start));
}

// The first line that holds more than blanks, trimmed.
std::string firstLineOf(std::string_view text) {
    while (!text.empty()) {
        const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
        const std::string_view line = trimmed(text.substr(0, end));
        if (!line.empty()) return std::string(line);
        text.remove_prefix(end);
        if (text.starts_with("\r\n")) text.remove_prefix(2);
        else if (!text.empty()) text.remove_prefix(1);
    }
    return {};
}

// Arrow marks in date order, building the spans. A start ends any span
// still open; a passing day or an end with no span open begins one (its
// start half is missing); a day without a mark, or a gap between days, ends
// the open span where it stands.
class SpanFinder {
public:
    void add(const MemoDay& day) {
        if (open_ && day.date != addDays(open_->last, 1)) close();
        switch (day.arrow) {
            case ArrowStart:
                close();
                begin(day);
                break;
            case ArrowThrough:
                if (open_) open_->last = day.date;
                else begin(day);
                break;
            case ArrowEnd:
                if (open_) open_->last = day.date;
                else begin(day);
                close();
                break;
            default: close();  // no mark, or a byte no arrow has
        }
    }
    std::vector<MemoEvent> finish() {
        close();
        return std::move(spans_);
    }

private:
    void begin(const MemoDay& day) {
        const std::string summary = firstLineOf(day.text);
        open_ = MemoEvent{EventKind::Arrow, day.date, day.date, summary.empty() ? kArrowSummary : summary, {}};
    }
    void close() {
        if (open_) spans_.push_back(std::move(*open_));
        open_.reset();
    }

    std::optional<MemoEvent> open_;
    std::vector<MemoEvent> spans_;
};

}  // namespace

std::vector<MemoEvent> memoEvents(const std::vector<MemoDay>& days, Date from, Date to) {
    std::vector<MemoEvent> events;
    SpanFinder spans;
    for (const MemoDay& day : days) {
        spans.add(day);
        if (day.date < from || day.date > to) continue;
        std::string summary = firstLineOf(day.text);
        if (summary.empty()) continue;  // blanks only: nothing to carry over
        events.push_back(MemoEvent{EventKind::Memo, day.date, day.date, std::move(summary),
                                   std::string(trimmedEnd(day.text))});
    }
    for (MemoEvent& span : spans.finish())
        if (span.first <= to && span.last >= from) events.push_back(std::move(span));
    std::stable_sort(events.begin(), events.end(), [](const MemoEvent& a, const MemoEvent& b) {
        return a.first != b.first ? a.first < b.first : a.kind < b.kind;
    });
    return events;
}

}  // namespace kelmora
