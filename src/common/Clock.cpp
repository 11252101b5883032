#include "common/Clock.h"

#include <cstdio>
#include <ctime>

namespace vanto {

LocalDateTime SystemClock::Now() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#if defined(_WIN32)
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

namespace {
std::string Format(const char* yearFormat, int year, const LocalDateTime& t) {
    char buffer[96];
    const int n = std::snprintf(buffer, sizeof buffer, yearFormat, year);
    std::snprintf(buffer + n, sizeof buffer - static_cast<std::size_t>(n), "年%d月%d日%d時%d分%d秒", t.month, t.day,
                  t.hour, t.minute, t.second);
    return buffer;
}
} // namespace

std::string FormatJapaneseTimestamp(const LocalDateTime& time) {
    return Format("%d", time.year, time);
}

std::string FormatShortJapaneseTimestamp(const LocalDateTime& time) {
    return Format("%02d", time.year % 100, time);
}

} // namespace vanto
