// Span list, slider, jump and scroll buttons and the chart title of an analysis window.

#include "ui/analysis/parts/ChildNavigation.h"

#include "core/logdata/AnalysisDataSet.h"
#include "core/logdata/FieldDisplay.h"
#include "ui/analysis/parts/ChildGraphs.h"
#include "core/views/ChildState.h"
#include "ui/analysis/widgets/ChildWidgets.h"
#include "ui/analysis/widgets/THeaderControl.h"
#include "ui/analysis/widgets/TXPButton.h"
#include "ui/chart/ChartWidget.h"
#include "ui/platform/Prompts.h"
#include "ui/platform/UiText.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTabBar>
#include <QTimer>
#include <QToolTip>

#include <exception>

namespace korvex {

namespace {

constexpr int kScrollRepeatMs = 25;
constexpr int kSpaceKey = 32;

} // namespace

ChildNavigation::ChildNavigation(QWidget& owner, const ChildState& state,
                                 const ChildWidgets& widgets, PartHost& host, ChildGraphs& graphs,
                                 ChildTablePart& table, ChildOverviewPart& overview)
    : owner_(owner), host_(host), state_(state), w_(widgets), graphs_(graphs), table_(table),
      overview_(overview)
{
    connect(w_.spanTime, &QComboBox::currentIndexChanged, this, [this](int index) {
        changedSpan_ = index;
        Guarded([this] { SpanTimeChange(); });
    });
    // Emitted after the change above, also when the user picks the item already selected.
    connect(w_.spanTime, &QComboBox::activated, this,
            [this](int index) { Guarded([this, index] { SpanTimeActivated(index); }); });
    connect(w_.sliderTime, &QSlider::valueChanged, this,
            [this](int position) { Guarded([this, position] { SliderTimeChange(position); }); });
    // While the handle is dragged the window moves once, on release; meanwhile a tip names
    // the days it will land on, so that a year's days can be picked without a redraw each.
    w_.sliderTime->setTracking(false);
    connect(w_.sliderTime, &QSlider::sliderMoved, this,
            [this](int position) { Guarded([this, position] { ShowSliderTarget(position); }); });
    connect(w_.sliderTime, &QSlider::sliderReleased, this, [] { QToolTip::hideText(); });
    connect(w_.buttonJumpLeft, &QPushButton::clicked, this,
            [this] { Guarded([this] { ButtonJumpClick(-1); }); });
    connect(w_.buttonJumpRight, &QPushButton::clicked, this,
            [this] { Guarded([this] { ButtonJumpClick(+1); }); });
    connect(w_.buttonScrollLeft, &QPushButton::clicked, this,
            [this] { Guarded([this] { ButtonScrollClick(-1); }); });
    connect(w_.buttonScrollRight, &QPushButton::clicked, this,
            [this] { Guarded([this] { ButtonScrollClick(+1); }); });
    // Presses of any mouse button and the space key reach the scroll buttons' filter.
    w_.buttonScrollLeft->installEventFilter(this);
    w_.buttonScrollRight->installEventFilter(this);
    // A wheel turned by someone scrolling past them must not change the span or the day: they
    // take no focus from the wheel and ignore it without focus (the filter).
    for (QWidget* control :
         {static_cast<QWidget*>(w_.spanTime), static_cast<QWidget*>(w_.sliderTime)}) {
        control->setFocusPolicy(Qt::StrongFocus);
        control->installEventFilter(this);
    }
    connect(w_.tabSetDevices, &QTabBar::currentChanged, this,
            [this](int index) { Guarded([this, index] { TabSetDevicesChange(index); }); });
    connect(w_.tabSetDevices, &QTabBar::tabBarClicked, this, [this] { TabSetDevicesClick(); });
    w_.scrollTimer->stop();
}

ChildNavigation::~ChildNavigation()
{
    StopScrollTimer();
}

template <typename Handler>
void ChildNavigation::Guarded(Handler&& handler)
{
    try {
        handler();
    } catch (const std::exception& e) {
        ShowErrorBox(&owner_, QString::fromUtf8(e.what()));
    }
}

// ---- state ----

NavigationState ChildNavigation::State() const
{
    NavigationState s;
    s.spanItem = w_.spanTime->currentIndex();
    const ChartAxis& bottom = w_.chart->BottomAxis();
    s.window = {bottom.Minimum(), bottom.Maximum()};
    s.periodStart = state_.periodStart;
    s.periodEnd = state_.periodEnd;
    s.range = state_.view.range;
    s.days = state_.dayNumbers;
    s.slider = {w_.sliderTime->minimum(), w_.sliderTime->maximum(), w_.sliderTime->value()};
    return s;
}

bool ChildNavigation::HasAnalysis() const
{
    return !state_.dayNumbers.empty();
}

// ---- calls into the other parts ----

void ChildNavigation::UndoZoom()
{
    w_.chart->UndoZoom();
}

void ChildNavigation::UpdateAxisTitles()
{
    graphs_.UpdateAxisTitles();
}

void ChildNavigation::FillTable()
{
    table_.FillTable();
}

void ChildNavigation::BuildYieldSummary()
{
    overview_.BuildYieldSummary();
}

void ChildNavigation::ReAddSeries()
{
    graphs_.RemoveAllSeries();
    if (graphs_.Selection().Overview()) {
        graphs_.BuildOverviewList();
        graphs_.AddOverviewSeries();
    } else {
        graphs_.AddShownSeries();
    }
    graphs_.RestackOutputs();
}

// ---- window ----

void ChildNavigation::SetWindow(DayTime maximum, DayTime minimum)
{
    host_.SetWindow(maximum, minimum);
    w_.chart->Repaint();
    w_.chart2->Repaint();
}

void ChildNavigation::SyncSlider()
{
    const SliderState slider = korvex::SyncSlider(State());
    QSlider& s = *w_.sliderTime;
    const QSignalBlocker detached(s);
    // QSlider would lower its minimum for a maximum below it; the track bar keeps both.
    if (slider.maximum >= s.minimum())
        s.setMaximum(slider.maximum);
    s.setValue(slider.position);
}

void ChildNavigation::UpdateChartTitle()
{
    if (!HasAnalysis()) {
        w_.chart->SetTitleLines({});
        return;
    }
    const ChartAxis& bottom = w_.chart->BottomAxis();
    const std::string title =
        ChartTitleText(w_.spanTime->currentIndex(), {bottom.Minimum(), bottom.Maximum()},
                       overview_.YieldSummary(), w_.chart->Months());
    w_.chart->SetTitleLines({QString::fromStdString(title)});
    // The title's yield is the table's; say where it comes from.
    w_.chart->SetTitleToolTip(overview_.YieldSummary().empty()
                                  ? QString()
                                  : UiText(TextId::YieldSourceTitle));
}

// ---- span list ----

void ChildNavigation::SpanTimeChange()
{
    if (!HasAnalysis())
        return;
    PrepareSpan();
    // Throws for no selection before anything of the window changed.
    PlaceSpan(ApplySpan(State()));
}

void ChildNavigation::ShowPlacement(int spanItem, const SpanPlacement& placement)
{
    if (!HasAnalysis())
        return;
    {
        const QSignalBlocker block(w_.spanTime);
        w_.spanTime->setCurrentIndex(spanItem);
    }
    changedSpan_ = -1;
    PrepareSpan();
    PlaceSpan(placement);
}

void ChildNavigation::PrepareSpan()
{
    const int mode = SpanModeOf(w_.spanTime->currentIndex());
    UndoZoom();
    for (auto& set : state_.dataSets) {
        if (!set)
            continue;
        SetSumFieldsAvailable(*set, mode != ModeShort);
        SetSumMode(*set, mode == ModeYear);
    }
    ReAddSeries();
}

void ChildNavigation::PlaceSpan(const SpanPlacement& placement)
{
    host_.ApplyView(WithRange(state_.view, placement.range));
    const QString format = QString::fromLatin1(placement.axisFormat);
    for (ChartWidget* chart : {w_.chart, w_.chart2}) {
        ChartAxis& axis = chart->BottomAxis();
        axis.SetIncrement(placement.axisIncrement);
        axis.SetDateTimeFormat(format);
    }
    SetWindow(placement.window.end, placement.window.start);

    FillTable();
    UpdateAxisTitles();
    BuildYieldSummary();
    UpdateChartTitle();
    SyncSlider();
    host_.UpdateExcelAction();
}

void ChildNavigation::SpanTimeActivated(int index)
{
    const bool alreadyRun = changedSpan_ == index;
    changedSpan_ = -1;
    if (!alreadyRun)
        SpanTimeChange();
}

// ---- slider ----

void ChildNavigation::SliderTimeChange(int position)
{
    if (!HasAnalysis())
        return;
    UndoZoom();
    const TimeWindow window = korvex::SliderTimeChange(State(), position);
    SetWindow(window.end, window.start);
    UpdateAxisTitles();
    FillTable();
    BuildYieldSummary();
    UpdateChartTitle();
}

void ChildNavigation::ShowSliderTarget(int position)
{
    if (!HasAnalysis())
        return;
    const TimeWindow window = korvex::SliderTimeChange(State(), position);
    const QString text = QString::fromStdString(
        ChartTitleText(w_.spanTime->currentIndex(), window, std::string(), w_.chart->Months()));
    QSlider& slider = *w_.sliderTime;
    QStyleOptionSlider option;
    option.initFrom(&slider);
    option.orientation = slider.orientation();
    option.minimum = slider.minimum();
    option.maximum = slider.maximum();
    option.sliderPosition = position;
    option.sliderValue = position;
    option.tickPosition = slider.tickPosition();
    const QRect handle = slider.style()->subControlRect(QStyle::CC_Slider, &option,
                                                        QStyle::SC_SliderHandle, &slider);
    QToolTip::showText(slider.mapToGlobal(QPoint(handle.center().x(), handle.top())), text,
                       &slider);
}

// ---- jump buttons ----

void ChildNavigation::ButtonJumpClick(int direction)
{
    if (!HasAnalysis())
        return;
    if (IsHourSpan(w_.spanTime->currentIndex()))
        UndoZoom();
    const JumpResult jump = korvex::ButtonJumpClick(State(), direction);
    switch (jump.kind) {
        case JumpResult::SliderMoved:
            // The slider's change event moves the window.
            w_.sliderTime->setValue(jump.sliderPosition);
            break;
        case JumpResult::WindowMoved:
            SetWindow(jump.window.end, jump.window.start);
            FillTable();
            UpdateAxisTitles();
            BuildYieldSummary();
            UpdateChartTitle();
            SyncSlider();
            break;
        case JumpResult::None:
            break;
    }
}

// ---- scroll buttons ----

void ChildNavigation::ButtonScrollClick(int direction)
{
    if (!HasAnalysis())
        return;
    if (IsShortSpan(w_.spanTime->currentIndex())) {
        // The auto-repeat has moved the window already.
        UpdateAxisTitles();
        return;
    }
    if (const std::optional<int> position = ScrollClickPosition(State(), direction))
        w_.sliderTime->setValue(*position);
}

void ChildNavigation::ButtonScrollMouseDown(int direction)
{
    if (!HasAnalysis() || !IsShortSpan(w_.spanTime->currentIndex()))
        return;
    StopScrollTimer();
    w_.scrollTimer->setInterval(kScrollRepeatMs);
    scrollTag_ = direction < 0 ? 0 : 1;
    tick_ = connect(w_.scrollTimer, &QTimer::timeout, this,
                    [this] { Guarded([this] { ScrollTimerTick(); }); });
    w_.scrollTimer->start();
}

void ChildNavigation::ScrollTimerTick()
{
    // Stopped during the step, so the period is the interval plus the step's own time.
    w_.scrollTimer->stop();
    if (!HasAnalysis()) {
        StopScrollTimer();
        return;
    }
    ScrollStep(scrollTag_ == 0 ? -1 : +1);
    w_.scrollTimer->start();
}

void ChildNavigation::ButtonScrollMouseUp()
{
    StopScrollTimer();
    if (!HasAnalysis())
        return;
    BuildYieldSummary();
    UpdateChartTitle();
    UpdateAxisTitles();
}

void ChildNavigation::ButtonScrollKeyDown(int direction, int key)
{
    if (!HasAnalysis() || key != kSpaceKey || !IsShortSpan(w_.spanTime->currentIndex()))
        return;
    StopScrollTimer();
    ScrollStep(direction);
}

void ChildNavigation::StopScrollTimer()
{
    w_.scrollTimer->stop();
    if (tick_)
        disconnect(tick_);
    tick_ = {};
}

void ChildNavigation::ScrollStep(int direction)
{
    const std::optional<TimeWindow> window = korvex::ScrollStep(State(), direction);
    if (!window)
        return;
    SetWindow(window->end, window->start);
    SyncSlider();
    UpdateChartTitle();
}

int ChildNavigation::ScrollDirectionOf(QObject* button) const
{
    if (button == w_.buttonScrollLeft)
        return -1;
    if (button == w_.buttonScrollRight)
        return +1;
    return 0;
}

bool ChildNavigation::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == w_.spanTime || watched == w_.sliderTime) {
        const auto* control = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::Wheel && !control->hasFocus())
            return true;
        // A new gesture on the list: a change that ran before it is not this pick's.
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress)
            changedSpan_ = -1;
        return QObject::eventFilter(watched, event);
    }
    const int direction = ScrollDirectionOf(watched);
    if (direction != 0) {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
                Guarded([this, direction] { ButtonScrollMouseDown(direction); });
                break;
            case QEvent::MouseButtonRelease:
                Guarded([this] { ButtonScrollMouseUp(); });
                break;
            case QEvent::KeyPress: {
                const int key = static_cast<QKeyEvent*>(event)->key();
                // Keyboard auto-repeat repeats the step.
                Guarded([this, direction, key] { ButtonScrollKeyDown(direction, key); });
                break;
            }
            default:
                break;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace korvex
