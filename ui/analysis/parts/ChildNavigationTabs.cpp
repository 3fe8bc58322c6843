// The device tabs of an analysis window: one tab per device and, last, the Overview tab that
// gathers the fields marked for the overview from every device.

#include "ui/analysis/parts/ChildNavigation.h"

#include "core/logdata/AnalysisDataSet.h"
#include "core/services/Errors.h"
#include "core/services/TextCatalogue.h"
#include "ui/analysis/parts/ChildGraphs.h"
#include "core/views/ChildState.h"
#include "ui/analysis/widgets/ChildWidgets.h"
#include "ui/chart/ChartWidget.h"
#include "ui/platform/Prompts.h"

#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabBar>

#include <exception>

namespace korvex {

bool ChildNavigation::OverviewTabIndex(int index) const
{
    const QTabBar& tabs = *w_.tabSetDevices;
    return tabs.count() > 0 && index == tabs.count() - 1;
}

void ChildNavigation::TabSetDevicesChange(int index)
{
    if (index == -1)
        throw KorvexError(Text(TextId::DataStructureIndexError));

    bool allowed = true;
    const AnalysisView before = graphs_.Selection();
    try {
        SelectDeviceTab(index);
        shownTab_ = index;
    } catch (const std::exception& e) {
        allowed = false;
        const QString message = QString::fromUtf8(e.what());
        // The change is refused: the tab bar goes back to the tab shown before, and so does
        // whatever the failed switch had changed half-way (list in front, series, selection).
        QTabBar& tabs = *w_.tabSetDevices;
        if (shownTab_ >= 0 && shownTab_ < tabs.count()) {
            const QSignalBlocker block(tabs);
            tabs.setCurrentIndex(shownTab_);
            try {
                SelectDeviceTab(shownTab_);
            } catch (const std::exception&) {
                // One error box is enough; the selection put back below keeps the window
                // consistent.
            }
        }
        graphs_.RestoreSelection(before);
        ShowErrorBox(&owner_, message);
    }

    FillTable();
    // The summary reads the tab bar: on the Overview tab it stays empty.
    BuildYieldSummary();
    UpdateChartTitle();
    if (allowed)
        host_.UpdateExcelAction(true, !OverviewTabIndex(index));
    else
        host_.UpdateExcelAction();
    host_.CommandStateChanged();
}

void ChildNavigation::SelectDeviceTab(int index)
{
    const int n = state_.DeviceCount();
    if (index < 0 || index > n)
        return;
    if (index == n) {
        graphs_.SelectOverviewGraphs();
        return;
    }

    AnalysisDataSet* set = state_.DataSet(index);
    const QTabBar& tabs = *w_.tabSetDevices;
    const QString caption = index < tabs.count() ? tabs.tabText(index) : QString();
    if (set) {
        graphs_.SelectDeviceGraphs(*set, caption);
        return;
    }

    // A device whose every file failed to load has no data set: nothing to draw.
    graphs_.SelectNoDeviceGraphs();
}

void ChildNavigation::TabSetDevicesClick()
{
    host_.CommandStateChanged();
}

} // namespace korvex
