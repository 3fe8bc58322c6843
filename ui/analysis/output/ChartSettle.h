#pragma once

class QTimer;

namespace korvex {

class ChartWidget;

// Lets both charts of the analysis window settle without an event loop of their own, as pictures
// drawn from the command line need: the layouts, the deferred drawings and the label columns
// both charts share. A drawing that changes the columns asks for another one through
// columnTimer, the window's repaint timer; here such a drawing is followed at once. Years of
// points make every drawing count: the charts have settled once each one's last drawing moved
// no column and no drawing is waiting. Gives up after four passes.
void SettleCharts(ChartWidget& upper, ChartWidget& lower, QTimer& columnTimer);

} // namespace korvex
