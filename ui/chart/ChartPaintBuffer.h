#pragma once

// A chart's paint buffer that keeps its memory when the chart gets smaller.
//
// The plot library gives every buffer a new picture at each change of size. A window's first view
// of a log narrows its charts (the left panel widens to the fields' names), and the new pictures,
// some megabytes, were faulted in page by page before the first drawing. This buffer draws into
// the memory it already holds while the picture fits, with the rows laid out for the new width.

#include <qcustomplot.h>

#include <QImage>

#include <cstddef>
#include <memory>

namespace korvex {

class ReusedPaintBuffer final : public QCPAbstractPaintBuffer {
public:
    ReusedPaintBuffer(const QSize& size, double devicePixelRatio);

    QCPPainter* startPainting() override;
    void draw(QCPPainter* painter) const override;
    void clear(const QColor& color) override;

    const QImage& image() const { return image_; }
    const unsigned char* memory() const { return block_.get(); }
    std::size_t capacityBytes() const { return capacity_; }

protected:
    void reallocateBuffer() override;

private:
    std::unique_ptr<unsigned char[]> block_;
    std::size_t capacity_ = 0;
    QImage image_;
};

// The number of paint buffers the plot's layers take: one for the logical layers at the bottom,
// one for each buffered layer and one more for logical layers above a buffered one.
int PaintBuffersNeeded(const QCustomPlot& plot);

} // namespace korvex
