#pragma once

namespace veltrano {

// Today's date and time for every date-dependent rule (warnings, reminders, the
// dates a window proposes). Injected so that tests can set the day.
class Clock {
public:
    virtual ~Clock() = default;
    // Binary date: days since 30/12/1899, the fraction the local time of day.
    virtual double now() const = 0;
    // Today without the time of day.
    double today() const;
};

// The workstation's local date and time.
class SystemClock final : public Clock {
public:
    double now() const override;
};

// A clock that shows whatever it was set to.
class FixedClock final : public Clock {
public:
    explicit FixedClock(double serial) : now_(serial) {}
    void set(double serial) { now_ = serial; }
    double now() const override { return now_; }

private:
    double now_;
};

}  // namespace veltrano
