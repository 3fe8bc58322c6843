#pragma once

// What the chart readout box and the statistics panel write: one line per shown graph, in the
// graph's colour, built from the value-at-time and window-statistics functions.

#include "core/logdata/AnalysisDataSet.h"
#include "core/logdata/FieldCategory.h"
#include "core/views/ValueAtTime.h"
#include "core/views/WindowStatistics.h"

#include <optional>
#include <string>
#include <vector>

namespace korvex {

// One shown graph as the readout reads it.
struct ReadoutGraph {
    const Series* series = nullptr;
    ReadRule rule = ReadRule::Nearest;
    double step = 0;          // sampling step (SamplingStep) for lines and step lines
    std::string name;         // display name, prefixed with the device on the overview
    std::string unit;         // "[°C]"
    std::string integralUnit; // "[kWh]" for power, "[l]" for flow, else empty
    int unitsPerDay = 0;      // 24 power, 1440 flow, 0 other fields
    Colour colour = 0;
};

// How field i of a data set is read: by its class (sum bars, also in sum mode), its category
// and its drawing (stairs and bars hold).
ReadRule ReadRuleOf(const AnalysisDataSet& set, int field, const DeviceSettings& settings);

// The sampling interval the reader learned for most of the data set's files (days); 0 when it
// learned none.
double LearnedStep(const AnalysisDataSet& set);

// The readout's view of field i of a data set (its series as now displayed, also in sum mode),
// its name prefixed with prefix. The sampling step is the reader's (LearnedStep), else measured
// from the points here: build once per change of
// the shown graphs, not per pointer move.
ReadoutGraph MakeReadoutGraph(const AnalysisDataSet& set, int field, const std::string& prefix);

// The curve a graph read by rule draws: lines for nearest samples, steps for held values, single
// points for bars.
CurveKind CurveOf(ReadRule rule);

struct ReadoutLine {
    std::string text;
    Colour colour = 0;
    bool isTime = false; // the heading line(s) with the time, drawn in the text colour
};

struct Markers {
    std::optional<DayTime> a;
    std::optional<DayTime> b;
};

// "dd.mm.yyyy hh:mm:ss" for the hour spans, without seconds for longer ones.
std::string ReadoutTimeText(DayTime t, int spanItem);
// "hh:mm:ss" (or "hh:mm" without seconds), with "N d " before it from a day on; a leading "-"
// when negative.
std::string DurationText(DayTime d, bool withSeconds = true);
// Value with two decimals and the separator, "–" for none.
std::string ReadoutValueText(const std::optional<SampleValue>& v, char separator);

// The readout at time t: the time, then per graph "name: value unit" (bars: with their day or
// month). With both markers set: the marker times and the time between (to the minute when the
// times hide their seconds), then per graph "name: A … B … Δ … unit  … unit/h".
std::vector<ReadoutLine> BuildReadout(const std::vector<ReadoutGraph>& graphs, DayTime t,
                                      int spanItem, const Markers& markers, char separator);

// Statistics panel rows (name, unit, min, min at, max, max at, mean, integral with unit) of the
// window [from, to); empty cells where the window has no value.
constexpr int kStatisticsColumns = 8;
std::vector<std::vector<std::string>> StatisticsRows(const std::vector<ReadoutGraph>& graphs,
                                                     DayTime from, DayTime to, char separator);
// Rows as tab-separated lines ending in "\n", for the clipboard.
std::string TabSeparated(const std::vector<std::vector<std::string>>& rows);

} // namespace korvex
