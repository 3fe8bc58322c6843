#pragma once

// Turns a device's display settings into series classes and attributes: lines or areas for
// measured values, bars or lines for sums, stacked bands for outputs, and the exchange of day
// and month sums in sum mode. Field indices out of range and fields without series are skipped.

#include "core/logdata/AnalysisDataSet.h"

namespace korvex {

// Height of one output band: the k-th output of a device is drawn with offset -150 k.
constexpr int kOutputBandOffset = 150;

// Series class a field is drawn with; Line for Inputs.
SeriesClass TargetSeriesClass(FieldCategory category, bool derived, bool asBars);

// For a shown field: class switch and attributes (an output at offset 0), then its graph
// panel row is refreshed. A hidden field only gets its panel row refreshed.
void ApplyDisplay(AnalysisDataSet& set, int field);
// Every field, shown or not, outputs stacked in field order; then all panel rows.
void ApplyDisplayOfAll(AnalysisDataSet& set);
// One output field with a given offset (the window stacks only the shown outputs).
void ApplyOutputDisplay(AnalysisDataSet& set, int field, int offset);

// Series titles: the label, or the device's stored name, ": " and the label.
void SetTitles(AnalysisDataSet& set, bool withDeviceName);

// Day and month sums (derived Others fields without "jahr") become selectable for the long
// spans (on) or leave the chart and are remembered (off). Then all panel rows are refreshed.
void SetSumFieldsAvailable(AnalysisDataSet& set, bool on);

// In sum mode every day-sum slot shows its month-sum partner's series and back; switching to
// the mode in force does nothing.
void SetSumMode(AnalysisDataSet& set, bool on);

} // namespace korvex
