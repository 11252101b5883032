#pragma once

#include "common/Clock.h"

namespace vanto::test {

// A clock that shows the time the test sets.
class FixedClock final : public Clock {
public:
    explicit FixedClock(LocalDateTime time = {2026, 12, 6, 7, 5, 9}) : time_(time) {}
    LocalDateTime Now() const override { return time_; }
    void Set(LocalDateTime time) { time_ = time; }

private:
    LocalDateTime time_;
};

} // namespace vanto::test
