#include "ui/analysis/parts/YieldSummaryPart.h"

#include "core/views/YieldSummary.h"
#include "core/views/ChildState.h"
#include "core/views/AnalysisView.h"
#include "ui/analysis/parts/TablePart.h"
#include "ui/chart/ChartAxis.h"
#include "ui/chart/ChartWidget.h"

#include <QComboBox>
#include <QTabBar>

namespace korvex {

YieldSummaryPart::YieldSummaryPart(const ChildState& state, const AnalysisView& view,
                                   const TablePart& tables, const QTabBar& tabs,
                                   const QComboBox& spanTime, const ChartWidget& chart)
    : state_(state), view_(view), tables_(tables), tabs_(tabs), spanTime_(spanTime),
      chart_(chart)
{}

void YieldSummaryPart::BuildYieldSummary()
{
    SummaryRequest request;
    request.sets = state_.dataSets;
    request.current = view_.Current();
    // During a tab change the tab bar already names the tab being switched to.
    request.overviewShown = tabs_.count() > 0 && tabs_.currentIndex() == tabs_.count() - 1;
    request.spanItem = spanTime_.currentIndex();
    request.windowStart = chart_.BottomAxis().Minimum();
    request.monthly = tables_.MonthlyTable();
    request.annual = tables_.AnnualTable();
    request.format = ViewFormat{&chart_.Months(), DecimalSeparator()};
    summary_ = korvex::BuildYieldSummary(request);
}

} // namespace korvex
