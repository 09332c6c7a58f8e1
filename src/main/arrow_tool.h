#pragma once
// The arrow tool. Armed, it takes the memo cell of an arrow's first day and
// then the memo cell of its last day, and lays the arrow between them; the
// span may run into the following month (also from December into January)
// but no further. A span over two months is kept as two halves, one in each
// month's file, and so is its deletion: the tool says which steps do it
// (mark a half, save, show the month before or after) and the window
// carries them out with its own month changes.

#include <cstdint>
#include <vector>

#include "main/month_model.h"
#include "main/month_store.h"
#include "main/year_month.h"

namespace kelmora {

enum ArrowToolPhase : std::uint16_t {
    ArrowIdle = 0,
    ArrowWaitingForFirst = 1,  // armed: the next click chooses the first day
    ArrowWaitingForLast = 2,   // the first day is chosen and blinks
};

// Why a clicked memo cell cannot be an end of an arrow; both may hold.
struct ArrowRefusal {
    bool alreadyArrow = false;  // the day carries an arrow already
    bool noDate = false;        // a cell of the neighbouring month's part
    bool any() const { return alreadyArrow || noDate; }
};

// Only the two clicked cells are checked: days between them may carry
// arrows of their own, which the new arrow overwrites.
ArrowRefusal checkArrowCell(const MonthModel& month, int col, int row);

struct ArrowClick {
    enum Outcome {
        NotArmed,     // the tool is idle: the click is not the tool's
        FirstChosen,  // the tool now waits for the last day
        Refused,      // the tool has been reset
        SameDay,      // the first day again: the tool keeps waiting
        LastChosen,   // both days are known: createArrow lays the arrow
    };
    Outcome outcome = NotArmed;
    ArrowRefusal refusal;
    bool focusHere = false;  // the clicked cell becomes the focus cell
};

// One thing to do on the shown month, or a month change.
struct ArrowStep {
    enum Kind {
        MarkSpan,               // day .. lastDay within the month
        MarkStartHalf,          // day .. the month's last day
        MarkEndHalf,            // the month's 1st .. day
        ClearForward,           // from day on, to the arrow's end or the month's end
        ClearBackward,          // from day back, to the arrow's start or the month's start
        ClearFromFirstDay,      // the rest of an arrow that came from the previous month, if it is there
        ClearFromLastDay,       // the rest of an arrow that runs on into the next month, if it is there
        PreviousMonth,          // save, then show the month before
        NextMonth,              // save, then show the month after
    };
    Kind kind = MarkSpan;
    int day = 0;
    int lastDay = 0;
    bool operator==(const ArrowStep&) const = default;
};

struct ArrowPlan {
    bool tooLong = false;  // the days lie more than one month apart: nothing is marked
    std::vector<ArrowStep> steps;
};

class ArrowTool {
public:
    ArrowToolPhase state = ArrowIdle;
    // The two days clicked: the month shown at the click and the day; for
    // the first, also the cell's grid row and column (it blinks).
    std::uint16_t startYear = 0, startMonth = 0, startDay = 0, startRow = 0, startCol = 0;
    std::uint16_t endYear = 0, endMonth = 0, endDay = 0;

    void arm() { state = ArrowWaitingForFirst; }
    void reset() { state = ArrowIdle; }
    // While the tool is not idle a save keeps the month counted as unsaved.
    bool busy() const { return state != ArrowIdle; }

    // A click on the memo cell (col, row) of the shown month.
    ArrowClick click(const MonthModel& shown, int col, int row);

    // The steps that lay the arrow once both days are known, beginning in
    // the shown month (the month of the last click) and ending there. The
    // two days are put in date order first.
    ArrowPlan createArrow(const MonthModel& shown);

private:
    void putInDateOrder();
};

// The steps that delete the arrow through the memo cell (col, row) of the
// shown month, beginning and ending there. Nothing when the cell has none.
std::vector<ArrowStep> arrowDeletionSteps(const MonthModel& shown, int col, int row);

// What the window does for the steps.
class ArrowMonths {
public:
    virtual ~ArrowMonths() = default;
    virtual MonthModel& shown() = 0;
    // Saves the shown month and shows the month `delta` (-1 or +1) away,
    // built and loaded as the month buttons do; false when it stayed (a
    // save that failed: the user has been told why).
    virtual bool move(int delta) = 0;
    // Shows the month `delta` away without saving the shown one, whose
    // unsaved changes are given up.
    virtual void moveWithoutSaving(int delta) = 0;
};

struct ArrowStepsResult {
    bool complete = true;
    // When not complete: the neighbouring month (-1 before, +1 after) whose
    // part of the arrow could not be laid or deleted.
    int missedMonth = 0;
};

// Carries the steps out. When a month change (its save) fails on the way the
// rest is left undone: the month the steps began in is shown again (a part
// laid in the other month and not saved is given up) and kept as unsaved,
// so nothing it holds is lost.
ArrowStepsResult runArrowSteps(const std::vector<ArrowStep>& steps, ArrowMonths& months);

// The save left the month's file holding what the month shows (a write
// error the user gave up on did not).
bool savedToFile(SaveOutcome outcome);

}  // namespace kelmora
