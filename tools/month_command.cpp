// kelmora-tool month [DIR] YEAR MONTH [--monday|--sunday]: builds the month in
// DIR's week start (or the one the option names), loads its memo file from
// DIR as the calendar does, and prints it as JSON (UTF-8).

#include <iostream>
#include <optional>
#include <string>

#include "commands.h"
#include "escaped_text.h"
#include "main/cp932.h"
#include "main/file_system.h"
#include "main/month_store.h"
#include "settei/legacy_settings.h"
#include "settei/settings_file.h"

namespace kelmora::tool {
namespace {

// Answers every question with Abort (there is nobody to ask) and keeps the
// last message for standard error.
class AbortingPrompts : public Prompts {
public:
    Answer ask(MessageIcon, Buttons buttons, const std::string& text) override {
        lastMessage = text;
        return buttons == Buttons::AbortRetry ? Answer::Abort : buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
    std::string lastMessage;
};

std::string jsonString(const std::string& cp932Text) { return "\"" + escapedText(cp932::toUtf8(cp932Text)) + "\""; }

const char* flag(unsigned value) { return value ? "true" : "false"; }

void printJson(const MonthModel& m) {
    std::cout << "{\n  \"year\": " << m.year << ",\n  \"month\": " << m.month << ",\n  \"weekStart\": \""
              << (m.mondayStart ? "monday" : "sunday") << "\",\n  \"weekRows\": " << m.weekRows
              << ",\n  \"arrowDataLoaded\": " << flag(m.arrowDataLoaded) << ",\n  \"cells\": [\n";
    for (int week = 1; week <= kWeeks; ++week) {
        for (int col = 0; col < kColumns; ++col) {
            const Tdaycell& cell = m.cells[col][week];
            const Tmemocell& memo = m.memos[col][week];
            const Tdaymark& mark = m.marks[col][week];
            std::cout << "    {\"week\": " << week << ", \"column\": " << col << ", \"day\": " << cell.day
                      << ", \"holiday\": " << flag(cell.holiday) << ", \"substitute\": " << flag(cell.substitute)
                      << ", \"text\": " << jsonString(memo.text) << ", \"holidayMark\": " << int{mark.holidayMark}
                      << ", \"weekdayMark\": " << int{mark.weekdayMark} << ", \"arrow\": " << int{memo.arrow}
                      << ", \"hasBackColor\": " << flag(memo.hasBackColor) << ", \"backColor\": " << memo.backColor
                      << ", \"hasFontColor\": " << flag(memo.hasFontColor) << ", \"fontColor\": " << memo.fontColor
                      << "}" << (week == kWeeks && col == kColumns - 1 ? "" : ",") << "\n";
        }
    }
    std::cout << "  ]\n}\n";
}

}  // namespace

int monthCommand(const Args& args) {
    const char* usage = "usage: month [DIR] YEAR MONTH [--monday|--sunday]";
    Args operands = args;
    std::optional<bool> mondayOption;
    if (!operands.empty() && operands.back().starts_with("--")) {
        const std::string option = operands.back();
        if (option != "--monday" && option != "--sunday") return usageError("unknown option: " + option);
        mondayOption = option == "--monday";
        operands.pop_back();
    }
    if (operands.size() < 2 || operands.size() > 3) return usageError(usage);
    const std::string dir = takeCalendarDir(operands, 2);
    int year = 0, month = 0;
    if (!parseInt(operands[0], year) || !parseInt(operands[1], month))
        return usageError("year and month must be whole numbers");
    if (!MonthModel::isSupported(year, month))
        return usageError("the month must lie between " + std::to_string(kMinYear) + "/1 and " +
                          std::to_string(kMaxYear) + "/12");
    if (!isFolderOrSay(dir)) return 1;

    // The week start and weekly days off the calendar in DIR starts with
    // (without converting a legacy settings file: the tool writes nothing).
    RealFileSystem files;
    const std::string programDir = withTrailingSeparator(dir);
    LegacySettingsFile legacy(files, programDir);
    const Settings settings = legacy.present() ? legacy.read().settings : SettingsFile(files, programDir).load();
    MonthModel model;
    model.mondayStart = mondayOption.value_or(settings.mondayStart);
    for (int weekday = 0; weekday < 7; ++weekday) model.weeklyDaysOff[weekday] = settings.weeklyHolidays[weekday];
    model.year = static_cast<std::uint16_t>(year);
    model.month = static_cast<std::uint16_t>(month);
    model.setWeekdayNames();
    if (!model.buildMonth()) return usageError("cannot build the month");

    AbortingPrompts prompts;
    MonthStore store(files, prompts, programDir);
    switch (store.loadMonth(model)) {
        case LoadOutcome::ReadErrorAbandoned:
            std::cerr << "kelmora-tool: " << cp932::toUtf8(prompts.lastMessage) << ": " << store.fileNameOf(model)
                      << "\n";
            return 1;
        case LoadOutcome::CannotOpen:
            std::cerr << "kelmora-tool: cannot open " << store.fileNameOf(model) << ": "
                      << cp932::toUtf8(store.lastLoadProblem()) << "\n";
            return 1;
        case LoadOutcome::Loaded:
        case LoadOutcome::NoFile:
            break;
    }
    printJson(model);
    return 0;
}

}  // namespace kelmora::tool
