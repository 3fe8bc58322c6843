#pragma once

// Draws one core series straight from its point arrays: lines and step lines broken at null
// points, offset areas filled from their offset line, and sum bars. Nothing of the points is
// copied; the reduced screen geometry is rebuilt on every drawing pass from the visible stretch,
// the value extent only when the series' data version changes.

#include "core/logdata/Series.h"
#include "ui/chart/SeriesDrawing.h"

#include <qcustomplot.h>

#include <cstdint>

namespace korvex {

QColor ToQColor(Colour colour);

class SeriesPlottable : public QCPAbstractPlottable {
    Q_OBJECT
public:
    SeriesPlottable(QCPAxis* keyAxis, QCPAxis* valueAxis, Series& series);

    Series& series() const { return series_; }
    // Takes over the series' drawing properties when they changed; true when they did.
    bool SyncStyle();

    double selectTest(const QPointF& pos, bool onlySelectable,
                      QVariant* details = nullptr) const override;
    QCPRange getKeyRange(bool& foundRange,
                         QCP::SignDomain inSignDomain = QCP::sdBoth) const override;
    QCPRange getValueRange(bool& foundRange, QCP::SignDomain inSignDomain = QCP::sdBoth,
                           const QCPRange& inKeyRange = QCPRange()) const override;

    // Width in pixels of the bars as the last drawing pass made them.
    double LastBarWidth() const { return lastBarWidth_; }

protected:
    void draw(QCPPainter* painter) override;
    void drawLegendIcon(QCPPainter* painter, const QRectF& rect) const override;

private:
    void RefreshExtent() const;
    PixelMapping Mapping() const;
    // Reduces the points drawn for the key range [first, last] to runs_.
    void Reduce(double first, double last, const PixelMapping& map, const QRectF& clip, int& begin,
                int& end);
    void DrawLines(QCPPainter& painter, const PixelMapping& map, const QRectF& clip);
    void StrokeRuns(QCPPainter& painter, const QPen& pen, bool dense);
    void DrawArea(QCPPainter& painter, const PixelMapping& map, const QRectF& clip);
    void DrawBars(QCPPainter& painter, const PixelMapping& map, const QRectF& clip);
    double BarWidthPixels(const PixelMapping& map) const;

    Series& series_;
    std::uint64_t styleVersion_ = 0;
    mutable std::uint64_t extentVersion_ = 0;
    mutable bool hasValues_ = false;
    mutable double minY_ = 0, maxY_ = 0;
    mutable double minGap_ = 1.0; // smallest X distance between neighbouring bars
    double lastBarWidth_ = 0;
    RunList runs_;      // reused between passes
    StrokeParts parts_; // likewise
};

} // namespace korvex
