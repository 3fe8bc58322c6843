#include "ui/analysis/output/PrintOutput.h"

#include "core/logdata/AnalysisDataSet.h"
#include "core/logdata/DeviceSettings.h"
#include "core/logdata/FieldDisplay.h"
#include "core/logdata/Series.h"
#include "core/views/ChildState.h"
#include "ui/chart/ChartWidget.h"

#include <QTabBar>

namespace korvex {

namespace {

constexpr int kOutputSideMargin = 3;
constexpr int kScreenSideMargin = 1;
constexpr int kOutputChartTopBottomMargin = 2;
// The design heights of the two charts, for a window whose charts were never laid out.
constexpr int kDesignUpperHeight = 400;
constexpr int kDesignLowerHeight = 120;

void SetSideMargins(ChartWidget& chart, int side)
{
    const QMargins m = chart.MarginsPercent();
    chart.SetMarginsPercent(side, m.top(), side, m.bottom());
}

// Legend entries with or without the device's name in front.
void SetLegendTitles(const ChildState& state, bool withDeviceName)
{
    for (const auto& set : state.dataSets) {
        if (!set || !set->deviceSettings())
            continue;
        // A standard name follows the language; the titles take the stored name.
        set->deviceSettings()->displayName();
        SetTitles(*set, withDeviceName);
    }
}

} // namespace

int OutputParts::UpperShare(int total) const
{
    if (!upper)
        return 0;
    if (!lower)
        return total;
    return static_cast<int>(static_cast<long long>(upperHeight) * total / HeightSum());
}

int OutputParts::LowerShare(int total) const
{
    if (!lower)
        return 0;
    if (!upper)
        return total;
    return static_cast<int>(static_cast<long long>(lowerHeight) * total / HeightSum());
}

OutputParts DetermineOutputParts(const OutputSource& source)
{
    const auto& active = source.placeholdersOn;
    OutputParts parts;
    parts.upper = source.chart->SeriesCount() - int(active[0]) - int(active[1]) > 0;
    parts.lower = source.chart2->SeriesCount() - int(active[2]) - int(active[3]) > 0;
    parts.upperHeight = source.chart->height();
    parts.lowerHeight = source.chart2->height();
    // Charts that were never laid out share the height as designed.
    if (parts.upperHeight <= 0 || parts.lowerHeight <= 0) {
        parts.upperHeight = kDesignUpperHeight;
        parts.lowerHeight = kDesignLowerHeight;
    }
    return parts;
}

// ---- PreparedOutput ----

PreparedOutput::PreparedOutput(OutputSource source) : source_(std::move(source))
{
    const ChildState& state = *source_.state;
    ChartWidget& chart = *source_.chart;
    ChartWidget& chart2 = *source_.chart2;
    savedTitle_ = chart.TitleLines();
    savedTitleVisible_ = chart.TitleVisible();
    const bool upperExists = DetermineOutputParts(source_).upper;
    try {
        SetSideMargins(chart, kOutputSideMargin);
        SetSideMargins(chart2, kOutputSideMargin);

        QStringList title = chart.TitleLines();
        const QTabBar& tabs = *source_.tabs;
        if (tabs.count() > 0 && tabs.currentIndex() >= 0) {
            const QString prefix = tabs.tabText(tabs.currentIndex()) + QStringLiteral(": ");
            if (title.isEmpty())
                title << prefix;
            else
                title[0] = prefix + title[0];
        }
        const QString printTitle = QString::fromStdString(state.defaults.printTitle);
        if (!printTitle.isEmpty())
            title.prepend(printTitle);
        chart.SetTitleLines(title);
        chart.SetTitleVisible(true);

        // Without an upper part the lower chart carries the title.
        if (!upperExists) {
            chart2.SetTitleLines(title);
            chart2.SetTitleVisible(true);
        }

        chart.SetLegendVisible(true);
        chart2.SetLegendVisible(true);
        if (source_.overview)
            SetLegendTitles(state, true);
    } catch (...) {
        Restore();
        throw;
    }
}

PreparedOutput::~PreparedOutput()
{
    try {
        Restore();
    } catch (...) {
        // Restoring changes only properties of the window's own charts and series.
    }
}

void PreparedOutput::Restore()
{
    const ChildState& state = *source_.state;
    ChartWidget& chart = *source_.chart;
    ChartWidget& chart2 = *source_.chart2;
    SetSideMargins(chart, kScreenSideMargin);
    SetSideMargins(chart2, kScreenSideMargin);
    chart.SetTitleLines(savedTitle_);
    chart.SetTitleVisible(savedTitleVisible_);
    chart2.SetTitleLines({});
    chart2.SetTitleVisible(false);
    chart.SetLegendVisible(false);
    chart2.SetLegendVisible(false);
    if (source_.overview)
        SetLegendTitles(state, false);
    if (source_.rebuildTitle)
        source_.rebuildTitle();
    chart.Repaint();
    chart2.Repaint();
}

// ---- OutputChart ----

OutputChart::OutputChart(QWidget& parent, ChartWidget& source, bool lower,
                         const QStringList& title)
    : source_(source)
{
    chart_ = new ChartWidget(&parent);
    chart_->hide();
    chart_->CopyLookFrom(source);
    chart_->SetTitleLines(title);
    chart_->SetTitleVisible(!title.isEmpty());
    const QMargins m = chart_->MarginsPercent();
    chart_->SetMarginsPercent(m.left(), kOutputChartTopBottomMargin, m.right(),
                              kOutputChartTopBottomMargin);
    chart_->SetZoomEnabled(false);
    // The band names of the outputs come from the lower chart's label handling.
    if (lower)
        chart_->SetOnGetAxisLabel(source.OnGetAxisLabel());
    for (Series* series : source.SeriesList()) {
        source.removeSeries(*series);
        chart_->addSeries(*series);
    }
}

OutputChart::~OutputChart()
{
    const std::vector<Series*> series = chart_->SeriesList();
    chart_->RemoveAllSeries();
    for (Series* s : series)
        source_.addSeries(*s);
    delete chart_;
}

void OutputChart::Draw(QCPPainter& painter, const QRectF& target, QSize layoutSize)
{
    chart_->Render(painter, target, layoutSize);
}

} // namespace korvex
