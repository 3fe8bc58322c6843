#pragma once

// The analysis window's time navigation: the span list, the slider, the jump and scroll buttons
// with their auto-repeat, the chart title, and the device tabs with the Overview tab. The
// arithmetic is the core's (core/views/Navigation.h); this part reads the window's controls into
// a NavigationState, asks the core, and applies the answer to both charts and the slider.

#include "core/views/ChildState.h"
#include "core/views/Navigation.h"
#include "ui/analysis/parts/ChildParts.h"
#include "ui/analysis/parts/PartHost.h"

#include <QMetaObject>
#include <QObject>

namespace korvex {

class ChildGraphs;
struct ChildState;
struct ChildWidgets;

class ChildNavigation final : public QObject {
    Q_OBJECT
public:
    // Connects the span list, the slider, the four buttons, the scroll timer and the tab set of
    // the window. The other parts are the ones a change of window or tab refreshes.
    // owner: the window as the parent of message boxes; host: what the part may ask of it.
    ChildNavigation(QWidget& owner, const ChildState& state, const ChildWidgets& widgets,
                    PartHost& host, ChildGraphs& graphs, ChildTablePart& table,
                    ChildOverviewPart& overview);
    ~ChildNavigation() override;
    ChildNavigation(const ChildNavigation&) = delete;
    ChildNavigation& operator=(const ChildNavigation&) = delete;

    // ---- Tabs and title ----
    // Selects device index or the Overview tab (the last one). Throws text 153 for index -1.
    // An error while switching is shown in the error box and the tab bar goes back to the tab
    // shown before; table, summary, title and the spreadsheet action follow in every case.
    void TabSetDevicesChange(int index);
    // The displayed dates and the yield summary as Chart's one title line; empty while the
    // window holds no analysis.
    void UpdateChartTitle();

    // ---- event handlers (also called by tests) ----
    // Throws "Invalid state" without a selected span; the window then stays where it was.
    void SpanTimeChange();
    // The user picked span item index in the list. Picking the item already selected places the
    // window again as a span change does (after scrolling or zooming it realigns the window).
    void SpanTimeActivated(int index);
    // Throws "Illegal state." without a selected span.
    void SliderTimeChange(int position);
    // While the slider is dragged: the days the window will show, in a tip at the handle.
    void ShowSliderTarget(int position);
    void ButtonJumpClick(int direction);   // -1 ButtonJumpLeft, +1 ButtonJumpRight
    void ButtonScrollClick(int direction); // -1 ButtonScrollLeft, +1 ButtonScrollRight
    void ButtonScrollMouseDown(int direction);
    void ButtonScrollMouseUp();
    // Only the space key (32) in the short spans steps.
    void ButtonScrollKeyDown(int direction, int key);
    void ScrollTimerTick();
    void TabSetDevicesClick();

    // ---- operations ----
    // Span item and a window placed for it (the function check's way to an incident): as a span
    // change to that item does, with the window given instead of the one the span would place.
    void ShowPlacement(int spanItem, const SpanPlacement& placement);
    // The window's current navigation state: span, window (Chart's bottom axis), period,
    // navigable range, day list and slider.
    NavigationState State() const;
    // Both charts to [minimum, maximum] (the window's SetWindow), then repainted.
    void SetWindow(DayTime maximum, DayTime minimum);
    // Slider maximum and position from the window, without a change event.
    void SyncSlider();
    // 2.5 % of the window width to the side (short spans only); never clamped.
    void ScrollStep(int direction);
    // Device i, or the overview for i = device count; other indexes are ignored. The time
    // window stays.
    void SelectDeviceTab(int index);

    // The navigable range: from the first day with data to the day after the last, widened to
    // whole months, quarters or years by the long spans.
    const NavigationRange& Range() const { return state_.view.range; }
    // The range of a newly loaded analysis.
    void ResetRange(const NavigationRange& range)
    {
        host_.ApplyView(WithRange(state_.view, range));
    }

    // Direction of the running auto-repeat: 0 left, 1 right.
    int ScrollTag() const { return scrollTag_; }

protected:
    // Scroll buttons: presses, releases and the space key. Span list and slider: the wheel only
    // while they have the keyboard focus.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The series the current tab shows, put back after the sum fields changed: the overview's
    // marked series of every device, or the current device's.
    void ReAddSeries();
    void UndoZoom();
    // The span change's steps: sum fields and series for the selected span, then the window.
    void PrepareSpan();
    void PlaceSpan(const SpanPlacement& placement);
    void UpdateAxisTitles();
    void FillTable();
    void BuildYieldSummary();
    bool HasAnalysis() const;
    bool OverviewTabIndex(int index) const;
    int ScrollDirectionOf(QObject* button) const;
    void StopScrollTimer();
    // Runs a handler from a control's signal; an error goes to the error box.
    template <typename Handler>
    void Guarded(Handler&& handler);

    QWidget& owner_;
    PartHost& host_;
    const ChildState& state_;
    const ChildWidgets& w_;
    ChildGraphs& graphs_;
    ChildTablePart& table_;
    ChildOverviewPart& overview_;
    int scrollTag_ = 0;
    QMetaObject::Connection tick_;
    // The tab whose device or overview is shown; a refused change returns to it.
    int shownTab_ = -1;
    // The span item a change ran for since the user last pressed on the span list; a pick of
    // this item needs no second run.
    int changedSpan_ = -1;
};

} // namespace korvex
