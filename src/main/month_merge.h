#pragma once
// Merging a month changed in two places: what this window shows ("mine")
// and what another writer saved to the month's file meanwhile ("theirs"),
// both grown from the version that was loaded ("base").
//
// Cell by cell and field by field (memo text, own background colour, own
// text colour, day mark): a field only one side changed takes that side's
// value. A memo both sides changed keeps both texts, theirs first, then a
// line of its own marking the join, then mine; any other field both sides
// changed takes mine. Arrows are merged whole, one arrow (or the half of an
// arrow that runs into the neighbouring month) at a time, so that no arrow
// ends up cut in pieces: an arrow one side added or removed is added or
// removed; where arrows both sides added cross, mine stays.
//
// All three are the same month built in the same week layout. A file of an
// older version holds no day marks, or no arrows and colours: what it cannot
// hold counts as unchanged on its side.

#include <string>
#include <vector>

#include "main/civil_date.h"
#include "main/month_file_format.h"
#include "main/month_model.h"

namespace kelmora {

struct MonthMergeReport {
    std::vector<Date> taken;     // days where something of theirs came in (in cell order)
    std::vector<Date> joined;    // days whose memo both sides changed: both texts kept
    std::vector<Date> notJoined; // the same, but both texts together are too long for the file: mine kept
    bool anythingTaken() const { return !taken.empty(); }
};

// The line between their memo and mine in a memo both sides changed (CP932).
const std::string& memoJoinLine();

// Merges theirs into `mine` (the shown month: its selection, focus and
// dirty flag stay as they are; its holiday flags follow the merged marks).
MonthMergeReport mergeMonth(const MonthModel& base, MonthModel& mine, const MonthModel& theirs,
                            MonthFileSections theirsHolds);

}  // namespace kelmora
