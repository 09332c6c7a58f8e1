// kelmora-tool ics [DIR] FROM TO: the memos and arrows of the months FROM to
// TO (YYYY-MM) of the calendar in DIR as an iCalendar file on standard
// output, as the calendar's export writes it.

#include <iostream>

#include "commands.h"
#include "export/calendar_export.h"
#include "main/month_model.h"

namespace kelmora::tool {
int icsCommand(const Args& args) {
    if (args.size() < 2 || args.size() > 3) return usageError("usage: ics [DIR] FROM TO   (months as YYYY-MM)");
    Args months = args;
    const std::string dir = takeCalendarDir(months, 2);
    if (!isFolderOrSay(dir)) return 2;
    YearMonth from, to;
    for (const auto& [text, ym] : {std::pair{months[0], &from}, std::pair{months[1], &to}}) {
        const std::optional<YearMonth> parsed = parseYearMonth(text);
        if (!parsed)
            return usageError("not a month between " + std::to_string(kMinYear) + "-01 and " +
                              std::to_string(kMaxYear) + "-12 written YYYY-MM: " + text);
        *ym = *parsed;
    }
    if (to < from) return usageError("FROM lies after TO");

    RealFileSystem files;
    const CalendarExport result =
        exportCalendar(files, withTrailingSeparator(dir), from, to, universalTimeOf(SystemClock().now()));
    std::cout << result.ics << std::flush;
    for (const std::string& path : result.unreadableFiles)
        std::cerr << "kelmora-tool: cannot read " << path << "; its month is left out\n";
    return result.unreadableFiles.empty() ? 0 : 1;
}

}  // namespace kelmora::tool
