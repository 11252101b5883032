// The current local time, behind an interface so that time stamps in titles and file names are testable.
#pragma once

#include <string>

namespace vanto {

struct LocalDateTime {
    int year = 0;  // four digits
    int month = 0; // 1-12
    int day = 0;   // 1-31
    int hour = 0;  // 0-23
    int minute = 0;
    int second = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalDateTime Now() const = 0;
};

class SystemClock final : public Clock {
public:
    LocalDateTime Now() const override;
};

// "2026年12月6日7時5分9秒": four-digit year, the rest without leading zeros.
std::string FormatJapaneseTimestamp(const LocalDateTime& time);
// "26年12月6日7時5分9秒": two-digit year.
std::string FormatShortJapaneseTimestamp(const LocalDateTime& time);

} // namespace vanto
