#pragma once

// Builds the components of an analysis window into a form: the graph-list column, the charts and
// table, the navigation strip, the two actions and the two timers (children of owner). Nothing is
// connected: the window wires its parts to them, and a part's test builds the same components
// without a window.

#include "ui/analysis/widgets/ChildWidgets.h"

class QObject;
class QWidget;

namespace korvex {

// The graph-list column's margins and its bottom panel's least height.
constexpr int kPanelLeftMarginLeft = 1;
constexpr int kPanelLeftMarginRight = 2;
constexpr int kPanelLeftBottomMinHeight = 70;

ChildWidgets BuildChildWidgets(QWidget& form, QObject& owner);

// Both charts' bottom axes to [minimum, maximum], in the order that never holds the minimum
// above the maximum on the way.
void SetChartsWindow(const ChildWidgets& w, double maximum, double minimum);

} // namespace korvex
