// The rules behind the charts' axis titles and Y scale, apart from the widgets.

#include "ui/analysis/widgets/AxisTitles.h"

#include "core/logdata/Series.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

namespace korvex {

namespace {

std::string Lower(const std::string& text)
{
    std::string out = text;
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

} // namespace

std::string JoinUnits(std::vector<std::string> units)
{
    // Sorted and compared without regard to case, as a sorted text list without duplicates.
    units.erase(std::remove(units.begin(), units.end(), std::string()), units.end());
    std::stable_sort(units.begin(), units.end(), [](const std::string& a, const std::string& b) {
        return Lower(a) < Lower(b);
    });
    units.erase(std::unique(units.begin(), units.end(),
                            [](const std::string& a, const std::string& b) {
                                return Lower(a) == Lower(b);
                            }),
                units.end());
    std::string joined;
    for (const std::string& unit : units) {
        if (!joined.empty())
            joined += "   ";
        joined += unit;
    }
    return joined;
}

AxisPlaceholderPlan PlanAxisPlaceholders(bool inputsTitle, bool othersTitle, bool outputsTitle)
{
    AxisPlaceholderPlan plan;
    plan.on[0] = !inputsTitle && outputsTitle;
    plan.on[1] = false;
    plan.on[2] = inputsTitle && !outputsTitle;
    plan.on[3] = inputsTitle && othersTitle;
    return plan;
}

void ValueRange::Add(double y)
{
    low = std::min(low, y);
    high = std::max(high, y);
}

ValueRange ValueRange::Padded() const
{
    if (!(high >= low))
        return {0.0, 1.0};
    const double d = high - low;
    ValueRange r{low - 0.02 * d - 0.2, high + 0.02 * d + 0.2};
    if (d < 5)
        r.high += 0.8;
    return r;
}

void AddPointsInWindow(const Series& series, double from, double to, ValueRange& range)
{
    // Adding the offset keeps the order of the values: the extremes shifted are the extremes.
    double low = 0, high = 0;
    if (series.yRangeIn(from, to, low, high)) {
        range.Add(low + series.offset());
        range.Add(high + series.offset());
    }
}

} // namespace korvex
