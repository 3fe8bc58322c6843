#include "ui/analysis/parts/StatisticsPanel.h"

#include "core/services/NumberFormat.h"
#include "core/services/TextCatalogue.h"
#include "ui/analysis/parts/ShownGraphs.h"
#include "ui/chart/ChartAxis.h"
#include "ui/chart/ChartWidget.h"

#include "ui/platform/UiText.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>

#include <set>

namespace korvex {

namespace {

// Catalogue rows of the column headings, in column order.
constexpr TextId kHeadingRows[kStatisticsColumns] = {
    TextId::StatisticsGraph,       TextId::StatisticsUnit,        TextId::StatisticsMinimum,
    TextId::StatisticsMinimumTime, TextId::StatisticsMaximum,     TextId::StatisticsMaximumTime,
    TextId::StatisticsMean,        TextId::StatisticsEnergyVolume};

QColor ColourOf(Colour c)
{
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

} // namespace

StatisticsPanel::StatisticsPanel(ShownGraphs& graphs, ChartWidget& chart, QWidget* parent)
    : QTableWidget(0, kStatisticsColumns, parent), graphs_(graphs), chart_(chart)
{
    setObjectName(QStringLiteral("StatisticsPanel"));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    verticalHeader()->setVisible(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    horizontalHeader()->setStretchLastSection(true);
    ApplyLanguage();
    // Below the charts it gives way down to its heading and one row.
    setMinimumHeight(horizontalHeader()->sizeHint().height() +
                     verticalHeader()->defaultSectionSize() + 2 * frameWidth());
    connect(&chart_, &QCustomPlot::afterReplot, this, [this] { Refresh(); });
}

void StatisticsPanel::ApplyLanguage()
{
    QStringList headings;
    for (TextId row : kHeadingRows)
        headings << UiText(row);
    setHorizontalHeaderLabels(headings);
    // The panel integrates the samples; the tables and the title read the logged yields.
    if (QTableWidgetItem* energy = horizontalHeaderItem(kStatisticsColumns - 1))
        energy->setToolTip(UiText(TextId::YieldSourceIntegral));
}

void StatisticsPanel::showEvent(QShowEvent* event)
{
    QTableWidget::showEvent(event);
    Refresh();
}

void StatisticsPanel::Refresh()
{
    if (!isVisible())
        return;
    const std::vector<ReadoutGraph>& graphs = graphs_.Graphs();
    const DayTime from = chart_.BottomAxis().Minimum();
    const DayTime to = chart_.BottomAxis().Maximum();
    const char separator = DecimalSeparator();
    if (!stale_ && from == shownFrom_ && to == shownTo_ &&
        graphs_.Generation() == shownGeneration_ && separator == separator_)
        return;
    stale_ = false;
    shownFrom_ = from;
    shownTo_ = to;
    shownGeneration_ = graphs_.Generation();
    separator_ = separator;
    rows_ = StatisticsRows(graphs, from, to, separator);
    setRowCount(static_cast<int>(rows_.size()));
    for (int r = 0; r < static_cast<int>(rows_.size()); ++r) {
        for (int c = 0; c < kStatisticsColumns; ++c) {
            auto* item = new QTableWidgetItem(QString::fromStdString(rows_[r][c]));
            if (c == 0)
                item->setForeground(ColourOf(graphs[r].colour));
            else if (c != 1)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            setItem(r, c, item);
        }
    }
}

std::string StatisticsPanel::CopyText() const
{
    std::vector<std::vector<std::string>> out;
    std::vector<std::string> heading;
    for (TextId row : kHeadingRows)
        heading.push_back(Text(row));
    out.push_back(std::move(heading));
    std::set<int> selected;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        selected.insert(index.row());
    for (int r = 0; r < static_cast<int>(rows_.size()); ++r)
        if (selected.empty() || selected.count(r))
            out.push_back(rows_[r]);
    return TabSeparated(out);
}

void StatisticsPanel::CopyToClipboard() const
{
    QApplication::clipboard()->setText(QString::fromStdString(CopyText()));
}

void StatisticsPanel::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        CopyToClipboard();
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

} // namespace korvex
