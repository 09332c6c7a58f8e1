#pragma once
// Months as a user who writes every day has them: every memo cell holds ten
// short lines, one day (today) thirty, a few cells their own colours. The
// benchmarks measure on them and scripts/bench-ui can leave them in a folder
// for a screenshot.

#include <string>

#include "main/civil_date.h"
#include "main/month_model.h"

namespace kelmora::bench {

constexpr int kLinesPerCell = 10;
constexpr int kLinesOnToday = 30;

// Fills every memo cell of the built month (neighbouring days too); the cell
// of `longDay` (a day of the month, 0 for none) gets thirty lines.
void fillFullMonth(MonthModel& month, int longDay);

// Writes the month of `today` and the next one, both full, as month files
// into `programDir` (with its trailing separator). False when a file could
// not be written.
bool writeFullMonths(const std::string& programDir, const Date& today, bool mondayStart = false);

}  // namespace kelmora::bench
