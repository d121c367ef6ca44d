#include "core/model/IsoDate.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

Date at(std::int64_t unixSeconds) {
    return Date{} + std::chrono::seconds(unixSeconds);
}

TEST(IsoDateTest, ReadsAndWritesTheInternetForm) {
    EXPECT_EQ(IsoDate::parse("1970-01-01T00:00:00Z"), at(0));
    EXPECT_EQ(IsoDate::parse("2026-03-09T12:00:00Z"), at(1'773'057'600));
    EXPECT_EQ(IsoDate::parse("2024-02-29T23:59:59Z"), at(1'709'251'199));
    EXPECT_EQ(IsoDate::parse("1969-12-31T23:59:59Z"), at(-1));
    EXPECT_EQ(IsoDate::format(at(1'773'057'600)), "2026-03-09T12:00:00Z");
    EXPECT_EQ(IsoDate::format(at(-1)), "1969-12-31T23:59:59Z");
    EXPECT_EQ(IsoDate::format(at(951'782'400)), "2000-02-29T00:00:00Z");
    // Every day from 1770 to 2169 survives a round trip: leap days, 1800 and 2100 (not leap), 2000 (leap).
    for (std::int64_t day = -73'000; day < 73'000; day += 1) {
        const Date date = at(day * 86'400 + 45'296);
        const std::string text = IsoDate::format(date);
        ASSERT_EQ(IsoDate::parse(text), date) << text;
    }
}

TEST(IsoDateTest, WritesWholeSecondsRoundingDown) {
    EXPECT_EQ(IsoDate::format(at(10) + std::chrono::milliseconds(999)), "1970-01-01T00:00:10Z");
    EXPECT_EQ(IsoDate::format(at(0) - std::chrono::milliseconds(1)), "1969-12-31T23:59:59Z");
}

TEST(IsoDateTest, RejectsOtherForms) {
    for (const char* text : {"2026-03-09T12:00:00.5Z",    "2026-03-09T12:00:00.000Z",
                             "2026-03-09T12:00:00+00:00", "2026-03-09T12:00:00+01:00",
                             "2026-03-09T12:00:00",       "2026-03-09 12:00:00Z",
                             "2026-03-09t12:00:00z",      "2026-3-09T12:00:00Z",
                             "2026-13-01T00:00:00Z",      "2026-00-01T00:00:00Z",
                             "2026-02-29T00:00:00Z",      "2026-04-31T00:00:00Z",
                             "2026-03-00T00:00:00Z",      "2026-03-09T24:00:00Z",
                             "2026-03-09T12:60:00Z",      "2026-03-09T12:00:60Z",
                             "+2026-03-09T12:00:00Z",     "2026-03-09T12:0a:00Z",
                             " 2026-03-09T12:00:00Z",     ""})
        EXPECT_FALSE(IsoDate::parse(text)) << text;
}

TEST(IsoDateTest, DatesBeyondWhatADateHoldsAreClampedBothWays) {
    EXPECT_EQ(IsoDate::parse("0000-01-01T00:00:00Z"), IsoDate::earliest);
    EXPECT_EQ(IsoDate::parse("9999-12-31T23:59:59Z"), IsoDate::latest);
    const std::string earliest = IsoDate::format(Date::min());
    const std::string latest = IsoDate::format(Date::max());
    EXPECT_EQ(earliest, "1677-09-21T00:12:44Z");
    EXPECT_EQ(latest, "2262-04-11T23:47:16Z");
    EXPECT_EQ(IsoDate::parse(earliest), IsoDate::earliest);
    EXPECT_EQ(IsoDate::parse(latest), IsoDate::latest);
}

// Two such dates lie further apart than the nanoseconds of a Date reach.
TEST(IsoDateTest, ArithmeticOnTheFarthestDatesNeitherOverflowsNorWraps) {
    const double span = secondsBetween(IsoDate::earliest, IsoDate::latest);
    EXPECT_NEAR(span, 18'446'744'073.0, 1.0);
    EXPECT_NEAR(secondsBetween(IsoDate::latest, IsoDate::earliest), -span, 1.0);
    EXPECT_EQ(secondsBetween(at(10), at(12)), 2.0);
    EXPECT_EQ(addingSeconds(IsoDate::latest, 1e300), Date::max());
    EXPECT_EQ(addingSeconds(IsoDate::earliest, -span), Date::min());
    EXPECT_EQ(addingSeconds(at(0), -span), Date::min());
    EXPECT_EQ(dateFromUnixSeconds(-1e20), Date::min());
    EXPECT_EQ(addingSeconds(at(5), 1.5), Date{} + std::chrono::milliseconds(6500));
}

} // namespace
} // namespace vesk
