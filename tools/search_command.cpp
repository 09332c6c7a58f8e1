// kelmora-tool search [DIR] TEXT [--from YYYY-MM] [--to YYYY-MM]: every day
// whose memo holds TEXT, as the calendar's search finds them, one line a day:
// the date, a tab, the memo's first line that holds the text (UTF-8).

#include <cstdio>
#include <iostream>
#include <optional>

#include "commands.h"
#include "find/memo_search.h"
#include "main/cp932.h"

namespace kelmora::tool {
namespace {

constexpr const char* kSearchUsage = "usage: search [DIR] TEXT [--from YYYY-MM] [--to YYYY-MM]";

}  // namespace

int searchCommand(const Args& args) {
    std::vector<std::string> operands;
    std::optional<YearMonth> from, to;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--from" && args[i] != "--to") {
            operands.push_back(args[i]);
            continue;
        }
        std::optional<YearMonth>& bound = args[i] == "--from" ? from : to;
        if (bound) return usageError(args[i] + " is given twice");
        if (i + 1 == args.size()) return usageError(args[i] + " needs a month (YYYY-MM)");
        bound = parseYearMonth(args[++i]);
        if (!bound) return usageError("not a month between 1000-01 and 9999-12: " + args[i]);
    }
    if (operands.empty() || operands.size() > 2) return usageError(kSearchUsage);
    const std::string dir = takeCalendarDir(operands, 1);
    const std::string& text = operands[0];

    if (!isFolderOrSay(dir)) return 2;
    if (text.empty()) return usageError("TEXT is empty");
    if (text.find_first_of("\r\n") != std::string::npos) return usageError("TEXT must be one line");
    MonthSpan months;
    if (from) months.first = *from;
    if (to) months.last = *to;
    if (months.first > months.last) return usageError("--from is after --to");

    char32_t unencodable = 0;
    const std::optional<std::string> query = cp932::fromUtf8(text, &unencodable);
    if (!query) {
        std::fprintf(stderr, "kelmora-tool: no memo can hold U+%04X: TEXT is found nowhere\n",
                     static_cast<unsigned>(unencodable));
        return 1;
    }

    RealFileSystem files;
    const MemoSearchResult result = searchMemoFiles(files, dir, *query, months);
    for (const std::string& name : result.unreadable)
        std::cerr << "kelmora-tool: skipped a month file that cannot be read: " << name << "\n";
    for (const MemoHit& hit : result.hits) {
        std::cout << isoDate(hit.date.year, hit.date.month, hit.date.day) << '\t' << cp932::toUtf8(hit.line) << '\n';
    }
    return result.hits.empty() ? 1 : 0;
}

}  // namespace kelmora::tool
