#pragma once

// The rules behind the charts' axis titles and Y scale, apart from the widgets: joining units,
// which axis placeholders a combination of titles needs, and the padded range of the points in
// the displayed window.

#include <limits>
#include <string>
#include <vector>

namespace korvex {

class Series;

// The units sorted without regard to case, each once, empty ones left out, joined by three
// blanks.
std::string JoinUnits(std::vector<std::string> units);

// Placeholders 0 (upper chart, left), 1 (never used), 2 (lower chart, left), 3 (lower chart,
// right) by which titles are present after the Others have moved left when no input is shown:
// each chart reserves an axis column on a side where its partner draws one.
struct AxisPlaceholderPlan {
    bool on[4] = {false, false, false, false};
};
AxisPlaceholderPlan PlanAxisPlaceholders(bool inputsTitle, bool othersTitle, bool outputsTitle);

// Lowest and highest value seen; empty while low > high.
struct ValueRange {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();

    void Add(double y);
    // The axis range for these values: 2 % of the span and 0.2 on both sides, 0.8 more on top
    // when the span is below 5; 0 to 1 without any value.
    ValueRange Padded() const;
};

// Adds the non-null points of series with from <= X <= to (drawn values, offset included).
void AddPointsInWindow(const Series& series, double from, double to, ValueRange& range);

} // namespace korvex
