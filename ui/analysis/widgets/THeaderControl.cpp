#include "ui/analysis/widgets/THeaderControl.h"

#include <QEvent>
#include <QMouseEvent>
#include <QStandardItemModel>

#include <algorithm>

namespace korvex {

THeaderControl::THeaderControl(QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), model_(new QStandardItemModel(0, 0, this))
{
    setModel(model_);
    setSectionsMovable(false);
    setSectionsClickable(false);
    setStretchLastSection(false);
    setHighlightSections(false);
    setMinimumSectionSize(1);
    setSectionResizeMode(QHeaderView::Interactive);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setFixedHeight(17);
    setMouseTracking(true);
    connect(this, &QHeaderView::sectionResized, this, &THeaderControl::OnSectionResized);
    FollowParent();
}

void THeaderControl::AddSection(int width, int minWidth, int maxWidth, const QString& caption)
{
    const int index = model_->columnCount();
    limits_.push_back({minWidth, maxWidth});
    ++programmatic_;
    model_->insertColumn(index);
    model_->setHorizontalHeaderItem(index, new QStandardItem(caption));
    resizeSection(index, std::clamp(width, minWidth, std::max(minWidth, maxWidth)));
    --programmatic_;
}

void THeaderControl::DeleteSection(int index)
{
    if (index < 0 || index >= SectionCount())
        return;
    ++programmatic_;
    model_->removeColumn(index);
    limits_.erase(limits_.begin() + index);
    --programmatic_;
}

int THeaderControl::SectionCount() const
{
    return model_->columnCount();
}

int THeaderControl::SectionWidth(int index) const
{
    return sectionSize(index);
}

int THeaderControl::SectionLeft(int index) const
{
    return sectionPosition(index);
}

void THeaderControl::SetSectionWidth(int index, int width)
{
    if (index < 0 || index >= SectionCount())
        return;
    const Limits& l = limits_[index];
    ++programmatic_;
    resizeSection(index, std::clamp(width, l.minWidth, std::max(l.minWidth, l.maxWidth)));
    --programmatic_;
}

void THeaderControl::SetSectionMinWidth(int index, int minWidth)
{
    if (index < 0 || index >= SectionCount())
        return;
    limits_[index].minWidth = minWidth;
    if (SectionWidth(index) < minWidth)
        SetSectionWidth(index, minWidth);
}

int THeaderControl::SectionMinWidth(int index) const
{
    return index >= 0 && index < SectionCount() ? limits_[index].minWidth : 0;
}

QString THeaderControl::SectionCaption(int index) const
{
    return model_->headerData(index, Qt::Horizontal).toString();
}

void THeaderControl::SetSectionCaption(int index, const QString& caption)
{
    if (index >= 0 && index < SectionCount())
        model_->setHeaderData(index, Qt::Horizontal, caption);
}

int THeaderControl::SectionAt(int x) const
{
    for (int i = 0; i < SectionCount(); ++i) {
        const int left = SectionLeft(i);
        if (left <= x && x <= left + SectionWidth(i))
            return i;
    }
    return -1;
}

int THeaderControl::SectionsTotal() const
{
    int total = 0;
    for (int i = 0; i < SectionCount(); ++i)
        total += SectionWidth(i);
    return total;
}

int THeaderControl::CaptionFitWidth(int index) const
{
    if (index < 0 || index >= SectionCount() || SectionCaption(index).isEmpty())
        return 0;
    return sectionSizeFromContents(index).width();
}

void THeaderControl::OnSectionResized(int index, int, int newSize)
{
    if (programmatic_ > 0 || index < 0 || index >= SectionCount())
        return;
    const Limits& l = limits_[index];
    const int clamped = std::clamp(newSize, l.minWidth, std::max(l.minWidth, l.maxWidth));
    if (clamped != newSize) {
        ++programmatic_;
        resizeSection(index, clamped);
        --programmatic_;
    }
    emit SectionResize(index);
}

bool THeaderControl::event(QEvent* event)
{
    if (event->type() == QEvent::ParentChange)
        FollowParent();
    return QHeaderView::event(event);
}

bool THeaderControl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == followed_ && event->type() == QEvent::Resize)
        setGeometry(0, 0, followed_->width(), height());
    return QHeaderView::eventFilter(watched, event);
}

void THeaderControl::FollowParent()
{
    if (followed_)
        followed_->removeEventFilter(this);
    followed_ = parentWidget();
    if (followed_) {
        followed_->installEventFilter(this);
        setGeometry(0, 0, followed_->width(), height());
    }
}

void THeaderControl::mouseMoveEvent(QMouseEvent* event)
{
    QHeaderView::mouseMoveEvent(event);
    emit HeaderMouseMove(event->position().toPoint().x());
}

} // namespace korvex
