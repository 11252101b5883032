// Thinning a chart series for drawing: a plot a few hundred pixels wide cannot show 100,000 points, and drawing
// them all makes every zoom slow. Per pixel column the lowest and the highest point are kept, so peaks and dips
// stay visible at every zoom level.
#pragma once

#include "continuous/ContinuousTable.h"

#include <vector>

namespace vanto {

// The points of `points` (ordered by record) to draw for the records `first` to `last` on a plot `buckets` wide:
// all of them when there are few, otherwise the first and last and, for each of `buckets` equal slices of the
// range, its lowest and highest point in record order. The nearest point outside the range on either side is
// kept too, so the line runs on to the plot's edges.
std::vector<SeriesPoint> SampleSeries(const std::vector<SeriesPoint>& points, double first, double last, int buckets);

} // namespace vanto
