#pragma once

// Light bands behind the curves of a chart, one per stretch of time (an incident of the
// function check, say), with the text of the bands under the pointer as its tooltip. They are
// drawn on a layer of their own just below the curves. The layer takes a buffer of its own with
// the first bands shown (one whole drawing); from then on changing the bands replots that layer
// only, and moving the pointer or a marker never touches it. Until then a buffer would only be
// cleared and laid over the chart at every drawing.

#include "core/services/DayTime.h"

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QRectF>
#include <QString>

#include <vector>

namespace korvex {

class ChartWidget;
class BandsLayerable;

struct ChartBand {
    DayTime start = 0;
    DayTime end = 0;
    QString text;
    // Drawn as given; a translucent colour keeps the grid visible through the band.
    QColor colour = QColor(255, 170, 0, 60);

    bool operator==(const ChartBand&) const = default;
};

class ChartBands : public QObject {
    Q_OBJECT
public:
    // A band never gets narrower than this on screen, however long the window.
    static constexpr double kMinimumPixels = 3;
    static const QString kLayerName;

    explicit ChartBands(ChartWidget& chart, QObject* parent = nullptr);
    ~ChartBands() override;

    void SetBands(std::vector<ChartBand> bands);
    void Clear() { SetBands({}); }
    const std::vector<ChartBand>& Bands() const { return bands_; }
    void SetVisible(bool on);
    bool Visible() const { return visible_; }

    // Where a band is drawn in the chart's widget pixels for the current window: its stretch
    // widened to kMinimumPixels around its middle, cut to the plot area; empty when it lies
    // outside the window.
    QRectF RectOf(const ChartBand& band) const;
    // The texts of the bands drawn under pos, one line each in band order; empty for none.
    QString ToolTipAt(QPoint pos) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Replot();

    ChartWidget& chart_;
    QPointer<ChartWidget> chartAlive_;
    QPointer<BandsLayerable> layerable_;
    std::vector<ChartBand> bands_;
    bool visible_ = true;

    friend class BandsLayerable;
};

} // namespace korvex
