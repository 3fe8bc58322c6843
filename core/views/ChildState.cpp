#include "core/views/ChildState.h"

#include "core/logdata/AnalysisDataSet.h"

namespace korvex {

ChildState::ChildState() = default;

ChildState::~ChildState()
{
    FreeAnalysis();
}

AnalysisDataSet* ChildState::DataSet(int i) const
{
    if (i < 0 || i >= static_cast<int>(dataSets.size()))
        return nullptr;
    return dataSets[static_cast<std::size_t>(i)].get();
}

void ChildState::FreeAnalysis()
{
    dayList.clear();
    dayNumbers.clear();
    // The charts outlive the data sets: take every series off them before it is freed.
    for (auto& set : dataSets) {
        if (set)
            set->detachFromCharts();
        set.reset();
    }
    dataSets.clear();
    deviceNumbers.clear();
    failedFiles.clear();
}

} // namespace korvex
