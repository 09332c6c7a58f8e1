#include "main/clock.h"

#include <ctime>

namespace kelmora {

LocalTime SystemClock::now() const {
    std::time_t t = std::time(nullptr);
    std::tm local{};
    // The program runs on one thread; localtime's shared buffer is safe here.
    local = *std::localtime(&t);
    return LocalTime{Date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday}, local.tm_hour, local.tm_min,
                     local.tm_sec};
}

LocalTime universalTimeOf(const LocalTime& local) {
    std::tm fields{};
    fields.tm_year = local.date.year - 1900;
    fields.tm_mon = local.date.month - 1;
    fields.tm_mday = local.date.day;
    fields.tm_hour = local.hour;
    fields.tm_min = local.minute;
    fields.tm_sec = local.second;
    fields.tm_isdst = -1;  // let the rules decide whether summer time applies
    const std::time_t t = std::mktime(&fields);
    std::tm utc{};
    gmtime_r(&t, &utc);
    return LocalTime{Date{utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday}, utc.tm_hour, utc.tm_min, utc.tm_sec};
}

}  // namespace kelmora
