#include "core/logdata/AnalysisDataSet.h"
#include "core/logdata/FieldDisplay.h"

namespace korvex {

bool AnalysisDataSet::show(int i)
{
    if (!hasData() || i < 0 || i >= slotCount() || !slot(i).series)
        return false;
    FieldSlot& s = slot(i);
    if (s.chart)
        s.chart->addSeries(*s.series);
    s.series->setShowInLegend(true);
    s.shown = true;
    ApplyDisplay(*this, i);
    return true;
}

void AnalysisDataSet::hide(int i)
{
    if (!hasData() || i < 0 || i >= slotCount())
        return;
    FieldSlot& s = slot(i);
    if (s.chart && s.series)
        s.chart->removeSeries(*s.series);
    s.shown = false;
    ApplyDisplay(*this, i);
}

void AnalysisDataSet::reAddShown()
{
    for (int i = 0; i < slotCount(); ++i) {
        FieldSlot& s = slot(i);
        if (!s.shown || !s.series)
            continue;
        if (s.chart)
            s.chart->addSeries(*s.series);
        ApplyDisplay(*this, i);
    }
}

void AnalysisDataSet::reAddShownAndSelected()
{
    for (int i = 0; i < slotCount(); ++i) {
        FieldSlot& s = slot(i);
        if (!s.shown || !s.series || !selected(i))
            continue;
        if (s.chart)
            s.chart->addSeries(*s.series);
        ApplyDisplay(*this, i);
    }
}

void AnalysisDataSet::prepareDisplay()
{
    selection_.assign(static_cast<std::size_t>(slotCount()), 0);
    ApplyDisplayOfAll(*this);
}

} // namespace korvex
