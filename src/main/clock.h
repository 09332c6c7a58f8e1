#pragma once
// The calendar's source of "now": the system's local time in the program,
// a settable one in tests.

#include "main/civil_date.h"

namespace kelmora {

struct LocalTime {
    Date date;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime now() const = 0;
    Date today() const { return now().date; }
};

class SystemClock final : public Clock {
public:
    LocalTime now() const override;
};

class FixedClock final : public Clock {
public:
    explicit FixedClock(LocalTime time) : time_(time) {}
    explicit FixedClock(Date date) : time_{date, 12, 0, 0} {}
    LocalTime now() const override { return time_; }
    void set(LocalTime time) { time_ = time; }
    void set(Date date) { time_ = LocalTime{date, 12, 0, 0}; }

private:
    LocalTime time_;
};

// The same instant in UTC, through the system's time zone rules.
LocalTime universalTimeOf(const LocalTime& local);

}  // namespace kelmora
