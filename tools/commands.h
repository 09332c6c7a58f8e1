#pragma once
// The subcommands of kelmora-tool. Each returns the process exit status:
// 0 done, 1 the data could not be read (search: nothing found), 2 the
// command line was wrong.

#include <optional>
#include <string>
#include <vector>

#include "main/year_month.h"

namespace kelmora::tool {

using Args = std::vector<std::string>;

int holidaysCommand(const Args& args);
int settingsCommand(const Args& args);
int monthCommand(const Args& args);
int koyomiCommand(const Args& args);
int icsCommand(const Args& args);
int searchCommand(const Args& args);

// Whole decimal number, nothing else; false when `text` is not one.
bool parseInt(const std::string& text, int& value);
// "2024-05": a month the calendar shows; nothing for any other text.
std::optional<YearMonth> parseYearMonth(const std::string& text);
// "2024-05-03".
std::string isoDate(int year, int month, int day);
// A usage or argument error: message on standard error, status 2.
int usageError(const std::string& message);
// The calendar's folder for a command that takes [DIR] before `rest` more
// operands: DIR when it is there (it is taken out of `operands`), otherwise
// the folder the calendar beside this tool keeps its data in.
std::string takeCalendarDir(Args& operands, std::size_t rest);
// That folder: beside a portable copy, "$XDG_DATA_HOME/kelmora/" when
// installed.
std::string defaultCalendarDir();
// True when `dir` is a folder; otherwise says "not a folder" on standard
// error, and the caller ends with an error status: a typo must not look like
// an empty calendar.
bool isFolderOrSay(const std::string& dir);

}  // namespace kelmora::tool
