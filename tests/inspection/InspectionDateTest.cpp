// The next inspection date read from what workshops type: every accepted form, the era boundaries, full-width
// characters, months alone, and texts that name no date.
#include "inspection/InspectionDate.h"

#include <gtest/gtest.h>

namespace vanto {
namespace {

struct Case {
    const char* Typed;
    const char* Read; // "" when the text names no date
};

class ReadDate : public testing::TestWithParam<Case> {};

TEST_P(ReadDate, GivesTheDateOrNothing) {
    const auto date = ReadInspectionDate(GetParam().Typed);
    EXPECT_EQ(date ? date->Text() : "", GetParam().Read) << GetParam().Typed;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ReadDate,
    testing::Values(
        // Gregorian, with units or one separator, half-width and full-width, with spaces.
        Case{"2027年5月31日", "2027-05-31"}, Case{"2027/5/31", "2027-05-31"}, Case{"2027-05-31", "2027-05-31"},
        Case{"2027.5.31", "2027-05-31"}, Case{"２０２７年５月３１日", "2027-05-31"},
        Case{"２０２７／０５／３１", "2027-05-31"}, Case{" 2027 年 5 月 31 日　", "2027-05-31"},
        // Eras by name or initial; 元 is the first year.
        Case{"令和9年5月31日", "2027-05-31"}, Case{"R9.5.31", "2027-05-31"}, Case{"Ｒ９．５．３１", "2027-05-31"},
        Case{"r9/5/31", "2027-05-31"}, Case{"平成31年4月30日", "2019-04-30"}, Case{"H31.4.30", "2019-04-30"},
        Case{"令和元年5月1日", "2019-05-01"}, Case{"令和1年5月1日", "2019-05-01"}, Case{"平成元年1月8日", "1989-01-08"},
        Case{"昭和64年1月7日", "1989-01-07"},
        // Months alone, also the boundary months of two eras.
        Case{"2027年5月", "2027-05"}, Case{"2027/05", "2027-05"}, Case{"R9.5", "2027-05"},
        Case{"令和元年5月", "2019-05"}, Case{"平成31年4月", "2019-04"},
        // Leap days.
        Case{"2028/2/29", "2028-02-29"}, Case{"2000/2/29", "2000-02-29"}, Case{"2100/2/29", ""},
        // Outside an era: before it began or after it ended.
        Case{"令和元年4月30日", ""}, Case{"平成31年5月1日", ""}, Case{"平成31年5月", ""}, Case{"令和元年4月", ""},
        Case{"平成0年1月1日", ""}, Case{"昭和64年1月8日", ""},
        // Impossible dates, partial dates and rubbish.
        Case{"2027年2月30日", ""}, Case{"2027/4/31", ""}, Case{"2027/13/1", ""}, Case{"2027/0/1", ""},
        Case{"2027/5/0", ""}, Case{"2027/5-31", ""}, Case{"27/5/31", ""}, Case{"0027/5/31", ""}, Case{"令和元年", ""},
        Case{"2027年", ""}, Case{"5月31日", ""}, Case{"2027年5月31日まで", ""}, Case{"2027年元月1日", ""},
        Case{"R元.5.1", ""}, Case{"未定", ""}, Case{"", ""}, Case{"R123.1.1", ""}, Case{"2027/005/31", ""},
        Case{"\xff\xfe", ""}));

} // namespace
} // namespace vanto
