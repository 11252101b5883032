#include "continuous/SeriesSampling.h"

#include <algorithm>
#include <cmath>

namespace vanto {

std::vector<SeriesPoint> SampleSeries(const std::vector<SeriesPoint>& points, double first, double last, int buckets) {
    auto begin = std::lower_bound(points.begin(), points.end(), first,
                                  [](const SeriesPoint& point, double record) { return point.record < record; });
    auto end = std::upper_bound(begin, points.end(), last,
                                [](double record, const SeriesPoint& point) { return record < point.record; });
    // The neighbours outside the range carry the line to the edges.
    if (begin != points.begin()) {
        --begin;
    }
    if (end != points.end()) {
        ++end;
    }
    buckets = std::max(buckets, 1);
    const auto count = end - begin;
    if (count <= 2 * static_cast<long>(buckets) + 2 || last <= first) {
        return {begin, end};
    }
    std::vector<SeriesPoint> kept;
    kept.reserve(2 * static_cast<std::size_t>(buckets) + 2);
    kept.push_back(*begin);
    const double width = (last - first) / buckets;
    auto it = begin + 1;
    const auto inner = end - 1;
    while (it != inner) {
        // The slice of this point: every point up to the slice's end.
        const double sliceEnd = first + (std::floor((it->record - first) / width) + 1) * width;
        auto low = it;
        auto high = it;
        for (; it != inner && it->record < sliceEnd; ++it) {
            low = it->value < low->value ? it : low;
            high = it->value > high->value ? it : high;
        }
        if (low == high) {
            kept.push_back(*low);
        } else if (low < high) {
            kept.push_back(*low);
            kept.push_back(*high);
        } else {
            kept.push_back(*high);
            kept.push_back(*low);
        }
    }
    kept.push_back(*inner);
    return kept;
}

} // namespace vanto
