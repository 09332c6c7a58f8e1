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

}  // namespace kelmora
