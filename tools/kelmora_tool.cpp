// kelmora-tool: looks at the calendar's data the way the calendar does.

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <iostream>

#include "commands.h"
#include "main/month_model.h"

namespace kelmora::tool {

bool parseInt(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc{} && ptr == end && !text.empty();
}

std::optional<YearMonth> parseYearMonth(const std::string& text) {
    YearMonth ym;
    if (text.size() != 7 || text[4] != '-' || !parseInt(text.substr(0, 4), ym.year) ||
        !parseInt(text.substr(5, 2), ym.month) || !MonthModel::isSupported(ym.year, ym.month))
        return std::nullopt;
    return ym;
}

std::string isoDate(int year, int month, int day) {
    char date[16];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", year, month, day);
    return date;
}

int usageError(const std::string& message) {
    std::cerr << "kelmora-tool: " << message << "\n";
    return 2;
}

bool isFolderOrSay(const std::string& dir) {
    std::error_code ec;
    if (std::filesystem::is_directory(dir, ec)) return true;
    std::cerr << "kelmora-tool: not a folder: " << dir << '\n';
    return false;
}

}  // namespace kelmora::tool

namespace {

constexpr const char* kUsage =
    "usage: kelmora-tool COMMAND ...\n"
    "  holidays FROM_YEAR TO_YEAR [--monday]   national holidays, one line a day\n"
    "                                          (--monday builds the months Monday-first,\n"
    "                                          as the calendar does with that setting;\n"
    "                                          the days listed are the same)\n"
    "  settings DIR                            the settings the calendar in DIR starts with\n"
    "  month DIR YEAR MONTH [--monday|--sunday]\n"
    "                                          a month and its memo file in DIR, as JSON, in\n"
    "                                          DIR's week start unless an option gives it\n"
    "  koyomi FROM TO                          lunar date, 六曜 and solar term of each day (YYYY-MM-DD)\n"
    "  ics DIR FROM TO                         memos of months FROM..TO (YYYY-MM) as iCalendar\n"
    "  search DIR TEXT [--from YYYY-MM] [--to YYYY-MM]\n"
    "                                          the days whose memo in DIR holds TEXT\n"
    "  help, --help                            this text\n";

}  // namespace

int main(int argc, char** argv) {
    using namespace kelmora::tool;
    if (argc < 2) {
        std::cerr << kUsage;
        return 2;
    }
    const std::string command = argv[1];
    if (command == "help" || command == "--help" || command == "-h") {
        std::cout << kUsage;
        return 0;
    }
    const Args args(argv + 2, argv + argc);
    if (command == "holidays") return holidaysCommand(args);
    if (command == "settings") return settingsCommand(args);
    if (command == "month") return monthCommand(args);
    if (command == "koyomi") return koyomiCommand(args);
    if (command == "ics") return icsCommand(args);
    if (command == "search") return searchCommand(args);
    std::cerr << kUsage;
    return usageError("unknown command: " + command);
}
