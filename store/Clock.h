#pragma once
// The local clock, behind an interface so that tests and the day plan can
// run on any chosen day.

namespace cindral {

class Clock {
 public:
  virtual ~Clock() = default;
  // Now in local time as a date-time value, in whole seconds.
  virtual double Now() const = 0;
};

// The system's local clock.
class SystemClock final : public Clock {
 public:
  double Now() const override;
};

// A clock that stands where it is told; for tests and tools.
class ManualClock final : public Clock {
 public:
  explicit ManualClock(double now = 0) : now_(now) {}
  double Now() const override { return now_; }
  void Set(double now) { now_ = now; }
  void AdvanceDays(int days) { now_ += days; }

 private:
  double now_;
};

}  // namespace cindral
