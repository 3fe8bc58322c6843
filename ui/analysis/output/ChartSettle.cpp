#include "ui/analysis/output/ChartSettle.h"

#include "ui/chart/ChartWidget.h"

#include <QCoreApplication>
#include <QTimer>

namespace korvex {

void SettleCharts(ChartWidget& upper, ChartWidget& lower, QTimer& columnTimer)
{
    bool upperDrawn = false, lowerDrawn = false; // the last drawing moved no column
    const auto drawn = [&](bool& chartDrawn) {
        if (columnTimer.isActive()) {
            // Both plot areas moved: both charts are drawn again.
            columnTimer.stop();
            upperDrawn = lowerDrawn = false;
        } else {
            chartDrawn = true;
        }
    };
    const QMetaObject::Connection upperDrawing =
        QObject::connect(&upper, &QCustomPlot::afterReplot, [&] { drawn(upperDrawn); });
    const QMetaObject::Connection lowerDrawing =
        QObject::connect(&lower, &QCustomPlot::afterReplot, [&] { drawn(lowerDrawn); });
    bool settled = false;
    for (int pass = 0; pass < 4 && !settled; ++pass) {
        QCoreApplication::processEvents();
        settled = upperDrawn && lowerDrawn && !upper.ReplotQueued() && !lower.ReplotQueued();
        if (!settled) {
            columnTimer.stop();
            upper.replot(QCustomPlot::rpImmediateRefresh);
            lower.replot(QCustomPlot::rpImmediateRefresh);
        }
    }
    QObject::disconnect(upperDrawing);
    QObject::disconnect(lowerDrawing);
    if (!settled)
        QCoreApplication::processEvents();
}

} // namespace korvex
