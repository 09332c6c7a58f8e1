// kelmora-tool: looks at the calendar's data the way the calendar does.

#include <charconv>
#include <iostream>

#include "commands.h"

namespace kelmora::tool {

bool parseInt(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc{} && ptr == end && !text.empty();
}

int usageError(const std::string& message) {
    std::cerr << "kelmora-tool: " << message << "\n";
    return 2;
}

}  // namespace kelmora::tool

namespace {

constexpr const char* kUsage =
    "usage: kelmora-tool COMMAND ...\n"
    "  holidays FROM_YEAR TO_YEAR [--monday]   national holidays, one line a day\n"
    "  settings DIR                            the settings the calendar in DIR starts with\n"
    "  month DIR YEAR MONTH [--monday]         a month and its memo file in DIR, as JSON\n"
    "  ics DIR FROM TO                         memos of months FROM..TO (YYYY-MM) as iCalendar\n";

}  // namespace

int main(int argc, char** argv) {
    using namespace kelmora::tool;
    if (argc < 2) {
        std::cerr << kUsage;
        return 2;
    }
    const std::string command = argv[1];
    const Args args(argv + 2, argv + argc);
    if (command == "holidays") return holidaysCommand(args);
    if (command == "settings") return settingsCommand(args);
    if (command == "month") return monthCommand(args);
    if (command == "ics") return icsCommand(args);
    std::cerr << kUsage;
    return usageError("unknown command: " + command);
}
