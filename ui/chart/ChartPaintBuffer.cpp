#include "ui/chart/ChartPaintBuffer.h"

#include <new>

namespace korvex {

ReusedPaintBuffer::ReusedPaintBuffer(const QSize& size, double devicePixelRatio)
    : QCPAbstractPaintBuffer(size, devicePixelRatio)
{
    reallocateBuffer();
    // A buffer taken in between two drawings is painted before anything was drawn into it.
    clear(Qt::transparent);
}

void ReusedPaintBuffer::reallocateBuffer()
{
    setInvalidated();
    // The view goes before the memory it looks at.
    image_ = QImage();
    const QSize pixels = mSize * mDevicePixelRatio;
    if (pixels.isEmpty())
        return;
    const auto bytesPerLine = static_cast<std::size_t>(pixels.width()) * 4;
    const std::size_t bytes = bytesPerLine * static_cast<std::size_t>(pixels.height());
    // Much less than held is given back: a chart that stays small keeps no large block.
    if (bytes > capacity_ || bytes < capacity_ / 4) {
        block_.reset();
        capacity_ = 0;
        block_.reset(new (std::nothrow) unsigned char[bytes]);
        if (!block_)
            return;
        capacity_ = bytes;
    }
    image_ = QImage(block_.get(), pixels.width(), pixels.height(),
                    static_cast<qsizetype>(bytesPerLine), QImage::Format_ARGB32_Premultiplied);
    image_.setDevicePixelRatio(mDevicePixelRatio);
}

QCPPainter* ReusedPaintBuffer::startPainting()
{
    // Smoothing is each layerable's own choice, as in the library's buffers.
    return new QCPPainter(&image_);
}

void ReusedPaintBuffer::draw(QCPPainter* painter) const
{
    if (painter && painter->isActive() && !image_.isNull())
        painter->drawImage(0, 0, image_);
}

void ReusedPaintBuffer::clear(const QColor& color)
{
    if (!image_.isNull())
        image_.fill(color);
}

int PaintBuffersNeeded(const QCustomPlot& plot)
{
    int index = 0;
    const int layers = plot.layerCount();
    for (int i = 0; i < layers; ++i) {
        if (plot.layer(i)->mode() != QCPLayer::lmBuffered)
            continue;
        ++index;
        if (i + 1 < layers && plot.layer(i + 1)->mode() == QCPLayer::lmLogical)
            ++index;
    }
    return index + 1;
}

} // namespace korvex
