// Thinning chart series: few points stay whole, many keep each slice's extremes in record order.
#include "continuous/SeriesSampling.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vanto;

namespace {

std::vector<SeriesPoint> Ramp(int count) {
    std::vector<SeriesPoint> points;
    for (int record = 1; record <= count; ++record) {
        points.push_back({record, static_cast<double>(record % 100)});
    }
    return points;
}

std::vector<int> Records(const std::vector<SeriesPoint>& points) {
    std::vector<int> records;
    for (const SeriesPoint& point : points) {
        records.push_back(point.record);
    }
    return records;
}

TEST(SeriesSampling, FewPointsStayWholeWithTheirNeighboursOutside) {
    EXPECT_EQ(Records(SampleSeries(Ramp(10), 3, 5, 100)), (std::vector<int>{2, 3, 4, 5, 6}));
    EXPECT_EQ(Records(SampleSeries(Ramp(10), 1, 10, 100)), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(Records(SampleSeries(Ramp(10), 20, 30, 100)), std::vector<int>{10});
    EXPECT_TRUE(SampleSeries({}, 1, 10, 100).empty());
}

TEST(SeriesSampling, ManyPointsKeepTheExtremesOfEverySlice) {
    std::vector<SeriesPoint> points = Ramp(100'000);
    points[49'999].value = 1e6;  // a spike
    points[69'999].value = -1e6; // and a dip, each a single record
    const auto kept = SampleSeries(points, 1, 100'000, 400);
    EXPECT_LE(kept.size(), 2u * 401 + 2);
    ASSERT_GE(kept.size(), 400u);
    EXPECT_EQ(kept.front().record, 1);
    EXPECT_EQ(kept.back().record, 100'000);
    EXPECT_TRUE(std::is_sorted(kept.begin(), kept.end(), [](auto& a, auto& b) { return a.record < b.record; }));
    const auto has = [&](int record) {
        return std::any_of(kept.begin(), kept.end(), [&](const SeriesPoint& p) { return p.record == record; });
    };
    EXPECT_TRUE(has(50'000));
    EXPECT_TRUE(has(70'000));

    // Zoomed in, the slices are finer and the neighbours carry the line to the edges.
    const auto zoomed = SampleSeries(points, 49'000.5, 51'000.5, 100);
    ASSERT_FALSE(zoomed.empty());
    EXPECT_EQ(zoomed.front().record, 49'000);
    EXPECT_EQ(zoomed.back().record, 51'001);
    EXPECT_LE(zoomed.size(), 2u * 101 + 2);
}

} // namespace
