// A month memo file of any bytes, read into months of both week layouts,
// five and six weeks and February. What reads without error must come back
// the same after it is saved and read again: a day's memo, marks, arrow and
// colours.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "main/month_file_format.h"

namespace {

using namespace kelmora;

struct Shape {
    int year, month;
    bool mondayStart;
};
constexpr Shape kShapes[] = {{2024, 6, false}, {2024, 6, true}, {2026, 8, false}, {2026, 8, true}, {2015, 2, false}};

MonthModel built(const Shape& shape) {
    MonthModel month;
    month.year = static_cast<std::uint16_t>(shape.year);
    month.month = static_cast<std::uint16_t>(shape.month);
    month.mondayStart = shape.mondayStart;
    if (!month.buildMonth()) std::abort();
    return month;
}

bool sameDay(const Tmemocell& a, const Tmemocell& b, const Tdaymark& ma, const Tdaymark& mb) {
    return a.text == b.text && a.arrow == b.arrow && a.hasBackColor == b.hasBackColor &&
           a.hasFontColor == b.hasFontColor && (!a.hasBackColor || a.backColor == b.backColor) &&
           (!a.hasFontColor || a.fontColor == b.fontColor) && ma.holidayMark == mb.holidayMark &&
           ma.weekdayMark == mb.weekdayMark;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const Shape& shape : kShapes) {
        MonthModel month = built(shape);
        if (!decodeMonthFile(bytes, month)) continue;
        const std::optional<std::string> saved = encodeMonthFile(month);
        if (!saved) std::abort();  // a memo read from a file always fits a file
        MonthModel again = built(shape);
        if (!decodeMonthFile(*saved, again)) std::abort();
        for (int week = 1; week <= kWeeks; ++week)
            for (int col = 0; col < kColumns; ++col)
                if (month.cells[col][week].day != 0 &&
                    !sameDay(month.memos[col][week], again.memos[col][week], month.marks[col][week],
                             again.marks[col][week]))
                    std::abort();
    }
    return 0;
}
