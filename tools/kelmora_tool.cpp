// kelmora-tool: looks at the calendar's data the way the calendar does.

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "commands.h"
#include "main/data_folder.h"
#include "main/file_system.h"
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

std::string defaultCalendarDir() {
    auto variable = [](const char* name) { const char* value = std::getenv(name); return std::string(value ? value : ""); };
    // Linux names the running program here; without it the tool counts as installed.
    std::error_code ec;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
    const std::string folder = ec ? std::string("/usr/bin") : program.parent_path().string();
    return locateCalendarFolders(RealFileSystem(), folder, {variable("XDG_DATA_HOME"), variable("HOME")}).data;
}

std::string takeCalendarDir(Args& operands, std::size_t rest) {
    if (operands.size() <= rest) return defaultCalendarDir();
    std::string dir = operands.front();
    operands.erase(operands.begin());
    return dir;
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
    "  settings [DIR]                          the settings the calendar in DIR starts with\n"
    "  month [DIR] YEAR MONTH [--monday|--sunday]\n"
    "                                          a month and its memo file in DIR, as JSON, in\n"
    "                                          DIR's week start unless an option gives it\n"
    "  koyomi FROM TO                          lunar date, 六曜 and solar term of each day (YYYY-MM-DD)\n"
    "  ics [DIR] FROM TO                       memos of months FROM..TO (YYYY-MM) as iCalendar\n"
    "  search [DIR] TEXT [--from YYYY-MM] [--to YYYY-MM]\n"
    "                                          the days whose memo in DIR holds TEXT\n"
    "  help, --help                            this text\n"
    "DIR is the calendar's folder; left out, the one the calendar beside this tool uses\n"
    "(its own folder for a portable copy, $XDG_DATA_HOME/kelmora when installed):\n";

void printUsage(std::ostream& out) { out << kUsage << "  " << kelmora::tool::defaultCalendarDir() << '\n'; }

}  // namespace

int main(int argc, char** argv) {
    using namespace kelmora::tool;
    if (argc < 2) {
        printUsage(std::cerr);
        return 2;
    }
    const std::string command = argv[1];
    if (command == "help" || command == "--help" || command == "-h") {
        printUsage(std::cout);
        return 0;
    }
    const Args args(argv + 2, argv + argc);
    if (command == "holidays") return holidaysCommand(args);
    if (command == "settings") return settingsCommand(args);
    if (command == "month") return monthCommand(args);
    if (command == "koyomi") return koyomiCommand(args);
    if (command == "ics") return icsCommand(args);
    if (command == "search") return searchCommand(args);
    printUsage(std::cerr);
    return usageError("unknown command: " + command);
}
